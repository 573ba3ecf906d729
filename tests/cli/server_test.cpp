// The serving flow through the real binary: the engine launches the scripted
// stand-in (tests/cli/stand_in.sh) with -ipc, which sends requests one
// communication at a time, waits for each reply and records them. Replies are
// compared byte for byte. The framing and the short replies are written out
// by hand; the long ones (the echoed description, a computation's outcome)
// are rendered in this process by the same printers from the expected value.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/harness.hpp"
#include "config/quavor_configuration.hpp"
#include "description/input_data_types_read.hpp"
#include "link/communication_types_pprint.hpp"
#include "link/compute_main.hpp"
#include "link/compute_server.hpp"
#include "text/og_printer.hpp"

namespace {

using Cli::read_file;

using namespace Message_types;

const std::string stand_in = "tests/cli/stand_in.sh";

void write_file(const std::string& name, const std::string& text) {
  std::ofstream out(name, std::ios::binary);
  out << text;
}

std::string framed(const std::string& message) { return "( Xon (\n  " + message + "\n) Xoff )\n"; }
std::string request(const std::string& message) { return "( Xon (\n" + message + "\n) Xoff )\n"; }
std::string wait(int n) { return "#> wait " + std::to_string(n) + "\n"; }

// A reply whose message is a constructor around a text too long for one line.
std::string long_text_reply(const std::string& outer, const std::string& inner, const std::string& text) {
  return "( Xon (\n  " + outer + " (\n    " + inner + "\n      \"" + Og_printer::escaped_string(text) +
         "\"\n  )\n) Xoff )\n";
}


class Server : public ::testing::Test {
 protected:
  void SetUp() override {
    // The scripts are run as programs: a checkout that lost their mode
    // must not fail these tests for that.
    for (const char* script : {"tests/cli/stand_in.sh", "tests/cli/server/gone.sh"})
      std::filesystem::permissions(
          script,
          std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec | std::filesystem::perms::others_exec,
          std::filesystem::perm_options::add);
  }

  // The example house, its file named `name` in the temporary directory.
  std::string description(const std::string& name = "house.qvb") const {
    std::string text = read_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/house_r0.qvb");
    const std::string from = "\"examples/house_r0.qvb\"";
    text.replace(text.find(from), from.size(), "\"" + file(name) + "\"");
    return text;
  }
  std::string file(const std::string& name) const { return dir + "/" + name; }

  static input_data input_data_of(const std::string& text) {
    auto ib = Scanning::Scanbuf::from_string(text);
    return Input_data_types_read::scanner_input_data(ib);
  }

  static std::string read_data_done(const std::string& text) {
    Format::Printer ppf;
    Communication_types_pprint::print_computation_acknowledgment_communication(
        ppf, Communication_types::make_communication(computation_acknowledgment_message{Read_data_done{input_data_of(text)}}));
    return ppf.contents();
  }

  // "Computing" and the outcome, computed here; the report written on the way
  // is removed so that the engine's own can be seen.
  std::string computation(const std::string& text) const {
    auto replies = std::make_shared<Format::Printer>();
    Quavor_configuration::reset_for_tests();
    Quavor_configuration::set_input_process_formatter(replies);
    const input_data d = input_data_of(text);
    auto ib = Scanning::Scanbuf::from_string("");
    Compute_server::compute_server_handler(
        ib, [&d](Scanning::Scanbuf&) { Compute_main::treat_compute_data_message(d); }, ib);
    Quavor_configuration::reset_for_tests();
    std::filesystem::remove(file("house.qvr"));
    return replies->contents();
  }

  struct Session {
    Cli::Result result;
    std::string replies;
    std::vector<std::string> arguments;  // what the stand-in received
  };

  Session serve(const std::string& requests, std::vector<std::string> options = {},
                const Cli::Options& cli = Cli::Options()) const {
    write_file(file("requests"), requests);
    std::vector<std::string> args{"-ipc", stand_in, "-ipa", "requests=" + file("requests"), "-ipa",
                                  "replies=" + file("replies"), "-ipa", "arguments=" + file("arguments")};
    args.insert(args.end(), options.begin(), options.end());
    Session s;
    s.result = Cli::run(args, cli);
    s.replies = read_file(file("replies"));
    std::istringstream lines(read_file(file("arguments")));
    for (std::string line; std::getline(lines, line);) s.arguments.push_back(line);
    return s;
  }

