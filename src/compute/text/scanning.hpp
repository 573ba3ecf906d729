#pragma once
// Formatted reading of the value text syntax.
//
// A scanning buffer holds one character of lookahead over a character
// source (a named file, an open channel, a function, a string) and counts
// the characters and line feeds fetched so far. Readers are written as
// patterns interpreted item by item against the buffer:
//
//   point p;
//   Scanning::scan(ib, "{ p_x = %f ; p_y = %f ; }", p.p_x, p.p_y);
//
// Each conversion stores into the matching argument; `%r` calls a nested
// reader given as `Scanning::r(reader, out)` (out = reader(ib)); `%_r` runs a
// reader given as `Scanning::r(reader)` and drops its result; `%s@x` takes
// every character up to the stop x, blanks included. Applying a
// pattern is one scan step: it clears the token buffer, runs the items, and
// re-raises every Scan_failure (those of nested readers included) as
// "scanf: bad input at char number %i: %s". End_of_file passes unchanged.
// The code after the call is the step's continuation: its failures are
// prefixed only by the steps that enclose it. Patterns are checked when the
// program is compiled: the conversions must match the arguments.
//
// One character of lookahead, no backtracking: each character is fetched
// from the source once; file sources are read in large blocks.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "text/exceptions.hpp"

namespace Scanning {

// A named file that cannot be opened for reading.
struct Open_failure : std::runtime_error {
  explicit Open_failure(const std::string& message) : std::runtime_error(message) {}
};

class Scanbuf {
 public:
  // The named file; the name "-" opens the standard input.
  static Scanbuf from_file(const std::string& name);
  // An open channel, e.g. a pipe from a child process. Its bytes are read
  // through the descriptor: nothing must have been read from `channel`
  // through stdio before. It is not closed at its end.
  static Scanbuf from_channel(std::FILE* channel);
  // An open file descriptor, closed at its end when `close_at_end`.
  static Scanbuf from_fd(int fd, bool close_at_end);
  // The same, read under the given name (the name its messages show).
  static Scanbuf from_named_fd(int fd, bool close_at_end, std::string name);
  // Characters given one by one by `next`; std::nullopt ends the input.
  static Scanbuf from_function(std::function<std::optional<char>()> next);
  static Scanbuf from_string(std::string text);

  Scanbuf(Scanbuf&&) noexcept;
  Scanbuf& operator=(Scanbuf&&) noexcept;
  ~Scanbuf();

