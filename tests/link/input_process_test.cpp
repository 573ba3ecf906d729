#include "link/input_process.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "config/command_line.hpp"
#include "config/quavor_configuration.hpp"

namespace {

struct Invocation_case {
  std::vector<std::string> arguments;
  std::string invocation;
};

// The names the engine quotes are escaped for /bin/sh; the user's command and
// arguments are not.
TEST(Input_process, ThePosixInvocationKeepsTheEngineQuotedNamesIntact) {
  const Invocation_case cases[] = {
      {{"-ipc", "prog", "-f", "a.qvc", "-ipa", "x"}, "\"prog\" -f \"a.qvc\" -I \".\" x"},
      {{"-ipc", "prog", "-f", "d/pl$n `x` \\ \".qvc", "-ipa", "$HOME"},
       "\"prog\" -f \"d/pl\\$n \\`x\\` \\\\ \\\".qvc\" -I \"d\" $HOME"},
      {{"-ipc", "p$q", "-input-process-command-directory", "/w$", "-d", "-ipbm", "write-qvc"},
       "\"p$q\" -I \"/w\\$\" -batch \"write-qvc\" -d True"},
  };
  for (const auto& c : cases) {
    Quavor_configuration::reset_for_tests();
    std::vector<std::string> words{"quavor"};
    words.insert(words.end(), c.arguments.begin(), c.arguments.end());
    Command_line::parse_arguments(words);
    Command_line::assign_configuration_fields();
    EXPECT_EQ(Input_process::posix_input_process_command_invocation(), "\"" + c.invocation + "\"");
    EXPECT_EQ(Input_process::strip_outer_double_quotes(Input_process::posix_input_process_command_invocation()),
              c.invocation);
  }
  Quavor_configuration::reset_for_tests();
}

TEST(Input_process, StripsOneOuterPairOfDoubleQuotes) {
  EXPECT_EQ(Input_process::strip_outer_double_quotes("\"\"a\" b\""), "\"a\" b");
  EXPECT_EQ(Input_process::strip_outer_double_quotes("\"a"), "\"a");
  EXPECT_EQ(Input_process::strip_outer_double_quotes("a\""), "a\"");
  EXPECT_EQ(Input_process::strip_outer_double_quotes("\""), "\"");
  EXPECT_EQ(Input_process::strip_outer_double_quotes("\"\""), "");
  EXPECT_EQ(Input_process::strip_outer_double_quotes(""), "");
}


// The words the input program receives: the engine's own elements split into
// their option and value, never read by a shell; the user's command and
// arguments expanded as a shell expands words (last given first), no command
// ever run.
struct Argv_case {
  std::vector<std::string> arguments;
  std::vector<std::string> argv;
};

std::vector<std::string> argv_of(const std::vector<std::string>& arguments) {
  Quavor_configuration::reset_for_tests();
  std::vector<std::string> words{"quavor"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  Command_line::parse_arguments(words);
  Command_line::assign_configuration_fields();
  return Input_process::input_process_argv();
}

TEST(Input_process, TheProgramReceivesTheEngineWordsAsTheyAre) {
  ::setenv("QUAVOR_ARGV_TEST", "v a l", 1);
  const Argv_case cases[] = {
      {{"-ipc", "prog", "-f", "a.qvc", "-ipa", "x"}, {"prog", "-f", "a.qvc", "-I", ".", "x"}},
      {{"-ipc", "prog", "-f", "d/pl$n `x` \\ \".qvc", "-ipa", "'$HOME'", "-ipa", "\"two words\""},
       {"prog", "-f", "d/pl$n `x` \\ \".qvc", "-I", "d", "two words", "$HOME"}},
      {{"-ipc", "p$QUAVOR_ARGV_TEST", "-input-process-command-directory", "/w$", "-d", "-ipbm", "write-qvc"},
       {"pv a l", "-I", "/w$", "-batch", "write-qvc", "-d", "True"}},
      {{"-ipc", "my prog", "-input-process-command-directory", "", "-ipa", "$QUAVOR_ARGV_TEST", "-ipa", "a b"},
       {"my prog", "-I", "", "a", "b", "v", "a", "l"}},
  };
  for (const auto& c : cases) EXPECT_EQ(argv_of(c.arguments), c.argv) << c.arguments[1];
  Quavor_configuration::reset_for_tests();
  ::unsetenv("QUAVOR_ARGV_TEST");
}

TEST(Input_process, NoCommandIsEverRunForTheArguments) {
  struct Case {
    std::vector<std::string> arguments;
    std::string reason;
  };
  const Case cases[] = {
      {{"-ipc", "prog", "-ipa", "$(touch x)"}, "an argument asks for a command substitution"},
      {{"-ipc", "prog", "-ipa", "`touch x`"}, "an argument asks for a command substitution"},
      {{"-ipc", "prog", "-ipa", "a; touch x"},
       "an argument holds one of | & ; < > ( ) { } or a line break outside quotes"},
      {{"-ipc", "prog", "-ipa", "\"a"}, "an argument has unbalanced quotes"},
      {{"-ipc", "p`touch x`"}, "an argument asks for a command substitution"},
  };
  for (const auto& c : cases) {
    try {
      argv_of(c.arguments);
      ADD_FAILURE() << "no failure: " << c.arguments.back();
    } catch (const Input_process::Unusable_invocation& e) {
      EXPECT_EQ(std::string(e.what()), c.reason) << c.arguments.back();
    }
  }
  Quavor_configuration::reset_for_tests();
}

}  // namespace
