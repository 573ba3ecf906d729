#pragma once
// The floor area carried by each bracing wall (criterion CR-3-5): it must be
// known for every bracing wall (CR-3-5-0) and stay within the guide's
// maximum Sp,max for the wall's length (CR-3-5-1).
#include "criteria/check.hpp"
#include "criteria/tqmv.hpp"
#include "model/compute_data_types.hpp"

namespace Sp_batiment {

using Tqmv::critere;

// The test of CR-3-5: CR-3-5-0, then CR-3-5-1.
bool batiment_sp_checkings(Check::session& s, const Compute_data_types::batiment& b);

// CR-3-5-0: the roof level, then each floor level, stopping at the first
// failure.
bool batiment_sp_done_check(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_sp_checks(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l);
bool niveau_sp_checks(Check::session& s, critere c, const Compute_data_types::niveau_toit& l);
bool niveau_mur_sp_check(Check::session& s, const Compute_data_types::niveau_plancher& l,
                         const Compute_data_types::mur& m);
bool niveau_mur_sp_check(Check::session& s, const Compute_data_types::niveau_toit& l, const Compute_data_types::mur& m);

// CR-3-5-1: the same level order.
bool batiment_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b);
bool niveau_sp_max_checks(Check::session& s, critere c, const Compute_data_types::batiment& b,
                          const Compute_data_types::niveau_plancher& l);
bool niveau_sp_max_checks(Check::session& s, critere c, const Compute_data_types::batiment& b,
                          const Compute_data_types::niveau_toit& l);
bool niveau_mur_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                             const Compute_data_types::niveau_plancher& l, const Compute_data_types::mur& m);
bool niveau_mur_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                             const Compute_data_types::niveau_toit& l, const Compute_data_types::mur& m);

// The guide's maximum floor area for the wall in this building.
double mur_sp_max(const Compute_data_types::batiment& b, const Compute_data_types::mur& m);

}  // namespace Sp_batiment
