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

inline const Compute_data_types::batiment& compute_data_batiment(const Compute_data_types::input_data& d) {
  return d.batiment;
}

inline const std::string& mur_nom(const Compute_data_types::mur& m) { return m.mur_nom; }
inline const std::string& poteau_nom(const Compute_data_types::poteau& p) { return p.poteau_nom; }
inline const std::string& poutre_nom(const Compute_data_types::poutre& p) { return p.poutre_nom; }
template <class C>
const std::string& niveau_nom(const Compute_data_types::niveau<C>& l) {
  return l.niveau_nom;
}
inline const std::string& balcon_nom(const Compute_data_types::balcon& b) { return b.balcon_nom; }
inline const std::string& tremie_nom(const Compute_data_types::tremie& t) { return t.tremie_nom; }
inline const std::string& retrait_nom(const Compute_data_types::retrait& r) { return r.retrait_nom; }
inline const std::string& plan_nom(const Compute_data_types::plan& p) { return p.plan_nom; }

inline const Compute_data_types::rectangle& mur_rectangle(const Compute_data_types::mur& m) { return m.mur_rectangle; }
inline Compute_data_types::point mur_position(const Compute_data_types::mur& m) { return m.mur_rectangle.position; }
inline Quavor_data_types::mur_categorie mur_categorie(const Compute_data_types::mur& m) { return m.mur_categorie; }
inline Quavor_data_types::mur_genre mur_genre(const Compute_data_types::mur& m) { return m.mur_genre; }
inline const Quavor_data_types::mur_sp& mur_sp(const Compute_data_types::mur& m) { return m.mur_sp; }
inline Compute_data_types::direction mur_direction(const Compute_data_types::mur& m) { return m.mur_direction; }
inline const Compute_data_types::rectangle_edges& mur_edges(const Compute_data_types::mur& m) {
  return m.mur_rectangle.edges;
}
inline const Compute_data_types::rectangle_vertices& mur_vertices(const Compute_data_types::mur& m) {
  return m.mur_rectangle.vertices;
}
inline Compute_data_types::point mur_coin_bas_gauche(const Compute_data_types::mur& m) {
  return m.mur_rectangle.vertices.vertex_sw;
}
inline Compute_data_types::point mur_coin_bas_droit(const Compute_data_types::mur& m) {
  return m.mur_rectangle.vertices.vertex_se;
}
inline Compute_data_types::point mur_coin_haut_gauche(const Compute_data_types::mur& m) {
  return m.mur_rectangle.vertices.vertex_nw;
}
inline Compute_data_types::point mur_coin_haut_droit(const Compute_data_types::mur& m) {
  return m.mur_rectangle.vertices.vertex_ne;
}
inline double mur_lx(const Compute_data_types::mur& m) { return m.mur_rectangle.width; }
inline double mur_ly(const Compute_data_types::mur& m) { return m.mur_rectangle.height; }
inline double mur_lz(const Compute_data_types::mur& m) { return m.mur_hauteur; }
inline double mur_abscisse(const Compute_data_types::mur& m) { return m.mur_rectangle.position.p_x; }
inline double mur_ordonnee(const Compute_data_types::mur& m) { return m.mur_rectangle.position.p_y; }

inline Compute_data_types::point poteau_position(const Compute_data_types::poteau& p) { return p.poteau_position; }

inline const Compute_data_types::segment& poutre_segment(const Compute_data_types::poutre& p) {
  return p.poutre_segment;
}
inline const Compute_data_types::info<Compute_data_types::poutre_fondement>& poutre_fondement(
    const Compute_data_types::poutre& p) {
  return p.poutre_fondement;
}
inline double poutre_length(const Compute_data_types::poutre& p) { return p.poutre_segment.s_length; }
inline Compute_data_types::point poutre_position(const Compute_data_types::poutre& p) {
  return p.poutre_segment.s_position;
}
inline Compute_data_types::point poutre_vertex(const Compute_data_types::poutre& p) {
  return p.poutre_segment.s_vertex;
}

