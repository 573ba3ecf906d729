#include "view/output_file.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "config/atomic_file.hpp"
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
  // A new file has the permission bits 0666 less the umask, as any other
  // file the user writes.
  const mode_t mask = ::umask(027);
  Output_file::replace((s.path() / "new.json").string(), "x");
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat((s.path() / "new.json").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Threads writing at once, some the same file, leave every file whole, no
// temporary file and no name registered for removal on a signal.
TEST(OutputFile, ThreadsWritingAtOnce) {
  const Test_support::Temporary_directory s;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&s, t] {
      for (int i = 0; i < 50; ++i) {
        Output_file::replace((s.path() / ("own_" + std::to_string(t) + "_" + std::to_string(i))).string(),
                             std::string(1000 + i, static_cast<char>('a' + t)));
        Output_file::replace((s.path() / "shared").string(), std::string(5000, static_cast<char>('a' + t)));
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.path()), std::filesystem::directory_iterator()),
            8 * 50 + 1);
  EXPECT_EQ(Test_support::read_file(s.path() / "own_7_49"), std::string(1049, 'h'));
  const std::string shared = Test_support::read_file(s.path() / "shared");
  EXPECT_EQ(shared, std::string(5000, shared.at(0)));
  EXPECT_EQ(Atomic_file::pending_temporary_files(), 0);
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
