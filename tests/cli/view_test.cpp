// End-to-end runs of quavor-view beside quavor. Over the examples and every
// failing case of tests/cli/cases/: the verdict, the failing criterion and the
// test number in X.json are what `quavor -r X.qvb` prints (each program runs
// in a fresh scratch copy); the page holds the report quavor writes, byte for
// byte; the pages load in headless Chromium without script error, with one
// plan per level, the 51 criteria rows and the failing elements outlined.
// Then batches, bad input and the command line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <atomic>
#include <fstream>
#include <thread>
#include <regex>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/harness.hpp"
#include "view/view_fixture.hpp"

using nlohmann::json;

namespace {

const std::filesystem::path source_dir = QUAVOR_SOURCE_DIR;
const std::filesystem::path cases_root = source_dir / "tests" / "cli" / "cases";

Cli::Result view(const std::vector<std::string>& arguments, const std::filesystem::path& directory) {
  return Cli::run(arguments, Cli::Options().executing(QUAVOR_VIEW_BINARY).in(directory.string()));
}

void copy_to(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::create_directories(to.parent_path());
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

// A description of the test set and the name it is checked under (the name
// its recorded file name expects).
struct Description {
  std::string label;
  std::filesystem::path file;
  std::string name;
};

std::vector<Description> test_set() {
  std::vector<Description> set;
  for (const auto& e : std::filesystem::directory_iterator(source_dir / "examples"))
    if (e.path().extension() == ".qvb")
      set.push_back({e.path().stem().string(), e.path(), "examples/" + e.path().filename().string()});
  for (const auto& e : std::filesystem::directory_iterator(cases_root)) {
    const std::filesystem::path d = e.path();
    // Cases run with their own arguments or standard input are about quavor's command line.
    if (!std::filesystem::is_directory(d) || std::filesystem::exists(d / "args") ||
        !std::filesystem::exists(d / "input.qvb"))
      continue;
    const std::string err = Cli::read_file((d / "expected.err").string());
    if (err.rfind("Toutes les vérifications ont réussi.", 0) == 0) continue;
    set.push_back({d.filename().string(), d / "input.qvb", "input.qvb"});
  }
  std::sort(set.begin(), set.end(), [](const Description& a, const Description& b) { return a.label < b.label; });
  return set;
}

// What quavor's error stream says about the check.
struct Said {
  std::string verdict;
  std::string code;  // empty without a failed criterion
  int test = 0;
};

Said what_quavor_says(const std::string& err) {
  Said s;
  std::smatch m;
  const bool failed = std::regex_search(err, m, std::regex("échec du test (CR-[0-9-]+):"));
  if (failed) s.code = m[1];
  std::string rest = err;
  while (std::regex_search(rest, m, std::regex("\\(Test ([0-9]+)\\)\\."))) {
    s.test = std::stoi(m[1]);
    rest = m.suffix();
  }
  if (err.rfind("Toutes les vérifications ont réussi.", 0) == 0) s.verdict = "compliant";
  else if (err.rfind("Erroneous qvb file: ", 0) == 0) s.verdict = "not-compliant";
  else s.verdict = "fatal";
  return s;
}

std::string unescape(std::string s) {
  const std::pair<const char*, const char*> references[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [from, to] : references)
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += std::string(to).size())
      s.replace(at, std::string(from).size(), to);
  return s;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
  return n;
}

std::string find_program(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string d; std::getline(dirs, d, ':');)
    if (!d.empty() && ::access((std::filesystem::path(d) / name).c_str(), X_OK) == 0)
      return (std::filesystem::path(d) / name).string();
  return "";
}

// Headless Chromium on a page: its DOM after load, or a screenshot.
Cli::Result chromium(const std::vector<std::string>& what, const std::filesystem::path& page) {
  const std::string browser = find_program("chromium");
  if (browser.empty()) return Cli::Result{"", "chromium not found (make deps installs it)", -1};
  const Test_support::Temporary_directory profile;
  std::vector<std::string> arguments{"120", browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                     "--no-first-run", "--disable-background-networking",
                                     "--disable-component-update", "--disable-sync",
                                     "--user-data-dir=" + profile.path().string()};
  arguments.insert(arguments.end(), what.begin(), what.end());
  arguments.push_back("file://" + std::filesystem::absolute(page).string());
  return Cli::run(arguments, Cli::Options().executing(find_program("timeout")));
}