inline const Compute_data_types::rectangle& tremie_rectangle(const Compute_data_types::tremie& t) {
  return t.tremie_rectangle;
}
inline double tremie_width(const Compute_data_types::tremie& t) { return t.tremie_rectangle.width; }
inline double tremie_height(const Compute_data_types::tremie& t) { return t.tremie_rectangle.height; }
inline const Compute_data_types::rectangle& retrait_rectangle(const Compute_data_types::retrait& r) {
  return r.retrait_rectangle;
}
inline const Compute_data_types::rectangle& balcon_rectangle(const Compute_data_types::balcon& b) {
  return b.balcon_rectangle;
}

inline double plan_width(const Compute_data_types::plan& p) { return p.plan_width; }
inline double plan_height(const Compute_data_types::plan& p) { return p.plan_height; }
inline const Compute_data_types::base& plan_base(const Compute_data_types::plan& p) { return p.plan_base; }
inline double plan_base_width(const Compute_data_types::plan& p) { return p.plan_base_width; }
inline double plan_base_height(const Compute_data_types::plan& p) { return p.plan_base_height; }
inline const Compute_data_types::retraits& plan_retraits(const Compute_data_types::plan& p) { return p.plan_retraits; }
inline double plan_surface(const Compute_data_types::plan& p) { return p.plan_surface; }
inline double plan_base_surface(const Compute_data_types::plan& p) { return p.plan_base_surface; }
inline int plan_etage(const Compute_data_types::plan& p) { return p.plan_etage; }
inline const Compute_data_types::segments& plan_contour_x(const Compute_data_types::plan& p) {
  return p.plan_contour_x;
}
inline const Compute_data_types::segments& plan_contour_y(const Compute_data_types::plan& p) {
  return p.plan_contour_y;
}

