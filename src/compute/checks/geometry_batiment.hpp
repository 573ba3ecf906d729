#pragma once
// The geometric limits of the guide (family CR-1): number of storeys, total
// area of floor openings, height, ground area, floor diagonal, plan shape,
// basement height, storey height, floor mass per area, opening dimensions
// and slenderness. Stateless.
#include <string>

#include "criteria/check.hpp"
#include "model/compute_data_types.hpp"
#include "geometry/quavor_pervasives_types.hpp"

namespace Geometry_batiment {

using Compute_data_types::batiment;
using Compute_data_types::niveau_plancher;
using Compute_data_types::niveau_toit;
using Compute_data_types::tremie;
using Quavor_pervasives_types::direction;
using Tqmv::critere;

// CR-1-0
bool batiment_nombre_de_niveaux_check(Check::session& s, critere c, const batiment& b);
bool batiment_nombre_de_niveaux_checks(Check::session& s, const batiment& b);

// CR-1-1
bool niveau_toit_tremies_surface_check(Check::session& s, const niveau_toit& n);
bool niveau_plancher_tremies_surface_check(Check::session& s, const niveau_plancher& n);
bool batiment_tremies_surface_checkings(Check::session& s, const batiment& b);

// CR-1-2
bool batiment_hauteur_checking(Check::session& s, critere c, const batiment& b);

// CR-1-3
bool batiment_surface_totale_checking(Check::session& s, critere c, const batiment& b);

// CR-1-4
bool niveau_diagonale_checking(Check::session& s, critere c, const niveau_plancher& n);
bool niveau_diagonale_checking(Check::session& s, critere c, const niveau_toit& n);
bool batiment_diagonale_plancher_checkings(Check::session& s, critere c, const batiment& b);

// CR-1-5
bool batiment_forme_horizontale_checkings(Check::session& s, const batiment& b);

// CR-1-6
bool batiment_hauteur_sous_sol_checking(Check::session& s, critere c, const batiment& b);

// CR-1-7
bool niveau_hauteur_maximale_etage_check(Check::session& s, critere c, const niveau_plancher& n);
bool niveau_hauteur_maximale_etage_check(Check::session& s, critere c, const niveau_toit& n);
bool batiment_hauteur_maximale_etage_checking(Check::session& s, critere c, const batiment& b);

// CR-1-8
bool niveau_plancher_masse_surfacique_check(Check::session& s, critere c, const niveau_plancher& n);
bool batiment_masse_surfacique_plancher_checking(Check::session& s, critere c, const batiment& b);

// CR-1-9
bool direction_l_tremie_l_plan_check(Check::session& s, critere c, const std::string& niveau_nom,
                                     const Compute_data_types::plan& p, const tremie& t, direction d);
bool niveau_tremie_dimension_check(Check::session& s, critere c, const std::string& niveau_nom,
                                   const Compute_data_types::plan& p, const tremie& t);
bool niveau_tremie_dimension_checkings(Check::session& s, critere c, const niveau_toit& n);
bool niveau_plancher_tremie_dimension_checkings(Check::session& s, critere c, const niveau_plancher& n);
bool batiment_tremie_dimension_checking(Check::session& s, critere c, const batiment& b);

// CR-1-10
double batiment_elancement(const batiment& b);
bool batiment_elancement_checking(Check::session& s, critere c, const batiment& b);

// The whole family, in order; stops at the first failing test.
bool batiment_geometrie_checkings(Check::session& s, const batiment& b);

}  // namespace Geometry_batiment
