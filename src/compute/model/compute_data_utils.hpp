#pragma once
// The vocabulary in which the criteria read the computed model: accessors,
// derived measures, wall classification, geometric relations between
// elements, iteration over levels and element pairs, the contour of a plan,
// building-wide queries and the set-once classification slots.
//
// Elements are passed by reference to their record; the records of walls,
// columns, beams and set-backs are shared, so "the same element" is the same
// address. The iterators hand each element to the predicate as a mutable
// reference (the slots of beams are filled through them); searches return
// the shared pointer of the element found.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "geometry/compute_pervasives.hpp"
#include "model/compute_data_types.hpp"
#include "text/format.hpp"

namespace Compute_data_utils {

namespace Cdt = Compute_data_types;

// Minimum sizes below which an element is not valid.
inline constexpr double poutre_longueur_min = 0.5;    // m
inline constexpr double tremie_surface_min = 1.0;     // m2
inline constexpr double retrait_surface_min = 1.0;    // m2
inline constexpr double balcon_surface_min = 0.3;     // m2
inline constexpr double plan_surface_min = 20.0;      // m2, of the base rectangle
// Own mass of a wooden floor (kg/m2) and densities of the slabs (kg/m3).
inline constexpr double masse_surfacique_plancher_bois = 30.0;
inline constexpr double masse_volumique_dalle_beton = 2500.0;
inline constexpr double masse_volumique_dalle_bca = 2000.0;
inline constexpr double masse_volumique_dalle_hourdis = 1600.0;
// A set-back touching the contour over at most this share of the contour
// segment is a set-back in elevation.
inline constexpr double retrait_en_elevation_ratio_max = 0.2;
// Distances from a column's position: a point within is in the column; a
// beam end within rests on it.
inline constexpr double poteau_rayon = 0.1;
inline constexpr double poutre_poteau_distance_max = 0.01;

// ---------------------------------------------------------------------------
// 1. Accessors.

inline const Cdt::batiment& compute_data_batiment(const Cdt::input_data& d) { return d.batiment; }

inline const std::string& mur_nom(const Cdt::mur& m) { return m.mur_nom; }
inline const std::string& poteau_nom(const Cdt::poteau& p) { return p.poteau_nom; }
inline const std::string& poutre_nom(const Cdt::poutre& p) { return p.poutre_nom; }
template <class C>
const std::string& niveau_nom(const Cdt::niveau<C>& l) {
  return l.niveau_nom;
}
inline const std::string& balcon_nom(const Cdt::balcon& b) { return b.balcon_nom; }
inline const std::string& tremie_nom(const Cdt::tremie& t) { return t.tremie_nom; }
inline const std::string& retrait_nom(const Cdt::retrait& r) { return r.retrait_nom; }
inline const std::string& plan_nom(const Cdt::plan& p) { return p.plan_nom; }

inline const Cdt::rectangle& mur_rectangle(const Cdt::mur& m) { return m.mur_rectangle; }
inline Cdt::point mur_position(const Cdt::mur& m) { return m.mur_rectangle.position; }
inline Quavor_data_types::mur_categorie mur_categorie(const Cdt::mur& m) { return m.mur_categorie; }
inline Quavor_data_types::mur_genre mur_genre(const Cdt::mur& m) { return m.mur_genre; }
inline const Quavor_data_types::mur_sp& mur_sp(const Cdt::mur& m) { return m.mur_sp; }
inline Cdt::direction mur_direction(const Cdt::mur& m) { return m.mur_direction; }
inline const Cdt::rectangle_edges& mur_edges(const Cdt::mur& m) { return m.mur_rectangle.edges; }
inline const Cdt::rectangle_vertices& mur_vertices(const Cdt::mur& m) { return m.mur_rectangle.vertices; }
inline Cdt::point mur_coin_bas_gauche(const Cdt::mur& m) { return m.mur_rectangle.vertices.vertex_sw; }
inline Cdt::point mur_coin_bas_droit(const Cdt::mur& m) { return m.mur_rectangle.vertices.vertex_se; }
inline Cdt::point mur_coin_haut_gauche(const Cdt::mur& m) { return m.mur_rectangle.vertices.vertex_nw; }
inline Cdt::point mur_coin_haut_droit(const Cdt::mur& m) { return m.mur_rectangle.vertices.vertex_ne; }
inline double mur_lx(const Cdt::mur& m) { return m.mur_rectangle.width; }
inline double mur_ly(const Cdt::mur& m) { return m.mur_rectangle.height; }
inline double mur_lz(const Cdt::mur& m) { return m.mur_hauteur; }
inline double mur_abscisse(const Cdt::mur& m) { return m.mur_rectangle.position.p_x; }
inline double mur_ordonnee(const Cdt::mur& m) { return m.mur_rectangle.position.p_y; }

inline Cdt::point poteau_position(const Cdt::poteau& p) { return p.poteau_position; }

inline const Cdt::segment& poutre_segment(const Cdt::poutre& p) { return p.poutre_segment; }
inline const Cdt::info<Cdt::poutre_fondement>& poutre_fondement(const Cdt::poutre& p) { return p.poutre_fondement; }
inline double poutre_length(const Cdt::poutre& p) { return p.poutre_segment.s_length; }
inline Cdt::point poutre_position(const Cdt::poutre& p) { return p.poutre_segment.s_position; }
inline Cdt::point poutre_vertex(const Cdt::poutre& p) { return p.poutre_segment.s_vertex; }

inline const Cdt::rectangle& tremie_rectangle(const Cdt::tremie& t) { return t.tremie_rectangle; }
inline double tremie_width(const Cdt::tremie& t) { return t.tremie_rectangle.width; }
inline double tremie_height(const Cdt::tremie& t) { return t.tremie_rectangle.height; }
inline const Cdt::rectangle& retrait_rectangle(const Cdt::retrait& r) { return r.retrait_rectangle; }
inline const Cdt::rectangle& balcon_rectangle(const Cdt::balcon& b) { return b.balcon_rectangle; }

inline double plan_width(const Cdt::plan& p) { return p.plan_width; }
inline double plan_height(const Cdt::plan& p) { return p.plan_height; }
inline const Cdt::base& plan_base(const Cdt::plan& p) { return p.plan_base; }
inline double plan_base_width(const Cdt::plan& p) { return p.plan_base_width; }
inline double plan_base_height(const Cdt::plan& p) { return p.plan_base_height; }
inline const Cdt::retraits& plan_retraits(const Cdt::plan& p) { return p.plan_retraits; }
inline double plan_surface(const Cdt::plan& p) { return p.plan_surface; }
inline double plan_base_surface(const Cdt::plan& p) { return p.plan_base_surface; }
inline int plan_etage(const Cdt::plan& p) { return p.plan_etage; }
inline const Cdt::segments& plan_contour_x(const Cdt::plan& p) { return p.plan_contour_x; }
inline const Cdt::segments& plan_contour_y(const Cdt::plan& p) { return p.plan_contour_y; }

template <class C>
const Cdt::murs& niveau_murs(const Cdt::niveau<C>& l) {
  return l.niveau_murs;
}
template <class C>
const Cdt::murs& niveau_cvts(const Cdt::niveau<C>& l) {
  return l.cvts;
}
template <class C>
const Cdt::murs& niveau_cvts_x(const Cdt::niveau<C>& l) {
  return l.cvts_x;
}
template <class C>
const Cdt::murs& niveau_cvts_x_facade_north(const Cdt::niveau<C>& l) {
  return l.cvts_x_facade_north;
}
template <class C>
const Cdt::murs& niveau_cvts_x_facade_south(const Cdt::niveau<C>& l) {
  return l.cvts_x_facade_south;
}
template <class C>
const Cdt::murs& niveau_cvts_y(const Cdt::niveau<C>& l) {
  return l.cvts_y;
}
template <class C>
const Cdt::murs& niveau_cvts_y_facade_east(const Cdt::niveau<C>& l) {
  return l.cvts_y_facade_east;
}
template <class C>
const Cdt::murs& niveau_cvts_y_facade_west(const Cdt::niveau<C>& l) {
  return l.cvts_y_facade_west;
}
template <class C>
double niveau_lt_cvts_x(const Cdt::niveau<C>& l) {
  return l.lt_cvts_x;
}
template <class C>
double niveau_lt_cvts_y(const Cdt::niveau<C>& l) {
  return l.lt_cvts_y;
}
template <class C>
double niveau_lt_cvts(const Cdt::niveau<C>& l) {
  return l.lt_cvts;
}
template <class C>
double niveau_st_cvts_x(const Cdt::niveau<C>& l) {
  return l.st_cvts_x;
}
template <class C>
double niveau_st_cvts_y(const Cdt::niveau<C>& l) {
  return l.st_cvts_y;
}
template <class C>
int niveau_n_cvts_x(const Cdt::niveau<C>& l) {
  return l.n_cvts_x;
}
template <class C>
int niveau_n_cvts_y(const Cdt::niveau<C>& l) {
  return l.n_cvts_y;
}
template <class C>
int niveau_etage(const Cdt::niveau<C>& l) {
  return l.niveau_etage;
}
template <class C>
double niveau_hauteur(const Cdt::niveau<C>& l) {
  return l.niveau_hauteur;
}
template <class C>
const Cdt::poteaux& niveau_poteaux(const Cdt::niveau<C>& l) {
  return l.niveau_poteaux;
}
template <class C>
const Cdt::poutres& niveau_poutres(const Cdt::niveau<C>& l) {
  return l.niveau_poutres;
}
template <class C>
const Cdt::plan& niveau_plan(const Cdt::niveau<C>& l) {
  return l.niveau_plan;
}
template <class C>
const C& niveau_categorie(const Cdt::niveau<C>& l) {
  return l.niveau_categorie;
}

inline double plancher_epaisseur(const Cdt::plancher& p) { return p.plancher_epaisseur; }
inline double plancher_surface(const Cdt::plancher& p) { return p.plancher_surface; }
inline double plancher_diaphragme_surface(const Cdt::plancher& p) { return p.plancher_diaphragme_surface; }
inline const Cdt::point_pondere& plancher_centre(const Cdt::plancher& p) { return p.plancher_centre; }
inline const Cdt::tremies& plancher_tremies(const Cdt::plancher& p) { return p.plancher_tremies; }
inline const Cdt::balcons& plancher_balcons(const Cdt::plancher& p) { return p.plancher_balcons; }
inline double toiture_epaisseur(const Cdt::toiture& t) { return t.toiture_epaisseur; }
inline const Cdt::point_pondere& toiture_centre(const Cdt::toiture& t) { return t.toiture_centre; }
inline double toiture_surface(const Cdt::toiture& t) { return t.toiture_surface; }
inline const Cdt::tremies& toiture_tremies(const Cdt::toiture& t) { return t.toiture_tremies; }
inline const Cdt::balcons& toiture_balcons(const Cdt::toiture& t) { return t.toiture_balcons; }
inline const Cdt::tremies& niveau_plancher_tremies(const Cdt::niveau_plancher& l) {
  return l.niveau_categorie.plancher_tremies;
}
inline const Cdt::balcons& niveau_plancher_balcons(const Cdt::niveau_plancher& l) {
  return l.niveau_categorie.plancher_balcons;
}
inline const Cdt::tremies& niveau_toit_tremies(const Cdt::niveau_toit& l) { return l.niveau_categorie.toiture_tremies; }
inline const Cdt::balcons& niveau_toit_balcons(const Cdt::niveau_toit& l) { return l.niveau_categorie.toiture_balcons; }

inline double batiment_longueur(const Cdt::batiment& b) { return b.batiment_longueur; }
inline double batiment_largeur(const Cdt::batiment& b) { return b.batiment_largeur; }
inline const Cdt::batiment_implantation& batiment_implantation(const Cdt::batiment& b) {
  return b.batiment_implantation;
}
inline double batiment_pente_de_sol(const Cdt::batiment& b) { return b.batiment_implantation.implantation_pente; }
inline bool batiment_pente_de_sol_needs_justification(const Cdt::batiment& b) {
  return b.batiment_implantation.implantation_pente_needs_justification;
}
inline const Cdt::niveau_planchers& batiment_niveau_planchers(const Cdt::batiment& b) {
  return b.batiment_niveau_planchers;
}
inline const Cdt::niveau_toit& batiment_niveau_toit(const Cdt::batiment& b) { return b.batiment_niveau_toit; }
inline const Cdt::materiau_categorie& batiment_materiau_categorie(const Cdt::batiment& b) {
  return b.batiment_materiau_categorie;
}
inline int batiment_nombre_etages(const Cdt::batiment& b) { return b.batiment_nombre_etages; }
inline const std::string& batiment_file_name(const Cdt::batiment& b) { return b.batiment_file_name; }
inline const std::string& batiment_report_file_name(const Cdt::batiment& b) { return b.batiment_report_file_name; }
inline Quavor_data_types::batiment_type batiment_type(const Cdt::batiment& b) { return b.batiment_type; }

// ---------------------------------------------------------------------------
// 2. Derived measures.

// Rectangle width for an X wall, height for a Y wall.
double mur_longueur(const Cdt::mur& m);
// The other dimension.
double mur_epaisseur(const Cdt::mur& m);
inline double mur_surface_au_sol(const Cdt::mur& m) { return m.mur_surface_au_sol; }
// The carried floor area when computed, 0.0 otherwise.
double mur_sp_value(const Cdt::mur& m);
inline bool mur_x(const Cdt::mur& m) { return m.mur_direction == Cdt::direction::X; }
inline bool mur_y(const Cdt::mur& m) { return m.mur_direction == Cdt::direction::Y; }
inline double tremie_surface(const Cdt::tremie& t) { return t.tremie_rectangle.width * t.tremie_rectangle.height; }
inline double retrait_surface(const Cdt::retrait& r) {
  return r.retrait_rectangle.width * r.retrait_rectangle.height;
}
inline double balcon_surface(const Cdt::balcon& b) { return b.balcon_rectangle.width * b.balcon_rectangle.height; }
inline double rectangle_width(const Cdt::rectangle& r) { return r.width; }
inline double rectangle_height(const Cdt::rectangle& r) { return r.height; }
inline const Cdt::rectangle_edges& rectangle_edges(const Cdt::rectangle& r) { return r.edges; }
inline const Cdt::rectangle_vertices& rectangle_vertices(const Cdt::rectangle& r) { return r.vertices; }
// The rectangle at the bottom of the chain of bases.
const Cdt::rectangle& plan_base_rectangle(const Cdt::base& b);
const Cdt::rectangle& plan_base_rectangle(const Cdt::plan& p);
const Cdt::rectangle& plan_rectangle(const Cdt::plan& p);
// Hypot of the base rectangle's width and height.
double plan_diagonale(const Cdt::plan& p);
inline const Cdt::point_pondere& plan_centre_pondere(const Cdt::plan& p) { return p.plan_centre; }
// The plan's set-backs followed by those of its base plans.
Cdt::retraits plan_all_retraits(const Cdt::plan& p);
template <class C>
const Cdt::retraits& niveau_retraits(const Cdt::niveau<C>& l) {
  return l.niveau_plan.plan_retraits;
}

// ---------------------------------------------------------------------------
// 3. Wall classification.

bool contreventement(const Cdt::mur& m);
bool mur_refend_declare(const Cdt::mur& m);
bool mur_facade_declare(const Cdt::mur& m);
bool contreventement_refend_declare(const Cdt::mur& m);
bool contreventement_facade_declare(const Cdt::mur& m);
bool contreventement_x(const Cdt::mur& m);
bool contreventement_y(const Cdt::mur& m);
bool contreventement_x_facade_declare(const Cdt::mur& m);
bool contreventement_y_facade_declare(const Cdt::mur& m);
bool contreventement_x_refend_declare(const Cdt::mur& m);
bool contreventement_y_refend_declare(const Cdt::mur& m);
// An X wall is on the facade when its north edge, else its south edge, lies
// within a segment of the plan's x contour; a Y wall by its west edge, else
// its east edge, against the y contour.
std::optional<Cdt::contact_contour> mur_contact_contour_plan_option(const Cdt::mur& m, const Cdt::plan& p);
bool mur_plan_facade_calcule(const Cdt::mur& m, const Cdt::plan& p);
bool mur_plan_refend_calcule(const Cdt::mur& m, const Cdt::plan& p);
template <class C>
bool mur_niveau_facade_calcule(const Cdt::mur& m, const Cdt::niveau<C>& l) {
  return mur_plan_facade_calcule(m, l.niveau_plan);
}
template <class C>
bool mur_niveau_refend_calcule(const Cdt::mur& m, const Cdt::niveau<C>& l) {
  return mur_plan_refend_calcule(m, l.niveau_plan);
}
// Whether the wall's south-west corner lies strictly beyond the centre
// towards the cardinal point (North and South for X walls, East and West
// for Y walls); a wall level with the centre faces neither way.
bool contreventement_de_facade_oriente(Cdt::cardinal_point c, const Cdt::point& centre, const Cdt::mur& m);

// ---------------------------------------------------------------------------
// 4. Validity.

bool rectangle_non_degenere(const Cdt::rectangle& r);
bool mur_valid(const Cdt::mur& m);
bool poutre_non_degenere(const Cdt::poutre& p);
bool poutre_valid(const Cdt::poutre& p);
bool tremie_non_degenere(const Cdt::tremie& t);
bool tremie_valid(const Cdt::tremie& t);
bool balcon_non_degenere(const Cdt::balcon& b);
bool balcon_valid(const Cdt::balcon& b);
bool retrait_non_degenere(const Cdt::retrait& r);
bool retrait_valid(const Cdt::retrait& r);
bool plan_non_degenere(const Cdt::plan& p);
bool plan_valid(const Cdt::plan& p);

// ---------------------------------------------------------------------------
// 5. Relations between rectangles. Sharing a side or a corner is not an
// intersection; "dans" compares the intersection with the first rectangle
// within 0.001.

bool rectangle_almost_equal_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2);
bool rectangle_intersect_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2);
bool mur_intersect_mur(const Cdt::mur& m1, const Cdt::mur& m2);
bool mur_intersect_tremie(const Cdt::mur& m, const Cdt::tremie& t);
bool mur_intersect_retrait(const Cdt::mur& m, const Cdt::retrait& r);
bool tremie_intersect_tremie(const Cdt::tremie& t1, const Cdt::tremie& t2);
bool retrait_intersect_tremie(const Cdt::retrait& r, const Cdt::tremie& t);
bool retrait_intersect_retrait(const Cdt::retrait& r1, const Cdt::retrait& r2);
bool balcon_intersect_balcon(const Cdt::balcon& b1, const Cdt::balcon& b2);
bool rectangle_hors_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2);
bool rectangle_hors_retrait(const Cdt::rectangle& r, const Cdt::retrait& s);
// No common area with the plan's base (the set-backs are not looked at).
bool rectangle_hors_plan(const Cdt::rectangle& r, const Cdt::plan& p);
bool balcon_hors_plan(const Cdt::balcon& b, const Cdt::plan& p);
bool rectangle_dans_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2);
// Within the base and sharing no area with a set-back, down the chain of
// plans.
bool rectangle_dans_plan(const Cdt::rectangle& r, const Cdt::plan& p);
bool rectangle_dans_plan_base(const Cdt::rectangle& r, const Cdt::base& b);
// The same for a set-back, skipping the set-back itself (by identity).
bool rectangle_retrait_dans_plan(const Cdt::retrait& s, const Cdt::rectangle& r, const Cdt::plan& p);
bool retrait_dans_plan(const Cdt::retrait& s, const Cdt::plan& p);
bool mur_dans_plan(const Cdt::mur& m, const Cdt::plan& p);
bool tremie_dans_plan(const Cdt::tremie& t, const Cdt::plan& p);

