#pragma once
// The conception criteria of the guide (family CR-2): regularity in
// elevation, vertical continuity of the columns and bracing walls, support
// of the beam ends, size and number of the set-backs in plan.
//
// Every check records a success paragraph and returns true, or records the
// failure and returns false. The beam-support check fills the set-once
// `poutre_fondement` slot of every beam it finds supported.
#include <functional>
#include <optional>
#include <vector>

#include "criteria/check.hpp"
#include "criteria/tqmv.hpp"
#include "model/compute_data_types.hpp"

namespace Conception_batiment {

using Tqmv::critere;

// Tolerance of the coordinates compared for continuity (metres).
inline constexpr double continuite_tolerance = 0.001;
// Farthest a beam end may lie from a column's centre to rest on it (metres).
inline constexpr double appui_poteau_distance_max = 0.1;

// The test of CR-2: CR-2-1, CR-2-2, CR-2-3, stopping at the first failure.
bool batiment_conception_checkings(Check::session& s, const Compute_data_types::batiment& b);

// ---------------------------------------------------------------------------
// CR-2-1: set-back of the upper storey, in X then in Y.

bool batiment_retrait_en_elevation_check(Check::session& s, critere c, const Compute_data_types::batiment& b);

// ---------------------------------------------------------------------------
// CR-2-2: continuity of the vertical load-bearing elements.

// CR-2-2-1, CR-2-2-2, CR-2-2-3 in this order.
bool batiment_continuite_verticale_porteur_checkings(Check::session& s, const Compute_data_types::batiment& b);

// The floor levels sorted by storey (stable).
std::vector<std::reference_wrapper<const Compute_data_types::niveau_plancher>> sort_niveau_planchers(
    const Compute_data_types::niveau_planchers& niveaux);

// Runs the pair check on each pair of consecutive floor levels (lower,
// upper) by storey, then on the last floor level and the roof level;
// stops at the first failing pair. Passes without floor levels.
template <class Pair_check>
bool batiment_continuite_checkings(Pair_check check, const Compute_data_types::batiment& b) {
  const auto planchers = sort_niveau_planchers(b.batiment_niveau_planchers);
  if (planchers.empty()) return true;
  for (std::size_t i = 0; i + 1 < planchers.size(); ++i)
    if (!check(planchers[i].get(), planchers[i + 1].get())) return false;
  return check(planchers.back().get(), b.batiment_niveau_toit);
}

// CR-2-2-1: every column of the upper level stands on a column of the lower.
bool batiment_poteau_continuite_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_poteau_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                                    const Compute_data_types::niveau_plancher& upper);
bool niveau_poteau_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                                    const Compute_data_types::niveau_toit& upper);

// CR-2-2-2: every bracing wall of the upper level is founded on a bracing
// wall of the lower.
bool batiment_contreventement_continuite_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_contreventement_continuite_check(Check::session& s, critere c,
                                             const Compute_data_types::niveau_plancher& lower,
                                             const Compute_data_types::niveau_plancher& upper);
bool niveau_contreventement_continuite_check(Check::session& s, critere c,
                                             const Compute_data_types::niveau_plancher& lower,
                                             const Compute_data_types::niveau_toit& upper);

// Same direction, no thicker and no longer than the lower wall, and
// projecting within it.
bool mur_se_fonde_par_mur(const Compute_data_types::mur& upper, const Compute_data_types::mur& lower);
// Along each axis the upper rectangle starts no sooner and ends no later
// than the lower one (tolerance 0.001).
bool mur_se_projette_sur_mur(const Compute_data_types::mur& upper, const Compute_data_types::mur& lower);

// CR-2-2-3: both ends of every beam of every level rest on a wall or a column.
bool batiment_poutre_appui_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_fonde_poutre(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l,
                         Compute_data_types::poutre& p);
bool niveau_fonde_poutre(Check::session& s, critere c, const Compute_data_types::niveau_toit& l,
                         Compute_data_types::poutre& p);

// The point lies on or in the wall's rectangle.
bool appui_fonde_sur_mur(const Compute_data_types::point& p, const Compute_data_types::mur& m);
// The point lies within 0.1 m of the column's position.
bool appui_fonde_sur_poteau(const Compute_data_types::point& p, const Compute_data_types::poteau& c);

// Writes "le mur %a" or "le poteau %a".
void print_appui(Format::Printer& ppf, const Compute_data_types::appui& a);

// ---------------------------------------------------------------------------
// CR-2-3: set-backs in plan, roof level first, then the floor levels.

bool batiment_retrait_en_plan_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_regularite_retrait_checkings(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l);
bool niveau_regularite_retrait_checkings(Check::session& s, critere c, const Compute_data_types::niveau_toit& l);

// The floor area the set-backs are compared with: the floor's surface, or
// the roof's for the roof level.
double niveau_surface_plancher(const Compute_data_types::niveau_plancher& l);
double niveau_surface_plancher(const Compute_data_types::niveau_toit& l);

}  // namespace Conception_batiment
