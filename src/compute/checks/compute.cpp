#include "checks/compute.hpp"

#include "checks/conception_batiment.hpp"
#include "checks/consistency_batiment.hpp"
#include "checks/dimensionnement_batiment.hpp"
#include "checks/geometry_batiment.hpp"
#include "criteria/check.hpp"
#include "criteria/tqmv.hpp"

namespace Compute {

namespace {

// Families run in order; a family that fails stops the later ones, so a
// checking reports at most one failed test.
bool run_families(const Compute_data_types::batiment& b) {
  using Tqmv::critere;
  return Check::make_checkings(critere::CR_0, Consistency_batiment::batiment_consistency_checkings, b) &&
         Check::make_checkings(critere::CR_1, Geometry_batiment::batiment_geometrie_checkings, b) &&
         Check::make_checkings(critere::CR_2, Conception_batiment::batiment_conception_checkings, b) &&
         Check::make_checkings(critere::CR_3,
                               Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings, b);
}

}  // namespace

bool batiment_validity_check(const Compute_data_types::batiment& b) {
  // Resets the counter, the criterion, both tables, the error logger and the
  // two per-run slots, then stores fresh tables and registers the building.
  Check::batiment_start_checkings(b);
  Consistency_batiment::clear_nom_tables();
  if (!run_families(b)) return false;
  return Check::stop_checkings();
}

}  // namespace Compute