// The whole test set checked once by both programs.
struct Checked {
  Description d;
  Cli::Result quavor;
  Cli::Result view;
  std::string report;  // what quavor wrote, if anything
  json results;
  std::string page;
  std::filesystem::path page_file;
};

class ViewTestSet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch = new Test_support::Temporary_directory;
    runs = new std::vector<Checked>;
    for (const Description& d : test_set()) {
      Checked r{d, {}, {}, {}, {}, {}, {}};
      const std::filesystem::path by_quavor = scratch->path() / "quavor" / d.label;
      const std::filesystem::path by_view = scratch->path() / "view" / d.label;
      copy_to(d.file, by_quavor / d.name);
      copy_to(d.file, by_view / d.name);
      r.quavor = Cli::run({"-r", d.name}, Cli::Options().in(by_quavor.string()));
      r.view = view({"--json", d.name}, by_view);
      const std::filesystem::path qvr = (by_quavor / d.name).replace_extension(".qvr");
      if (std::filesystem::exists(qvr)) r.report = Cli::read_file(qvr.string());
      const std::filesystem::path base = (by_view / d.name).replace_extension();
      r.results = json::parse(Cli::read_file(base.string() + ".json"), nullptr, false);
      r.page_file = base.string() + ".html";
      r.page = Cli::read_file(r.page_file.string());
      runs->push_back(std::move(r));
    }
  }
  static void TearDownTestSuite() {
    delete runs;
    delete scratch;
  }
  static Test_support::Temporary_directory* scratch;
  static std::vector<Checked>* runs;
};

Test_support::Temporary_directory* ViewTestSet::scratch = nullptr;
std::vector<Checked>* ViewTestSet::runs = nullptr;

TEST_F(ViewTestSet, CoversTheExamplesAndTheFailingCases) {
  EXPECT_GE(runs->size(), 40u);
  std::set<std::string> verdicts;
  for (const Checked& r : *runs) verdicts.insert(what_quavor_says(r.quavor.err).verdict);
  EXPECT_EQ(verdicts, (std::set<std::string>{"compliant", "not-compliant", "fatal"}));
}

TEST_F(ViewTestSet, VerdictCriterionAndTestAreWhatQuavorPrints) {
  for (const Checked& r : *runs) {
    SCOPED_TRACE(r.d.label);
    ASSERT_FALSE(r.results.is_discarded()) << r.view.err;
    const Said said = what_quavor_says(r.quavor.err);
    EXPECT_EQ(r.results["verdict"], said.verdict);
    EXPECT_EQ(r.view.status, said.verdict == "compliant" ? 0 : 1) << r.view.err;
    // The whole text quavor prints, too.
    EXPECT_EQ(r.results["message"].get<std::string>() + "\n", r.quavor.err);
    if (said.code.empty()) {
      EXPECT_TRUE(r.results["failure"].is_null());
    } else {
      ASSERT_TRUE(r.results["failure"].is_object());
      EXPECT_EQ(r.results["failure"]["code"], said.code);
      EXPECT_EQ(r.results["failure"]["test_number"], said.test);
      EXPECT_EQ(r.results["failure"]["fatal"], said.verdict == "fatal");
    }
  }
}

TEST_F(ViewTestSet, CriteriaAreTheCatalogueInOrderWithOneFailedAtMost) {
  for (const Checked& r : *runs) {
    SCOPED_TRACE(r.d.label);
    if (r.results["building"].is_null()) continue;  // an engine failure before any outcome
    ASSERT_EQ(r.results["criteria"].size(), 51u);
    EXPECT_EQ(r.results["criteria"][0]["code"], "CR-0");
    EXPECT_EQ(r.results["criteria"][50]["code"], "CR-3-7");
    int passed = 0;
    for (const json& c : r.results["criteria"]) passed += c["status"] == "passed";
    EXPECT_EQ(r.results["criteria_passed"], passed);
    if (r.results["verdict"] == "compliant") {
      EXPECT_EQ(passed, 51);
    }
  }
}

TEST_F(ViewTestSet, ResultsParseBackToTheSameValue) {
  for (const Checked& r : *runs) {
    SCOPED_TRACE(r.d.label);
    EXPECT_EQ(json::parse(r.results.dump()), r.results);
    EXPECT_EQ(json::parse(r.results.dump(2)), r.results);
  }
}