// ---------------------------------------------------------------------------
// 6. Relations with segments.

bool segment_intersect_segment(const Cdt::segment& s1, const Cdt::segment& s2);
// The intersection equals the first segment within 0.001.
bool segment_dans_segment(const Cdt::segment& s1, const Cdt::segment& s2);
bool almost_equal_segments(const Cdt::segment& s1, const Cdt::segment& s2);
bool almost_equal_points(const Cdt::point& p, const Cdt::point& q);
// A point or a segment in common.
bool segment_intersect_rectangle(const Cdt::segment& s, const Cdt::rectangle& r);
bool segment_hors_rectangle(const Cdt::segment& s, const Cdt::rectangle& r);
bool segment_hors_retrait(const Cdt::segment& s, const Cdt::retrait& r);
bool segment_dans_rectangle(const Cdt::segment& s, const Cdt::rectangle& r);
// Within the base and with no point strictly inside a set-back, down the
// chain of plans.
bool segment_dans_plan(const Cdt::segment& s, const Cdt::plan& p);
bool segment_dans_plan_base(const Cdt::segment& s, const Cdt::base& b);
bool poutre_intersect_poutre(const Cdt::poutre& p1, const Cdt::poutre& p2);
bool poutre_intersect_tremie(const Cdt::poutre& p, const Cdt::tremie& t);
bool poutre_intersect_retrait(const Cdt::poutre& p, const Cdt::retrait& r);
bool poutre_dans_plan(const Cdt::poutre& p, const Cdt::plan& pl);

