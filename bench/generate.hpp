#pragma once
// Generated inputs for the benchmarks: a house with many walls, a large
// nested document.
#include <string>

namespace Bench_generate {

// The one-storey example house with `walls` walls on its level: its own eight
// walls, then small secondary interior walls laid out in a grid in the free
// part of the ground floor (x from 6.5 to 11, y from 0.5 to 4), none touching
// another. `walls` below eight keeps the example as it is.
std::string house_with_walls(const std::string& example_text, int walls);

// The text of the example file (read relative to the repository root).
std::string read_file(const std::string& name);

}  // namespace Bench_generate