TEST_F(ViewTestSet, PageHoldsTheReportQuavorWrites) {
  for (const Checked& r : *runs) {
    SCOPED_TRACE(r.d.label);
    const std::string open = "<pre class=\"report-text\">";
    const std::size_t at = r.page.find(open);
    if (r.report.empty()) {
      EXPECT_EQ(at, std::string::npos);
      continue;
    }
    ASSERT_NE(at, std::string::npos);
    const std::size_t end = r.page.find("</pre>", at);
    EXPECT_EQ(unescape(r.page.substr(at + open.size(), end - at - open.size())), r.report);
  }
}

TEST_F(ViewTestSet, PagesLoadInABrowserWithTheirPlansAndCriteria) {
  // Two browsers at a time: each spends most of its time starting.
  std::vector<Cli::Result> doms(runs->size());
  std::atomic<std::size_t> next{0};
  auto load = [&] {
    for (std::size_t i; (i = next++) < runs->size();) doms[i] = chromium({"--dump-dom"}, (*runs)[i].page_file);
  };
  std::thread other(load);
  load();
  other.join();
  for (std::size_t i = 0; i < runs->size(); ++i) {
    const Checked& r = (*runs)[i];
    const Cli::Result& dom = doms[i];
    SCOPED_TRACE(r.d.label);
    ASSERT_EQ(dom.status, 0) << dom.err;
    EXPECT_NE(dom.out.find("data-script=\"ok\""), std::string::npos) << "the page's script did not run";
    EXPECT_EQ(dom.out.find("data-script-error=\"yes\""), std::string::npos);
    if (r.results["building"].is_null()) continue;
    const std::size_t levels = r.results["levels"].size();
    EXPECT_EQ(count(dom.out, "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"plan\""), levels);
    EXPECT_NE(dom.out.find("data-plans=\"" + std::to_string(levels) + "\""), std::string::npos);
    EXPECT_EQ(count(dom.out, "<tr class=\"criterion "), 51u);
    // Every element the failure names and the plans draw is outlined in red.
    const json& failure = r.results["failure"];
    if (failure.is_object())
      for (const json& e : failure["elements"]) {
        bool drawn = false;
        for (const json& l : r.results["levels"])
          for (const char* kind : {"walls", "openings", "columns", "beams", "balconies"})
            for (const json& x : l[kind]) drawn = drawn || x["name"] == e;
        if (drawn) {
          EXPECT_NE(dom.out.find("class=\"failing-outline\" data-element=\"" + e.get<std::string>() + "\""),
                    std::string::npos)
              << e;
        }
      }
  }
}

TEST_F(ViewTestSet, ScreenshotsForPeopleToLookAt) {
  const std::filesystem::path shots = std::filesystem::path(QUAVOR_BUILD_DIR) / "view-screenshots";
  std::filesystem::create_directories(shots);
  for (const Checked& r : *runs) {
    if (r.d.label != "house_r1" && r.d.label != "cr3_4_shares") continue;
    SCOPED_TRACE(r.d.label);
    const std::filesystem::path png = shots / (r.d.label + ".png");
    std::filesystem::remove(png);
    const Cli::Result shot = chromium({"--screenshot=" + png.string(), "--window-size=1200,1600"}, r.page_file);
    EXPECT_EQ(shot.status, 0) << shot.err;
    EXPECT_GT(std::filesystem::exists(png) ? std::filesystem::file_size(png) : 0u, 10000u);
  }
}

// ---------------------------------------------------------------------------
// Batches.

