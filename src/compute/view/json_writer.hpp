#pragma once
// Compact JSON written as it is produced, for results too large to build as a
// tree first (tens of kilobytes per description, thousands of descriptions).
// Structure (braces, commas, keys, true, false, null) is written here;
// strings are escaped with the JSON library's own escapes and numbers written
// by its own serializer, so both come out exactly as the library writes them
// (numbers read back exactly).
// Bytes that are not UTF-8 (a description typed in Latin-1, say) are written
// as U+FFFD: JSON is UTF-8, and one such name must not cost the whole file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

namespace Json_writer {

inline constexpr nlohmann::ordered_json::error_handler_t invalid_utf8 = nlohmann::ordered_json::error_handler_t::replace;

class writer {
 public:
  explicit writer(std::string& out);

  writer& begin_object() { return open('{'); }
  writer& end_object() { return close('}'); }
  writer& begin_array() { return open('['); }
  writer& end_array() { return close(']'); }
  // A key of the current object: one of the program's own plain ASCII names,
  // written as it is. Keys are written by the thousand, nearly all of them
  // literals: inline, the quoted key and the colon are made and appended as
  // one piece of known length.
  writer& key(std::string_view k) {
    separate();
    char piece[64];
    if (k.size() + 3 > sizeof piece) {
      out_.append(1, '"').append(k).append("\":", 2);
    } else {
      piece[0] = '"';
      std::memcpy(piece + 1, k.data(), k.size());
      piece[k.size() + 1] = '"';
      piece[k.size() + 2] = ':';
      out_.append(piece, k.size() + 3);
    }
    after_key_ = true;
    return *this;
  }

  writer& value(std::nullptr_t) { return literal("null"); }
  writer& value(bool b) { return literal(b ? "true" : "false"); }
  template <class N>
    requires(std::is_integral_v<N> && !std::is_same_v<N, bool>)
  writer& value(N n) {
    return scalar(nlohmann::ordered_json(n));
  }
  // The library keeps every floating number as a double.
  template <class N>
    requires std::is_floating_point_v<N>
  writer& value(N n) {
    return number(static_cast<double>(n));
  }
  writer& value(std::string_view s);
  writer& value(const char* s) { return value(std::string_view(s)); }
  writer& value(const std::string& s) { return value(std::string_view(s)); }
  template <class V>
  writer& value(const std::optional<V>& v) {
    return v ? value(*v) : value(nullptr);
  }
  writer& value(const std::vector<std::string>& strings);

  template <class V>
  writer& field(std::string_view k, const V& v) {
    key(k);
    return value(v);
  }

 private:
  writer& open(char bracket);
  writer& close(char bracket);
  writer& scalar(const nlohmann::ordered_json& j);
  writer& literal(std::string_view text) {
    separate();
    out_.append(text);
    return *this;
  }
  writer& number(double d);
  // Writes `s` between quotes, each character the library would escape as the
  // library escapes it; false, with nothing written, when `s` is not UTF-8.
  bool quoted(std::string_view s);
  // A comma before every element but the first of its container, none
  // between a key and its value.
  void separate() {
    if (after_key_) {
      after_key_ = false;
      return;
    }
    if (first_.empty()) return;
    if (first_.back() == 0) out_ += ',';
    first_.back() = 0;
  }

  std::string& out_;
  std::vector<char> first_;  // per open container: no element written yet
  bool after_key_ = false;
  nlohmann::detail::serializer<nlohmann::ordered_json> serializer_;

  // The library's text of the doubles written lately, by their bits: results
  // repeat a few limits, tolerances and dimensions hundreds of times.
  struct remembered_number {
    std::uint64_t bits = 0;
    std::uint8_t length = 0;  // 0: nothing remembered here
    char text[31];
  };
  std::array<remembered_number, 64> numbers_{};
};

}  // namespace Json_writer
