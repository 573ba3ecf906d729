#pragma once
// Reading one communication from the input program, and recovering after a
// communication that could not be read.
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "link/communication_frame.hpp"
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

// The frame walls: the lines a reader stops at. A closing marker line is one
// the recovery stops after (the closing pattern from the line start, tag
// "Xoff"); an opening marker line, the starting pattern from the line start
// with tag "Xon".
bool is_closing_marker_line(std::string_view line);
bool is_opening_marker_line(std::string_view line);
// A message ends at the closing marker line of its frame, and a frame at the
// opening marker line of the next one.
bool ends_a_message(std::string_view line);

// Skips the rest of the current line, then every line up to and including the
// next ") Xoff )" line, or to the end of the input. Read through a frame, it
// also stops before the next opening marker line: the next communication
// starts there. False when the end of the input came first.
bool skip_to_end_of_communication(Scanbuf& ib, Communication_frame::Framed_buffer* frame = nullptr);

// A reading failure after which the end of the input came before the end of
// the communication: the frame was cut short, the session cannot go on. The
// failure's message is kept.
struct Cut_communication : Scan_failure {
  explicit Cut_communication(const std::string& message) : Scan_failure(message) {}
};

// A starting marker line, the message, a closing marker line. Through a frame,
// the message is read up to the frame's closing marker line at most, and the
// closing marker is looked for up to the next opening marker line at most.
template <class F>
auto scanner_communication_per_se(F scanner_message, Scanbuf& ib, Communication_frame::Framed_buffer* frame)
    -> communication<decltype(scanner_message(ib))>;

// What a communication whose frame ended before its message or its closing
// marker fails with.
inline constexpr const char* premature_end_of_communication = "Premature end of communication";

// Reads one communication and returns k(communication). On any failure the
// recovery runs, then the failure goes on to the caller (or the recovery's own
// failure in its place); a Scan_failure after which the recovery met the end
// of the input becomes a Cut_communication. `frame`, when given, is the frame
// reader that `ib` belongs to; a frame that ends too early is then a
// Scan_failure with premature_end_of_communication.
template <class F, class K>
auto scanner_communication(F scanner_message, K k, Scanbuf& ib, Communication_frame::Framed_buffer* frame = nullptr) {
  try {
    auto c = scanner_communication_per_se(scanner_message, ib, frame);
    return k(std::move(c));
  } catch (const Communication_frame::Wall_reached&) {
    // Stopped at a line start: nothing of the wall's line has been read.
    Message_types_read::set_failed_line_consumed(true);
    skip_to_end_of_communication(ib, frame);
    throw Scan_failure(premature_end_of_communication);
  } catch (const Scan_failure& failure) {
    if (!skip_to_end_of_communication(ib, frame)) throw Cut_communication(failure.what());
    throw;
  } catch (const std::exception&) {
    skip_to_end_of_communication(ib, frame);
    throw;
  }
}

using input_communication = communication<Message_types::input_message>;

// When debugging, echoes the communication on the compute-input debugging
// printer (taken at the time of the call) and flushes it.
input_communication get_input_communication(input_communication c);

// scanner_communication with the request reader and get_input_communication.
input_communication scanner_input_communication(Scanbuf& ib);
input_communication scanner_input_communication(Communication_frame::Framed_buffer& frame);

// --- implementation -----------------------------------------------------------

void debug_scanner_communication_per_se();
// "starting marker found: %S@." and "closing marker found: %S@."
void debug_starting_marker_found(const std::string& marker);
void debug_closing_marker_found(const std::string& marker);
void debug_creating_communication();
// "%_r %r": comments, then blanks.
void skip_before_communication(Scanbuf& ib);

template <class F>
auto scanner_communication_per_se(F scanner_message, Scanbuf& ib, Communication_frame::Framed_buffer* frame)
    -> communication<decltype(scanner_message(ib))> {
  using Communication_frame::Wall_guard;
  Message_types_read::set_failed_line_consumed(false);
  skip_before_communication(ib);
  debug_scanner_communication_per_se();
  std::string starting_marker = scanner_marker(ib);
  debug_starting_marker_found(starting_marker);
  auto message = [&] {
    const Wall_guard wall(frame, ends_a_message);
    return scanner_message(ib);
  }();
  std::string closing_marker = [&] {
    const Wall_guard wall(frame, is_opening_marker_line);
    return scanner_marker(ib);
  }();
  debug_closing_marker_found(closing_marker);
  debug_creating_communication();
  return {std::move(starting_marker), std::move(message), std::move(closing_marker)};
}

}  // namespace Communication_types_read