TEST(ViewBatch, DirectoryGivesIndexAndSummaryInInputOrderWhateverTheJobs) {
  const Test_support::Temporary_directory s;
  for (const char* c : {"ok_r0", "cr3_4_shares", "cr0_12_type", "fatal_zone3"})
    copy_to(cases_root / c / "input.qvb", s.path() / "set" / c / "input.qvb");
  std::string summaries[2];
  int k = 0;
  for (const char* jobs : {"1", "3"}) {
    const std::filesystem::path out = s.path() / (std::string("out") + jobs);
    // Run inside each case's directory would change the names; the recorded
    // names are "input.qvb", so the verdicts are about the name (CR-0-11).
    const Cli::Result r = view({"--json", "--jobs", jobs, "--out", out.string(), "set"}, s.path());
    EXPECT_EQ(r.status, 1) << r.err;
    ASSERT_TRUE(std::filesystem::exists(out / "index.html"));
    ASSERT_TRUE(std::filesystem::exists(out / "cr3_4_shares" / "input.html"));
    ASSERT_TRUE(std::filesystem::exists(out / "ok_r0" / "input.json"));
    summaries[k++] = Cli::read_file((out / "summary.json").string());
  }
  EXPECT_EQ(summaries[0], summaries[1]);
  const json summary = json::parse(summaries[0]);
  EXPECT_EQ(summary["schema"], "quavor-summary/1");
  ASSERT_EQ(summary["descriptions"].size(), 4u);
  EXPECT_EQ(summary["descriptions"][0]["description"], "set/cr0_12_type/input.qvb");
  EXPECT_EQ(summary["descriptions"][3]["description"], "set/ok_r0/input.qvb");
  EXPECT_EQ(summary["descriptions"][3]["page"], "ok_r0/input.html");
  EXPECT_EQ(summary["status"], 1);
}

TEST(ViewBatch, SummaryToStandardOutput) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s.path() / "input.qvb");
  const Cli::Result r = view({"--no-html", "--summary", "-", "input.qvb"}, s.path());
  EXPECT_EQ(r.status, 0) << r.err;
  const json summary = json::parse(r.out);
  ASSERT_EQ(summary["descriptions"].size(), 1u);
  EXPECT_EQ(summary["descriptions"][0]["verdict"], "compliant");
  EXPECT_FALSE(std::filesystem::exists(s.path() / "input.html"));
  EXPECT_FALSE(std::filesystem::exists(s.path() / "index.html"));
  EXPECT_FALSE(std::filesystem::exists(s.path() / "input.qvr"));
}

TEST(ViewBatch, SyntaxErrorAmongGoodOnesIsReportedAsQuavorPrintsItAndTheOthersChecked) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s.path() / "good" / "input.qvb");
  copy_to(cases_root / "syntax_misspelt_field" / "input.qvb", s.path() / "bad" / "input.qvb");
  copy_to(cases_root / "cr3_4_shares" / "input.qvb", s.path() / "zz" / "input.qvb");
  const Cli::Result quavor = Cli::run({"-i", "input.qvb"}, Cli::Options().in((s.path() / "bad").string()));
  // From inside each directory the recorded names hold.
  const Cli::Result r = view({"--json", "--out", (s.path() / "out").string(), "bad/input.qvb", "good/input.qvb",
                              "zz/input.qvb"},
                             s.path());
  EXPECT_EQ(r.status, 2);
  const std::string quavor_text = quavor.err;
  // The message quoted with the name as quavor-view was given it.
  std::string expected = quavor_text;
  expected.replace(expected.find("\"input.qvb\""), 11, "\"bad/input.qvb\"");
  EXPECT_EQ(r.err.rfind(expected, 0), 0u) << r.err;
  const json summary = json::parse(Cli::read_file((s.path() / "out" / "summary.json").string()));
  ASSERT_EQ(summary["descriptions"].size(), 3u);
  EXPECT_EQ(summary["descriptions"][0]["verdict"], "unreadable");
  EXPECT_EQ(summary["descriptions"][0]["message"].get<std::string>() + "\n", expected);
  EXPECT_NE(summary["descriptions"][1]["verdict"], "unreadable");
  EXPECT_NE(summary["descriptions"][2]["verdict"], "unreadable");
  // Same base name three times under one --out: numbered.
  EXPECT_TRUE(std::filesystem::exists(s.path() / "out" / "input.json"));
  EXPECT_TRUE(std::filesystem::exists(s.path() / "out" / "input-2.json"));
  EXPECT_TRUE(std::filesystem::exists(s.path() / "out" / "input-3.json"));
}

