#include "report/report.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

void write_report_to_standard_output(const report& r) {
  Format::Printer& ppf = Format::std_formatter();
  Format::fprintf(ppf, "%a@.", report_print, r);
  ppf.print_flush();
  std::fflush(stdout);
}

// A report that did not reach the disk (a full disk, say) must not be
// announced as written.
void close_checked(std::FILE* stream, const std::string& name) {
  const bool write_failed = std::ferror(stream) != 0;
  const int write_errno = errno;
  const bool close_failed = std::fclose(stream) != 0;
  if (write_failed || close_failed)
    throw Path::Sys_error(name + ": " + std::strerror(write_failed ? write_errno : errno));
}

}  // namespace

void write_report_text_file(const report& r) {
  if (r.target_file_name == "-") {
    write_report_to_standard_output(r);
    return;
  }
  std::FILE* stream = Path::path_open_out(r.target_file_name);
  try {
    Format::Printer printer(stream);
    Format::fprintf(printer, "%a@.", report_print, r);
    printer.print_flush();
  } catch (...) {
    std::fclose(stream);
    throw;
  }
  close_checked(stream, r.target_file_name);
}

}  // namespace Report
