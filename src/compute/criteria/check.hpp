#pragma once
// The checking framework: a check session runs criteria as numbered tests,
// records which criteria passed, the report paragraphs (loggers) and the
// measures of each test, and turns the first failing test into a failure.
//
// A session is a value: every check receives the session it records into, so
// two checks may run at once on two threads. A check is a function of the
// session returning true after recording a success paragraph
// (s.critere_logger, s.batiment_logger()(...), s.niveau_logger(n)(...)) and
// false after recording the failure (s.batiment_error, s.niveau_error, ...).
// make wraps it into a test of one criterion, marking the criterion only when
// it passes.
#include <concepts>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/quavor_configuration.hpp"
#include "criteria/nom_registry.hpp"
#include "criteria/outcome.hpp"
#include "criteria/tqmv.hpp"
#include "text/exceptions.hpp"

namespace Check {

using Tqmv::critere;
using Tqmv::logger;

// What the flow tells a check about its run: the files it reads and writes,
// what the command line asked for, and whether debugging lines are wanted.
using Quavor_configuration::run_mode;

struct run_context {
  std::string report_source_file_name;
  // Absent until known: a check of the file name fills it in from the
  // description's recorded address.
  std::optional<std::string> report_target_file_name;
  std::optional<run_mode> compute_run_mode;
  bool debug = false;
};

// Records a paragraph of a criterion: (criterion, message logger) -> true.
using recorder = std::function<bool(critere, logger)>;
using message_failure = std::function<bool(const std::string& message)>;
// What a failure does once recorded: return false, or raise.
using continuation = std::function<bool(const Error_wrong_test&)>;
bool k_false(const Error_wrong_test& e);
bool k_raise(const Error_wrong_test& e);

class session {
 public:
  explicit session(run_context context);
  // A check records into one session: a copy would split its results.
  session(const session&) = delete;
  session& operator=(const session&) = delete;

  const run_context& context() const { return context_; }
  // The report's target: as set, else the source's name with the report's
  // extension ("-" stays "-").
  std::string get_report_target_file_name() const;
  std::optional<std::string> get_report_target_file_name_opt() const { return context_.report_target_file_name; }
  void set_report_target_file_name(const std::string& name) { context_.report_target_file_name = name; }
  const std::string& get_report_source_file_name() const { return context_.report_source_file_name; }
  std::optional<run_mode> get_compute_run_mode_opt() const { return context_.compute_run_mode; }
  bool get_debug() const { return context_.debug; }
  void set_report_source_file_name(const std::string& name) { context_.report_source_file_name = name; }
  void set_compute_run_mode(run_mode mode) { context_.compute_run_mode = mode; }
  void set_debug(bool on) { context_.debug = on; }

  // -------------------------------------------------------------------------
  // The checking state.
  int get_checking_number() const { return checking_number_; }
  void incr_checking_number() { ++checking_number_; }
  // Fatal error when no criterion has been entered.
  critere get_checking_critere() const;
  void set_checking_critere(critere c) { checking_critere_ = c; }

  Tqmv::critere_checked_table& get_critere_checked_table() { return checked_; }
  const Tqmv::critere_checked_table& get_critere_checked_table() const { return checked_; }
  // Each criterion's paragraphs in the order they were recorded.
  const Tqmv::critere_loggers_table& get_critere_loggers_table() const { return loggers_; }
  // A criterion's paragraphs as the report prints them: the newest first.
  std::vector<logger> critere_paragraphs(critere c) const;
  std::optional<logger> get_critere_error_logger_opt() const { return critere_error_logger_; }
  // The name tables of the consistency family.
  Nom_registry::registry& nom_tables() { return noms_; }

  // True when all criteria were marked, else the fatal error naming the first
  // criterion never checked.
  bool stop_checkings() const;

  // -------------------------------------------------------------------------
  // Tests.

