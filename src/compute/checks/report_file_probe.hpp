#pragma once
// Whether the report can be written, asked of the file system before any
// check runs, without harming an older report: the file is opened for writing
// without being emptied, and removed again when the probe itself created it,
// so that no stray file is left when the checking stops later.
#include <string>

namespace Report_file_probe {

// True when the file can be opened for writing; "-" (the standard output) is
// always writable.
bool writable(const std::string& name);

}  // namespace Report_file_probe
