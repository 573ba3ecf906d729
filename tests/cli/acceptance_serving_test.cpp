// Serving the input program, through the real binary and the
// scripted stand-in (tests/cli/stand_in.sh), which records the arguments it
// receives one per line. The names that the engine quotes itself (the source
// file after -f, the directory after -I, the batch procedure) must reach the
// program exactly as written, whatever shell characters they hold; what the
// user gives as command and arguments (-ipc, -ipa) is handed to the shell as
// written. The debugging switches send the echo of the communications to
// the -dif file and nothing to the -dcf file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/harness.hpp"

namespace {

using Cli::read_file;

const std::string stand_in = "tests/cli/stand_in.sh";

std::string framed(const std::string& message) { return "( Xon (\n  " + message + "\n) Xoff )\n"; }

// Names full of characters that /bin/sh would expand or take as quoting
// inside double quotes, and a few that it would not.
const std::string awkward = "d$HOME `echo x` $(echo y) \\ \\\" \"q\" it's ${Z:-z} !";

class Invocation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::permissions(
        stand_in,
        std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec | std::filesystem::perms::others_exec,
        std::filesystem::perm_options::add);
    std::ofstream(dir + "/requests", std::ios::binary) << "( Xon (\nQuit\n) Xoff )\n#> wait 1\n";
  }

  struct Session {
    Cli::Result result;
    std::string replies;
    std::vector<std::string> arguments;
  };

  // Runs the engine on the stand-in, which asks it to quit.
  Session serve(const std::vector<std::string>& options, Cli::Options cli = Cli::Options()) const {
    std::vector<std::string> args{"-ipc", stand_in, "-ipa", "requests=" + dir + "/requests", "-ipa",
                                  "replies=" + dir + "/replies", "-ipa", "arguments=" + dir + "/arguments"};
    args.insert(args.end(), options.begin(), options.end());
    Session s;
    s.result = Cli::run(args, cli);
    s.replies = read_file(dir + "/replies");
    std::istringstream lines(read_file(dir + "/arguments"));
    for (std::string line; std::getline(lines, line);) s.arguments.push_back(line);
    return s;
  }

  // Our own -ipa arguments, in the order the engine hands them over.
  std::vector<std::string> ours() const {
    return {"arguments=" + dir + "/arguments", "replies=" + dir + "/replies", "requests=" + dir + "/requests"};
  }

  std::vector<std::string> with_ours(std::vector<std::string> front) const {
    for (const auto& a : ours()) front.push_back(a);
    return front;
  }

  const Test_support::Temporary_directory scratch{"quavor_invocation_"};
  const std::string dir = scratch.string();
};

TEST_F(Invocation, DirectoryGivenOnTheCommandLineArrivesAsWritten) {
  const Session s = serve({"-input-process-command-directory", awkward});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.arguments, with_ours({"-I", awkward}));
  EXPECT_EQ(s.result.status, 0);
}

TEST_F(Invocation, HomeDirectoryArrivesAsWritten) {
  const std::string home = dir + "/home " + awkward;
  const Session s = serve({}, Cli::Options().set_env("HOME", home));
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.arguments, with_ours({"-I", home}));
  EXPECT_EQ(s.result.status, 0);
}

TEST_F(Invocation, SourceFileAndItsDirectoryArriveAsWritten) {
  const std::string directory = "a$b `c` \\ \"e\"";
  const std::string name = directory + "/p$1 $(x).qvc";
  const Session s = serve({"-f", name});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.arguments, with_ours({"-f", name, "-I", directory}));
  EXPECT_EQ(s.result.status, 0);
}

// The elements come in the order -f, -I, -batch, -d True, then the -ipa
// values last given first.
TEST_F(Invocation, BatchProcedureAndDebugFollowTheDirectory) {
  const Session s = serve({"-ipbm", "verify-qvb", "-d", "-input-process-command-directory", "/tmp"});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.arguments, with_ours({"-I", "/tmp", "-batch", "verify-qvb", "-d", "True"}));
}

TEST_F(Invocation, GenerateReportSourceFileAsksForTheWriteQvbProcedure) {
  const Session s = serve({"-b", "plan.qvc", "-input-process-command-directory", "/tmp"});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.arguments, with_ours({"-f", "plan.qvc", "-I", "/tmp", "-batch", "write-qvb"}));
}

