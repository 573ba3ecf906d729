#pragma once
// The serving flow: launch the input program, then read its requests one
// communication at a time and answer each, until it quits or closes its output.
#include <functional>

#include "link/communication_frame.hpp"
#include "text/scanning.hpp"

namespace Compute_server {

using Scanning::Scanbuf;

// How a session ends: the status the program ends with. Thrown by the serving
// flow, the driver turns it into the end of the process (the library never
// ends the process itself). Not a std::exception, so that no handler of the
// flow answers it as a failure.
struct End_of_session {
  int status;
};

// Launches the input program when the configuration asks for it (otherwise
// requests come from the standard input and replies go to the error stream),
// then serves it. Always ends with End_of_session; the input program it
// launched is ended and reaped first, whatever ends the session.
[[noreturn]] void compute_server();

// Serves the requests read from the buffer, which must not have been read
// from yet (the positions in the replies count from its start). At the end of
// the input between two communications the session ends with status 0,
// without a reply.
[[noreturn]] void compute_server_loop(Scanbuf& ib);

// Reads one communication, bounded by its frame, and answers its request.
void loop_step(Communication_frame::Framed_buffer& frame);

// Runs step(argument) and answers its failures on the reply printer: an
// unreadable communication (then Quitting and status 2 when the end of the
// input cut it short), a premature end of input (then Quitting and status 2),
// a failed test, a fatal error, any other exception.
void compute_server_handler(Scanbuf& ib, const std::function<void(Scanbuf&)>& step, Scanbuf& argument);

}  // namespace Compute_server