// ---------------------------------------------------------------------------
// 7. Relations with points. "dans": border included within 0.001;
// "interieur": strictly inside.

bool point_dans_rectangle(const Cdt::point& p, const Cdt::rectangle& r);
bool point_dans_mur(const Cdt::point& p, const Cdt::mur& m);
bool point_dans_tremie(const Cdt::point& p, const Cdt::tremie& t);
bool point_dans_retrait(const Cdt::point& p, const Cdt::retrait& r);
bool point_interieur_rectangle(const Cdt::point& p, const Cdt::rectangle& r);
bool point_interieur_retrait(const Cdt::point& p, const Cdt::retrait& r);
bool point_interieur_retraits(const Cdt::point& p, const Cdt::retraits& rs);
bool point_dans_plan(const Cdt::point& p, const Cdt::plan& pl);
bool point_dans_plan_base(const Cdt::point& p, const Cdt::base& b);
// In the plan's base.
bool point_dans_plan_base(const Cdt::point& p, const Cdt::plan& pl);
bool point_dans_poteau(const Cdt::point& p, const Cdt::poteau& c);
bool poteau_dans_poteau(const Cdt::poteau& c1, const Cdt::poteau& c2);
bool poteau_dans_tremie(const Cdt::poteau& c, const Cdt::tremie& t);
bool poteau_dans_retrait(const Cdt::poteau& c, const Cdt::retrait& r);
bool poteau_dans_plan(const Cdt::poteau& c, const Cdt::plan& p);
bool poutre_position_intersect_poteau(const Cdt::poutre& p, const Cdt::poteau& c);
bool poutre_vertex_intersect_poteau(const Cdt::poutre& p, const Cdt::poteau& c);
bool poutre_position_intersect_mur(const Cdt::poutre& p, const Cdt::mur& m);
bool poutre_vertex_intersect_mur(const Cdt::poutre& p, const Cdt::mur& m);
bool points_adjacents(const Cdt::point& p, const Cdt::point& q);