  // Sets the current criterion and counts one more test.
  void critere_enter_checking(critere c);
  // Marks the criterion checked.
  void critere_done_checking(critere c);

  // Enters the criterion, calls test(session, c, argument), marks the
  // criterion when the test passed; returns the test's result.
  template <class Test, class Argument>
  bool make(critere c, Test&& test, Argument&& argument) {
    critere_enter_checking(c);
    const bool result = std::invoke(test, *this, c, std::forward<Argument>(argument));
    if (result) critere_done_checking(c);
    return result;
  }

  // The same for a section or a criterion that runs several sub-tests: the
  // test is called with the session and the argument.
  template <class Test, class Argument>
  bool make_checkings(critere c, Test&& test, Argument&& argument) {
    critere_enter_checking(c);
    const bool result = std::invoke(test, *this, std::forward<Argument>(argument));
    if (result) critere_done_checking(c);
    return result;
  }

  // Writes the debugging line "Check (<CR_...>): <what>" when debugging is on.
  void debug_checking(critere c, const std::string& what) const;
  // Calls f with the debugging printer when debugging is on.
  void fdebug(const std::function<void(Format::Printer&)>& f) const;

  // -------------------------------------------------------------------------
  // Measures: each comparison of a quantity with a limit that a test makes,
  // recorded under the current criterion, passing or not.
  void record_measure(Outcome::measure m);

  // -------------------------------------------------------------------------
  // Success paragraphs; each returns true, so that a check can end with it.

  // Puts the logger in front of the criterion's loggers.
  bool critere_logger(critere c, logger message);
  // Puts in front of the criterion's loggers a logger writing "%t, %t" with
  // the location and then the message.
  bool entity_logger(logger location, critere c, logger message);
  // Records with the location "Pour ce bâtiment".
  recorder batiment_logger();
  // Records with the location of the level.
  recorder niveau_logger(const std::string& niveau_nom);
  template <class Niveau>
    requires requires(const Niveau& n) { n.niveau_nom; }
  recorder niveau_logger(const Niveau& n) {
    return niveau_logger(std::string(n.niveau_nom));
  }

  // -------------------------------------------------------------------------
  // Failures. A message is a text already laid out (Format::asprintf); the
  // failure paragraph inserts it with "%s". The elements are the names of the
  // elements the failure is about (for the results as data).

  // Records a failure of the current criterion and ends with the continuation.
  bool checking_error(const logger& information, const continuation& k,
                      const std::optional<std::string>& niveau_nom, const std::string& message,
                      std::vector<std::string> elements = {});

  message_failure niveau_checking_error(const continuation& k, const std::string& niveau_nom);

  // Records a failure located at the level; returns false.
  message_failure niveau_error(const std::string& niveau_nom);
  bool niveau_error(const std::string& niveau_nom, const std::string& message,
                    std::vector<std::string> elements = {});
  template <class Niveau>
    requires requires(const Niveau& n) { n.niveau_nom; }
  message_failure niveau_error(const Niveau& n) {
    return niveau_error(std::string(n.niveau_nom));
  }
  template <class Niveau>
    requires requires(const Niveau& n) { n.niveau_nom; }
  bool niveau_error(const Niveau& n, const std::string& message, std::vector<std::string> elements = {}) {
    return niveau_error(std::string(n.niveau_nom), message, std::move(elements));
  }

  // Records a failure located at the level and raises Error_wrong_test.
  message_failure fatal_niveau_error(const std::string& niveau_nom);
  bool fatal_niveau_error(const std::string& niveau_nom, const std::string& message);
  template <class Niveau>
    requires requires(const Niveau& n) { n.niveau_nom; }
  message_failure fatal_niveau_error(const Niveau& n) {
    return fatal_niveau_error(std::string(n.niveau_nom));
  }
  template <class Niveau>
    requires requires(const Niveau& n) { n.niveau_nom; }
  bool fatal_niveau_error(const Niveau& n, const std::string& message) {
    return fatal_niveau_error(std::string(n.niveau_nom), message);
  }

