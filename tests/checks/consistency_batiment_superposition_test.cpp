// The overlap check of the walls of a level, which compares each wall only
// with its neighbours: the neighbourhood itself, and the same first
// overlapping pair as when every pair is compared.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "checks/consistency_batiment.hpp"
#include "checks/test_houses.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/compute_utils.hpp"
#include "model/compute_data_utils.hpp"
#include "text/exceptions.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_10x8;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// A wall of the computed model reduced to what the overlap test reads: its
// direction, its name and its rectangle (corners and sides are left out, so
// that any coordinates can be given).
std::shared_ptr<Compute_data_types::mur> mur(const std::string& nom, direction d, double x, double y, double w,
                                             double h) {
  auto m = std::make_shared<Compute_data_types::mur>();
  m->mur_direction = d;
  m->mur_nom = nom;
  m->mur_rectangle.width = w;
  m->mur_rectangle.height = h;
  m->mur_rectangle.position = Compute_data_types::point{x, y};
  return m;
}

std::vector<Compute_pervasives_types::rectangle> rectangles_of(const Compute_data_types::murs& murs) {
  std::vector<Compute_pervasives_types::rectangle> rectangles;
  for (const auto& m : murs) rectangles.push_back(m->mur_rectangle);
  return rectangles;
}

std::vector<std::size_t> voisins(const Compute_pervasives::voisinage& v, std::size_t i) {
  std::vector<std::size_t> out;
  v.voisins_de(i, out);
  return out;
}

// ---------------------------------------------------------------------------
// Extents and neighbours.

TEST(Superposition, ExtentsAreOrderedAndComparedStrictly) {
  const struct {
    const char* what;
    Compute_pervasives::boite a;
    Compute_pervasives::boite b;
    bool disjointes;
  } cases[] = {
      {"same extent", {0, 1, 0, 1}, {0, 1, 0, 1}, false},
      {"sharing a side", {0, 1, 0, 1}, {1, 2, 0, 1}, false},
      {"sharing a corner", {0, 1, 0, 1}, {1, 2, 1, 2}, false},
      {"a millimetre apart on x", {0, 1, 0, 1}, {1.001, 2, 0, 1}, true},
      {"a millimetre apart on y", {0, 1, 0, 1}, {0, 1, -1, -0.001}, true},
      {"overlapping on x only", {0, 1, 0, 1}, {0.5, 2, 3, 4}, true},
      {"unbounded", {-inf, inf, 0, 1}, {1e300, inf, 0.5, 0.6}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Compute_pervasives::boites_disjointes(c.a, c.b), c.disjointes) << c.what;
    EXPECT_EQ(Compute_pervasives::boites_disjointes(c.b, c.a), c.disjointes) << c.what;
  }
  const auto negatif = mur("M", direction::X, 2.0, 3.0, -1.0, -0.5);
  const Compute_pervasives::boite b = Compute_pervasives::rectangle_boite(negatif->mur_rectangle);
  EXPECT_EQ(b.x_min, 1.0);
  EXPECT_EQ(b.x_max, 2.0);
  EXPECT_EQ(b.y_min, 2.5);
  EXPECT_EQ(b.y_max, 3.0);
  EXPECT_FALSE(Compute_pervasives::rectangle_sauvage(negatif->mur_rectangle));
  EXPECT_TRUE(Compute_pervasives::rectangle_sauvage(mur("M", direction::X, nan, 0, 1, 1)->mur_rectangle));
  EXPECT_TRUE(Compute_pervasives::rectangle_sauvage(mur("M", direction::X, 0, 0, 1, nan)->mur_rectangle));
  EXPECT_TRUE(Compute_pervasives::rectangle_sauvage(mur("M", direction::X, -inf, 0, inf, 1)->mur_rectangle));
  EXPECT_FALSE(Compute_pervasives::rectangle_sauvage(mur("M", direction::X, -inf, 0, 1, 1)->mur_rectangle));
}

