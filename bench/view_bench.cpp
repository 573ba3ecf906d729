// quavor-view over a folder of 2,000 house-sized descriptions (copies of
// examples/house_r1.qvb, each recording its own file name) with
// `--json --no-html --jobs N`, process start to exit: descriptions per second
// of wall time, and for N = 2 the speed-up over N = 1. Twice: the first time
// a folder is checked (no results yet: every X.json is written), and again
// (the results are there and unchanged, so they are left as they are).
// Results are kept until the end, so the bench needs about 130 MB per run of
// quavor-view.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "generate.hpp"

extern char** environ;

namespace {

constexpr int descriptions = 2000;

// Where the benchmark's folders go, made once per run of the benchmarks
// (QUAVOR_BENCH_DIR chooses where: a tmpfs measures the engine rather than
// the disk) and removed when the benchmarks end.
class Bench_place {
 public:
  Bench_place() {
    const char* where = std::getenv("QUAVOR_BENCH_DIR");
    std::string pattern =
        ((where ? std::filesystem::path(where) : std::filesystem::temp_directory_path()) / "quavor-view-bench-XXXXXX")
            .string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  ~Bench_place() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  // A folder never checked: its own copies of the descriptions, on disk
  // before the timed run starts. Each first check gets one, rather than the
  // results of an earlier run being removed: on ext4, thousands of files
  // just removed slow down the making of new ones, which a user's first
  // check of a folder does not meet.
  std::filesystem::path new_folder() {
    const std::filesystem::path d = root_ / std::to_string(folders_++);
    std::filesystem::create_directories(d / "houses");
    const std::string text = Bench_generate::read_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/house_r1.qvb");
    const std::string recorded = "\"examples/house_r1.qvb\"";
    for (int i = 0; i < descriptions; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "houses/house_%04d.qvb", i);
      std::string copy = text;
      copy.replace(copy.find(recorded), recorded.size(), "\"" + std::string(name) + "\"");
      std::ofstream(d / name, std::ios::binary) << copy;
    }
    ::sync();
    return d;
  }

 private:
  std::filesystem::path root_;
  int folders_ = 0;
};

Bench_place& bench_place() {
  static Bench_place place;
  return place;
}

int run_view(const std::filesystem::path& dir, const std::string& jobs) {
  const std::string program = std::string(QUAVOR_BENCH_BINARY_DIR) + "/quavor-view";
  std::vector<std::string> args{program, "--json", "--no-html", "--jobs", jobs, "houses"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot run " + program);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double seconds_with_one_job[2] = {0.0, 0.0};

void BM_view_batch(benchmark::State& state) {
  const std::string jobs = std::to_string(state.range(0));
  const bool first_time = state.range(1) != 0;
  std::filesystem::path dir;
  if (!first_time) {
    static const std::filesystem::path checked = bench_place().new_folder();
    dir = checked;
    if (run_view(dir, jobs) != 0) state.SkipWithError("quavor-view failed");
  }
  double total = 0.0;
  for (auto _ : state) {
    if (first_time) dir = bench_place().new_folder();
    const auto start = std::chrono::steady_clock::now();
    if (run_view(dir, jobs) != 0) {
      state.SkipWithError("quavor-view failed");
      break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    total += seconds;
  }
  const double per_run = total / static_cast<double>(state.iterations());
  state.counters["descriptions_per_s"] = static_cast<double>(descriptions) / per_run;
  double& one_job = seconds_with_one_job[first_time ? 1 : 0];
  if (state.range(0) == 1) one_job = per_run;
  if (state.range(0) == 2 && one_job > 0) state.counters["speedup_vs_jobs1"] = one_job / per_run;
}
BENCHMARK(BM_view_batch)
    ->ArgNames({"jobs", "first_time"})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
