#pragma once
// The serving flow: launch the input program, then read its requests one
// communication at a time and answer each, until it quits or closes its output.
#include <functional>

#include "text/scanning.hpp"

namespace Compute_server {

using Scanning::Scanbuf;

// Launches the input program when the configuration asks for it (otherwise
// requests come from the standard input and replies go to the error stream),
// then serves it. Ends the process.
[[noreturn]] void compute_server();

// Serves the requests read from the buffer. At the end of the input between
// two communications the process ends with status 0, without a reply.
[[noreturn]] void compute_server_loop(Scanbuf& ib);

// Reads one communication and answers its request.
void loop_step(Scanbuf& ib);

// Runs step(argument) and answers its failures on the reply printer: an
// unreadable communication, a premature end of input (then Quitting and status
// 2), a failed test, a fatal error, any other exception.
void compute_server_handler(Scanbuf& ib, const std::function<void(Scanbuf&)>& step, Scanbuf& argument);

}  // namespace Compute_server
