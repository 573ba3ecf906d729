#pragma once
// The command line: the option table, the rules that turn each option into
// settings of the run configuration, the usage text and the completion step.
#include <string>
#include <vector>

namespace Command_line {

// Parses the process's command line (argv[0] is the invocation name), then
// completes the configuration. May end the process.
void set_arguments(int argc, char** argv);
// Parses the vector (first word the invocation name) without the completion step.
// May end the process.
void parse_arguments(const std::vector<std::string>& arguments);
// The completion step run after a successful parse.
void assign_configuration_fields();

// The usage text (header, one line per option, -help and --help).
std::string usage_text();

}  // namespace Command_line
