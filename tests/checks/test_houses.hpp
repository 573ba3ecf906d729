#pragma once
// The houses the tests of the checks are run on, built as descriptions and
// derived into the computed model, the checking fixture that opens a check
// session on one of them, and the one reading of what that checking
// recorded: paragraphs, measures, the failure and the elements it names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <mutex>
#include <optional>
#include <type_traits>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checks/checking_session.hpp"
#include "config/quavor_configuration.hpp"
#include "criteria/check.hpp"
#include "criteria/outcome.hpp"
#include "description/input_data_types.hpp"
#include "model/compute_data.hpp"
#include "text/format.hpp"

namespace Outcome {

// Lets a failed expectation show the measures it compared.
inline void PrintTo(const measure& m, std::ostream* os) {
  *os << "{" << m.quantity << " | " << m.value << " " << comparison_name(m.compare) << " " << m.limit;
  if (m.upper_limit) *os << ".." << *m.upper_limit;
  *os << " | tol " << tolerance_value(m.tol) << " | " << m.unit << " | " << m.niveau.value_or("-") << " | "
      << m.element.value_or("-") << " | " << (m.passed ? "passed" : "failed") << "}";
}

}  // namespace Outcome

namespace Test_houses {

using Checking_session::session;

using Quavor_pervasives_types::direction;
using Tqmv::critere;

inline Input_data_types::rectangle rect(double w, double h, double x, double y) {
  return Input_data_types::rectangle{w, h, {x, y}};
}

inline Input_data_types::retrait retrait(const std::string& nom, double w, double h, double x, double y) {
  return Input_data_types::retrait{rect(w, h, x, y), nom};
}

inline Compute_data_types::batiment compute(const Input_data_types::batiment& b) {
  return Compute_data::input_batiment_pre_compute(b);
}

// The houses of the consistency and geometry checks: a 10 x 8 ground floor
// (or any l x w) whose walls have no Sp computed yet, as a description
// read from a file has them.
namespace House_10x8 {

inline Input_data_types::mur wall(
    const std::string& nom, direction d, double x, double y, double lx, double ly, double h = 2.5,
    Quavor_data_types::mur_categorie categorie = Quavor_data_types::mur_categorie::Mur_de_facade,
    Quavor_data_types::mur_genre genre = Quavor_data_types::mur_genre::Mur_primaire) {
  return Input_data_types::mur{categorie, {x, y}, d, 1, genre, {lx, ly, h}, nom,
                               Quavor_data_types::Sp_not_yet_computed{}};
}

// The four facade walls, 0.2 thick, of an l x w rectangle at the origin,
// named M1n<storey> (south), M2 (north), M3 (west) and M4 (east).
inline std::vector<Input_data_types::mur> enclosure(int etage, double l, double w, double h = 2.5) {
  const std::string n = "n" + std::to_string(etage);
  return {wall("M1" + n, direction::X, 0, 0, l, 0.2, h), wall("M2" + n, direction::X, 0, w - 0.2, l, 0.2, h),
          wall("M3" + n, direction::Y, 0, 0, 0.2, w, h), wall("M4" + n, direction::Y, l - 0.2, 0, 0.2, w, h)};
}

inline Input_data_types::plan base_plan(const std::string& nom, int etage, double l, double w) {
  return Input_data_types::plan{{}, Input_data_types::Base_rectangle{rect(l, w, 0, 0)}, etage, nom};
}

inline Input_data_types::plan upper_plan(const std::string& nom, int etage, const Input_data_types::plan& base) {
  return Input_data_types::plan{{}, Input_data_types::make_base_plan(base), etage, nom};
}

inline Input_data_types::niveau_toit roof_level(const std::string& nom, int etage,
                                                std::vector<Input_data_types::mur> murs, Input_data_types::plan plan,
                                                double hauteur = 2.5) {
  const Input_data_types::toiture toit{
      Input_data_types::Toiture_legere{Quavor_data_types::bois_categorie::Bois_resineux}, 1.5, {}};
  return Input_data_types::niveau_toit{toit, std::move(murs), hauteur, {}, {}, std::move(plan), etage, nom};
}

// A concrete slab 0.16 m thick with loads 100 and 50: 550 kg/m2.
inline Input_data_types::niveau_plancher floor_level(const std::string& nom, int etage,
                                                     std::vector<Input_data_types::mur> murs,
                                                     Input_data_types::plan plan, double hauteur = 2.5) {
  const Input_data_types::plancher p{
      Quavor_data_types::Plancher_beton{Quavor_data_types::dalle_beton_categorie::Dalle_beton}, 0.16, {}, {}, 100.0,
      50.0};
  return Input_data_types::niveau_plancher{p, std::move(murs), hauteur, {}, {}, std::move(plan), etage, nom};
}

inline Quavor_data_types::materiau_categorie brique() {
  return Quavor_data_types::Maconnerie{
      Quavor_data_types::maconnerie{Quavor_data_types::maconnerie_categorie::Brique_creuse_8,
                                    Quavor_data_types::joint_horizontal_categorie::Joint_mince,
                                    Quavor_data_types::joint_vertical_categorie::Joint_rempli,
                                    Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10,
                                    Quavor_data_types::beton_du_chainage_categorie::C25_30}};
}

// A ground floor only: a 10 x 8 plan with its four facade walls 2.5 m high
// under a light roof 1.5 m high; 4.0 m in all.
inline Input_data_types::batiment r0_house() {
  Input_data_types::batiment b{};
  b.batiment_type = Quavor_data_types::batiment_type::R0;
  b.batiment_categorie = Quavor_data_types::batiment_categorie::Habitation;
  b.batiment_localisation = "Basse-Terre";
  b.batiment_implantation = Input_data_types::batiment_implantation{Quavor_data_types::sol_categorie::Sol_B, 5.0};
  b.batiment_zone_de_sismicite = Quavor_data_types::zone_de_sismicite::Zone5;
  b.batiment_materiau = brique();
  b.batiment_largeur = 8.0;
  b.batiment_longueur = 10.0;
  b.batiment_hauteur = 4.0;
  b.batiment_hauteur_max_par_niveau = 2.8;
  b.batiment_niveau_toit = roof_level("Nv0", 0, enclosure(0, 10.0, 8.0), base_plan("P1n0", 0, 10.0, 8.0));
  b.batiment_file_name = "house.qvb";
  return b;
}

// A ground floor under a 0.16 m slab and one storey on the same plan:
// 0.16 + 2.5 + 2.5 + 1.5 = 6.66 m.
inline Input_data_types::batiment r1_house() {
  Input_data_types::batiment b = r0_house();
  b.batiment_type = Quavor_data_types::batiment_type::R1;
  b.batiment_hauteur = 6.66;
  const Input_data_types::plan p0 = base_plan("P1n0", 0, 10.0, 8.0);
  b.batiment_niveau_planchers = {floor_level("Nv0", 0, enclosure(0, 10.0, 8.0), p0)};
  b.batiment_niveau_toit = roof_level("Nv1", 1, enclosure(1, 10.0, 8.0), upper_plan("P1n1", 1, p0));
  return b;
}

}  // namespace House_10x8

// The houses of the conception and sizing checks: a 12 x 10 house whose
// four facade walls (0.2 thick, the corners shared) have their Sp given.
namespace House_12x10 {

// A bracing facade wall of thickness 0.2 (x walls: l long in x).
inline Input_data_types::mur wall(
    const std::string& nom, direction d, double x, double y, double l, double e = 0.2,
    Quavor_data_types::mur_sp sp = Quavor_data_types::Sp_value{10.0},
    Quavor_data_types::mur_categorie categorie = Quavor_data_types::mur_categorie::Mur_de_facade,
    Quavor_data_types::mur_genre genre = Quavor_data_types::mur_genre::Mur_primaire) {
  const Quavor_pervasives_types::solide s = d == direction::X ? Quavor_pervasives_types::solide{l, e, 2.5}
                                                               : Quavor_pervasives_types::solide{e, l, 2.5};
  return Input_data_types::mur{categorie, {x, y}, d, 1, genre, s, nom, std::move(sp)};
}

// The four facade walls of the 12 x 10 house: M1 south, M2 north, M3 west,
// M4 east, named after the storey.
inline std::vector<Input_data_types::mur> enclosure(int etage) {
  const std::string n = "n" + std::to_string(etage);
  return {wall("M1" + n, direction::X, 0, 0, 12), wall("M2" + n, direction::X, 0, 9.8, 12),
          wall("M3" + n, direction::Y, 0, 0, 10), wall("M4" + n, direction::Y, 11.8, 0, 10)};
}

inline Input_data_types::plan ground_plan(std::vector<Input_data_types::retrait> retraits = {}) {
  return Input_data_types::plan{std::move(retraits), Input_data_types::Base_rectangle{rect(12, 10, 0, 0)}, 0, "P0"};
}

inline Input_data_types::plan upper_plan(std::vector<Input_data_types::retrait> retraits = {}) {
  return Input_data_types::plan{std::move(retraits), Input_data_types::make_base_plan(ground_plan()), 1, "P1"};
}

inline Input_data_types::niveau_toit roof_level(int etage, std::vector<Input_data_types::mur> murs,
                                                Input_data_types::plan plan) {
  const Input_data_types::toiture toit{
      Input_data_types::Toiture_legere{Quavor_data_types::bois_categorie::Bois_resineux}, 1.5, {}};
  return Input_data_types::niveau_toit{toit, std::move(murs), 2.5, {}, {}, std::move(plan), etage,
                                       "Nv" + std::to_string(etage)};
}

inline Input_data_types::niveau_plancher floor_level(int etage, std::vector<Input_data_types::mur> murs,
                                                     Input_data_types::plan plan) {
  const Input_data_types::plancher p{
      Quavor_data_types::Plancher_beton{Quavor_data_types::dalle_beton_categorie::Dalle_beton}, 0.16, {}, {}, 100.0,
      50.0};
  return Input_data_types::niveau_plancher{p, std::move(murs), 2.5, {}, {}, std::move(plan), etage,
                                           "Nv" + std::to_string(etage)};
}

inline Quavor_data_types::maconnerie brique_8() {
  return Quavor_data_types::maconnerie{Quavor_data_types::maconnerie_categorie::Brique_creuse_8,
                                       Quavor_data_types::joint_horizontal_categorie::Joint_mince,
                                       Quavor_data_types::joint_vertical_categorie::Joint_rempli,
                                       Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA12,
                                       Quavor_data_types::beton_du_chainage_categorie::C25_30};
}

// A compliant single-storey house: the roof level Nv0 on the ground plan.
inline Input_data_types::batiment house_r0() {
  return Input_data_types::batiment{
      Quavor_data_types::batiment_type::R0,
      Quavor_data_types::batiment_categorie::Habitation,
      "Nice",
      Input_data_types::batiment_implantation{Quavor_data_types::sol_categorie::Sol_B, 5.0},
      Quavor_data_types::zone_de_sismicite::Zone5,
      Quavor_data_types::Maconnerie{brique_8()},
      10.0,
      12.0,
      4.0,
      2.5,
      std::nullopt,
      {},
      roof_level(0, enclosure(0), ground_plan()),
      "house.qvb"};
}

// A compliant two-storey house: floor level Nv0, roof level Nv1 on a plan
// built on the ground plan.
inline Input_data_types::batiment house_r1() {
  Input_data_types::batiment b = house_r0();
  b.batiment_type = Quavor_data_types::batiment_type::R1;
  b.batiment_niveau_planchers = {floor_level(0, enclosure(0), ground_plan())};
  b.batiment_niveau_toit = roof_level(1, enclosure(1), upper_plan());
  return b;
}

}  // namespace House_12x10

// The run context of a fresh run configuration.
inline Check::run_context fresh_run_context() {
  Quavor_configuration::reset_for_tests();
  return Check::run_context{Quavor_configuration::get_report_source_file_name(),
                            Quavor_configuration::get_report_target_file_name_opt(), std::nullopt, false};
}

// A checking started on a derived building, with empty name tables: its
// session is the one the readings below read.
struct Checking {
  Compute_data_types::batiment b;
  Checking_session::scope open;
  Check::session& s;
  explicit Checking(Compute_data_types::batiment building)
      : b(std::move(building)), open(fresh_run_context()), s(open.get()) {}
  explicit Checking(const Input_data_types::batiment& description) : Checking(compute(description)) {}
  Checking(const Checking&) = delete;
  Checking& operator=(const Checking&) = delete;
};

using test_fn = bool (*)(Check::session&, critere, const Compute_data_types::batiment&);
using checkings_fn = bool (*)(Check::session&, const Compute_data_types::batiment&);

// Runs one criterion on a fresh checking of the building.
struct Running {
  Checking checking;
  bool result;
  Running(const Compute_data_types::batiment& b, critere c, test_fn test)
      : checking(b), result(session().make(c, test, checking.b)) {}
  Running(const Compute_data_types::batiment& b, critere c, checkings_fn test)
      : checking(b), result(session().make_checkings(c, test, checking.b)) {}
};

// The recorded failure, read back from its text: "<family>: échec du test
// <code>:", an empty line, "  <location>, <message>", then the criterion.
struct failure {
  std::string family;
  std::string code;
  std::string location;
  std::string message;
  bool operator==(const failure&) const = default;
  // The first line of the text: "<family>: échec du test <code>:".
  std::string heading() const { return family + ": échec du test " + code + ":"; }
  // The "<location>, <message>" line of the text.
  std::string line() const { return location + ", " + message; }
};

inline std::ostream& operator<<(std::ostream& os, const failure& f) {
  return os << "{" << f.family << " | " << f.code << " | " << f.location << " | " << f.message << "}";
}

inline std::optional<failure> recorded_failure() {
  const auto r = session().get_error_wrong_test_result_opt();
  if (!r) return std::nullopt;
  const std::string& text = r->message;
  const std::string family_end = ": ";
  const std::string test = "échec du test ";
  const auto code_at = text.find(test);
  const auto code_end = text.find(":\n\n  ", code_at);
  const auto location_end = text.find(", ", code_end);
  const auto message_end = text.find("\n\nCritère ", location_end);
  if (code_at == std::string::npos || code_at < family_end.size() || code_end == std::string::npos ||
      location_end == std::string::npos || message_end == std::string::npos)
    return failure{"?", "?", "?", text};
  const auto location_at = code_end + 5;
  return failure{text.substr(0, code_at - family_end.size()),
                 text.substr(code_at + test.size(), code_end - code_at - test.size()),
                 text.substr(location_at, location_end - location_at),
                 text.substr(location_end + 2, message_end - location_end - 2)};
}

// The heading and the "<location>, <message>" line of the recorded failure.
inline std::string failure_heading() {
  const auto f = recorded_failure();
  return f ? f->heading() : "<no failure>";
}

inline std::string failure_line() {
  const auto f = recorded_failure();
  return f ? f->line() : "<no failure>";
}

// The elements named by the recorded failure (none when no test failed).
inline std::vector<std::string> failure_elements() {
  const auto& f = session().get_failure();
  return f ? f->elements : std::vector<std::string>{};
}

// How a paragraph is laid out: as the printer breaks it at its own margin
// (the lines of the report), or on a line wide enough that only the breaks
// it forces break it.
enum class layout { at_margin, unbroken };

// The success paragraphs of a criterion in the order the report prints them,
// newest first, each laid out in a box of its own.
inline std::vector<std::string> paragraphs(critere c, layout l = layout::at_margin) {
  std::vector<std::string> out;
  for (const auto& logger : session().critere_paragraphs(c)) {
    Format::Printer p;
    if (l == layout::unbroken) p.set_margin(1000);
    Format::fprintf(p, "@[<hov 0>%t@]", logger);
    out.push_back(p.contents());
  }
  return out;
}

// Whether the criterion was marked as checked.
inline bool checked(critere c) { return Tqmv::get(session().get_critere_checked_table(), c); }

// The measures recorded under a criterion, in the order the check made them.
inline std::vector<Outcome::measure> measures(critere c) {
  return Outcome::result_of(session().make_outcome(false), c).measures;
}

// A quantity name built by a test, kept for the program's life: measures
// only view their quantity, as the checks name it with literals.
inline std::string_view kept(std::string name) {
  static std::mutex guard;
  static std::set<std::string> names;
  const std::lock_guard<std::mutex> lock(guard);
  return *names.insert(std::move(name)).first;
}

// A measure as the tests write it: quantity, value, limit, comparison,
// tolerance, unit, level, element, verdict (upper limit for ranges only).
inline Outcome::measure mesure(std::string_view quantite, double valeur, double limite, Outcome::comparison cmp,
                               Outcome::tolerance tol, std::string_view unite, std::optional<std::string> niveau,
                               std::optional<std::string> element, bool passed,
                               std::optional<double> upper = std::nullopt) {
  return Outcome::measure{quantite, valeur, limite, upper, cmp, tol, unite,
                          std::move(niveau), std::move(element), passed};
}

// The measures are those expected: every field equal, the numbers within a
// few units in the last place (they come out of the check's own arithmetic).
inline void expect_measures(const std::vector<Outcome::measure>& actual,
                            const std::vector<Outcome::measure>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << testing::PrintToString(actual);
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(testing::PrintToString(actual[i]));
    Outcome::measure a = actual[i];
    const Outcome::measure& e = expected[i];
    EXPECT_DOUBLE_EQ(a.value, e.value);
    EXPECT_DOUBLE_EQ(a.limit, e.limit);
    EXPECT_EQ(a.upper_limit.has_value(), e.upper_limit.has_value());
    if (a.upper_limit && e.upper_limit) {
      EXPECT_DOUBLE_EQ(*a.upper_limit, *e.upper_limit);
    }
    a.value = e.value;
    a.limit = e.limit;
    a.upper_limit = e.upper_limit;
    EXPECT_EQ(a, e);
  }
}

