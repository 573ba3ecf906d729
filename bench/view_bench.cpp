// quavor-view over a folder of 2,000 house-sized descriptions (copies of
// examples/house_r1.qvb, each recording its own file name) with
// `--json --no-html --jobs N`, process start to exit: descriptions per second
// of wall time, and for N = 2 the speed-up over N = 1. Twice: the first time
// a folder is checked (no results yet: every X.json is written), and again
// (the results are there and unchanged, so they are left as they are).
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

// The folder, made once per run of the benchmarks (QUAVOR_BENCH_DIR chooses
// where: a tmpfs measures the engine rather than the disk).
const std::filesystem::path& batch_folder() {
  static const std::filesystem::path dir = [] {
    const char* where = std::getenv("QUAVOR_BENCH_DIR");
    std::string pattern =
        ((where ? std::filesystem::path(where) : std::filesystem::temp_directory_path()) / "quavor-view-bench-XXXXXX")
            .string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    const std::filesystem::path d = pattern;
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
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(batch_folder(), ec);
    });
    return d;
  }();
  return dir;
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

// The results of an earlier run, removed before a first-time run (untimed).
void remove_results(const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir / "houses"))
    if (entry.path().extension() == ".json") std::filesystem::remove(entry.path());
  std::filesystem::remove(dir / "summary.json");
  std::filesystem::remove(dir / "index.html");
}

double seconds_with_one_job[2] = {0.0, 0.0};

void BM_view_batch(benchmark::State& state) {
  const std::filesystem::path& dir = batch_folder();
  const std::string jobs = std::to_string(state.range(0));
  const bool first_time = state.range(1) != 0;
  double total = 0.0;
  if (!first_time && run_view(dir, jobs) != 0) state.SkipWithError("quavor-view failed");
  for (auto _ : state) {
    if (first_time) remove_results(dir);
    const auto start = std::chrono::steady_clock::now();
    if (run_view(dir, jobs) != 0) {
      state.SkipWithError("quavor-view failed");
      break;
    }
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