  const Test_support::Temporary_directory scratch{"quavor_server_"};
  const std::string dir = scratch.string();
};

TEST_F(Server, TheFullExchange) {
  const std::string d = description();
  const std::string expected = read_data_done(d) + framed("Validate_data_done") + computation(d) + framed("Quitting");
  const Session s = serve(request("Read_data\n" + d) + wait(1) + request("Validate_data") + wait(1) +
                          request("Compute_data") + wait(2) + request("Quit") + wait(1));
  EXPECT_EQ(s.replies, expected);
  EXPECT_EQ(s.result.status, 0);
  EXPECT_EQ(s.result.err, "");
  EXPECT_TRUE(std::filesystem::exists(file("house.qvr")));
}

TEST_F(Server, TwoComputationsInARowWriteTwoReports) {
  const std::string d = description();
  const std::string outcome = computation(d);
  const Session s = serve(request("Read_data\n" + d) + wait(1) + request("Validate_data") + wait(1) +
                          request("Compute_data") + wait(2) + "#> run rm " + file("house.qvr") + "\n" +
                          request("Compute_data") + wait(2));
  EXPECT_EQ(s.replies, read_data_done(d) + framed("Validate_data_done") + outcome + outcome);
  EXPECT_EQ(s.result.status, 0);
  EXPECT_TRUE(std::filesystem::exists(file("house.qvr")));
}

TEST_F(Server, NothingIsComputedWithoutValidatedData) {
  const std::string d = description();
  const Session s = serve(request("Compute_data") + wait(1) + request("Validate_data") + wait(1) +
                          request("Read_data\n" + d) + wait(1) + request("Validate_data") + wait(1) +
                          request("Invalidate_data") + wait(1) + request("Compute_data") + wait(1));
  EXPECT_EQ(s.replies, framed("Error_no_validated_data") + framed("Error_no_validated_data") + read_data_done(d) +
                           framed("Validate_data_done") + framed("Invalidate_data_done") +
                           framed("Error_no_validated_data"));
  EXPECT_EQ(s.result.status, 0);
  EXPECT_FALSE(std::filesystem::exists(file("house.qvr")));
}

const std::string channel_header = "File \"unnamed Stdlib input channel\", line ";

TEST_F(Server, AnUnknownRequestBetweenTwoGoodOnes) {
  // Validate_data (31 characters, 3 lines), then "( Xon (\nValidate\n" ends
  // at character 48 on line 5; the recovery ends after ") Xoff )\n".
  const Session s = serve(request("Validate_data") + wait(1) + request("Validate") + wait(1) +
                          request("Invalidate_data") + wait(1));
  EXPECT_EQ(s.replies, framed("Error_no_validated_data") +
                           long_text_reply("Error_wrong_communication", "Wrong_communication",
                                           channel_header + "6, characters 57-57:\nSyntax error: " + channel_header +
                                               "5, characters 40-48:\nUnknown input gui message 'Validate'") +
                           framed("Invalidate_data_done"));
  EXPECT_EQ(s.result.status, 0);
}

TEST_F(Server, ASyntaxErrorInsideADescription) {
  const Session s = serve(request("Read_data\n{ batiment = { batiment_type = R9 ; } ; }") + wait(1) +
                          request("Validate_data") + wait(1));
  const std::string start = "( Xon (\n  Error_wrong_communication (\n    Wrong_communication\n      \"File \\\"unnamed Stdlib input channel\\\", line 4, characters 69-69:\nSyntax error: ";
  ASSERT_GT(s.replies.size(), start.size());
  EXPECT_EQ(s.replies.substr(0, start.size()), start);
  const std::string end = "\"\n  )\n) Xoff )\n" + framed("Error_no_validated_data");
  EXPECT_EQ(s.replies.substr(s.replies.size() - end.size()), end);
  EXPECT_EQ(s.result.status, 0);
}

TEST_F(Server, ACommunicationCutByTheEndOfInput) {
  const Session s = serve(request("Invalidate_data") + wait(1) + "( Xon (\nQuit\n");
  EXPECT_EQ(s.replies, framed("Invalidate_data_done") +
                           long_text_reply("Error_wrong_communication", "Wrong_communication",
                                           channel_header + "5, characters 46-46:\nSyntax error: Premature end of file") +
                           framed("Quitting"));
  EXPECT_EQ(s.result.status, 2);
}

TEST_F(Server, TheEndOfInputBetweenCommunicationsEndsQuietly) {
  const Session s = serve(request("Invalidate_data") + wait(1));
  EXPECT_EQ(s.replies, framed("Invalidate_data_done"));
  EXPECT_EQ(s.result.status, 0);
  EXPECT_EQ(s.result.err, "");
}

TEST_F(Server, CommentsAndBlankLinesAroundCommunications) {
  const Session s = serve("# before\n\n  \n( Xon (\n# inside\n\nInvalidate_data\n\n# after the message\n) Xoff )\n" +
                          wait(1) + "\n# between\n\n" + request("Validate_data") + wait(1) + "\n# at the end\n\n");
  EXPECT_EQ(s.replies, framed("Invalidate_data_done") + framed("Error_no_validated_data"));
  EXPECT_EQ(s.result.status, 0);
}

TEST_F(Server, AForeignStartingMarkerIsAccepted) {
  const Session s = serve("( Start (\nInvalidate_data\n) Xoff )\n" + wait(1));
  EXPECT_EQ(s.replies, framed("Invalidate_data_done"));
}

TEST_F(Server, AMarkerWithAConversionIsRefused) {
  const Session s = serve("( %d (\nInvalidate_data\n) Xoff )\n" + wait(1) + request("Quit") + wait(1));
  EXPECT_EQ(s.replies, long_text_reply("Error_wrong_communication", "Wrong_communication",
                                       channel_header +
                                           "3, characters 32-32:\nSyntax error: bad input: format type mismatch "
                                           "between \"( %d (\" and \"\"") +
                           framed("Quitting"));
  EXPECT_EQ(s.result.status, 0);
}

// The consistency checks refuse a report file that cannot be written (a
// failed test, answered with its record); the loop goes on.
TEST_F(Server, AnUnwritableReportIsAnsweredAndTheLoopGoesOn) {
  std::string d = description();
  d.replace(d.find(file("house.qvb")), file("house.qvb").size(), file("missing/house.qvb"));
  const std::string outcome = computation(d);
  ASSERT_NE(outcome.find("Error_wrong_test_result"), std::string::npos);
  const Session s = serve(request("Read_data\n" + d) + wait(1) + request("Validate_data") + wait(1) +
                          request("Compute_data") + wait(2) + request("Invalidate_data") + wait(1));
  EXPECT_EQ(s.replies, read_data_done(d) + framed("Validate_data_done") + outcome + framed("Invalidate_data_done"));
  EXPECT_EQ(s.result.status, 0);
  EXPECT_FALSE(std::filesystem::exists(file("missing/house.qvr")));
}

TEST_F(Server, DebuggingShowsTheChecksAndTheComputedModel) {
  const std::string d = description();
  const Session s = serve(request("Read_data\n" + d) + wait(1) + request("Validate_data") + wait(1) +
                          request("Compute_data") + wait(2),
                          {"-d"});
  EXPECT_NE(s.result.err.find("Check (CR_0"), std::string::npos);
  EXPECT_NE(s.result.err.find("batiment_report_file_name = \"" + file("house.qvr") + "\""), std::string::npos);
  EXPECT_NE(s.result.err.find("Launching input process '"), std::string::npos);
  // The input program is told to debug as well.
  ASSERT_GE(s.arguments.size(), 4u);
  EXPECT_EQ(s.arguments[2], "-d");
  EXPECT_EQ(s.arguments[3], "True");
}

// Only the home directory is named to the input program when the command line
// names no file.
TEST_F(Server, TheInputProgramReceivesTheHomeDirectory) {
  const Session s = serve(request("Quit") + wait(1), {}, Cli::Options().set_env("HOME", dir));
  EXPECT_EQ(s.replies, framed("Quitting"));
  const std::vector<std::string> expected{"-I", dir, "arguments=" + file("arguments"), "replies=" + file("replies"),
                                          "requests=" + file("requests")};
  EXPECT_EQ(s.arguments, expected);
}

// The names that the engine quotes itself reach the input program as written.
TEST_F(Server, FileNamesReachTheInputProgramAsWritten) {
  const std::string name = "tests/cli/server/plan$1 `x` \\\" $(y).qvc";
  const Session s = serve(request("Quit") + wait(1), {"-f", name});
  ASSERT_GE(s.arguments.size(), 4u);
  EXPECT_EQ(s.arguments[0], "-f");
  EXPECT_EQ(s.arguments[1], name);
  EXPECT_EQ(s.arguments[2], "-I");
  EXPECT_EQ(s.arguments[3], "tests/cli/server");
}

TEST_F(Server, WithoutAnInputProgramRequestsComeFromTheStandardInput) {
  const Cli::Result r = Cli::run({"-nip"}, Cli::Options().with_stdin(request("Invalidate_data") + request("Validate") +
                                                                       "\n" + request("Quit")));
  EXPECT_EQ(r.err, framed("Invalidate_data_done") +
                       long_text_reply("Error_wrong_communication", "Wrong_communication",
                                       "File \"-\", line 6, characters 59-59:\nSyntax error: File \"-\", line 5, "
                                       "characters 42-50:\nUnknown input gui message 'Validate'") +
                       framed("Quitting"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

// A malformed request never swallows the ones after it: each message is read
// up to its frame's closing marker line at most, and after a failure the next
// opening marker line starts a communication again. Requests on the standard
// input, replies on the error stream.
struct Framing_case {
  const char* name;
  std::string requests;
  std::string replies;
  int status;
};

// The beginning of a Read_data request whose localisation string is never
// closed: the string's reader would read on to the end of the input.
const std::string unterminated_string =
    "( Xon (\nRead_data\n{ batiment =\n  { batiment_type = R0 ;\n    batiment_categorie = Habitation ;\n"
    "    batiment_localisation = \"12 rue ;\n";

std::string wrong_communication(const std::string& text) {
  return long_text_reply("Error_wrong_communication", "Wrong_communication", text);
}

TEST_F(Server, AMalformedRequestNeverSwallowsTheNextOnes) {
  // Character counts: "( Xon (\n" 8, "Read_data\n" 10, "{ batiment =\n" 13,
  // the batiment_type line 25, the batiment_categorie line 38, the
  // batiment_localisation line 38 (132 so far, 6 line feeds), "  } ;\n" 6,
  // "}\n" 2, ") Xoff )\n" 9 (149, 9 line feeds).
  const std::string string_then_valid = unterminated_string + "  } ;\n}\n) Xoff )\n" + request("Invalidate_data");
  // "( Xon (\nInvalidate_data\n) Xoff )\n" 33, "garbage\n" 8: the garbage is
  // taken as a starting marker, then the message stops at the next opening
  // marker line, at character 41 after 4 line feeds.
  const std::string garbage_between = request("Invalidate_data") + "garbage\n" + request("Validate_data") + request("Quit");
  // "( Xon (\nRead_data\n{ batiment =\n" ends at character 64 after 6 line
  // feeds, past the 33 of the first request.
  const std::string cut_description = request("Invalidate_data") + "( Xon (\nRead_data\n{ batiment =\n";
  const std::string string_prefix = "scanf: bad input at char number 132: ";
  const Framing_case cases[] = {
      {"an unterminated string, then a valid request", string_then_valid,
       wrong_communication("File \"-\", line 9, characters 149-149:\nSyntax error: Premature end of communication") +
           framed("Invalidate_data_done"),
       0},
      {"a garbage line between two frames", garbage_between,
       framed("Invalidate_data_done") +
           wrong_communication("File \"-\", line 4, characters 41-41:\nSyntax error: Premature end of communication") +
           framed("Error_no_validated_data") + framed("Quitting"),
       0},
      {"the end of input inside a description", cut_description,
       framed("Invalidate_data_done") +
           wrong_communication("File \"-\", line 6, characters 64-64:\nSyntax error: Premature end of file") +
           framed("Quitting"),
       2},
      {"the end of input inside an unterminated string", unterminated_string,
       wrong_communication("File \"-\", line 6, characters 132-132:\nSyntax error: " + string_prefix + string_prefix +
                           string_prefix +
                           "scanning of a String failed: premature end of file occurred before end of token") +
           framed("Quitting"),
       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Cli::Result r = Cli::run({"-nip"}, Cli::Options().with_stdin(c.requests));
    EXPECT_EQ(r.err, c.replies);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(Server, AMissingInputProgramFailsClearly) {
  const Cli::Result r = Cli::run({}, Cli::Options().set_env("HOME", dir));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("quavor: cannot launch the input process"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("quavor_input_gui.exe"), std::string::npos) << r.err;
}

TEST_F(Server, AnInputProgramThatGoesAwayEndsTheSession) {
  const Cli::Result r = Cli::run({"-ipc", "tests/cli/server/gone.sh"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "quavor: cannot send a reply to the input process: Broken pipe\n");
}

}  // namespace
