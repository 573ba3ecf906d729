#include "view/output_file.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "text/exceptions.hpp"
#include "view/view_fixture.hpp"

namespace {

TEST(OutputFile, CreatesThenReplacesLeavingNoTemporaryFile) {
  const Test_support::Temporary_directory s;
  const std::filesystem::path f = s.path() / "page.html";
  Output_file::replace(f.string(), "first");
  EXPECT_EQ(Test_support::read_file(f), "first");
  Output_file::replace(f.string(), "second, longer");
  EXPECT_EQ(Test_support::read_file(f), "second, longer");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.path()), std::filesystem::directory_iterator()), 1);
  struct stat st {};
  ASSERT_EQ(::stat(f.c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IRUSR, 0u);
}

// The same text leaves the file as it is (same inode, same time stamp); a
// text of the same length that differs anywhere, the last of several pieces
// read included, replaces it.
TEST(OutputFile, TheSameTextLeavesTheFileAsItIs) {
  const Test_support::Temporary_directory s;
  const std::filesystem::path f = s.path() / "results.json";
  const std::string text(40000, 'x');
  std::string last_differs = text;
  last_differs.back() = 'y';
  struct stat before {}, after {};
  Output_file::replace(f.string(), text);
  ASSERT_EQ(::stat(f.c_str(), &before), 0);
  Output_file::replace(f.string(), text);
  ASSERT_EQ(::stat(f.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  Output_file::replace(f.string(), last_differs);
  EXPECT_EQ(Test_support::read_file(f), last_differs);
  Output_file::replace(f.string(), "short");
  EXPECT_EQ(Test_support::read_file(f), "short");
}

TEST(OutputFile, MissingDirectoryIsASysErrorNamingTheFile) {
  const Test_support::Temporary_directory s;
  const std::filesystem::path f = s.path() / "nodir" / "page.html";
  try {
    Output_file::replace(f.string(), "x");
    FAIL() << "no error";
  } catch (const Sys_error& e) {
    EXPECT_EQ(std::string(e.what()), f.string() + ": No such file or directory");
  }
}

TEST(OutputFile, WritableDirectoryIsCreated) {
  const Test_support::Temporary_directory s;
  Output_file::ensure_writable_directory((s.path() / "a" / "b").string());
  EXPECT_TRUE(std::filesystem::is_directory(s.path() / "a" / "b"));
  EXPECT_TRUE(std::filesystem::is_empty(s.path() / "a" / "b"));
  std::ofstream(s.path() / "file") << "x";
  EXPECT_THROW(Output_file::ensure_writable_directory((s.path() / "file" / "sub").string()), Sys_error);
}

}  // namespace