template <class C>
const Compute_data_types::murs& niveau_murs(const Compute_data_types::niveau<C>& l) {
  return l.niveau_murs;
}
template <class C>
const Compute_data_types::murs& niveau_cvts(const Compute_data_types::niveau<C>& l) {
  return l.cvts;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_x(const Compute_data_types::niveau<C>& l) {
  return l.cvts_x;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_x_facade_north(const Compute_data_types::niveau<C>& l) {
  return l.cvts_x_facade_north;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_x_facade_south(const Compute_data_types::niveau<C>& l) {
  return l.cvts_x_facade_south;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_y(const Compute_data_types::niveau<C>& l) {
  return l.cvts_y;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_y_facade_east(const Compute_data_types::niveau<C>& l) {
  return l.cvts_y_facade_east;
}
template <class C>
const Compute_data_types::murs& niveau_cvts_y_facade_west(const Compute_data_types::niveau<C>& l) {
  return l.cvts_y_facade_west;
}
template <class C>
double niveau_lt_cvts_x(const Compute_data_types::niveau<C>& l) {
  return l.lt_cvts_x;
}
template <class C>
double niveau_lt_cvts_y(const Compute_data_types::niveau<C>& l) {
  return l.lt_cvts_y;
}
template <class C>
double niveau_lt_cvts(const Compute_data_types::niveau<C>& l) {
  return l.lt_cvts;
}
template <class C>
double niveau_st_cvts_x(const Compute_data_types::niveau<C>& l) {
  return l.st_cvts_x;
}
template <class C>
double niveau_st_cvts_y(const Compute_data_types::niveau<C>& l) {
  return l.st_cvts_y;
}
template <class C>
int niveau_n_cvts_x(const Compute_data_types::niveau<C>& l) {
  return l.n_cvts_x;
}
template <class C>
int niveau_n_cvts_y(const Compute_data_types::niveau<C>& l) {
  return l.n_cvts_y;
}
template <class C>
int niveau_etage(const Compute_data_types::niveau<C>& l) {
  return l.niveau_etage;
}
template <class C>
double niveau_hauteur(const Compute_data_types::niveau<C>& l) {
  return l.niveau_hauteur;
}
template <class C>
const Compute_data_types::poteaux& niveau_poteaux(const Compute_data_types::niveau<C>& l) {
  return l.niveau_poteaux;
}
template <class C>
const Compute_data_types::poutres& niveau_poutres(const Compute_data_types::niveau<C>& l) {
  return l.niveau_poutres;
}
template <class C>
const Compute_data_types::plan& niveau_plan(const Compute_data_types::niveau<C>& l) {
  return l.niveau_plan;
}
template <class C>
const C& niveau_categorie(const Compute_data_types::niveau<C>& l) {
  return l.niveau_categorie;
}

inline double plancher_epaisseur(const Compute_data_types::plancher& p) { return p.plancher_epaisseur; }
inline double plancher_surface(const Compute_data_types::plancher& p) { return p.plancher_surface; }
inline double plancher_diaphragme_surface(const Compute_data_types::plancher& p) {
  return p.plancher_diaphragme_surface;
}
inline const Compute_data_types::point_pondere& plancher_centre(const Compute_data_types::plancher& p) {
  return p.plancher_centre;
}
inline const Compute_data_types::tremies& plancher_tremies(const Compute_data_types::plancher& p) {
  return p.plancher_tremies;
}
inline const Compute_data_types::balcons& plancher_balcons(const Compute_data_types::plancher& p) {
  return p.plancher_balcons;
}
inline double toiture_epaisseur(const Compute_data_types::toiture& t) { return t.toiture_epaisseur; }
inline const Compute_data_types::point_pondere& toiture_centre(const Compute_data_types::toiture& t) {
  return t.toiture_centre;
}
inline double toiture_surface(const Compute_data_types::toiture& t) { return t.toiture_surface; }
inline const Compute_data_types::tremies& toiture_tremies(const Compute_data_types::toiture& t) {
  return t.toiture_tremies;
}
inline const Compute_data_types::balcons& toiture_balcons(const Compute_data_types::toiture& t) {
  return t.toiture_balcons;
}
inline const Compute_data_types::tremies& niveau_plancher_tremies(const Compute_data_types::niveau_plancher& l) {
  return l.niveau_categorie.plancher_tremies;
}
inline const Compute_data_types::balcons& niveau_plancher_balcons(const Compute_data_types::niveau_plancher& l) {
  return l.niveau_categorie.plancher_balcons;
}
inline const Compute_data_types::tremies& niveau_toit_tremies(const Compute_data_types::niveau_toit& l) {
  return l.niveau_categorie.toiture_tremies;
}
inline const Compute_data_types::balcons& niveau_toit_balcons(const Compute_data_types::niveau_toit& l) {
  return l.niveau_categorie.toiture_balcons;
}

inline double batiment_longueur(const Compute_data_types::batiment& b) { return b.batiment_longueur; }
inline double batiment_largeur(const Compute_data_types::batiment& b) { return b.batiment_largeur; }
inline const Compute_data_types::batiment_implantation& batiment_implantation(const Compute_data_types::batiment& b) {
  return b.batiment_implantation;
}
inline double batiment_pente_de_sol(const Compute_data_types::batiment& b) {
  return b.batiment_implantation.implantation_pente;
}
inline bool batiment_pente_de_sol_needs_justification(const Compute_data_types::batiment& b) {
  return b.batiment_implantation.implantation_pente_needs_justification;
}
inline const Compute_data_types::niveau_planchers& batiment_niveau_planchers(const Compute_data_types::batiment& b) {
  return b.batiment_niveau_planchers;
}
inline const Compute_data_types::niveau_toit& batiment_niveau_toit(const Compute_data_types::batiment& b) {
  return b.batiment_niveau_toit;
}
inline const Compute_data_types::materiau_categorie& batiment_materiau_categorie(
    const Compute_data_types::batiment& b) {
  return b.batiment_materiau_categorie;
}
inline int batiment_nombre_etages(const Compute_data_types::batiment& b) { return b.batiment_nombre_etages; }
inline const std::string& batiment_file_name(const Compute_data_types::batiment& b) { return b.batiment_file_name; }
inline const std::string& batiment_report_file_name(const Compute_data_types::batiment& b) {
  return b.batiment_report_file_name;
}
inline Quavor_data_types::batiment_type batiment_type(const Compute_data_types::batiment& b) { return b.batiment_type; }

// ---------------------------------------------------------------------------
// 2. Derived measures.

// Rectangle width for an X wall, height for a Y wall.
double mur_longueur(const Compute_data_types::mur& m);
// The other dimension.
double mur_epaisseur(const Compute_data_types::mur& m);
inline double mur_surface_au_sol(const Compute_data_types::mur& m) { return m.mur_surface_au_sol; }
// The carried floor area when computed, 0.0 otherwise.
double mur_sp_value(const Compute_data_types::mur& m);
inline bool mur_x(const Compute_data_types::mur& m) { return m.mur_direction == Compute_data_types::direction::X; }
inline bool mur_y(const Compute_data_types::mur& m) { return m.mur_direction == Compute_data_types::direction::Y; }
inline double tremie_surface(const Compute_data_types::tremie& t) {
  return t.tremie_rectangle.width * t.tremie_rectangle.height;
}
inline double retrait_surface(const Compute_data_types::retrait& r) {
  return r.retrait_rectangle.width * r.retrait_rectangle.height;
}
inline double balcon_surface(const Compute_data_types::balcon& b) {
  return b.balcon_rectangle.width * b.balcon_rectangle.height;
}
inline double rectangle_width(const Compute_data_types::rectangle& r) { return r.width; }
inline double rectangle_height(const Compute_data_types::rectangle& r) { return r.height; }
inline const Compute_data_types::rectangle_edges& rectangle_edges(const Compute_data_types::rectangle& r) {
  return r.edges;
}
inline const Compute_data_types::rectangle_vertices& rectangle_vertices(const Compute_data_types::rectangle& r) {
  return r.vertices;
}
// The rectangle at the bottom of the chain of bases.
const Compute_data_types::rectangle& plan_base_rectangle(const Compute_data_types::base& b);
const Compute_data_types::rectangle& plan_base_rectangle(const Compute_data_types::plan& p);
const Compute_data_types::rectangle& plan_rectangle(const Compute_data_types::plan& p);
// Hypot of the base rectangle's width and height.
double plan_diagonale(const Compute_data_types::plan& p);
inline const Compute_data_types::point_pondere& plan_centre_pondere(const Compute_data_types::plan& p) {
  return p.plan_centre;
}
// The plan's set-backs followed by those of its base plans.
Compute_data_types::retraits plan_all_retraits(const Compute_data_types::plan& p);
template <class C>
const Compute_data_types::retraits& niveau_retraits(const Compute_data_types::niveau<C>& l) {
  return l.niveau_plan.plan_retraits;
}

// ---------------------------------------------------------------------------
// 3. Wall classification.

bool contreventement(const Compute_data_types::mur& m);
bool mur_refend_declare(const Compute_data_types::mur& m);
bool mur_facade_declare(const Compute_data_types::mur& m);
bool contreventement_refend_declare(const Compute_data_types::mur& m);
bool contreventement_facade_declare(const Compute_data_types::mur& m);
bool contreventement_x(const Compute_data_types::mur& m);
bool contreventement_y(const Compute_data_types::mur& m);
bool contreventement_x_facade_declare(const Compute_data_types::mur& m);
bool contreventement_y_facade_declare(const Compute_data_types::mur& m);
bool contreventement_x_refend_declare(const Compute_data_types::mur& m);
bool contreventement_y_refend_declare(const Compute_data_types::mur& m);
// An X wall is on the facade when its north edge, else its south edge, lies
// within a segment of the plan's x contour; a Y wall by its west edge, else
// its east edge, against the y contour.
std::optional<Compute_data_types::contact_contour> mur_contact_contour_plan_option(const Compute_data_types::mur& m,
                                                                                   const Compute_data_types::plan& p);
bool mur_plan_facade_calcule(const Compute_data_types::mur& m, const Compute_data_types::plan& p);
bool mur_plan_refend_calcule(const Compute_data_types::mur& m, const Compute_data_types::plan& p);
template <class C>
bool mur_niveau_facade_calcule(const Compute_data_types::mur& m, const Compute_data_types::niveau<C>& l) {
  return mur_plan_facade_calcule(m, l.niveau_plan);
}
template <class C>
bool mur_niveau_refend_calcule(const Compute_data_types::mur& m, const Compute_data_types::niveau<C>& l) {
  return mur_plan_refend_calcule(m, l.niveau_plan);
}
// Whether the wall's south-west corner lies strictly beyond the centre
// towards the cardinal point (North and South for X walls, East and West
// for Y walls); a wall level with the centre faces neither way.
bool contreventement_de_facade_oriente(Compute_data_types::cardinal_point c, const Compute_data_types::point& centre,
                                       const Compute_data_types::mur& m);

// ---------------------------------------------------------------------------
// 4. Validity.

bool rectangle_non_degenere(const Compute_data_types::rectangle& r);
bool mur_valid(const Compute_data_types::mur& m);
bool poutre_non_degenere(const Compute_data_types::poutre& p);
bool poutre_valid(const Compute_data_types::poutre& p);
bool tremie_non_degenere(const Compute_data_types::tremie& t);
bool tremie_valid(const Compute_data_types::tremie& t);
bool balcon_non_degenere(const Compute_data_types::balcon& b);
bool balcon_valid(const Compute_data_types::balcon& b);
bool retrait_non_degenere(const Compute_data_types::retrait& r);
bool retrait_valid(const Compute_data_types::retrait& r);
bool plan_non_degenere(const Compute_data_types::plan& p);
bool plan_valid(const Compute_data_types::plan& p);

// ---------------------------------------------------------------------------
// 5. Relations between rectangles. Sharing a side or a corner is not an
// intersection; "dans" compares the intersection with the first rectangle
// within 0.001.

bool rectangle_almost_equal_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2);
bool rectangle_intersect_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2);
bool mur_intersect_mur(const Compute_data_types::mur& m1, const Compute_data_types::mur& m2);
bool mur_intersect_tremie(const Compute_data_types::mur& m, const Compute_data_types::tremie& t);
bool mur_intersect_retrait(const Compute_data_types::mur& m, const Compute_data_types::retrait& r);
bool tremie_intersect_tremie(const Compute_data_types::tremie& t1, const Compute_data_types::tremie& t2);
bool retrait_intersect_tremie(const Compute_data_types::retrait& r, const Compute_data_types::tremie& t);
bool retrait_intersect_retrait(const Compute_data_types::retrait& r1, const Compute_data_types::retrait& r2);
bool balcon_intersect_balcon(const Compute_data_types::balcon& b1, const Compute_data_types::balcon& b2);
bool rectangle_hors_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2);
bool rectangle_hors_retrait(const Compute_data_types::rectangle& r, const Compute_data_types::retrait& s);
// No common area with the plan's base (the set-backs are not looked at).
bool rectangle_hors_plan(const Compute_data_types::rectangle& r, const Compute_data_types::plan& p);
bool balcon_hors_plan(const Compute_data_types::balcon& b, const Compute_data_types::plan& p);
bool rectangle_dans_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2);
// Within the base and sharing no area with a set-back, down the chain of
// plans.
bool rectangle_dans_plan(const Compute_data_types::rectangle& r, const Compute_data_types::plan& p);
bool rectangle_dans_plan_base(const Compute_data_types::rectangle& r, const Compute_data_types::base& b);
// The same for a set-back, skipping the set-back itself (by identity).
bool rectangle_retrait_dans_plan(const Compute_data_types::retrait& s, const Compute_data_types::rectangle& r,
                                 const Compute_data_types::plan& p);
bool retrait_dans_plan(const Compute_data_types::retrait& s, const Compute_data_types::plan& p);
bool mur_dans_plan(const Compute_data_types::mur& m, const Compute_data_types::plan& p);
bool tremie_dans_plan(const Compute_data_types::tremie& t, const Compute_data_types::plan& p);

// ---------------------------------------------------------------------------
// 6. Relations with segments.

bool segment_intersect_segment(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2);
// The intersection equals the first segment within 0.001.
bool segment_dans_segment(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2);
bool almost_equal_segments(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2);
bool almost_equal_points(const Compute_data_types::point& p, const Compute_data_types::point& q);
// A point or a segment in common.
bool segment_intersect_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r);
bool segment_hors_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r);
bool segment_hors_retrait(const Compute_data_types::segment& s, const Compute_data_types::retrait& r);
bool segment_dans_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r);
// Within the base and with no point strictly inside a set-back, down the
// chain of plans.
bool segment_dans_plan(const Compute_data_types::segment& s, const Compute_data_types::plan& p);
bool segment_dans_plan_base(const Compute_data_types::segment& s, const Compute_data_types::base& b);
bool poutre_intersect_poutre(const Compute_data_types::poutre& p1, const Compute_data_types::poutre& p2);
bool poutre_intersect_tremie(const Compute_data_types::poutre& p, const Compute_data_types::tremie& t);
bool poutre_intersect_retrait(const Compute_data_types::poutre& p, const Compute_data_types::retrait& r);
bool poutre_dans_plan(const Compute_data_types::poutre& p, const Compute_data_types::plan& pl);

