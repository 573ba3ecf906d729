#include "text/scanner_utils.hpp"

#include "text/format.hpp"

namespace Scanner_utils {

using Scanning::scan;

namespace {

// A display name or a token between double quotes, as written as is.
void print_quoted_name(Format::Printer& ppf, const std::string& name) {
  ppf.print_string("\"");
  ppf.print_string(name);
  ppf.print_string("\"");
}

}  // namespace

std::string scanner_error_header(long long length, Scanbuf& ib) {
  long long line = 0;
  long long chars = 0;
  scan(ib, "%l%n", line, chars);
  return Format::sprintf("File %a, line %d, characters %d-%d:", print_quoted_name, ib.name_of_input(), line,
                         chars - length, chars);
}

void scanner_error(long long length, Scanbuf& ib, const std::string& message) {
  throw Scan_failure(Format::sprintf("%s\n%s", scanner_error_header(length, ib), message));
}

void invalid_token_kind_error(const std::string& token, Scanbuf& ib, const std::string& kind) {
  std::string header = scanner_error_header(static_cast<long long>(token.size()), ib);
  throw Scan_failure(
      Format::sprintf("%s\n%s", header, Format::sprintf("%a is not a valid %s", print_quoted_name, token, kind)));
}

namespace {

// The identifier made of the two runs; when the first is empty the word has
// the wrong case, reported with the character that follows it.
std::string checked_ident(Scanbuf& ib, const std::string& first, const std::string& rest) {
  if (first.empty()) {
    char c = 0;
    scan(ib, "%0c", c);
    scanner_error(static_cast<long long>(rest.size()), ib,
                  Format::sprintf("Invalid case for ident '%s%s' when encountering character %C", first, rest, c));
  }
  return first + rest;
}

}  // namespace

std::string scan_uident(Scanbuf& ib) {
  std::string first, rest;
  scan(ib, "%[A-Z]%[a-z_A-Z0-9']", first, rest);
  return checked_ident(ib, first, rest);
}

std::string scan_lident(Scanbuf& ib) {
  std::string first, rest;
  scan(ib, "%[a-z_]%[a-z_A-Z0-9']", first, rest);
  return checked_ident(ib, first, rest);
}

std::string scan_ident(Scanbuf& ib) {
  std::string first, rest;
  scan(ib, "%[A-Za-z_]%[a-z_A-Z0-9']", first, rest);
  std::string ident = first + rest;
  if (ident.empty()) scanner_error(0, ib, "No ident found");
  return ident;
}

void skip_end_of_line(Scanbuf& ib) {
  int c = ib.peek();
  if (c == '\n') {
    ib.consume();
  } else if (c == '\r') {
    ib.consume();
    if (ib.peek() == '\n') ib.consume();
  }
}

void skip_one_line(Scanbuf& ib) { scan(ib, "%_[^\n]@\n"); }

std::string read_one_line(Scanbuf& ib) {
  std::string line;
  scan(ib, "%[^\n]\n", line);
  return line;
}

std::string format_delimiter_of_string(std::string_view text) {
  std::string pattern;
  pattern.reserve(text.size());
  for (char c : text) {
    if (c == '%' || c == '@') pattern.push_back('%');
    pattern.push_back(c);
  }
  return pattern;
}

std::string scan_constant_constructor(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%0c", c);
  if (c == '(') {
    scan(ib, "( )");
    return "()";
  }
  if (c == '[') {
    scan(ib, "[ ]");
    return "[]";
  }
  return scan_uident(ib);
}

std::string scan_infix_constructor(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%0c", c);
  if (c != ':') scanner_error(0, ib, "No infix constructor found");
  scan(ib, "::");
  return "::";
}

std::string check_word(std::string_view expected, Scanbuf& ib) {
  std::string word;
  scan(ib, "%s", word);
  if (word != expected)
    scanner_error(static_cast<long long>(word.size()), ib,
                  Format::sprintf("waiting for %s, found %s", expected, word));
  return word;
}

char _check_char(char expected, Scanbuf& ib) {
  char c = 0;
  scan(ib, "%c", c);
  if (c != expected)
    scanner_error(1, ib, Format::sprintf("waiting for %c, found %c", expected, c));
  return c;
}

std::string scanner_field_name(std::string_view label, Scanbuf& ib) {
  std::string found = scan_lident(ib);
  if (found != label)
    scanner_error(static_cast<long long>(found.size()), ib,
                  Format::sprintf("cannot read field name '%s', found label '%s'", label, found));
  return found;
}

}  // namespace Scanner_utils
