#pragma once
// The checking framework: runs criteria as numbered tests, records which
// criteria passed and the report paragraphs (loggers) of each passing test,
// and turns the first failing test into a failure text.
//
// A check is a function returning true after recording a success paragraph
// (critere_logger, batiment_logger()(...), niveau_logger(n)(...)) and false
// after recording the failure (batiment_error, niveau_error, ...). make wraps
// it into a test of one criterion, marking the criterion only when it passes.
#include <concepts>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "criteria/tqmv.hpp"
#include "text/exceptions.hpp"

namespace Check {

using Tqmv::critere;
using Tqmv::logger;

// ---------------------------------------------------------------------------
// Start and end of a checking.

// Resets the whole state, creates fresh tables and registers the building.
void batiment_start_checkings(const Compute_data_types::batiment& b);
// Creates and stores fresh tables and registers the building, without resets.
void batiment_set_checkings(const Compute_data_types::batiment& b);
// Registers the building being checked; a second one is a fatal error.
void batiment_set_checking(const Compute_data_types::batiment& b);
// Forgets the building being checked.
void reset_checking_batiment();
// The building being checked, if any (held by address: it outlives its checking).
const Compute_data_types::batiment* get_checking_batiment();

// The stored tables (fatal errors when absent).
Tqmv::critere_checked_table& critere_checked_table();
Tqmv::critere_loggers_table& critere_loggers_table();

// True when all criteria were marked, else the fatal error naming the first
// criterion never checked.
bool stop_checkings();

// ---------------------------------------------------------------------------
// Tests.

// Sets the current criterion and counts one more test.
void critere_enter_checking(critere c);
// Marks the criterion checked.
void critere_done_checking(critere c);

// Enters the criterion, calls test(c, argument), marks the criterion when the
// test passed; returns the test's result.
template <class Test, class Argument>
bool make(critere c, Test&& test, Argument&& argument) {
  critere_enter_checking(c);
  const bool result = std::invoke(test, c, std::forward<Argument>(argument));
  if (result) critere_done_checking(c);
  return result;
}

template <class Test, class Argument>
bool critere_make(critere c, Test&& test, Argument&& argument) {
  return make(c, std::forward<Test>(test), std::forward<Argument>(argument));
}

// The same for a section or a criterion that runs several sub-tests: the test
// is called with the argument alone.
template <class Test, class Argument>
bool make_checkings(critere c, Test&& test, Argument&& argument) {
  critere_enter_checking(c);
  const bool result = std::invoke(test, std::forward<Argument>(argument));
  if (result) critere_done_checking(c);
  return result;
}

// Writes the debugging line "Check (<CR_...>): <what>" when debugging is on.
void debug_checking(critere c, const std::string& what);

// ---------------------------------------------------------------------------
// Success paragraphs; each returns true, so that a check can end with it.

// Puts the logger in front of the criterion's loggers.
bool critere_logger(critere c, logger message);
// Puts in front of the criterion's loggers a logger writing "%t, %t" with the
// location and then the message.
bool entity_logger(logger location, critere c, logger message);

// Records a paragraph of a criterion: (criterion, message logger) -> true.
using recorder = std::function<bool(critere, logger)>;

// Writes "Pour ce bâtiment".
void batiment_loc_logger(Format::Printer& ppf);
// Writes "Au %s (niveau %a)": the vernacular name and the level name.
logger niveau_loc_logger(const std::string& niveau_nom);

// Records with the location "Pour ce bâtiment".
recorder batiment_logger();
// Records with the location of the level.
recorder niveau_logger(const std::string& niveau_nom);
template <class Niveau>
  requires requires(const Niveau& n) { n.niveau_nom; }
recorder niveau_logger(const Niveau& n) {
  return niveau_logger(std::string(n.niveau_nom));
}

// "Pour ce bâtiment" without a level, else "Au %s (niveau %a)".
std::string loc_message(const std::optional<std::string>& niveau_nom);

// "rez-de-chaussée" for Nv0 ... "quatrième étage" for Nv4, "niveau <n>" for
// Nv<n>, and "niveau <name>" for any other name.
std::string niveau_nom_vernaculaire(const std::string& niveau_nom);

// ---------------------------------------------------------------------------
// Failures. A message is a text already laid out (Format::asprintf); the
// failure paragraph inserts it with "%s".

// What a failure does once recorded: return false, or raise.
using continuation = std::function<bool(const Error_wrong_test&)>;
bool k_false(const Error_wrong_test& e);
bool k_raise(const Error_wrong_test& e);

// Records a failure of the current criterion and ends with the continuation.
bool checking_error(const logger& information, const continuation& k,
                    const std::optional<std::string>& niveau_nom, const std::string& message);

using message_failure = std::function<bool(const std::string& message)>;

message_failure niveau_checking_error(const continuation& k, const std::string& niveau_nom);

// Records a failure located at the level; returns false.
message_failure niveau_error(const std::string& niveau_nom);
bool niveau_error(const std::string& niveau_nom, const std::string& message);
template <class Niveau>
  requires requires(const Niveau& n) { n.niveau_nom; }
message_failure niveau_error(const Niveau& n) {
  return niveau_error(std::string(n.niveau_nom));
}
template <class Niveau>
  requires requires(const Niveau& n) { n.niveau_nom; }
bool niveau_error(const Niveau& n, const std::string& message) {
  return niveau_error(std::string(n.niveau_nom), message);
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
bool batiment_error(const std::string& message);
// Records a failure about the whole building, without the closing paragraph,
// and raises Error_wrong_test.
bool fatal_batiment_error(const std::string& message);

// The failure record of the failed test.
Wrong_test_result get_error_wrong_test_result();
std::optional<Wrong_test_result> get_error_wrong_test_result_opt();
void set_error_wrong_test_result(Wrong_test_result r);
void reset_error_wrong_test_result();

// ---------------------------------------------------------------------------
// Closing paragraphs.

// "@,Pour plus d'information, consulter le détail des calculs dans le fichier:@,@[<v 2>@,%s@]"
void for_more_information_logger(Format::Printer& ppf);
// Writes nothing.
void fatal_information_logger(Format::Printer& ppf);
// The success text of a whole checking.
void all_tests_successful_logger(Format::Printer& ppf);

}  // namespace Check