// ---------------------------------------------------------------------------
// 7. Relations with points. "dans": border included within 0.001;
// "interieur": strictly inside.

bool point_dans_rectangle(const Compute_data_types::point& p, const Compute_data_types::rectangle& r);
bool point_dans_mur(const Compute_data_types::point& p, const Compute_data_types::mur& m);
bool point_dans_tremie(const Compute_data_types::point& p, const Compute_data_types::tremie& t);
bool point_dans_retrait(const Compute_data_types::point& p, const Compute_data_types::retrait& r);
bool point_interieur_rectangle(const Compute_data_types::point& p, const Compute_data_types::rectangle& r);
bool point_interieur_retrait(const Compute_data_types::point& p, const Compute_data_types::retrait& r);
bool point_interieur_retraits(const Compute_data_types::point& p, const Compute_data_types::retraits& rs);
bool point_dans_plan(const Compute_data_types::point& p, const Compute_data_types::plan& pl);
bool point_dans_plan_base(const Compute_data_types::point& p, const Compute_data_types::base& b);
// In the plan's base.
bool point_dans_plan_base(const Compute_data_types::point& p, const Compute_data_types::plan& pl);
bool point_dans_poteau(const Compute_data_types::point& p, const Compute_data_types::poteau& c);
bool poteau_dans_poteau(const Compute_data_types::poteau& c1, const Compute_data_types::poteau& c2);
bool poteau_dans_tremie(const Compute_data_types::poteau& c, const Compute_data_types::tremie& t);
bool poteau_dans_retrait(const Compute_data_types::poteau& c, const Compute_data_types::retrait& r);
bool poteau_dans_plan(const Compute_data_types::poteau& c, const Compute_data_types::plan& p);
bool poutre_position_intersect_poteau(const Compute_data_types::poutre& p, const Compute_data_types::poteau& c);
bool poutre_vertex_intersect_poteau(const Compute_data_types::poutre& p, const Compute_data_types::poteau& c);
bool poutre_position_intersect_mur(const Compute_data_types::poutre& p, const Compute_data_types::mur& m);
bool poutre_vertex_intersect_mur(const Compute_data_types::poutre& p, const Compute_data_types::mur& m);
bool points_adjacents(const Compute_data_types::point& p, const Compute_data_types::point& q);

