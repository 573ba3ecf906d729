// Conversions, directives and the box layout of the layout printer. Every
// expected text is worked out by hand from the layout algorithm: sizes in
// bytes, a break's size running to the next break (whose blanks it
// includes) or to the end of its box, and pending material that reaches
// `space_left` forcing the front token out with an infinite size.
#include "text/format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "text/exceptions.hpp"

namespace {

std::string rep(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

struct Case {
  const char* name;
  std::string actual;
  std::string expected;
};

void check_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

// The text a new printer lays out from the calls of `print`.
std::string laid_out(const std::function<void(Format::Printer&)>& print, int margin = 78) {
  Format::Printer p;
  if (margin != p.margin()) p.set_margin(margin);
  print(p);
  return p.contents();
}

// Everything written to `file`, which is closed.
std::string read_back(std::FILE* file) {
  std::rewind(file);
  char text[128] = {};
  std::size_t n = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  return std::string(text, n);
}

// --- conversions --------------------------------------------------------

TEST(FormatConversions, EachKind) {
  std::string s = "a";
  std::string_view v = "b";
  const char* p = "c";
  const char* null = nullptr;
  short sh = -5;
  unsigned u = 4294967295u;
  long l = 123456789L;
  std::int64_t big = std::numeric_limits<std::int64_t>::min();
  std::int32_t i32 = -7;
  std::size_t n = 12;
  double nan = std::numeric_limits<double>::quiet_NaN();
  double inf = std::numeric_limits<double>::infinity();
  check_cases({
      {"%s string-likes", Format::sprintf("%s|%s|%s|%s", s, v, p, "d"), "a|b|c|d"},
      {"%s temporary", Format::sprintf("<%s>", std::string("tmp")), "<tmp>"},
      {"%s null pointer is empty", Format::sprintf("<%s>", null), "<>"},
      {"%S escapes", Format::sprintf("%S", "a\"b\\c\nd\te\rf\bg"),
       "\"a\\\"b\\\\c\\nd\\te\\rf\\bg\""},
      {"%S keeps apostrophes", Format::sprintf("%S", "l'eau"), "\"l'eau\""},
      {"%S accented letter in decimal", Format::sprintf("%S", "é"), "\"\\195\\169\""},
      {"%S control bytes", Format::sprintf("%S", std::string("\x01\x7f", 2)), "\"\\001\\127\""},
      {"%S empty", Format::sprintf("%S", ""), "\"\""},
      {"%c", Format::sprintf("%c%c", 'x', '@'), "x@"},
      {"%C plain", Format::sprintf("%C", 'a'), "'a'"},
      {"%C apostrophe", Format::sprintf("%C", '\''), "'\\''"},
      {"%C double quote", Format::sprintf("%C", '"'), "'\"'"},
      {"%C backslash", Format::sprintf("%C", '\\'), "'\\\\'"},
      {"%C newline", Format::sprintf("%C", '\n'), "'\\n'"},
      {"%C nul", Format::sprintf("%C", '\0'), "'\\000'"},
      {"%C high byte", Format::sprintf("%C", static_cast<char>(0xE9)), "'\\233'"},
      {"%d %i", Format::sprintf("%d %i", -42, 0), "-42 0"},
      {"%d short", Format::sprintf("%d", sh), "-5"},
      {"%i unsigned", Format::sprintf("%i", u), "4294967295"},
      {"%d long", Format::sprintf("%d", l), "123456789"},
      {"%Li int64 min", Format::sprintf("%Li", big), "-9223372036854775808"},
      {"%li %ni %ld", Format::sprintf("%li %ni %ld", i32, n, 3), "-7 12 3"},
      {"%f", Format::sprintf("%f", 1.0), "1.000000"},
      {"%f negative", Format::sprintf("%f", -2.5), "-2.500000"},
      {"%f float argument", Format::sprintf("%f", 0.5f), "0.500000"},
      // 2.675 is stored as 2.67499999999999982236431605997495353221893310546875.
      {"%.2f below the half", Format::sprintf("%.2f", 2.675), "2.67"},
      // 0.125 is exact: the tie goes to the even digit.
      {"%.2f exact tie", Format::sprintf("%.2f", 0.125), "0.12"},
      {"%.2f rounds up", Format::sprintf("%.2f", 0.126), "0.13"},
      {"%.2f negative zero", Format::sprintf("%.2f", -0.001), "-0.00"},
      // 1.0005 is stored as 1.000499999999999989341858963598497211933135986328125.
      {"%.3f", Format::sprintf("%.3f", 1.0005), "1.000"},
      {"%.3f", Format::sprintf("%.3f", 12.3456), "12.346"},
      {"%.60f exact binary value", Format::sprintf("%.60f", 0.1),
       "0.100000000000000005551115123125782702118158340454101562500000"},
      {"%.2f large", Format::sprintf("%.2f", 1e15), "1000000000000000.00"},
      {"%F integral value", Format::sprintf("%F", 8.0), "8."},
      {"%F decimal", Format::sprintf("%F", 0.1), "0.1"},
      {"%F negative", Format::sprintf("%F", -3.0), "-3."},
      {"%F negative zero", Format::sprintf("%F", -0.0), "-0."},
      {"%F half", Format::sprintf("%F", 2.5), "2.5"},
      {"%F small exponent", Format::sprintf("%F", 1e-5), "1e-05"},
      {"%F twelve digits", Format::sprintf("%F", 123456789012345.0), "1.23456789012e+14"},
      {"%F eleven-digit integer", Format::sprintf("%F", 100000000000.0), "100000000000."},
      {"%F exponent without point", Format::sprintf("%F", 1e12), "1e+12"},
      {"%F rounded to 12 digits", Format::sprintf("%F", 0.1 + 0.2), "0.3"},
      {"%F nan", Format::sprintf("%F", nan), "nan"},
      {"%F infinity", Format::sprintf("%F", inf), "infinity"},
      {"%F neg_infinity", Format::sprintf("%F", -inf), "neg_infinity"},
      {"%B", Format::sprintf("%B %B", true, false), "true false"},
      {"%% and %,", Format::sprintf("100%%%,!"), "100%!"},
      {"@@ laid out", Format::asprintf("a@@b"), "a@b"},
      {"lone @ is literal", Format::asprintf("a@xb@"), "a@xb@"},
  });
}

// --- plain string formatting ----------------------------------------------

TEST(FormatPlain, DirectivesAreCopiedAndPrintersWriteInPlace) {
  auto word = [](Format::Printer& p, const std::string& s) { Format::fprintf(p, "<%s>", s); };
  std::function<void(Format::Printer&)> thunk = [](Format::Printer& p) { p.print_string("t"); };
  check_cases({
      {"cut", Format::sprintf("a@,b"), "a@,b"},
      {"all directives", Format::sprintf("@[<hv 2>a@ b@;c@;<1 -2>d@]@\n@.@?@@"),
       "@[<hv 2>a@ b@;c@;<1 -2>d@]@\n@.@?@@"},
      {"with conversions", Format::sprintf("@[%d@,%s@]", 3, "x"), "@[3@,x@]"},
      {"%a", Format::sprintf("[%a]", word, std::string("w")), "[<w>]"},
      {"%t", Format::sprintf("[%t]", thunk), "[t]"},
      {"%(%)", Format::sprintf("[%(%)]", Format::Fmt{"( Xon ("}), "[( Xon (]"},
  });
}

// --- argument kinds accepted by the checker --------------------------------

void print_int(Format::Printer& p, const int& i) { Format::fprintf(p, "#%d", i); }

TEST(FormatArguments, CallablesOfEveryShapeAndRuntimeFormats) {
  std::function<void(Format::Printer&, const int&)> fn = print_int;
  void (*fp)(Format::Printer&, const int&) = print_int;
  auto thunk = [](Format::Printer& p) { p.print_string("T"); };
  std::function<void(Format::Printer&)> logger = [](Format::Printer& p) { p.print_string("L"); };
  auto run = [](Format::Printer& p, const std::function<void(Format::Printer&)>& l) { Format::fprintf(p, "(%t)", l); };
  check_cases({
      {"function", Format::asprintf("%a", print_int, 1), "#1"},
      {"function pointer", Format::asprintf("%a", fp, 2), "#2"},
      {"std::function", Format::asprintf("%a", fn, 3), "#3"},
      {"lambda thunk", Format::asprintf("%t%t", thunk, [](Format::Printer& p) { p.print_string("U"); }),
       "TU"},
      // A logger handed to a printer of loggers: the pair is taken by "%a".
      {"value that is itself a printer", Format::asprintf("%a", run, logger), "(L)"},
      {"runtime format", Format::sprintf(Format::runtime("%d-%s"), 1, "a"), "1-a"},
  });
}

TEST(FormatArguments, RuntimeFormatsAreChecked) {
  EXPECT_THROW(Format::sprintf(Format::runtime("%d %d"), 1), Invalid_argument);
  EXPECT_THROW(Format::sprintf(Format::runtime("%d"), 1, 2), Invalid_argument);
  EXPECT_THROW(Format::sprintf(Format::runtime("%s"), 1), Invalid_argument);
  EXPECT_THROW(Format::sprintf(Format::runtime("%q")), Invalid_argument);
  EXPECT_THROW(Format::asprintf(Format::runtime("@[<x 2>a@]")), Invalid_argument);
  EXPECT_THROW(Format::asprintf(Format::runtime("@;<1>")), Invalid_argument);
  EXPECT_THROW(Format::asprintf("%(%)", Format::Fmt{"%d"}), Invalid_argument);
}

// --- box kinds -------------------------------------------------------------

TEST(FormatBoxes, Layout) {
  std::string a30 = rep("a", 30), b30 = rep("b", 30), c30 = rep("c", 30);
  std::string a40 = rep("a", 40), d40 = rep("d", 40), x40 = rep("x", 40), y40 = rep("y", 40), x76 = rep("x", 76);
  std::string w1 = rep("1", 20), w2 = rep("2", 20), w3 = rep("3", 20), w4 = rep("4", 20),
              w5 = rep("5", 20);
  check_cases({
      // Every cut of a vertical box breaks, at the box's column plus 2.
      {"v", Format::asprintf("@[<v 2>aaa@,bbb@,ccc@]"), "aaa\n  bbb\n  ccc"},
      {"hv fits", Format::asprintf("@[<hv 2>aaa@ bbb@ ccc@]"), "aaa bbb ccc"},
      // 30+1+30+1+30 = 92 columns: every break of the box splits.
      {"hv too long", Format::asprintf("@[<hv 2>%s@ %s@ %s@]", a30, b30, c30),
       a30 + "\n  " + b30 + "\n  " + c30},
      // The third break's material (1+20+1) exceeds the 16 columns left.
      {"hov packs", Format::asprintf("@[<hov 2>%s@ %s@ %s@ %s@ %s@]", w1, w2, w3, w4, w5),
       w1 + " " + w2 + " " + w3 + "\n  " + w4 + " " + w5},
      {"h never breaks",
       Format::asprintf("@[<h 2>%s@ %s@ %s@]", a30, b30, c30), a30 + " " + b30 + " " + c30},
      {"b fits", Format::asprintf("@[aaa@ bbb@]"), "aaa bbb"},
      {"h keeps offsets' blanks", Format::asprintf("@[<h 0>aaa@;<3 5>bbb@]"), "aaa   bbb"},
      {"inner boxes that fit stay on one line", Format::asprintf("@[<hv 2>%s@ @[bb@ cc@]@ %s@]", a40, d40),
       a40 + "\n  bb cc\n  " + d40},
      // A structural box breaks back to a smaller indentation. The inner break splits to column 4; the outer break
      // would bring the line back to column 0, so a b box splits although "zzzz" fits.
      {"b outer", Format::asprintf("@[<b 0>@[<b 4>%s@ %s@]@ zzzz@]", x40, y40),
       x40 + "\n    " + y40 + "\nzzzz"},
      {"hov outer", Format::asprintf("@[<hov 0>@[<b 4>%s@ %s@]@ zzzz@]", x40, y40),
       x40 + "\n    " + y40 + " zzzz"},
      // A structural box never splits just after a line break.
      {"b after a newline", Format::asprintf("@[<b 2>aaa@\n@ %s@]", x76), "aaa\n   " + x76},
      {"hov after a newline", Format::asprintf("@[<hov 2>aaa@\n@ %s@]", x76), "aaa\n  \n  " + x76},
      {"kind without indentation", Format::asprintf("@[<hov>a@ b@]"), "a b"},
      {"structural box with indentation", Format::asprintf("@[<b 2>a@\nb@]"), "a\n  b"},
      // The inner box opens at column 3 with indentation -1: width 76.
      {"negative indentation", Format::asprintf("@[<v 3>x@,@[<v -1>a@,b@]@]"), "x\n   a\n  b"},
      {"closing the outermost box does nothing", Format::asprintf("a@]@]b"), "ab"},
  });
}

// --- breaks, offsets and the margin ----------------------------------------

TEST(FormatBreaks, OffsetsMarginAndIndentation) {
  std::string a70 = rep("a", 70), a76 = rep("a", 76), x70 = rep("x", 70);
  check_cases({
      {"closing brace fits", Format::asprintf("@[<hv 2>{@ %s@;<1 -2>}@]", a70),
       "{ " + a70 + " }"},
      // Offset -2 in a box of indentation 2 returns to the opening column.
      {"closing brace under the opening one", Format::asprintf("@[<hv 2>{@ %s@;<1 -2>}@]", a76),
       "{\n  " + a76 + "\n}"},
      {"cut with offset 2", Format::asprintf("@[<v 0>aaa@;<0 2>bbb@]"), "aaa\n  bbb"},
      {"same line with offset", Format::asprintf("@[<hv 0>aaa@;<0 2>bbb@]"), "aaabbb"},
      {"@; is a space", Format::asprintf("@[<hv 0>aaa@;bbb@]"), "aaa bbb"},
      // 70+1+6 = 77 columns: the box fits.
      {"77 columns fit", Format::asprintf("@[<hov 0>%s@ %s@]", x70, rep("y", 6)),
       x70 + " " + rep("y", 6)},
      // With 78 columns pending the break is forced out with an infinite size.
      {"78 columns break", Format::asprintf("@[<hov 0>%s@ %s@]", x70, rep("y", 7)),
       x70 + "\n" + rep("y", 7)},
      // The first break's material (blank, word, next blank) takes the 8
      // columns left; the second break then has 1 column for 2.
      {"material up to the next break", Format::asprintf("@[<hov 0>%s@ %s@ z@]", x70, rep("y", 6)),
       x70 + " " + rep("y", 6) + "\nz"},
      {"forced newline in hov", Format::asprintf("@[<hov 4>aaa@\nbbb@]"), "aaa\n    bbb"},
      // The inner box opens at column 2 with indentation 3: width 73.
      {"forced newline nested", Format::asprintf("@[<v 2>x@,@[<hov 3>aaa@\nbbb@]@]"), "x\n  aaa\n     bbb"},
      {"forced newline in the outermost box", Format::asprintf("aaa@\nbbb"), "aaa\nbbb"},
      {"box opened at column 70, beyond max_indent", Format::asprintf("%s@[<hov 0>bbb@]", rep("x", 70)),
       rep("x", 70) + "\nbbb"},
      {"box opened at column 68", Format::asprintf("%s@[<hov 0>bbb@]", rep("x", 68)), rep("x", 68) + "bbb"},
      {"indentation v 70 stops at max_indent", Format::asprintf("@[<v 70>aaa@,bbb@]"), "aaa\n" + sp(68) + "bbb"},
      // The inner box opens at column 40 with indentation 40.
      {"nested indentation stops at max_indent", Format::asprintf("@[<v 40>a@,@[<v 40>b@,c@]@]"),
       "a\n" + sp(40) + "b\n" + sp(68) + "c"},
      // 40 accented letters measure 80 bytes: the box cannot fit.
      {"40 accented", Format::asprintf("@[<hv 0>%s@ b@]", rep("é", 40)), rep("é", 40) + "\nb"},
      {"40 plain", Format::asprintf("@[<hv 0>%s@ b@]", rep("e", 40)), rep("e", 40) + " b"},
      {"37 accented fit", Format::asprintf("@[<hv 0>%s@ b@]", rep("é", 37)), rep("é", 37) + " b"},
      {"38 accented do not", Format::asprintf("@[<hv 0>%s@ b@]", rep("é", 38)),
       rep("é", 38) + "\nb"},
  });
}

// --- flushing and printers -------------------------------------------------

TEST(FormatFlush, NewlineFlushAndPrinterCalls) {
  std::string x40 = rep("x", 40);
  check_cases({
      {"open boxes closed", Format::asprintf("@[<v 2>aaa@,bbb@."), "aaa\n  bbb\n"},
      {"fresh state after @.", Format::asprintf("@[<v 2>aaa@.ccc@[@,ddd@]"), "aaa\ncccddd"},
      // A break of the outermost box is never measured (that box is never
      // closed): a flush prints it with an infinite size, so it splits.
      {"outermost break splits", Format::asprintf("ccc@,ddd"), "ccc\nddd"},
      // Only the last one: the next break settles the size of the previous.
      {"outermost breaks", Format::asprintf("a@ b@ c"), "a b\nc"},
      {"one newline at the end", Format::asprintf("abc@."), "abc\n"},
      {"flush without newline", Format::asprintf("@[<v 2>aaa@,bbb@?ccc"), "aaa\n  bbbccc"},
      {"several calls that fit before one flush", laid_out([&](Format::Printer& p) {
         Format::fprintf(p, "@[<hv 2>aaa@ ");
         Format::fprintf(p, "%s@ ", x40);
         Format::fprintf(p, "ccc@]@?");
       }),
       "aaa " + x40 + " ccc"},
      {"several calls that break before one flush", laid_out([&](Format::Printer& p) {
         Format::fprintf(p, "@[<hv 2>aaa@ ");
         Format::fprintf(p, "%s@ ", x40);
         Format::fprintf(p, "%s@]", x40);
         Format::fprintf(p, "@?");
       }),
       "aaa\n  " + x40 + "\n  " + x40},
      // The h box opens at column 1: its forced newline indents by 1.
      {"operations match directives", laid_out([](Format::Printer& p) {
         p.open_box(Format::Box_kind::V, 2);
         p.print_string("a");
         p.print_cut();
         p.print_string("b");
         p.print_space();
         p.print_break(1, -2);
         p.print_string("c");
         p.close_box();
         p.open_box(Format::Box_kind::H, 0);
         p.print_string("d");
         p.force_newline();
         p.print_string("e");
         p.print_newline();
         p.print_string("f");
         p.print_flush();
       }),
       "a\n  b\n  \ncd\n e\nf"},
      // Margin 20: the fourth break is forced out when "eeee" makes the
      // pending material reach the single column left.
      {"narrow margin",
       laid_out([](Format::Printer& p) { Format::fprintf(p, "@[<hov 0>aaaa@ bbbb@ cccc@ dddd@ eeee@]"); }, 20),
       "aaaa bbbb cccc dddd\neeee"},
  });
}

// Each text taken is laid out as by a new printer: the second one opens a
// structural box with a break before any text, which a new printer (on a new
// line) keeps on the line although the text beyond it is wider than the
// margin; after the first text, not on a new line, it would break.
TEST(FormatFlush, TakenContentsLeaveAFreshPrinter) {
  const std::string x30 = rep("x", 30);
  Format::Printer p;
  p.set_margin(20);
  Format::fprintf(p, "@[<v 2>aaa@,bbb@]");
  EXPECT_EQ(p.take_contents(), "aaa\n  bbb");
  Format::fprintf(p, "@[<b 0>@ %s@]", x30);
  EXPECT_EQ(p.take_contents(), " " + x30);
  EXPECT_EQ(p.take_contents(), "");
  Format::fprintf(p, "ccc@ ddd");
  EXPECT_EQ(p.contents(), "ccc\nddd");
}

TEST(FormatFlush, FilePrinter) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  Format::Printer p(file);
  Format::fprintf(p, "@[<v 2>%s@,%d@]@.", "x", 5);
  EXPECT_EQ(read_back(file), "x\n  5\n");
}

TEST(FormatFlush, LongOutputInOnePass) {
  // Tokens are enqueued, sized and printed once: a long packed box is cheap.
  Format::Printer p;
  p.open_box(Format::Box_kind::HOV, 0);
  for (int i = 0; i < 100000; ++i) {
    p.print_string("word");
    p.print_space();
  }
  p.close_box();
  std::string text = p.contents();
  // A break needs room for its blank, the next word and the next blank (6
  // columns): after 15 words (column 74) only 4 are left.
  EXPECT_EQ(text.substr(0, 75), rep("word ", 14) + "word\n");
  EXPECT_EQ(text.substr(75, 5), "word ");
}

TEST(FormatFlush, StandardPrintersExist) {
  EXPECT_EQ(Format::err_formatter().margin(), 78);
  EXPECT_EQ(Format::std_formatter().margin(), 78);
}

TEST(FormatFlush, FileReceivesTextOnceLaidOut) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  std::vector<long> written;
  {
    Format::Printer p(file);
    // "abc" waits behind the opening of the outermost box.
    Format::fprintf(p, "abc");
    written.push_back(std::ftell(file));
    // 83 columns pending: the opening is forced out, then both texts.
    Format::fprintf(p, "%s", rep("y", 80));
    written.push_back(std::ftell(file));
    // Nothing waits: printed at once.
    Format::fprintf(p, "z");
    written.push_back(std::ftell(file));
    // The box opens at column 84, beyond 68: a newline first; "u" is
    // printed, the break waits for its size.
    Format::fprintf(p, "@[<hov 0>u@ v");
    written.push_back(std::ftell(file));
    p.print_flush();
    written.push_back(std::ftell(file));
  }
  EXPECT_EQ(written, (std::vector<long>{0, 83, 84, 86, 88}));
  EXPECT_EQ(read_back(file), "abc" + rep("y", 80) + "z\nu v");
}

