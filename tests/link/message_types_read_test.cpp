#include "link/message_types_read.hpp"

#include <gtest/gtest.h>

#include <string>

#include "description/input_data_types_print.hpp"
#include "link_fixtures.hpp"

namespace {

using namespace Message_types;
using Message_types_read::scanner_input_message;
using Message_types_read::skip_sharp_comments;
using Scanning::Scanbuf;

input_message read(const std::string& text) {
  auto ib = Scanbuf::from_string(text);
  return scanner_input_message(ib);
}

std::string failure_of(const std::string& text) {
  auto ib = Scanbuf::from_string(text);
  try {
    scanner_input_message(ib);
  } catch (const Scan_failure& failure) {
    return failure.what();
  }
  return "no failure";
}

struct Known_case {
  const char* text;
  input_message expected;
};

TEST(Message_types_read, ReadsTheRequestsWithoutArgument) {
  const Known_case cases[] = {
      {"Validate_data", Validate_data{}},
      {"Invalidate_data\n", Invalidate_data{}},
      {"  \n\tCompute_data", Compute_data{}},
      {"Quit\n", Quit{}},
      {"# a comment\n  # another\nQuit\n", Quit{}},
  };
  for (const auto& c : cases) EXPECT_EQ(read(c.text), c.expected) << c.text;
}

TEST(Message_types_read, ReadsTheDescriptionOnTheFollowingLine) {
  const auto d = Link_fixtures::example_input_data();
  Format::Printer ppf;
  Input_data_types_print::printer_input_data(Og_precedence::Ck_toplevel, ppf, d);
  EXPECT_EQ(read("Read_data\n\n  " + ppf.contents() + "\n"), input_message{Read_data{d}});
  EXPECT_EQ(read("Read_data" + ppf.contents()), input_message{Read_data{d}});
}

struct Unknown_case {
  const char* text;
  const char* message;
};

// The header spans the joined text and ends after the line's newline.
TEST(Message_types_read, UnknownRequestsFailWithTheirWholeLine) {
  const std::string h = "File \"" + Link_fixtures::string_name + "\", line ";
  const Unknown_case cases[] = {
      {"Validate\n", "1, characters 1-9:\nUnknown input gui message 'Validate'"},
      {"quit\n", "1, characters 1-5:\nUnknown input gui message 'quit'"},
      {"QUIT\n", "1, characters 1-5:\nUnknown input gui message 'QUIT'"},
      {"  Validate_datum extra\n", "1, characters 3-23:\nUnknown input gui message 'Validate_datum extra'"},
      {"Quit_now # not a comment\n", "1, characters 1-25:\nUnknown input gui message 'Quit_now # not a comment'"},
      {"\n\n%d\n", "3, characters 3-5:\nUnknown input gui message '%d'"},
      {"Compute_data2", "0, characters 0-13:\nUnknown input gui message 'Compute_data2'"},
  };
  for (const auto& c : cases) EXPECT_EQ(failure_of(c.text), h + c.message) << c.text;
}

TEST(Message_types_read, AnUnknownRequestAfterACommentIsPrefixedByTheEnclosingStep) {
  const std::string failure = failure_of("# comment\nValidate\n");
  EXPECT_EQ(failure, "scanf: bad input at char number 19: File \"" + Link_fixtures::string_name +
                         "\", line 2, characters 11-19:\nUnknown input gui message 'Validate'");
}

TEST(Message_types_read, AnUnreadableDescriptionFails) {
  EXPECT_THROW(read("Read_data { batiment = 3 ; }"), Scan_failure);
  EXPECT_THROW(read("Read_data\n"), End_of_file);
}

TEST(Message_types_read, TheEndOfInputBeforeARequestIsPremature) { EXPECT_THROW(read("  \n"), End_of_file); }

TEST(Message_types_read, SkipSharpCommentsStopsAtTheFirstOtherCharacter) {
  auto ib = Scanbuf::from_string("  \n# one\n   # two # three\n\n  x # four\n");
  skip_sharp_comments(ib);
  EXPECT_EQ(ib.peek(), 'x');
  auto empty = Scanbuf::from_string("# only a comment");
  skip_sharp_comments(empty);
  EXPECT_TRUE(empty.end_of_input());
}

}  // namespace