// ---------------------------------------------------------------------------
// 8. Contour and contact.

// South, east, north, west.
Compute_data_types::segments edges_to_segments(const Compute_data_types::rectangle_edges& e);
Compute_data_types::segments rectangle_compute_contour(const Compute_data_types::rectangle& r);
Compute_data_types::segments retrait_compute_contour(const Compute_data_types::retrait& r);
// The contour with one set-back cut out of it.
Compute_data_types::segments plan_contour_but_retrait(const Compute_data_types::segments& contour,
                                                      const Compute_data_types::retrait& r);
Compute_data_types::segments plan_contour_but_retraits(const Compute_data_types::segments& contour,
                                                       const Compute_data_types::retraits& rs);
Compute_data_types::segments base_compute_contour(const Compute_data_types::base& b);
// Contour, x and y contours, extents and base dimensions of a plan whose
// set-backs and base are set.
void plan_compute_contour(Compute_data_types::plan& p);
void plan_compute_base_dimensions(Compute_data_types::plan& p);

Compute_data_types::contact_contour contact(const Compute_data_types::segment& edge,
                                            const Compute_data_types::segment& contour,
                                            Compute_data_types::cardinal_point side);
// The first x contour segment containing the north edge, else the south edge.
std::optional<Compute_data_types::contact_contour> edges_contact_contour_x(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::segments& contour_x);
// The first y contour segment containing the west edge, else the east edge.
std::optional<Compute_data_types::contact_contour> edges_contact_contour_y(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::segments& contour_y);
// The x contact, else the y contact.
std::optional<Compute_data_types::contact_contour> edges_plan_contact_contour(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::plan& p);
std::optional<Compute_data_types::contact_contour> retrait_plan_contact_contour(const Compute_data_types::retrait& r,
                                                                                const Compute_data_types::plan& p);