TEST(Superposition, NeighboursInLevelOrder) {
  // Four walls in a row, 0.2 thick: the first two touch, the third is 0.05
  // from the second (beyond the margin), the fourth crosses the third.
  const Compute_data_types::murs murs = {mur("A", direction::X, 3.0, 0, 1, 0.2), mur("B", direction::X, 2.0, 0, 1, 0.2),
                                         mur("C", direction::X, 0.0, 0, 1.95, 0.2),
                                         mur("D", direction::Y, 0.5, -1, 0.2, 2),
                                         mur("E", direction::X, 3.995, 0, 1, 0.2)};
  const Compute_pervasives::voisinage v(rectangles_of(murs));
  const struct {
    std::size_t mur;
    std::vector<std::size_t> voisins;
  } cases[] = {{0, {0, 1, 4}}, {1, {0, 1}}, {2, {2, 3}}, {3, {2, 3}}, {4, {0, 4}}};
  for (const auto& c : cases) EXPECT_EQ(voisins(v, c.mur), c.voisins) << c.mur;
}

TEST(Superposition, WallsWithoutExtentAreEveryonesNeighbours) {
  const Compute_data_types::murs murs = {mur("A", direction::X, 0, 0, 1, 0.2), mur("B", direction::X, 100, 0, 1, 0.2),
                                         mur("C", direction::X, nan, 0, 1, 0.2), mur("D", direction::X, 50, 50, 1, 0.2),
                                         mur("E", direction::X, inf, 0, -inf, 0.2)};
  const Compute_pervasives::voisinage v(rectangles_of(murs));
  EXPECT_EQ(voisins(v, 0), (std::vector<std::size_t>{0, 2, 4}));
  EXPECT_EQ(voisins(v, 3), (std::vector<std::size_t>{2, 3, 4}));
  EXPECT_EQ(voisins(v, 2), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(voisins(v, 4), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  const Compute_pervasives::voisinage vide(rectangles_of(Compute_data_types::murs{}));
  EXPECT_EQ(vide.size(), 0U);
}

// ---------------------------------------------------------------------------
// Against every pair: the first wall (in level order) that overlaps another
// one by more than the square of its thickness, and for it the first such
// other wall, found by comparing with every wall and with the neighbours
// only. A computation that fails is part of the outcome.

struct issue {
  std::optional<std::pair<std::size_t, std::size_t>> paire;
  std::string erreur;
  bool operator==(const issue&) const = default;
};

std::ostream& operator<<(std::ostream& os, const issue& i) {
  if (i.paire) os << i.paire->first << "/" << i.paire->second;
  return os << " " << i.erreur;
}

bool se_superposent(const Compute_data_types::mur& m, const Compute_data_types::mur& autre) {
  if (&m == &autre) return false;
  const auto inter = Compute_pervasives::rectangle_inter_rectangle(m.mur_rectangle, autre.mur_rectangle);
  const auto* r = std::get_if<Compute_pervasives_types::Ri_rectangle>(&inter);
  if (r == nullptr) return false;
  const double e = Compute_data_utils::mur_epaisseur(m);
  return !Quavor_pervasives::almost_less_equal(r->value.width * r->value.height, e * e);
}

template <class Autres>
issue premiere_superposition(const Compute_data_types::murs& murs, Autres autres) {
  for (std::size_t i = 0; i < murs.size(); ++i)
    for (std::size_t j : autres(i)) {
      try {
        if (se_superposent(*murs[i], *murs[j])) return issue{std::make_pair(i, j), ""};
      } catch (const std::exception& e) {
        return issue{std::make_pair(i, j), e.what()};
      }
    }
  return issue{};
}

issue par_paires(const Compute_data_types::murs& murs) {
  return premiere_superposition(murs, [&](std::size_t) {
    std::vector<std::size_t> tous(murs.size());
    for (std::size_t k = 0; k < tous.size(); ++k) tous[k] = k;
    return tous;
  });
}

issue par_voisins(const Compute_data_types::murs& murs) {
  const Compute_pervasives::voisinage v(rectangles_of(murs));
  return premiere_superposition(murs, [&](std::size_t i) { return voisins(v, i); });
}

// Walls 0.2 thick and 0.8 to 4 long, n of them, laid at random in a square
// of the given side; with a step, positions and lengths are multiples of it,
// so that walls often touch or meet at corners exactly.
Compute_data_types::murs au_hasard(unsigned graine, int n, double cote, double pas) {
  std::mt19937 g(graine);
  std::uniform_real_distribution<double> position(0.0, cote);
  std::uniform_real_distribution<double> longueur(0.8, 4.0);
  const auto cale = [pas](double v) { return pas > 0 ? std::round(v / pas) * pas : v; };
  Compute_data_types::murs murs;
  for (int k = 0; k < n; ++k) {
    const bool en_x = g() % 2 == 0;
    const double l = cale(longueur(g));
    const double x = cale(position(g));
    const double y = cale(position(g));
    murs.push_back(
        mur("M" + std::to_string(k), en_x ? direction::X : direction::Y, x, y, en_x ? l : 0.2, en_x ? 0.2 : l));
  }
  return murs;
}

TEST(Superposition, SameFirstOverlapAsEveryPairOnRandomLayouts) {
  // Densities from about one overlapping pair per layout to many.
  const struct {
    unsigned graine;
    int n;
    double cote;
    double pas;
  } cases[] = {{1, 40, 15.0, 0.0},   {2, 200, 80.0, 0.0},  {3, 300, 100.0, 0.0}, {4, 60, 30.0, 0.0},
               {5, 1000, 300.0, 0.0}, {6, 2, 1.0, 0.0},    {7, 500, 400.0, 0.0}, {8, 120, 100.0, 0.0},
               {9, 100, 60.0, 0.2},   {10, 300, 200.0, 0.2}, {11, 400, 120.0, 0.1}, {12, 50, 20.0, 0.2},
               {13, 2000, 500.0, 0.0}, {14, 200, 1e4, 0.0},   {15, 300, 25.0, 0.0}, {16, 1000, 40.0, 0.1}};
  int milieu = 0;  // layouts whose first overlapping wall is not the first wall
  for (const auto& c : cases) {
    const Compute_data_types::murs murs = au_hasard(c.graine, c.n, c.cote, c.pas);
    const issue attendu = par_paires(murs);
    EXPECT_EQ(par_voisins(murs), attendu) << c.graine;
    if (attendu.paire && attendu.paire->first > 0) ++milieu;
  }
  EXPECT_GE(milieu, 6);
}

// Every wall's neighbours, in order, are exactly the walls not strictly apart
// from it by more than 0.01 (or without extent), and every other wall meets
// it in nothing, either way round.
TEST(Superposition, NeighboursAreTheWallsNotApart) {
  const double marge = 0.01;
  for (unsigned graine = 20; graine < 26; ++graine) {
    Compute_data_types::murs murs = au_hasard(graine, 400, 60.0, graine % 2 == 0 ? 0.01 : 0.0);
    // Some walls without extent, some unbounded ones.
    murs[7]->mur_rectangle.position.p_x = nan;
    murs[100]->mur_rectangle.height = nan;
    murs[200]->mur_rectangle.position.p_y = -inf;
    murs[300]->mur_rectangle.width = inf;
    const Compute_pervasives::voisinage v(rectangles_of(murs));
    for (std::size_t i = 0; i < murs.size(); ++i) {
      const auto& r = murs[i]->mur_rectangle;
      const Compute_pervasives::boite b = Compute_pervasives::rectangle_boite(r);
      const Compute_pervasives::boite large{b.x_min - marge, b.x_max + marge, b.y_min - marge, b.y_max + marge};
      std::vector<std::size_t> attendus;
      for (std::size_t j = 0; j < murs.size(); ++j) {
        const auto& autre = murs[j]->mur_rectangle;
        if (Compute_pervasives::rectangle_sauvage(r) || Compute_pervasives::rectangle_sauvage(autre) ||
            !Compute_pervasives::boites_disjointes(large, Compute_pervasives::rectangle_boite(autre))) {
          attendus.push_back(j);
          continue;
        }
        EXPECT_TRUE(std::holds_alternative<Compute_pervasives_types::Ri_empty>(
            Compute_pervasives::rectangle_inter_rectangle(r, autre)))
            << graine << " " << i << " " << j;
        EXPECT_TRUE(std::holds_alternative<Compute_pervasives_types::Ri_empty>(
            Compute_pervasives::rectangle_inter_rectangle(autre, r)))
            << graine << " " << i << " " << j;
      }
      ASSERT_EQ(voisins(v, i), attendus) << graine << " " << i;
    }
  }
}

TEST(Superposition, SameFirstOverlapAsEveryPairOnChosenLayouts) {
  // m is 0.2 thick along X: the largest overlap accepted is 0.04 m2 within
  // 0.001.
  const auto a = [](double x, double y, double w, double h) { return mur("A", direction::X, x, y, w, h); };
  const auto b = [](double x, double y, double w, double h) { return mur("B", direction::Y, x, y, w, h); };
  const struct {
    const char* what;
    Compute_data_types::murs murs;
    issue attendu;
  } cases[] = {
      {"corner: exactly the square", {a(0, 0, 2, 0.2), b(0, 0, 0.2, 2)}, {}},
      {"corner within the tolerance", {a(0, 0, 2, 0.2), b(0, 0, 0.2049, 2)}, {}},
      {"corner beyond the tolerance", {a(0, 0, 2, 0.2), b(0, 0, 0.2051, 2)}, {std::make_pair(0U, 1U), ""}},
      {"touching along a side", {a(0, 0, 2, 0.2), a(0, 0.2, 2, 0.2)}, {}},
      {"a corner touching", {a(0, 0, 2, 0.2), a(2, 0.2, 2, 0.2)}, {}},
      {"far apart", {a(0, 0, 2, 0.2), a(1e6, -1e6, 2, 0.2)}, {}},
      {"the other wall comes later in the list",
       {a(0, 0, 2, 0.2), b(50, 50, 0.2, 3), a(50, 50, 2, 0.2), a(0, 0.1, 2, 0.2)},
       {std::make_pair(0U, 3U), ""}},
      {"the first other wall in level order",
       {a(10, 10, 2, 0.2), a(10.5, 10.05, 2, 0.2), a(9, 10.1, 2, 0.2), a(10, 10, 2, 0.2)},
       {std::make_pair(0U, 1U), ""}},
      {"negative width", {a(2, 0, -2, 0.2), a(0, 0, 2, 0.2)}, {}},
      // The intersection keeps the first operand's value when a comparison
      // with a value that is not a number fails: the overlap is empty one way
      // and whole the other way.
      {"a coordinate that is not a number",
       {a(nan, 0, 2, 0.2), a(0, 0, 2, 0.2), a(0, 0.1, 2, 0.2)},
       {std::make_pair(1U, 0U), ""}},
      {"a width that is not a number", {a(0, 0, nan, 0.2), a(0, 0, 2, 0.2)}, {std::make_pair(1U, 0U), ""}},
      {"not a number, then an overlap", {a(0, 0, 2, 0.2), a(5, nan, 2, 0.2), a(0, 0.05, 2, 0.2)},
       {std::make_pair(0U, 2U), ""}},
      {"unbounded walls",
       {a(-inf, 0, 2, 0.2), a(0, 0, inf, 0.2), a(100, 0.1, 2, 0.2)},
       {std::make_pair(1U, 2U), ""}},
      {"an overlap too wide to be drawn",
       {a(-1e308, 0, inf, 0.2), a(-1e308, 0, inf, 0.2)},
       {std::make_pair(0U, 1U),
        "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: vertices_compute_direction: cannot find "
        "direction of segment"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(par_paires(c.murs), c.attendu) << c.what;
    EXPECT_EQ(par_voisins(c.murs), c.attendu) << c.what;
  }
}

// ---------------------------------------------------------------------------
// The check itself on houses whose walls all pass the first pass: the same
// outcome and message as the first overlap found among every pair.

std::string superposition_message(const Compute_data_types::mur& m, const Compute_data_types::mur& autre) {
  const auto inter = Compute_pervasives::rectangle_inter_rectangle(m.mur_rectangle, autre.mur_rectangle);
  const auto& r = std::get<Compute_pervasives_types::Ri_rectangle>(inter).value;
  const double e = Compute_data_utils::mur_epaisseur(m);
  return Format::asprintf(
      "le mur %a n'est pas disjoint du mur %a:@ les murs se superposent sur une aire de %a mais l'aire de "
      "chevauchement maximale tolérée est %a",
      Compute_data_utils::print_nom_entity, m.mur_nom, Compute_data_utils::print_nom_entity, autre.mur_nom,
      Compute_utils::print_area, r.width * r.height, Compute_utils::print_area, e * e);
}

// The example house with n secondary walls laid at random inside it, each
// declared in the category computed for it.
Compute_data_types::batiment maison_au_hasard(unsigned graine, int n) {
  std::mt19937 g(graine);
  std::uniform_real_distribution<double> x(0.2, 8.0);
  std::uniform_real_distribution<double> y(0.2, 6.0);
  std::uniform_real_distribution<double> longueur(0.3, 1.8);
  Input_data_types::batiment house = r0_house();
  for (int k = 0; k < n; ++k) {
    const bool en_x = g() % 2 == 0;
    const double l = longueur(g);
    house.batiment_niveau_toit.niveau_murs.push_back(wall(
        "S" + std::to_string(k) + "n0", en_x ? direction::X : direction::Y, x(g), y(g), en_x ? l : 0.2, en_x ? 0.2 : l,
        2.5, Quavor_data_types::mur_categorie::Mur_en_refend, Quavor_data_types::mur_genre::Mur_secondaire));
  }
  Compute_data_types::batiment b = compute(house);
  auto& niveau = b.batiment_niveau_toit;
  for (const auto& m : niveau.niveau_murs) m->mur_categorie = Quavor_data_types::mur_categorie::Mur_en_refend;
  for (const auto& m : niveau.murs_facade_calcules) m->mur_categorie = Quavor_data_types::mur_categorie::Mur_de_facade;
  return b;
}

TEST(Superposition, TheCheckReportsTheFirstOverlapOfEveryPair) {
  int avec_superposition = 0;
  for (unsigned graine = 1; graine <= 40; ++graine) {
    const int n = 1 + static_cast<int>(graine % 7) * 3;
    const Compute_data_types::batiment b = maison_au_hasard(graine, n);
    const Compute_data_types::murs& murs = b.batiment_niveau_toit.niveau_murs;
    const issue attendu = par_paires(murs);
    ASSERT_EQ(attendu.erreur, "");
    Checking checking(b);
    const bool ok =
        session().make_checkings(critere::CR_0_3, Consistency_batiment::batiment_murs_checkings, checking.b);
    EXPECT_EQ(ok, !attendu.paire.has_value()) << graine;
    if (!attendu.paire) continue;
    ++avec_superposition;
    const auto [i, j] = *attendu.paire;
    const failure attendue{"Cohérence du bâtiment", "CR-0-3", rdc_loc, superposition_message(*murs[i], *murs[j])};
    EXPECT_EQ(recorded_failure(), attendue) << graine;
  }
  // Both outcomes are exercised.
  EXPECT_GT(avec_superposition, 5);
  EXPECT_LT(avec_superposition, 40);
}

}  // namespace