// ---------------------------------------------------------------------------
// 8. Contour and contact.

// South, east, north, west.
Cdt::segments edges_to_segments(const Cdt::rectangle_edges& e);
Cdt::segments rectangle_compute_contour(const Cdt::rectangle& r);
Cdt::segments retrait_compute_contour(const Cdt::retrait& r);
// The contour with one set-back cut out of it.
Cdt::segments plan_contour_but_retrait(const Cdt::segments& contour, const Cdt::retrait& r);
Cdt::segments plan_contour_but_retraits(const Cdt::segments& contour, const Cdt::retraits& rs);
Cdt::segments base_compute_contour(const Cdt::base& b);
// Contour, x and y contours, extents and base dimensions of a plan whose
// set-backs and base are set.
void plan_compute_contour(Cdt::plan& p);
void plan_compute_base_dimensions(Cdt::plan& p);

Cdt::contact_contour contact(const Cdt::segment& edge, const Cdt::segment& contour, Cdt::cardinal_point side);
// The first x contour segment containing the north edge, else the south edge.
std::optional<Cdt::contact_contour> edges_contact_contour_x(const Cdt::rectangle_edges& e, const Cdt::segments& contour_x);
// The first y contour segment containing the west edge, else the east edge.
std::optional<Cdt::contact_contour> edges_contact_contour_y(const Cdt::rectangle_edges& e, const Cdt::segments& contour_y);
// The x contact, else the y contact.
std::optional<Cdt::contact_contour> edges_plan_contact_contour(const Cdt::rectangle_edges& e, const Cdt::plan& p);
std::optional<Cdt::contact_contour> retrait_plan_contact_contour(const Cdt::retrait& r, const Cdt::plan& p);

