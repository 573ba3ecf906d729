// File-name operations: home expansion, normalisation, absolute paths,
// existence and opening, and the PATH lookup of a bare command name.
#include "config/path.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "text/exceptions.hpp"

namespace {

struct Text_case {
  std::string input;
  std::string expected;
};

// Sets an environment variable for the life of the object.
struct Environment_change {
  std::string name;
  std::optional<std::string> saved;
  Environment_change(std::string variable, std::optional<std::string> value) : name(std::move(variable)) {
    if (const char* old = std::getenv(name.c_str())) saved = old;
    if (value)
      ::setenv(name.c_str(), value->c_str(), 1);
    else
      ::unsetenv(name.c_str());
    Path::reinitialise();
  }
  ~Environment_change() {
    if (saved)
      ::setenv(name.c_str(), saved->c_str(), 1);
    else
      ::unsetenv(name.c_str());
    Path::reinitialise();
  }
};

// A fresh directory of the test's own, with a way to put files in it.
struct Scratch : Test_support::Temporary_directory {
  Scratch() : Temporary_directory("quavor_path_") {}
  std::string file(const std::string& name, bool executable = false) const {
    std::filesystem::path p = *this / name;
    std::ofstream(p) << "x";
    if (executable) std::filesystem::permissions(p, std::filesystem::perms::owner_all);
    return p.string();
  }
};

TEST(TildeSubst, ExpandsTheHomeDirectory) {
  Environment_change home("HOME", "/home/ana");
  const std::vector<Text_case> cases = {
      {"~", "/home/ana"},   {"~/notes", "/home/ana/notes"}, {"~/", "/home/ana/"},
      {"~bob/x", "~bob/x"}, {"a~", "a~"},                   {"", ""},
      {"/abs/~", "/abs/~"},
  };
  for (const auto& c : cases) EXPECT_EQ(Path::tilde_subst(c.input), c.expected) << c.input;
}

TEST(TildeSubst, WithoutHomeTheTildeStays) {
  Environment_change home("HOME", std::nullopt);
  EXPECT_EQ(Path::home_directory(), "~");
  EXPECT_EQ(Path::tilde_subst("~"), "~");
  EXPECT_EQ(Path::tilde_subst("~/x"), "~/x");
}

TEST(TildeSubst, AHomeEndingWithASeparatorIsJoinedOnce) {
  Environment_change home("HOME", "/home/ana/");
  EXPECT_EQ(Path::tilde_subst("~/notes"), "/home/ana/notes");
}

TEST(PathNormalize, CollapsesDotsAndSeparators) {
  const std::vector<Text_case> cases = {
      {".", "."},
      {"./a", "a"},
      {"a/..", ""},
      {"a/./b/../c", "a/c"},
      {"a//b/", "a/b/"},
      {"../x", "../x"},
      {"../../x", "../../x"},
      {"a/b/../../..", ".."},
      {"a/b/c/../../d", "a/d"},
      {"/a/../b", "/b"},
      {"/usr//local/./bin/", "/usr/local/bin/"},
      {"a/.", "a/."},  // a final "." stays
      {"./", "./"},
      {"", ""},
      {"/", "/"},
      {"///", "/"},
      // Nothing left of a relative name: no separator is added, which would
      // turn it into the root directory.
      {"a/../", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Path::path_normalize(c.input), c.expected) << c.input;
}

TEST(ComputeFullPath, JoinsRelativeNamesToTheDirectory) {
  Environment_change home("HOME", "/home/ana");
  const std::string cwd = std::filesystem::current_path().string();
  struct Case {
    std::string directory, name, expected;
  };
  const std::vector<Case> cases = {
      {"/d", "/x/./y", "/x/y"},
      {"/d/e", "f", "/d/e/f"},
      {"/d/e/", "../f", "/d/f"},
      {"/d", "./f", "/d/f"},
      {".", "f", cwd + "/f"},
      // Only a directory that normalises to "." is the current directory.
      {"./sub", "f", "sub/f"},
      {"./", "f", cwd + "/f"},
      {"~", "f", "/home/ana/f"},
      {"~/w", "../f", "/home/ana/f"},
      {"rel", "f", "rel/f"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Path::compute_full_path(c.directory, c.name), c.expected) << c.directory << " " << c.name;
}

TEST(Normalize, OneFileHasOneNameHoweverItIsSpelt) {
  Environment_change home("HOME", "/home/ana");
  const std::string cwd = std::filesystem::current_path().string();
  const std::vector<Text_case> cases = {
      {"-", "-"},
      {"h.qvr", cwd + "/h.qvr"},
      {"./h.qvr", cwd + "/h.qvr"},
      {"sub/../h.qvr", cwd + "/h.qvr"},
      {"/d/./e/../h.qvr", "/d/h.qvr"},
      {"//d//h.qvr", "/d/h.qvr"},
      {"~/h.qvr", "/home/ana/h.qvr"},
      {"~/x/../h.qvr", "/home/ana/h.qvr"},
      {"/../h.qvr", "/h.qvr"},
      {"/../../d/h.qvr", "/d/h.qvr"},
      {"/..", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(Path::normalize(c.input), c.expected) << c.input;
}

TEST(Exists, TildeIsTheHomeDirectory) {
  Scratch scratch;
  scratch.file("notes.qvb");
  Environment_change home("HOME", scratch.path().string());
  EXPECT_TRUE(Path::exists("~/notes.qvb"));
  EXPECT_FALSE(Path::exists("~/other.qvb"));
}

TEST(Open, TildeIsTheHomeDirectory) {
  Scratch scratch;
  Environment_change home("HOME", scratch.path().string());
  std::FILE* out = Path::path_open_out("~/log.txt");
  ASSERT_NE(out, nullptr);
  std::fputs("seen", out);
  std::fclose(out);
  std::FILE* in = Path::path_open_in("~/log.txt");
  ASSERT_NE(in, nullptr);
  char text[8] = {};
  EXPECT_EQ(std::fread(text, 1, 4, in), 4u);
  std::fclose(in);
  EXPECT_EQ(std::string(text), "seen");
  try {
    Path::path_open_in("~/missing.txt");
    FAIL() << "no failure";
  } catch (const Path::Sys_error& e) {
    EXPECT_EQ(std::string(e.what()), "~/missing.txt: No such file or directory");
  }
}

TEST(FullPathWin32, FollowsOneSymbolicLink) {
  Scratch scratch;
  std::string target = scratch.file("program");
  std::filesystem::create_directory(scratch.path() / "bin");
  std::filesystem::create_symlink(target, scratch.path() / "bin" / "absolute");
  std::filesystem::create_symlink("../program", scratch.path() / "bin" / "relative");
  const std::string dir = scratch.path().string();
  EXPECT_EQ(Path::full_path_win32("/", dir + "/bin/absolute"), target);
  EXPECT_EQ(Path::full_path_win32("/", dir + "/bin/relative"), target);
  EXPECT_EQ(Path::full_path_win32(dir, "bin/relative"), target);
  // Not a link: as compute_full_path; no drive-letter rule on this platform.
  EXPECT_EQ(Path::full_path_win32("/", "/C:/x"), "/C:/x");
  EXPECT_EQ(Path::full_path_win32(dir, "program"), target);
}

TEST(Exists, TheStandardStreamAlwaysExists) {
  EXPECT_TRUE(Path::exists("-"));
  EXPECT_FALSE(Path::exists("/nonexistent-dir/x"));
  EXPECT_FALSE(Path::exists(""));
}

TEST(Exists, ImplicitNamesAreAlsoLookedUpInTheSearchStack) {
  Scratch scratch;
  scratch.file("only-here.qvb");
  EXPECT_TRUE(Path::exists((scratch.path() / "only-here.qvb").string()));
  EXPECT_FALSE(Path::exists("only-here.qvb"));
  Path::search_stack().push_back(scratch.path().string());
  EXPECT_TRUE(Path::exists("only-here.qvb"));
  EXPECT_FALSE(Path::exists("./only-here.qvb"));  // not implicit
  std::FILE* f = Path::path_open_in("only-here.qvb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  Path::search_stack().clear();
}

TEST(Open, DashIsTheStandardStream) {
  EXPECT_EQ(Path::path_open_out("-"), stdout);
  EXPECT_EQ(Path::path_open_out("-"), stdout);
  EXPECT_EQ(Path::path_open_in("-"), stdin);
}

TEST(Open, FailuresCarryTheSystemMessage) {
  try {
    Path::path_open_out("/nonexistent-dir/report.qvr");
    FAIL() << "no failure";
  } catch (const Path::Sys_error& e) {
    EXPECT_STREQ(e.what(), "/nonexistent-dir/report.qvr: No such file or directory");
  }
  EXPECT_THROW(Path::path_open_in("/nonexistent-dir/house.qvb"), Path::Sys_error);
}

TEST(Open, WritingCreatesOrTruncates) {
  Scratch scratch;
  std::string name = scratch.file("report.qvr");
  std::FILE* f = Path::path_open_out(name);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(std::filesystem::file_size(name), 0u);
}

TEST(FileExtension, MustBeginWithADot) {
  EXPECT_EQ(Path::to_file_extension(".qvb").text, ".qvb");
  try {
    Path::to_file_extension("qvb");
    FAIL() << "no failure";
  } catch (const Invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Path.to_file_extension: first character of \"qvb\" is 'q'; it should be '.'.");
  }
  EXPECT_THROW(Path::to_file_extension(""), Invalid_argument);
}

TEST(NameParts, DirectoryAndLastComponent) {
  struct Case {
    std::string name, directory, last;
  };
  const std::vector<Case> cases = {
      {"a.qvc", ".", "a.qvc"},   {"d/a.qvc", "d", "a.qvc"}, {"/a", "/", "a"},
      {"/x/y/z", "/x/y", "z"},   {"x//y", "x", "y"},        {"x/y/", "x", "y"},
      {"/", "/", "/"},           {"-", ".", "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Path::dirname(c.name), c.directory) << c.name;
    EXPECT_EQ(Path::basename(c.name), c.last) << c.name;
  }
  EXPECT_EQ(Path::concat("d", "f"), "d/f");
  EXPECT_EQ(Path::concat("d/", "f"), "d/f");
  EXPECT_TRUE(Path::is_implicit("a/b"));
  EXPECT_FALSE(Path::is_implicit("./a"));
  EXPECT_FALSE(Path::is_implicit("../a"));
  EXPECT_FALSE(Path::is_implicit("/a"));
}

TEST(FindInExecutablePath, TheFirstExecutableOfThatNameWins) {
  Scratch scratch;
  std::filesystem::create_directory(scratch.path() / "one");
  std::filesystem::create_directory(scratch.path() / "two");
  scratch.file("one/tool");  // not executable: skipped
  std::string found = scratch.file("two/tool", true);
  Environment_change path("PATH", "/nonexistent-dir:" + (scratch.path() / "one").string() + ":" +
                                      (scratch.path() / "two").string());
  EXPECT_EQ(Path::find_in_executable_path("tool"), found);
  EXPECT_EQ(Path::find_in_executable_path("absent-tool"), "");
  // A name holding a separator is not looked up.
  EXPECT_EQ(Path::find_in_executable_path("./tool"), "./tool");
}

TEST(FindInExecutablePath, AnEmptyEntryIsTheCurrentDirectory) {
  Scratch scratch;
  scratch.file("tool", true);
  std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(scratch.path());
  Environment_change path("PATH", "/nonexistent-dir::/bin");
  EXPECT_EQ(Path::find_in_executable_path("tool"), "./tool");
  std::filesystem::current_path(saved);
}

}  // namespace
