#pragma once
// The program's entry: start-up, command line, then one of the two flows.

namespace Quavor {

// The whole program: reads the command line, then serves the input program or
// computes one description file. Returns the process status.
int main(int argc, char** argv);

// The file flow: reads, checks and reports the report source file. Ends the process.
[[noreturn]] void compute_file();

// The serving flow: launches the input program when needed and answers its
// requests. Ends the process.
[[noreturn]] void compute_server();

}  // namespace Quavor
