#pragma once
// Dimensions, surfaces and weighted centres derived directly from a
// building description.
#include <vector>

#include "description/input_data_types.hpp"
#include "geometry/quavor_pervasives_types.hpp"

namespace Input_data_utils {

using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::point;
using Quavor_pervasives_types::point_pondere;
using Quavor_pervasives_types::point_ponderes;
using Quavor_pervasives_types::solide;

const solide& mur_solide(const Input_data_types::mur& m);
const point& mur_position(const Input_data_types::mur& m);
direction mur_direction(const Input_data_types::mur& m);
const Input_data_types::rectangle& tremie_rectangle(const Input_data_types::tremie& t);
const point& poteau_position(const Input_data_types::poteau& p);
const Input_data_types::rectangle& retrait_rectangle(const Input_data_types::retrait& r);
const Input_data_types::plan_base& plan_base(const Input_data_types::plan& p);

double mur_lx(const Input_data_types::mur& m);
double mur_ly(const Input_data_types::mur& m);
double mur_lz(const Input_data_types::mur& m);
// The extent along the wall's direction.
double mur_longueur(const Input_data_types::mur& m);
// The extent across the wall's direction.
double mur_epaisseur(const Input_data_types::mur& m);
double mur_surface_au_sol(const Input_data_types::mur& m);

// The rectangle of width s_lx and height s_ly at `position`.
Input_data_types::rectangle solide_position_rectangle(const solide& s, const point& position);
Input_data_types::rectangle mur_rectangle(const Input_data_types::mur& m);

// (surface, centre) of a rectangle.
point_pondere rectangle_centre_pondere(const Input_data_types::rectangle& r);
point_pondere centre_pondere_retrait(const Input_data_types::retrait& r);
// (total weight, weighted means of x and y); a zero total weight is a
// fatal error.
point_pondere barycentre_pondere(const point_ponderes& points);
point_pondere centre_pondere_retraits(const std::vector<Input_data_types::retrait>& retraits);
point_pondere centre_pondere_base(const Input_data_types::plan_base& base);
// The base's weighted point with the set-backs taken away.
point_pondere plan_centre_pondere(const Input_data_types::plan& p);

double retrait_surface(const Input_data_types::retrait& r);
// A plan base's surface; a base plan counts without its own set-backs.
double base_surface(const Input_data_types::plan_base& base);
double plan_surface(const Input_data_types::plan& p);
double plan_base_surface(const Input_data_types::plan& p);

// The openings of a heavy roof slab; a light roof has none.
std::vector<Input_data_types::tremie> toiture_categorie_tremies(const Input_data_types::type_toiture& t);

}  // namespace Input_data_utils
