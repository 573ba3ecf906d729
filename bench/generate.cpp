#include "generate.hpp"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace Bench_generate {

std::string read_file(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + name);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {

std::string wall(int numero, double x, double y, double lx, double ly) {
  char text[512];
  std::snprintf(text, sizeof text,
                " ;\n          { mur_categorie = Mur_en_refend ;\n"
                "            mur_position = { p_x = %.4f ; p_y = %.4f ; } ;\n"
                "            mur_direction = X ;\n            mur_numero = %d ;\n"
                "            mur_genre = Mur_secondaire ;\n"
                "            mur_solide = { s_lx = %.4f ; s_ly = %.4f ; s_lz = 2.5 ; } ;\n"
                "            mur_nom = \"MG%dn0\" ;\n            mur_sp = Sp_value 1. ;\n          }",
                x, y, numero, lx, ly, numero);
  return text;
}

}  // namespace

std::string house_with_walls(const std::string& example_text, int walls) {
  const std::size_t murs = example_text.find("niveau_murs = [");
  if (murs == std::string::npos) throw std::runtime_error("no wall list in the example");
  const std::size_t close = example_text.find(']', murs);
  // The last wall of the list ends with "}" just before the closing bracket.
  const std::size_t last = example_text.rfind('}', close);
  const int extra = walls > 8 ? walls - 8 : 0;
  std::string added;
  if (extra > 0) {
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(extra))));
    const double cell_x = 4.5 / side;
    const double cell_y = 3.5 / side;
    for (int i = 0; i < extra; ++i)
      added += wall(100 + i, 6.5 + (i % side) * cell_x, 0.5 + (i / side) * cell_y, cell_x / 2, cell_y / 2);
  }
  return example_text.substr(0, last + 1) + added + example_text.substr(last + 1);
}

}  // namespace Bench_generate
