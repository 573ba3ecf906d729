#include "text/og_scanner.hpp"

namespace Og_scanner {

using Scanning::scan;

std::string scanner_quoted_string(Scanbuf& ib) {
  std::string s;
  scan(ib, "%S", s);
  return s;
}

std::string scanner_Bytes(Scanbuf& ib) {
  std::string s;
  scan(ib, "%S", s);
  return s;
}

char scanner_quoted_char(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%C", c);
  return c;
}

namespace {

bool opens_parenthesis(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%0c", c);
  return c == '(';
}

}  // namespace

int scanner_quoted_int(Scanbuf& ib) {
  int n = 0;
  if (opens_parenthesis(ib)) scan(ib, "( %i )", n);
  else scan(ib, "%i", n);
  return n;
}

std::intptr_t scanner_quoted_nativeint(Scanbuf& ib) {
  std::intptr_t n = 0;
  if (opens_parenthesis(ib)) scan(ib, "( %ni )", n);
  else scan(ib, "%ni", n);
  return n;
}

std::int32_t scanner_quoted_int32(Scanbuf& ib) {
  std::int32_t n = 0;
  if (opens_parenthesis(ib)) scan(ib, "( %li )", n);
  else scan(ib, "%li", n);
  return n;
}

std::int64_t scanner_quoted_int64(Scanbuf& ib) {
  std::int64_t n = 0;
  if (opens_parenthesis(ib)) scan(ib, "( %Li )", n);
  else scan(ib, "%Li", n);
  return n;
}

double scanner_quoted_float(Scanbuf& ib) {
  double x = 0.0;
  if (opens_parenthesis(ib)) scan(ib, "( %f )", x);
  else scan(ib, "%f", x);
  return x;
}

void scanner_unit(Scanbuf& ib) { scan(ib, "%, ( )"); }

bool scanner_bool(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%0c", c);
  if (c == 't') {
    scan(ib, "true");
    return true;
  }
  scan(ib, "false");
  return false;
}

void scanner_Fun(Scanbuf& ib) {
  scan(ib, "<fun>");
  throw Scan_failure("Cannot read a function");
}

void scanner_Poly(Scanbuf& ib) {
  scan(ib, "<poly>");
  throw Scan_failure("Cannot read a polymorphic value");
}

void scanner_Abstract(Scanbuf& ib) {
  scan(ib, "<abstract>");
  throw Scan_failure("Cannot read an abstract value");
}

void scanner_External(Scanbuf& ib) {
  scan(ib, "<external>");
  throw Scan_failure("Cannot read an external value");
}

}  // namespace Og_scanner