using edge_contact = std::pair<Cdt::cardinal_point, Cdt::segment>;
// (North, north edge), else (South, south edge), when it lies within the x contour.
std::optional<edge_contact> edges_find_edge_contact_contour_x(const Cdt::rectangle_edges& e,
                                                              const Cdt::segments& contour_x);
// (West, west edge), else (East, east edge), against the y contour.
std::optional<edge_contact> edges_find_edge_contact_contour_y(const Cdt::rectangle_edges& e,
                                                              const Cdt::segments& contour_y);
// The x form against the plan's x contour, else the y form.
std::optional<edge_contact> edges_find_edge_contact_contour_plan(const Cdt::rectangle_edges& e, const Cdt::plan& p);

// In elevation when the contact covers at most 0.2 of its contour segment.
// Fatal error "retrait_categorie" when the set-back touches no contour.
Cdt::retrait_categorie retrait_plan_categorie(const Cdt::retrait& r, const Cdt::plan& p);

// ---------------------------------------------------------------------------
// 9. Iteration. Predicates receive elements as mutable references.

// Every unordered pair of distinct positions once, the earlier first;
// stops at the first failing pair.
template <class E, class F>
bool for_all_pair_rs(F f, const std::vector<E>& l) {
  for (std::size_t i = 0; i < l.size(); ++i)
    for (std::size_t j = i + 1; j < l.size(); ++j)
      if (!f(l[i], l[j])) return false;
  return true;
}
// Every ordered pair, an element with itself included.
template <class E, class F>
bool for_all_pair(F f, const std::vector<E>& l) {
  for (const E& x : l)
    for (const E& y : l)
      if (!f(x, y)) return false;
  return true;
}

