#pragma once
// The sizing criteria of the bracing walls (family CR-3): facade walls long
// enough, balance of the cumulative lengths in X and Y, share of the inner
// walls, distribution about the centre of gravity, element quality,
// minimum wall cross-section, and lastly the floor area carried by the
// walls (Sp_batiment).
#include <utility>

#include "criteria/check.hpp"
#include "criteria/tqmv.hpp"
#include "description/quavor_data_types.hpp"
#include "model/compute_data_types.hpp"
#include "text/format.hpp"

namespace Dimensionnement_batiment {

using Tqmv::critere;

// The test of CR-3: CR-3-1, CR-3-2, CR-3-3, CR-3-4, CR-3-6, CR-3-7, CR-3-5,
// stopping at the first failure.
bool batiment_dimensionnement_des_contreventements_checkings(Check::session& s, const Compute_data_types::batiment& b);

// ---------------------------------------------------------------------------
// CR-3-1: two long-enough bracing walls on opposite facades.

// Length >= 0.3 of the building's length (X walls) or width (Y walls).
bool cvt_long_enough_x(const Compute_data_types::batiment& b, const Compute_data_types::mur& m);
bool cvt_long_enough_y(const Compute_data_types::batiment& b, const Compute_data_types::mur& m);
bool batiment_proportion_de_contreventements_de_facades_checkings(Check::session& s, critere c,
                                                                  const Compute_data_types::batiment& b);
bool niveau_proportion_de_contreventements_de_facades_check(Check::session& s, critere c,
                                                            const Compute_data_types::batiment& b,
                                                            const Compute_data_types::niveau_plancher& l);
bool niveau_proportion_de_contreventements_de_facades_check(Check::session& s, critere c,
                                                            const Compute_data_types::batiment& b,
                                                            const Compute_data_types::niveau_toit& l);

// ---------------------------------------------------------------------------
// CR-3-2: 0.8 <= lt_x / lt_y <= 1.25.

bool batiment_longueur_cumulee_des_contreventements_checkings(Check::session& s, critere c,
                                                              const Compute_data_types::batiment& b);
bool niveau_longueur_cumulee_des_contreventements_check(Check::session& s, critere c,
                                                        const Compute_data_types::niveau_plancher& l);
bool niveau_longueur_cumulee_des_contreventements_check(Check::session& s, critere c,
                                                        const Compute_data_types::niveau_toit& l);

// ---------------------------------------------------------------------------
// CR-3-3: inner walls at most 0.25 of the bracing length.

bool batiment_repartition_des_contreventements_en_refend_checkings(Check::session& s, critere c,
                                                                   const Compute_data_types::batiment& b);
bool niveau_repartition_des_contreventements_en_refend_check(Check::session& s, critere c,
                                                             const Compute_data_types::niveau_plancher& l);
bool niveau_repartition_des_contreventements_en_refend_check(Check::session& s, critere c,
                                                             const Compute_data_types::niveau_toit& l);

// ---------------------------------------------------------------------------
// CR-3-4: distribution of the bracing walls about the plan's centre.

// The wall areas on either side of the lines through the centre.
struct repartition {
  double north = 0.0;
  double south = 0.0;
  double west = 0.0;
  double east = 0.0;
  bool operator==(const repartition&) const = default;
};

// Adds the wall's area to the sides of the centre g it lies on, half to
// each side when the line through g crosses it (measured from the wall's
// south-west corner, within one thickness).
repartition mur_cumulate(const Compute_data_types::point& g, const repartition& r, const Compute_data_types::mur& m);
// low <= value <= high, with tolerance.
bool bounded(double value, std::pair<double, double> range);
// North and South within 45-55 %, East and West within 30-70 %; and the reverse.
bool good_repartition_x(const repartition& parts);
bool good_repartition_y(const repartition& parts);

bool batiment_repartition_contreventements_gravite_checkings(Check::session& s, critere c,
                                                             const Compute_data_types::batiment& b);
bool niveau_repartition_contreventements_gravite_check(Check::session& s, critere c,
                                                       const Compute_data_types::niveau_plancher& l);
bool niveau_repartition_contreventements_gravite_check(Check::session& s, critere c,
                                                       const Compute_data_types::niveau_toit& l);

// ---------------------------------------------------------------------------
// CR-3-6: element quality.

// CR-3-6-1 to CR-3-6-4 in this order.
bool batiment_dimensionnement_qualite_des_elements_checkings(Check::session& s, const Compute_data_types::batiment& b);

// CR-3-6-1: mean bracing-wall length at least 2.0 m in each direction.
bool batiment_longueur_moyenne_contreventement_checkings(Check::session& s, critere c,
                                                         const Compute_data_types::batiment& b);
bool niveau_longueur_moyenne_contreventement_check(Check::session& s, critere c,
                                                   const Compute_data_types::niveau_plancher& l);
bool niveau_longueur_moyenne_contreventement_check(Check::session& s, critere c,
                                                   const Compute_data_types::niveau_toit& l);

// CR-3-6-2: tie beams 4HA12.
bool batiment_qualite_du_chainage_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
// CR-3-6-3: the masonry element the guide recommends.
bool batiment_qualite_des_elements_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
// CR-3-6-4: filled vertical joints.
bool batiment_joints_verticaux_remplis_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);

// "4HA12" or "4HA10".
void print_qualite_du_chainage_categorie(Format::Printer& ppf,
                                         const Quavor_data_types::qualite_du_chainage_categorie& q);
// "Granulats courant plein", ..., "Brique creuse 12".
void print_caracteristique_des_elements(Format::Printer& ppf, const Quavor_data_types::maconnerie_categorie& m);

// ---------------------------------------------------------------------------
// CR-3-7: ground area of the bracing walls over the plan's area, at least
// pa_min in each direction.

bool batiment_pa_min_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_pa_min_checks(Check::session& s, critere c, double pa_min, const Compute_data_types::niveau_plancher& l);
bool niveau_pa_min_checks(Check::session& s, critere c, double pa_min, const Compute_data_types::niveau_toit& l);

}  // namespace Dimensionnement_batiment
