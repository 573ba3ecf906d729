#include "view/svg.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace Svg {

std::string escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

// Trimmed as a view over the buffer: assigning a literal to the string here
// trips a false -Wrestrict of g++ 12 in sanitizer builds.
std::string number(double value, int decimals) {
  if (!std::isfinite(value)) return std::string(1, '0');
  char buffer[64];
  const int written = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  if (written < 0) return std::string(1, '0');
  std::string_view s(buffer, std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
  if (s.find('.') != std::string_view::npos) {
    while (s.back() == '0') s.remove_suffix(1);
    if (s.back() == '.') s.remove_suffix(1);
  }
  if (s == "-0") return std::string(1, '0');
  return std::string(s);
}

void builder::start_tag(std::string_view tag, attributes attrs) {
  out_ += '<';
  out_ += tag;
  for (const attribute& a : attrs) {
    out_ += ' ';
    out_ += a.first;
    out_ += "=\"";
    out_ += escape(a.second);
    out_ += '"';
  }
}

builder& builder::open(std::string_view tag, attributes attrs) {
  start_tag(tag, attrs);
  out_ += '>';
  open_.emplace_back(tag);
  return *this;
}

builder& builder::close() {
  if (open_.empty()) return *this;
  out_ += "</";
  out_ += open_.back();
  out_ += '>';
  open_.pop_back();
  return *this;
}

builder& builder::empty(std::string_view tag, attributes attrs) {
  start_tag(tag, attrs);
  out_ += "/>";
  return *this;
}

builder& builder::element(std::string_view tag, attributes attrs, std::string_view text) {
  open(tag, attrs);
  out_ += escape(text);
  return close();
}

builder& builder::text(std::string_view text) {
  out_ += escape(text);
  return *this;
}

builder& builder::raw(std::string_view markup) {
  out_ += markup;
  return *this;
}

std::string builder::str() {
  while (!open_.empty()) close();
  return std::move(out_);
}

}  // namespace Svg
