#pragma once
// The vocabulary of a building description: its enumerations, the
// alternatives that carry a value, and the names of its free texts.
#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace Quavor_data_types {

// Names and counters.
using etage = int;  // the level number of a floor, a roof or a plan
using mur_nom = std::string;
using poteau_nom = std::string;
using poutre_nom = std::string;
using tremie_nom = std::string;
using balcon_nom = std::string;
using retrait_nom = std::string;
using plan_nom = std::string;
using niveau_nom = std::string;
using batiment_localisation = std::string;
using file_name = std::string;

// R0: ground floor only; R1: ground floor and one storey.
enum class batiment_type { R0, R1 };
// Dwelling or office.
enum class batiment_categorie { Habitation, Bureau };
enum class sol_categorie { Sol_A, Sol_B, Sol_C };
enum class zone_de_sismicite { Zone1, Zone2, Zone3, Zone4, Zone5 };
// Reinforcement of the tie beams.
enum class qualite_du_chainage_categorie { Chainage_4HA12, Chainage_4HA10 };
// Concrete class of the tie beams.
enum class beton_du_chainage_categorie { C16_20, C20_25, C25_30, C30_37, C35_45 };
// Head joints filled, half filled, empty.
enum class joint_vertical_categorie { Joint_rempli, Joint_mi_rempli, Joint_vide };
// Thin or thick bed joints.
enum class joint_horizontal_categorie { Joint_mince, Joint_epais };
enum class maconnerie_categorie {
  Granulats_courant_plein,
  Granulats_courant_creux_40,
  Granulats_courant_creux_60,
  Cellulaire_autoclave_rcn_3,
  Cellulaire_autoclave_rcn_4,
  Brique_creuse_4,
  Brique_creuse_8,
  Brique_creuse_12
};
enum class mur_genre { Mur_primaire, Mur_secondaire };
// Inner or facade wall.
enum class mur_categorie { Mur_en_refend, Mur_de_facade };
// Softwood or hardwood.
enum class bois_categorie { Bois_resineux, Bois_feuillus };
using plancher_bois_categorie = bois_categorie;
// Concrete slab kinds; densities 2500, 2000 and 1600 kg/m3.
enum class dalle_beton_categorie { Dalle_beton, Dalle_BCA, Dalle_hourdis };
using plancher_beton_categorie = dalle_beton_categorie;

// The kind of a floor.
struct Plancher_bois {
  bois_categorie value;
  bool operator==(const Plancher_bois&) const = default;
};
struct Plancher_beton {
  dalle_beton_categorie value;
  bool operator==(const Plancher_beton&) const = default;
};
using plancher_categorie = std::variant<Plancher_bois, Plancher_beton>;

// The masonry of the building.
struct maconnerie {
  Quavor_data_types::maconnerie_categorie maconnerie_categorie;
  joint_horizontal_categorie maconnerie_joint_horizontal;
  joint_vertical_categorie maconnerie_joint_vertical;
  qualite_du_chainage_categorie maconnerie_qualite_du_chainage;
  beton_du_chainage_categorie maconnerie_beton_du_chainage;
  bool operator==(const maconnerie&) const = default;
};

// The building's material.
struct Bois {
  bool operator==(const Bois&) const = default;
};
struct Beton {
  bool operator==(const Beton&) const = default;
};
struct Maconnerie {
  maconnerie value;
  bool operator==(const Maconnerie&) const = default;
};
using materiau_categorie = std::variant<Bois, Beton, Maconnerie>;

// The floor area carried by a wall, once computed.
struct Sp_failure {
  bool operator==(const Sp_failure&) const = default;
};
struct Sp_not_yet_computed {
  bool operator==(const Sp_not_yet_computed&) const = default;
};
struct Sp_value {
  double value;
  bool operator==(const Sp_value&) const = default;
};
using mur_sp = std::variant<Sp_failure, Sp_not_yet_computed, Sp_value>;

// A basement and its height in metres.
struct Sous_sol {
  double value;
  bool operator==(const Sous_sol&) const = default;
};
using sous_sol = Sous_sol;

// `type_toiture` (Toiture_legere, Toiture_lourde) carries a roof-slab record
// made of floor openings; it is declared with the records in
// description/input_data_types.hpp and named in this namespace there too.

// Constructor names, in declaration order: the enumeration's value of rank i
// is named names[i].
template <class E>
struct constructor_names;

#define QUAVOR_CONSTRUCTOR_NAMES(E, ...)                                   \
  template <>                                                              \
  struct constructor_names<E> {                                            \
    static constexpr std::string_view names[] = {__VA_ARGS__};             \
  };
QUAVOR_CONSTRUCTOR_NAMES(batiment_type, "R0", "R1")
QUAVOR_CONSTRUCTOR_NAMES(batiment_categorie, "Habitation", "Bureau")
QUAVOR_CONSTRUCTOR_NAMES(sol_categorie, "Sol_A", "Sol_B", "Sol_C")
QUAVOR_CONSTRUCTOR_NAMES(zone_de_sismicite, "Zone1", "Zone2", "Zone3", "Zone4", "Zone5")
QUAVOR_CONSTRUCTOR_NAMES(qualite_du_chainage_categorie, "Chainage_4HA12", "Chainage_4HA10")
QUAVOR_CONSTRUCTOR_NAMES(beton_du_chainage_categorie, "C16_20", "C20_25", "C25_30", "C30_37",
                         "C35_45")
QUAVOR_CONSTRUCTOR_NAMES(joint_vertical_categorie, "Joint_rempli", "Joint_mi_rempli", "Joint_vide")
QUAVOR_CONSTRUCTOR_NAMES(joint_horizontal_categorie, "Joint_mince", "Joint_epais")
QUAVOR_CONSTRUCTOR_NAMES(maconnerie_categorie, "Granulats_courant_plein",
                         "Granulats_courant_creux_40", "Granulats_courant_creux_60",
                         "Cellulaire_autoclave_rcn_3", "Cellulaire_autoclave_rcn_4",
                         "Brique_creuse_4", "Brique_creuse_8", "Brique_creuse_12")
QUAVOR_CONSTRUCTOR_NAMES(mur_genre, "Mur_primaire", "Mur_secondaire")
QUAVOR_CONSTRUCTOR_NAMES(mur_categorie, "Mur_en_refend", "Mur_de_facade")
QUAVOR_CONSTRUCTOR_NAMES(bois_categorie, "Bois_resineux", "Bois_feuillus")
QUAVOR_CONSTRUCTOR_NAMES(dalle_beton_categorie, "Dalle_beton", "Dalle_BCA", "Dalle_hourdis")
#undef QUAVOR_CONSTRUCTOR_NAMES

// The constructor name of an enumeration value, e.g. "Zone1".
template <class E>
constexpr std::string_view name_of(E value) {
  return constructor_names<E>::names[static_cast<std::size_t>(value)];
}

// Every value of an enumeration, in declaration order.
template <class E>
constexpr std::size_t alternative_count() {
  return std::size(constructor_names<E>::names);
}

// The constructor names of the alternatives with values.
constexpr std::string_view name_of(const plancher_categorie& value) {
  return std::holds_alternative<Plancher_bois>(value) ? "Plancher_bois" : "Plancher_beton";
}
constexpr std::string_view name_of(const materiau_categorie& value) {
  constexpr std::string_view names[] = {"Bois", "Beton", "Maconnerie"};
  return names[value.index()];
}
constexpr std::string_view name_of(const mur_sp& value) {
  constexpr std::string_view names[] = {"Sp_failure", "Sp_not_yet_computed", "Sp_value"};
  return names[value.index()];
}

}  // namespace Quavor_data_types
