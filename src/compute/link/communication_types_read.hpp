#pragma once
// Reading one communication from the input program, and recovering after a
// communication that could not be read.
#include <exception>
#include <string>
#include <utility>

#include "link/communication_types.hpp"
#include "link/message_types.hpp"
#include "link/message_types_read.hpp"
#include "text/scanning.hpp"

namespace Communication_types_read {

using Communication_types::communication;
using Scanning::Scanbuf;

// The two marker patterns; only the closing one is used (by the recovery).
inline constexpr const char* starting_marker_pattern = "(%_s@ %[a-zA-Z_]%_s@ (";
inline constexpr const char* closing_marker_pattern = ")%_s@ %[a-zA-Z_]%_s@ )";

// Comments and blanks, then the rest of the line (its newline consumed, not
// kept) as a literal text; a conversion in it fails with "format type
// mismatch". A marker that would start at the end of the input raises
// End_of_file: a communication cut before its closing marker is premature.
std::string scanner_marker(Scanbuf& ib);

// Skips the rest of the current line, then every line up to and including the
// next ") Xoff )" line, or to the end of the input.
void skip_to_end_of_communication(Scanbuf& ib);

// A starting marker line, the message, a closing marker line.
template <class F>
auto scanner_communication_per_se(F scanner_message, Scanbuf& ib)
    -> communication<decltype(scanner_message(ib))>;

// Reads one communication and returns k(communication). On any failure the
// recovery runs, then the failure goes on to the caller (or the recovery's own
// failure in its place).
template <class F, class K>
auto scanner_communication(F scanner_message, K k, Scanbuf& ib) {
  try {
    auto c = scanner_communication_per_se(scanner_message, ib);
    return k(std::move(c));
  } catch (const std::exception&) {
    skip_to_end_of_communication(ib);
    throw;
  }
}

using input_communication = communication<Message_types::input_message>;

// When debugging, echoes the communication on the compute-input debugging
// printer (taken at the time of the call) and flushes it.
input_communication get_input_communication(input_communication c);

// scanner_communication with the request reader and get_input_communication.
input_communication scanner_input_communication(Scanbuf& ib);

// --- implementation -----------------------------------------------------------

void debug_scanner_communication_per_se();
// "starting marker found: %S@." and "closing marker found: %S@."
void debug_starting_marker_found(const std::string& marker);
void debug_closing_marker_found(const std::string& marker);
void debug_creating_communication();
// "%_r %r": comments, then blanks.
void skip_before_communication(Scanbuf& ib);

template <class F>
auto scanner_communication_per_se(F scanner_message, Scanbuf& ib)
    -> communication<decltype(scanner_message(ib))> {
  Message_types_read::set_failed_line_consumed(false);
  skip_before_communication(ib);
  debug_scanner_communication_per_se();
  std::string starting_marker = scanner_marker(ib);
  debug_starting_marker_found(starting_marker);
  auto message = scanner_message(ib);
  std::string closing_marker = scanner_marker(ib);
  debug_closing_marker_found(closing_marker);
  debug_creating_communication();
  return {std::move(starting_marker), std::move(message), std::move(closing_marker)};
}

}  // namespace Communication_types_read
