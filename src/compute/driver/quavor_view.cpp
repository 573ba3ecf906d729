#include "driver/quavor_view.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "config/quavor_configuration.hpp"
#include "criteria/tqmv.hpp"
#include "view/batch.hpp"
#include "view/checked_file.hpp"
#include "view/output_file.hpp"
#include "view/page_html.hpp"
#include "view/results_json.hpp"

namespace Quavor_view {

using json = nlohmann::ordered_json;

namespace {

constexpr const char* usage_text =
    "usage: quavor-view [--json] [--no-html] [--out DIR] [--jobs N] [--summary FILE] PATH...\n";

constexpr const char* help_text =
    "Checks building descriptions as `quavor -r X.qvb` does, without writing the\n"
    "report, and shows the results: X.html (a page with the verdict, the plans of\n"
    "every level, the criteria and the report text) and, with --json, X.json.\n"
    "\n"
    "Each PATH is a description X.qvb or a directory searched for *.qvb files.\n"
    "With more than one description, index.html and summary.json list them all.\n"
    "\n"
    "  --json            also write X.json (schema quavor-results/1)\n"
    "  --no-html         do not write X.html (nor index.html)\n"
    "  --out DIR         write the results in DIR (default: beside each description;\n"
    "                    index.html and summary.json in the current directory)\n"
    "  --jobs N          check N descriptions at once (default: the number of cores)\n"
    "  --summary FILE    write the summary to FILE (- for the standard output)\n"
    "  -h, --help        print this help\n"
    "  --version         print the version\n"
    "\n"
    "Exit status: 0 every description compliant, 1 some not compliant (a criterion\n"
    "failed, or a fatal failure), 2 some could not be checked or its results not\n"
    "written, 64 a bad command line.\n";

struct options {
  bool json = false;
  bool html = true;
  std::optional<std::string> out;
  unsigned jobs = 0;
  std::optional<std::string> summary;
  std::vector<std::string> paths;
};

struct usage_error {
  std::string message;
};

unsigned parse_jobs(const std::string& text) {
  std::size_t used = 0;
  long value = 0;
  try {
    value = std::stol(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || value < 1 || value > 1024)
    throw usage_error{"--jobs needs a number of jobs from 1 to 1024, not \"" + text + "\""};
  return static_cast<unsigned>(value);
}

// Returns the options, or nothing when the run ends at once (help, version).
std::optional<options> parse(int argc, char** argv) {
  options o;
  bool only_paths = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (only_paths || a == "-" || a.empty() || a[0] != '-') {
      o.paths.push_back(a);
      continue;
    }
    auto value = [&](const std::string& option) -> std::string {
      const std::string prefix = option + "=";
      if (a.rfind(prefix, 0) == 0) return a.substr(prefix.size());
      if (i + 1 >= argc) throw usage_error{option + " needs a value"};
      return argv[++i];
    };
    auto is = [&](const std::string& option) { return a == option || a.rfind(option + "=", 0) == 0; };
    if (a == "--") only_paths = true;
    else if (a == "-h" || a == "--help") {
      std::fputs(usage_text, stdout);
      std::fputs("\n", stdout);
      std::fputs(help_text, stdout);
      return std::nullopt;
    } else if (a == "--version") {
      std::printf("quavor-view %s (guide TQMV %s)\n", Quavor_configuration::version().c_str(),
                  std::string(Tqmv::tqmv_version).c_str());
      return std::nullopt;
    } else if (a == "--json") o.json = true;
    else if (a == "--no-html") o.html = false;
    else if (is("--out")) o.out = value("--out");
    else if (is("--jobs")) o.jobs = parse_jobs(value("--jobs"));
    else if (a.size() > 2 && a.rfind("-j", 0) == 0 && a[2] != '-') o.jobs = parse_jobs(a.substr(2));
    else if (a == "-j") o.jobs = parse_jobs(value("-j"));
    else if (is("--summary")) o.summary = value("--summary");
    else throw usage_error{"unknown option " + a};
  }
  if (o.paths.empty()) throw usage_error{"no description named"};
  if (o.out && o.out->empty()) throw usage_error{"--out needs a directory name"};
  if (o.summary && o.summary->empty()) throw usage_error{"--summary needs a file name"};
  return o;
}

// A description to check and where its results go.
struct item {
  std::string path;         // as found
  std::string output_base;  // the results' names without extension
};

bool is_description(const std::filesystem::path& p) {
  return p.extension() == Quavor_configuration::report_source_file_extension();
}

// The descriptions named on the command line, directories searched in name
// order; a problem with a path is reported and makes the status 2.
struct collection {
  std::vector<item> items;
  bool batch = false;  // more than one description, or a directory
  bool failed = false;
};

// A link named like a description that leads nowhere is reported as a
// missing description given by name is, not passed over in silence.
bool is_dangling_link(const std::filesystem::directory_entry& entry) {
  std::error_code ec;
  return entry.is_symlink(ec) && !std::filesystem::exists(entry.status(ec));
}

// "quavor-view: <path>: <reason>" on the error stream, for a path that could
// not be searched or read.
void say_file_error(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "quavor-view: %s: %s\n", path.c_str(), reason.c_str());
}

const std::string no_such_file = "No such file or directory";

// The descriptions under `root`, at any depth. A folder that cannot be read
// is said, with the reason, and the others are still searched: its
// descriptions are not checked, and the user must know. Links to folders are
// not followed.
std::vector<std::filesystem::path> search(const std::filesystem::path& root, bool& failed) {
  std::vector<std::filesystem::path> found;
  std::vector<std::filesystem::path> folders{root};
  while (!folders.empty()) {
    const std::filesystem::path folder = std::move(folders.back());
    folders.pop_back();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      std::error_code type_ec;
      if (std::filesystem::is_directory(it->symlink_status(type_ec))) {
        folders.push_back(it->path());
      } else if (!is_description(it->path())) {
        continue;
      } else if (it->is_regular_file(type_ec)) {
        found.push_back(it->path());
      } else if (is_dangling_link(*it)) {
        say_file_error(it->path().string(), no_such_file);
        failed = true;
      }
    }
    if (ec) {
      say_file_error(folder.string(), ec.message());
      failed = true;
    }
  }
  return found;
}

