#include "link/communication_types_read.hpp"

#include <optional>

#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "link/communication_types_pprint.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"

namespace Communication_types_read {

using Scanning::scan;

namespace {

bool debugging() { return Quavor_configuration::get_debug(); }

// A marker is a literal format: "%%" stands for one percent sign, any other
// "%" starts a conversion, which a literal cannot hold.
bool holds_a_conversion(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    return true;
  }
  return false;
}

}  // namespace

void skip_before_communication(Scanbuf& ib) {
  Message_types_read::skip_sharp_comments(ib);
  scan(ib, " ");
}

// The comment skipper, then a character must follow: a marker missing at the
// end of the input means the communication was cut short.
void skip_sharp_comments_before_marker(Scanbuf& ib) {
  Message_types_read::skip_sharp_comments(ib);
  ib.checked_peek();
}

std::string scanner_marker(Scanbuf& ib) {
  std::string text;
  scan(ib, "%_r%s@\n", Scanning::r(skip_sharp_comments_before_marker), text);
  if (holds_a_conversion(text)) {
    Message_types_read::set_failed_line_consumed(true);
    throw Scan_failure(Format::sprintf("bad input: format type mismatch between %S and %S", text, std::string()));
  }
  return text;
}

namespace {

// The tag of a marker line, read by `read_tag` from the line start; nothing
// when the line does not match.
template <class R>
std::optional<std::string> marker_line_tag(std::string_view line, R read_tag) {
  auto ib = Scanbuf::from_string(std::string(line));
  std::string tag;
  try {
    read_tag(ib, tag);
  } catch (const Scan_failure&) {
    return std::nullopt;
  } catch (const End_of_file&) {
    return std::nullopt;
  }
  return tag;
}

// False at the end of the input.
bool skip_to_closing_marker_line(Scanbuf& ib) {
  // The rest of the line where reading failed, unless the failing reader
  // consumed it whole.
  if (!Message_types_read::failed_line_consumed()) Scanner_utils::skip_one_line(ib);
  Message_types_read::set_failed_line_consumed(false);
  while (!ib.end_of_input()) {
    char c = 0;
    scan(ib, "%0c", c);
    if (c != ')') {
      Scanner_utils::skip_one_line(ib);
      continue;
    }
    std::string tag;
    try {
      // Each "%_s@ " runs up to and including the next blank, line ends included.
      scan(ib, closing_marker_pattern, tag);
    } catch (const Scan_failure& failure) {
      if (debugging()) Say::debug(Format::sprintf("Debug skip_to_end_of_communication: %s", failure.message()));
      Scanner_utils::skip_one_line(ib);
      continue;
    }
    Scanner_utils::skip_end_of_line(ib);
    if (tag == Communication_types::get_communication_closing_tag()) return true;
  }
  return false;
}

}  // namespace

bool is_closing_marker_line(std::string_view line) {
  return !line.empty() && line[0] == ')' &&
         marker_line_tag(line, [](Scanbuf& ib, std::string& tag) { scan(ib, closing_marker_pattern, tag); }) ==
             Communication_types::get_communication_closing_tag();
}

bool is_opening_marker_line(std::string_view line) {
  return !line.empty() && line[0] == '(' &&
         marker_line_tag(line, [](Scanbuf& ib, std::string& tag) { scan(ib, starting_marker_pattern, tag); }) ==
             Communication_types::get_communication_starting_tag();
}

bool ends_a_message(std::string_view line) { return is_closing_marker_line(line) || is_opening_marker_line(line); }

bool skip_to_end_of_communication(Scanbuf& ib, Communication_frame::Framed_buffer* frame) {
  const Communication_frame::Wall_guard wall(frame, is_opening_marker_line);
  try {
    return skip_to_closing_marker_line(ib);
  } catch (const Communication_frame::Wall_reached&) {
    // The next communication starts on this line.
    Message_types_read::set_failed_line_consumed(false);
    return true;
  }
}

void debug_scanner_communication_per_se() {
  if (debugging()) Say::debug("scanner_communication_per_se");
}

void debug_starting_marker_found(const std::string& marker) {
  if (debugging())
    Say::fdebug([&](Format::Printer& ppf) { Format::fprintf(ppf, "starting marker found: %S@.", marker); });
}

void debug_closing_marker_found(const std::string& marker) {
  if (debugging())
    Say::fdebug([&](Format::Printer& ppf) { Format::fprintf(ppf, "closing marker found: %S@.", marker); });
}

void debug_creating_communication() {
  if (debugging()) Say::debug("Creating communication");
}

input_communication get_input_communication(input_communication c) {
  if (debugging()) {
    Format::Printer& ppf = Quavor_configuration::get_compute_input_debugging_formatter();
    Communication_types_pprint::print_input_communication(ppf, c);
    ppf.print_flush();
  }
  return c;
}

input_communication scanner_input_communication(Scanbuf& ib) {
  return scanner_communication(Message_types_read::scanner_input_message, get_input_communication, ib);
}

input_communication scanner_input_communication(Communication_frame::Framed_buffer& frame) {
  return scanner_communication(Message_types_read::scanner_input_message, get_input_communication, frame.buffer(),
                               &frame);
}

}  // namespace Communication_types_read
