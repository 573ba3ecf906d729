#pragma once
// Dimensions, surfaces and weighted centres derived directly from a
// building description.
#include <vector>

#include "description/input_data_types.hpp"
#include "geometry/quavor_pervasives_types.hpp"

namespace Input_data_utils {

namespace T = Input_data_types;
using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::point;
using Quavor_pervasives_types::point_pondere;
using Quavor_pervasives_types::point_ponderes;
using Quavor_pervasives_types::solide;

const solide& mur_solide(const T::mur& m);
const point& mur_position(const T::mur& m);
direction mur_direction(const T::mur& m);
const T::rectangle& tremie_rectangle(const T::tremie& t);
const point& poteau_position(const T::poteau& p);
const T::rectangle& retrait_rectangle(const T::retrait& r);
const T::plan_base& plan_base(const T::plan& p);

double mur_lx(const T::mur& m);
double mur_ly(const T::mur& m);
double mur_lz(const T::mur& m);
// The extent along the wall's direction.
double mur_longueur(const T::mur& m);
// The extent across the wall's direction.
double mur_epaisseur(const T::mur& m);
double mur_surface_au_sol(const T::mur& m);

// The rectangle of width s_lx and height s_ly at `position`.
T::rectangle solide_position_rectangle(const solide& s, const point& position);
T::rectangle mur_rectangle(const T::mur& m);

// (surface, centre) of a rectangle.
point_pondere rectangle_centre_pondere(const T::rectangle& r);
point_pondere centre_pondere_retrait(const T::retrait& r);
// (total weight, weighted means of x and y); a zero total weight is a
// fatal error.
point_pondere barycentre_pondere(const point_ponderes& points);
point_pondere centre_pondere_retraits(const std::vector<T::retrait>& retraits);
point_pondere centre_pondere_base(const T::plan_base& base);
// The base's weighted point with the set-backs taken away.
point_pondere plan_centre_pondere(const T::plan& p);

double retrait_surface(const T::retrait& r);
// A plan base's surface; a base plan counts without its own set-backs.
double base_surface(const T::plan_base& base);
double plan_surface(const T::plan& p);
double plan_base_surface(const T::plan& p);

// The openings of a heavy roof slab; a light roof has none.
std::vector<T::tremie> toiture_categorie_tremies(const T::type_toiture& t);

}  // namespace Input_data_utils