collection collect(const options& o) {
  collection c;
  std::set<std::string> bases;
  auto add = [&](const std::string& path, const std::filesystem::path& relative) {
    std::string base;
    if (o.out)
      base = (std::filesystem::path(*o.out) / relative).replace_extension().string();
    else
      base = std::filesystem::path(path).replace_extension().string();
    // Two descriptions of the same name under --out get numbered results.
    std::string unique = base;
    for (int k = 2; !bases.insert(unique).second; ++k) unique = base + "-" + std::to_string(k);
    c.items.push_back(item{path, unique});
  };
  for (const std::string& p : o.paths) {
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(p, ec);
    if (ec || !std::filesystem::exists(st)) {
      say_file_error(p, no_such_file);
      c.failed = true;
      continue;
    }
    if (std::filesystem::is_directory(st)) {
      c.batch = true;
      std::vector<std::filesystem::path> found = search(p, c.failed);
      if (found.empty()) {
        std::fprintf(stderr, "quavor-view: %s: no description (*%s file) in this directory\n", p.c_str(),
                     Quavor_configuration::report_source_file_extension().c_str());
        c.failed = true;
        continue;
      }
      std::sort(found.begin(), found.end());
      for (const std::filesystem::path& f : found) add(f.string(), f.lexically_relative(p));
      continue;
    }
    if (!is_description(p)) {
      std::fprintf(stderr, "quavor-view: %s: not a description (its name must end in %s)\n", p.c_str(),
                   Quavor_configuration::report_source_file_extension().c_str());
      c.failed = true;
      continue;
    }
    add(p, std::filesystem::path(p).filename());
  }
  if (c.items.size() > 1) c.batch = true;
  return c;
}

// A directory that links are made from, with the current directory that
// relative names are read against, taken once for the whole batch.
struct link_origin {
  link_origin(const std::filesystem::path& current, const std::filesystem::path& from_directory)
      : current(current), directory((current / from_directory).lexically_normal()) {}
  std::filesystem::path current;
  std::filesystem::path directory;
};

// A link from a file in `from.directory` to `target`.
std::string link(const std::string& target, const link_origin& from) {
  const std::filesystem::path t = (from.current / target).lexically_normal();
  const std::filesystem::path r = t.lexically_relative(from.directory);
  return (r.empty() ? t : r).generic_string();
}

// What a worker hands back for one description.
struct slot {
  Checked_file::verdict state = Checked_file::verdict::unreadable;
  std::string message;        // what quavor prints, for descriptions that could not be checked
  std::string summary_line;   // one line for the error stream, for descriptions not compliant
  std::string output_errors;  // results that could not be written
  json row;
};

std::string one_line_outcome(const Checked_file::result& r) {
  std::string line = r.path + ": " + Checked_file::verdict_name(r.state);
  if (r.checked && r.checked->outcome.failed) {
    const Outcome::failure& f = *r.checked->outcome.failed;
    line += ": " + f.code + " (test " + std::to_string(f.test_number) + ")";
    if (f.where.niveau_nom) line += ", niveau " + *f.where.niveau_nom;
  }
  return line;
}

void write_output(slot& s, const std::string& name, const std::string& text) {
  try {
    Output_file::replace(name, text);
  } catch (const std::exception& e) {
    s.output_errors += std::string("quavor-view: ") + e.what() + "\n";
  }
}

slot check_one(const options& o, const item& it, const link_origin& summary_directory) {
  const Checked_file::result r = Checked_file::check_file(it.path);
  slot s;
  s.state = r.state;
  if (r.state == Checked_file::verdict::unreadable) s.message = r.message;
  else if (r.state != Checked_file::verdict::compliant) s.summary_line = one_line_outcome(r);
  const std::string json_name = it.output_base + ".json";
  const std::string html_name = it.output_base + ".html";
  if (o.json) write_output(s, json_name, Results_json::results_text(r) + "\n");
  if (o.html) write_output(s, html_name, Page_html::page(r));
  s.row = Results_json::summary_row(r, o.html ? link(html_name, summary_directory) : "",
                                    o.json ? link(json_name, summary_directory) : "");
  return s;
}

