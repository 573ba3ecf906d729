#include "report/report.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <utility>

#include "config/atomic_file.hpp"
#include "config/path.hpp"
#include "text/format.hpp"

namespace Report {

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

report batiment_make_report(const Outcome::outcome& o) {
  const std::string source = o.report_source_file_name;
  return report{
      o.report_target_file_name,
      title_document_logger("Rapport de conformité du bâtiment"),
      [source](Format::Printer& ppf) {
        Format::fprintf(ppf, "@[<b 0>%t@]@,", [&source](Format::Printer& p) { Format::fprintf(p, "%s", source); });
      },
      std::cref(o),
      o.error_logger,
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
  Format::fprintf(ppf, "%s", Tqmv::critere_classification(c));
}

void print_critere_loggers(Format::Printer& ppf, const std::vector<logger>& loggers) {
  if (loggers.empty()) return;
  Format::fprintf(ppf, "@;<0 2>@[<v 0>%t%a@]", loggers.front(), print_following_loggers, loggers);
}

// Each section starts a line of its own: without the cut between two
// sections, a heading would follow the last paragraph of the section before
// it on the same line, and every later section would drift to the right.
void print_report_critere_loggers_table(Format::Printer& ppf, const report& r) {
  bool first = true;
  for (const Outcome::criterion_result& result : r.outcome.get().criteres) {
    if (result.state != Outcome::status::passed) continue;
    if (!first) Format::fprintf(ppf, "@,");
    first = false;
    Format::fprintf(ppf, "@[<v 0>%a@,%a@]", print_critere_title, result.critere, print_critere_loggers,
                    result.paragraphs);
  }
}

void report_print(Format::Printer& ppf, const report& r) {
  const logger& conclusion = r.error_logger ? *r.error_logger : r.success_logger;
  Format::fprintf(ppf, "@[<v 0>%t@[<v 2>%t@]@,%a@,@,%t@,@,%t@,@]", r.title_logger, r.source_logger,
                  print_report_critere_loggers_table, r, conclusion_logger, conclusion);
}

// ---------------------------------------------------------------------------
// The report output.

namespace {

// The identity of an existing file ("-" is the standard input), if any.
std::optional<std::pair<dev_t, ino_t>> file_identity(const std::string& name) {
  struct stat st;
  const int status = name == "-" ? ::fstat(STDIN_FILENO, &st) : ::stat(Path::tilde_subst(name).c_str(), &st);
  if (status != 0) return std::nullopt;
  return std::make_pair(st.st_dev, st.st_ino);
}

// Writing the report over the description it was made from (a link of one
// to the other) would destroy the description.
void refuse_overwriting_the_description(const std::string& target, const std::string& source) {
  const auto target_identity = file_identity(target);
  if (target_identity && target_identity == file_identity(source))
    throw Write_error(target + " is the same file as the description " + source +
                      "; the report is not written and the description is left as it is");
}

}  // namespace

Write_error::Write_error(const std::string& reason) : Sys_error("the report could not be written: " + reason) {}

void write_report_text_file(const report& r) {
  const std::string& target = r.target_file_name;
  if (target != "-") refuse_overwriting_the_description(target, r.outcome.get().report_source_file_name);
  std::optional<Atomic_file::Writer> file;
  try {
    file.emplace(target);
  } catch (const Sys_error& e) {
    throw Write_error(e.what());
  }
  {
    Format::Printer printer(file->stream());
    Format::fprintf(printer, "%a@.", report_print, r);
    printer.print_flush();
  }
  try {
    file->commit();
  } catch (const Sys_error& e) {
    throw Write_error(e.what());
  }
}

}  // namespace Report