// --- waiting texts and tokens ----------------------------------------------

// Four letters that differ from one word to the next.
std::string word(int i) {
  std::string w = "w";
  w += static_cast<char>('a' + i % 26);
  w += static_cast<char>('a' + i / 26 % 26);
  w += static_cast<char>('a' + i / 676 % 26);
  return w;
}

TEST(FormatQueue, WaitingTextsAndTokens) {
  std::string l100 = rep("L", 100), l74 = rep("L", 74), l73 = rep("L", 73);
  // A break needs its blank, the next word and the next blank (6 columns):
  // 15 words to a line (74 columns), 199 full lines, then 5 words.
  std::string packed;
  for (int i = 0; i < 2990; ++i) {
    if (i > 0) packed += i % 15 == 0 ? "\n" : " ";
    packed += word(i);
  }
  std::string nested = "@[<hov 0>" + rep("@[<hv 0>@,", 500) + "x" + rep("@]", 500) + "@ y@]";
  check_cases({
      // Each word waits behind the break before it until the next break is
      // measured: some 15000 bytes of text pass through the waiting queue.
      {"long packed box keeps every word", laid_out([](Format::Printer& p) {
         p.open_box(Format::Box_kind::HOV, 0);
         for (int i = 0; i < 2990; ++i) {
           if (i > 0) p.print_space();
           p.print_string(word(i));
         }
         p.close_box();
       }),
       packed},
      // The box's material exceeds the line: the break after the run is
      // forced out and splits at the box's indentation.
      {"run beyond the margin", Format::asprintf(Format::runtime("@[<hov 2>" + l100 + "@ end@]")),
       l100 + "\n  end"},
      // 74+1+3 = 78 columns pending reach space_left: the break splits.
      {"run to the margin", Format::asprintf(Format::runtime("@[<hov 2>" + l74 + "@ end@]")),
       l74 + "\n  end"},
      {"run one column short", Format::asprintf(Format::runtime("@[<hov 2>" + l73 + "@ end@]")),
       l73 + " end"},
      // Runs split by conversions and directives keep their order.
      {"runs between conversions",
       Format::asprintf("@[<h 0>abc%ddef%sghi@@jkl%%mno@]", 12, "xyz"), "abc12defxyzghi@jkl%mno"},
      // 500 nested boxes and their cuts measure nothing: all wait for "x",
      // then every box fits.
      {"nested empty boxes", Format::asprintf(Format::runtime(nested)), "x y"},
      {"empty boxes in a row",
       Format::asprintf(Format::runtime("@[<v 2>a@," + rep("@[@]", 1000) + "b@]")), "a\n  b"},
  });
}