void create_parents(const std::vector<item>& items) {
  std::set<std::filesystem::path> made;
  for (const item& it : items) {
    const std::filesystem::path parent = std::filesystem::path(it.output_base).parent_path();
    if (parent.empty() || !made.insert(parent).second) continue;
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
  }
}

int run(const options& o) {
  collection c = collect(o);
  if (o.out) {
    try {
      Output_file::ensure_writable_directory(*o.out);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quavor-view: cannot write the results in %s\n", e.what());
      return status_unchecked;
    }
    create_parents(c.items);
  }
  const bool write_summary = c.batch || o.summary.has_value();
  // Taken once: links are made from it for every description.
  const std::filesystem::path current = std::filesystem::current_path();
  const std::filesystem::path summary_directory =
      o.out ? std::filesystem::path(*o.out) : current;
  const std::string summary_name =
      o.summary ? *o.summary : (summary_directory / "summary.json").string();
  const link_origin link_directory(
      current, o.summary && *o.summary != "-" ? (current / *o.summary).parent_path() : summary_directory);
  const link_origin index_directory(current, summary_directory);

  unsigned jobs = o.jobs != 0 ? o.jobs : std::max(1u, std::thread::hardware_concurrency());
  std::vector<slot> slots(c.items.size());
  json rows = json::array();
  json index_rows = json::array();
  std::map<Checked_file::verdict, int> counts;
  bool output_failed = false;
  Batch::status_line status(stderr, c.items.size());
  Batch::run(
      c.items.size(), jobs,
      [&](std::size_t i) { slots[i] = check_one(o, c.items[i], link_directory); },
      [&](std::size_t i) {
        slot& s = slots[i];
        ++counts[s.state];
        const bool printing = !s.message.empty() || !s.summary_line.empty() || !s.output_errors.empty();
        if (printing) status.clear();
        if (!s.message.empty()) std::fprintf(stderr, "%s\n", s.message.c_str());
        if (!s.summary_line.empty()) std::fprintf(stderr, "%s\n", s.summary_line.c_str());
        if (!s.output_errors.empty()) {
          std::fputs(s.output_errors.c_str(), stderr);
          output_failed = true;
        }
        status.update(i + 1, c.items[i].path);
        if (write_summary) {
          json index_row = s.row;
          if (o.html) index_row["page"] = link(c.items[i].output_base + ".html", index_directory);
          index_rows.push_back(std::move(index_row));
          rows.push_back(std::move(s.row));
        }
        s = slot{};
      });
  status.clear();

  int result = status_compliant;
  if (counts[Checked_file::verdict::not_compliant] + counts[Checked_file::verdict::fatal] > 0)
    result = status_not_compliant;
  if (c.failed || output_failed || counts[Checked_file::verdict::unreadable] > 0) result = status_unchecked;

  if (write_summary) {
    const json summary{{"schema", Results_json::summary_schema_name},
                       {"engine", json{{"name", "quavor"}, {"version", Quavor_configuration::version()}}},
                       {"guide", json{{"name", "TQMV"}, {"version", std::string(Tqmv::tqmv_version)}}},
                       {"counts", json{{"compliant", counts[Checked_file::verdict::compliant]},
                                       {"not-compliant", counts[Checked_file::verdict::not_compliant]},
                                       {"fatal", counts[Checked_file::verdict::fatal]},
                                       {"unreadable", counts[Checked_file::verdict::unreadable]}}},
                       {"status", result},
                       {"descriptions", rows}};
    const std::string text = summary.dump(1, ' ', false, Json_writer::invalid_utf8) + "\n";
    if (summary_name == "-") {
      std::fwrite(text.data(), 1, text.size(), stdout);
      std::fflush(stdout);
    } else {
      try {
        Output_file::replace(summary_name, text);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "quavor-view: %s\n", e.what());
        result = status_unchecked;
      }
    }
    if (o.html && c.batch) {
      try {
        Output_file::replace((summary_directory / "index.html").string(), Page_html::index_page(index_rows));
      } catch (const std::exception& e) {
        std::fprintf(stderr, "quavor-view: %s\n", e.what());
        result = status_unchecked;
      }
    }
  }
  if (c.batch)
    std::fprintf(stderr, "quavor-view: %zu %s: %d compliant, %d not compliant, %d fatal, %d unreadable\n",
                 c.items.size(), c.items.size() == 1 ? "description" : "descriptions", counts[Checked_file::verdict::compliant],
                 counts[Checked_file::verdict::not_compliant], counts[Checked_file::verdict::fatal],
                 counts[Checked_file::verdict::unreadable]);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::optional<options> o = parse(argc, argv);
    if (!o) return status_compliant;
    return run(*o);
  } catch (const usage_error& e) {
    std::fprintf(stderr, "quavor-view: %s\n%s(quavor-view --help for the options)\n", e.message.c_str(), usage_text);
    return status_usage;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quavor-view: %s\n", e.what());
    return status_unchecked;
  }
}

}  // namespace Quavor_view
