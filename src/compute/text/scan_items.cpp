#include "text/scan_items.hpp"

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scan_numbers.hpp"
#include "text/scanning.hpp"

namespace Scan_items {

using Scan_numbers::float_of_string;
using Scan_numbers::int_of_string;
using Scan_patterns::Item;
using Scan_patterns::Out;
using Scan_patterns::Out_kind;
using Scanning::Scanbuf;

namespace {

[[noreturn, gnu::noinline]] void fail(std::string message) { throw Scan_failure(message); }

bool is_digit(int c) { return c >= '0' && c <= '9'; }

bool is_white(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

[[noreturn, gnu::noinline]] void character_mismatch(char expected, char found) {
  fail(Format::sprintf("looking for %C, found %C", expected, found));
}

}  // namespace

std::string quoted_char(char c) {
  switch (c) {
    case '\'': return "'\\''";
    case '\\': return "'\\\\'";
    case '\n': return "'\\n'";
    case '\t': return "'\\t'";
    case '\r': return "'\\r'";
    case '\b': return "'\\b'";
    default: break;
  }
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= ' ' && u <= '~') return std::string{'\'', c, '\''};
  char code[8];
  std::snprintf(code, sizeof code, "'\\%03u'", static_cast<unsigned>(u));
  return code;
}

// ---------------------------------------------------------------------------
// Literal characters and line ends.

void check_char(Scanbuf& ib, char expected) {
  if (ib.consume_if_next(expected)) return;
  char c = ib.checked_peek();
  if (c != expected) character_mismatch(expected, c);
  ib.consume();
}

void check_newline(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (c == '\n') {
    ib.consume();
  } else if (c == '\r') {
    ib.consume();
    check_char(ib, '\n');
  } else {
    character_mismatch('\n', c);
  }
}

// ---------------------------------------------------------------------------
// Conversions.

namespace {

void store(Scanbuf& ib, char c) {
  ib.token.push_back(c);
  ib.consume();
}



// Digit runs: underscores are skipped, not collected. Digits are most of
// what a description holds: the loop is compiled as one piece, the token's
// growth included, rather than left to the inliner's budget for this file.
[[gnu::flatten]] void decimal_digit_star(Scanbuf& ib) {
  for (;;) {
    int c = ib.peek();
    if (is_digit(c)) store(ib, static_cast<char>(c));
    else if (c == '_') ib.consume();
    else return;
  }
}

void decimal_digit_plus(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (!is_digit(c)) fail(Format::sprintf("character %C is not a decimal digit", c));
  store(ib, c);
  decimal_digit_star(ib);
}

bool is_base_digit(unsigned base, int c) {
  switch (base) {
    case 2: return c == '0' || c == '1';
    case 8: return c >= '0' && c <= '7';
    default: return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  }
}

void base_digit_plus(Scanbuf& ib, unsigned base, const char* base_name) {
  char c = ib.checked_peek();
  if (!is_base_digit(base, c))
    fail(Format::sprintf("character %C is not a valid %s digit", c, base_name));
  store(ib, c);
  for (;;) {
    int d = ib.peek();
    if (is_base_digit(base, d)) store(ib, static_cast<char>(d));
    else if (d == '_') ib.consume();
    else return;
  }
}

void scan_sign(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (c == '+' || c == '-') store(ib, c);
}

void scan_exponent_part(Scanbuf& ib) {
  int c = ib.peek();
  if (c != 'e' && c != 'E') return;
  store(ib, static_cast<char>(c));
  scan_sign(ib);
  decimal_digit_plus(ib);
}

void scan_float(Scanbuf& ib) {
  scan_sign(ib);
  decimal_digit_star(ib);
  if (ib.peek() == '.') {
    store(ib, '.');
    if (is_digit(ib.peek())) decimal_digit_star(ib);
  }
  scan_exponent_part(ib);
}

void scan_int(Scanbuf& ib, char conversion) {
  scan_sign(ib);
  if (conversion == 'd' || ib.checked_peek() != '0') {
    decimal_digit_plus(ib);
    return;
  }
  store(ib, '0');
  int c = ib.peek();
  if (c == 'x' || c == 'X') {
    store(ib, static_cast<char>(c));
    base_digit_plus(ib, 16, "hexadecimal");
  } else if (c == 'o') {
    store(ib, 'o');
    base_digit_plus(ib, 8, "octal");
  } else if (c == 'b') {
    store(ib, 'b');
    base_digit_plus(ib, 2, "binary");
  } else {
    decimal_digit_star(ib);
  }
}

long long int_of_token(const std::string& token, char int_size) {
  long long value = int_of_string(token);
  long long low = std::numeric_limits<long long>::min();
  long long high = std::numeric_limits<long long>::max();
  if (int_size == 'l') {
    low = std::numeric_limits<std::int32_t>::min();
    high = std::numeric_limits<std::int32_t>::max();
  } else if (int_size == 'n') {
    low = std::numeric_limits<std::intptr_t>::min();
    high = std::numeric_limits<std::intptr_t>::max();
  }
  if (value < low || value > high) fail("int_of_string");
  return value;
}

[[noreturn]] void premature_end(const char* what) {
  fail(Format::sprintf("scanning of %s failed: premature end of file occurred before end of token", what));
}

char next_in_token(Scanbuf& ib, const char* what) {
  int c = ib.peek();
  if (c < 0) premature_end(what);
  return static_cast<char>(c);
}

int hex_value(char c) {
  if (is_digit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

// The character after a backslash, collected into the token.
void scan_backslash_char(Scanbuf& ib, const char* what) {
  char c = next_in_token(ib, what);
  auto escaped = [&](char value) {
    ib.consume();
    ib.token.push_back(value);
  };
  switch (c) {
    case '\\': case '\'': case '"': escaped(c); return;
    case 'n': escaped('\n'); return;
    case 't': escaped('\t'); return;
    case 'b': escaped('\b'); return;
    case 'r': escaped('\r'); return;
    default: break;
  }
  auto next_digit = [&](bool hexadecimal) {
    ib.consume();
    char d = next_in_token(ib, what);
    bool ok = hexadecimal ? is_base_digit(16, d) : is_digit(d);
    if (!ok) fail(Format::sprintf("illegal escape character %C", d));
    return d;
  };
  if (is_digit(c)) {
    char c1 = next_digit(false);
    char c2 = next_digit(false);
    // The third digit is looked at, not consumed, when it makes a code too
    // large: the failure points at it, as at any other character refused.
    int code = (c - '0') * 100 + (c1 - '0') * 10 + (c2 - '0');
    if (code > 255) fail(Format::sprintf("bad character decimal encoding \\%c%c%c", c, c1, c2));
    ib.consume();
    ib.token.push_back(static_cast<char>(code));
    return;
  }
  if (c == 'x') {
    char c1 = next_digit(true);
    char c2 = next_digit(true);
    ib.consume();
    ib.token.push_back(static_cast<char>(hex_value(c1) * 16 + hex_value(c2)));
    return;
  }
  fail(Format::sprintf("illegal escape character %C", c));
}

void scan_caml_string(Scanbuf& ib) {
  check_char(ib, '"');
  for (;;) {
    char c = next_in_token(ib, "a String");
    if (c == '"') {
      ib.consume();
      return;
    }
    if (c != '\\') {
      store(ib, c);
      continue;
    }
    ib.consume();
    c = next_in_token(ib, "a String");
    if (c == '\r' || c == '\n') {
      // A line break after a backslash is dropped with the spaces after it.
      // A carriage return is one only with its line feed: alone it is an
      // escape character like any other, and none is defined for it. One
      // character of lookahead means it is consumed before this is known.
      ib.consume();
      if (c == '\r') {
        if (next_in_token(ib, "a String") != '\n') fail(Format::sprintf("illegal escape character %C", c));
        ib.consume();
      }
      while (next_in_token(ib, "a String") == ' ') ib.consume();
    } else {
      scan_backslash_char(ib, "a String");
    }
  }
}

void scan_caml_char(Scanbuf& ib) {
  check_char(ib, '\'');
  char c = next_in_token(ib, "a Char");
  if (c == '\\') {
    ib.consume();
    scan_backslash_char(ib, "a Char");
  } else {
    store(ib, c);
  }
  c = next_in_token(ib, "a Char");
  if (c != '\'') character_mismatch('\'', c);
  ib.consume();
}

std::bitset<256> build_char_set(const Item& item) {
  std::bitset<256> set;
  std::string_view s = item.set;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char low = static_cast<unsigned char>(s[i]);
    if (i + 2 < s.size() && s[i + 1] == '-') {
      unsigned char high = static_cast<unsigned char>(s[i + 2]);
      for (unsigned c = low; c <= high; ++c) set.set(c);
      i += 2;
    } else {
      set.set(low);
    }
  }
  if (item.negated) set.flip();
  return set;
}

// The set of a pattern item, built once per set text: readers use a handful
// of sets, each on many characters.
const std::bitset<256>& char_set(const Item& item) {
  struct Entry {
    std::string text;
    bool negated;
    std::bitset<256> set;
  };
  thread_local std::vector<Entry> cache;
  for (const Entry& e : cache)
    if (e.negated == item.negated && e.text == item.set) return e.set;
  if (cache.size() >= 64) cache.clear();
  cache.push_back({std::string(item.set), item.negated, build_char_set(item)});
  return cache.back().set;
}

void scan_chars_in_set(Scanbuf& ib, const Item& item, bool keep) {
  const std::bitset<256>& set = char_set(item);
  for (;;) {
    int c = ib.peek();
    if (c < 0 || c == item.stop || !set.test(static_cast<unsigned>(c))) break;
    if (keep) ib.token.push_back(static_cast<char>(c));
    ib.consume();
  }
  if (item.stop >= 0 && ib.peek() >= 0) check_char(ib, static_cast<char>(item.stop));
}

void scan_word(Scanbuf& ib, const Item& item) {
  if (item.stop < 0) {
    for (int c = ib.peek(); c >= 0 && !is_white(c); c = ib.peek()) store(ib, static_cast<char>(c));
    return;
  }
  for (int c = ib.peek(); c >= 0 && c != item.stop; c = ib.peek()) store(ib, static_cast<char>(c));
  if (ib.peek() >= 0) ib.consume();
}

void store_int(const Out& out, long long value) {
  if (!out.store_int(out.target, value)) fail("int_of_string");
}

}  // namespace

// Out of line in the engine's steps, and it must stay so: nested readers
// recurse through the scan steps, and the locals of the conversions must not
// weigh on every level of that recursion.
void run_conversion(Scanbuf& ib, const Item& item, const Out* out) {
  ib.token.clear();
  switch (item.conversion) {
    case 'f':
      scan_float(ib);
      if (out) *static_cast<double*>(out->target) = float_of_string(ib.token);
      else float_of_string(ib.token);
      return;
    case 'd':
    case 'i': {
      scan_int(ib, item.conversion);
      long long value = int_of_token(ib.token, item.int_size);
      if (out) store_int(*out, value);
      return;
    }
    case 'S':
      scan_caml_string(ib);
      break;
    case 'C':
      scan_caml_char(ib);
      if (out) *static_cast<char*>(out->target) = ib.token[0];
      return;
    case 'c': {
      char c = ib.checked_peek();
      if (!item.peek) ib.consume();
      if (out) *static_cast<char*>(out->target) = c;
      return;
    }
    case '[':
      scan_chars_in_set(ib, item, out != nullptr);
      break;
    case 's':
      scan_word(ib, item);
      break;
    case 'l':
      if (out) store_int(*out, ib.line_count());
      return;
    case 'n':
      if (out) store_int(*out, ib.char_count());
      return;
    default:  // %,
      return;
  }
  if (out) *static_cast<std::string*>(out->target) = ib.token;
}

}  // namespace Scan_items
