#include "report/report.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "config/atomic_file.hpp"
#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "text/format.hpp"

namespace Report {

namespace QC = Quavor_configuration;

namespace {

// A logger called through "%a".
void apply_logger(Format::Printer& ppf, const logger& l) { l(ppf); }

// Every logger after the first, each on a line of its own.
void print_following_loggers(Format::Printer& ppf, const std::vector<logger>& loggers) {
  for (std::size_t i = 1; i < loggers.size(); ++i) Format::fprintf(ppf, "@,%t", loggers[i]);
}

}  // namespace

// ---------------------------------------------------------------------------
// Logger constructors.

logger title_document_logger(const std::string& title) {
  return [title](Format::Printer& ppf) { Format::fprintf(ppf, "%s@,@,", title); };
}

logger section_title_logger(const std::string& title) {
  return [title](Format::Printer& ppf) { Format::fprintf(ppf, "@,%s@,@,", title); };
}

logger paragraph_logger(const logger& body) {
  return [body](Format::Printer& ppf) { Format::fprintf(ppf, "@[<b 0>%t@]@,", body); };
}

logger section_logger(const logger& head, const std::string& title, const logger& body) {
  return [head, title, body](Format::Printer& ppf) {
    Format::fprintf(ppf, "%t@[<v 2>@,%s@,%a@]@,", head, title, apply_logger, body);
  };
}

logger sub_section_logger(const std::string& title, const logger& body) {
  return [title, body](Format::Printer& ppf) {
    Format::fprintf(ppf, "@,@[<v 2>@,%s@,%a@]@,", title, apply_logger, body);
  };
}

logger sub_sub_section_logger(const std::string& title, const logger& body) {
  return [title, body](Format::Printer& ppf) {
    Format::fprintf(ppf, "@,@[<v 2>@,%s@,%a@]@,", title, apply_logger, body);
  };
}

logger end_logger(const std::string& format) {
  return [format](Format::Printer& ppf) { Format::fprintf(ppf, Format::runtime(format)); };
}

logger paragraph_body_logger(const std::string& text) {
  return [text](Format::Printer& ppf) { Format::fprintf(ppf, "%s", text); };
}

void conclusion_logger(Format::Printer& ppf) {
  Format::fprintf(ppf, "Diagnostique final de l'analyse de conformité du bâtiment:");
}

// ---------------------------------------------------------------------------
// Building and printing the report.

report batiment_make_report(const Compute_data_types::batiment&) {
  auto checked_table = QC::get_critere_checked_table();
  if (!checked_table) QC::fatal_error("Looking for set of checked criterions when none has been entered");
  auto loggers_table = QC::get_critere_loggers_table();
  if (!loggers_table)
    QC::fatal_error("The (criterion, report messages) association hash table has not yet been created");
  const std::string source = QC::get_report_source_file_name();
  return report{
      QC::get_report_target_file_name(),
      title_document_logger("Rapport de conformité du bâtiment"),
      [source](Format::Printer& ppf) {
        Format::fprintf(ppf, "@[<b 0>%t@]@,", [&source](Format::Printer& p) { Format::fprintf(p, "%s", source); });
      },
      loggers_table,
      checked_table,
      QC::get_critere_error_logger_opt(),
      [](Format::Printer& ppf) {
        Format::fprintf(ppf, "Tous les tests ont été réussis.@,Le bâtiment est conforme au guide TQMV.");
      },
  };
}

void print_critere_title(Format::Printer& ppf, critere c) {
  if (Tqmv::critere_principal(c)) {
    Tqmv::print_critere_title(ppf, c);
    return;
  }
  const int position = Tqmv::critere_index(c);
  const std::string& famille = position <= 17   ? Tqmv::famille_coherence
                               : position <= 29 ? Tqmv::famille_geometrie
                               : position <= 36 ? Tqmv::famille_conception
                                                : Tqmv::famille_dimensionnement;
  Format::fprintf(ppf, "%s", famille);
}

void print_critere_loggers(Format::Printer& ppf, const std::vector<logger>& loggers) {
  if (loggers.empty()) return;
  Format::fprintf(ppf, "@;<0 2>@[<v 0>%t%a@]", loggers.front(), print_following_loggers, loggers);
}

// Each section starts a line of its own: without the cut between two
// sections, a heading would follow the last paragraph of the section before
// it on the same line, and every later section would drift to the right.
void print_report_critere_loggers_table(Format::Printer& ppf, const report& r) {
  if (!r.checked_table || !r.loggers_table) throw Assertion_failure("src/compute/report");
  bool first = true;
  Tqmv::iter_critere(
      [&](critere c, const std::vector<logger>& loggers) {
        if (!Tqmv::critere_get_checked(c, *r.checked_table)) return;
        if (!first) Format::fprintf(ppf, "@,");
        first = false;
        Format::fprintf(ppf, "@[<v 0>%a@,%a@]", print_critere_title, c, print_critere_loggers, loggers);
      },
      *r.loggers_table);
}

void report_print(Format::Printer& ppf, const report& r) {
  const logger& conclusion = r.error_logger ? *r.error_logger : r.success_logger;
  Format::fprintf(ppf, "@[<v 0>%t@[<v 2>%t@]@,%a@,@,%t@,@,%t@,@]", r.title_logger, r.source_logger,
                  print_report_critere_loggers_table, r, conclusion_logger, conclusion);
}

// ---------------------------------------------------------------------------
// The report output.

namespace {

// The report being written (the standard output included) and its printer;
// both absent whenever no report is open.
std::unique_ptr<Atomic_file::Writer> current_file;
std::unique_ptr<Format::Printer> file_printer;

// The identity of an existing file ("-" is the standard input), if any.
std::optional<std::pair<dev_t, ino_t>> file_identity(const std::string& name) {
  struct stat st;
  const int status = name == "-" ? ::fstat(STDIN_FILENO, &st) : ::stat(Path::tilde_subst(name).c_str(), &st);
  if (status != 0) return std::nullopt;
  return std::make_pair(st.st_dev, st.st_ino);
}

// Writing the report over the description it was made from (a link of one
// to the other) would destroy the description.
void refuse_overwriting_the_description(const std::string& target) {
  const std::string source = QC::get_report_source_file_name();
  const auto target_identity = file_identity(target);
  if (target_identity && target_identity == file_identity(source))
    throw Write_error(target + " is the same file as the description " + source +
                      "; the report is not written and the description is left as it is");
}

}  // namespace

Write_error::Write_error(const std::string& reason)
    : Sys_error("the report could not be written: " + reason) {}

Format::Printer& get_report_formatter() {
  if (!file_printer) return Format::std_formatter();
  return *file_printer;
}

void open_report_file(const std::string& name) {
  abandon_report_file();
  if (name != "-") refuse_overwriting_the_description(name);
  try {
    current_file = std::make_unique<Atomic_file::Writer>(name);
  } catch (const Sys_error& e) {
    throw Write_error(e.what());
  }
  file_printer = std::make_unique<Format::Printer>(current_file->stream());
}

void close_report_file() {
  get_report_formatter().print_flush();
  file_printer.reset();
  const std::unique_ptr<Atomic_file::Writer> file = std::move(current_file);
  if (!file) return;
  try {
    file->commit();
  } catch (const Sys_error& e) {
    throw Write_error(e.what());
  }
}

void abandon_report_file() noexcept {
  file_printer.reset();
  if (current_file) current_file->abandon();
  current_file.reset();
}

void write_report_text_file(const report& r) {
  open_report_file(r.target_file_name);
  try {
    Format::fprintf(get_report_formatter(), "%a@.", report_print, r);
  } catch (...) {
    abandon_report_file();
    throw;
  }
  close_report_file();
}

void write_report_files(const report& r) { write_report_text_file(r); }

void write_report_html_file(const report&) {}

void batiment_write_report(const Compute_data_types::batiment& b) { write_report_text_file(batiment_make_report(b)); }

}  // namespace Report
