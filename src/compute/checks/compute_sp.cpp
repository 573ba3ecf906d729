#include "checks/compute_sp.hpp"

#include <algorithm>

#include "model/compute_data_utils.hpp"

namespace Compute_sp {

coordonnees get_abscisses_murs(const Compute_data_types::murs& murs) {
  coordonnees xs;
  xs.reserve(murs.size());
  for (const Compute_data_types::mur_ref& m : murs) xs.push_back(Compute_data_utils::mur_abscisse(*m));
  return xs;
}

coordonnees get_ordonnees_murs(const Compute_data_types::murs& murs) {
  coordonnees ys;
  ys.reserve(murs.size());
  for (const Compute_data_types::mur_ref& m : murs) ys.push_back(Compute_data_utils::mur_ordonnee(*m));
  return ys;
}

coordonnees get_poutre_abscisses(const Compute_data_types::poutre& p) {
  return {Compute_data_utils::poutre_position(p).p_x, Compute_data_utils::poutre_vertex(p).p_x};
}

coordonnees get_poutre_ordonnees(const Compute_data_types::poutre& p) {
  return {Compute_data_utils::poutre_position(p).p_y, Compute_data_utils::poutre_vertex(p).p_y};
}

coordonnees get_poutres_abscisses(const Compute_data_types::poutres& ps) {
  coordonnees xs;
  for (const Compute_data_types::poutre_ref& p : ps) {
    const coordonnees two = get_poutre_abscisses(*p);
    xs.insert(xs.end(), two.begin(), two.end());
  }
  return xs;
}

coordonnees get_poutres_ordonnees(const Compute_data_types::poutres& ps) {
  coordonnees ys;
  for (const Compute_data_types::poutre_ref& p : ps) {
    const coordonnees two = get_poutre_ordonnees(*p);
    ys.insert(ys.end(), two.begin(), two.end());
  }
  return ys;
}

namespace {

coordonnees sort_uniq(coordonnees v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

coordonnees concat(coordonnees a, const coordonnees& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

template <class C>
basic_vertices niveau_basic_vertices(const Compute_data_types::niveau<C>& l) {
  return get_basic_vertices(concat(get_abscisses_murs(l.niveau_murs), get_poutres_abscisses(l.niveau_poutres)),
                            concat(get_ordonnees_murs(l.niveau_murs), get_poutres_ordonnees(l.niveau_poutres)));
}

}  // namespace

basic_vertices get_basic_vertices(coordonnees xs, coordonnees ys) {
  return {sort_uniq(std::move(xs)), sort_uniq(std::move(ys))};
}

basic_vertices create_basic_vertices(const Compute_data_types::niveau_plancher& l) { return niveau_basic_vertices(l); }
basic_vertices create_basic_vertices(const Compute_data_types::niveau_toit& l) { return niveau_basic_vertices(l); }
basic_vertices _create_validated_cases(const Compute_data_types::niveau_plancher& l) {
  return create_basic_vertices(l);
}
basic_vertices _create_validated_cases(const Compute_data_types::niveau_toit& l) { return create_basic_vertices(l); }

}  // namespace Compute_sp