TEST(FormatConversions, LongestFixedNotation) {
  double max = std::numeric_limits<double>::max();
  // The largest double is an integer of 309 digits.
  std::string f = Format::sprintf("%f", max);
  std::string f200 = Format::asprintf("%.200f", -max);
  EXPECT_EQ(f.size(), 309u + 7u);
  EXPECT_EQ(f.substr(0, 17), "17976931348623157");
  EXPECT_EQ(f.substr(309), ".000000");
  EXPECT_EQ(f200.size(), 1u + 309u + 1u + 200u);
  EXPECT_EQ(f200.substr(0, 18), "-17976931348623157");
  EXPECT_EQ(f200.substr(310), "." + rep("0", 200));
}

// --- printers nested through %a, %t and %( %) -------------------------------

void print_ints(Format::Printer& p, const std::vector<int>& v) {
  Format::fprintf(p, "@[<hov 1>[");
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i > 0) Format::fprintf(p, "@ ");
    Format::fprintf(p, "%d;", v[i]);
  }
  Format::fprintf(p, "]@]");
}

TEST(FormatNesting, PrintersShareTheLayout) {
  std::vector<int> small{1, 2, 3};
  std::vector<int> many(30, 10);  // "10;" 30 times
  auto labelled = [&](Format::Printer& p) { Format::fprintf(p, "@[<hv 2>many =@ %a@]", print_ints, many); };
  // The hv box (128 columns) splits after "many ="; the list box opens at
  // column 2 with indentation 1 and packs "[10;" and 17 more items up to
  // column 74, where the next break needs 5 columns and 4 are left.
  std::string line1 = "many =\n  [10;" + rep(" 10;", 17);
  std::string line2 = "\n   " + rep("10; ", 11) + "10;]";
  check_cases({
      {"%a", Format::asprintf("l = %a", print_ints, small), "l = [1; 2; 3;]"},
      {"%t around %a", Format::asprintf("%t", labelled), line1 + line2},
      {"%(%) in a box", Format::asprintf("@[<v 0>@[<v 2>%(%)@,x@]@,%(%)@]", Format::Fmt{"( Xon ("},
                                         Format::Fmt{") Xoff )"}),
       "( Xon (\n  x\n) Xoff )"},
  });
}

}  // namespace