using edge_contact = std::pair<Compute_data_types::cardinal_point, Compute_data_types::segment>;
// (North, north edge), else (South, south edge), when it lies within the x contour.
std::optional<edge_contact> edges_find_edge_contact_contour_x(const Compute_data_types::rectangle_edges& e,
                                                              const Compute_data_types::segments& contour_x);
// (West, west edge), else (East, east edge), against the y contour.
std::optional<edge_contact> edges_find_edge_contact_contour_y(const Compute_data_types::rectangle_edges& e,
                                                              const Compute_data_types::segments& contour_y);
// The x form against the plan's x contour, else the y form.
std::optional<edge_contact> edges_find_edge_contact_contour_plan(const Compute_data_types::rectangle_edges& e,
                                                                 const Compute_data_types::plan& p);

// In elevation when the contact covers at most 0.2 of its contour segment.
// Fatal error "retrait_categorie" when the set-back touches no contour.
Compute_data_types::retrait_categorie retrait_plan_categorie(const Compute_data_types::retrait& r,
                                                             const Compute_data_types::plan& p);

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
bool niveau_for_all_mur(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_murs);
}
template <class C, class F>
bool niveau_for_all_cvt(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref(f, l.cvts);
}
template <class C, class F>
bool niveau_for_all_poteau(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_poteaux);
}
template <class C, class F>
bool niveau_for_all_poutre(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_poutres);
}
template <class C, class F>
bool niveau_for_all_retrait(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref(f, l.niveau_plan.plan_retraits);
}
template <class F>
bool niveau_plancher_for_all_tremie(F f, const Compute_data_types::niveau_plancher& l) {
  return Detail::for_all_value(f, l.niveau_categorie.plancher_tremies);
}
template <class F>
bool niveau_plancher_for_all_balcon(F f, const Compute_data_types::niveau_plancher& l) {
  return Detail::for_all_value(f, l.niveau_categorie.plancher_balcons);
}
template <class F>
bool niveau_toit_for_all_tremie(F f, const Compute_data_types::niveau_toit& l) {
  return Detail::for_all_value(f, l.niveau_categorie.toiture_tremies);
}
template <class F>
bool niveau_toit_for_all_balcon(F f, const Compute_data_types::niveau_toit& l) {
  return Detail::for_all_value(f, l.niveau_categorie.toiture_balcons);
}
template <class C, class F>
bool niveau_for_all_poteau_pair(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref_pair(f, l.niveau_poteaux);
}
template <class C, class F>
bool niveau_for_all_poutre_pair(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::for_all_ref_pair(f, l.niveau_poutres);
}
template <class F>
bool niveau_plancher_for_all_tremie_pair(F f, const Compute_data_types::niveau_plancher& l) {
  return for_all_pair_rs(f, l.niveau_categorie.plancher_tremies);
}
template <class F>
bool niveau_plancher_for_all_balcon_pair(F f, const Compute_data_types::niveau_plancher& l) {
  return for_all_pair_rs(f, l.niveau_categorie.plancher_balcons);
}
template <class F>
bool niveau_toit_for_all_tremie_pair(F f, const Compute_data_types::niveau_toit& l) {
  return for_all_pair_rs(f, l.niveau_categorie.toiture_tremies);
}
template <class F>
bool niveau_toit_for_all_balcon_pair(F f, const Compute_data_types::niveau_toit& l) {
  return for_all_pair_rs(f, l.niveau_categorie.toiture_balcons);
}
template <class C, class F>
std::optional<Compute_data_types::mur_ref> niveau_find_mur_opt(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_murs);
}
template <class C, class F>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_opt(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.cvts);
}
template <class C, class F>
std::optional<Compute_data_types::poteau_ref> niveau_find_poteau_opt(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_poteaux);
}
template <class C, class F>
std::optional<Compute_data_types::poutre_ref> niveau_find_poutre_opt(F f, const Compute_data_types::niveau<C>& l) {
  return Detail::find_ref_opt(f, l.niveau_poutres);
}
template <class C, class F>
bool niveau_exists_mur(F f, const Compute_data_types::niveau<C>& l) {
  return niveau_find_mur_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_cvt(F f, const Compute_data_types::niveau<C>& l) {
  return niveau_find_cvt_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_poteau(F f, const Compute_data_types::niveau<C>& l) {
  return niveau_find_poteau_opt(f, l).has_value();
}
template <class C, class F>
bool niveau_exists_poutre(F f, const Compute_data_types::niveau<C>& l) {
  return niveau_find_poutre_opt(f, l).has_value();
}

// The first bracing wall of the level that is on the facade (as computed)
// and faces the cardinal point.
template <class C>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_facade_cardinal_point_opt(
    Compute_data_types::cardinal_point c, const Compute_data_types::niveau<C>& l) {
  const Compute_data_types::point centre = l.niveau_plan.plan_centre.second;
  return niveau_find_cvt_opt(
      [&](const Compute_data_types::mur& m) {
        return mur_plan_facade_calcule(m, l.niveau_plan) && contreventement_de_facade_oriente(c, centre, m);
      },
      l);
}
template <class C>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_facade_south_opt(const Compute_data_types::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Compute_data_types::cardinal_point::South, l);
}
template <class C>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_facade_north_opt(const Compute_data_types::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Compute_data_types::cardinal_point::North, l);
}
template <class C>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_facade_east_opt(const Compute_data_types::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Compute_data_types::cardinal_point::East, l);
}
template <class C>
std::optional<Compute_data_types::mur_ref> niveau_find_cvt_facade_west_opt(const Compute_data_types::niveau<C>& l) {
  return niveau_find_cvt_facade_cardinal_point_opt(Compute_data_types::cardinal_point::West, l);
}

