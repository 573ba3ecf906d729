#pragma once
// The results of one check as data: what every criterion of the catalogue
// became (status, test number, paragraphs, measures) and the failure of the
// first failed test. A check session builds it; the French report, the JSON
// results and the HTML page are renderings of it.
#include <optional>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "criteria/tqmv.hpp"

namespace Outcome {

// What became of a criterion: it passed, its test failed, its test failed
// fatally (the checking could not go on), or it was never reached because an
// earlier test failed.
enum class status { passed, failed, fatal, not_reached };

// "passed", "failed", "fatal", "not-reached".
std::string status_name(status s);

// How a quantity is compared with its limit: value ≤ limit, value ≥ limit,
// value = limit, or limit ≤ value ≤ upper_limit.
enum class comparison { at_most, at_least, equal, range };

// "<=", ">=", "=", "range".
std::string comparison_name(comparison c);

// The tolerance of the comparison: none (exact), 0.001 (the `~` operators) or
// 0.01 (the `~~` operators).
enum class tolerance { none, fine, coarse };

// 0, 0.001 or 0.01.
double tolerance_value(tolerance t);

// One comparison of a quantity with a limit, as a check made it.
struct measure {
  // Quantity and unit are string literals of the checks: a check records
  // thousands of measures on a large house, and none of them allocates.
  std::string_view quantity;  // French, as the report names it: "hauteur du niveau"
  double value = 0.0;
  double limit = 0.0;  // the lower limit of a range
  std::optional<double> upper_limit;  // ranges only
  comparison compare = comparison::at_most;
  tolerance tol = tolerance::none;
  std::string_view unit;  // "m", "m2", "kg/m2", "%", "" for plain numbers and counts
  std::optional<std::string> niveau;   // the level's name
  std::optional<std::string> element;  // the element's name (wall, opening, ...)
  bool passed = true;  // the check's own verdict on this comparison
  bool operator==(const measure&) const = default;
};

// How much of the limit is used: value / limit for an upper limit,
// limit / value for a lower limit, so that 1.0 is at the limit and above 1.0
// fails (up to the tolerance). An equality uses 1 + |value - limit| / |limit|;
// a range the nearer bound. Absent when the ratio is undefined (a zero
// divisor, a non-finite value).
std::optional<double> utilization(const measure& m);

// Where a failure is: the whole building, or a level.
struct location {
  std::optional<std::string> niveau_nom;   // absent: the building
  std::string niveau_nom_vernaculaire;     // "rez-de-chaussée"...; empty for the building
  std::string text;                        // "Pour ce bâtiment" or "Au rez-de-chaussée (niveau Nv0)"
  bool operator==(const location&) const = default;
};

struct failure {
  Tqmv::critere critere{};
  std::string code;     // "CR-1-7"
  std::string famille;  // "Géométrie du bâtiment"
  int test_number = 0;
  bool fatal = false;   // the test stopped the checking outright
  location where;
  std::vector<std::string> elements;  // the elements the failure names
  std::string message;  // the failure's own sentence, laid out as in the report
  std::string text;     // the whole failure text as the file flow prints it on the error stream
  std::string record;   // the failure text with its closing paragraph, as the input program receives it
  bool operator==(const failure&) const = default;
};

// The catalogue tells a criterion's code, family, title and reference (see
// below): a result names its criterion and carries what the check made of it.
struct criterion_result {
  Tqmv::critere critere{};
  status state = status::not_reached;
  std::optional<int> test_number;    // the test that entered the criterion, if any
  std::vector<Tqmv::logger> paragraphs;  // newest first, as the report takes them
  std::vector<measure> measures;          // in the order the check made them
};

// "CR-1-7"
std::string code(const criterion_result& r);
// "Géométrie du bâtiment"
std::string famille(const criterion_result& r);
// With its guide reference, as the report prints it.
std::string title(const criterion_result& r);
// The guide reference alone ("guide 2.1.4, p.73, point (2)"), or empty.
std::string reference(const criterion_result& r);

// The paragraphs of a criterion as the report prints them (its lines inside
// the criterion's section, without the section's indentation), newest first.
std::vector<std::string> paragraph_texts(const criterion_result& r);
// The same without a right margin (for programs): only the breaks that the
// report always makes remain.
std::vector<std::string> paragraph_plain_texts(const criterion_result& r);

struct outcome {
  std::string report_source_file_name;
  std::string report_target_file_name;
  bool compliant = false;
  int tests_run = 0;
  std::optional<failure> failed;
  std::vector<criterion_result> criteres;  // all 51, in catalogue order
  std::optional<Tqmv::logger> error_logger;  // the failure text for the report's conclusion
};

const criterion_result& result_of(const outcome& o, Tqmv::critere c);

// The criteria that passed, sections included.
int passed_count(const outcome& o);

}  // namespace Outcome
