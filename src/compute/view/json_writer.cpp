#include "view/json_writer.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace Json_writer {

writer::writer(std::string& out)
    : out_(out), serializer_(nlohmann::detail::output_adapter<char, std::string>(out), ' ', invalid_utf8) {}

writer& writer::open(char bracket) {
  separate();
  out_ += bracket;
  first_.push_back(1);
  return *this;
}

writer& writer::close(char bracket) {
  out_ += bracket;
  first_.pop_back();
  return *this;
}

writer& writer::scalar(const nlohmann::ordered_json& j) {
  separate();
  serializer_.dump(j, false, false, 0);
  return *this;
}

writer& writer::number(double d) {
  separate();
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  remembered_number& slot = numbers_[(bits * 0x9e3779b97f4a7c15ull) >> 58];
  if (slot.length != 0 && slot.bits == bits) {
    out_.append(slot.text, slot.length);
    return *this;
  }
  const std::size_t start = out_.size();
  serializer_.dump(nlohmann::ordered_json(d), false, false, 0);
  const std::size_t length = out_.size() - start;
  if (length < sizeof slot.text) {
    slot.bits = bits;
    slot.length = static_cast<std::uint8_t>(length);
    std::memcpy(slot.text, out_.data() + start, length);
  }
  return *this;
}

namespace {

bool continuation(unsigned char c) { return c >= 0x80 && c <= 0xbf; }

// The length of the well-formed UTF-8 sequence of two to four bytes starting
// at s[i], or 0. The second byte's range excludes overlong forms, surrogates
// and code points above U+10FFFF.
std::size_t multibyte_length(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xbf;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
  } else {
    return 0;
  }
  if (i + length > s.size() || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (!continuation(byte(k))) return 0;
  return length;
}

// Eight bytes at once: how many bytes at the start of the word are plain
// ASCII (not beyond ASCII, not control characters, quotes or backslashes).
// Each test flags such bytes; a borrow may flag a byte after a flagged one,
// never before, so the lowest flag is the first byte that is not plain.
std::size_t plain_prefix(std::uint64_t w) {
  constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  const auto any_zero = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
  const std::uint64_t below_space = (w - ones * 0x20) & ~w & highs;
  const std::uint64_t flags = (w & highs) | below_space | any_zero(w ^ (ones * '"')) | any_zero(w ^ (ones * '\\'));
  if constexpr (std::endian::native != std::endian::little) return flags == 0 ? 8 : 0;
  return static_cast<std::size_t>(std::countr_zero(flags)) / 8;
}

// The library's escape of each ASCII character it escapes (control
// characters, quote, backslash), taken from the library itself; empty for
// the characters it writes as they are.
const std::array<std::string, 128>& library_escapes() {
  static const std::array<std::string, 128> escapes = [] {
    std::array<std::string, 128> table;
    for (std::size_t c = 0; c < table.size(); ++c) {
      const std::string text = nlohmann::ordered_json(std::string(1, static_cast<char>(c))).dump();
      const std::string inner = text.substr(1, text.size() - 2);
      if (inner.size() != 1) table[c] = inner;
    }
    return table;
  }();
  return escapes;
}

}  // namespace

// Paragraphs hold line breaks: they are written in runs between the
// characters to escape, rather than handed whole to the library's escaper.
bool writer::quoted(std::string_view s) {
  const std::array<std::string, 128>& escapes = library_escapes();
  const std::size_t start = out_.size();
  out_ += '"';
  std::size_t unwritten = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (i + 8 <= s.size()) {
      std::uint64_t word;
      std::memcpy(&word, s.data() + i, 8);
      const std::size_t plain = plain_prefix(word);
      i += plain;
      if (plain == 8) continue;
    }
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      if (!escapes[c].empty()) {
        out_.append(s.data() + unwritten, i - unwritten).append(escapes[c]);
        unwritten = i + 1;
      }
      ++i;
      continue;
    }
    const std::size_t length = multibyte_length(s, i);
    if (length == 0) {
      out_.resize(start);
      return false;
    }
    i += length;
  }
  out_.append(s.data() + unwritten, s.size() - unwritten) += '"';
  return true;
}

writer& writer::value(std::string_view s) {
  separate();
  // Bytes that are not UTF-8 are rare: the library replaces them.
  if (!quoted(s)) serializer_.dump(nlohmann::ordered_json(s), false, false, 0);
  return *this;
}

writer& writer::value(const std::vector<std::string>& strings) {
  begin_array();
  for (const std::string& s : strings) value(s);
  return end_array();
}

}  // namespace Json_writer
