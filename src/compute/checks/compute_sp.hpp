#pragma once
// The sorted distinct abscissae and ordinates of the walls and beam ends of
// a level: the grid on which the floor portions carried by the walls are
// laid out.
#include <utility>
#include <vector>

#include "model/compute_data_types.hpp"

namespace Compute_sp {

using coordonnees = std::vector<double>;
// (abscissae, ordinates)
using basic_vertices = std::pair<coordonnees, coordonnees>;

// The x (resp. y) of each wall's south-west corner, in wall order.
coordonnees get_abscisses_murs(const Compute_data_types::murs& murs);
coordonnees get_ordonnees_murs(const Compute_data_types::murs& murs);

// [x of the beam segment's position; x of its vertex], and likewise for y.
coordonnees get_poutre_abscisses(const Compute_data_types::poutre& p);
coordonnees get_poutre_ordonnees(const Compute_data_types::poutre& p);
// The concatenation over the beams in order.
coordonnees get_poutres_abscisses(const Compute_data_types::poutres& ps);
coordonnees get_poutres_ordonnees(const Compute_data_types::poutres& ps);

// Each sequence sorted ascending with its duplicates removed (values
// compare exactly).
basic_vertices get_basic_vertices(coordonnees xs, coordonnees ys);

// The walls' coordinates followed by the beams', reduced as above.
basic_vertices create_basic_vertices(const Compute_data_types::niveau_plancher& l);
basic_vertices create_basic_vertices(const Compute_data_types::niveau_toit& l);
basic_vertices _create_validated_cases(const Compute_data_types::niveau_plancher& l);
basic_vertices _create_validated_cases(const Compute_data_types::niveau_toit& l);

}  // namespace Compute_sp
