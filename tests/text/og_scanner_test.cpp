// Readers of the basic shapes: lists, arrays, options, references, numbers.
#include "text/og_scanner.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Scanning::Scanbuf;
using namespace Og_scanner;

std::string P(int n) { return "scanf: bad input at char number " + std::to_string(n) + ": "; }

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

std::vector<int> read_int_list(const std::string& input) {
  Scanbuf ib = Scanbuf::from_string(input);
  return scanner_List(scanner_quoted_int, ib);
}

TEST(Og_scanner_list, AcceptedForms) {
  struct Case {
    std::string input;
    std::vector<int> value;
  };
  const std::vector<Case> cases = {
      {"[]", {}},           {"[ ]", {}},         {"[ 1 ]", {1}},         {"[ 1 ; 2 ]", {1, 2}},
      {"[ 1 ; 2 ; ]", {1, 2}}, {"[1;2;]", {1, 2}}, {"[ 1 2 ]", {1, 2}}, {"[\n 1 ;\r\n 2\n]", {1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(read_int_list(c.input), c.value);
  }
}

TEST(Og_scanner_list, Failures) {
  auto run = [](Scanbuf& ib) { scanner_List(scanner_quoted_int, ib); };
  // The element reader's step, the element step "%r " and the list step.
  EXPECT_EQ(failure_of("[ 1 ; ; 2 ]", run),
            P(6) + P(6) + P(6) + "character ';' is not a decimal digit");
  EXPECT_EQ(failure_of("( 1 )", run), P(0) + "looking for '[', found '('");
  EXPECT_EQ(failure_of("[", run), "<End_of_file>");
  EXPECT_EQ(failure_of("[ 1 ; 2", run), "<End_of_file>");
}

TEST(Og_scanner_list, Arrays) {
  for (const std::string input : {"[| 1 ; 2 |]", "[|1;2;|]", "[| 1 2 |]"}) {
    Scanbuf ib = Scanbuf::from_string(input);
    EXPECT_EQ(scanner_Array(scanner_quoted_int, ib), (std::vector<int>{1, 2}));
  }
  for (const std::string input : {"[||]", "[| |]"}) {
    Scanbuf ib = Scanbuf::from_string(input);
    EXPECT_TRUE(scanner_Array(scanner_quoted_int, ib).empty());
  }
}

TEST(Og_scanner_option, AcceptedForms) {
  for (const std::string input : {"Some 2.5", "Some (2.5)", "Some( 2.5 )", "Some\n( 2.5 )"}) {
    SCOPED_TRACE(input);
    Scanbuf ib = Scanbuf::from_string(input);
    EXPECT_EQ(scanner_Option(scanner_quoted_float, ib), std::optional<double>(2.5));
  }
  Scanbuf ib = Scanbuf::from_string("None");
  EXPECT_EQ(scanner_Option(scanner_quoted_float, ib), std::nullopt);
}

TEST(Og_scanner_option, Failures) {
  auto run = [](Scanbuf& ib) { scanner_Option(scanner_quoted_float, ib); };
  EXPECT_EQ(failure_of("Somme 2.5", run), P(3) + "looking for 'e', found 'm'");
  EXPECT_EQ(failure_of("Nothing", run), P(2) + "looking for 'n', found 't'");
  // The float step, the parenthesis-optional step and the "Some %r" step.
  EXPECT_EQ(failure_of("Some x", run), P(5) + P(5) + P(5) + "float_of_string");
  EXPECT_EQ(failure_of("Some (x)", run), P(6) + P(6) + P(6) + "float_of_string");
  EXPECT_EQ(failure_of("Some (2.5", run), "<End_of_file>");
  EXPECT_EQ(failure_of("", run), "<End_of_file>");
}

TEST(Og_scanner_basic, Numbers) {
  struct Case {
    std::string input;
    int value;
  };
  for (const Case& c : std::vector<Case>{{"3", 3}, {"(3)", 3}, {"( -3 )", -3}, {"0x10", 16}, {"(0b11)", 3}}) {
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(scanner_quoted_int(ib), c.value);
  }
  Scanbuf ib = Scanbuf::from_string("( 1.5 ) -2 2147483647 -9223372036854775808");
  EXPECT_EQ(scanner_quoted_float(ib), 1.5);
  Scanning::scan(ib, " ");
  EXPECT_EQ(scanner_quoted_nativeint(ib), -2);
  Scanning::scan(ib, " ");
  EXPECT_EQ(scanner_quoted_int32(ib), 2147483647);
  Scanning::scan(ib, " ");
  EXPECT_EQ(scanner_quoted_int64(ib), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(failure_of("2147483648", [](Scanbuf& b) { scanner_quoted_int32(b); }),
            P(10) + "int_of_string");
}

TEST(Og_scanner_basic, StringsCharsBoolsUnit) {
  Scanbuf ib = Scanbuf::from_string(R"("a\tb" "c" 'x' true false () ( ))");
  EXPECT_EQ(scanner_quoted_string(ib), "a\tb");
  Scanning::scan(ib, " ");
  EXPECT_EQ(scanner_Bytes(ib), "c");
  Scanning::scan(ib, " ");
  EXPECT_EQ(scanner_quoted_char(ib), 'x');
  Scanning::scan(ib, " ");
  EXPECT_TRUE(scanner_bool(ib));
  Scanning::scan(ib, " ");
  EXPECT_FALSE(scanner_bool(ib));
  Scanning::scan(ib, " ");
  scanner_unit(ib);
  Scanning::scan(ib, " ");
  scanner_unit(ib);
  EXPECT_TRUE(ib.end_of_input());
  EXPECT_EQ(failure_of("maybe", [](Scanbuf& b) { scanner_bool(b); }),
            P(0) + "looking for 'f', found 'm'");
  EXPECT_EQ(failure_of("tru", [](Scanbuf& b) { scanner_bool(b); }), "<End_of_file>");
  EXPECT_EQ(failure_of("(x)", [](Scanbuf& b) { scanner_unit(b); }),
            P(1) + "looking for ')', found 'x'");
}

TEST(Og_scanner_basic, ReferencesAndDeferredValues) {
  for (const std::string input : {"ref 3", "{ contents = 3 }", "{contents=3}"}) {
    Scanbuf ib = Scanbuf::from_string(input);
    EXPECT_EQ(scanner_Ref(scanner_quoted_int, ib), 3);
  }
  Scanbuf ib = Scanbuf::from_string("lazy 4");
  EXPECT_EQ(scanner_Lazy(scanner_quoted_int, ib), 4);
}

TEST(Og_scanner_basic, ValuesWithoutTextFormAreRefused) {
  EXPECT_EQ(failure_of("<fun>", [](Scanbuf& b) { scanner_Fun(b); }), "Cannot read a function");
  EXPECT_EQ(failure_of("<poly>", [](Scanbuf& b) { scanner_Poly(b); }),
            "Cannot read a polymorphic value");
  EXPECT_EQ(failure_of("<abstract>", [](Scanbuf& b) { scanner_Abstract(b); }),
            "Cannot read an abstract value");
  EXPECT_EQ(failure_of("<external>", [](Scanbuf& b) { scanner_External(b); }),
            "Cannot read an external value");
  // Inside a list the element step and the list step prefix the refusal.
  EXPECT_EQ(failure_of("[ <fun> ]",
                       [](Scanbuf& b) {
                         scanner_List([](Scanbuf& e) { scanner_Fun(e); return 0; }, b);
                       }),
            P(7) + P(7) + "Cannot read a function");
  EXPECT_EQ(failure_of("<fum>", [](Scanbuf& b) { scanner_Fun(b); }),
            P(3) + "looking for 'n', found 'm'");
}

TEST(Og_scanner_lenient, SeparatedSequencesStopAtTheFirstFailure) {
  struct Case {
    std::string input;
    std::vector<int> value;
  };
  for (const Case& c : std::vector<Case>{{"1 ; 2 ; x", {1, 2}}, {"", {}}, {"1 ; 2", {1, 2}}, {"1 , 2", {1}}}) {
    SCOPED_TRACE(c.input);
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(scanner_list(scanner_quoted_int, " ; ", ib), c.value);
  }
  Scanbuf ib = Scanbuf::from_string("1 ; 2");
  EXPECT_EQ(scanner_array(scanner_quoted_int, " ; ", ib), (std::vector<int>{1, 2}));
}

TEST(Og_scanner_lenient, PrefixedOption) {
  struct Case {
    std::string input;
    std::optional<double> value;
  };
  for (const Case& c : std::vector<Case>{{"Some 2.5", 2.5}, {"None", std::nullopt}, {"", std::nullopt}}) {
    Scanbuf ib = Scanbuf::from_string(c.input);
    EXPECT_EQ(scanner_option("Some ", scanner_quoted_float, ib), c.value);
  }
}

}  // namespace