// A description typed in Latin-1 (an "é" as the single byte 0xE9) is checked
// as quavor checks it; its results and the summary are still JSON (UTF-8),
// the byte written as U+FFFD, and the other descriptions are not lost.
TEST(ViewBatch, TextThatIsNotUtf8IsWrittenAsReplacementCharacters) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s.path() / "latin1" / "input.qvb");
  copy_to(cases_root / "ok_r0" / "input.qvb", s.path() / "utf8" / "input.qvb");
  std::string text = Cli::read_file((s.path() / "latin1" / "input.qvb").string());
  text.replace(text.find("Basse-Terre"), 11, "Basse-Terr\xe9");
  std::ofstream(s.path() / "latin1" / "input.qvb", std::ios::binary) << text;
  const std::filesystem::path out = s.path() / "out";
  const Cli::Result r = view({"--json", "--no-html", "--out", out.string(), "latin1", "utf8"}, s.path());
  // Both record "input.qvb", not the name they are read by.
  EXPECT_EQ(r.err,
            "latin1/input.qvb: not-compliant: CR-0-11 (test 2)\n"
            "utf8/input.qvb: not-compliant: CR-0-11 (test 2)\n"
            "quavor-view: 2 descriptions: 0 compliant, 2 not compliant, 0 fatal, 0 unreadable\n");
  EXPECT_EQ(r.status, 1);
  const json results = json::parse(Cli::read_file((out / "input.json").string()));
  EXPECT_EQ(results["building"]["location"], "12 rue des Tilleuls, Basse-Terr\xef\xbf\xbd");
  const json summary = json::parse(Cli::read_file((out / "summary.json").string()));
  ASSERT_EQ(summary["descriptions"].size(), 2u);
  EXPECT_EQ(summary["descriptions"][0]["verdict"], summary["descriptions"][1]["verdict"]);
}

// A directory holding one description is still a batch: its summary line
// counts one description.
TEST(ViewBatch, ADirectoryOfOneDescription) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s / "set" / "input.qvb");
  const Cli::Result r = view({"--no-html", "--out", (s / "out").string(), "set"}, s.path());
  EXPECT_EQ(r.err,
            "set/input.qvb: not-compliant: CR-0-11 (test 2)\n"
            "quavor-view: 1 description: 0 compliant, 1 not compliant, 0 fatal, 0 unreadable\n");
  EXPECT_TRUE(std::filesystem::exists(s / "out" / "summary.json"));
}

// Interrupted at any moment of a batch, quavor-view leaves the results it
// finished whole and no temporary file: each signal is sent once the first
// results are there, after a few delays.
TEST(ViewBatch, InterruptedBatchLeavesWholeResultsAndNoTemporaryFile) {
  const Test_support::Temporary_directory s;
  for (int i = 0; i < 300; ++i)
    copy_to(cases_root / "ok_r0" / "input.qvb", s / "set" / ("h" + std::to_string(i) + ".qvb"));
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP})
    for (const int delay_us : {0, 3000, 20000}) {
      SCOPED_TRACE("signal " + std::to_string(signal_number) + " after " + std::to_string(delay_us) + " us");
      for (const std::string& name : Test_support::entries(s / "set"))
        if (name.ends_with(".json")) std::filesystem::remove(s / "set" / name);
      const pid_t pid =
          Cli::start_quietly(QUAVOR_VIEW_BINARY, {"--json", "--no-html", "--jobs", "2", "set"}, s.path().string());
      int wstatus = 0;
      while (::waitpid(pid, &wstatus, WNOHANG) == 0 && !std::filesystem::exists(s / "set" / "h0.json")) {
      }
      std::this_thread::sleep_for(std::chrono::microseconds(delay_us));
      ::kill(pid, signal_number);
      ::waitpid(pid, &wstatus, 0);
      for (const std::string& name : Test_support::entries(s / "set")) {
        if (name.ends_with(".qvb")) continue;
        ASSERT_TRUE(name.ends_with(".json")) << name;
        EXPECT_NO_THROW(json::parse(Test_support::read_file(s / "set" / name))) << name;
      }
    }
}

// ---------------------------------------------------------------------------
// Bad input and the command line.

TEST(ViewBadInput, MissingPath) {
  const Test_support::Temporary_directory s;
  const Cli::Result r = view({"nowhere.qvb"}, s.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "quavor-view: nowhere.qvb: No such file or directory\n");
}

// In a directory, a link named like a description that leads nowhere is
// said, as a missing description given by name is; the others are checked.
TEST(ViewBadInput, LinkToNothingInADirectory) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s / "set" / "input.qvb");
  std::filesystem::create_symlink("missing.qvb", s / "set" / "gone.qvb");
  const Cli::Result r = view({"--no-html", "--out", (s / "out").string(), "set"}, s.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "quavor-view: set/gone.qvb: No such file or directory\n"
            "set/input.qvb: not-compliant: CR-0-11 (test 2)\n"
            "quavor-view: 1 description: 0 compliant, 1 not compliant, 0 fatal, 0 unreadable\n");
}

