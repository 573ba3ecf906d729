// Identifiers, line handling and positioned error messages.
#include "text/scanner_utils.hpp"

#include <cstdio>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "text/og_scanner.hpp"

namespace {

using Scanning::scan;
using Scanning::Scanbuf;
using namespace Scanner_utils;

std::string P(int n) { return "scanf: bad input at char number " + std::to_string(n) + ": "; }

const std::string header_of_string = "File \"unnamed character string\", line ";

std::string failure_of(const std::string& input, const std::function<void(Scanbuf&)>& run) {
  Scanbuf ib = Scanbuf::from_string(input);
  try {
    run(ib);
  } catch (const Scan_failure& failure) {
    return failure.what();
  } catch (const End_of_file&) {
    return "<End_of_file>";
  }
  return "<no failure>";
}

TEST(Scanner_utils_header, LineFromZeroAndAbsoluteCharacters) {
  Scanbuf ib = Scanbuf::from_string("ab\ncd");
  scan(ib, "%_c%_c%_c%_c");
  EXPECT_EQ(scanner_error_header(1, ib), header_of_string + "1, characters 3-4:");
  EXPECT_EQ(scanner_error_header(0, ib), header_of_string + "1, characters 4-4:");
}

TEST(Scanner_utils_header, HeldLineFeedCountsAsALine) {
  Scanbuf ib = Scanbuf::from_string("ab\ncd");
  char c = 0;
  scan(ib, "ab%0c", c);
  EXPECT_EQ(scanner_error_header(0, ib), header_of_string + "1, characters 2-2:");
}

TEST(Scanner_utils_header, FirstLineIsLineZero) {
  Scanbuf ib = Scanbuf::from_string("abc");
  EXPECT_EQ(scanner_error_header(0, ib), header_of_string + "0, characters 0-0:");
}

TEST(Scanner_utils_header, NamedFileIsQuoted) {
  // A named file rather than the standard input, which a test must not read.
  const Test_support::Temporary_directory dir;
  const std::string name = (dir / "scanner_utils_named.txt").string();
  std::FILE* f = std::fopen(name.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  std::fclose(f);
  Scanbuf ib = Scanbuf::from_file(name);
  EXPECT_EQ(scanner_error_header(0, ib), "File \"" + name + "\", line 0, characters 0-0:");
}

// Names and tokens are quoted as they are: a name longer than a line, or
// holding "@" or "%", is never broken nor interpreted.
TEST(Scanner_utils_header, LongOrOddNamesAreWrittenAsIs) {
  const Test_support::Temporary_directory dir;
  const std::string name = (dir / (std::string(90, 'n') + "@ %d@,x.txt")).string();
  std::FILE* f = std::fopen(name.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("ab", f);
  std::fclose(f);
  Scanbuf ib = Scanbuf::from_file(name);
  scan(ib, "%_c");
  EXPECT_EQ(scanner_error_header(1, ib), "File \"" + name + "\", line 0, characters 0-1:");
  const std::string token = std::string(85, 'A') + "@ ";
  EXPECT_EQ(failure_of("x", [&](Scanbuf& b) { invalid_token_kind_error(token, b, "plan"); }),
            header_of_string + "0, characters -87-0:\n\"" + token + "\" is not a valid plan");
}

TEST(Scanner_utils_errors, ScannerErrorAndInvalidTokenKind) {
  EXPECT_EQ(failure_of("abc", [](Scanbuf& ib) { scanner_error(0, ib, "boom"); }),
            header_of_string + "0, characters 0-0:\nboom");
  EXPECT_EQ(failure_of("Foo;",
                       [](Scanbuf& ib) {
                         std::string id = scan_uident(ib);
                         invalid_token_kind_error(id, ib, "genre de chose");
                       }),
            header_of_string + "0, characters 0-3:\n\"Foo\" is not a valid genre de chose");
}

TEST(Scanner_utils_ident, UpperCaseIdentifiers) {
  struct Case {
    std::string input;
    std::string ident;
    int next;
  };
  const std::vector<Case> cases = {
      {"Habitation;", "Habitation", ';'}, {"C16_20 ", "C16_20", ' '},
      {"X'1 ", "X'1", ' '},               {"ABC", "ABC", -1},
      {"Sol_A{", "Sol_A", '{'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(scan_uident(ib), c.ident);
    EXPECT_EQ(ib.peek(), c.next);
  }
}

TEST(Scanner_utils_ident, WrongCaseNamesTheWordAndTheNextCharacter) {
  struct Case {
    std::string input;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"habitation ;", header_of_string +
                           "0, characters 0-10:\nInvalid case for ident 'habitation' when "
                           "encountering character ' '"},
      {"_x;", header_of_string +
                  "0, characters 0-2:\nInvalid case for ident '_x' when encountering character ';'"},
      {"1abc\n", header_of_string + "1, characters 0-4:\nInvalid case for ident '1abc' when "
                                    "encountering character '\\n'"},
      {";", header_of_string +
                "0, characters 0-0:\nInvalid case for ident '' when encountering character ';'"},
      {"abc", "<End_of_file>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(failure_of(c.input, [](Scanbuf& ib) { scan_uident(ib); }), c.message);
  }
}

TEST(Scanner_utils_ident, LowerCaseAndAnyIdentifiers) {
  Scanbuf ib = Scanbuf::from_string("label _x Foo_1 9x");
  EXPECT_EQ(scan_lident(ib), "label");
  scan(ib, " ");
  EXPECT_EQ(scan_lident(ib), "_x");
  scan(ib, " ");
  EXPECT_EQ(scan_ident(ib), "Foo_1");
  scan(ib, " ");
  EXPECT_EQ(scan_ident(ib), "9x");
  EXPECT_EQ(failure_of("Label ", [](Scanbuf& b) { scan_lident(b); }),
            header_of_string +
                "0, characters 0-5:\nInvalid case for ident 'Label' when encountering character ' '");
  EXPECT_EQ(failure_of(";", [](Scanbuf& b) { scan_ident(b); }),
            header_of_string + "0, characters 0-0:\nNo ident found");
}

TEST(Scanner_utils_ident, ContinuationForms) {
  Scanbuf ib = Scanbuf::from_string("Abc");
  EXPECT_EQ(scan_uident(ib, [](const std::string& s) { return s.size(); }), 3u);
}

TEST(Scanner_utils_lines, SkipEndOfLine) {
  struct Case {
    std::string input;
    int next;
  };
  const std::vector<Case> cases = {
      {"\nX", 'X'}, {"\r\nX", 'X'}, {"\rX", 'X'}, {"X", 'X'}, {"", -1}, {"\n\nX", '\n'},
  };
  for (const Case& c : cases) {
    Scanbuf ib = Scanbuf::from_string(c.input);
    skip_end_of_line(ib);
    EXPECT_EQ(ib.peek(), c.next);
  }
}

TEST(Scanner_utils_lines, SkipAndReadOneLine) {
  Scanbuf ib = Scanbuf::from_string("first line\nabc\r\ndef\n\nlast");
  skip_one_line(ib);
  EXPECT_EQ(read_one_line(ib), "abc\r");
  EXPECT_EQ(read_one_line(ib), "def");
  EXPECT_EQ(read_one_line(ib), "");
  skip_one_line(ib);
  EXPECT_TRUE(ib.end_of_input());
  EXPECT_EQ(failure_of("no end", [](Scanbuf& b) { read_one_line(b); }), "<End_of_file>");
}

TEST(Scanner_utils_delimiters, PlainTextBecomesAPattern) {
  EXPECT_EQ(format_delimiter_of_string("a%b@c"), "a%%b%@c");
  Scanbuf ib = Scanbuf::from_string("a%b@c!");
  Scanning::scan_delimiter(ib, format_delimiter_of_string("a%b@c"));
  EXPECT_EQ(ib.peek(), '!');
}

TEST(Scanner_utils_constructors, ConstantAndInfix) {
  struct Case {
    std::string input;
    std::string value;
  };
  for (const Case& c : std::vector<Case>{{"( )", "()"}, {"()", "()"}, {"[ ]", "[]"}, {"Some ", "Some"}}) {
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(scan_constant_constructor(ib), c.value);
  }
  Scanbuf ib = Scanbuf::from_string("::");
  EXPECT_EQ(scan_infix_constructor(ib), "::");
  EXPECT_EQ(failure_of(":x", [](Scanbuf& b) { scan_infix_constructor(b); }),
            P(1) + "looking for ':', found 'x'");
  EXPECT_EQ(failure_of("a", [](Scanbuf& b) { scan_infix_constructor(b); }),
            header_of_string + "0, characters 0-0:\nNo infix constructor found");
  EXPECT_EQ(failure_of("(x)", [](Scanbuf& b) { scan_constant_constructor(b); }),
            P(1) + "looking for ')', found 'x'");
}

TEST(Scanner_utils_checks, WordsCharactersAndFieldNames) {
  Scanbuf ib = Scanbuf::from_string("begin x");
  EXPECT_EQ(check_word("begin", ib), "begin");
  EXPECT_EQ(failure_of("end x", [](Scanbuf& b) { check_word("begin", b); }),
            header_of_string + "0, characters 0-3:\nwaiting for begin, found end");
  EXPECT_EQ(failure_of("y", [](Scanbuf& b) { _check_char('x', b); }),
            header_of_string + "0, characters 0-1:\nwaiting for x, found y");
  Scanbuf ib2 = Scanbuf::from_string("width =");
  EXPECT_EQ(scanner_field_name("width", ib2), "width");
  EXPECT_EQ(failure_of("height =", [](Scanbuf& b) { scanner_field_name("width", b); }),
            header_of_string +
                "0, characters 0-6:\ncannot read field name 'width', found label 'height'");
}

TEST(Scanner_utils_checks, Field) {
  Scanbuf ib = Scanbuf::from_string(" width = 2.5 ; next");
  auto [label, value] = scanner_field("width", Og_scanner::scanner_quoted_float, ib);
  EXPECT_EQ(label, "width");
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(ib.peek(), 'n');
  EXPECT_EQ(failure_of(" height = 2.5 ;",
                       [](Scanbuf& b) { scanner_field("width", Og_scanner::scanner_quoted_float, b); }),
            P(7) + header_of_string +
                "0, characters 1-7:\ncannot read field name 'width', found label 'height'");
}

}  // namespace
