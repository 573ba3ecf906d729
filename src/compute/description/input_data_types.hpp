#pragma once
// A building description as read from a .qvb file: the records of its
// levels, walls, columns, beams, plans and openings. Every value is
// immutable once read; sequences keep the order in which they were written.
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "description/quavor_data_types.hpp"
#include "text/exceptions.hpp"
#include "geometry/quavor_pervasives_types.hpp"

namespace Input_data_types {

using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::point;
using Quavor_pervasives_types::solide;
using namespace Quavor_data_types;

// `rectangle_position` is the corner with the smallest x and y.
struct rectangle {
  double rectangle_width;
  double rectangle_height;
  point rectangle_position;
  bool operator==(const rectangle&) const = default;
};

// A floor opening.
struct tremie {
  Input_data_types::rectangle tremie_rectangle;
  std::string tremie_nom;
  bool operator==(const tremie&) const = default;
};

struct balcon {
  Input_data_types::rectangle balcon_rectangle;
  std::string balcon_nom;
  bool operator==(const balcon&) const = default;
};

// A wall: its footprint is the rectangle of width s_lx and height s_ly at
// mur_position, its height s_lz.
struct mur {
  Quavor_data_types::mur_categorie mur_categorie;
  point mur_position;
  Quavor_pervasives_types::direction mur_direction;
  int mur_numero;
  Quavor_data_types::mur_genre mur_genre;
  solide mur_solide;
  std::string mur_nom;
  Quavor_data_types::mur_sp mur_sp;
  bool operator==(const mur&) const = default;
};

// A column.
struct poteau {
  point poteau_position;
  std::string poteau_nom;
  bool operator==(const poteau&) const = default;
};

// A beam: the segment from poutre_position along poutre_direction over
// poutre_length.
struct poutre {
  point poutre_position;
  Quavor_pervasives_types::direction poutre_direction;
  double poutre_length;
  int poutre_numero;
  std::string poutre_nom;
  bool operator==(const poutre&) const = default;
};

// A floor; the two loads are in kg/m2.
struct plancher {
  Quavor_data_types::plancher_categorie plancher_categorie;
  double plancher_epaisseur;
  std::vector<tremie> plancher_tremies;
  std::vector<balcon> plancher_balcons;
  double plancher_charge_revetement;
  double plancher_charge_cloison;
  bool operator==(const plancher&) const = default;
};

// A heavy roof slab.
struct toiture_lourde {
  dalle_beton_categorie toiture_lourde_categorie;
  double toiture_lourde_epaisseur;
  std::vector<tremie> toiture_lourde_tremies;
  bool operator==(const toiture_lourde&) const = default;
};

// The kind of a roof.
struct Toiture_legere {
  bois_categorie value;
  bool operator==(const Toiture_legere&) const = default;
};
struct Toiture_lourde {
  Input_data_types::toiture_lourde value;
  bool operator==(const Toiture_lourde&) const = default;
};
using type_toiture = std::variant<Toiture_legere, Toiture_lourde>;

struct toiture {
  Input_data_types::type_toiture toiture_type;
  double toiture_hauteur;
  std::vector<balcon> toiture_balcons;
  bool operator==(const toiture&) const = default;
};

// A set-back cut out of a plan.
struct retrait {
  Input_data_types::rectangle retrait_rectangle;
  std::string retrait_nom;
  bool operator==(const retrait&) const = default;
};

struct plan;

// What a plan stands on: a rectangle, or another plan (to any depth). The
// inner plan is shared, never modified, and compared by value.
struct Base_rectangle {
  Input_data_types::rectangle value;
  bool operator==(const Base_rectangle&) const = default;
};
struct Base_plan {
  std::shared_ptr<const plan> value;
  // A default-built base has no plan: an internal error, never a crash.
  const plan& inner() const {
    if (!value) throw Assertion_failure("src/compute/input_data_types");
    return *value;
  }
  bool operator==(const Base_plan& other) const;
};
using plan_base = std::variant<Base_rectangle, Base_plan>;

struct plan {
  std::vector<retrait> plan_retraits;
  Input_data_types::plan_base plan_base;
  int plan_etage;
  std::string plan_nom;
  bool operator==(const plan&) const = default;
};

inline bool Base_plan::operator==(const Base_plan& other) const {
  if (value == other.value) return true;
  if (!value || !other.value) return false;
  return *value == *other.value;
}

// A base standing on a copy of the given plan.
inline Base_plan make_base_plan(plan inner) {
  return Base_plan{std::make_shared<const plan>(std::move(inner))};
}

// A level: a floor level (C = plancher) or the roof level (C = toiture).
template <class C>
struct niveau {
  C niveau_categorie;
  std::vector<mur> niveau_murs;
  double niveau_hauteur;
  std::vector<poteau> niveau_poteaux;
  std::vector<poutre> niveau_poutres;
  plan niveau_plan;
  int niveau_etage;
  std::string niveau_nom;
  bool operator==(const niveau&) const = default;
};
using niveau_plancher = niveau<plancher>;
using niveau_toit = niveau<toiture>;

// The siting; the slope is a fraction between 0.0 and 1.0.
struct batiment_implantation {
  sol_categorie implantation_sol;
  double implantation_pente;
  bool operator==(const batiment_implantation&) const = default;
};

struct batiment {
  Quavor_data_types::batiment_type batiment_type;
  Quavor_data_types::batiment_categorie batiment_categorie;
  std::string batiment_localisation;
  Input_data_types::batiment_implantation batiment_implantation;
  zone_de_sismicite batiment_zone_de_sismicite;
  materiau_categorie batiment_materiau;
  double batiment_largeur;
  double batiment_longueur;
  double batiment_hauteur;
  double batiment_hauteur_max_par_niveau;
  std::optional<sous_sol> batiment_sous_sol;
  std::vector<niveau_plancher> batiment_niveau_planchers;
  niveau_toit batiment_niveau_toit;
  std::string batiment_file_name;
  bool operator==(const batiment&) const = default;
};

struct input_data {
  Input_data_types::batiment batiment;
  bool operator==(const input_data&) const = default;
};

}  // namespace Input_data_types

// The roof kinds carry records, so they are declared with the records above;
// they belong to the description's vocabulary as well.
namespace Quavor_data_types {
using Input_data_types::toiture_lourde;
using Input_data_types::Toiture_legere;
using Input_data_types::Toiture_lourde;
using Input_data_types::type_toiture;

constexpr std::string_view name_of(const type_toiture& value) {
  return std::holds_alternative<Toiture_legere>(value) ? "Toiture_legere" : "Toiture_lourde";
}
}  // namespace Quavor_data_types

namespace Input_data_types {
constexpr std::string_view name_of(const plan_base& value) {
  return std::holds_alternative<Base_rectangle>(value) ? "Base_rectangle" : "Base_plan";
}
}  // namespace Input_data_types
