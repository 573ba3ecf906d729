// Figures to compare across versions: layout and reading throughput, the file
// flow as a whole process, the check as the walls grow, serving.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "checks/compute.hpp"
#include "link/compute_main.hpp"
#include "link/compute_server.hpp"
#include "config/quavor_configuration.hpp"
#include "description/input_data_types_read.hpp"
#include "generate.hpp"
#include "model/compute_data.hpp"
#include "report/report.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

extern char** environ;

namespace {

const std::string source_dir = QUAVOR_SOURCE_DIR;
const std::string binary_dir = QUAVOR_BENCH_BINARY_DIR;

const std::string& example_r0() {
  static const std::string text = Bench_generate::read_file(source_dir + "/examples/house_r0.qvb");
  return text;
}

// ---------------------------------------------------------------------------
// Layout printer: a document of nested boxes, records in lists in records,
// laid out at the default margin into a string.

void nested(Format::Printer& ppf, int depth, int breadth) {
  ppf.open_box(Format::Box_kind::HOV, 2);
  ppf.print_string("{");
  for (int i = 0; i < breadth; ++i) {
    ppf.print_space();
    Format::fprintf(ppf, "@[<hv 2>champ_%d =@ %f ;@]", i, i * 0.25);
    if (depth > 0) {
      ppf.print_space();
      ppf.open_box(Format::Box_kind::HV, 2);
      ppf.print_string("sous_liste = [");
      ppf.print_cut();
      nested(ppf, depth - 1, breadth);
      ppf.print_string("] ;");
      ppf.close_box();
    }
  }
  ppf.print_space();
  ppf.print_string("}");
  ppf.close_box();
}

void BM_layout_printer(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    Format::Printer ppf;
    nested(ppf, depth, 4);
    ppf.print_newline();
    bytes += ppf.contents().size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["output_bytes"] = static_cast<double>(bytes) / state.iterations();
}
// 4^depth records: from about 100 KB to about 6 MB of text.
BENCHMARK(BM_layout_printer)->Arg(5)->Arg(7)->Arg(8)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Description reading: the example house with many walls, from a string.

void BM_description_reading(benchmark::State& state) {
  const std::string text = Bench_generate::house_with_walls(example_r0(), static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(text);
    benchmark::DoNotOptimize(Input_data_types_read::scanner_input_data(ib));
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
  state.counters["input_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_description_reading)->Arg(8)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// The whole check: derive the model, run the four families, lay out the
// report into a string.

void BM_whole_check(benchmark::State& state) {
  const std::string text = Bench_generate::house_with_walls(example_r0(), static_cast<int>(state.range(0)));
  Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(text);
  Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
  const std::string scratch = "/tmp/quavor-bench-" + std::to_string(::getpid()) + ".qvb";
  data.batiment.batiment_file_name = scratch;
  bool valid = false;
  std::size_t tests = 0;
  const Check::run_context context{scratch, Quavor_configuration::remove_extension(scratch) + ".qvr", std::nullopt,
                                   false};
  for (auto _ : state) {
    Compute::checked_batiment checked = Compute::check_description(data.batiment, context);
    if (checked.outcome.failed && checked.outcome.failed->fatal) {
      state.SkipWithError(checked.outcome.failed->text.c_str());
      break;
    }
    valid = checked.outcome.compliant;
    Format::Printer ppf;
    Report::report_print(ppf, Report::batiment_make_report(checked.outcome));
    benchmark::DoNotOptimize(ppf.contents());
    tests = static_cast<std::size_t>(checked.outcome.tests_run);
  }
  state.counters["walls"] = static_cast<double>(state.range(0));
  state.counters["valid"] = valid ? 1 : 0;
  state.counters["tests"] = static_cast<double>(tests);
}
BENCHMARK(BM_whole_check)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// The file flow, process start to exit, against a process that only reads
// the file and writes a file of the report's size.

int run_process(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The outcome line is not part of what is measured.
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot run " + args[0]);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The example copied into a scratch directory, under its own recorded name.
std::string scratch_example(const std::string& name) {
  const std::string dir = "/tmp/quavor-bench-" + std::to_string(::getpid());
  std::filesystem::create_directories(dir + "/examples");
  std::filesystem::copy_file(source_dir + "/examples/" + name + ".qvb", dir + "/examples/" + name + ".qvb",
                             std::filesystem::copy_options::overwrite_existing);
  return dir;
}

void BM_file_flow(benchmark::State& state, const std::string& name) {
  const std::string dir = scratch_example(name);
  const std::string cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  for (auto _ : state) {
    if (run_process({binary_dir + "/quavor", "-r", "examples/" + name + ".qvb"}) != 0) {
      state.SkipWithError("quavor failed");
      break;
    }
  }
  state.counters["report_bytes"] = static_cast<double>(std::filesystem::file_size("examples/" + name + ".qvr"));
  std::filesystem::current_path(cwd);
}

void BM_file_flow_baseline(benchmark::State& state, const std::string& name) {
  const std::string dir = scratch_example(name);
  // The report's size as the engine writes it.
  const std::string cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  run_process({binary_dir + "/quavor", "-r", "examples/" + name + ".qvb"});
  const std::string size = std::to_string(std::filesystem::file_size("examples/" + name + ".qvr"));
  for (auto _ : state)
    run_process({binary_dir + "/quavor_baseline_copy", "examples/" + name + ".qvb", "examples/copy.qvr", size});
  std::filesystem::current_path(cwd);
}

BENCHMARK_CAPTURE(BM_file_flow, house_r0, std::string("house_r0"))->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_file_flow, house_r1, std::string("house_r1"))->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_file_flow_baseline, house_r0, std::string("house_r0"))
    ->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_file_flow_baseline, house_r1, std::string("house_r1"))
    ->UseRealTime()->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Serving: one session reads, validates and computes the same description
// again and again; each computation writes its report and its reply.

void BM_serving(benchmark::State& state) {
  const int descriptions = static_cast<int>(state.range(0));
  const std::string dir = scratch_example("house_r1");
  const std::string description = Bench_generate::read_file(source_dir + "/examples/house_r1.qvb");
  std::string session;
  for (int i = 0; i < descriptions; ++i)
    session += "( Xon (\nRead_data " + description + "\n) Xoff )\n( Xon (\nValidate_data\n) Xoff )\n"
               "( Xon (\nCompute_data\n) Xoff )\n";
  session += "( Xon (\nQuit\n) Xoff )\n";
  const std::string cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::size_t reply_bytes = 0;
  for (auto _ : state) {
    Quavor_configuration::reset_for_tests();
    Compute_main::reset_server_state();
    auto replies = std::make_shared<Format::Printer>();
    Quavor_configuration::set_input_process_formatter(replies);
    Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(session);
    try {
      Compute_server::compute_server_loop(ib);
    } catch (const Compute_server::End_of_session&) {
    }
    reply_bytes = replies->contents().size();
  }
  Quavor_configuration::reset_for_tests();
  std::filesystem::current_path(cwd);
  state.SetItemsProcessed(static_cast<int64_t>(descriptions) * state.iterations());
  state.counters["reply_bytes"] = static_cast<double>(reply_bytes);
}
BENCHMARK(BM_serving)->Arg(100)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
