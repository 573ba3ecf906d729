#pragma once
// The internal consistency of a building description (family CR-0): file
// names, building type, dimensions, ground slope, levels, plans, walls,
// columns, beams, floor openings, balconies and set-backs, checked on the
// computed model before any criterion of the guide is applied.
//
// Every check records a success paragraph and returns true, or records the
// failure through the checking framework and returns false (the report-file
// probe and the balcony-facade check raise Error_wrong_test instead).
#include <optional>
#include <string>
#include <string_view>

#include "criteria/check.hpp"
#include "model/compute_data_types.hpp"

namespace Consistency_batiment {

using Compute_data_types::batiment;
using Compute_data_types::niveau_plancher;
using Compute_data_types::niveau_toit;
using Tqmv::critere;

// ---------------------------------------------------------------------------
// Name tables: one per entity kind, each mapping a name to the level where it
// was first seen (the level table maps a level name to its storey number).

// The entity kinds, with the names used in messages.
using Nom_registry::entity_kind;

// "niveau", "plan", "mur", "poteau", "poutre", "trémie", "balcon", "retrait", "étage".
std::string batiment_entity_name(entity_kind k);
// The article of the kind in messages: "du ", "de la " or "de l'".
std::string batiment_entity_of_the(entity_kind k);
// The suffix format of the names held by a container kind: "n%d" for the
// entities of a level, "%d" for a level (held by its storey); any other kind
// is a fatal error.
std::string_view batiment_entity_suffix_format(entity_kind container);
// The suffix itself, the format filled with the storey number.
std::string batiment_entity_suffix(entity_kind container, int etage);


// ---------------------------------------------------------------------------
// CR-0-11: file names.

bool batiment_report_file_name_writable_check(Check::session& s, const batiment& b);
bool batiment_internal_file_name_check(Check::session& s, const batiment& b);
bool batiment_file_name_checkings(Check::session& s, critere c, const batiment& b);

// CR-0-12: the building type agrees with the number of storeys.
bool batiment_type_check(Check::session& s, critere c, const batiment& b);

// CR-0-0: dimensions (CR-0-0-0 then CR-0-0-1).
bool batiment_lmin_lmax_check(Check::session& s, critere c, const batiment& b);
bool batiment_hauteur_consistency_check(Check::session& s, critere c, const batiment& b);
bool batiment_dimension_checkings(Check::session& s, const batiment& b);

// CR-0-10: ground slope (CR-0-10-0 then CR-0-10-1).
bool batiment_pente_de_sol_valid(Check::session& s, critere c, const batiment& b);
bool batiment_pente_de_sol_add_justification(Check::session& s, critere c, const batiment& b);
bool batiment_pente_de_sol_checkings(Check::session& s, const batiment& b);

// CR-0-1: levels.
bool niveau_unique_nom_check(Check::session& s, const niveau_plancher& n);
bool niveau_unique_nom_check(Check::session& s, const niveau_toit& n);
bool batiment_niveaux_checkings(Check::session& s, const batiment& b);

// CR-0-9: plans.
bool niveau_plan_heritage_check(Check::session& s, const niveau_plancher& n);
bool niveau_plan_heritage_check(Check::session& s, const niveau_toit& n);
bool niveau_plan_checks(Check::session& s, const batiment& b, const niveau_plancher& n);
bool niveau_plan_checks(Check::session& s, const batiment& b, const niveau_toit& n);
bool batiment_plans_checkings(Check::session& s, const batiment& b);

// CR-0-2: bracing walls in both directions.
bool niveau_nombre_contreventements_check(Check::session& s, const niveau_plancher& n);
bool niveau_nombre_contreventements_check(Check::session& s, const niveau_toit& n);
bool batiment_nombre_contreventements_checkings(Check::session& s, const batiment& b);

// CR-0-3: walls.
bool niveau_mur_all_checks(Check::session& s, const batiment& b, const niveau_plancher& n);
bool niveau_mur_all_checks(Check::session& s, const batiment& b, const niveau_toit& n);
bool batiment_murs_checkings(Check::session& s, const batiment& b);

// CR-0-4 to CR-0-8: columns, beams, floor openings, balconies, set-backs.
bool batiment_poteaux_checkings(Check::session& s, const batiment& b);
bool batiment_poutres_checkings(Check::session& s, const batiment& b);
bool batiment_tremies_checkings(Check::session& s, const batiment& b);
bool batiment_balcons_checkings(Check::session& s, const batiment& b);
bool batiment_retraits_checkings(Check::session& s, const batiment& b);

// The whole family, in order; stops at the first failing test.
bool batiment_consistency_checkings(Check::session& s, const batiment& b);

}  // namespace Consistency_batiment
