#include "checks/compute.hpp"

#include "checks/conception_batiment.hpp"
#include "checks/consistency_batiment.hpp"
#include "checks/dimensionnement_batiment.hpp"
#include "checks/geometry_batiment.hpp"
#include "model/compute_data.hpp"

namespace Compute {

namespace {

using Tqmv::critere;

// Families run in order; a family that fails stops the later ones, so a
// checking reports at most one failed test.
const Check::etape<Compute_data_types::batiment> familles[] = {
    {critere::CR_0, nullptr, nullptr, Consistency_batiment::batiment_consistency_checkings},
    {critere::CR_1, nullptr, nullptr, Geometry_batiment::batiment_geometrie_checkings},
    {critere::CR_2, nullptr, nullptr, Conception_batiment::batiment_conception_checkings},
    {critere::CR_3, nullptr, nullptr, Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings},
};

}  // namespace

bool batiment_validity_check(Check::session& s, const Compute_data_types::batiment& b) {
  if (!Check::run_family(s, familles, b)) return false;
  return s.stop_checkings();
}

checked_batiment check_description(const Input_data_types::batiment& description, const context_of_model& context_of) {
  Compute_data_types::batiment b = Compute_data::input_batiment_pre_compute(description);
  Check::session s(context_of(b));
  bool compliant = false;
  try {
    compliant = batiment_validity_check(s, b);
  } catch (const Error_wrong_test&) {
    // The failure is recorded in the session; the outcome carries it.
  }
  Outcome::outcome outcome = std::move(s).release_outcome(compliant);
  return checked_batiment{std::move(b), std::move(outcome)};
}

checked_batiment check_description(const Input_data_types::batiment& description, const Check::run_context& context) {
  return check_description(description, [&context](const Compute_data_types::batiment&) { return context; });
}

}  // namespace Compute
