// The scanning buffer and the pattern engine: items, conversions, failure
// messages and their prefixes, sources and counters.
#include "text/scanning.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

using Scanning::r;
using Scanning::scan;
using Scanning::Scanbuf;

// The prefix one scan step adds to a failure.
std::string P(int n) { return "scanf: bad input at char number " + std::to_string(n) + ": "; }

// The message of the Scan_failure raised by `run` on `input`; "<no failure>"
// or "<End_of_file>" otherwise.
std::string failure_of(const std::string& input, const std::function<void(Scanbuf&)>& run) {
  Scanbuf ib = Scanbuf::from_string(input);
  try {
    run(ib);
  } catch (const Scan_failure& failure) {
    return failure.message();
  } catch (const End_of_file&) {
    return "<End_of_file>";
  }
  return "<no failure>";
}

double read_float(Scanbuf& ib) {
  double x = 0.0;
  scan(ib, "%f", x);
  return x;
}

// ---------------------------------------------------------------------------
// Blanks, line feeds and literal characters.

TEST(Scanning_items, BlankMatchesZeroOrMoreWhitespace) {
  const std::vector<std::string> inputs = {
      "{ p_x = 1. ; p_y = 2. ; }",
      "{p_x=1.;p_y=2.;}",
      "{\n\tp_x   =\t1. ;\r\n p_y = 2.\r\n;\r\n}",
  };
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    Scanbuf ib = Scanbuf::from_string(input);
    double x = 0.0, y = 0.0;
    scan(ib, "{ p_x = %f ; p_y = %f ; }", x, y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 2.0);
  }
}

TEST(Scanning_items, VerticalTabAndFormFeedAreNotWhitespace) {
  auto point = [](Scanbuf& ib) {
    double x = 0.0, y = 0.0;
    scan(ib, "{ p_x = %f ; p_y = %f ; }", x, y);
  };
  EXPECT_EQ(failure_of("{\vp_x = 1. ; p_y = 2. ; }", point),
            P(1) + "looking for 'p', found '\\011'");
  EXPECT_EQ(failure_of("{\fp_x = 1. ; p_y = 2. ; }", point),
            P(1) + "looking for 'p', found '\\012'");
}

TEST(Scanning_items, LineFeedMatchesLfOrCrLf) {
  auto run = [](Scanbuf& ib) { scan(ib, "a\nb"); };
  EXPECT_EQ(failure_of("a\nb", run), "<no failure>");
  EXPECT_EQ(failure_of("a\r\nb", run), "<no failure>");
  EXPECT_EQ(failure_of("a\rb", run), P(2) + "looking for '\\n', found 'b'");
  EXPECT_EQ(failure_of("ab", run), P(1) + "looking for '\\n', found 'b'");
  EXPECT_EQ(failure_of("a", run), "<End_of_file>");
}

TEST(Scanning_items, LiteralMismatchDoesNotConsume) {
  Scanbuf ib = Scanbuf::from_string("{x");
  EXPECT_THROW(scan(ib, "{ y"), Scan_failure);
  EXPECT_EQ(ib.char_count(), 1);
  EXPECT_EQ(ib.peek(), 'x');
}

TEST(Scanning_items, LiteralAtEndOfInputRaisesEndOfFile) {
  EXPECT_EQ(failure_of("{", [](Scanbuf& ib) { scan(ib, "{ }"); }), "<End_of_file>");
  EXPECT_EQ(failure_of("", [](Scanbuf& ib) { scan(ib, "{"); }), "<End_of_file>");
}

TEST(Scanning_items, PercentPercentIsALiteralPercent) {
  Scanbuf ib = Scanbuf::from_string("50%");
  int n = 0;
  scan(ib, "%d%%", n);
  EXPECT_EQ(n, 50);
  EXPECT_TRUE(ib.end_of_input());
}

TEST(Scanning_items, CommaConsumesNothing) {
  Scanbuf ib = Scanbuf::from_string("()");
  scan(ib, "%, ( )");
  EXPECT_TRUE(ib.end_of_input());
}

// ---------------------------------------------------------------------------
// %f

