#include "link/compute_server.hpp"

#include <gtest/gtest.h>

#include <string>

#include "description/input_data_types_print.hpp"
#include "link/compute_main.hpp"
#include "link/message_types_print.hpp"
#include "link/communication_types_pprint.hpp"
#include "link_fixtures.hpp"

namespace {

using namespace Message_types;
using Link_fixtures::framed;

struct Session {
  std::string replies;
  int status = -1;
};

// Serves the requests of `text` until the loop ends the process.
Session serve(const std::string& text) {
  auto printer = Link_fixtures::fresh_configuration();
  Compute_main::reset_server_state();
  auto ib = Scanning::Scanbuf::from_string(text);
  Session s;
  try {
    Compute_server::compute_server_loop(ib);
  } catch (const Compute_server::End_of_session& e) {
    s.status = e.status;
  }
  s.replies = printer->contents();
  Quavor_configuration::reset_for_tests();
  return s;
}

std::string request(const std::string& message) { return "( Xon (\n" + message + "\n) Xoff )\n"; }

std::string header(int line, int chars) {
  return "File \\\"" + Link_fixtures::string_name + "\\\", line " + std::to_string(line) + ", characters " +
         std::to_string(chars) + "-" + std::to_string(chars) + ":";
}

// A Wrong_communication text too long for one line.
std::string wrong_communication(const std::string& escaped_text) {
  return "( Xon (\n  Error_wrong_communication (\n    Wrong_communication\n      \"" + escaped_text +
         "\"\n  )\n) Xoff )\n";
}

TEST(Compute_server, EndsWithoutAReplyAtTheEndOfInputBetweenCommunications) {
  const char* cases[] = {"", "\n\n", "# only comments\n\n# and blanks\n  "};
  for (const char* text : cases) {
    const Session s = serve(text);
    EXPECT_EQ(s.replies, "") << text;
    EXPECT_EQ(s.status, 0) << text;
  }
}

TEST(Compute_server, WithoutValidatedDataNothingIsComputed) {
  struct Case {
    std::string requests;
    std::string replies;
  };
  const Case cases[] = {
      {request("Compute_data"), framed("Error_no_validated_data")},
      {request("Validate_data"), framed("Error_no_validated_data")},
      {request("Invalidate_data") + request("Compute_data"),
       framed("Invalidate_data_done") + framed("Error_no_validated_data")},
  };
  for (const auto& c : cases) {
    const Session s = serve(c.requests);
    EXPECT_EQ(s.replies, c.replies) << c.requests;
    EXPECT_EQ(s.status, 0);
  }
}

std::string read_data_request() {
  Format::Printer ppf;
  Input_data_types_print::printer_input_data(Og_precedence::Ck_toplevel, ppf, Link_fixtures::example_input_data());
  return request("Read_data\n" + ppf.contents());
}

std::string read_data_done() {
  Format::Printer ppf;
  Communication_types_pprint::print_computation_acknowledgment_communication(
      ppf, Communication_types::make_communication(
               computation_acknowledgment_message{Read_data_done{Link_fixtures::example_input_data()}}));
  return ppf.contents();
}

TEST(Compute_server, ReadValidateInvalidateForgetsTheDescription) {
  const Session s = serve(read_data_request() + request("Validate_data") + request("Invalidate_data") +
                          request("Compute_data") + request("Validate_data"));
  EXPECT_EQ(s.replies, read_data_done() + framed("Validate_data_done") + framed("Invalidate_data_done") +
                           framed("Error_no_validated_data") + framed("Error_no_validated_data"));
}

TEST(Compute_server, ANewDescriptionKeepsTheValidatedOneUntilValidated) {
  auto printer = Link_fixtures::fresh_configuration();
  Compute_main::reset_server_state();
  auto d = Link_fixtures::example_input_data();
  Compute_main::treat_input_process_communication(Read_data{d});
  Compute_main::treat_input_process_communication(Validate_data{});
  auto other = d;
  other.batiment.batiment_localisation = "ailleurs";
  Compute_main::treat_input_process_communication(Read_data{other});
  EXPECT_EQ(Compute_main::get_read_data(), other);
  EXPECT_EQ(Compute_main::get_validated_data(), d);
  Compute_main::treat_input_process_communication(Validate_data{});
  EXPECT_EQ(Compute_main::get_validated_data(), other);
  Quavor_configuration::reset_for_tests();
}

TEST(Compute_server, QuitRepliesQuittingAndEndsWithStatusZero) {
  const Session s = serve(request("Quit") + request("Validate_data"));
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.status, 0);
}

