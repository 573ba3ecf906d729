#pragma once
// The directive interpreter of the box layout printer: turns a format
// string and its arguments into calls of the layout engine.
//
// A format string is parsed by one grammar (parse_format below) that drives
// a handler. The compile-time checker is one handler (run by the consteval
// constructor of Format::Format_string, so a wrong count or kind of
// arguments is a compile error); the renderers in format_interpreter.cpp,
// onto a layout printer or into plain text, are the others. The templates
// of Format only pack the arguments into a type-erased array (pack below)
// and call one non-template core.
#include <array>
#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "text/layout_engine.hpp"

namespace Format {
class Printer;
}

namespace Format_interpreter {

using Format::Printer;
using Layout_engine::Box_kind;

// The argument of "%(...%)": a format text without conversions, printed in
// place (its layout directives are interpreted as those of the enclosing
// format).
struct Fmt {
  std::string_view text;
};

// ---------------------------------------------------------------------------
// The grammar of format strings, written once.

enum class Directive {
  Open_box,       // "@[..."
  Close_box,      // "@]"
  Break,          // "@,", "@ ", "@;", "@;<n m>"
  Force_newline,  // "@\n"
  Newline,        // "@."
  Flush,          // "@?"
  At,             // "@@"
};

struct Directive_spec {
  Directive directive;
  Box_kind kind = Box_kind::B;  // for Open_box
  int indent = 0;               // for Open_box
  int blanks = 0;               // for Break
  int offset = 0;               // for Break
};

struct Conversion_spec {
  char letter;          // s S c C d i f F B a t (
  int precision = -1;   // for f: number of decimals (6 when absent)
  std::string_view inner;  // for "%(...%)": the text between the parentheses
};

// Reads an optionally negative decimal integer at s[i]; false when absent.
constexpr bool parse_int(std::string_view s, std::size_t& i, int& value) {
  bool negative = false;
  if (i < s.size() && s[i] == '-') {
    negative = true;
    ++i;
  }
  if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  long v = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    v = v * 10 + (s[i] - '0');
    if (v > 1000000) return false;
    ++i;
  }
  value = static_cast<int>(negative ? -v : v);
  return true;
}

constexpr void skip_blanks(std::string_view s, std::size_t& i) {
  while (i < s.size() && s[i] == ' ') ++i;
}

// The inside of "@[<kind n>"; false when malformed.
constexpr bool parse_box_spec(std::string_view text, Directive_spec& d) {
  std::size_t i = 0;
  skip_blanks(text, i);
  std::size_t start = i;
  while (i < text.size() && text[i] >= 'a' && text[i] <= 'z') ++i;
  std::string_view kind = text.substr(start, i - start);
  if (kind == "h") d.kind = Box_kind::H;
  else if (kind == "v") d.kind = Box_kind::V;
  else if (kind == "hv") d.kind = Box_kind::HV;
  else if (kind == "hov") d.kind = Box_kind::HOV;
  else if (kind == "b" || kind.empty()) d.kind = Box_kind::B;
  else return false;
  skip_blanks(text, i);
  if (i < text.size() && !parse_int(text, i, d.indent)) return false;
  skip_blanks(text, i);
  return i == text.size();
}

// The inside of "@;<n m>"; false when malformed.
constexpr bool parse_break_spec(std::string_view text, Directive_spec& d) {
  std::size_t i = 0;
  skip_blanks(text, i);
  if (!parse_int(text, i, d.blanks) || d.blanks < 0) return false;
  skip_blanks(text, i);
  if (!parse_int(text, i, d.offset)) return false;
  skip_blanks(text, i);
  return i == text.size();
}

// Finds the "<...>" that follows position i; returns its inside, or false.
constexpr bool angle_spec(std::string_view s, std::size_t i, std::string_view& inside,
                          std::size_t& end) {
  std::size_t close = s.find('>', i);
  if (close == std::string_view::npos) return false;
  inside = s.substr(i + 1, close - i - 1);
  end = close + 1;
  return true;
}

