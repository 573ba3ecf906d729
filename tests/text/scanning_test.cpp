// The scanning buffer and the pattern engine: items, conversions, failure
// messages and their prefixes, sources and counters.
#include "text/scanning.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
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

using Step = std::function<void(Scanbuf&)>;

// The message of the Scan_failure raised by `run` on `ib`; "<no failure>" or
// "<End_of_file>" otherwise.
std::string failure_in(Scanbuf& ib, const Step& run) {
  try {
    run(ib);
  } catch (const Scan_failure& failure) {
    return failure.message();
  } catch (const End_of_file&) {
    return "<End_of_file>";
  }
  return "<no failure>";
}

std::string failure_of(const std::string& input, const Step& run) {
  Scanbuf ib = Scanbuf::from_string(input);
  return failure_in(ib, run);
}

// A source that hands out `text` one character per call.
Scanbuf char_by_char(std::string text) {
  return Scanbuf::from_function([text = std::move(text), i = std::size_t{0}]() mutable -> std::optional<char> {
    if (i < text.size()) return text[i++];
    return std::nullopt;
  });
}

// Reads one value with a pattern of that one conversion.
template <typename T>
T read_one(Scanbuf& ib, Scan_patterns::Pattern<T> pattern) {
  T value{};
  scan(ib, pattern, value);
  return value;
}

double read_float(Scanbuf& ib) { return read_one<double>(ib, "%f"); }

// Every row reads its whole input into `value`.
template <typename T>
struct Value_row {
  std::string input;
  T value;
};

template <typename T, typename Read>
void check_values(const std::vector<Value_row<T>>& rows, Read read) {
  for (const Value_row<T>& row : rows) {
    SCOPED_TRACE(row.input);
    Scanbuf ib = Scanbuf::from_string(row.input);
    EXPECT_EQ(read(ib), row.value);
    EXPECT_TRUE(ib.end_of_input());
  }
}

// One step run over several inputs, each with the outcome failure_of gives.
struct Failure_row {
  std::string name;
  Step run;
  std::vector<std::pair<std::string, std::string>> cases;
};

void check_failures(const std::vector<Failure_row>& rows) {
  for (const Failure_row& row : rows) {
    for (const auto& [input, expected] : row.cases) {
      SCOPED_TRACE(row.name + " on " + input);
      EXPECT_EQ(failure_of(input, row.run), expected);
    }
  }
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

TEST(Scanning_items, LiteralMismatchDoesNotConsume) {
  Scanbuf ib = Scanbuf::from_string("{x");
  EXPECT_THROW(scan(ib, "{ y"), Scan_failure);
  EXPECT_EQ(ib.char_count(), 1);
  EXPECT_EQ(ib.peek(), 'x');
}

TEST(Scanning_items, PercentPercentAndComma) {
  Scanbuf ib = Scanbuf::from_string("50%");
  int n = 0;
  scan(ib, "%d%%", n);
  EXPECT_EQ(n, 50);
  EXPECT_TRUE(ib.end_of_input());
  // The comma consumes nothing.
  Scanbuf parens = Scanbuf::from_string("()");
  scan(parens, "%, ( )");
  EXPECT_TRUE(parens.end_of_input());
}

// ---------------------------------------------------------------------------
// Values read whole, and the failures of every conversion

TEST(Scanning_values, AcceptedForms) {
  const std::vector<Value_row<double>> floats = {
      {"3", 3.0},          {"8.", 8.0},       {"8.0", 8.0},         {"-0.5", -0.5},
      {"-.5", -0.5},       {".5", 0.5},       {"+2.5", 2.5},        {"1_0.5", 10.5},
      {"1e3", 1000.0},     {"1E-2", 0.01},    {"2.5e+1", 25.0},     {"0.1", 0.1},
      {"2.2", 2.2},        {"1_000_000", 1e6}, {"4.9e-324", 4.9e-324},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"0.30000000000000004", 0.30000000000000004},
  };
  check_values(floats, read_float);
  const std::vector<Value_row<int>> decimals = {
      {"42", 42}, {"-7", -7}, {"+7", 7}, {"1_000", 1000}, {"007", 7},
      {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int>::min()},
  };
  check_values(decimals, [](Scanbuf& ib) { return read_one<int>(ib, "%d"); });
  const std::vector<Value_row<int>> prefixed = {
      {"0x1F", 31}, {"0X1f", 31}, {"-0b101", -5}, {"0o17", 15}, {"017", 17},
      {"0", 0},     {"0_1", 1},   {"+0xf_f", 255},  {"12", 12},
  };
  check_values(prefixed, [](Scanbuf& ib) { return read_one<int>(ib, "%i"); });
  const std::vector<Value_row<std::string>> strings = {
      {R"("abc")", "abc"},          {R"("")", ""},
      {R"("a\"b")", "a\"b"},        {R"("\\\'\n\t\b\r")", "\\'\n\t\b\r"},
      {R"("\065\x41\x6a")", "AAj"}, {R"("\255")", "\xff"},
      {"\"ab\\\n   cd\"", "abcd"},  {"\"ab\\\r\n  cd\"", "abcd"},
      {"\"a\nb\"", "a\nb"},         {"\"caf\xc3\xa9\"", "caf\xc3\xa9"},
  };
  check_values(strings, [](Scanbuf& ib) { return read_one<std::string>(ib, "%S"); });
  const std::vector<Value_row<char>> chars = {
      {"'a'", 'a'}, {R"('\n')", '\n'}, {R"('\'')", '\''}, {R"('\\')", '\\'}, {R"('\065')", 'A'}, {"'\"'", '"'},
  };
  check_values(chars, [](Scanbuf& ib) { return read_one<char>(ib, "%C"); });
}