// A sub-folder that cannot be read is said, with the reason; the
// descriptions elsewhere are still checked. The superuser reads every
// folder, so it runs the check as the user nobody.
TEST(ViewBadInput, UnreadableSubfolder) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s / "set" / "input.qvb");
  copy_to(cases_root / "ok_r0" / "input.qvb", s / "set" / "locked" / "input.qvb");
  for (const std::filesystem::path& p : {s.path(), s / "set"})
    std::filesystem::permissions(p, std::filesystem::perms::all);
  std::filesystem::permissions(s / "set" / "locked", std::filesystem::perms::none);
  std::vector<std::string> arguments{"--no-html", "--summary", "-", "set"};
  Cli::Options options = Cli::Options().executing(QUAVOR_VIEW_BINARY).in(s.path().string());
  if (::geteuid() == 0) {
    arguments.insert(arguments.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", QUAVOR_VIEW_BINARY});
    options.executing("/usr/bin/setpriv");
  }
  const Cli::Result r = Cli::run(arguments, options);
  std::filesystem::permissions(s / "set" / "locked", std::filesystem::perms::owner_all);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "quavor-view: set/locked: Permission denied\n"
            "set/input.qvb: not-compliant: CR-0-11 (test 2)\n"
            "quavor-view: 1 description: 0 compliant, 1 not compliant, 0 fatal, 0 unreadable\n");
  EXPECT_NE(r.out.find("\"set/input.qvb\""), std::string::npos) << r.out;
}

TEST(ViewBadInput, DirectoryWithoutDescriptions) {
  const Test_support::Temporary_directory s;
  std::filesystem::create_directories(s.path() / "empty" / "sub");
  std::ofstream(s.path() / "empty" / "notes.txt") << "x";
  const Cli::Result r = view({"empty"}, s.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("quavor-view: empty: no description (*.qvb file) in this directory\n", 0), 0u) << r.err;
}

TEST(ViewBadInput, UnwritableOut) {
  const Test_support::Temporary_directory s;
  copy_to(cases_root / "ok_r0" / "input.qvb", s.path() / "input.qvb");
  std::ofstream(s.path() / "a_file") << "x";
  const Cli::Result r = view({"--out", "a_file/out", "input.qvb"}, s.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("quavor-view: cannot write the results in a_file/out: ", 0), 0u) << r.err;
  if (::geteuid() != 0) {
    std::filesystem::create_directories(s.path() / "locked");
    std::filesystem::permissions(s.path() / "locked",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const Cli::Result locked = view({"--out", "locked", "input.qvb"}, s.path());
    EXPECT_EQ(locked.status, 2);
    EXPECT_EQ(locked.err, "quavor-view: cannot write the results in locked: Permission denied\n");
  }
}

TEST(ViewBadInput, NotADescription) {
  const Test_support::Temporary_directory s;
  std::ofstream(s.path() / "house.txt") << "x";
  const Cli::Result r = view({"house.txt"}, s.path());
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "quavor-view: house.txt: not a description (its name must end in .qvb)\n");
}

TEST(ViewCommandLine, BadCommandLinesGiveTheUsageAndStatus64) {
  const Test_support::Temporary_directory s;
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--frobnicate", "x.qvb"}, {"--jobs", "0", "x.qvb"}, {"--jobs", "two", "x.qvb"}, {"--out"}, {"x.qvb", "--summary"}};
  for (const auto& c : cases) {
    const Cli::Result r = view(c, s.path());
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("usage: quavor-view [--json] [--no-html] [--out DIR] [--jobs N] [--summary FILE] PATH...\n"),
              std::string::npos)
        << r.err;
  }
}

TEST(ViewCommandLine, HelpAndVersion) {
  const Test_support::Temporary_directory s;
  for (const char* h : {"-h", "--help"}) {
    const Cli::Result r = view({h}, s.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: quavor-view", 0), 0u);
    EXPECT_NE(r.out.find("--summary FILE"), std::string::npos);
  }
  const Cli::Result v = view({"--version"}, s.path());
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "quavor-view 3.1.0 (guide TQMV 2.1.4)\n");
}

}  // namespace
