#pragma once
// Buildings for the tests of the conception and sizing checks: a 12 x 10
// house with its four facade walls (0.2 thick, the corners shared), built
// as a description and derived into the computed model, and the reading
// of what a checking recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "config/quavor_configuration.hpp"
#include "checks/checking_session.hpp"
#include "criteria/check.hpp"
#include "description/input_data_types.hpp"
#include "model/compute_data.hpp"
#include "text/format.hpp"

namespace Outcome {

// A measure as gtest prints it when a comparison fails.
inline void PrintTo(const measure& m, std::ostream* os) {
  *os << "{" << m.quantity << ", " << m.value << ", " << comparison_name(m.compare) << " " << m.limit;
  if (m.upper_limit) *os << ".." << *m.upper_limit;
  *os << ", tol " << tolerance_value(m.tol) << ", \"" << m.unit << "\", " << m.niveau.value_or("-") << ", "
      << m.element.value_or("-") << ", " << (m.passed ? "passed" : "failed") << "}";
}

}  // namespace Outcome

namespace Checks_b_building {

using Checking_session::session;

namespace In = Input_data_types;
namespace Cdt = Compute_data_types;
namespace Qdt = Quavor_data_types;
using Quavor_pervasives_types::direction;
using Tqmv::critere;

inline In::rectangle rect(double w, double h, double x, double y) { return In::rectangle{w, h, {x, y}}; }

// A bracing facade wall of thickness 0.2 (x walls: l long in x).
inline In::mur wall(const std::string& nom, direction d, double x, double y, double l, double e = 0.2,
                    Qdt::mur_sp sp = Qdt::Sp_value{10.0},
                    Qdt::mur_categorie categorie = Qdt::mur_categorie::Mur_de_facade,
                    Qdt::mur_genre genre = Qdt::mur_genre::Mur_primaire) {
  const Quavor_pervasives_types::solide s = d == direction::X ? Quavor_pervasives_types::solide{l, e, 2.5}
                                                               : Quavor_pervasives_types::solide{e, l, 2.5};
  return In::mur{categorie, {x, y}, d, 1, genre, s, nom, std::move(sp)};
}

// The four facade walls of the 12 x 10 house: M1 south, M2 north, M3 west,
// M4 east, named after the storey.
inline std::vector<In::mur> enclosure(int etage) {
  const std::string n = "n" + std::to_string(etage);
  return {wall("M1" + n, direction::X, 0, 0, 12), wall("M2" + n, direction::X, 0, 9.8, 12),
          wall("M3" + n, direction::Y, 0, 0, 10), wall("M4" + n, direction::Y, 11.8, 0, 10)};
}

inline In::plan ground_plan(std::vector<In::retrait> retraits = {}) {
  return In::plan{std::move(retraits), In::Base_rectangle{rect(12, 10, 0, 0)}, 0, "P0"};
}

inline In::plan upper_plan(std::vector<In::retrait> retraits = {}) {
  return In::plan{std::move(retraits), In::make_base_plan(ground_plan()), 1, "P1"};
}

inline In::retrait retrait(const std::string& nom, double w, double h, double x, double y) {
  return In::retrait{rect(w, h, x, y), nom};
}

inline In::niveau_toit roof_level(int etage, std::vector<In::mur> murs, In::plan plan) {
  const In::toiture toit{In::Toiture_legere{Qdt::bois_categorie::Bois_resineux}, 1.5, {}};
  return In::niveau_toit{toit, std::move(murs), 2.5, {}, {}, std::move(plan), etage, "Nv" + std::to_string(etage)};
}

inline In::niveau_plancher floor_level(int etage, std::vector<In::mur> murs, In::plan plan) {
  const In::plancher p{Qdt::Plancher_beton{Qdt::dalle_beton_categorie::Dalle_beton}, 0.16, {}, {}, 100.0, 50.0};
  return In::niveau_plancher{p, std::move(murs), 2.5, {}, {}, std::move(plan), etage, "Nv" + std::to_string(etage)};
}

inline Qdt::maconnerie brique_8() {
  return Qdt::maconnerie{Qdt::maconnerie_categorie::Brique_creuse_8, Qdt::joint_horizontal_categorie::Joint_mince,
                         Qdt::joint_vertical_categorie::Joint_rempli, Qdt::qualite_du_chainage_categorie::Chainage_4HA12,
                         Qdt::beton_du_chainage_categorie::C25_30};
}

// A compliant single-storey house: the roof level Nv0 on the ground plan.
inline In::batiment house_r0() {
  return In::batiment{Qdt::batiment_type::R0,
                      Qdt::batiment_categorie::Habitation,
                      "Nice",
                      In::batiment_implantation{Qdt::sol_categorie::Sol_B, 5.0},
                      Qdt::zone_de_sismicite::Zone5,
                      Qdt::Maconnerie{brique_8()},
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
inline In::batiment house_r1() {
  In::batiment b = house_r0();
  b.batiment_type = Qdt::batiment_type::R1;
  b.batiment_niveau_planchers = {floor_level(0, enclosure(0), ground_plan())};
  b.batiment_niveau_toit = roof_level(1, enclosure(1), upper_plan());
  return b;
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

// The derived building and a checking started on it (tables created, the
// report target named house.qvr).
class Checking {
 public:
  explicit Checking(const In::batiment& b)
      : batiment_(std::make_unique<Cdt::batiment>(Compute_data::input_batiment_pre_compute(b))), open_(Check::run_context{"house.qvb", "house.qvr", std::nullopt, false}) {}
  Check::session& s() { return open_.get(); }
  Checking(const Checking&) = delete;
  Checking& operator=(const Checking&) = delete;

  const Cdt::batiment& batiment() const { return *batiment_; }
  Cdt::batiment& mutable_batiment() { return *batiment_; }

  // Enters the criterion as a test does (for the per-level operations).
  void enter(critere c) const { Checking_session::session().critere_enter_checking(c); }

  // The paragraphs recorded for the criterion, oldest first, each laid out
  // in a box on a wide line so that only vertical boxes break.
  std::vector<std::string> paragraphs(critere c) const {
    std::vector<std::string> texts;
    const auto& loggers = Tqmv::get(Checking_session::session().get_critere_loggers_table(), c);
    for (auto it = loggers.rbegin(); it != loggers.rend(); ++it) {
      Format::Printer ppf;
      ppf.set_margin(1000);
      Format::fprintf(ppf, "@[%t@]", *it);
      texts.push_back(ppf.contents());
    }
    return texts;
  }

  // The measures recorded for the criterion, in the order the check made
  // them.
  std::vector<Outcome::measure> measures(critere c) const {
    return Outcome::result_of(Checking_session::session().make_outcome(false), c).measures;
  }

  bool checked(critere c) const { return Tqmv::get(Checking_session::session().get_critere_checked_table(), c); }

  // The failure text recorded, if any.
  std::optional<Wrong_test_result> failure() const { return Checking_session::session().get_error_wrong_test_result_opt(); }

  // The elements the failure names.
  std::vector<std::string> failure_elements() const {
    const auto& f = Checking_session::session().get_failure();
    return f ? f->elements : std::vector<std::string>{"<no failure>"};
  }

  // The "<location>, <message>" line of the failure text.
  std::string failure_line() const {
    const auto f = failure();
    if (!f) return "<no failure>";
    const std::string& text = f->message;
    const std::size_t start = text.find("\n\n  ");
    const std::size_t end = text.find("\n\nCritère ");
    if (start == std::string::npos || end == std::string::npos) return text;
    return text.substr(start + 4, end - start - 4);
  }

  // The first line of the failure text: "<family>: échec du test <code>:".
  std::string failure_heading() const {
    const auto f = failure();
    if (!f) return "<no failure>";
    return f->message.substr(0, f->message.find('\n'));
  }

 private:
  std::unique_ptr<Cdt::batiment> batiment_;
  Checking_session::scope open_;
};

}  // namespace Checks_b_building
