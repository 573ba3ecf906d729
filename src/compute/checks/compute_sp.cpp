#include "checks/compute_sp.hpp"

#include <algorithm>

#include "model/compute_data_utils.hpp"

namespace Compute_sp {

namespace U = Compute_data_utils;

coordonnees get_abscisses_murs(const T::murs& murs) {
  coordonnees xs;
  xs.reserve(murs.size());
  for (const T::mur_ref& m : murs) xs.push_back(U::mur_abscisse(*m));
  return xs;
}

coordonnees get_ordonnees_murs(const T::murs& murs) {
  coordonnees ys;
  ys.reserve(murs.size());
  for (const T::mur_ref& m : murs) ys.push_back(U::mur_ordonnee(*m));
  return ys;
}

coordonnees get_poutre_abscisses(const T::poutre& p) {
  return {U::poutre_position(p).p_x, U::poutre_vertex(p).p_x};
}

coordonnees get_poutre_ordonnees(const T::poutre& p) {
  return {U::poutre_position(p).p_y, U::poutre_vertex(p).p_y};
}

coordonnees get_poutres_abscisses(const T::poutres& ps) {
  coordonnees xs;
  for (const T::poutre_ref& p : ps) {
    const coordonnees two = get_poutre_abscisses(*p);
    xs.insert(xs.end(), two.begin(), two.end());
  }
  return xs;
}

coordonnees get_poutres_ordonnees(const T::poutres& ps) {
  coordonnees ys;
  for (const T::poutre_ref& p : ps) {
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
basic_vertices niveau_basic_vertices(const T::niveau<C>& l) {
  return get_basic_vertices(concat(get_abscisses_murs(l.niveau_murs), get_poutres_abscisses(l.niveau_poutres)),
                            concat(get_ordonnees_murs(l.niveau_murs), get_poutres_ordonnees(l.niveau_poutres)));
}

}  // namespace

basic_vertices get_basic_vertices(coordonnees xs, coordonnees ys) {
  return {sort_uniq(std::move(xs)), sort_uniq(std::move(ys))};
}

basic_vertices create_basic_vertices(const T::niveau_plancher& l) { return niveau_basic_vertices(l); }
basic_vertices create_basic_vertices(const T::niveau_toit& l) { return niveau_basic_vertices(l); }
basic_vertices _create_validated_cases(const T::niveau_plancher& l) { return create_basic_vertices(l); }
basic_vertices _create_validated_cases(const T::niveau_toit& l) { return create_basic_vertices(l); }

}  // namespace Compute_sp