// What one run of a criterion on a building gives: its verdict and, where
// given, the failure recorded, the paragraphs, the measures and the elements
// the failure names (a list given empty is asserted empty).
// A list a row gives (its items, or a vector) or leaves out (`{}`).
template <class T>
class given {
 public:
  given() = default;
  given(std::vector<T> items) : list_(std::move(items)) {}
  template <class... Items>
    requires(sizeof...(Items) > 0 && (std::is_constructible_v<T, Items &&> && ...))
  given(Items&&... items) : list_(std::vector<T>{T(std::forward<Items>(items))...}) {}
  const std::optional<std::vector<T>>& list() const { return list_; }

 private:
  std::optional<std::vector<T>> list_;
};

struct outcome {
  const char* what;
  Compute_data_types::batiment b;
  bool passes;
  std::optional<failure> error = {};
  given<std::string> said = {};
  given<Outcome::measure> measured = {};
  given<std::string> named = {};
};

inline const std::vector<std::string> no_paragraph{};
inline const std::vector<std::string> no_element{};
inline const std::vector<Outcome::measure> no_measure{};

// Runs the criterion's test on each row's building and checks what the row
// gives; a failing row is named.
template <class Test>
void expect_outcomes(critere c, Test test, const std::vector<outcome>& cases) {
  for (const outcome& k : cases) {
    SCOPED_TRACE(k.what);
    Running run(k.b, c, test);
    EXPECT_EQ(run.result, k.passes) << k.what;
    if (k.error) {
      EXPECT_EQ(recorded_failure(), k.error) << k.what;
    }
    if (k.said.list()) {
      EXPECT_EQ(paragraphs(c), *k.said.list()) << k.what;
    }
    if (k.measured.list()) expect_measures(measures(c), *k.measured.list());
    if (k.named.list()) {
      EXPECT_EQ(failure_elements(), *k.named.list()) << k.what;
    }
  }
}

// The expected measures, each value replaced by the recorded one where they
// differ only by the rounding of the check's arithmetic (1e-9), so that the
// rest of each measure is compared exactly.
inline std::vector<Outcome::measure> rounded_as(const std::vector<Outcome::measure>& recorded,
                                                std::vector<Outcome::measure> expected) {
  for (std::size_t i = 0; i < expected.size() && i < recorded.size(); ++i) {
    if (std::fabs(recorded[i].value - expected[i].value) <= 1e-9) expected[i].value = recorded[i].value;
    if (std::fabs(recorded[i].limit - expected[i].limit) <= 1e-9) expected[i].limit = recorded[i].limit;
  }
  return expected;
}

inline const std::string batiment_loc = "Pour ce bâtiment";
inline const std::string rdc_loc = "Au rez-de-chaussée (niveau Nv0)";
inline const std::string etage_loc = "Au premier étage (niveau Nv1)";

}  // namespace Test_houses
