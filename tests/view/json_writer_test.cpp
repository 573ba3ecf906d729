#include "view/json_writer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace {

using Json_writer::writer;

TEST(JsonWriter, WritesWhatTheLibraryWritesForTheSameValue) {
  struct Case {
    const char* what;
    std::function<void(writer&)> write;
    nlohmann::ordered_json same;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Case> cases{
      {"empty object", [](writer& w) { w.begin_object().end_object(); }, nlohmann::ordered_json::object()},
      {"empty array", [](writer& w) { w.begin_array().end_array(); }, nlohmann::ordered_json::array()},
      {"nested, commas between elements only",
       [](writer& w) {
         w.begin_object().field("a", 1).key("b").begin_array().value(2.5).begin_object().end_object().value(
             nullptr);
         w.end_array().field("c", true).end_object();
       },
       {{"a", 1}, {"b", {2.5, nlohmann::ordered_json::object(), nullptr}}, {"c", true}}},
      {"whole doubles keep their point", [](writer& w) { w.value(12.0); }, 12.0},
      {"shortest round trip", [](writer& w) { w.value(0.1 + 0.2); }, 0.1 + 0.2},
      {"not a number is null", [nan](writer& w) { w.value(nan); }, nan},
      {"escapes and accents",
       [](writer& w) { w.value(std::string("rez-de-chaussée \"N\"\\\n\t\x01")); },
       "rez-de-chaussée \"N\"\\\n\t\x01"},
      {"absent optional", [](writer& w) { w.value(std::optional<int>()); }, nullptr},
      {"present optional", [](writer& w) { w.value(std::optional<std::string>("Nv0")); }, "Nv0"},
      {"strings", [](writer& w) { w.value(std::vector<std::string>{"M1n0", "M2n0"}); }, {"M1n0", "M2n0"}},
      {"a C string is a string, not a bool", [](writer& w) { w.value("X"); }, "X"},
  };
  for (const Case& c : cases) {
    std::string text;
    writer w(text);
    c.write(w);
    EXPECT_EQ(text, c.same.dump()) << c.what;
  }
}

TEST(JsonWriter, EveryAsciiCharacterIsWrittenAsTheLibraryWritesIt) {
  for (int c = 1; c < 0x80; ++c) {
    const std::string s = "a" + std::string(1, static_cast<char>(c)) + "/~";
    std::string text;
    writer(text).value(s);
    EXPECT_EQ(text, nlohmann::ordered_json(s).dump()) << "character " << c;
  }
}

TEST(JsonWriter, InvalidUtf8IsRefusedAsTheLibraryRefusesIt) {
  std::string text;
  writer w(text);
  EXPECT_THROW(w.value(std::string("\xff")), nlohmann::ordered_json::type_error);
}

}  // namespace
