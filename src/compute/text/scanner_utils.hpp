#pragma once
// Identifiers, line handling and positioned error messages for the readers
// of the value text syntax.
//
// The operations that take a continuation in the value text syntax return
// their result instead: the code after the call is the continuation, so a
// failure it raises is not prefixed by the operation's own scan step.
// Overloads taking a continuation `k` return `k(result)`.
#include <string>
#include <string_view>
#include <utility>

#include "text/scanning.hpp"

namespace Scanner_utils {

using Scanning::Scanbuf;

// "File \"<name>\", line L, characters C-length-C:" at the current position.
std::string scanner_error_header(long long length, Scanbuf& ib);

// Scan_failure "<header>\n<message>".
[[noreturn]] void scanner_error(long long length, Scanbuf& ib, const std::string& message);

// Scan_failure "<header>\n\"<token>\" is not a valid <kind>"; the header spans
// the token, which has just been read.
[[noreturn]] void invalid_token_kind_error(const std::string& token, Scanbuf& ib,
                                           const std::string& kind);

// An identifier starting with an upper-case letter.
std::string scan_uident(Scanbuf& ib);
// An identifier starting with a lower-case letter or an underscore.
std::string scan_lident(Scanbuf& ib);
// An identifier starting with a letter or an underscore.
std::string scan_ident(Scanbuf& ib);

template <class K>
auto scan_uident(Scanbuf& ib, K k) {
  return k(scan_uident(ib));
}
template <class K>
auto scan_lident(Scanbuf& ib, K k) {
  return k(scan_lident(ib));
}
template <class K>
auto scan_ident(Scanbuf& ib, K k) {
  return k(scan_ident(ib));
}

// One line ending (LF, CR LF or a lone CR); nothing otherwise.
void skip_end_of_line(Scanbuf& ib);
// Everything up to and including the next line feed.
void skip_one_line(Scanbuf& ib);
// The rest of the line; a carriage return before the line feed stays.
std::string read_one_line(Scanbuf& ib);

// A pattern without conversions matching `text` (for Scanning::scan_delimiter).
std::string format_delimiter_of_string(std::string_view text);

// "()", "[]" or an upper-case identifier.
std::string scan_constant_constructor(Scanbuf& ib);
// "::".
std::string scan_infix_constructor(Scanbuf& ib);

// A whitespace-delimited word that must be `expected`; yields it.
std::string check_word(std::string_view expected, Scanbuf& ib);
// One character that must be `expected`; yields it.
char _check_char(char expected, Scanbuf& ib);

// A lower-case label that must be `label`; yields it.
std::string scanner_field_name(std::string_view label, Scanbuf& ib);

// " label = value ; " with `value_reader` for the value; yields the pair.
template <class F>
auto scanner_field(std::string_view label, F value_reader, Scanbuf& ib) {
  std::string name;
  decltype(value_reader(ib)) value{};
  Scanning::scan(
      ib, " %r = %r ; ", Scanning::r([label](Scanbuf& b) { return scanner_field_name(label, b); }, name),
      Scanning::r(value_reader, value));
  return std::pair{std::move(name), std::move(value)};
}

}  // namespace Scanner_utils
