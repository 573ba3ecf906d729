#pragma once
// The compliance report: a fixed frame (title, source file, one section per
// checked criterion, final diagnosis) around the paragraphs that the checking
// framework recorded while the tests ran.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "criteria/tqmv.hpp"
#include "text/exceptions.hpp"

namespace Report {

using Tqmv::critere;
using Tqmv::logger;

struct report {
  std::string target_file_name;  // "-" for the standard output
  logger title_logger;
  logger source_logger;
  std::shared_ptr<Tqmv::critere_loggers_table> loggers_table;
  std::shared_ptr<Tqmv::critere_checked_table> checked_table;
  std::optional<logger> error_logger;  // present when a test failed
  logger success_logger;
};

// Builds the report from the checking state of the run configuration (the
// model itself is not read). Fatal errors when a table is missing, the checked
// table tested first.
report batiment_make_report(const Compute_data_types::batiment& b);

// Writes the whole report.
void report_print(Format::Printer& ppf, const report& r);

// The criterion heading: the family name for a criterion without parent, its
// title otherwise.
void print_critere_title(Format::Printer& ppf, critere c);
// The loggers of one criterion, in the order the table holds them (newest first).
void print_critere_loggers(Format::Printer& ppf, const std::vector<logger>& loggers);
// One section per checked criterion, in catalogue order, a line break between two.
void print_report_critere_loggers_table(Format::Printer& ppf, const report& r);

// A report that could not be written completely; the message names the file
// and the system's reason.
struct Write_error : Sys_error {
  explicit Write_error(const std::string& reason);
};

// The report output: "-" selects the standard output; any other name ("~"
// taken in the home directory) gets a temporary file beside it that replaces
// it at close (Atomic_file). Write_error when the target is the description
// itself (the same file through a link) or cannot be written.
void open_report_file(const std::string& name);
// Flushes the current printer, closes the current stream unless it is the
// standard output, and restores the defaults; the report replaces the target
// only then. Write_error when a write, the close or the rename failed (the
// older target is left as it was).
void close_report_file();
// Gives up the report being written: the target is left as it was.
void abandon_report_file() noexcept;
Format::Printer& get_report_formatter();

// Open the report's target, write "%a@." with report_print, close.
void write_report_text_file(const report& r);
void write_report_files(const report& r);
// No HTML report is defined: does nothing.
void write_report_html_file(const report& r);
// batiment_make_report, then the text file.
void batiment_write_report(const Compute_data_types::batiment& b);

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