// Finds the "%)" that closes a "%(" whose inside starts at i.
constexpr std::size_t find_close_paren(std::string_view s, std::size_t i) {
  int depth = 1;
  while (i + 1 < s.size()) {
    if (s[i] == '%') {
      if (s[i + 1] == '(') ++depth;
      if (s[i + 1] == ')' && --depth == 0) return i;
      i += 2;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

// Parses an "@" directive at s[i] == '@'; returns the index after it.
template <class Handler>
constexpr std::size_t parse_at(std::string_view s, std::size_t i, Handler& h) {
  if (i + 1 >= s.size()) {
    h.literal(s.substr(i, 1));
    return i + 1;
  }
  Directive_spec d{Directive::Break};
  std::size_t next = i + 2;
  switch (s[i + 1]) {
    case '[':
      d.directive = Directive::Open_box;
      if (next < s.size() && s[next] == '<') {
        std::string_view inside;
        if (!angle_spec(s, next, inside, next) || !parse_box_spec(inside, d)) {
          h.error("malformed box description after \"@[\"");
          return s.size();
        }
      }
      break;
    case ']': d.directive = Directive::Close_box; break;
    case ',': d.blanks = 0; break;
    case ' ': d.blanks = 1; break;
    case ';':
      d.blanks = 1;
      if (next < s.size() && s[next] == '<') {
        std::string_view inside;
        if (!angle_spec(s, next, inside, next) || !parse_break_spec(inside, d)) {
          h.error("malformed break description after \"@;\"");
          return s.size();
        }
      }
      break;
    case '\n': d.directive = Directive::Force_newline; break;
    case '.': d.directive = Directive::Newline; break;
    case '?': d.directive = Directive::Flush; break;
    case '@': d.directive = Directive::At; break;
    default: h.literal(s.substr(i, 1)); return i + 1;
  }
  h.directive(d, s.substr(i, next - i));
  return next;
}

// Parses a "%" conversion at s[i] == '%'; returns the index after it.
template <class Handler>
constexpr std::size_t parse_percent(std::string_view s, std::size_t i, Handler& h) {
  std::size_t j = i + 1;
  if (j >= s.size()) {
    h.error("incomplete conversion at the end of the format");
    return s.size();
  }
  if (s[j] == '%') {
    h.literal(s.substr(j, 1));
    return j + 1;
  }
  if (s[j] == ',') return j + 1;
  Conversion_spec c{'\0', -1, {}};
  if (s[j] == '(') {
    std::size_t close = find_close_paren(s, j + 1);
    if (close == std::string_view::npos) {
      h.error("\"%(\" without its closing \"%)\"");
      return s.size();
    }
    c.letter = '(';
    c.inner = s.substr(j + 1, close - j - 1);
    h.conversion(c);
    return close + 2;
  }
  if (s[j] == '.') {
    int precision = 0;
    ++j;
    if (!parse_int(s, j, precision) || precision < 0 || precision > 200 || j >= s.size() ||
        s[j] != 'f') {
      h.error("a precision is only allowed as \"%.Nf\"");
      return s.size();
    }
    c.precision = precision;
  }
  if (j < s.size() && (s[j] == 'l' || s[j] == 'L' || s[j] == 'n') && j + 1 < s.size() &&
      (s[j + 1] == 'd' || s[j + 1] == 'i'))
    ++j;  // 32-bit, 64-bit and native integers print alike
  if (j >= s.size()) {
    h.error("incomplete conversion at the end of the format");
    return s.size();
  }
  switch (s[j]) {
    case 's': case 'S': case 'c': case 'C': case 'd': case 'i':
    case 'f': case 'F': case 'B': case 'a': case 't':
      c.letter = s[j];
      h.conversion(c);
      return j + 1;
    default:
      h.error("unknown conversion");
      return s.size();
  }
}

// The one parser of format strings: literal runs, directives, conversions.
template <class Handler>
constexpr void parse_format(std::string_view s, Handler& h) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t start = i;
    while (i < s.size() && s[i] != '@' && s[i] != '%') ++i;
    if (i > start) h.literal(s.substr(start, i - start));
    if (i >= s.size()) break;
    i = s[i] == '@' ? parse_at(s, i, h) : parse_percent(s, i, h);
  }
}

// ---------------------------------------------------------------------------
// What each argument may stand for.

template <class T>
using Plain = std::remove_cvref_t<T>;

template <class T>
constexpr bool is_char = std::is_same_v<Plain<T>, char>;
template <class T>
constexpr bool is_bool = std::is_same_v<Plain<T>, bool>;
template <class T>
constexpr bool is_integer = std::is_integral_v<Plain<T>> && !is_char<T> && !is_bool<T>;
template <class T>
constexpr bool is_float = std::is_floating_point_v<Plain<T>>;
template <class T>
constexpr bool is_string = !is_char<T> && std::is_convertible_v<const Plain<T>&, std::string_view>;
template <class T>
constexpr bool is_fmt = std::is_same_v<Plain<T>, Fmt>;
template <class T>
constexpr bool is_thunk = std::is_invocable_v<const Plain<T>&, Printer&>;
template <class F, class V>
constexpr bool applies_to = std::is_invocable_v<const Plain<F>&, Printer&, const Plain<V>&>;

struct Arg_traits {
  bool string, integer, floating, boolean, character, thunk, fmt, applier;
};

template <class T, class Next>
constexpr Arg_traits traits_of() {
  bool applier = false;
  if constexpr (!std::is_void_v<Next>) applier = applies_to<T, Next>;
  return {is_string<T>, is_integer<T>, is_float<T>, is_bool<T>,
          is_char<T>,   is_thunk<T>,   is_fmt<T>,   applier};
}

// Reports a format error at compile time: calling this non-constexpr
// function from the consteval checker makes the call site ill-formed.
void format_error(const char* message);

// The compile-time handler: checks each conversion against its argument.
template <std::size_t N>
struct Checker {
  const std::array<Arg_traits, N>& args;
  std::size_t next = 0;
  constexpr void literal(std::string_view) {}
  constexpr void directive(const Directive_spec&, std::string_view) {}
  constexpr void error(const char* message) { format_error(message); }
  constexpr const Arg_traits& take() {
    if (next >= N) format_error("more conversions than arguments");
    return args[next++];
  }
  constexpr void conversion(const Conversion_spec& c) {
    if (c.letter == '(') check_inner(c.inner);
    const Arg_traits& a = take();
    bool ok = false;
    switch (c.letter) {
      case 's': case 'S': ok = a.string; break;
      case 'c': case 'C': ok = a.character; break;
      case 'd': case 'i': ok = a.integer; break;
      case 'f': case 'F': ok = a.floating; break;
      case 'B': ok = a.boolean; break;
      case 't': ok = a.thunk; break;
      case '(': ok = a.fmt; break;
      case 'a':
        ok = a.applier;
        take();
        break;
    }
    if (!ok) format_error("argument of the wrong kind for its conversion");
  }
  // The format given to "%(...%)" carries no conversions of its own.
  constexpr void check_inner(std::string_view inner);
  constexpr void finish() {
    if (next != N) format_error("more arguments than conversions");
  }
};

// Checks the inside of "%(...%)": directives only.
template <int = 0>
struct Inner_checker {
  constexpr void literal(std::string_view) {}
  constexpr void directive(const Directive_spec&, std::string_view) {}
  constexpr void error(const char* message) { format_error(message); }
  constexpr void conversion(const Conversion_spec&) {
    format_error("\"%(...%)\" takes a format without conversions");
  }
};

template <std::size_t N>
constexpr void Checker<N>::check_inner(std::string_view inner) {
  Inner_checker<> inner_checker;
  parse_format(inner, inner_checker);
}

template <class... Args>
constexpr std::array<Arg_traits, sizeof...(Args)> all_traits() {
  using List = std::tuple<Args...>;
  constexpr std::size_t n = sizeof...(Args);
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Arg_traits, n>{traits_of<std::tuple_element_t<I, List>,
                                               std::conditional_t<(I + 1 < n),
                                                                  std::tuple_element_t<(I + 1 < n ? I + 1 : 0), List>,
                                                                  void>>()...};
  }(std::make_index_sequence<n>{});
}


