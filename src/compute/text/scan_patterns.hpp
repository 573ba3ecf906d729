#pragma once
// The grammar of scanning patterns, written once: the items a pattern is
// made of (next_item), their compile-time check against the arguments of
// `Scanning::scan` (a wrong count or kind of arguments does not compile),
// and the type-erased conversion targets the checked arguments become.
// Scan_engine prepares and runs the items; Scan_items reads each of them.
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "text/exceptions.hpp"

namespace Scanning {
class Scanbuf;
}

namespace Scan_patterns {

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
  void (*read)(void* target, Scanning::Scanbuf& ib) = nullptr;
};

template <class T>
Out make_out(T& target) {
  Out out;
  out.kind = out_kind_of<T>();
  out.target = &target;
  if constexpr (is_reader_slot<T>::value) {
    out.read = [](void* slot, Scanning::Scanbuf& ib) {
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

}  // namespace Scan_patterns