namespace Detail {
template <class E, class F>
bool for_all_ref(F f, const std::vector<std::shared_ptr<E>>& l) {
  for (const auto& e : l)
    if (!f(*e)) return false;
  return true;
}
template <class E, class F>
bool for_all_ref_pair(F f, const std::vector<std::shared_ptr<E>>& l) {
  return for_all_pair_rs([&](const std::shared_ptr<E>& a, const std::shared_ptr<E>& b) { return f(*a, *b); }, l);
}
template <class E, class F>
bool for_all_value(F f, const std::vector<E>& l) {
  for (const E& e : l)
    if (!f(e)) return false;
  return true;
}
template <class E, class F>
std::optional<std::shared_ptr<E>> find_ref_opt(F f, const std::vector<std::shared_ptr<E>>& l) {
  for (const auto& e : l)
    if (f(*e)) return e;
  return std::nullopt;
}
}  // namespace Detail

template <class C, class F>
bool niveau_for_all_mur(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_murs);
}
template <class C, class F>
bool niveau_for_all_cvt(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref(f, l.cvts);
}
template <class C, class F>
bool niveau_for_all_poteau(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_poteaux);
}
template <class C, class F>
bool niveau_for_all_poutre(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_poutres);
}
template <class C, class F>
bool niveau_for_all_retrait(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_plan.plan_retraits);
}
template <class F>
bool niveau_plancher_for_all_tremie(F f, const Cdt::niveau_plancher& l) {
  return Detail::for_all_value(f, l.niveau_categorie.plancher_tremies);
}
template <class F>
bool niveau_plancher_for_all_balcon(F f, const Cdt::niveau_plancher& l) {
  return Detail::for_all_value(f, l.niveau_categorie.plancher_balcons);
}
template <class F>
bool niveau_toit_for_all_tremie(F f, const Cdt::niveau_toit& l) {
  return Detail::for_all_value(f, l.niveau_categorie.toiture_tremies);
}
template <class F>
bool niveau_toit_for_all_balcon(F f, const Cdt::niveau_toit& l) {
  return Detail::for_all_value(f, l.niveau_categorie.toiture_balcons);
}
template <class C, class F>
bool niveau_for_all_poteau_pair(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref_pair(f, l.niveau_poteaux);
}
template <class C, class F>
bool niveau_for_all_poutre_pair(F f, const Cdt::niveau<C>& l) {
  return Detail::for_all_ref_pair(f, l.niveau_poutres);
}
template <class F>
bool niveau_plancher_for_all_tremie_pair(F f, const Cdt::niveau_plancher& l) {
  return for_all_pair_rs(f, l.niveau_categorie.plancher_tremies);
}
template <class F>
bool niveau_plancher_for_all_balcon_pair(F f, const Cdt::niveau_plancher& l) {
  return for_all_pair_rs(f, l.niveau_categorie.plancher_balcons);
}
template <class F>
bool niveau_toit_for_all_tremie_pair(F f, const Cdt::niveau_toit& l) {
  return for_all_pair_rs(f, l.niveau_categorie.toiture_tremies);
}
template <class F>
bool niveau_toit_for_all_balcon_pair(F f, const Cdt::niveau_toit& l) {
  return for_all_pair_rs(f, l.niveau_categorie.toiture_balcons);
}
template <class C, class F>
std::optional<Cdt::mur_ref> niveau_find_mur_opt(F f, const Cdt::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_murs);
}
template <class C, class F>
std::optional<Cdt::mur_ref> niveau_find_cvt_opt(F f, const Cdt::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.cvts);
}
template <class C, class F>
std::optional<Cdt::poteau_ref> niveau_find_poteau_opt(F f, const Cdt::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_poteaux);
}
template <class C, class F>
std::optional<Cdt::poutre_ref> niveau_find_poutre_opt(F f, const Cdt::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_poutres);
}
template <class C, class F>
bool niveau_exists_mur(F f, const Cdt::niveau<C>& l) {
  return niveau_find_mur_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_cvt(F f, const Cdt::niveau<C>& l) {
  return niveau_find_cvt_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_poteau(F f, const Cdt::niveau<C>& l) {
  return niveau_find_poteau_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_poutre(F f, const Cdt::niveau<C>& l) {
  return niveau_find_poutre_opt(f, l).has_value();
}

// The first bracing wall of the level that is on the facade (as computed)
// and faces the cardinal point.
template <class C>
std::optional<Cdt::mur_ref> niveau_find_cvt_facade_cardinal_point_opt(Cdt::cardinal_point c, const Cdt::niveau<C>& l) {
  const Cdt::point centre = l.niveau_plan.plan_centre.second;
  return niveau_find_cvt_opt(
      [&](const Cdt::mur& m) {
        return mur_plan_facade_calcule(m, l.niveau_plan) && contreventement_de_facade_oriente(c, centre, m);
      },
      l);
}
template <class C>
std::optional<Cdt::mur_ref> niveau_find_cvt_facade_south_opt(const Cdt::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Cdt::cardinal_point::South, l);
}
template <class C>
std::optional<Cdt::mur_ref> niveau_find_cvt_facade_north_opt(const Cdt::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Cdt::cardinal_point::North, l);
}
template <class C>
std::optional<Cdt::mur_ref> niveau_find_cvt_facade_east_opt(const Cdt::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Cdt::cardinal_point::East, l);
}
template <class C>
std::optional<Cdt::mur_ref> niveau_find_cvt_facade_west_opt(const Cdt::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Cdt::cardinal_point::West, l);
}

