#include "view/json_writer.hpp"

namespace Json_writer {

writer::writer(std::string& out)
    : out_(out), serializer_(nlohmann::detail::output_adapter<char, std::string>(out), ' ') {}

void writer::separate() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) out_ += ',';
  first_.back() = false;
}

writer& writer::key(std::string_view k) {
  separate();
  out_ += '"';
  out_ += k;
  out_ += "\":";
  after_key_ = true;
  return *this;
}

writer& writer::open(char bracket) {
  separate();
  out_ += bracket;
  first_.push_back(true);
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

// Printable ASCII other than the quote and the backslash is written as it is
// by the library too; only such strings skip it, as most names and figures are.
static bool needs_no_escape(std::string_view s) {
  for (const char c : s) {
    if (c < 0x20 || c > 0x7e || c == '"' || c == '\\') return false;
  }
  return true;
}

writer& writer::value(std::string_view s) {
  if (!needs_no_escape(s)) return scalar(nlohmann::ordered_json(s));
  separate();
  out_ += '"';
  out_ += s;
  out_ += '"';
  return *this;
}

writer& writer::value(const std::vector<std::string>& strings) {
  begin_array();
  for (const std::string& s : strings) value(s);
  return end_array();
}

}  // namespace Json_writer
