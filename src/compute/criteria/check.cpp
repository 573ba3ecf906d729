#include "criteria/check.hpp"

#include <cctype>
#include <cstdint>
#include <limits>
#include <memory>

#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "text/format.hpp"

namespace Check {

namespace QC = Quavor_configuration;

namespace {

// The two slots of one checking that the run configuration does not hold.
std::optional<Wrong_test_result> error_wrong_test_result;
const Compute_data_types::batiment* checking_batiment = nullptr;

// Names of elements and levels are written as plain text, without quotes.
void print_nom(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }

void store_fresh_tables() {
  QC::set_critere_loggers_table(std::make_shared<Tqmv::critere_loggers_table>(Tqmv::make_critere_loggers_table()));
  QC::set_critere_checked_table(std::make_shared<Tqmv::critere_checked_table>(Tqmv::make_critere_checked_table()));
}

}  // namespace

// ---------------------------------------------------------------------------
// Start and end of a checking.

void batiment_start_checkings(const Compute_data_types::batiment& b) {
  QC::reset_checking_number();
  QC::reset_checking_critere();
  QC::reset_critere_checked_table();
  QC::reset_critere_loggers_table();
  QC::reset_critere_error_logger();
  reset_error_wrong_test_result();
  reset_checking_batiment();
  store_fresh_tables();
  batiment_set_checking(b);
}

void batiment_set_checkings(const Compute_data_types::batiment& b) {
  store_fresh_tables();
  batiment_set_checking(b);
}

void batiment_set_checking(const Compute_data_types::batiment& b) {
  if (checking_batiment != nullptr)
    QC::fatal_error("batiment_set_checking: attempt to set twice the currently being checked batiment");
  checking_batiment = &b;
}

void reset_checking_batiment() { checking_batiment = nullptr; }

const Compute_data_types::batiment* get_checking_batiment() { return checking_batiment; }

Tqmv::critere_checked_table& critere_checked_table() {
  auto table = QC::get_critere_checked_table();
  if (!table) QC::fatal_error("Looking for set of checked criterions when none has been entered");
  return *table;
}

Tqmv::critere_loggers_table& critere_loggers_table() {
  auto table = QC::get_critere_loggers_table();
  if (!table) QC::fatal_error("The (criterion, report messages) association hash table has not yet been created");
  return *table;
}

bool stop_checkings() { return Tqmv::all_critere_is_checked(critere_checked_table()); }

// ---------------------------------------------------------------------------
// Tests.

void critere_enter_checking(critere c) {
  QC::set_checking_critere(c);
  QC::incr_checking_number();
}

void critere_done_checking(critere c) { Tqmv::critere_set_checked(c, critere_checked_table()); }

void debug_checking(critere c, const std::string& what) {
  if (!QC::get_debug()) return;
  Say::debug(Format::sprintf("Check (%s): %s", Tqmv::critere_ident(c), what));
}

// ---------------------------------------------------------------------------
// Success paragraphs.

bool critere_logger(critere c, logger message) {
  std::vector<logger>& loggers = Tqmv::get(critere_loggers_table(), c);
  loggers.insert(loggers.begin(), std::move(message));
  return true;
}

bool entity_logger(logger location, critere c, logger message) {
  return critere_logger(c, [location = std::move(location), message = std::move(message)](Format::Printer& ppf) {
    Format::fprintf(ppf, "%t, %t", location, message);
  });
}

void batiment_loc_logger(Format::Printer& ppf) { Format::fprintf(ppf, "Pour ce bâtiment"); }

logger niveau_loc_logger(const std::string& niveau_nom) {
  return [niveau_nom](Format::Printer& ppf) {
    Format::fprintf(ppf, "Au %s (niveau %a)", niveau_nom_vernaculaire(niveau_nom), print_nom, niveau_nom);
  };
}

recorder batiment_logger() {
  return [](critere c, logger message) { return entity_logger(batiment_loc_logger, c, std::move(message)); };
}

recorder niveau_logger(const std::string& niveau_nom) {
  return [niveau_nom](critere c, logger message) {
    return entity_logger(niveau_loc_logger(niveau_nom), c, std::move(message));
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

bool checking_error(const logger& information, const continuation& k,
                    const std::optional<std::string>& niveau_nom, const std::string& message) {
  const critere c = QC::get_checking_critere();
  const std::string code = Tqmv::critere_nom(c);
  const std::string text = Tqmv::critere_text(c);
  const std::string famille = Tqmv::critere_classification(c);
  const int number = QC::get_checking_number();
  const std::string location = loc_message(niveau_nom);
  const logger error_logger = [famille, code, location, message, c, number](Format::Printer& ppf) {
    Format::fprintf(ppf, "@[<v 0>%s: échec du test %s:@,@;<1 2>@[<hov 2>%s, %s@]@,@,%a@,@,(Test %d).@]", famille,
                    code, location, message, Tqmv::print_critere, c, number);
  };
  Format::Printer buffer;
  Format::fprintf(buffer, "@[<v 0>%t@,%t@,@]@?", error_logger, information);
  const Wrong_test_result result{niveau_nom, buffer.contents(), text};
  set_error_wrong_test_result(result);
  QC::set_critere_error_logger(error_logger);
  return k(Error_wrong_test(result));
}

message_failure niveau_checking_error(const continuation& k, const std::string& niveau_nom) {
  return [k, niveau_nom](const std::string& message) {
    return checking_error(for_more_information_logger, k, niveau_nom, message);
  };
}

message_failure niveau_error(const std::string& niveau_nom) { return niveau_checking_error(k_false, niveau_nom); }

bool niveau_error(const std::string& niveau_nom, const std::string& message) {
  return niveau_error(niveau_nom)(message);
}

message_failure fatal_niveau_error(const std::string& niveau_nom) {
  return niveau_checking_error(k_raise, niveau_nom);
}

bool fatal_niveau_error(const std::string& niveau_nom, const std::string& message) {
  return fatal_niveau_error(niveau_nom)(message);
}

bool batiment_error(const std::string& message) {
  return checking_error(for_more_information_logger, k_false, std::nullopt, message);
}

bool fatal_batiment_error(const std::string& message) {
  return checking_error(fatal_information_logger, k_raise, std::nullopt, message);
}

Wrong_test_result get_error_wrong_test_result() {
  if (!error_wrong_test_result) QC::fatal_error("Attempt to get error_wrong_test_result, when none has been set");
  return *error_wrong_test_result;
}

std::optional<Wrong_test_result> get_error_wrong_test_result_opt() { return error_wrong_test_result; }

void set_error_wrong_test_result(Wrong_test_result r) {
  if (error_wrong_test_result) QC::fatal_error("Attempt to set twice error_wrong_test_result");
  error_wrong_test_result = std::move(r);
}

void reset_error_wrong_test_result() { error_wrong_test_result.reset(); }

// ---------------------------------------------------------------------------
// Closing paragraphs.

void for_more_information_logger(Format::Printer& ppf) {
  Format::fprintf(ppf,
                  "@,Pour plus d'information, consulter le détail des calculs dans le fichier:@,@[<v 2>@,%s@]",
                  QC::get_report_target_file_name());
}

void fatal_information_logger(Format::Printer&) {}

void all_tests_successful_logger(Format::Printer& ppf) {
  Format::fprintf(ppf,
                  "@[<v 0>Toutes les vérifications ont réussi.@,Le bâtiment est conforme aux recommandations du guide TQMV.@,%t@]",
                  for_more_information_logger);
}

}  // namespace Check
