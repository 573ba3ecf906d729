#pragma once
// Derivation of the computed building model from a building description.
// Derivation does not validate: the consistency checks run afterwards. It
// stops only on the fatal errors of the geometry (an edge that cannot be
// built, a weighted mean over a null total weight) and on the assertion
// failure of the contour fold.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "description/input_data_types.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_types.hpp"

namespace Compute_data {

// ---------------------------------------------------------------------------
// Elements.

Compute_data_types::mur_ref mur_compute(const Input_data_types::mur& m);
Compute_data_types::poteau_ref poteau_compute(const Input_data_types::poteau& p);
Compute_data_types::poutre_ref poutre_compute(const Input_data_types::poutre& p);
Compute_data_types::tremie tremie_compute(const Input_data_types::tremie& t);
Compute_data_types::balcon balcon_compute(const Input_data_types::balcon& b);
Compute_data_types::retrait_ref retrait_compute(const Input_data_types::retrait& r);

// ---------------------------------------------------------------------------
// Plans.

Compute_data_types::plan plan_compute(const Input_data_types::plan& p);
Compute_data_types::base base_compute(const Input_data_types::plan_base& b);

// ---------------------------------------------------------------------------
// Floors and roofs. The forms taking a computed plan reuse it (the level and
// its floor or roof then share one plan and its set-backs).

Compute_data_types::plancher niveau_plancher_compute(const Input_data_types::niveau_plancher& n);
Compute_data_types::plancher niveau_plancher_compute(const Input_data_types::niveau_plancher& n,
                                                     const Compute_data_types::plan& p);
Compute_data_types::toiture toiture_compute(const Input_data_types::niveau_toit& n);
Compute_data_types::toiture toiture_compute(const Input_data_types::niveau_toit& n,
                                            const Compute_data_types::plan& p);
Compute_data_types::toiture_lourde toiture_lourde_compute(const Input_data_types::toiture_lourde& t);
Compute_data_types::toiture_categorie toiture_categorie_compute(const Input_data_types::type_toiture& t);
// The heavy roof's thickness; 0.0 for a light roof.
double toiture_epaisseur_compute(const Input_data_types::type_toiture& t);

// ---------------------------------------------------------------------------
// Levels.

// Walls, classifications, facing lists and totals of a level whose
// category, walls, columns, beams, plan, storey and name are already set.
template <class C>
void niveau_classify(Compute_data_types::niveau<C>& l);

// The level built with its category builder, called as
// category_compute(input level, computed plan).
template <class C, class IC, class F>
Compute_data_types::niveau<C> niveau_compute(F category_compute, const Input_data_types::niveau<IC>& n);

Compute_data_types::niveau_plancher niveau_compute(const Input_data_types::niveau_plancher& n);
Compute_data_types::niveau_toit niveau_compute(const Input_data_types::niveau_toit& n);

// ---------------------------------------------------------------------------
// The building.

Compute_data_types::batiment_implantation input_batiment_implantation_compute(
    const Input_data_types::batiment_implantation& i);
Compute_data_types::sous_sol sous_sol_compute(const Input_data_types::sous_sol& s);
Compute_data_types::sous_sol sous_sol_option_compute(const std::optional<Input_data_types::sous_sol>& s);
Compute_data_types::maconnerie maconnerie_compute(const Quavor_data_types::maconnerie& m);
Compute_data_types::materiau_categorie materiau_categorie_compute(const Quavor_data_types::materiau_categorie& m);
int nombre_etages_compute(const Input_data_types::batiment& b);
// The file name with its extension replaced by the report extension of the
// run configuration; "-" stays "-".
std::string report_file_name_compute(const std::string& file_name);

Compute_data_types::batiment input_batiment_pre_compute(const Input_data_types::batiment& b);
Compute_data_types::batiment input_batiment_compute(const Input_data_types::batiment& b);
// Returns its argument unchanged.
Compute_data_types::batiment pre_compute_batiment_compute_infos(Compute_data_types::batiment b);
Compute_data_types::input_data input_data_compute(const Input_data_types::input_data& d);

// ---------------------------------------------------------------------------
// Helpers.

// The weighted centre of the weighted centres f(e): x and y each by the
// weighted mean, with the total weight.
template <class T, class F>
Compute_data_types::point_pondere centre_pondere_f(F f, const std::vector<T>& seq) {
  std::vector<std::pair<double, Compute_data_types::point>> pairs;
  pairs.reserve(seq.size());
  for (const T& e : seq) pairs.push_back(f(e));
  auto [w, x] = Quavor_pervasives::moyenne_ponderee_f([](const Compute_data_types::point& p) { return p.p_x; },
                                                      pairs);
  auto [w2, y] = Quavor_pervasives::moyenne_ponderee_f([](const Compute_data_types::point& p) { return p.p_y; },
                                                       pairs);
  (void)w2;
  return {w, Compute_data_types::point{x, y}};
}

// Prepends the value held by o to l, or returns l.
template <class T>
std::vector<T> add_option(const std::optional<T>& o, std::vector<T> l) {
  if (o) l.insert(l.begin(), *o);
  return l;
}

// ---------------------------------------------------------------------------
// Level classification, shared by both kinds of level.

namespace Detail {

struct murs_classification {
  Compute_data_types::murs murs_refend_declares;
  Compute_data_types::murs murs_refend_calcules;
  Compute_data_types::murs murs_facade_declares;
  Compute_data_types::murs murs_facade_calcules;
  Compute_data_types::murs cvts;
  Compute_data_types::murs cvts_x;
  Compute_data_types::murs cvts_y;
  Compute_data_types::murs cvts_x_facade_declares;
  Compute_data_types::murs cvts_y_facade_declares;
  Compute_data_types::murs cvts_x_refend_declares;
  Compute_data_types::murs cvts_y_refend_declares;
  Compute_data_types::murs cvts_x_refend_calcules;
  Compute_data_types::murs cvts_y_refend_calcules;
  Compute_data_types::murs cvts_x_facade_calcules;
  Compute_data_types::murs cvts_y_facade_calcules;
  Compute_data_types::murs cvts_x_facade_north;
  Compute_data_types::murs cvts_x_facade_south;
  Compute_data_types::murs cvts_y_facade_east;
  Compute_data_types::murs cvts_y_facade_west;
  double lt_cvts_x;
  double lt_cvts_y;
  double lt_cvts;
  double lt_cvts_x_refend_calcules;
  double lt_cvts_y_refend_calcules;
  double lt_cvts_refend_calcules;
  double st_cvts_x;
  double st_cvts_y;
  int n_cvts_x;
  int n_cvts_y;
};

murs_classification classify_murs(const Compute_data_types::murs& murs, const Compute_data_types::plan& p);

template <class In, class F>
auto map_vector(F f, const std::vector<In>& seq) {
  std::vector<decltype(f(seq.front()))> out;
  out.reserve(seq.size());
  for (const In& e : seq) out.push_back(f(e));
  return out;
}

}  // namespace Detail

template <class C>
void niveau_classify(Compute_data_types::niveau<C>& l) {
  Detail::murs_classification c = Detail::classify_murs(l.niveau_murs, l.niveau_plan);
  l.murs_refend_declares = std::move(c.murs_refend_declares);
  l.murs_refend_calcules = std::move(c.murs_refend_calcules);
  l.murs_facade_declares = std::move(c.murs_facade_declares);
  l.murs_facade_calcules = std::move(c.murs_facade_calcules);
  l.cvts = std::move(c.cvts);
  l.cvts_x = std::move(c.cvts_x);
  l.cvts_y = std::move(c.cvts_y);
  l.cvts_x_facade_declares = std::move(c.cvts_x_facade_declares);
  l.cvts_y_facade_declares = std::move(c.cvts_y_facade_declares);
  l.cvts_x_refend_declares = std::move(c.cvts_x_refend_declares);
  l.cvts_y_refend_declares = std::move(c.cvts_y_refend_declares);
  l.cvts_x_refend_calcules = std::move(c.cvts_x_refend_calcules);
  l.cvts_y_refend_calcules = std::move(c.cvts_y_refend_calcules);
  l.cvts_x_facade_calcules = std::move(c.cvts_x_facade_calcules);
  l.cvts_y_facade_calcules = std::move(c.cvts_y_facade_calcules);
  l.cvts_x_facade_north = std::move(c.cvts_x_facade_north);
  l.cvts_x_facade_south = std::move(c.cvts_x_facade_south);
  l.cvts_y_facade_east = std::move(c.cvts_y_facade_east);
  l.cvts_y_facade_west = std::move(c.cvts_y_facade_west);
  l.lt_cvts_x = c.lt_cvts_x;
  l.lt_cvts_y = c.lt_cvts_y;
  l.lt_cvts = c.lt_cvts;
  l.lt_cvts_x_refend_calcules = c.lt_cvts_x_refend_calcules;
  l.lt_cvts_y_refend_calcules = c.lt_cvts_y_refend_calcules;
  l.lt_cvts_refend_calcules = c.lt_cvts_refend_calcules;
  l.st_cvts_x = c.st_cvts_x;
  l.st_cvts_y = c.st_cvts_y;
  l.n_cvts_x = c.n_cvts_x;
  l.n_cvts_y = c.n_cvts_y;
}

template <class C, class IC, class F>
Compute_data_types::niveau<C> niveau_compute(F category_compute, const Input_data_types::niveau<IC>& n) {
  Compute_data_types::niveau<C> l{};
  l.niveau_murs = Detail::map_vector(mur_compute, n.niveau_murs);
  l.niveau_plan = plan_compute(n.niveau_plan);
  l.niveau_hauteur = n.niveau_hauteur;
  l.niveau_poteaux = Detail::map_vector(poteau_compute, n.niveau_poteaux);
  l.niveau_poutres = Detail::map_vector(poutre_compute, n.niveau_poutres);
  l.niveau_etage = n.niveau_etage;
  l.niveau_nom = n.niveau_nom;
  niveau_classify(l);
  l.niveau_categorie = category_compute(n, l.niveau_plan);
  return l;
}

}  // namespace Compute_data
