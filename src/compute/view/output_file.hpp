#pragma once
// Files a user keeps (pages, results, summaries) are replaced, never
// rewritten in place: the text goes to a temporary file in the same
// directory, every write and the close are checked, then the temporary file
// is renamed over the target. A reader never sees half a page, and
// SIGINT, SIGTERM or SIGHUP during the write removes the temporary file.
#include <string>
#include <string_view>

namespace Output_file {

// Replaces the file `name` with `text`, creating it if needed; a regular file
// that holds `text` already is left untouched. Raises
// Sys_error ("<name>: <reason>") when the file cannot be written; the
// temporary file is removed then.
void replace(const std::string& name, std::string_view text);

// Creates the directory and its parents if needed, then checks that a file
// can be created in it. Raises Sys_error ("<directory>: <reason>") otherwise.
void ensure_writable_directory(const std::string& directory);

}  // namespace Output_file
