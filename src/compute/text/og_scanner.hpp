#pragma once
// Readers of the basic shapes of the value text syntax: strings, numbers,
// lists, options, references. The composite readers take the reader of
// their elements first: `Og_scanner::scanner_List(scanner_point, ib)`.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "text/scanning.hpp"

namespace Og_scanner {

using Scanning::Scanbuf;

template <class F>
using result_of = std::remove_cvref_t<std::invoke_result_t<F&, Scanbuf&>>;

std::string scanner_quoted_string(Scanbuf& ib);
// A fresh mutable copy of the string read.
std::string scanner_Bytes(Scanbuf& ib);
char scanner_quoted_char(Scanbuf& ib);
int scanner_quoted_int(Scanbuf& ib);
std::intptr_t scanner_quoted_nativeint(Scanbuf& ib);
std::int32_t scanner_quoted_int32(Scanbuf& ib);
std::int64_t scanner_quoted_int64(Scanbuf& ib);
double scanner_quoted_float(Scanbuf& ib);
void scanner_unit(Scanbuf& ib);
bool scanner_bool(Scanbuf& ib);

// The elements of "[ a ; b ]" (or "[| a ; b |]" when `terminator` is '|'),
// read as the %r of the enclosing "[ %r ]": elements are separated by an
// optional ';', a ';' may stand before the closing bracket.
template <class F>
std::vector<result_of<F>> scanner_elements(F& element, char terminator, Scanbuf& ib) {
  std::vector<result_of<F>> elements;
  for (;;) {
    char c = 0;
    Scanning::scan(ib, "%0c", c);
    if (c == terminator) return elements;
    result_of<F> x{};
    Scanning::scan(ib, "%r ", Scanning::r(element, x));
    elements.push_back(std::move(x));
    Scanning::scan(ib, "%0c", c);
    if (c == ';') Scanning::scan(ib, "; ");
  }
}

template <class F>
std::vector<result_of<F>> scanner_List(F element, Scanbuf& ib) {
  std::vector<result_of<F>> elements;
  Scanning::scan(ib, "[ %r ]", Scanning::r([&](Scanbuf& b) { return scanner_elements(element, ']', b); }, elements));
  return elements;
}

template <class F>
std::vector<result_of<F>> scanner_Array(F element, Scanbuf& ib) {
  std::vector<result_of<F>> elements;
  Scanning::scan(ib, "[| %r |]", Scanning::r([&](Scanbuf& b) { return scanner_elements(element, '|', b); }, elements));
  return elements;
}

// "( x )" or "x".
template <class F>
result_of<F> scanner_parens_opt(F element, Scanbuf& ib) {
  char c = 0;
  Scanning::scan(ib, "%0c", c);
  result_of<F> x{};
  if (c == '(') Scanning::scan(ib, "( %r )", Scanning::r(element, x));
  else Scanning::scan(ib, "%r", Scanning::r(element, x));
  return x;
}

// "None", "Some x" or "Some (x)".
template <class F>
std::optional<result_of<F>> scanner_Option(F element, Scanbuf& ib) {
  char c = 0;
  Scanning::scan(ib, "%0c", c);
  if (c == 'N') {
    Scanning::scan(ib, "None");
    return std::nullopt;
  }
  result_of<F> x{};
  Scanning::scan(ib, "Some %r", Scanning::r([&](Scanbuf& b) { return scanner_parens_opt(element, b); }, x));
  return x;
}

// "ref x" or "{ contents = x }"; yields x.
template <class F>
result_of<F> scanner_Ref(F element, Scanbuf& ib) {
  char c = 0;
  Scanning::scan(ib, "%0c", c);
  result_of<F> x{};
  if (c == 'r') Scanning::scan(ib, "ref %r", Scanning::r(element, x));
  else Scanning::scan(ib, "{ contents = %r }", Scanning::r(element, x));
  return x;
}

// "lazy x"; yields x.
template <class F>
result_of<F> scanner_Lazy(F element, Scanbuf& ib) {
  result_of<F> x{};
  Scanning::scan(ib, "lazy %r", Scanning::r(element, x));
  return x;
}

// Values that have no text form: the placeholder is read, then refused.
[[noreturn]] void scanner_Fun(Scanbuf& ib);
[[noreturn]] void scanner_Poly(Scanbuf& ib);
[[noreturn]] void scanner_Abstract(Scanbuf& ib);
[[noreturn]] void scanner_External(Scanbuf& ib);

// Lenient sequence: element, `separator` pattern, element... The first
// failure of either ends the sequence (swallowed; what it consumed is lost).
template <class F>
std::vector<result_of<F>> scanner_list(F element, std::string_view separator, Scanbuf& ib) {
  std::vector<result_of<F>> elements;
  for (;;) {
    try {
      elements.push_back(element(ib));
      Scanning::scan_delimiter(ib, separator);
    } catch (const Scan_failure&) {
      return elements;
    } catch (const End_of_file&) {
      return elements;
    }
  }
}
template <class F>
std::vector<result_of<F>> scanner_array(F element, std::string_view separator, Scanbuf& ib) {
  return scanner_list(element, separator, ib);
}

// Absent at the end of input or when the next character is not the first of
// `prefix`; otherwise the prefix pattern, then the value.
template <class F>
std::optional<result_of<F>> scanner_option(std::string_view prefix, F element, Scanbuf& ib) {
  int c = ib.peek();
  if (c < 0 || prefix.empty() || static_cast<char>(c) != prefix[0]) return std::nullopt;
  Scanning::scan_delimiter(ib, prefix);
  return element(ib);
}

}  // namespace Og_scanner
