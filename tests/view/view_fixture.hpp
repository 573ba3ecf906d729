#pragma once
// A checked house for the renderer tests: examples/house_r1.qvb copied into
// a fresh scratch directory, its recorded name made the copy's, checked by
// the one pipeline.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "view/checked_file.hpp"

namespace View_fixture {

// The example house, checked under a name inside `dir`.
inline Checked_file::result checked_house(const std::filesystem::path& dir) {
  std::string text = Test_support::read_file(std::filesystem::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb");
  const std::string recorded = "\"examples/house_r1.qvb\"";
  const std::filesystem::path copy = dir / "house_r1.qvb";
  text.replace(text.find(recorded), recorded.size(), "\"" + copy.string() + "\"");
  std::ofstream(copy, std::ios::binary) << text;
  return Checked_file::check_file(copy.string());
}

// Makes the checked house fail the wall-balance criterion (CR-3-4, test 44)
// on level Nv0, naming those elements, as a check would record it.
inline void fail_wall_balance(Checked_file::result& r, std::vector<std::string> elements, std::string message) {
  Outcome::outcome& o = r.checked->outcome;
  Outcome::failure f;
  f.critere = Tqmv::critere::CR_3_4;
  f.code = "CR-3-4";
  f.famille = "Dimensionnement du bâtiment";
  f.test_number = 44;
  f.where = Outcome::location{"Nv0", "rez-de-chaussée", "Au rez-de-chaussée (niveau Nv0)"};
  f.elements = std::move(elements);
  f.message = std::move(message);
  o.failed = f;
  o.compliant = false;
  r.state = Checked_file::verdict::not_compliant;
}

}  // namespace View_fixture