TEST(Scanning_values, Failures) {
  const std::string premature = "premature end of file occurred before end of token";
  const std::string string_premature = "scanning of a String failed: " + premature;
  const std::string float_of_string = "float_of_string";
  check_failures({
      {"point",
       [](Scanbuf& ib) {
         double x = 0.0, y = 0.0;
         scan(ib, "{ p_x = %f ; p_y = %f ; }", x, y);
       },
       // Vertical tab and form feed are not whitespace.
       {{"{\vp_x = 1. ; p_y = 2. ; }", P(1) + "looking for 'p', found '\\011'"},
        {"{\fp_x = 1. ; p_y = 2. ; }", P(1) + "looking for 'p', found '\\012'"}}},
      {"line feed matches LF or CR LF",
       [](Scanbuf& ib) { scan(ib, "a\nb"); },
       {{"a\nb", "<no failure>"},
        {"a\r\nb", "<no failure>"},
        {"a\rb", P(2) + "looking for '\\n', found 'b'"},
        {"ab", P(1) + "looking for '\\n', found 'b'"},
        {"a", "<End_of_file>"}}},
      {"literal at end of input", [](Scanbuf& ib) { scan(ib, "{ }"); }, {{"{", "<End_of_file>"}}},
      {"literal on empty input", [](Scanbuf& ib) { scan(ib, "{"); }, {{"", "<End_of_file>"}}},
      {"%f",
       [](Scanbuf& ib) { read_float(ib); },
       {{";", P(0) + float_of_string},
        {".;", P(1) + float_of_string},
        {"-;", P(1) + float_of_string},
        {"nan", P(0) + float_of_string},
        {"inf", P(0) + float_of_string},
        {"-inf", P(1) + float_of_string},
        {"e5", P(2) + float_of_string},
        {"1e400", P(5) + float_of_string},
        {"1e;", P(2) + "character ';' is not a decimal digit"},
        {"", "<End_of_file>"},
        {"1e", "<End_of_file>"}}},
      // Hexadecimal is not accepted: the 0 is a number of its own; the x that
      // follows is left unread.
      {"%f;", [](Scanbuf& ib) { read_one<double>(ib, "%f;"); }, {{"0x1p3;", P(1) + "looking for ';', found 'x'"}}},
      {"%d",
       [](Scanbuf& ib) { read_one<int>(ib, "%d"); },
       {{"a", P(0) + "character 'a' is not a decimal digit"},
        {"-a", P(1) + "character 'a' is not a decimal digit"},
        {"2147483648", P(10) + "int_of_string"},
        {"+", "<End_of_file>"},
        {"", "<End_of_file>"}}},
      {"%i",
       [](Scanbuf& ib) { read_one<int>(ib, "%i"); },
       {{"0xg", P(2) + "character 'g' is not a valid hexadecimal digit"},
        {"0b2", P(2) + "character '2' is not a valid binary digit"},
        {"-0o9", P(3) + "character '9' is not a valid octal digit"},
        {"x", P(0) + "character 'x' is not a decimal digit"},
        {"0x_f", P(2) + "character '_' is not a valid hexadecimal digit"},
        {"0x", "<End_of_file>"},
        {"0xFFFFFFFF", P(10) + "int_of_string"}}},
      // %li is 32-bit whatever the target.
      {"%li", [](Scanbuf& ib) { read_one<std::int64_t>(ib, "%li"); }, {{"2147483648", P(10) + "int_of_string"}}},
      {"%Li",
       [](Scanbuf& ib) { read_one<std::int64_t>(ib, "%Li"); },
       {{"9223372036854775808", P(19) + "int_of_string"}}},
      {"%S",
       [](Scanbuf& ib) { read_one<std::string>(ib, "%S"); },
       // The third digit that makes the code too large is looked at, not
       // consumed: the count stops after the second one.
       {{R"("\256")", P(4) + "bad character decimal encoding \\256"},
        {R"("ab\999")", P(6) + "bad character decimal encoding \\999"},
        // A carriage return after a backslash is a line break only with its
        // line feed; alone it is an illegal escape, known as such once the
        // character after it is looked at.
        {"\"ab\\\rcd\"", P(5) + "illegal escape character '\\r'"},
        {"\"ab\\\r\"", P(5) + "illegal escape character '\\r'"},
        {"\"ab\\\r\r\n\"", P(5) + "illegal escape character '\\r'"},
        {"\"ab\\\r", P(5) + string_premature},
        {R"("\q")", P(2) + "illegal escape character 'q'"},
        {R"("\ ")", P(2) + "illegal escape character ' '"},
        {R"("\1x2")", P(3) + "illegal escape character 'x'"},
        {R"("\xg0")", P(3) + "illegal escape character 'g'"},
        {"\"abc", P(4) + string_premature},
        {"\"abc\\", P(5) + string_premature},
        {"abc", P(0) + "looking for '\"', found 'a'"},
        {" \"a\"", P(0) + "looking for '\"', found ' '"},
        {"", "<End_of_file>"}}},
      {"%C",
       [](Scanbuf& ib) { read_one<char>(ib, "%C"); },
       {{"'ab'", P(2) + "looking for '\\'', found 'b'"},
        {"'a", P(2) + "scanning of a Char failed: " + premature},
        {"a", P(0) + "looking for '\\'', found 'a'"},
        {R"('\300')", P(4) + "bad character decimal encoding \\300"},
        {"'\\\r'", P(2) + "illegal escape character '\\r'"}}},
      {"%c", [](Scanbuf& ib) { read_one<char>(ib, "%c"); }, {{"", "<End_of_file>"}}},
      {"%0c", [](Scanbuf& ib) { read_one<char>(ib, "%0c"); }, {{"", "<End_of_file>"}}},
      // At the end of input the stop is not required.
      {"%_[^,]@,", [](Scanbuf& ib) { scan(ib, "%_[^,]@,"); }, {{"ab", "<no failure>"}}},
      {"%_[a-z]@,", [](Scanbuf& ib) { scan(ib, "%_[a-z]@,"); }, {{"ab;", P(2) + "looking for ',', found ';'"}}},
  });
}

