// Syntax errors deep inside a multi-line description, through the real
// binary (`quavor -i input.qvb`, or `-r`). Each description is the two-storey example
// with one change. The expected text is built from where the change stands
// in the file: the outer header at the point where reading stopped (lines
// counted from 0, characters as an absolute offset), one "scanf: bad input
// at char number" prefix per enclosing scan step (every record and every
// list element is one step, a list two: "[ %r ]" and each "%r "), then the
// inner header spanning the faulty identifier and the message.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/harness.hpp"

namespace {

using Cli::read_file;

const std::string& example() {
  static const std::string text = read_file(std::filesystem::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb");
  return text;
}

// Runs `quavor <option> input.qvb` on `text` in a fresh directory;
// `report_written` says whether input.qvr was there afterwards.
Cli::Result run_on(const std::string& text, const std::string& option = "-i", bool* report_written = nullptr) {
  const Test_support::Temporary_directory scratch("quavor_reading_");
  const std::filesystem::path& dir = scratch.path();
  std::ofstream(dir / "input.qvb", std::ios::binary) << text;
  Cli::Result r = Cli::run({option, "input.qvb"}, Cli::Options().in(dir.string()));
  if (report_written) *report_written = std::filesystem::exists(dir / "input.qvr");
  return r;
}

std::string with_crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

long lines_before(const std::string& text, std::size_t offset) {
  return std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n');
}

std::string header(long line, std::size_t from, std::size_t to) {
  return "File \"input.qvb\", line " + std::to_string(line) + ", characters " + std::to_string(from) + "-" +
         std::to_string(to) + ":";
}

std::string prefixes(int count, std::size_t at) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "scanf: bad input at char number " + std::to_string(at) + ": ";
  return text;
}

struct Bad_enumeration {
  const char* name;
  const char* after;  // the change is made at the first `from` after this text
  const char* from;
  const char* to;     // the faulty identifier replaces `from`'s value
  int steps;          // scan steps enclosing the reader that fails
  const char* kind;
  bool crlf;
};

// The building record and the input_data record enclose every field; a
// floor level adds its list (2) and its own record, a wall its list (2) and
// its record; the roof level is no list element.
const std::vector<Bad_enumeration> bad_enumerations = {
    {"soil_in_the_implantation", "batiment_implantation", "Sol_B", "Sol_D", 3, "type de sol", false},
    {"wall_kind_on_the_ground_floor", "batiment_niveau_planchers", "Mur_primaire", "Mur_bidon", 8, "genre de mur",
     false},
    {"wall_category_on_the_roof_level", "batiment_niveau_toit", "Mur_de_facade", "Mur_exterieur", 6,
     "categorie de mur", false},
    {"wall_kind_with_crlf_line_endings", "batiment_niveau_planchers", "Mur_primaire", "Mur_bidon", 8,
     "genre de mur", true},
};

class Bad_enumeration_in_depth : public ::testing::TestWithParam<Bad_enumeration> {};

TEST_P(Bad_enumeration_in_depth, ReportsEveryEnclosingStepAndTheIdentifier) {
  const Bad_enumeration& c = GetParam();
  std::string text = c.crlf ? with_crlf(example()) : example();
  const std::size_t after = text.find(c.after);
  ASSERT_NE(after, std::string::npos);
  const std::size_t start = text.find(c.from, after);
  ASSERT_NE(start, std::string::npos);
  text.replace(start, std::string(c.from).size(), c.to);
  const std::size_t end = start + std::string(c.to).size();
  const long line = lines_before(text, start);
  const Cli::Result r = run_on(text);
  EXPECT_EQ(r.err, header(line, end, end) + "\nSyntax error: " + prefixes(c.steps, end) + header(line, start, end) +
                       "\n\"" + c.to + "\" is not a valid " + c.kind + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Bad_enumeration_in_depth, ::testing::ValuesIn(bad_enumerations),
                         [](const ::testing::TestParamInfo<Bad_enumeration>& info) { return info.param.name; });

// A misspelt field name of the roof level: the literal of the level's
// pattern fails on the first differing character, which is looked at but not
// consumed; the level, the building and input_data each add a prefix.
TEST(MisspeltField, OnTheLastLinesOfTheFile) {
  std::string text = example();
  const std::size_t at = text.find("niveau_nom = \"Nv1\"");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 10, "niveau_nam");
  const std::size_t stop = at + 8;  // "niveau_n" read, then 'a' where 'o' was expected
  const Cli::Result r = run_on(text);
  EXPECT_EQ(r.err, header(lines_before(text, stop), stop, stop) + "\nSyntax error: " + prefixes(3, stop) +
                       "looking for 'o', found 'a'\n");
  EXPECT_EQ(r.status, 1);
}

// The description ends inside a field name of the roof level: a literal
// that meets the end of input is a premature end, status 2, reported where
// reading stopped (after the last character, on the last line).
TEST(PrematureEnd, InsideTheRoofLevel) {
  std::string text = example();
  const std::size_t at = text.find("niveau_nom = \"Nv1\"");
  ASSERT_NE(at, std::string::npos);
  text.resize(at + 9);  // ends inside the literal: `niveau_no`
  const Cli::Result r = run_on(text);
  EXPECT_EQ(r.err, header(lines_before(text, text.size()), text.size(), text.size()) +
                       "\nSyntax error: Premature end of file\n");
  EXPECT_EQ(r.status, 2);
}

// ---------------------------------------------------------------------------
// Reader exactness, through `quavor -r`: escapes refused where they stand,
// counts that stop at the character looked at, and messages that carry
// input bytes such as a NUL arriving whole on the error stream.

struct Bad_escape {
  const char* name;
  const char* address;  // replaces the building's address between its double quotes
  std::size_t read;     // characters read from the opening double quote on when reading stops
  const char* message;
};

// The address is a string of the building record: the building and
// input_data steps enclose it.
const std::vector<Bad_escape> bad_escapes = {
    // A carriage return without its line feed after a backslash: it is
    // consumed to look at the character after it, so the count includes it
    // (`"12 rue`, the backslash, the carriage return).
    {"lone_carriage_return", "12 rue\\\rdes Tilleuls", 9, "illegal escape character '\\r'"},
    // A decimal escape above 255: the third digit is looked at, not
    // consumed (`"12 rue`, the backslash, `2` and `5`).
    {"decimal_code_above_255", "12 rue\\256 des Tilleuls", 10, "bad character decimal encoding \\256"},
};

class Bad_escape_in_a_string : public ::testing::TestWithParam<Bad_escape> {};

TEST_P(Bad_escape_in_a_string, StopsAtTheCharacterLookedAt) {
  const Bad_escape& c = GetParam();
  std::string text = example();
  const std::string address = "\"12 rue des Tilleuls, Basse-Terre\"";
  const std::size_t quote = text.find(address);
  ASSERT_NE(quote, std::string::npos);
  text.replace(quote, address.size(), std::string("\"") + c.address + "\"");
  const std::size_t stop = quote + c.read;
  bool report_written = true;
  const Cli::Result r = run_on(text, "-r", &report_written);
  EXPECT_EQ(r.err, header(lines_before(text, stop), stop, stop) + "\nSyntax error: " + prefixes(2, stop) +
                       c.message + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(report_written);
}

INSTANTIATE_TEST_SUITE_P(Cases, Bad_escape_in_a_string, ::testing::ValuesIn(bad_escapes),
                         [](const ::testing::TestParamInfo<Bad_escape>& info) { return info.param.name; });

// With its line feed, the carriage return after a backslash is a line break,
// dropped with the blanks after it: the description reads on to its check.
TEST(EscapedLineBreak, CarriageReturnAndLineFeedReadOn) {
  std::string text = example();
  const std::size_t at = text.find("Tilleuls, Basse-Terre");
  ASSERT_NE(at, std::string::npos);
  text.insert(at + 9, "\\\r\n    ");
  const Cli::Result r = run_on(text, "-r");
  EXPECT_EQ(r.err.find("Syntax error"), std::string::npos) << r.err;
  EXPECT_EQ(r.status, 0);
}

// A NUL byte where a wall's direction is expected: the direction reader
// consumes it and names it raw between apostrophes; nothing on the way to
// the error stream cuts the message there. A wall of the ground floor is
// enclosed by eight steps, as in the enumeration cases above.
TEST(MessageHoldingANul, IsPrintedWhole) {
  std::string text = example();
  const std::size_t floors = text.find("batiment_niveau_planchers");
  ASSERT_NE(floors, std::string::npos);
  const std::string field = "mur_direction = ";
  const std::size_t at = text.find(field, floors);
  ASSERT_NE(at, std::string::npos);
  const std::size_t start = at + field.size();
  ASSERT_EQ(text[start], 'X');
  text[start] = '\0';
  const std::size_t end = start + 1;
  const long line = lines_before(text, start);
  bool report_written = true;
  const Cli::Result r = run_on(text, "-r", &report_written);
  EXPECT_EQ(r.err, header(line, end, end) + "\nSyntax error: " + prefixes(8, end) + header(line, start, end) +
                       "\n'" + '\0' + "' is not a valid direction\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(report_written);
}

}  // namespace
