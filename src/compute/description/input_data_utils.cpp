#include "description/input_data_utils.hpp"

#include "geometry/quavor_pervasives.hpp"

namespace Input_data_utils {

const solide& mur_solide(const Input_data_types::mur& m) { return m.mur_solide; }
const point& mur_position(const Input_data_types::mur& m) { return m.mur_position; }
direction mur_direction(const Input_data_types::mur& m) { return m.mur_direction; }
const Input_data_types::rectangle& tremie_rectangle(const Input_data_types::tremie& t) { return t.tremie_rectangle; }
const point& poteau_position(const Input_data_types::poteau& p) { return p.poteau_position; }
const Input_data_types::rectangle& retrait_rectangle(const Input_data_types::retrait& r) { return r.retrait_rectangle; }
const Input_data_types::plan_base& plan_base(const Input_data_types::plan& p) { return p.plan_base; }

double mur_lx(const Input_data_types::mur& m) { return m.mur_solide.s_lx; }
double mur_ly(const Input_data_types::mur& m) { return m.mur_solide.s_ly; }
double mur_lz(const Input_data_types::mur& m) { return m.mur_solide.s_lz; }

double mur_longueur(const Input_data_types::mur& m) { return m.mur_direction == direction::X ? mur_lx(m) : mur_ly(m); }

double mur_epaisseur(const Input_data_types::mur& m) { return m.mur_direction == direction::X ? mur_ly(m) : mur_lx(m); }

double mur_surface_au_sol(const Input_data_types::mur& m) { return mur_longueur(m) * mur_epaisseur(m); }

Input_data_types::rectangle solide_position_rectangle(const solide& s, const point& position) {
  return Input_data_types::rectangle{s.s_lx, s.s_ly, position};
}

Input_data_types::rectangle mur_rectangle(const Input_data_types::mur& m) {
  return solide_position_rectangle(m.mur_solide, m.mur_position);
}

point_pondere rectangle_centre_pondere(const Input_data_types::rectangle& r) {
  const point& p = r.rectangle_position;
  return {r.rectangle_width * r.rectangle_height,
          point{p.p_x + r.rectangle_width / 2.0, p.p_y + r.rectangle_height / 2.0}};
}

point_pondere centre_pondere_retrait(const Input_data_types::retrait& r) {
  return rectangle_centre_pondere(r.retrait_rectangle);
}

point_pondere barycentre_pondere(const point_ponderes& points) {
  return Quavor_pervasives::barycentre_pondere(points);
}

point_pondere centre_pondere_retraits(const std::vector<Input_data_types::retrait>& retraits) {
  point_ponderes points;
  points.reserve(retraits.size());
  for (const Input_data_types::retrait& r : retraits) points.push_back(centre_pondere_retrait(r));
  return barycentre_pondere(points);
}

point_pondere centre_pondere_base(const Input_data_types::plan_base& base) {
  if (const auto* b = std::get_if<Input_data_types::Base_rectangle>(&base)) return rectangle_centre_pondere(b->value);
  return plan_centre_pondere(std::get<Input_data_types::Base_plan>(base).inner());
}

point_pondere plan_centre_pondere(const Input_data_types::plan& p) {
  point_pondere base = centre_pondere_base(p.plan_base);
  if (p.plan_retraits.empty()) return base;
  // The set-backs weigh negatively: they are taken out of the base.
  point_pondere retraits = centre_pondere_retraits(p.plan_retraits);
  return barycentre_pondere({{-retraits.first, retraits.second}, base});
}

double retrait_surface(const Input_data_types::retrait& r) {
  return r.retrait_rectangle.rectangle_width * r.retrait_rectangle.rectangle_height;
}

double base_surface(const Input_data_types::plan_base& base) {
  if (const auto* b = std::get_if<Input_data_types::Base_rectangle>(&base))
    return b->value.rectangle_width * b->value.rectangle_height;
  return plan_surface(std::get<Input_data_types::Base_plan>(base).inner());
}

double plan_surface(const Input_data_types::plan& p) {
  double surface = base_surface(p.plan_base);
  for (const Input_data_types::retrait& r : p.plan_retraits) surface -= retrait_surface(r);
  return surface;
}

double plan_base_surface(const Input_data_types::plan& p) { return base_surface(p.plan_base); }

std::vector<Input_data_types::tremie> toiture_categorie_tremies(const Input_data_types::type_toiture& t) {
  if (const auto* lourde = std::get_if<Input_data_types::Toiture_lourde>(&t))
    return lourde->value.toiture_lourde_tremies;
  return {};
}

}  // namespace Input_data_utils