TEST(Scanning_values, UnderflowGivesZero) {
  Scanbuf ib = Scanbuf::from_string("-1e-400");
  double x = read_float(ib);
  EXPECT_EQ(x, 0.0);
  EXPECT_TRUE(std::signbit(x));
}

TEST(Scanning_values, FloatOfStringIsLocaleIndependentAndStrict) {
  EXPECT_EQ(Scanning::float_of_string("1.5"), 1.5);
  EXPECT_EQ(Scanning::float_of_string("-2e2"), -200.0);
  for (const char* bad : {"", "+", ".", "1,5", "0x10", "nan", "1.5x", " 1"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(Scanning::float_of_string(bad), Scan_failure);
  }
}

TEST(Scanning_values, DecimalStopsBeforeABasePrefix) {
  Scanbuf ib = Scanbuf::from_string("0x1F");
  int n = -1;
  scan(ib, "%d", n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(ib.peek(), 'x');
}

TEST(Scanning_values, SizedIntegers) {
  Scanbuf ib = Scanbuf::from_string("2147483647 -9223372036854775808 123");
  std::int32_t a = 0;
  std::int64_t b = 0;
  long c = 0;
  scan(ib, "%li %Li %ni", a, b, c);
  EXPECT_EQ(a, 2147483647);
  EXPECT_EQ(b, std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(c, 123);
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
  Scanbuf word = Scanbuf::from_string("word\trest");
  scan(word, "%s %s", a, b);
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
    Scanbuf by_char = char_by_char(c.input);
    for (Scanbuf* ib : {&whole, &by_char}) {
      EXPECT_EQ(failure_in(*ib, [](Scanbuf& b) { read_one<int>(b, "{ mur_numero = %d ;\n mur_nom%%@ }"); }),
                c.expected);
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

TEST(Scanning_steps, Failures) {
  auto middle = [](Scanbuf& ib) {
    double v = 0.0;
    scan(ib, "( %r )", r(read_float, v));
    return v;
  };
  auto outer = [&](Scanbuf& ib) {
    double v = 0.0;
    scan(ib, "[ %r ]", r(middle, v));
  };
  auto late = [](Scanbuf& ib) {
    char c = 0;
    scan(ib, "%c", c);
    throw Scan_failure("late");
  };
  auto direction = [](Scanbuf& ib) {
    char c = 0;
    scan(ib, "%c", c);
    throw Scan_failure(std::string("'") + c + "' is not a valid direction");
  };
  check_failures({
      // Every enclosing step adds one prefix; an end of file passes unchanged.
      {"nested",
       outer,
       {{"[ ( x ) ]", P(4) + P(4) + P(4) + "float_of_string"},
        {"[ ( 1 }", P(6) + P(6) + "looking for ')', found '}'"},
        {"[ ( 1 ) }", P(8) + "looking for ']', found '}'"},
        {"[ ( ", "<End_of_file>"},
        {"[ ( 1 )", "<End_of_file>"}}},
      // The failure raised after the inner step returns is prefixed by the
      // enclosing step only.
      {"continuation", [&](Scanbuf& ib) { scan(ib, "< %r >", r(late)); }, {{"< a >", P(3) + "late"}}},
      {"continuation alone", late, {{"a", "late"}}},
      // The character read is a NUL: the message that names it is not cut
      // there by any of the steps it crosses.
      {"NUL",
       [&](Scanbuf& ib) { scan(ib, "[ %r ]", r([&](Scanbuf& b) { scan(b, "( %r )", r(direction)); })); },
       {{std::string("[ ( ") + '\0' + " ) ]", P(5) + P(5) + "'" + '\0' + "' is not a valid direction"}}},
      {"delimiter",
       [](Scanbuf& b) { Scanning::scan_delimiter(b, "BEGIN"); },
       {{"END", P(0) + "looking for 'B', found 'E'"}}},
  });
  const Scan_failure failure(std::string("a\0b", 3));
  EXPECT_EQ(failure.message(), std::string("a\0b", 3));
}

TEST(Scanning_steps, RuntimeDelimiterPatterns) {
  Scanbuf ib = Scanbuf::from_string("BEGIN  x");
  Scanning::scan_delimiter(ib, "BEGIN ");
  EXPECT_EQ(ib.peek(), 'x');
  EXPECT_THROW(Scanning::scan_delimiter(ib, "%d"), Invalid_argument);
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
  Test_support::write_file(path, "12 34\n");
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
  Scanbuf ib = char_by_char("7;8");
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
  std::string text;
  for (int i = 0; i < count; ++i) text += "{ v = " + std::to_string(i) + ".5 ; }\n";
  Test_support::write_file(path, text);
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
