#pragma once
// The one checking pipeline, shared by the file flow, the serving flow, the
// view program, the fuzz harness and the benchmark: derive the computed model
// from a description, run the four families of criteria in order in a fresh
// check session, and build the outcome.
#include <functional>

#include "criteria/check.hpp"
#include "criteria/outcome.hpp"
#include "description/input_data_types.hpp"
#include "model/compute_data_types.hpp"

namespace Compute {

// Runs the four families over a computed building in the session; true when
// the building passes every criterion. A fatal failure raises Error_wrong_test
// after recording it in the session.
bool batiment_validity_check(Check::session& s, const Compute_data_types::batiment& b);

// The model and the outcome of its check.
struct checked_batiment {
  Compute_data_types::batiment batiment;
  Outcome::outcome outcome;
};

// How the flow names the run once the model is known (the serving flow takes
// the file names from the model).
using context_of_model = std::function<Check::run_context(const Compute_data_types::batiment&)>;

// Derives, checks and builds the outcome. A fatal failure is part of the
// outcome (its failure is marked fatal); reading and derivation failures
// propagate as exceptions.
checked_batiment check_description(const Input_data_types::batiment& description, const context_of_model& context_of);
checked_batiment check_description(const Input_data_types::batiment& description, const Check::run_context& context);

}  // namespace Compute
