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
         w.begin_object().field("a", 1).key("b").begin_array().value(2.5).begin_object().end_object().value(nullptr);
         w.end_array().field("c", true).end_object();
       },
       {{"a", 1}, {"b", {2.5, nlohmann::ordered_json::object(), nullptr}}, {"c", true}}},
      {"long keys",
       [](writer& w) { w.begin_object().field(std::string(70, 'k'), 1).field(std::string(60, 'l'), 2).end_object(); },
       {{std::string(70, 'k'), 1}, {std::string(60, 'l'), 2}}},
      {"whole doubles keep their point", [](writer& w) { w.value(12.0); }, 12.0},
      {"shortest round trip", [](writer& w) { w.value(0.1 + 0.2); }, 0.1 + 0.2},
      {"not a number is null", [nan](writer& w) { w.value(nan); }, nan},
      {"escapes and accents", [](writer& w) { w.value(std::string("rez-de-chaussée \"N\"\\\n\t\x01")); },
       "rez-de-chaussée \"N\"\\\n\t\x01"},
      {"absent optional", [](writer& w) { w.value(std::optional<int>()); }, nullptr},
      {"present optional", [](writer& w) { w.value(std::optional<std::string>("Nv0")); }, "Nv0"},
      {"strings",
       [](writer& w) {
         w.value(std::vector<std::string>{"M1n0", "M2n0"});
       },
       {"M1n0", "M2n0"}},
      {"a C string is a string, not a bool", [](writer& w) { w.value("X"); }, "X"},
  };
  for (const Case& c : cases) {
    std::string text;
    writer w(text);
    c.write(w);
    EXPECT_EQ(text, c.same.dump()) << c.what;
  }
}

// Every string of one byte, of two bytes, and of up to four bytes around each
// UTF-8 boundary (overlong forms, surrogates, beyond U+10FFFF, truncated
// sequences), and such bytes inside longer strings, are written as the
// library writes them, with invalid bytes as U+FFFD.
TEST(JsonWriter, EveryByteSequenceIsWrittenAsTheLibraryWritesIt) {
  std::vector<std::string> strings;
  for (int a = 0; a < 256; ++a) {
    strings.push_back(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) strings.push_back({static_cast<char>(a), static_cast<char>(b)});
  }
  const std::vector<int> edges{0x00, 0x0a, 0x1f, 0x20, 0x22, 0x5c, 0x7f, 0x80, 0x8f, 0x90, 0x9f, 0xa0,
                               0xbf, 0xc0, 0xc1, 0xc2, 0xdf, 0xe0, 0xed, 0xef, 0xf0, 0xf4, 0xf5, 0xff};
  for (const int a : edges)
    for (const int b : edges)
      for (const int c : edges) {
        const std::string three{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)};
        strings.push_back(three);
        for (const int d : edges) strings.push_back(three + static_cast<char>(d));
      }
  // Long strings are scanned eight bytes at a time: each kind of byte at each
  // place of a word, and sequences across the words' bounds.
  for (std::size_t at = 0; at < 17; ++at)
    for (const int a : edges) {
      std::string long_one = "abcdefghijklmnopq";
      long_one[at] = static_cast<char>(a);
      strings.push_back(long_one);
      strings.push_back(std::string("abcdefghijklmnopq").insert(at, "é"));
      strings.push_back(std::string("abcdefghijklmnopq").insert(at, "𝄞"));
    }
  strings.push_back("rez-de-chaussée, 𝄞 et €");
  // Paragraphs: runs between line breaks and quotes, and a byte that is not
  // UTF-8 after escapes already met.
  strings.push_back("Mur M1n0 :\n  longueur 2.5 m\n  \"hauteur\" 2.7 m\n\t\\fin\n");
  strings.push_back("\n\n\"\"\\\\\x1f\x7f");
  strings.push_back("Nv0\nBasse-Terr\xe9\n");
  for (const std::string& s : strings) {
    std::string text;
    writer(text).value(s);
    const std::string expected = nlohmann::ordered_json(s).dump(-1, ' ', false, Json_writer::invalid_utf8);
    ASSERT_EQ(text, expected) << testing::PrintToString(s);
  }
}

// Numbers met again are written from memory: many values sharing its few
// places, each met several times, and floats, which the library keeps as
// doubles.
TEST(JsonWriter, NumbersMetAgainAreWrittenAsTheLibraryWritesThem) {
  std::vector<double> numbers;
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < 500; ++i) numbers.push_back(i % 2 ? 0.001 * i : std::ldexp(1.0 + i, i - 250));
  numbers.insert(numbers.end(), {-0.0, 0.0, 1e308, -1.7976931348623157e308, 5e-324, 0.1, 0.1});
  std::string text;
  writer w(text);
  w.begin_array();
  for (const double d : numbers) w.value(d).value(static_cast<float>(d));
  w.end_array();
  nlohmann::ordered_json same = nlohmann::ordered_json::array();
  for (const double d : numbers) {
    same.push_back(d);
    same.push_back(static_cast<float>(d));
  }
  EXPECT_EQ(text, same.dump());
}

TEST(JsonWriter, BytesThatAreNotUtf8AreWrittenAsReplacementCharacters) {
  std::string text;
  writer(text).value(std::string("Basse-Terr\xe9"));
  EXPECT_EQ(text, "\"Basse-Terr\xef\xbf\xbd\"");
  EXPECT_EQ(nlohmann::ordered_json::parse(text).get<std::string>(), "Basse-Terr\xef\xbf\xbd");
}

}  // namespace
