#include "link/message_types_print.hpp"

#include <gtest/gtest.h>

#include <string>

#include "link/communication_types_pprint.hpp"
#include "link/communication_types_read.hpp"
#include "link_fixtures.hpp"

namespace {

using namespace Message_types;
using Communication_types::make_communication;
using Link_fixtures::framed;

std::string acknowledgment(const computation_acknowledgment_message& m) {
  Format::Printer ppf;
  Communication_types_pprint::print_computation_acknowledgment_communication(ppf, make_communication(m));
  return ppf.contents();
}

std::string error(const computation_error_message& m) {
  Format::Printer ppf;
  Communication_types_pprint::print_computation_error_communication(ppf, make_communication(m));
  return ppf.contents();
}

std::string request(const input_message& m) {
  Format::Printer ppf;
  Communication_types_pprint::print_input_communication(ppf, make_communication(m));
  return ppf.contents();
}

struct Ack_case {
  computation_acknowledgment_message message;
  std::string text;
};

TEST(Message_types_print, WritesEveryAcknowledgment) {
  const Ack_case cases[] = {
      {Computing{}, framed("Computing")},
      {Validate_data_done{}, framed("Validate_data_done")},
      {Invalidate_data_done{}, framed("Invalidate_data_done")},
      {Quitting{}, framed("Quitting")},
      {Compute_progress{"50% done"}, framed("Compute_progress \"50% done\"")},
      {Compute_data_done{"Fini"}, framed("Compute_data_done \"Fini\"")},
      // Quotes, apostrophes and backslashes are escaped; a newline is kept.
      {Compute_data_done{"l'\"a\"\\\nb"}, framed("Compute_data_done \"l\\'\\\"a\\\"\\\\\nb\"")},
  };
  for (const auto& c : cases) EXPECT_EQ(acknowledgment(c.message), c.text);
}

struct Error_case {
  computation_error_message message;
  std::string text;
};

TEST(Message_types_print, WritesEveryErrorThatFitsOnALine) {
  const Error_case cases[] = {
      {Error_no_validated_data{}, framed("Error_no_validated_data")},
      {Error_wrong_communication{Wrong_communication{"bad"}},
       framed("Error_wrong_communication (Wrong_communication \"bad\")")},
      {Error_wrong_computation{Wrong_computation{"oops"}}, framed("Error_wrong_computation (Wrong_computation \"oops\")")},
  };
  for (const auto& c : cases) EXPECT_EQ(error(c.message), c.text);
}

// Too long for one line: every field of the record on a line of its own,
// under the opening brace's line, the closing brace under the name.
TEST(Message_types_print, LaysOutALongFailureRecord) {
  const std::string text = error(Error_wrong_test_result{error_wrong_test_result{"Nv0", "m", "t"}});
  EXPECT_EQ(text,
            "( Xon (\n"
            "  Error_wrong_test_result {\n"
            "    error_localisation = Some \"Nv0\";\n"
            "    error_message = \"m\";\n"
            "    error_tqmv_text = \"t\";\n"
            "  }\n"
            ") Xoff )\n");
}

// The record's fields still fit on one line under the opening brace.
TEST(Message_types_print, LaysOutAFailureRecordAboutTheWholeBuilding) {
  EXPECT_EQ(error(Error_wrong_test_result{error_wrong_test_result{std::nullopt, "m", "t"}}),
            "( Xon (\n"
            "  Error_wrong_test_result {\n"
            "    error_localisation = None; error_message = \"m\"; error_tqmv_text = \"t\";\n"
            "  }\n"
            ") Xoff )\n");
}

TEST(Message_types_print, LaysOutALongCommunicationFailure) {
  const std::string message = std::string(60, 'x') + "\nSyntax error: y";
  EXPECT_EQ(error(Error_wrong_communication{Wrong_communication{message}}),
            "( Xon (\n"
            "  Error_wrong_communication (\n"
            "    Wrong_communication\n"
            "      \"" + std::string(60, 'x') + "\nSyntax error: y\"\n"
            "  )\n"
            ") Xoff )\n");
}

TEST(Message_types_print, WritesTheRequests) {
  EXPECT_EQ(request(Validate_data{}), framed("Validate_data"));
  EXPECT_EQ(request(Invalidate_data{}), framed("Invalidate_data"));
  EXPECT_EQ(request(Compute_data{}), framed("Compute_data"));
  EXPECT_EQ(request(Quit{}), framed("Quit"));
}

TEST(Message_types_print, TheTextPrintersWriteQuotedStrings) {
  Format::Printer ppf;
  Message_types_print::print_report_done_message(ppf, "r");
  ppf.print_string(" ");
  Message_types_print::print_progress_message(ppf, "p");
  ppf.print_string(" ");
  Message_types_print::print_computation_done_message(ppf, "c");
  EXPECT_EQ(ppf.contents(), "\"r\" \"p\" \"c\"");
}

TEST(Message_types_print, TheFailureRecordOfTheCheckingFramework) {
  const error_wrong_test_result r = error_wrong_test_result_of(Wrong_test_result{"Nv1", "message", "texte"});
  EXPECT_EQ(r, (error_wrong_test_result{"Nv1", "message", "texte"}));
  EXPECT_EQ(error_wrong_test_result_of(Wrong_test_result{std::nullopt, "a", "b"}).error_localisation, std::nullopt);
}

// What the engine writes, the engine reads back.
TEST(Message_types_print, RequestsReadBackAsWritten) {
  const input_message messages[] = {Validate_data{}, Invalidate_data{}, Compute_data{}, Quit{},
                                    Read_data{Link_fixtures::example_input_data()}};
  for (const auto& m : messages) {
    auto ib = Scanning::Scanbuf::from_string(request(m));
    const auto c = Communication_types_read::scanner_input_communication(ib);
    EXPECT_EQ(c.message, m);
    EXPECT_EQ(c.starting_marker, "( Xon (");
    EXPECT_EQ(c.closing_marker, ") Xoff )");
    EXPECT_TRUE(ib.end_of_input());
  }
}

TEST(Message_types_print, TheDescriptionIsEchoedAsARecordWithOneField) {
  const std::string text = acknowledgment(Read_data_done{Link_fixtures::example_input_data()});
  const std::string start = "( Xon (\n  Read_data_done {\n    batiment =";
  const std::string end = "\n    };\n  }\n) Xoff )\n";
  ASSERT_GT(text.size(), start.size() + end.size());
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

}  // namespace