// (floor levels, roof level)
inline std::pair<const Cdt::niveau_planchers&, const Cdt::niveau_toit&> batiment_niveaux(const Cdt::batiment& b) {
  return {b.batiment_niveau_planchers, b.batiment_niveau_toit};
}
// The predicates over every level are given one callable for each kind of
// level (a generic lambda serves both): floor levels first, then the roof.
template <class F>
bool batiment_for_all_niveau_plancher(F f, const Cdt::batiment& b) {
  for (const Cdt::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!f(l)) return false;
  return true;
}
template <class F>
bool batiment_for_niveau_toit(F f, const Cdt::batiment& b) {
  return f(b.batiment_niveau_toit);
}
template <class F>
bool batiment_for_all_niveau(F f, const Cdt::batiment& b) {
  return batiment_for_all_niveau_plancher(f, b) && batiment_for_niveau_toit(f, b);
}
template <class V>
bool exists_opt(const std::optional<V>& o) {
  return o.has_value();
}

// ---------------------------------------------------------------------------
// 10. Building-wide queries.

// The plan of the first floor level of storey 0; the roof level's plan when
// there is no floor level. Not_found when floor levels exist but none is
// the ground floor.
const Cdt::plan& batiment_plan_rdc(const Cdt::batiment& b);
double batiment_surface(const Cdt::batiment& b);
// Fatal errors for wooden and concrete buildings.
const Cdt::maconnerie& batiment_maconnerie(const Cdt::batiment& b);
Quavor_data_types::maconnerie_categorie batiment_maconnerie_categorie(const Cdt::batiment& b);
Quavor_data_types::qualite_du_chainage_categorie batiment_qualite_du_chainage(const Cdt::batiment& b);

