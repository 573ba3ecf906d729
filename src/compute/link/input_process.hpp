#pragma once
// The process launcher: starts the input program with a pipe to its standard
// input and one from its standard output (its error stream is the engine's
// own), and makes sure it does not outlive the engine.
#include <stdexcept>
#include <string>
#include <vector>

namespace Input_process {

// The command and the user's arguments are shell text, which cannot be
// turned into words: the reason.
struct Unusable_invocation : std::runtime_error {
  explicit Unusable_invocation(const std::string& reason) : std::runtime_error(reason) {}
};

// The program and its arguments, one word each, as the program receives
// them. The elements that the engine added itself are taken as they are, an
// option word then its value without the double quotes that the invocation
// text puts around it (-f, -I, -batch, -d): no shell ever reads them. What the
// user wrote is shell text and is expanded as a POSIX shell expands words
// (quotes, variables, "~", patterns), but no command is ever run: the
// command (-ipc) as between double quotes, one word; the user's arguments
// (-ipa), joined by blanks in their order in the invocation, split into
// words. A command substitution, an unquoted operator character (| & ; < >
// ( ) { } or a line break) or unbalanced quotes raise Unusable_invocation.
std::vector<std::string> input_process_argv();

// The invocation as a POSIX shell would need it to run the same words: the
// file names, the directory and the batch procedure that the engine itself
// quoted made safe for /bin/sh (inside their double quotes, "\", "$", "`" and
// "\"" get a backslash). The command and the user's arguments stay as
// written. Shown in the messages about the launch.
std::string posix_input_process_command_invocation();
// The invocation without one outer pair of double quotes (the first and the
// last character, when both are double quotes).
std::string strip_outer_double_quotes(const std::string& text);

// Starts the input program with the words of input_process_argv (the program
// is searched in PATH when its name holds no slash), and stores the streams, the scanning buffer and the reply
// printer in the configuration. From then on, SIGTERM, SIGINT and SIGHUP end
// the input program before they end the engine, and on Linux the kernel
// sends it SIGTERM when the engine dies. A launch that cannot start (the
// words cannot be made, the program cannot be run) writes a message naming
// the command and the reason, then ends the session with status 2.
void launch();

// True while a launched input program has not been ended.
bool launched();

// Ends the launched input program, if any: closes the engine's ends of the
// two pipes (its end of input), gives it a moment to end on its own, then
// terminates it (SIGTERM, then SIGKILL) and reaps it. When it ended on its
// own with a status other than 0, or was killed by a signal that the engine
// did not send, says so on the error stream. Never throws.
void end() noexcept;

// Ends the launched input program when it goes out of scope, whatever ends
// the session.
struct Ender {
  Ender() = default;
  Ender(const Ender&) = delete;
  Ender& operator=(const Ender&) = delete;
  ~Ender() { end(); }
};

}  // namespace Input_process
