#pragma once
// One level of a checked building drawn as an SVG plan: to scale, North up,
// with a scale bar and the North arrow; the contour and set-backs, walls as
// their rectangles coloured by bracing direction and facade / inner
// (secondary walls lighter), openings hatched, columns, beams between their
// ends, balconies; every element named in a <title> tooltip; the elements a
// failure names outlined in red; the centre of gravity of the level and the
// wall-balance shares (CR-3-4) when the check measured them.
#include <string>

#include "checks/compute.hpp"

namespace Plan_svg {

// The part of the plane every level's drawing shows (plans, balconies), so
// that all the plans of a building share one scale and frame.
struct frame {
  double min_x = 0.0;
  double max_x = 1.0;
  double min_y = 0.0;
  double max_y = 1.0;
  double pixels_per_metre = 40.0;
};

// The frame of the whole building, its larger side drawn `width` pixels long.
frame building_frame(const Compute_data_types::batiment& b, double width = 560.0);

// The plan of the level of that rank (floors in input order, then the roof),
// as an <svg> element. `id` makes the pattern names of this drawing unique in
// the page.
std::string level_svg(const Compute::checked_batiment& c, std::size_t level, const frame& f, const std::string& id);

// The number of levels (floors and the roof).
std::size_t level_count(const Compute_data_types::batiment& b);

// The name of the level of that rank.
std::string level_name(const Compute_data_types::batiment& b, std::size_t level);

// True when the failure names an element drawn on that level.
bool level_shows_failure(const Compute::checked_batiment& c, std::size_t level);

}  // namespace Plan_svg
