#pragma once
// Small buildings for the tests of the checks, built as descriptions and
// derived into the computed model, and the reading of what a checking
// recorded (failure message and location, success paragraphs).
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "checks/consistency_batiment.hpp"
#include "config/quavor_configuration.hpp"
#include "checks/checking_session.hpp"
#include "criteria/check.hpp"
#include "description/input_data_types.hpp"
#include "model/compute_data.hpp"
#include "criteria/outcome.hpp"
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

namespace Test_building {

using Checking_session::session;

namespace In = Input_data_types;
namespace Cdt = Compute_data_types;
namespace Qdt = Quavor_data_types;
using Quavor_pervasives_types::direction;
using Tqmv::critere;

inline In::rectangle rect(double w, double h, double x, double y) { return In::rectangle{w, h, {x, y}}; }

inline In::mur wall(const std::string& nom, direction d, double x, double y, double lx, double ly, double h = 2.5,
                    Qdt::mur_categorie categorie = Qdt::mur_categorie::Mur_de_facade,
                    Qdt::mur_genre genre = Qdt::mur_genre::Mur_primaire) {
  return In::mur{categorie, {x, y}, d, 1, genre, {lx, ly, h}, nom, Qdt::Sp_not_yet_computed{}};
}

// The four facade walls, 0.2 thick, of an l x w rectangle at the origin,
// named M1n<storey> (south), M2 (north), M3 (west) and M4 (east).
inline std::vector<In::mur> enclosure(int etage, double l, double w, double h = 2.5) {
  const std::string n = "n" + std::to_string(etage);
  return {wall("M1" + n, direction::X, 0, 0, l, 0.2, h), wall("M2" + n, direction::X, 0, w - 0.2, l, 0.2, h),
          wall("M3" + n, direction::Y, 0, 0, 0.2, w, h), wall("M4" + n, direction::Y, l - 0.2, 0, 0.2, w, h)};
}

inline In::plan base_plan(const std::string& nom, int etage, double l, double w) {
  return In::plan{{}, In::Base_rectangle{rect(l, w, 0, 0)}, etage, nom};
}

inline In::plan upper_plan(const std::string& nom, int etage, const In::plan& base) {
  return In::plan{{}, In::make_base_plan(base), etage, nom};
}

inline In::niveau_toit roof_level(const std::string& nom, int etage, std::vector<In::mur> murs, In::plan plan,
                                  double hauteur = 2.5) {
  const In::toiture toit{In::Toiture_legere{Qdt::bois_categorie::Bois_resineux}, 1.5, {}};
  return In::niveau_toit{toit, std::move(murs), hauteur, {}, {}, std::move(plan), etage, nom};
}

// A concrete slab 0.16 m thick with loads 100 and 50: 550 kg/m2.
inline In::niveau_plancher floor_level(const std::string& nom, int etage, std::vector<In::mur> murs, In::plan plan,
                                       double hauteur = 2.5) {
  const In::plancher p{Qdt::Plancher_beton{Qdt::dalle_beton_categorie::Dalle_beton}, 0.16, {}, {}, 100.0, 50.0};
  return In::niveau_plancher{p, std::move(murs), hauteur, {}, {}, std::move(plan), etage, nom};
}

inline Qdt::materiau_categorie brique() {
  return Qdt::Maconnerie{Qdt::maconnerie{Qdt::maconnerie_categorie::Brique_creuse_8,
                                         Qdt::joint_horizontal_categorie::Joint_mince,
                                         Qdt::joint_vertical_categorie::Joint_rempli,
                                         Qdt::qualite_du_chainage_categorie::Chainage_4HA10,
                                         Qdt::beton_du_chainage_categorie::C25_30}};
}

// A ground floor only: a 10 x 8 plan with its four facade walls 2.5 m high
// under a light roof 1.5 m high; 4.0 m in all.
inline In::batiment r0_house() {
  In::batiment b{};
  b.batiment_type = Qdt::batiment_type::R0;
  b.batiment_categorie = Qdt::batiment_categorie::Habitation;
  b.batiment_localisation = "Basse-Terre";
  b.batiment_implantation = In::batiment_implantation{Qdt::sol_categorie::Sol_B, 5.0};
  b.batiment_zone_de_sismicite = Qdt::zone_de_sismicite::Zone5;
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
inline In::batiment r1_house() {
  In::batiment b = r0_house();
  b.batiment_type = Qdt::batiment_type::R1;
  b.batiment_hauteur = 6.66;
  const In::plan p0 = base_plan("P1n0", 0, 10.0, 8.0);
  b.batiment_niveau_planchers = {floor_level("Nv0", 0, enclosure(0, 10.0, 8.0), p0)};
  b.batiment_niveau_toit = roof_level("Nv1", 1, enclosure(1, 10.0, 8.0), upper_plan("P1n1", 1, p0));
  return b;
}

inline Cdt::batiment compute(const In::batiment& b) { return Compute_data::input_batiment_pre_compute(b); }

// The run context of a fresh run configuration.
inline Check::run_context fresh_run_context() {
  Quavor_configuration::reset_for_tests();
  return Check::run_context{Quavor_configuration::get_report_source_file_name(),
                            Quavor_configuration::get_report_target_file_name_opt(), std::nullopt, false};
}

// A checking started on a building, with empty name tables.
struct Checking {
  Cdt::batiment b;
  Checking_session::scope open;
  Check::session& s;
  explicit Checking(Cdt::batiment building)
      : b(std::move(building)), open(fresh_run_context()), s(open.get()) {}
  explicit Checking(const In::batiment& description) : Checking(compute(description)) {}
  Checking(const Checking&) = delete;
  Checking& operator=(const Checking&) = delete;
};

// The recorded failure, read back from its text: "<family>: échec du test
// <code>:", an empty line, "  <location>, <message>", then the criterion.
struct failure {
  std::string code;
  std::string location;
  std::string message;
  bool operator==(const failure&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const failure& f) {
  return os << "{" << f.code << " | " << f.location << " | " << f.message << "}";
}

inline std::optional<failure> recorded_failure() {
  const auto r = session().get_error_wrong_test_result_opt();
  if (!r) return std::nullopt;
  const std::string& text = r->message;
  const std::string test = "échec du test ";
  const auto code_at = text.find(test);
  const auto code_end = text.find(":\n\n  ", code_at);
  const auto location_end = text.find(", ", code_end);
  const auto message_end = text.find("\n\nCritère ", location_end);
  if (code_at == std::string::npos || code_end == std::string::npos || location_end == std::string::npos ||
      message_end == std::string::npos)
    return failure{"?", "?", text};
  const auto location_at = code_end + 5;
  return failure{text.substr(code_at + test.size(), code_end - code_at - test.size()),
                 text.substr(location_at, location_end - location_at),
                 text.substr(location_end + 2, message_end - location_end - 2)};
}

// The success paragraphs of a criterion, newest first, each laid out in a
// box of its own.
inline std::vector<std::string> paragraphs(critere c) {
  std::vector<std::string> out;
  for (const auto& l : Tqmv::get(session().get_critere_loggers_table(), c)) {
    Format::Printer p;
    Format::fprintf(p, "@[<hov 0>%t@]", l);
    out.push_back(p.contents());
  }
  return out;
}

// The measures recorded under a criterion, in the order the check made them.
inline std::vector<Outcome::measure> measures(critere c) {
  return Outcome::result_of(session().make_outcome(false), c).measures;
}

// The elements named by the recorded failure (none when no test failed).
inline std::vector<std::string> failure_elements() {
  const auto& f = session().get_failure();
  return f ? f->elements : std::vector<std::string>{};
}

// A measure as the tests write it: quantity, value, limit, comparison,
// tolerance, unit, level, element, verdict (upper limit for ranges only).
inline Outcome::measure mesure(std::string quantite, double valeur, double limite, Outcome::comparison cmp,
                               Outcome::tolerance tol, std::string unite, std::optional<std::string> niveau,
                               std::optional<std::string> element, bool passed,
                               std::optional<double> upper = std::nullopt) {
  return Outcome::measure{std::move(quantite), valeur, limite, upper, cmp, tol, std::move(unite),
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

inline const std::string batiment_loc = "Pour ce bâtiment";
inline const std::string rdc_loc = "Au rez-de-chaussée (niveau Nv0)";
inline const std::string etage_loc = "Au premier étage (niveau Nv1)";

}  // namespace Test_building