  // Records a failure about the whole building; returns false.
  bool batiment_error(const std::string& message, std::vector<std::string> elements = {});
  // Records a failure about the whole building, without the closing
  // paragraph, and raises Error_wrong_test.
  bool fatal_batiment_error(const std::string& message);

  // The failure record of the failed test.
  Wrong_test_result get_error_wrong_test_result() const;
  std::optional<Wrong_test_result> get_error_wrong_test_result_opt() const { return error_wrong_test_result_; }
  // The failure as data, once a test failed.
  const std::optional<Outcome::failure>& get_failure() const { return failure_; }

  // -------------------------------------------------------------------------
  // Closing paragraphs.

  // "@,Pour plus d'information, consulter le détail des calculs dans le fichier:@,@[<v 2>@,%s@]"
  logger for_more_information_logger() const;
  // The success text of a whole checking.
  logger all_tests_successful_logger() const;

  // -------------------------------------------------------------------------
  // The results as data; `compliant` is the verdict of the whole checking.
  Outcome::outcome make_outcome(bool compliant) const;
  // The same, taking the paragraphs and measures out of the session.
  Outcome::outcome release_outcome(bool compliant) &&;

 private:
  void set_error_wrong_test_result(Wrong_test_result r);
  // The outcome without the paragraphs and measures.
  Outcome::outcome outcome_frame(bool compliant) const;

  run_context context_;
  int checking_number_ = 0;
  std::optional<critere> checking_critere_;
  Tqmv::critere_checked_table checked_;
  Tqmv::critere_loggers_table loggers_;
  Tqmv::critere_table<std::vector<Outcome::measure>> measures_;
  Tqmv::critere_table<std::optional<int>> test_numbers_;
  std::optional<logger> critere_error_logger_;
  std::optional<Wrong_test_result> error_wrong_test_result_;
  std::optional<Outcome::failure> failure_;
  Nom_registry::registry noms_;
};

// ---------------------------------------------------------------------------
// Families: a family is a table of its steps, run in order by run_family.

// One step: a criterion entered through make (a test of the criterion) or
// through make_checkings (a test running sub-tests), with the text of its
// debugging line (none when null).
template <class Argument>
struct etape {
  critere c;
  const char* debug;
  bool (*test)(session&, critere, const Argument&);
  bool (*checkings)(session&, const Argument&);
};

// Runs the steps in order and stops at the first that fails.
template <class Argument, std::size_t N>
bool run_family(session& s, const etape<Argument> (&etapes)[N], const Argument& argument) {
  for (const etape<Argument>& e : etapes) {
    if (e.debug != nullptr) s.debug_checking(e.c, e.debug);
    const bool passed = e.test != nullptr ? s.make(e.c, e.test, argument) : s.make_checkings(e.c, e.checkings, argument);
    if (!passed) return false;
  }
  return true;
}

// Writes "Pour ce bâtiment".
void batiment_loc_logger(Format::Printer& ppf);
// Writes "Au %s (niveau %a)": the vernacular name and the level name.
logger niveau_loc_logger(const std::string& niveau_nom);

// "Pour ce bâtiment" without a level, else "Au %s (niveau %a)".
std::string loc_message(const std::optional<std::string>& niveau_nom);

// "rez-de-chaussée" for Nv0 ... "quatrième étage" for Nv4, "niveau <n>" for
// Nv<n>, and "niveau <name>" for any other name.
std::string niveau_nom_vernaculaire(const std::string& niveau_nom);

// Writes nothing.
void fatal_information_logger(Format::Printer& ppf);
// "@,Pour plus d'information, consulter le détail des calculs dans le fichier:@,@[<v 2>@,%s@]"
logger for_more_information_logger(const std::string& report_target_file_name);
// The success text of a whole checking whose report goes to that file.
logger all_tests_successful_logger(const std::string& report_target_file_name);

}  // namespace Check