TEST(Scanning_float, AcceptedForms) {
  struct Case {
    std::string input;
    double value;
  };
  const std::vector<Case> cases = {
      {"3", 3.0},          {"8.", 8.0},       {"8.0", 8.0},         {"-0.5", -0.5},
      {"-.5", -0.5},       {".5", 0.5},       {"+2.5", 2.5},        {"1_0.5", 10.5},
      {"1e3", 1000.0},     {"1E-2", 0.01},    {"2.5e+1", 25.0},     {"0.1", 0.1},
      {"2.2", 2.2},        {"1_000_000", 1e6}, {"4.9e-324", 4.9e-324},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"0.30000000000000004", 0.30000000000000004},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(read_float(ib), c.value);
    EXPECT_TRUE(ib.end_of_input());
  }
}

TEST(Scanning_float, UnderflowGivesZero) {
  Scanbuf ib = Scanbuf::from_string("-1e-400");
  double x = read_float(ib);
  EXPECT_EQ(x, 0.0);
  EXPECT_TRUE(std::signbit(x));
}

TEST(Scanning_float, Failures) {
  struct Case {
    std::string input;
    std::string message;
  };
  const std::vector<Case> cases = {
      {";", P(0) + "float_of_string"},
      {".;", P(1) + "float_of_string"},
      {"-;", P(1) + "float_of_string"},
      {"nan", P(0) + "float_of_string"},
      {"inf", P(0) + "float_of_string"},
      {"-inf", P(1) + "float_of_string"},
      {"e5", P(2) + "float_of_string"},
      {"1e400", P(5) + "float_of_string"},
      {"1e;", P(2) + "character ';' is not a decimal digit"},
      {"", "<End_of_file>"},
      {"1e", "<End_of_file>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(failure_of(c.input, [](Scanbuf& ib) { read_float(ib); }), c.message);
  }
}

TEST(Scanning_float, HexadecimalIsNotAccepted) {
  // The 0 is a number of its own; the x that follows is left unread.
  auto run = [](Scanbuf& ib) {
    double x = 0.0;
    scan(ib, "%f;", x);
  };
  EXPECT_EQ(failure_of("0x1p3;", run), P(1) + "looking for ';', found 'x'");
}

TEST(Scanning_float, FloatOfStringIsLocaleIndependentAndStrict) {
  EXPECT_EQ(Scanning::float_of_string("1.5"), 1.5);
  EXPECT_EQ(Scanning::float_of_string("-2e2"), -200.0);
  for (const char* bad : {"", "+", ".", "1,5", "0x10", "nan", "1.5x", " 1"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(Scanning::float_of_string(bad), Scan_failure);
  }
}

// ---------------------------------------------------------------------------
// %d, %i and the sized integers

TEST(Scanning_int, DecimalForms) {
  struct Case {
    std::string input;
    int value;
  };
  const std::vector<Case> cases = {
      {"42", 42}, {"-7", -7}, {"+7", 7}, {"1_000", 1000}, {"007", 7},
      {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int>::min()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    int n = 0;
    scan(ib, "%d", n);
    EXPECT_EQ(n, c.value);
  }
}

TEST(Scanning_int, DecimalFailures) {
  auto run = [](Scanbuf& ib) {
    int n = 0;
    scan(ib, "%d", n);
  };
  EXPECT_EQ(failure_of("a", run), P(0) + "character 'a' is not a decimal digit");
  EXPECT_EQ(failure_of("-a", run), P(1) + "character 'a' is not a decimal digit");
  EXPECT_EQ(failure_of("2147483648", run), P(10) + "int_of_string");
  EXPECT_EQ(failure_of("+", run), "<End_of_file>");
  EXPECT_EQ(failure_of("", run), "<End_of_file>");
}

TEST(Scanning_int, DecimalStopsBeforeABasePrefix) {
  Scanbuf ib = Scanbuf::from_string("0x1F");
  int n = -1;
  scan(ib, "%d", n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(ib.peek(), 'x');
}

TEST(Scanning_int, PrefixedForms) {
  struct Case {
    std::string input;
    int value;
  };
  const std::vector<Case> cases = {
      {"0x1F", 31}, {"0X1f", 31}, {"-0b101", -5}, {"0o17", 15}, {"017", 17},
      {"0", 0},     {"0_1", 1},   {"+0xf_f", 255},  {"12", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    int n = 0;
    scan(ib, "%i", n);
    EXPECT_EQ(n, c.value);
  }
}

TEST(Scanning_int, PrefixedFailures) {
  auto run = [](Scanbuf& ib) {
    int n = 0;
    scan(ib, "%i", n);
  };
  EXPECT_EQ(failure_of("0xg", run), P(2) + "character 'g' is not a valid hexadecimal digit");
  EXPECT_EQ(failure_of("0b2", run), P(2) + "character '2' is not a valid binary digit");
  EXPECT_EQ(failure_of("-0o9", run), P(3) + "character '9' is not a valid octal digit");
  EXPECT_EQ(failure_of("x", run), P(0) + "character 'x' is not a decimal digit");
  EXPECT_EQ(failure_of("0x_f", run), P(2) + "character '_' is not a valid hexadecimal digit");
  EXPECT_EQ(failure_of("0x", run), "<End_of_file>");
  EXPECT_EQ(failure_of("0xFFFFFFFF", run), P(10) + "int_of_string");
}

TEST(Scanning_int, SizedIntegers) {
  Scanbuf ib = Scanbuf::from_string("2147483647 -9223372036854775808 123");
  std::int32_t a = 0;
  std::int64_t b = 0;
  long c = 0;
  scan(ib, "%li %Li %ni", a, b, c);
  EXPECT_EQ(a, 2147483647);
  EXPECT_EQ(b, std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(c, 123);
  // %li is 32-bit whatever the target.
  EXPECT_EQ(failure_of("2147483648",
                       [](Scanbuf& b2) {
                         std::int64_t n = 0;
                         scan(b2, "%li", n);
                       }),
            P(10) + "int_of_string");
  EXPECT_EQ(failure_of("9223372036854775808",
                       [](Scanbuf& b2) {
                         std::int64_t n = 0;
                         scan(b2, "%Li", n);
                       }),
            P(19) + "int_of_string");
}

// ---------------------------------------------------------------------------
// %S and %C

std::string read_string(const std::string& input) {
  Scanbuf ib = Scanbuf::from_string(input);
  std::string s;
  scan(ib, "%S", s);
  return s;
}

TEST(Scanning_string, Escapes) {
  struct Case {
    std::string input;
    std::string value;
  };
  const std::vector<Case> cases = {
      {R"("abc")", "abc"},
      {R"("")", ""},
      {R"("a\"b")", "a\"b"},
      {R"("\\\'\n\t\b\r")", "\\'\n\t\b\r"},
      {R"("\065\x41\x6a")", "AAj"},
      {R"("\255")", "\xff"},
      {"\"ab\\\n   cd\"", "abcd"},
      {"\"ab\\\r\n  cd\"", "abcd"},
      {"\"a\nb\"", "a\nb"},
      {"\"caf\xc3\xa9\"", "caf\xc3\xa9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(read_string(c.input), c.value);
  }
}

TEST(Scanning_string, Failures) {
  struct Case {
    std::string input;
    std::string message;
  };
  auto premature = "scanning of a String failed: premature end of file occurred before end of token";
  const std::vector<Case> cases = {
      // The third digit that makes the code too large is looked at, not
      // consumed: the count stops after the second one.
      {R"("\256")", P(4) + "bad character decimal encoding \\256"},
      {R"("ab\999")", P(6) + "bad character decimal encoding \\999"},
      // A carriage return after a backslash is a line break only with its
      // line feed; alone it is an illegal escape, known as such once the
      // character after it is looked at.
      {"\"ab\\\rcd\"", P(5) + "illegal escape character '\\r'"},
      {"\"ab\\\r\"", P(5) + "illegal escape character '\\r'"},
      {"\"ab\\\r\r\n\"", P(5) + "illegal escape character '\\r'"},
      {"\"ab\\\r", P(5) + premature},
      {R"("\q")", P(2) + "illegal escape character 'q'"},
      {R"("\ ")", P(2) + "illegal escape character ' '"},
      {R"("\1x2")", P(3) + "illegal escape character 'x'"},
      {R"("\xg0")", P(3) + "illegal escape character 'g'"},
      {"\"abc", P(4) + premature},
      {"\"abc\\", P(5) + premature},
      {"abc", P(0) + "looking for '\"', found 'a'"},
      {" \"a\"", P(0) + "looking for '\"', found ' '"},
      {"", "<End_of_file>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(failure_of(c.input, [](Scanbuf& ib) {
                std::string s;
                scan(ib, "%S", s);
              }),
              c.message);
  }
}

TEST(Scanning_char, QuotedCharacters) {
  struct Case {
    std::string input;
    char value;
  };
  const std::vector<Case> cases = {
      {"'a'", 'a'}, {R"('\n')", '\n'}, {R"('\'')", '\''}, {R"('\\')", '\\'},
      {R"('\065')", 'A'}, {"'\"'", '"'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    char ch = 0;
    scan(ib, "%C", ch);
    EXPECT_EQ(ch, c.value);
  }
  auto run = [](Scanbuf& ib) {
    char ch = 0;
    scan(ib, "%C", ch);
  };
  EXPECT_EQ(failure_of("'ab'", run), P(2) + "looking for '\\'', found 'b'");
  EXPECT_EQ(failure_of("'a", run),
            P(2) + "scanning of a Char failed: premature end of file occurred before end of token");
  EXPECT_EQ(failure_of("a", run), P(0) + "looking for '\\'', found 'a'");
  EXPECT_EQ(failure_of(R"('\300')", run), P(4) + "bad character decimal encoding \\300");
  EXPECT_EQ(failure_of("'\\\r'", run), P(2) + "illegal escape character '\\r'");
}

// ---------------------------------------------------------------------------
// %c %0c %_c %[...] %s %l %n

TEST(Scanning_chars, CharConversions) {
  Scanbuf ib = Scanbuf::from_string(" xyz");
  char a = 0, b = 0, c = 0;
  scan(ib, "%c%0c%c", a, b, c);
  EXPECT_EQ(a, ' ');
  EXPECT_EQ(b, 'x');
  EXPECT_EQ(c, 'x');
  scan(ib, "%_c%c", a);
  EXPECT_EQ(a, 'z');
  EXPECT_EQ(failure_of("", [](Scanbuf& b2) {
              char ch = 0;
              scan(b2, "%c", ch);
            }),
            "<End_of_file>");
  EXPECT_EQ(failure_of("", [](Scanbuf& b2) {
              char ch = 0;
              scan(b2, "%0c", ch);
            }),
            "<End_of_file>");
}

TEST(Scanning_chars, CharacterSets) {
  {
    Scanbuf ib = Scanbuf::from_string("abc1");
    std::string s;
    scan(ib, "%[a-z]", s);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(ib.peek(), '1');
  }
  {
    Scanbuf ib = Scanbuf::from_string("ab;c");
    std::string s;
    scan(ib, "%[^;]", s);
    EXPECT_EQ(s, "ab");
  }
  {
    Scanbuf ib = Scanbuf::from_string("");
    std::string s = "unchanged";
    scan(ib, "%[a-z]", s);
    EXPECT_EQ(s, "");
  }
  {
    Scanbuf ib = Scanbuf::from_string("]a]b");
    std::string s;
    scan(ib, "%[]a]", s);
    EXPECT_EQ(s, "]a]");
  }
  {
    Scanbuf ib = Scanbuf::from_string("A-z_9'x");
    std::string s;
    scan(ib, "%[A-Z_0-9'-]", s);
    EXPECT_EQ(s, "A-");
  }
}

TEST(Scanning_chars, StopCharacterIsConsumed) {
  Scanbuf ib = Scanbuf::from_string("ab,cd");
  std::string a, b;
  scan(ib, "%[^,]@,%s", a, b);
  EXPECT_EQ(a, "ab");
  EXPECT_EQ(b, "cd");
  // At the end of input the stop is not required.
  EXPECT_EQ(failure_of("ab", [](Scanbuf& b2) { scan(b2, "%_[^,]@,"); }), "<no failure>");
  EXPECT_EQ(failure_of("ab;", [](Scanbuf& b2) { scan(b2, "%_[a-z]@,"); }),
            P(2) + "looking for ',', found ';'");
}

TEST(Scanning_chars, Word) {
  Scanbuf ib = Scanbuf::from_string("word\trest");
  std::string a, b;
  scan(ib, "%s %s", a, b);
  EXPECT_EQ(a, "word");
  EXPECT_EQ(b, "rest");
}

// "%s@x" takes blanks and line ends too, up to the stop, which is consumed;
// at the end of input the stop is not required.
TEST(Scanning_chars, WordWithStopCharacter) {
  Scanbuf ib = Scanbuf::from_string(")x Xoff\t\n )\nnext\n");
  std::string a, b, c;
  scan(ib, ")%_s@ %[a-zA-Z_]%_s@ )%s@\n%s@\n", a, b, c);
  EXPECT_EQ(a, "Xoff");
  EXPECT_EQ(b, "");
  EXPECT_EQ(c, "next");
  Scanbuf end = Scanbuf::from_string("no newline");
  scan(end, "%s@\n", a);
  EXPECT_EQ(a, "no newline");
  EXPECT_TRUE(end.end_of_input());
}

// "%_r" runs its reader and drops what it yields.
TEST(Scanning_steps, SkippedReaderRunsAndIsDropped) {
  Scanbuf ib = Scanbuf::from_string("## x\n 7");
  int calls = 0;
  auto skip_hashes = [&calls](Scanbuf& b) {
    ++calls;
    scan(b, "%_[#]");
    return 42;
  };
  std::string rest;
  scan(ib, "%_r%s@\n %s", r(skip_hashes), rest, rest);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(rest, "7");
}

TEST(Scanning_chars, LineAndCharCounts) {
  Scanbuf ib = Scanbuf::from_string("ab\ncd");
  long long line = -1, chars = -1;
  char c = 0;
  scan(ib, "%c%c%0c%l%n", c, c, c, line, chars);
  // The held line feed is counted as a line already, not as a character.
  EXPECT_EQ(line, 1);
  EXPECT_EQ(chars, 2);
  scan(ib, "%c%c%l%n", c, c, line, chars);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(chars, 4);
}

// Literal runs are matched as a whole within a block and character by
// character across blocks: the outcome, the counters and the lookahead must
// not depend on how the source hands out its characters.
struct Run_case {
  std::string input;
  std::string expected;  // failure message, "<no failure>" or "<End_of_file>"
  long long chars;       // char_count() afterwards
  long long lines;       // line_count() afterwards
};

std::string outcome(Scanbuf& ib) {
  try {
    int n = 0;
    scan(ib, "{ mur_numero = %d ;\n mur_nom%%@ }", n);
  } catch (const Scan_failure& failure) {
    return failure.what();
  } catch (const End_of_file&) {
    return "<End_of_file>";
  }
  return "<no failure>";
}

TEST(Scanning_items, LiteralRunsDoNotDependOnBlocks) {
  const std::vector<Run_case> cases = {
      {"{ mur_numero = 3 ;\n mur_nom%@ }", "<no failure>", 31, 1},
      {"{mur_numero=3;\r\nmur_nom%@}", "<no failure>", 26, 1},
      {"{ mur_numerx = 3 ;\n mur_nom%@ }", P(11) + "looking for 'o', found 'x'", 11, 0},
      {"{ mur_numero = 3 ;\n mur_nox%@ }", P(26) + "looking for 'm', found 'x'", 26, 1},
      {"{ mur_numero = 3 ;\n mur_nom%x }", P(28) + "looking for '@', found 'x'", 28, 1},
      {"{\n\n  Mur_numero = 3 ;\n mur_nom%@ }", P(5) + "looking for 'm', found 'M'", 5, 2},
      {"{ mur_num", "<End_of_file>", 9, 0},
  };
  for (const Run_case& c : cases) {
    SCOPED_TRACE(c.input);
    Scanbuf whole = Scanbuf::from_string(c.input);
    std::size_t i = 0;
    Scanbuf by_char = Scanbuf::from_function([&]() -> std::optional<char> {
      if (i < c.input.size()) return c.input[i++];
      return std::nullopt;
    });
    for (Scanbuf* ib : {&whole, &by_char}) {
      EXPECT_EQ(outcome(*ib), c.expected);
      EXPECT_EQ(ib->char_count(), c.chars);
      EXPECT_EQ(ib->line_count(), c.lines);
    }
    EXPECT_EQ(whole.peek(), by_char.peek());
  }
}

// ---------------------------------------------------------------------------
// Scan steps: nested readers and failure prefixes

TEST(Scanning_steps, NestedReaderStoresItsResult) {
  Scanbuf ib = Scanbuf::from_string("( 2.5 ) ( 3 )");
  double a = 0.0, b = 0.0;
  scan(ib, "( %r ) ( %r )", r(read_float, a), r(read_float, b));
  EXPECT_EQ(a, 2.5);
  EXPECT_EQ(b, 3.0);
}

TEST(Scanning_steps, EveryEnclosingStepAddsOnePrefix) {
  auto middle = [](Scanbuf& ib) {
    double v = 0.0;
    scan(ib, "( %r )", r(read_float, v));
    return v;
  };
  auto outer = [&](Scanbuf& ib) {
    double v = 0.0;
    scan(ib, "[ %r ]", r(middle, v));
  };
  EXPECT_EQ(failure_of("[ ( x ) ]", outer), P(4) + P(4) + P(4) + "float_of_string");
  EXPECT_EQ(failure_of("[ ( 1 }", outer), P(6) + P(6) + "looking for ')', found '}'");
  EXPECT_EQ(failure_of("[ ( 1 ) }", outer), P(8) + "looking for ']', found '}'");
}

TEST(Scanning_steps, ContinuationIsNotPrefixedByItsOwnStep) {
  // The failure raised after the inner step returns is prefixed by the
  // enclosing step only.
  auto late = [](Scanbuf& ib) {
    char c = 0;
    scan(ib, "%c", c);
    throw Scan_failure("late");
  };
  EXPECT_EQ(failure_of("< a >", [&](Scanbuf& ib) { scan(ib, "< %r >", r(late)); }),
            P(3) + "late");
  EXPECT_EQ(failure_of("a", late), "late");
}

TEST(Scanning_steps, MessagesHoldingANulArriveWhole) {
  // The character read is a NUL: the message that names it is not cut there
  // by any of the steps it crosses.
  auto direction = [](Scanbuf& ib) {
    char c = 0;
    scan(ib, "%c", c);
    throw Scan_failure(std::string("'") + c + "' is not a valid direction");
  };
  auto outer = [&](Scanbuf& ib) { scan(ib, "[ %r ]", r([&](Scanbuf& b) { scan(b, "( %r )", r(direction)); })); };
  EXPECT_EQ(failure_of(std::string("[ ( ") + '\0' + " ) ]", outer),
            P(5) + P(5) + "'" + '\0' + "' is not a valid direction");
  const Scan_failure failure(std::string("a\0b", 3));
  EXPECT_EQ(failure.message(), std::string("a\0b", 3));
}

TEST(Scanning_steps, EndOfFilePassesUnchanged) {
  auto outer = [](Scanbuf& ib) {
    double v = 0.0;
    scan(ib, "[ %r ]", r([](Scanbuf& b) {
           double w = 0.0;
           scan(b, "( %r )", r(read_float, w));
           return w;
         }, v));
  };
  EXPECT_EQ(failure_of("[ ( ", outer), "<End_of_file>");
  EXPECT_EQ(failure_of("[ ( 1 )", outer), "<End_of_file>");
}

TEST(Scanning_steps, RuntimeDelimiterPatterns) {
  Scanbuf ib = Scanbuf::from_string("BEGIN  x");
  Scanning::scan_delimiter(ib, "BEGIN ");
  EXPECT_EQ(ib.peek(), 'x');
  EXPECT_THROW(Scanning::scan_delimiter(ib, "%d"), Invalid_argument);
  EXPECT_EQ(failure_of("END", [](Scanbuf& b) { Scanning::scan_delimiter(b, "BEGIN"); }),
            P(0) + "looking for 'B', found 'E'");
}

// ---------------------------------------------------------------------------
// Sources, display names, counters

TEST(Scanning_sources, DisplayNames) {
  EXPECT_EQ(Scanbuf::from_string("").name_of_input(), "unnamed character string");
  EXPECT_EQ(Scanbuf::from_function([] { return std::optional<char>(); }).name_of_input(),
            "unnamed function");
  EXPECT_EQ(Scanbuf::from_file("-").name_of_input(), "-");
  EXPECT_EQ(Scanbuf::from_channel(stdin).name_of_input(), "-");
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Scanbuf::from_channel(f).name_of_input(), "unnamed Stdlib input channel");
  std::fclose(f);
}

TEST(Scanning_sources, NamedFile) {
  const Test_support::Temporary_directory dir;
  const std::string path = (dir / "scanning_test_named.txt").string();
  {
    std::ofstream out(path, std::ios::binary);
    out << "12 34\n";
  }
  Scanbuf ib = Scanbuf::from_file(path);
  EXPECT_EQ(ib.name_of_input(), path);
  int a = 0, b = 0;
  scan(ib, "%d %d\n", a, b);
  EXPECT_EQ(a + b, 46);
  EXPECT_TRUE(ib.end_of_input());
  EXPECT_EQ(ib.line_count(), 1);
  EXPECT_THROW(Scanbuf::from_file(path + ".missing"), Scanning::Open_failure);
}

TEST(Scanning_sources, FunctionSource) {
  std::string text = "7;8";
  std::size_t i = 0;
  Scanbuf ib = Scanbuf::from_function([&]() -> std::optional<char> {
    if (i < text.size()) return text[i++];
    return std::nullopt;
  });
  int a = 0, b = 0;
  scan(ib, "%d;%d", a, b);
  EXPECT_EQ(a * 10 + b, 78);
  EXPECT_TRUE(ib.end_of_input());
}

// Blocks under a given name; a source that throws stops the reader, and the
// next read asks it again from where it stood.
TEST(Scanning_sources, BlockSource) {
  const std::vector<std::string> blocks{"12 ", "34\n", "56"};
  std::size_t next = 0;
  bool refuse = false;
  struct Refused {};
  Scanbuf ib = Scanbuf::from_blocks("blocks", [&]() -> std::string_view {
    if (refuse) throw Refused{};
    return next < blocks.size() ? std::string_view(blocks[next++]) : std::string_view();
  });
  EXPECT_EQ(ib.name_of_input(), "blocks");
  int a = 0, b = 0;
  scan(ib, "%d %d\n", a, b);
  EXPECT_EQ(a + b, 46);
  refuse = true;
  EXPECT_THROW(ib.peek(), Refused);
  EXPECT_EQ(ib.char_count(), 6);
  refuse = false;
  scan(ib, "%d", a);
  EXPECT_EQ(a, 56);
  EXPECT_TRUE(ib.end_of_input());
  EXPECT_EQ(ib.char_count(), 8);
  EXPECT_EQ(ib.line_count(), 1);
}

TEST(Scanning_sources, PipeDescriptorIsReadAsItArrives) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "5 ", 2), 2);
  Scanbuf ib = Scanbuf::from_fd(fds[0], true);
  int a = 0;
  // Only two bytes are in the pipe and its writer is still open: the read
  // must not wait for a full block (the space ends the number).
  scan(ib, "%d", a);
  EXPECT_EQ(a, 5);
  ASSERT_EQ(::write(fds[1], "6", 1), 1);
  ::close(fds[1]);
  scan(ib, " %d", a);
  EXPECT_EQ(a, 6);
  EXPECT_TRUE(ib.end_of_input());
}

TEST(Scanning_sources, LargeFileIsReadWhole) {
  const Test_support::Temporary_directory dir;
  const std::string path = (dir / "scanning_test_large.txt").string();
  const int count = 200000;
  {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) out << "{ v = " << i << ".5 ; }\n";
  }
  Scanbuf ib = Scanbuf::from_file(path);
  double sum = 0.0;
  for (int i = 0; i < count; ++i) {
    double v = 0.0;
    scan(ib, "{ v = %f ; } ", v);
    sum += v;
  }
  EXPECT_TRUE(ib.end_of_input());
  EXPECT_EQ(ib.line_count(), count);
  EXPECT_EQ(sum, static_cast<double>(count) * (count - 1) / 2.0 + count * 0.5);
}

TEST(Scanning_sources, EndOfInputIsSticky) {
  Scanbuf ib = Scanbuf::from_string("a");
  EXPECT_EQ(ib.peek(), 'a');
  ib.consume();
  EXPECT_EQ(ib.peek(), -1);
  EXPECT_EQ(ib.peek(), -1);
  EXPECT_EQ(ib.char_count(), 1);
  EXPECT_THROW(ib.checked_peek(), End_of_file);
}

TEST(Scanning_quoted_char, Rendering) {
  struct Case {
    char c;
    std::string text;
  };
  const std::vector<Case> cases = {
      {'a', "'a'"},        {' ', "' '"},         {'"', "'\"'"},      {'\'', "'\\''"},
      {'\\', "'\\\\'"},    {'\n', "'\\n'"},      {'\t', "'\\t'"},    {'\r', "'\\r'"},
      {'\b', "'\\b'"},     {'\0', "'\\000'"},    {'\x7f', "'\\127'"}, {'\xe9', "'\\233'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Scanning::quoted_char(c.c), c.text);
}

}  // namespace
