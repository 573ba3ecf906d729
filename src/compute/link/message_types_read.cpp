#include "link/message_types_read.hpp"

#include <string>

#include "config/say.hpp"
#include "description/input_data_types_read.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"

namespace Message_types_read {

using namespace Message_types;
using Scanning::r;
using Scanning::scan;

namespace {

bool line_consumed = false;

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void skip_blanks(Scanbuf& ib) {
  while (is_blank(ib.peek())) ib.consume();
}

// The rest of the line is part of the unknown name: the failure quotes the
// whole of it after the position header (spanning the joined text).
[[noreturn]] void unknown_input_gui_message(const std::string& start, Scanbuf& ib) {
  std::string rest;
  scan(ib, "%s@\n", rest);  // the rest of the line, its newline consumed
  const std::string text = start + rest;
  const std::string header =
      Scanner_utils::scanner_error_header(static_cast<long long>(text.size()), ib);
  set_failed_line_consumed(true);
  throw Scan_failure(Format::sprintf("%s\n%s", header,
                                     Format::sprintf("Unknown input gui message '%s'", text)));
}

input_message input_message_of_ident(const std::string& ident, Scanbuf& ib) {
  if (ident == "Quit") return Quit{};
  if (ident == "Compute_data") return Compute_data{};
  if (ident == "Invalidate_data") return Invalidate_data{};
  if (ident == "Validate_data") return Validate_data{};
  if (ident == "Read_data") {
    Read_data message;
    scan(ib, " %r", r(Input_data_types_read::scanner_input_data, message.value));
    return message;
  }
  unknown_input_gui_message(ident, ib);
}

}  // namespace

bool failed_line_consumed() { return line_consumed; }
void set_failed_line_consumed(bool consumed) { line_consumed = consumed; }

void skip_sharp_comments(Scanbuf& ib) {
  skip_blanks(ib);
  while (ib.peek() == '#') {
    scan(ib, "#%_[^\n]@\n");
    skip_blanks(ib);
  }
}

input_message scanner_input_message(Scanbuf& ib) {
  if (Quavor_configuration::get_debug()) Say::debug("scanner_input_message");
  char c = 0;
  scan(ib, " %0c", c);
  if (c >= 'A' && c <= 'Z') return input_message_of_ident(Scanner_utils::scan_uident(ib), ib);
  if (c == '#') {
    // The comments, blanks, then the request itself.
    input_message message;
    scan(ib, "%_r %r", r(skip_sharp_comments), r(scanner_input_message, message));
    return message;
  }
  unknown_input_gui_message("", ib);
}

}  // namespace Message_types_read
