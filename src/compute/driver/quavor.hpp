#pragma once
// The program's entry: start-up, command line, then one of the two flows.

namespace Scanning {
class Scanbuf;
}

namespace Quavor {

// The whole program: reads the command line, then serves the input program or
// computes one description file. Returns the process status.
int main(int argc, char** argv);

// The file flow: reads, checks and reports the report source file. Ends with
// Quavor_configuration::Process_end, which main turns into the status.
[[noreturn]] void compute_file();

// Reads, checks and reports one description from an open scanning buffer;
// every failure ends as one message on the error stream, some of them with
// Quavor_configuration::Process_end.
void compute_file_body(Scanning::Scanbuf& ib);

// The serving flow: launches the input program when needed and answers its
// requests. Ends with Compute_server::End_of_session.
[[noreturn]] void compute_server();

}  // namespace Quavor
