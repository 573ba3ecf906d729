#pragma once
// File-name operations with two conventions of their own: "-" stands for the
// standard input or output, and a name may begin with "~" for the home
// directory. POSIX flavour: the separator is "/", there are no drive letters.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/exceptions.hpp"

namespace Path {

// A failure of the file system, carrying the system's message
// ("<name>: <reason>").
using Sys_error = ::Sys_error;

// "/"; its first character is the separator character.
const std::string& separator();
char separator_char();

// The value of HOME when set, otherwise "~". Taken once, at start-up.
const std::string& home_directory();
// Takes HOME again (tests change the environment).
void reinitialise();

// Directories tried, in order, after an implicit name itself. Starts empty.
std::vector<std::string>& search_stack();

// A text that begins with ".".
struct file_extension {
  std::string text;
};
// Invalid_argument "Path.to_file_extension: first character of %S is %C; it should be %C."
// when the text does not begin with ".".
file_extension to_file_extension(const std::string& text);

// Joins a directory and a name with one separator.
std::string concat(const std::string& directory, const std::string& name);
// The directory part and the last component of a name.
std::string dirname(const std::string& name);
std::string basename(const std::string& name);
// Not beginning with the separator.
bool is_relative(const std::string& name);
// Relative and beginning with neither "./" nor "../".
bool is_implicit(const std::string& name);

// The current working directory ("." when it cannot be read).
std::string current_directory();

// Home-directory expansion: "~" and "~/rest"; any other name unchanged.
std::string tilde_subst(const std::string& name);

// The file a name leads to once its symbolic links are followed (a relative
// link is taken in the directory of the link).
std::string followed_links(const std::string& name);

// Collapses repeated separators, "." components and "x/.." pairs.
std::string path_normalize(const std::string& name);
// The absolute path of a name relative to a directory.
std::string compute_full_path(const std::string& directory, const std::string& name);
// The name as the path rules see it, for comparing two spellings of one
// file: "~" expanded, a relative name taken in the current directory, "."
// and ".." resolved (symbolic links are not followed). "-" stays "-".
std::string normalize(const std::string& name);
// As compute_full_path, after replacing a symbolic link by its target (one
// level; a relative target is taken relative to the link's own directory).
std::string full_path_win32(const std::string& directory, const std::string& name);

// The file that a shell runs for a command name without a separator: the
// first directory of PATH holding an executable file of that name ("" when
// none does). Names holding a separator are returned unchanged.
std::string find_in_executable_path(const std::string& name);

// "-" exists; any other name ("~" taken in the home directory) is looked up
// in the file system (an implicit name also in the search stack). Never fails.
bool exists(const std::string& name);

// Opens for writing (created or truncated) or for reading; "-" gives the
// standard output, respectively the standard input, and "~" begins a name in
// the home directory. Sys_error on failure, naming the file as given.
std::FILE* path_open_out(const std::string& name);
std::FILE* path_open_in(const std::string& name);

}  // namespace Path