// Floor masses in kg/m2.
double plancher_masse_surfacique_propre(const Cdt::plancher& p);
double plancher_masse_surfacique_revetement(const Cdt::plancher& p);
double plancher_masse_surfacique_cloison(const Cdt::plancher& p);
double plancher_masse_surfacique_permanente(const Cdt::plancher& p);
double batiment_plancher_masse_surfacique(const Cdt::batiment& b, const Cdt::plancher& p);

// ---------------------------------------------------------------------------
// 11. Names in texts.

// The name as written ("%s").
void print_nom_entity(Format::Printer& ppf, const std::string& nom);
void print_niveau_nom(Format::Printer& ppf, const std::string& nom);

// ---------------------------------------------------------------------------
// 12. Classification slots.

// Raises the fatal error "Attempt to set already classified info".
[[noreturn]] void already_classified_info_error();

// Writes v through `set` when `get(x)` is still Info_unset; otherwise the
// fatal error "Attempt to set already classified info".
template <class X, class Get, class Set, class V>
void set_info(Get get, Set set, X& x, V v) {
  if (!std::holds_alternative<Cdt::Info_unset>(get(x))) already_classified_info_error();
  set(x, std::move(v));
}

void poutre_set_fondement_info(Cdt::poutre& p, Cdt::info<Cdt::poutre_fondement> v);
void poutre_set_fondement(Cdt::poutre& p, const Cdt::poutre_fondement& f);
void mur_set_fondement_info(Cdt::mur& m, Cdt::info<Cdt::appui> v);
void poteau_set_fondement_info(Cdt::poteau& c, Cdt::info<Cdt::appui> v);
void retrait_set_categorie_info(Cdt::retrait& r, Cdt::info<Cdt::retrait_categorie> v);

}  // namespace Compute_data_utils