// One argument, type-erased: its value when it is a plain value, and the
// ways to call it when it is a printer.
struct Arg {
  union {
    const void* object;
    void (*function)();
  } ref{nullptr};
  std::string_view text;
  long long integer = 0;
  unsigned long long uinteger = 0;
  bool is_unsigned = false;
  double number = 0;
  bool boolean = false;
  char character = '\0';
  Arg_traits traits{};
  void (*thunk)(Printer&, const Arg&) = nullptr;
  void (*apply)(Printer&, const Arg&, const Arg&) = nullptr;
};

template <class T>
const Plain<T>& deref(const Arg& a) {
  if constexpr (std::is_function_v<Plain<T>>)
    return *reinterpret_cast<Plain<T>*>(a.ref.function);
  else
    return *static_cast<const Plain<T>*>(a.ref.object);
}

template <class T>
Arg make_arg(const T& value) {
  Arg a;
  a.traits = traits_of<T, void>();
  if constexpr (std::is_function_v<T>)
    a.ref.function = reinterpret_cast<void (*)()>(&value);
  else
    a.ref.object = static_cast<const void*>(std::addressof(value));
  if constexpr (is_string<T>) {
    if constexpr (std::is_pointer_v<T>) {
      if (value != nullptr) a.text = std::string_view(value);
    } else {
      a.text = std::string_view(value);
    }
  }
  if constexpr (is_integer<T>) {
    if constexpr (std::is_unsigned_v<T>) {
      a.is_unsigned = true;
      a.uinteger = value;
    } else {
      a.integer = value;
    }
  }
  if constexpr (is_float<T>) a.number = static_cast<double>(value);
  if constexpr (is_bool<T>) a.boolean = value;
  if constexpr (is_char<T>) a.character = value;
  if constexpr (is_fmt<T>) a.text = value.text;
  if constexpr (is_thunk<T>)
    a.thunk = [](Printer& p, const Arg& self) { std::invoke(deref<T>(self), p); };
  return a;
}

template <class F, class V>
void set_applier(Arg& a) {
  if constexpr (applies_to<F, V>) {
    a.traits.applier = true;
    a.apply = [](Printer& p, const Arg& f, const Arg& v) { std::invoke(deref<F>(f), p, deref<V>(v)); };
  }
}

template <class... Args>
std::array<Arg, sizeof...(Args)> pack(const Args&... args) {
  std::array<Arg, sizeof...(Args)> packed{make_arg<Args>(args)...};
  using List = std::tuple<Args...>;
  constexpr std::size_t n = sizeof...(Args);
  if constexpr (n > 1) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      (set_applier<std::tuple_element_t<I, List>, std::tuple_element_t<I + 1, List>>(packed[I]), ...);
    }(std::make_index_sequence<n - 1>{});
  }
  return packed;
}

// The non-template cores.
void vfprintf(Printer& ppf, std::string_view format, std::span<const Arg> args);
std::string vasprintf(std::string_view format, std::span<const Arg> args);
std::string vsprintf(std::string_view format, std::span<const Arg> args);

}  // namespace Format_interpreter
