#include "text/scan_numbers.hpp"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "text/exceptions.hpp"

namespace Scan_numbers {

namespace {

[[noreturn, gnu::noinline]] void fail(std::string message) { throw Scan_failure(message); }

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// The decimal exponent of the first significant digit of a valid decimal
// float text, to tell an underflow from an overflow.
long long magnitude(std::string_view text) {
  std::size_t e = text.find_first_of("eE");
  std::string_view mantissa = text.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view ex = text.substr(e + 1);
    if (!ex.empty() && ex[0] == '+') ex.remove_prefix(1);
    auto [p, ec] = std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
    if (ec == std::errc::result_out_of_range)
      exponent = ex[0] == '-' ? -(1LL << 40) : (1LL << 40);
  }
  std::size_t point = mantissa.find('.');
  if (point == std::string_view::npos) point = mantissa.size();
  std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return -(1LL << 50);  // zero
  long long position = first < point ? static_cast<long long>(point - first - 1)
                                     : -static_cast<long long>(first - point);
  return position + exponent;
}

}  // namespace

// Decimal syntax only: [+-] digits [. digits] [(e|E) [+-] digits], with at
// least one mantissa digit. Correctly rounded; an infinite result fails.
double float_of_string(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string_view body = text.substr(i);
  std::size_t digits = 0, j = 0;
  while (j < body.size() && is_digit(body[j])) ++j, ++digits;
  if (j < body.size() && body[j] == '.') {
    ++j;
    while (j < body.size() && is_digit(body[j])) ++j, ++digits;
  }
  if (digits == 0) fail("float_of_string");
  if (j < body.size() && (body[j] == 'e' || body[j] == 'E')) {
    ++j;
    if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
    std::size_t start = j;
    while (j < body.size() && is_digit(body[j])) ++j;
    if (j == start) fail("float_of_string");
  }
  if (j != body.size()) fail("float_of_string");
  double value = 0.0;
  auto [p, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                 std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude(body) >= 0) fail("float_of_string");
    value = 0.0;  // below the smallest subnormal
  } else if (ec != std::errc() || p != body.data() + body.size()) {
    fail("float_of_string");
  }
  return negative ? -value : value;
}

// [+-] then decimal digits, or 0x/0X, 0o, 0b and digits of that base.
long long int_of_string(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    char p = text[i + 1];
    if (p == 'x' || p == 'X') base = 16;
    else if (p == 'o') base = 8;
    else if (p == 'b') base = 2;
    if (base != 10) i += 2;
  }
  if (i >= text.size()) fail("int_of_string");
  unsigned long long magnitude = 0;
  auto [p, ec] = std::from_chars(text.data() + i, text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || p != text.data() + text.size()) fail("int_of_string");
  constexpr unsigned long long max_positive = std::numeric_limits<long long>::max();
  if (negative) {
    if (magnitude > max_positive + 1) fail("int_of_string");
    return magnitude == max_positive + 1 ? std::numeric_limits<long long>::min()
                                         : -static_cast<long long>(magnitude);
  }
  if (magnitude > max_positive) fail("int_of_string");
  return static_cast<long long>(magnitude);
}

}  // namespace Scan_numbers
