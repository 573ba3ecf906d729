#pragma once
// Compact JSON written as it is produced, for results too large to build as a
// tree first (tens of kilobytes per description, thousands of descriptions).
// Structure (braces, commas, keys) is written here; every scalar goes through
// the JSON library's own serializer, so strings are escaped and numbers
// written exactly as the library writes them (they read back exactly).
// Bytes that are not UTF-8 (a description typed in Latin-1, say) are written
// as U+FFFD: JSON is UTF-8, and one such name must not cost the whole file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

namespace Json_writer {

inline constexpr nlohmann::ordered_json::error_handler_t invalid_utf8 = nlohmann::ordered_json::error_handler_t::replace;

// True when the library writes `s` as it is, between quotes.
bool written_as_is(std::string_view s);

class writer {
 public:
  explicit writer(std::string& out);

  writer& begin_object() { return open('{'); }
  writer& end_object() { return close('}'); }
  writer& begin_array() { return open('['); }
  writer& end_array() { return close(']'); }
  // A key of the current object: one of the program's own plain ASCII names,
  // written as it is.
  writer& key(std::string_view k);

  writer& value(std::nullptr_t) { return scalar(nlohmann::ordered_json(nullptr)); }
  writer& value(bool b) { return scalar(nlohmann::ordered_json(b)); }
  template <class N>
    requires(std::is_arithmetic_v<N> && !std::is_same_v<N, bool>)
  writer& value(N n) {
    return scalar(nlohmann::ordered_json(n));
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
  // A comma before every element but the first of its container, none
  // between a key and its value.
  void separate();

  std::string& out_;
  std::vector<char> first_;  // per open container: no element written yet
  bool after_key_ = false;
  nlohmann::detail::serializer<nlohmann::ordered_json> serializer_;
};

}  // namespace Json_writer