// The failure is answered with the position after the recovery, then the
// scanner's message; the next request is served.
TEST(Compute_server, AnUnknownRequestIsAnsweredAndTheLoopGoesOn) {
  const Session s = serve(request("Validate_data") + request("Validate") + request("Invalidate_data"));
  EXPECT_EQ(s.replies, framed("Error_no_validated_data") +
                           wrong_communication(header(6, 57) + "\nSyntax error: File \\\"" + Link_fixtures::string_name +
                                               "\\\", line 5, characters 40-48:\nUnknown input gui message \\'Validate\\'") +
                           framed("Invalidate_data_done"));
  EXPECT_EQ(s.status, 0);
}

TEST(Compute_server, AForeignMarkerIsAccepted) {
  const Session s = serve("( Start (\nInvalidate_data\n) Stop )\n");
  EXPECT_EQ(s.replies, framed("Invalidate_data_done"));
}

TEST(Compute_server, AMarkerWithAConversionIsRefused) {
  const Session s = serve("( %d (\nInvalidate_data\n) Xoff )\n" + request("Quit"));
  EXPECT_EQ(s.replies, wrong_communication(header(3, 32) +
                                           "\nSyntax error: bad input: format type mismatch between \\\"( %d (\\\" and "
                                           "\\\"\\\"") +
                           framed("Quitting"));
  EXPECT_EQ(s.status, 0);
}

TEST(Compute_server, ACommunicationCutByTheEndOfInputEndsWithStatusTwo) {
  const Session s = serve(request("Invalidate_data") + "( Xon (\nQuit\n");
  EXPECT_EQ(s.replies, framed("Invalidate_data_done") +
                           wrong_communication(header(5, 46) + "\nSyntax error: Premature end of file") +
                           framed("Quitting"));
  EXPECT_EQ(s.status, 2);
}

}  // namespace

namespace {

// The failures of a step, answered on the reply printer.
std::string answer_of(const std::function<void(Scanning::Scanbuf&)>& step) {
  auto printer = Link_fixtures::fresh_configuration();
  auto ib = Scanning::Scanbuf::from_string("");
  Compute_server::compute_server_handler(ib, step, ib);
  std::string text = printer->contents();
  Quavor_configuration::reset_for_tests();
  return text;
}

TEST(Compute_server_handler, AnswersEveryKindOfFailure) {
  EXPECT_EQ(answer_of([](Scanning::Scanbuf&) {}), "");
  EXPECT_EQ(answer_of([](Scanning::Scanbuf&) { throw Fatal_error("Fatal error in X: y"); }),
            framed("Error_wrong_computation (Wrong_computation \"Fatal error in X: y\")"));
  EXPECT_EQ(answer_of([](Scanning::Scanbuf&) { throw std::runtime_error("boom"); }),
            "( Xon (\n  Error_wrong_computation (\n    Wrong_computation\n"
            "      \"quavorTQMV: error during computation, spurious exception \\\"Failure(\\\"boom\\\")\\\"\"\n  )\n) Xoff )\n");
  EXPECT_EQ(answer_of([](Scanning::Scanbuf&) { throw Error_wrong_test(Wrong_test_result{std::nullopt, "m", "t"}); }),
            "( Xon (\n  Error_wrong_test_result {\n"
            "    error_localisation = None; error_message = \"m\"; error_tqmv_text = \"t\";\n  }\n) Xoff )\n");
  EXPECT_EQ(answer_of([](Scanning::Scanbuf&) { throw Scan_failure("x"); }),
            wrong_communication(header(0, 0) + "\nSyntax error: x"));
}

TEST(Compute_server_handler, APrematureEndQuitsWithStatusTwo) {
  auto printer = Link_fixtures::fresh_configuration();
  auto ib = Scanning::Scanbuf::from_string("");
  int status = -1;
  try {
    Compute_server::compute_server_handler(ib, [](Scanning::Scanbuf&) { throw End_of_file(); }, ib);
  } catch (const Compute_server::End_of_session& e) {
    status = e.status;
  }
  EXPECT_EQ(status, 2);
  EXPECT_EQ(printer->contents(),
            wrong_communication(header(0, 0) + "\nSyntax error: Premature end of file") + framed("Quitting"));
  Quavor_configuration::reset_for_tests();
}

}  // namespace
