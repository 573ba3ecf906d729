#include "view/batch.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(Batch, DeliversInInputOrderWhateverTheJobs) {
  for (const unsigned jobs : {1u, 2u, 3u, 8u}) {
    SCOPED_TRACE(jobs);
    const std::size_t n = 50;
    std::vector<int> results(n, -1);
    std::vector<std::size_t> delivered;
    Batch::run(
        n, jobs,
        [&](std::size_t i) {
          // Later items finish first.
          std::this_thread::sleep_for(std::chrono::microseconds((n - i) * 20));
          results[i] = static_cast<int>(i * i);
        },
        [&](std::size_t i) {
          EXPECT_EQ(results[i], static_cast<int>(i * i));
          delivered.push_back(i);
        });
    ASSERT_EQ(delivered.size(), n);
    for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(delivered[i], i);
  }
}

TEST(Batch, RunsOnSeveralThreads) {
  std::atomic<int> running{0};
  std::atomic<int> most{0};
  Batch::run(
      8, 4,
      [&](std::size_t) {
        const int now = ++running;
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        --running;
      },
      [](std::size_t) {});
  EXPECT_GT(most.load(), 1);
}

TEST(Batch, AFailedItemIsRaisedWhenDueAfterTheOnesBefore) {
  for (const unsigned jobs : {1u, 3u}) {
    SCOPED_TRACE(jobs);
    std::vector<std::size_t> delivered;
    EXPECT_THROW(Batch::run(
                     10, jobs,
                     [](std::size_t i) {
                       if (i == 4) throw std::runtime_error("item 4");
                     },
                     [&](std::size_t i) { delivered.push_back(i); }),
                 std::runtime_error);
    EXPECT_EQ(delivered, (std::vector<std::size_t>{0, 1, 2, 3}));
  }
}

TEST(Batch, NothingToDo) {
  int calls = 0;
  Batch::run(0, 4, [&](std::size_t) { ++calls; }, [&](std::size_t) { ++calls; });
  EXPECT_EQ(calls, 0);
}

TEST(Batch, StatusLineText) {
  EXPECT_EQ(Batch::status_line::text(3, 2000, "a/b.qvb"), "[3/2000] a/b.qvb");
  // Not a terminal: never shown.
  std::FILE* f = std::tmpfile();
  {
    Batch::status_line line(f, 100);
    EXPECT_FALSE(line.enabled());
    line.update(1, "x");
  }
  EXPECT_EQ(std::ftell(f), 0L);
  std::fclose(f);
}

}  // namespace