// The user's own arguments are shell text: quotes group words and variables
// are expanded, as on the command line of a shell.
TEST_F(Invocation, UserArgumentsAreShellText) {
  const Session s = serve({"-ipa", "\"two words\"", "-ipa", "$QUAVOR_AUDIT_VALUE", "-input-process-command-directory",
                           "/tmp"},
                          Cli::Options().set_env("QUAVOR_AUDIT_VALUE", "expanded"));
  EXPECT_EQ(s.replies, framed("Quitting"));
  // Last given first: the variable, then the quoted words.
  EXPECT_EQ(s.arguments, (std::vector<std::string>{"-I", "/tmp", "expanded", "two words", ours()[0], ours()[1],
                                                   ours()[2]}));
}

// A fatal error during a computation (a building outside seismic zone 5) is
// answered with its text and the loop goes on; the write probe of the
// consistency checks leaves no report behind.
TEST_F(Invocation, AFatalErrorIsAWrongComputationAndTheLoopGoesOn) {
  std::string d = read_file(std::string(QUAVOR_SOURCE_DIR) + "/tests/cli/cases/fatal_zone3/input.qvb");
  const std::string from = "\"input.qvb\"";
  ASSERT_NE(d.find(from), std::string::npos);
  d.replace(d.find(from), from.size(), "\"" + dir + "/house.qvb\"");
  std::ofstream(dir + "/requests", std::ios::binary)
      << "( Xon (\nRead_data\n" << d << "\n) Xoff )\n#> wait 1\n"
      << "( Xon (\nValidate_data\n) Xoff )\n#> wait 1\n"
      << "( Xon (\nCompute_data\n) Xoff )\n#> wait 2\n"
      << "( Xon (\nInvalidate_data\n) Xoff )\n#> wait 1\n";
  const Session s = serve({"-input-process-command-directory", "/tmp"});
  const std::string tail = framed("Validate_data_done") + framed("Computing") +
                           "( Xon (\n  Error_wrong_computation (\n    Wrong_computation\n      \"Fatal error in "
                           "QuavorTQMV-3.1.0, please report to Vantrel: Le logiciel ne traite que les bâtiments "
                           "situés en zone de sismicité 5\"\n  )\n) Xoff )\n" +
                           framed("Invalidate_data_done");
  ASSERT_GE(s.replies.size(), tail.size()) << s.replies;
  EXPECT_EQ(s.replies.substr(s.replies.size() - tail.size()), tail) << s.replies;
  EXPECT_EQ(s.replies.rfind("( Xon (\n  Read_data_done", 0), 0u) << s.replies;
  EXPECT_EQ(s.result.status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir + "/house.qvr"));
}

// -dif receives the echo of every communication read while debugging, as
// the engine writes it; the developer diagnostics stay on the error stream.
TEST_F(Invocation, InputDebuggingFileReceivesTheEcho) {
  const std::string log = dir + "/input.log";
  const Session s = serve({"-d", "-dif", log, "-input-process-command-directory", "/tmp"});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_EQ(s.result.status, 0);
  EXPECT_EQ(read_file(log), framed("Quit"));
  EXPECT_NE(s.result.err.find("starting marker found: \"( Xon (\"\n"), std::string::npos) << s.result.err;
  EXPECT_NE(s.result.err.find("closing marker found: \") Xoff )\"\n"), std::string::npos) << s.result.err;
  EXPECT_EQ(s.result.err.find(framed("Quit")), std::string::npos) << s.result.err;
}

// Without -dif the echo is on the error stream.
TEST_F(Invocation, WithoutALogFileTheEchoIsOnTheErrorStream) {
  const Session s = serve({"-d", "-input-process-command-directory", "/tmp"});
  EXPECT_EQ(s.replies, framed("Quitting"));
  EXPECT_NE(s.result.err.find(framed("Quit")), std::string::npos) << s.result.err;
}

// -dcf creates its file, but the diagnostics are bound to the error stream
// before the command line is read: the file stays empty.
TEST_F(Invocation, ComputeDebuggingFileStaysEmpty) {
  const std::string log = dir + "/compute.log";
  const Session s = serve({"-d", "-dcf", log, "-input-process-command-directory", "/tmp"});
  EXPECT_EQ(s.replies, framed("Quitting"));
  ASSERT_TRUE(std::filesystem::exists(log));
  EXPECT_EQ(read_file(log), "");
  EXPECT_NE(s.result.err.find("scanner_communication_per_se\n"), std::string::npos) << s.result.err;
}

}  // namespace