// (floor levels, roof level)
inline std::pair<const Compute_data_types::niveau_planchers&, const Compute_data_types::niveau_toit&> batiment_niveaux(
    const Compute_data_types::batiment& b) {
  return {b.batiment_niveau_planchers, b.batiment_niveau_toit};
}
// The predicates over every level are given one callable for each kind of
// level (a generic lambda serves both): floor levels first, then the roof.
template <class F>
bool batiment_for_all_niveau_plancher(F f, const Compute_data_types::batiment& b) {
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!f(l)) return false;
  return true;
}
template <class F>
bool batiment_for_niveau_toit(F f, const Compute_data_types::batiment& b) {
  return f(b.batiment_niveau_toit);
}
template <class F>
bool batiment_for_all_niveau(F f, const Compute_data_types::batiment& b) {
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
const Compute_data_types::plan& batiment_plan_rdc(const Compute_data_types::batiment& b);
double batiment_surface(const Compute_data_types::batiment& b);
// Fatal errors for wooden and concrete buildings.
const Compute_data_types::maconnerie& batiment_maconnerie(const Compute_data_types::batiment& b);
Quavor_data_types::maconnerie_categorie batiment_maconnerie_categorie(const Compute_data_types::batiment& b);
Quavor_data_types::qualite_du_chainage_categorie batiment_qualite_du_chainage(const Compute_data_types::batiment& b);

// Floor masses in kg/m2.
double plancher_masse_surfacique_propre(const Compute_data_types::plancher& p);
double plancher_masse_surfacique_revetement(const Compute_data_types::plancher& p);
double plancher_masse_surfacique_cloison(const Compute_data_types::plancher& p);
double plancher_masse_surfacique_permanente(const Compute_data_types::plancher& p);
double batiment_plancher_masse_surfacique(const Compute_data_types::batiment& b, const Compute_data_types::plancher& p);

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
  if (!std::holds_alternative<Compute_data_types::Info_unset>(get(x))) already_classified_info_error();
  set(x, std::move(v));
}

void poutre_set_fondement_info(Compute_data_types::poutre& p,
                               Compute_data_types::info<Compute_data_types::poutre_fondement> v);
void poutre_set_fondement(Compute_data_types::poutre& p, const Compute_data_types::poutre_fondement& f);
void mur_set_fondement_info(Compute_data_types::mur& m, Compute_data_types::info<Compute_data_types::appui> v);
void poteau_set_fondement_info(Compute_data_types::poteau& c, Compute_data_types::info<Compute_data_types::appui> v);
void retrait_set_categorie_info(Compute_data_types::retrait& r,
                                Compute_data_types::info<Compute_data_types::retrait_categorie> v);

}  // namespace Compute_data_utils
