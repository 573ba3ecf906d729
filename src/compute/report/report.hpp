#pragma once
// The compliance report: a fixed frame (title, source file, one section per
// passed criterion, final diagnosis) around the paragraphs that the check
// recorded, rendered from its outcome.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "criteria/outcome.hpp"
#include "criteria/tqmv.hpp"
#include "text/exceptions.hpp"

namespace Report {

using Tqmv::critere;
using Tqmv::logger;

struct report {
  std::string target_file_name;  // "-" for the standard output
  logger title_logger;
  logger source_logger;
  // The outcome rendered; it outlives the report.
  std::reference_wrapper<const Outcome::outcome> outcome;
  std::optional<logger> error_logger;  // present when a test failed
  logger success_logger;
};

// Builds the report of a check's outcome: its file names, the paragraphs of
// every criterion that passed and the failure text of the failed test.
report batiment_make_report(const Outcome::outcome& o);

// Writes the whole report.
void report_print(Format::Printer& ppf, const report& r);

// The criterion heading: the family name for a criterion without parent, its
// title otherwise.
void print_critere_title(Format::Printer& ppf, critere c);
// The loggers of one criterion, in the order the outcome holds them (newest first).
void print_critere_loggers(Format::Printer& ppf, const std::vector<logger>& loggers);
// One section per passed criterion, in catalogue order, a line break between two.
void print_report_critere_loggers_table(Format::Printer& ppf, const report& r);

// A report that could not be written completely; the message names the file
// and the system's reason.
struct Write_error : Sys_error {
  explicit Write_error(const std::string& reason);
};

// Writes "%a@." with report_print to the report's target. "-" is the
// standard output; any other name ("~" taken in the home directory) gets a
// temporary file beside it that replaces it once complete (Atomic_file).
// Write_error when the target is the description itself (the same file
// through a link) or cannot be written completely; the older target is then
// left as it was.
void write_report_text_file(const report& r);

// Logger constructors for report paragraphs.
logger title_document_logger(const std::string& title);             // "%s@,@,"
logger section_title_logger(const std::string& title);              // "@,%s@,@,"
logger paragraph_logger(const logger& body);                        // "@[<b 0>%t@]@,"
logger section_logger(const logger& head, const std::string& title,
                      const logger& body);                          // "%t@[<v 2>@,%s@,%a@]@,"
logger sub_section_logger(const std::string& title, const logger& body);      // "@,@[<v 2>@,%s@,%a@]@,"
logger sub_sub_section_logger(const std::string& title, const logger& body);  // "@,@[<v 2>@,%s@,%a@]@,"
logger end_logger(const std::string& format);                       // the format, laid out
logger paragraph_body_logger(const std::string& text);              // "%s"
// "Diagnostique final de l'analyse de conformité du bâtiment:"
void conclusion_logger(Format::Printer& ppf);

}  // namespace Report
