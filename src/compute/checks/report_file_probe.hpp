#pragma once
// Whether the report can be written, asked of the file system before any
// check runs, without changing anything on it: an older report is opened for
// writing and closed at once, untouched; where there is none, the directory
// that would receive it must let us create files. Nothing is created, so a
// check leaves no trace in the description's folder, and checks of
// descriptions recording the same name may probe it at once.
#include <string>

namespace Report_file_probe {

// True when the file can be opened for writing, the way the report is then
// written (a leading "~" is the home directory, links are followed); "-" (the
// standard output) is always writable.
bool writable(const std::string& name);

}  // namespace Report_file_probe
