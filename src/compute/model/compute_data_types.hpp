#pragma once
// The computed building model: the form of a description that every
// criterion reads. Each element carries its full rectangle, surface and
// weighted centre; each plan its contour and dimensions; each level the
// classifications of its walls and the totals of its bracing walls.
//
// Walls, columns, beams and set-backs are held through std::shared_ptr:
// one wall appears in several classification lists of its level, a beam's
// supports name walls and columns, and a set-back is recognised by
// identity among the set-backs of its plan. The `info` slots are the only
// parts written after derivation (through Compute_data_utils::set_info).
//
// Alternatives carrying one value hold it in a field named `value`.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "description/quavor_data_types.hpp"
#include "geometry/compute_pervasives_types.hpp"
#include "geometry/quavor_pervasives_types.hpp"

namespace Compute_data_types {

using Quavor_pervasives_types::cardinal_point;
using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::point;
using Quavor_pervasives_types::point_pondere;
using Quavor_pervasives_types::point_ponderes;

using Compute_pervasives_types::In;
using Compute_pervasives_types::inside;
using Compute_pervasives_types::localisation;
using Compute_pervasives_types::Out;
using Compute_pervasives_types::rectangle;
using Compute_pervasives_types::rectangle_edges;
using Compute_pervasives_types::rectangle_vertices;
using Compute_pervasives_types::segment;
using Compute_pervasives_types::segments;

// ---------------------------------------------------------------------------
// A slot filled after derivation. It starts Info_unset and is written once.

struct Info_unset {
  bool operator==(const Info_unset&) const = default;
};
struct Info_irrelevant {
  bool operator==(const Info_irrelevant&) const = default;
};
struct Info_not_found {
  bool operator==(const Info_not_found&) const = default;
};
template <class T>
struct Info {
  T value;
  bool operator==(const Info&) const = default;
};
template <class T>
using info = std::variant<Info_unset, Info_irrelevant, Info_not_found, Info<T>>;

// ---------------------------------------------------------------------------
// Classifications.

enum class retrait_categorie { Retrait_en_elevation, Retrait_en_plan };

// Where an element touches the contour of its plan: the element's edge, the
// contour segment that contains it, and which edge of the element it is.
struct contact_contour {
  segment contact_segment;
  segment contact_contour;
  cardinal_point contact_side;
  bool operator==(const struct contact_contour&) const = default;
};

// ---------------------------------------------------------------------------
// Elements.

struct mur;
struct poteau;

// What carries the end of a beam (or founds a wall or a column).
struct Appui_poteau {
  std::shared_ptr<poteau> value;
  bool operator==(const Appui_poteau&) const = default;
};
struct Appui_mur {
  std::shared_ptr<mur> value;
  bool operator==(const Appui_mur&) const = default;
};
using appui = std::variant<Appui_poteau, Appui_mur>;

// The supports of the two ends of a beam.
struct poutre_fondement {
  appui appui_position;
  appui appui_vertex;
  bool operator==(const poutre_fondement&) const = default;
};

// A floor or roof opening.
struct tremie {
  rectangle tremie_rectangle;
  std::string tremie_nom;
  point_pondere tremie_centre;
  bool operator==(const tremie&) const = default;
};

struct balcon {
  rectangle balcon_rectangle;
  std::string balcon_nom;
  point_pondere balcon_centre;
  bool operator==(const balcon&) const = default;
};

struct mur {
  Quavor_data_types::mur_categorie mur_categorie;  // as declared
  direction mur_direction;
  int mur_numero;
  Quavor_data_types::mur_genre mur_genre;  // Mur_primaire: a bracing wall
  std::string mur_nom;
  Quavor_data_types::mur_sp mur_sp;  // floor area carried
  double mur_hauteur;
  rectangle mur_rectangle;
  double mur_surface_au_sol;
  info<appui> mur_fondement;
  bool operator==(const mur&) const = default;
};

struct poteau {
  std::string poteau_nom;
  point poteau_position;
  info<appui> poteau_fondement;
  bool operator==(const poteau&) const = default;
};

struct poutre {
  segment poutre_segment;
  int poutre_numero;
  std::string poutre_nom;
  info<Compute_data_types::poutre_fondement> poutre_fondement;  // set by the conception checks
  bool operator==(const poutre&) const = default;
};

// A set-back cut out of a plan.
struct retrait {
  rectangle retrait_rectangle;
  std::string retrait_nom;
  double retrait_surface;
  point retrait_centre;
  info<Compute_data_types::retrait_categorie> retrait_categorie;
  bool operator==(const retrait&) const = default;
};

using mur_ref = std::shared_ptr<mur>;
using poteau_ref = std::shared_ptr<poteau>;
using poutre_ref = std::shared_ptr<poutre>;
using retrait_ref = std::shared_ptr<retrait>;
using murs = std::vector<mur_ref>;
using poteaux = std::vector<poteau_ref>;
using poutres = std::vector<poutre_ref>;
using retraits = std::vector<retrait_ref>;
using tremies = std::vector<tremie>;
using balcons = std::vector<balcon>;

// ---------------------------------------------------------------------------
// Plans.

struct plan;

// What a plan stands on: a rectangle, or another plan (shared, never
// modified, compared by value).
struct Base_rectangle {
  rectangle value;
  bool operator==(const Base_rectangle&) const = default;
};
struct Base_plan {
  std::shared_ptr<const plan> value;
  const plan& inner() const { return *value; }
  bool operator==(const Base_plan& other) const;
};
using base = std::variant<Base_rectangle, Base_plan>;

struct plan {
  retraits plan_retraits;
  base plan_base;
  int plan_etage;
  std::string plan_nom;
  point_pondere plan_centre;  // (surface, centre) of the base less the set-backs
  double plan_surface;
  double plan_base_surface;
  segments plan_contour;
  segments plan_contour_x;
  segments plan_contour_y;
  double plan_min_x;
  double plan_max_x;
  double plan_min_y;
  double plan_max_y;
  double plan_width;
  double plan_height;
  double plan_base_width;
  double plan_base_height;
  bool operator==(const plan&) const = default;
};

inline bool Base_plan::operator==(const Base_plan& other) const {
  if (value == other.value) return true;
  if (!value || !other.value) return false;
  return *value == *other.value;
}

// ---------------------------------------------------------------------------
// Floors and roofs.

struct plancher {
  Quavor_data_types::plancher_categorie plancher_categorie;
  double plancher_epaisseur;
  balcons plancher_balcons;
  tremies plancher_tremies;
  double plancher_charge_revetement;  // kg/m2
  double plancher_charge_cloison;     // kg/m2
  plan plancher_plan;
  point_pondere plancher_centre;
  double plancher_surface;
  double plancher_diaphragme_surface;
  bool operator==(const plancher&) const = default;
};

// A heavy roof slab.
struct toiture_lourde {
  Quavor_data_types::dalle_beton_categorie toiture_lourde_categorie;
  double toiture_lourde_epaisseur;
  bool operator==(const toiture_lourde&) const = default;
};

struct Toiture_legere {
  Quavor_data_types::bois_categorie value;
  bool operator==(const Toiture_legere&) const = default;
};
struct Toiture_lourde {
  Compute_data_types::toiture_lourde value;
  bool operator==(const Toiture_lourde&) const = default;
};
using toiture_categorie = std::variant<Toiture_legere, Toiture_lourde>;

struct toiture {
  Compute_data_types::toiture_categorie toiture_categorie;
  double toiture_epaisseur;  // 0.0 for a light roof
  balcons toiture_balcons;
  tremies toiture_tremies;
  double toiture_hauteur;
  plan toiture_plan;
  point_pondere toiture_centre;
  double toiture_surface;
  bool operator==(const toiture&) const = default;
};

// ---------------------------------------------------------------------------
// Levels: a floor level (C = plancher) or the roof level (C = toiture).
// The wall lists share the walls of `niveau_murs`.

template <class C>
struct niveau {
  C niveau_categorie;
  murs niveau_murs;  // input order
  double niveau_hauteur;
  poteaux niveau_poteaux;
  poutres niveau_poutres;
  plan niveau_plan;
  int niveau_etage;
  std::string niveau_nom;
  murs murs_refend_declares;
  murs murs_refend_calcules;  // not on the contour: x walls, then y walls
  murs murs_facade_declares;
  murs murs_facade_calcules;  // on the contour: x walls, then y walls
  murs cvts;                  // bracing walls
  murs cvts_x;
  murs cvts_y;
  murs cvts_x_facade_declares;
  murs cvts_y_facade_declares;
  murs cvts_x_refend_declares;
  murs cvts_y_refend_declares;
  murs cvts_x_refend_calcules;
  murs cvts_y_refend_calcules;
  murs cvts_x_facade_calcules;
  murs cvts_y_facade_calcules;
  murs cvts_x_facade_north;
  murs cvts_x_facade_south;
  murs cvts_y_facade_east;
  murs cvts_y_facade_west;
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
  bool operator==(const niveau&) const = default;
};
using niveau_plancher = niveau<plancher>;
using niveau_toit = niveau<toiture>;
using niveau_planchers = std::vector<niveau_plancher>;

// ---------------------------------------------------------------------------
// The building.

using Quavor_data_types::maconnerie;
using Quavor_data_types::materiau_categorie;

// No basement declared, or the declared basement height.
struct Soubassement {
  bool operator==(const Soubassement&) const = default;
};
struct Sous_sol {
  double value;
  bool operator==(const Sous_sol&) const = default;
};
using sous_sol = std::variant<Soubassement, Sous_sol>;

struct batiment_implantation {
  Quavor_data_types::sol_categorie implantation_sol;
  double implantation_pente;  // a factor: the input percentage / 100
  bool implantation_pente_needs_justification;
  bool operator==(const batiment_implantation&) const = default;
};

struct batiment {
  Quavor_data_types::batiment_type batiment_type;
  Quavor_data_types::batiment_categorie batiment_categorie;
  std::string batiment_localisation;
  Compute_data_types::batiment_implantation batiment_implantation;
  Quavor_data_types::zone_de_sismicite batiment_zone_de_sismicite;
  Quavor_data_types::materiau_categorie batiment_materiau_categorie;
  double batiment_largeur;
  double batiment_longueur;
  double batiment_hauteur;
  double batiment_hauteur_max_par_niveau;
  Compute_data_types::sous_sol batiment_sous_sol;
  niveau_planchers batiment_niveau_planchers;  // input order
  niveau_toit batiment_niveau_toit;
  std::string batiment_file_name;
  std::string batiment_report_file_name;
  int batiment_nombre_etages;
  bool operator==(const batiment&) const = default;
};

struct input_data {
  Compute_data_types::batiment batiment;
  bool operator==(const input_data&) const = default;
};

}  // namespace Compute_data_types
