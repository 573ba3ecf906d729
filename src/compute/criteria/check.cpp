#include "criteria/check.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

#include "config/say.hpp"
#include "text/format.hpp"

namespace Check {

namespace {

// Names of elements and levels are written as plain text, without quotes.
void print_nom(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }

// What the error stream shows after "Erroneous qvb file: ".
constexpr std::string_view failure_heading = "Erroneous qvb file: ";

std::string failure_text_as_printed(const logger& error_logger) {
  Format::Printer printer;
  Format::fprintf(printer, "%s%t@?", std::string(failure_heading), error_logger);
  return printer.contents().substr(failure_heading.size());
}

}  // namespace

session::session(run_context context)
    : context_(std::move(context)),
      checked_(Tqmv::make_critere_checked_table()),
      loggers_(Tqmv::make_critere_loggers_table()) {}

// ---------------------------------------------------------------------------
// The checking state.

std::string session::get_report_target_file_name() const {
  if (context_.report_target_file_name) return *context_.report_target_file_name;
  const std::string& source = context_.report_source_file_name;
  if (source == "-") return source;
  return Quavor_configuration::remove_extension(source) + Quavor_configuration::report_target_file_extension();
}

critere session::get_checking_critere() const {
  if (!checking_critere_)
    Quavor_configuration::fatal_error("Looking for a checking criterion when none has been entered");
  return *checking_critere_;
}

bool session::stop_checkings() const { return Tqmv::all_critere_is_checked(checked_); }

// ---------------------------------------------------------------------------
// Tests.

void session::critere_enter_checking(critere c) {
  set_checking_critere(c);
  incr_checking_number();
  Tqmv::set(test_numbers_, c, std::optional<int>(checking_number_));
}

void session::critere_done_checking(critere c) { Tqmv::critere_set_checked(c, checked_); }

void session::debug_checking(critere c, const std::string& what) const {
  if (!context_.debug) return;
  Say::debug_always(Format::sprintf("Check (%s): %s", Tqmv::critere_ident(c), what));
}

void session::fdebug(const std::function<void(Format::Printer&)>& f) const {
  if (context_.debug) Say::fdebug_always(f);
}

std::vector<logger> session::critere_paragraphs(critere c) const {
  const std::vector<logger>& recorded = Tqmv::get(loggers_, c);
  return {recorded.rbegin(), recorded.rend()};
}

void session::record_measure(Outcome::measure m) {
  Tqmv::get(measures_, get_checking_critere()).push_back(std::move(m));
}

// ---------------------------------------------------------------------------
// Success paragraphs.

bool session::critere_logger(critere c, logger message) {
  // Kept in the order recorded (a large house records thousands); the
  // report prints the newest first.
  Tqmv::get(loggers_, c).push_back(std::move(message));
  return true;
}

bool session::entity_logger(logger location, critere c, logger message) {
  return critere_logger(c, [location = std::move(location), message = std::move(message)](Format::Printer& ppf) {
    Format::fprintf(ppf, "%t, %t", location, message);
  });
}

recorder session::batiment_logger() {
  return [this](critere c, logger message) { return entity_logger(batiment_loc_logger, c, std::move(message)); };
}

recorder session::niveau_logger(const std::string& niveau_nom) {
  return [this, niveau_nom](critere c, logger message) {
    return entity_logger(niveau_loc_logger(niveau_nom), c, std::move(message));
  };
}

void batiment_loc_logger(Format::Printer& ppf) { Format::fprintf(ppf, "Pour ce bâtiment"); }

logger niveau_loc_logger(const std::string& niveau_nom) {
  return [niveau_nom](Format::Printer& ppf) {
    Format::fprintf(ppf, "Au %s (niveau %a)", niveau_nom_vernaculaire(niveau_nom), print_nom, niveau_nom);
  };
}

std::string loc_message(const std::optional<std::string>& niveau_nom) {
  if (!niveau_nom) return "Pour ce bâtiment";
  return Format::sprintf("Au %s (niveau %a)", niveau_nom_vernaculaire(*niveau_nom), print_nom, *niveau_nom);
}

namespace {

// The integer that "Nv%d" reads after the prefix: an optional sign, then
// decimal digits (underscores allowed after the first); what follows is not
// looked at. Absent when there is no such integer or it does not fit.
std::optional<std::int64_t> scan_nv_number(const std::string& name) {
  if (name.rfind("Nv", 0) != 0) return std::nullopt;
  std::size_t i = 2;
  bool negative = false;
  if (i < name.size() && (name[i] == '+' || name[i] == '-')) negative = name[i++] == '-';
  if (i >= name.size() || !std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
  std::int64_t n = 0;
  constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
  for (; i < name.size(); ++i) {
    const char ch = name[i];
    if (ch == '_') continue;
    if (!std::isdigit(static_cast<unsigned char>(ch))) break;
    if (n > limit) return std::nullopt;
    n = n * 10 + (ch - '0');
  }
  return negative ? -n : n;
}

}  // namespace

std::string niveau_nom_vernaculaire(const std::string& niveau_nom) {
  if (niveau_nom == "Nv0") return "rez-de-chaussée";
  if (niveau_nom == "Nv1") return "premier étage";
  if (niveau_nom == "Nv2") return "second étage";
  if (niveau_nom == "Nv3") return "troisième étage";
  if (niveau_nom == "Nv4") return "quatrième étage";
  if (const auto n = scan_nv_number(niveau_nom)) return Format::sprintf("niveau %d", *n);
  // A name of another form is named as written rather than failing the whole
  // computation as if the description were unreadable.
  return "niveau " + niveau_nom;
}

// ---------------------------------------------------------------------------
// Failures.

bool k_false(const Error_wrong_test&) { return false; }

bool k_raise(const Error_wrong_test& e) { throw e; }

bool session::checking_error(const logger& information, const continuation& k,
                             const std::optional<std::string>& niveau_nom, const std::string& message,
                             std::vector<std::string> elements) {
  const critere c = get_checking_critere();
  const std::string code = Tqmv::critere_nom(c);
  const std::string text = Tqmv::critere_text(c);
  const std::string famille = Tqmv::critere_classification(c);
  const int number = get_checking_number();
  const std::string location = loc_message(niveau_nom);
  const logger error_logger = [famille, code, location, message, c, number](Format::Printer& ppf) {
    Format::fprintf(ppf, "@[<v 0>%s: échec du test %s:@,@;<1 2>@[<hov 2>%s, %s@]@,@,%a@,@,(Test %d).@]", famille,
                    code, location, message, Tqmv::print_critere, c, number);
  };
  Format::Printer buffer;
  Format::fprintf(buffer, "@[<v 0>%t@,%t@,@]@?", error_logger, information);
  const Wrong_test_result result{niveau_nom, buffer.contents(), text};
  set_error_wrong_test_result(result);
  critere_error_logger_ = error_logger;
  const auto* raises = k.target<bool (*)(const Error_wrong_test&)>();
  const bool fatal = raises != nullptr && *raises == &k_raise;
  failure_ = Outcome::failure{c,
                              code,
                              famille,
                              number,
                              fatal,
                              Outcome::location{niveau_nom, niveau_nom ? niveau_nom_vernaculaire(*niveau_nom) : "",
                                                location},
                              std::move(elements),
                              message,
                              fatal ? result.message : failure_text_as_printed(error_logger),
                              result.message};
  return k(Error_wrong_test(result));
}

message_failure session::niveau_checking_error(const continuation& k, const std::string& niveau_nom) {
  return [this, k, niveau_nom](const std::string& message) {
    return checking_error(for_more_information_logger(), k, niveau_nom, message);
  };
}

message_failure session::niveau_error(const std::string& niveau_nom) { return niveau_checking_error(k_false, niveau_nom); }

bool session::niveau_error(const std::string& niveau_nom, const std::string& message,
                           std::vector<std::string> elements) {
  return checking_error(for_more_information_logger(), k_false, niveau_nom, message, std::move(elements));
}

message_failure session::fatal_niveau_error(const std::string& niveau_nom) {
  return niveau_checking_error(k_raise, niveau_nom);
}

bool session::fatal_niveau_error(const std::string& niveau_nom, const std::string& message) {
  return fatal_niveau_error(niveau_nom)(message);
}

bool session::batiment_error(const std::string& message, std::vector<std::string> elements) {
  return checking_error(for_more_information_logger(), k_false, std::nullopt, message, std::move(elements));
}

bool session::fatal_batiment_error(const std::string& message) {
  return checking_error(fatal_information_logger, k_raise, std::nullopt, message);
}

Wrong_test_result session::get_error_wrong_test_result() const {
  if (!error_wrong_test_result_)
    Quavor_configuration::fatal_error("Attempt to get error_wrong_test_result, when none has been set");
  return *error_wrong_test_result_;
}

void session::set_error_wrong_test_result(Wrong_test_result r) {
  if (error_wrong_test_result_) Quavor_configuration::fatal_error("Attempt to set twice error_wrong_test_result");
  error_wrong_test_result_ = std::move(r);
}

// ---------------------------------------------------------------------------
// Closing paragraphs.

logger for_more_information_logger(const std::string& report_target_file_name) {
  return [report_target_file_name](Format::Printer& ppf) {
    Format::fprintf(ppf,
                    "@,Pour plus d'information, consulter le détail des calculs dans le fichier:@,@[<v 2>@,%s@]",
                    report_target_file_name);
  };
}

void fatal_information_logger(Format::Printer&) {}

logger all_tests_successful_logger(const std::string& report_target_file_name) {
  return [more = for_more_information_logger(report_target_file_name)](Format::Printer& ppf) {
    Format::fprintf(
        ppf,
        "@[<v 0>Toutes les vérifications ont réussi.@,Le bâtiment est conforme aux recommandations du guide TQMV.@,%t@]",
        more);
  };
}

logger session::for_more_information_logger() const {
  return Check::for_more_information_logger(get_report_target_file_name());
}

logger session::all_tests_successful_logger() const {
  return Check::all_tests_successful_logger(get_report_target_file_name());
}

// ---------------------------------------------------------------------------
// The results as data.

namespace {

bool is_within(critere c, critere ancestor) {
  for (std::optional<critere> p = c; p; p = Tqmv::critere_principal(*p))
    if (*p == ancestor) return true;
  return false;
}

}  // namespace

Outcome::outcome session::outcome_frame(bool compliant) const {
  Outcome::outcome o;
  o.report_source_file_name = context_.report_source_file_name;
  o.report_target_file_name = get_report_target_file_name();
  o.compliant = compliant;
  o.tests_run = checking_number_;
  o.failed = failure_;
  o.error_logger = critere_error_logger_;
  o.criteres.resize(Tqmv::critere_count);
  for (int i = 0; i < Tqmv::critere_count; ++i) {
    Outcome::criterion_result& r = o.criteres[i];
    r.critere = Tqmv::critere_of_index(i);
    r.test_number = Tqmv::get(test_numbers_, r.critere);
    if (Tqmv::critere_get_checked(r.critere, checked_))
      r.state = Outcome::status::passed;
    else if (failure_ && r.test_number && is_within(failure_->critere, r.critere))
      r.state = failure_->fatal ? Outcome::status::fatal : Outcome::status::failed;
  }
  return o;
}

Outcome::outcome session::make_outcome(bool compliant) const {
  Outcome::outcome o = outcome_frame(compliant);
  for (Outcome::criterion_result& r : o.criteres) {
    r.paragraphs = critere_paragraphs(r.critere);
    r.measures = Tqmv::get(measures_, r.critere);
  }
  return o;
}

Outcome::outcome session::release_outcome(bool compliant) && {
  Outcome::outcome o = outcome_frame(compliant);
  for (Outcome::criterion_result& r : o.criteres) {
    r.paragraphs = std::move(Tqmv::get(loggers_, r.critere));
    std::reverse(r.paragraphs.begin(), r.paragraphs.end());
    r.measures = std::move(Tqmv::get(measures_, r.critere));
  }
  return o;
}

}  // namespace Check
