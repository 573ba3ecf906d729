// The command line, through the real binary: every message is compared byte
// for byte with the text worked out by hand.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/harness.hpp"

namespace {

const std::string binary = QUAVOR_BINARY;
const std::string binary_directory = std::filesystem::path(binary).parent_path().string();

// The usage text as the help request prints it (program name "quavor").
const std::string usage =
    "Usage: quavor [options] <filename>\n"
    "  options are:\n"
    "  -input-process-source-file : set the file name containing input process source data (file name argument must have \".qvc\" extension)\n"
    "  -f : set the file name containing input process source data (file name argument must have \".qvc\" extension)\n"
    "  -input-process-argument : add a command line argument to the input process command\n"
    "  -input-process-command-directory : set the input process directory\n"
    "  -set-report-source-file : set the source file name for quavor report (file name argument must have \".qvb\" extension)\n"
    "  -i : set the source file name for quavor report (file name argument must have \".qvb\" extension)\n"
    "  -set-report-target-file : set the output file name for quavor report (file name argument must have \".qvr\" extension)\n"
    "  -o : set the output file name for quavor report target file(file name argument must have \".qvr\" extension)\n"
    "  -check-and-report : check source file and create a TQMV compliance report target file (file name argument must have \".qvc\" extension)\n"
    "  (report target file name has \".qvr\" default extension)\n"
    "  (as a side effect, this option also creates a report source file\n"
    "  (report source file name has \".qvb\" extension))\n"
    "  -c : check source file and create a TQMV compliance report target file (file name argument must have \".qvc\" extension)\n"
    "  (report target file name has \".qvr\" extension)\n"
    "  (as a side effect, this option also creates a report source file\n"
    "  (report source file name has \".qvb\" extension))\n"
    "  -generate-report-source-file : check source file completion and generate a report source file (file name argument must have \".qvc\" extension)\n"
    "  (report source file name has \".qvb\" extension)\n"
    "  -b : check source file completion and generate a report source file (file name argument must have \".qvc\" extension)\n"
    "  (report source file name has \".qvb\" extension)\n"
    "  -report : create a TQMV compliance report (a \".qvr\" file) from a complete building description (a \".qvb\" file)\n"
    "  -r : create a TQMV compliance report (a \".qvr\" file) from a complete building description (a \".qvb\" file)\n"
    "  -input-process-command : set the input process command\n"
    "  -input-process : do launch the input process command\n"
    "  -no-input-process : do NOT launch the input process command\n"
    "  -input-process-batch-mode : run the argument procedure in batch mode (no user interaction).\n"
    "   Available procedures are:\n"
    "   * write-qvc: read a .qvc file then write it again\n"
    "   * write-qvb: read a .qvc file then write its .qvb counterpart\n"
    "   * verify-qvc: read a .qvc file then verify its TQMV conformance\n"
    "  -ipc : an alias for -input_process_command option above\n"
    "  -ipa : an alias for -input_process_argument option above\n"
    "  -ipse : execute input process via source code interpretation\n"
    "  -ip : an alias for -input_process option above\n"
    "  -nip : an alias for -no_input_process option above\n"
    "  -ipbm : an alias for -input-process-batch-mode option above\n"
    "  -d : turn debugging on\n"
    "  -dcf <filename> : set compute error debugging formatter to <filename>\n"
    "  (default formatter is Format.err_formatter)\n"
    "  -dif <filename> : set compute input debugging formatter to <filename>\n"
    "  (default formatter is Format.err_formatter)\n"
    "  -where : print software directory\n"
    "  -where-all : print software and input process directory\n"
    "  -which : print software executable path\n"
    "  -which-all : print software and input process executable paths\n"
    "  -v : print software version number and exit\n"
    "  -version : print software full version and exit\n"
    "  -help  Display this list of options\n"
    "  --help  Display this list of options\n";

std::string command_line_error(const std::string& message) {
  return "quavor: command line specification error,\n" + message + "\n";
}

// A scratch directory removed at the end of the test, where files are made.
struct Scratch : Test_support::Temporary_directory {
  Scratch() : Temporary_directory("quavor_cli_") {}
  void touch(const std::string& name) const { std::ofstream(*this / name) << "x"; }
};

// ---------------------------------------------------------------------------
// Informational options and help.

struct Informational_case {
  std::vector<std::string> arguments;
  std::string err;
};

TEST(Informational, WriteOneLineOnTheErrorStreamAndExitZero) {
  const std::string dir = binary_directory;
  const std::vector<Informational_case> cases = {
      {{"-v"}, "3.1.0\n"},
      {{"-version"}, "QuavorTQMV-3.1.0\n"},
      {{"-where"}, dir + "\n"},
      {{"-where-all"}, dir + "\n" + dir + "/quavor_input_gui\n"},
      {{"-ipc", "my_gui", "-where-all"}, dir + "\nNo where directory, since input process executable is a script\n"},
      {{"-ipse", "-where-all"}, dir + "\nNo where directory, since input process executable is a script\n"},
      {{"-which"}, binary + "\n"},
      {{"-which-all"}, binary + "\n" + dir + "/quavor_input_gui/quavor_input_gui.exe\n"},
      {{"-ipc", "my_gui --fast", "-which-all"}, binary + "\nmy_gui --fast\n"},
      {{"-ipse", "-which-all"},
       binary + "\ncd src/input_gui && python " + std::filesystem::path(dir).parent_path().string() +
           "/../src/input_gui/quavor_input_gui.py\n"},
      // Options after an informational one are not looked at.
      {{"-v", "-no-such-option"}, "3.1.0\n"},
      {{"-version", "-f", "a.qvc", "-f", "b.qvc"}, "QuavorTQMV-3.1.0\n"},
      // Options before it have been applied and accepted.
      {{"-i", "a.qvb", "-i", "a.qvb", "-v"}, "3.1.0\n"},
      {{"-ipbm", "verify-qvb", "-v"}, "3.1.0\n"},
  };
  for (const auto& c : cases) {
    Cli::Result r = Cli::run(c.arguments);
    SCOPED_TRACE(c.arguments.back());
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(Help, WritesTheUsageOnTheStandardOutput) {
  for (const std::string option : {"-help", "--help"}) {
    Cli::Result r = Cli::run({option});
    EXPECT_EQ(r.out, usage);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(Help, ActsAfterTheEarlierOptionsOnly) {
  Cli::Result r = Cli::run({"-f", "a.qvc", "-help", "-f", "b.qvc"});
  EXPECT_EQ(r.out, usage);
  EXPECT_EQ(r.status, 0);
  r = Cli::run({"-f", "a.qvc", "-f", "b.qvc", "-help"});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 1);
}

// ---------------------------------------------------------------------------
// Parser errors: the parser's text, then the usage, inside a command-line error.

TEST(ParserErrors, UnknownOption) {
  for (const std::string option : {"-x", "--version", "-", "-V"}) {
    Cli::Result r = Cli::run({option});
    EXPECT_EQ(r.err, command_line_error(binary + ": unknown option '" + option + "'.\n" + usage));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 1);
  }
}

TEST(ParserErrors, TheInvocationNameIsTheOneTyped) {
  Cli::Result r = Cli::run({"-zz"}, Cli::Options().in(binary_directory).as("./quavor"));
  EXPECT_EQ(r.err, command_line_error("./quavor: unknown option '-zz'.\n" + usage));
  EXPECT_EQ(r.status, 1);
}

TEST(ParserErrors, MissingArgument) {
  for (const std::string option : {"-f", "-ipa", "-r", "-o", "-ipbm", "-dcf", "-input-process-command-directory"}) {
    Cli::Result r = Cli::run({"-d", option});
    EXPECT_EQ(r.err, command_line_error(binary + ": option '" + option + "' needs an argument.\n" + usage));
    EXPECT_EQ(r.status, 1);
  }
}

TEST(ParserErrors, AnArgumentMayBeginWithADash) {
  // "-v" is taken as the directory, not as the version option.
  Cli::Result r = Cli::run({"-input-process-command-directory", "-v", "-version"});
  EXPECT_EQ(r.err, "QuavorTQMV-3.1.0\n");
  EXPECT_EQ(r.status, 0);
}

// ---------------------------------------------------------------------------
// Rule violations and settings given twice.

struct Error_case {
  std::vector<std::string> arguments;
  std::string message;
};

TEST(CommandLineErrors, EndWithTheMessageAndStatusOne) {
  const std::vector<Error_case> cases = {
      {{"-r", "house.qvb", "-o", "other.qvr"},
       "the report target file name argument has been specified twice, first as \"house.qvr\" and then as \"other.qvr\""},
      {{"-o", "other.qvr", "-r", "house.qvb"},
       "the report target file name argument has been specified twice, first as \"other.qvr\" and then as \"house.qvr\""},
      {{"-o", "a.qvr", "-set-report-target-file", "a.qvr"},
       "the report target file name argument has been specified twice, first as \"a.qvr\" and then as \"a.qvr\""},
      {{"-i", "x.qvb", "-ip"},
       "the input process needed argument has been specified twice, first as false and then as true"},
      {{"-ip", "-i", "x.qvb"}, "the input process cannot be launched, yet command line argument parsing tells to launch it"},
      {{"-nip", "-input-process"},
       "the input process needed argument has been specified twice, first as false and then as true"},
      {{"-ip", "-nip"}, "the input process needed argument has been specified twice, first as true and then as false"},
      {{"-c", "a.qvc", "-ip"},
       "the input process needed argument has been specified twice, first as true and then as true"},
      {{"-f", "a.qvc", "-f", "b.qvc"},
       "the input process source file name argument has been specified twice, first as \"a.qvc\" and then as \"b.qvc\""},
      {{"-f", "a.qvc", "-b", "a.qvc"},
       "the input process source file name argument has been specified twice, first as \"a.qvc\" and then as \"a.qvc\""},
      {{"-i", "a.qvb", "-set-report-source-file", "b.qvb"},
       "the report source file name argument has been specified twice, first as \"a.qvb\" and then as \"b.qvb\""},
      {{"-c", "house.txt"}, "file house.txt is not a valid input process source file name, it has not the proper .qvc extension"},
      {{"-f", "dir.qvc/house"}, "file dir.qvc/house is not a valid input process source file name, it has not the proper .qvc extension"},
      {{"-r", "house.txt"}, "file house.txt is not a valid report source file name it has not the proper .qvb extension"},
      {{"-i", "house.qvr"}, "file house.qvr is not a valid report source file name it has not the proper .qvb extension"},
      {{"-o", "house.qvb"}, "file house.qvb is not a report target file name it has not the proper .qvr extension"},
      {{"-ipbm", "verify-qvc"}, "Unknown input process batch mode procedure \"verify-qvc\""},
      {{"-input-process-batch-mode", "Write-qvb"}, "Unknown input process batch mode procedure \"Write-qvb\""},
      {{"-b", "plan.qvc", "-ipbm", "write-qvc"},
       "attempt to set twice the input process batch mode argument: cannot set it as write-qvc when it has already been set as write-qvb"},
      {{"-ipbm", "verify-qvb", "-ipbm", "verify-qvb"},
       "attempt to set twice the input process batch mode argument: cannot set it as verify-qvb when it has already been set as verify-qvb"},
      {{"nofile.qvc"}, "cannot access file \"nofile.qvc\""},
      {{"-d", "missing dir/house.qvb"}, "cannot access file \"missing dir/house.qvb\""},
  };
  for (const auto& c : cases) {
    Cli::Result r = Cli::run(c.arguments);
    SCOPED_TRACE(c.message);
    EXPECT_EQ(r.err, command_line_error(c.message));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 1);
  }
}

TEST(CommandLineErrors, TheProgramNameIsTheLastComponentOfItsPath) {
  Scratch scratch;
  std::filesystem::path link = scratch.path() / "tqmv";
  std::filesystem::create_symlink(binary, link);
  // The link is resolved: the name is that of the file it points to.
  Cli::Result r = Cli::run({"-f", "a.txt"}, Cli::Options().executing(link.string()));
  EXPECT_EQ(r.err, command_line_error("file a.txt is not a valid input process source file name, it has not the proper .qvc extension"));
  std::filesystem::path copy = scratch.path() / "tqmv-copy";
  std::filesystem::copy_file(binary, copy);
  r = Cli::run({"-f", "a.txt"}, Cli::Options().executing(copy.string()));
  EXPECT_EQ(r.err, "tqmv-copy: command line specification error,\n"
                   "file a.txt is not a valid input process source file name, it has not the proper .qvc extension\n");
  EXPECT_EQ(r.status, 1);
}

// ---------------------------------------------------------------------------
// The anonymous file argument.

TEST(AnonymousArgument, AnExistingFileOfAnyKindIsTheSourceFile) {
  Scratch scratch;
  scratch.touch("notes.txt");
  scratch.touch("plan.qvc");
  scratch.touch("house.qvb");
  const std::string twice = "the input process source file name argument has been specified twice, first as ";
  Cli::Options in_scratch = Cli::Options().in(scratch.path().string());
  Cli::Result r = Cli::run({"notes.txt", "-f", "a.qvc"}, in_scratch);
  EXPECT_EQ(r.err, command_line_error(twice + "\"notes.txt\" and then as \"a.qvc\""));
  r = Cli::run({"plan.qvc", "-f", "a.qvc"}, in_scratch);
  EXPECT_EQ(r.err, command_line_error(twice + "\"plan.qvc\" and then as \"a.qvc\""));
  // A .qvb file is a report source file: it rules out the input program.
  r = Cli::run({"house.qvb", "-ip"}, in_scratch);
  EXPECT_EQ(r.err, command_line_error(
                       "the input process needed argument has been specified twice, first as false and then as true"));
  r = Cli::run({"house.qvb", "-i", "house.qvb", "-v"}, in_scratch);
  EXPECT_EQ(r.err, "3.1.0\n");
  EXPECT_EQ(r.status, 0);
}

// ---------------------------------------------------------------------------
// Log files.

TEST(LogFiles, AnUnopenableLogFileEndsTheRun) {
  Cli::Result r = Cli::run({"-dcf", "/nonexistent-dir/compute.log"});
  EXPECT_EQ(r.err,
            "quavor: while trying to open log file /nonexistent-dir/compute.log,\n"
            "  encountering error /nonexistent-dir/compute.log: No such file or directory\n");
  EXPECT_EQ(r.status, 1);
}

TEST(LogFiles, TheLogFileIsCreated) {
  Scratch scratch;
  Cli::Result r = Cli::run({"-dcf", "compute.log", "-dif", "-", "-v"}, Cli::Options().in(scratch.path().string()));
  EXPECT_EQ(r.err, "3.1.0\n");
  EXPECT_TRUE(std::filesystem::exists(scratch.path() / "compute.log"));
  EXPECT_EQ(std::filesystem::file_size(scratch.path() / "compute.log"), 0u);
}

// ---------------------------------------------------------------------------
// Where the program finds itself.

TEST(ProgramPath, InvocationByRelativePath) {
  std::filesystem::path parent = std::filesystem::path(binary_directory).parent_path();
  std::string relative = "./" + std::filesystem::path(binary_directory).filename().string() + "/quavor";
  Cli::Result r = Cli::run({"-which"}, Cli::Options().in(parent.string()).as(relative));
  EXPECT_EQ(r.err, binary + "\n");
  r = Cli::run({"-where"}, Cli::Options()
                               .in(binary_directory)
                               .as("../" + std::filesystem::path(binary_directory).filename().string() + "/quavor"));
  EXPECT_EQ(r.err, binary_directory + "\n");
}

TEST(ProgramPath, InvocationThroughPath) {
  Scratch elsewhere;
  // Started as an installed program is: a bare name found in PATH, from a
  // directory that holds no such program.
  Cli::Options through_path = Cli::Options()
                                  .set_env("PATH", "/nonexistent-dir:" + binary_directory + ":/usr/bin:/bin")
                                  .in(elsewhere.path().string())
                                  .as("quavor");
  Cli::Result r = Cli::run({"-which"}, through_path);
  EXPECT_EQ(r.err, binary + "\n");
  r = Cli::run({"-where-all"}, through_path);
  EXPECT_EQ(r.err, binary_directory + "\n" + binary_directory + "/quavor_input_gui\n");
  r = Cli::run({"-which-all"}, through_path);
  EXPECT_EQ(r.err, binary + "\n" + binary_directory + "/quavor_input_gui/quavor_input_gui.exe\n");
}

TEST(ProgramPath, ASymbolicLinkIsFollowed) {
  Scratch scratch;
  std::filesystem::path link = scratch.path() / "quavor-link";
  std::filesystem::create_symlink(binary, link);
  Cli::Result r = Cli::run({"-which"}, Cli::Options().executing(link.string()));
  EXPECT_EQ(r.err, binary + "\n");
  // A relative link target is taken from the link's own directory.
  std::filesystem::path relative_link = scratch.path() / "relative-link";
  std::filesystem::create_symlink(std::filesystem::relative(binary, scratch.path()), relative_link);
  r = Cli::run({"-which"}, Cli::Options().in("/").executing(relative_link.string()));
  EXPECT_EQ(r.err, binary + "\n");
}

}  // namespace