  // The lookahead character (0..255), fetched if none is held; -1 at the
  // end of input.
  int peek() {
    if (current_valid_) return current_;
    // Inline while the current block lasts: most characters are read here.
    if (next_ != limit_) return take_from_block();
    if (end_of_input_) return -1;
    return fetch();
  }
  // The lookahead character; End_of_file at the end of input.
  char checked_peek() {
    int c = peek();
    if (c < 0) throw End_of_file();
    return static_cast<char>(c);
  }
  // Drops the held lookahead character.
  void consume() { current_valid_ = false; }
  // Consumes the next character when it is `c` and no lookahead is held,
  // without holding it first; false otherwise (nothing is fetched then).
  bool consume_if_next(char c) {
    if (current_valid_ || next_ == limit_ || *next_ != c) return false;
    ++next_;
    ++char_count_;
    if (c == '\n') ++line_count_;
    return true;
  }
  // Consumes the non-empty `run` when the held lookahead and the current
  // block hold it next; false otherwise (nothing is consumed then). `run`
  // holds no line feed.
  bool consume_if_next_run(std::string_view run) {
    if (current_valid_) {
      if (current_ != static_cast<unsigned char>(run[0])) return false;
      run.remove_prefix(1);
    }
    if (static_cast<std::size_t>(limit_ - next_) < run.size() ||
        std::char_traits<char>::compare(next_, run.data(), run.size()) != 0)
      return false;
    current_valid_ = false;
    next_ += run.size();
    char_count_ += static_cast<long long>(run.size());
    return true;
  }
  // Consumes blanks (space, tab, line feed, carriage return) and holds the
  // character after them.
  void skip_whites() {
    for (;;) {
      if (current_valid_) {
        if (!is_white(current_)) return;
        current_valid_ = false;
      }
      while (next_ != limit_ && is_white(static_cast<unsigned char>(*next_))) {
        if (*next_ == '\n') ++line_count_;
        ++next_;
        ++char_count_;
      }
      if (peek() < 0) return;
    }
  }
  static bool is_white(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  // Fetches (peek) then reports whether the source has ended.
  bool end_of_input() { return peek() < 0; }

  // Characters consumed since the start of the source.
  long long char_count() const { return current_valid_ ? char_count_ - 1 : char_count_; }
  // Line feeds fetched so far (a held line feed included); the first line is 0.
  long long line_count() const { return line_count_; }
  // The file name, "-" for the standard input, "unnamed Stdlib input
  // channel", "unnamed function" or "unnamed character string".
  const std::string& name_of_input() const { return name_; }

  // The characters collected by the conversion being scanned.
  std::string token;

  class Source;

 private:
  Scanbuf(std::string name, std::unique_ptr<Source> source);
  int fetch();
  int take_from_block() {
    current_ = static_cast<unsigned char>(*next_++);
    current_valid_ = true;
    ++char_count_;
    if (current_ == '\n') ++line_count_;
    return current_;
  }

  // Unread characters of the current block.
  const char* next_ = nullptr;
  const char* limit_ = nullptr;
  bool end_of_input_ = false;
  bool current_valid_ = false;
  unsigned char current_ = 0;
  long long char_count_ = 0;
  long long line_count_ = 0;
  std::string name_;
  std::unique_ptr<Source> source_;
};

// The character `c` as a quoted character literal: 'a', '\n', '\'', '\\',
// '\200'.
std::string quoted_char(char c);

// ---------------------------------------------------------------------------
// Pattern items and their compile-time check.

// What a conversion stores into.
enum class Out_kind : unsigned char { None, Float, Int, String, Char, Reader };

struct Item {
  enum Kind : unsigned char { End, Blank, Newline, Literal, Conversion };
  Kind kind = End;
  char conversion = 0;  // f d i S C c s [ r l n ,
  char int_size = 0;    // 0, 'l' (32 bits), 'L' (64 bits), 'n' (native)
  bool skip = false;    // %_c, %_[...], %_s: nothing is stored; %_r: the reader's result is dropped
  bool peek = false;    // %0c
  bool negated = false; // %[^...]
  int stop = -1;        // the stop character of %[...]@x and %s@x
  char literal = 0;
  std::string_view set; // the characters between %[ (or %[^) and ]
  Out_kind out = Out_kind::None;
};

// Reads the item of `pattern` at `i` and moves past it. A malformed pattern
// raises Invalid_argument (a compile error when checked at compile time).
constexpr Item next_item(std::string_view pattern, std::size_t& i) {
  Item item;
  if (i >= pattern.size()) return item;
  char c = pattern[i++];
  if (c == ' ') {
    item.kind = Item::Blank;
    return item;
  }
  if (c == '\n') {
    item.kind = Item::Newline;
    return item;
  }
  if (c != '%') {
    item.kind = Item::Literal;
    item.literal = c;
    return item;
  }
  if (i >= pattern.size()) throw Invalid_argument("scanning pattern ends with %");
  if (pattern[i] == '%' || pattern[i] == '@') {
    item.kind = Item::Literal;
    item.literal = pattern[i++];
    return item;
  }
  item.kind = Item::Conversion;
  if (pattern[i] == '_') {
    item.skip = true;
    ++i;
  } else if (pattern[i] == '0' && i + 1 < pattern.size() && pattern[i + 1] == 'c') {
    item.peek = true;
    ++i;
  }
  if (i < pattern.size() && (pattern[i] == 'l' || pattern[i] == 'L' || pattern[i] == 'n') &&
      i + 1 < pattern.size() && pattern[i + 1] == 'i') {
    item.int_size = pattern[i++];
  }
  if (i >= pattern.size()) throw Invalid_argument("scanning pattern ends inside a conversion");
  item.conversion = pattern[i++];
  switch (item.conversion) {
    case 'f': item.out = Out_kind::Float; break;
    case 'd': case 'i': case 'l': case 'n': item.out = Out_kind::Int; break;
    case 'S': item.out = Out_kind::String; break;
    case 's':
      // "%s@x": every character, blanks and line ends included, up to the
      // stop x, which is consumed.
      item.out = Out_kind::String;
      if (i + 1 < pattern.size() && pattern[i] == '@') {
        item.stop = static_cast<unsigned char>(pattern[i + 1]);
        i += 2;
      }
      break;
    case 'C': case 'c': item.out = Out_kind::Char; break;
    case 'r': item.out = Out_kind::Reader; break;
    case ',': item.out = Out_kind::None; break;
    case '[': {
      item.out = Out_kind::String;
      if (i < pattern.size() && pattern[i] == '^') {
        item.negated = true;
        ++i;
      }
      std::size_t start = i;
      if (i < pattern.size() && pattern[i] == ']') ++i;  // a leading ] belongs to the set
      while (i < pattern.size() && pattern[i] != ']') ++i;
      if (i >= pattern.size()) throw Invalid_argument("unterminated %[ in scanning pattern");
      item.set = pattern.substr(start, i - start);
      ++i;
      if (i + 1 < pattern.size() && pattern[i] == '@') {
        item.stop = static_cast<unsigned char>(pattern[i + 1]);
        i += 2;
      }
      break;
    }
    default: throw Invalid_argument("unknown conversion in scanning pattern");
  }
  if (item.int_size != 0 && item.conversion != 'i')
    throw Invalid_argument("bad integer conversion in scanning pattern");
  // "%_r" still takes its reader (given as r(reader)), whose result is dropped.
  if ((item.skip && item.out != Out_kind::Reader) || item.conversion == ',') item.out = Out_kind::None;
  return item;
}

template <class F, class T>
struct Reader_slot {
  F reader;
  T* out;
};

// The nested reader of a `%r`: `out = reader(ib)`; `r(reader)` only runs it.
template <class F, class T>
Reader_slot<F, T> r(F reader, T& out) {
  return {std::move(reader), &out};
}
template <class F>
Reader_slot<F, void> r(F reader) {
  return {std::move(reader), nullptr};
}

template <class T>
struct is_reader_slot : std::false_type {};
template <class F, class T>
struct is_reader_slot<Reader_slot<F, T>> : std::true_type {};

template <class T>
constexpr Out_kind out_kind_of() {
  if constexpr (std::is_same_v<T, double>) return Out_kind::Float;
  else if constexpr (std::is_same_v<T, char>) return Out_kind::Char;
  else if constexpr (std::is_same_v<T, std::string>) return Out_kind::String;
  else if constexpr (is_reader_slot<T>::value) return Out_kind::Reader;
  else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) return Out_kind::Int;
  else return Out_kind::None;
}

// Fails to compile when the conversions of `pattern` do not match the
// argument kinds.
template <class... Outs>
constexpr void check_pattern(std::string_view pattern) {
  constexpr Out_kind kinds[] = {out_kind_of<Outs>()..., Out_kind::None};
  std::size_t i = 0;
  std::size_t n = 0;
  for (Item item = next_item(pattern, i); item.kind != Item::End; item = next_item(pattern, i)) {
    if (item.out == Out_kind::None) continue;
    if (n >= sizeof...(Outs)) throw Invalid_argument("too few arguments for scanning pattern");
    if (kinds[n] != item.out) throw Invalid_argument("argument kind does not match conversion");
    ++n;
  }
  if (n != sizeof...(Outs)) throw Invalid_argument("too many arguments for scanning pattern");
}

template <class... Outs>
struct Basic_pattern {
  std::string_view text;
  template <class S>
    requires std::is_convertible_v<const S&, std::string_view>
  consteval Basic_pattern(const S& s) : text(s) {
    check_pattern<Outs...>(text);
  }
};
template <class... Outs>
using Pattern = Basic_pattern<std::type_identity_t<Outs>...>;

// A type-erased conversion target.
struct Out {
  Out_kind kind = Out_kind::None;
  void* target = nullptr;
  // Stores an integer; false when it does not fit the target.
  bool (*store_int)(void* target, long long value) = nullptr;
  void (*read)(void* target, Scanbuf& ib) = nullptr;
};

template <class T>
Out make_out(T& target) {
  Out out;
  out.kind = out_kind_of<T>();
  out.target = &target;
  if constexpr (is_reader_slot<T>::value) {
    out.read = [](void* slot, Scanbuf& ib) {
      auto& s = *static_cast<T*>(slot);
      if constexpr (std::is_void_v<std::remove_pointer_t<decltype(s.out)>>) s.reader(ib);
      else *s.out = s.reader(ib);
    };
  } else if constexpr (out_kind_of<T>() == Out_kind::Int) {
    out.store_int = [](void* p, long long value) {
      if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
          value > static_cast<long long>(std::numeric_limits<T>::max()))
        return false;
      *static_cast<T*>(p) = static_cast<T>(value);
      return true;
    };
  }
  return out;
}

// One scan step over a checked pattern (the non-template core).
void scan_step(Scanbuf& ib, std::string_view pattern, const Out* outs);

// Applies `pattern` as one scan step; the conversions store into `outs`.
template <class... Outs>
void scan(Scanbuf& ib, Pattern<std::remove_cvref_t<Outs>...> pattern, Outs&&... outs) {
  const Out slots[] = {make_out(outs)..., Out{}};
  scan_step(ib, pattern.text, slots);
}

// Applies a pattern built at run time, which may hold no conversion that
// stores a value (e.g. a framing word); Invalid_argument otherwise.
void scan_delimiter(Scanbuf& ib, std::string_view pattern);

// The conversions of the numeric items, for readers that convert a text of
// their own: "float_of_string" / "int_of_string" failures.
double float_of_string(std::string_view text);
long long int_of_string(std::string_view text);

}  // namespace Scanning
