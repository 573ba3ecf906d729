#pragma once
// The catalogue of the criteria of the guide TQMV and the guide's numeric
// tables. Holds no mutable state: the checked and loggers tables live in the
// check session.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "description/quavor_data_types.hpp"

namespace Format {
class Printer;
}

namespace Compute_data_types {
struct batiment;
}

namespace Tqmv {

// ---------------------------------------------------------------------------
// Criteria, in catalogue order (the order of every traversal and of the report).

enum class critere : int {
  CR_0,
  CR_0_0,
  CR_0_0_0,
  CR_0_0_1,
  CR_0_1,
  CR_0_2,
  CR_0_3,
  CR_0_4,
  CR_0_5,
  CR_0_6,
  CR_0_7,
  CR_0_8,
  CR_0_9,
  CR_0_10,
  CR_0_10_0,
  CR_0_10_1,
  CR_0_11,
  CR_0_12,
  CR_1,
  CR_1_0,
  CR_1_1,
  CR_1_2,
  CR_1_3,
  CR_1_4,
  CR_1_5,
  CR_1_6,
  CR_1_7,
  CR_1_8,
  CR_1_9,
  CR_1_10,
  CR_2,
  CR_2_1,
  CR_2_2,
  CR_2_2_1,
  CR_2_2_2,
  CR_2_2_3,
  CR_2_3,
  CR_3,
  CR_3_1,
  CR_3_2,
  CR_3_3,
  CR_3_4,
  CR_3_5,
  CR_3_5_0,
  CR_3_5_1,
  CR_3_6,
  CR_3_6_1,
  CR_3_6_2,
  CR_3_6_3,
  CR_3_6_4,
  CR_3_7
};

inline constexpr int critere_count = 51;

// Position in the catalogue (0 to 50) and back.
constexpr int critere_index(critere c) { return static_cast<int>(c); }
constexpr critere critere_of_index(int index) { return static_cast<critere>(index); }

// Every criterion, in catalogue order.
const std::array<critere, critere_count>& all_criteres();

// A title is a section title, a criterion title or a sub-criterion title; each
// carries its text (with its guide reference already written in).
struct Titre_section {
  std::string text;
  bool operator==(const Titre_section&) const = default;
};
struct Titre_critere {
  std::string text;
  bool operator==(const Titre_critere&) const = default;
};
struct Titre_sous_critere {
  std::string text;
  bool operator==(const Titre_sous_critere&) const = default;
};
using titre = std::variant<Titre_section, Titre_critere, Titre_sous_critere>;

// The text of a title, whatever its kind.
const std::string& titre_text(const titre& t);

// The code, e.g. "CR-3-6-2".
std::string critere_nom(critere c);
// The enumeration name, e.g. "CR_3_6_2" (used in the debugging lines).
std::string critere_ident(critere c);
// The family name: "Cohérence du bâtiment", "Géométrie du bâtiment",
// "Conception du bâtiment" or "Dimensionnement du bâtiment".
std::string critere_classification(critere c);
// The parent in the criteria tree; absent for the sections.
std::optional<critere> critere_principal(critere c);
// True exactly when the criterion has no principal criterion.
bool critere_is_section(critere c);
titre critere_title(critere c);
// The explanatory paragraph.
std::string critere_text(critere c);
// The guide reference written into the title ("guide 2.1.4, p.73, point (2)"),
// empty for a criterion without one.
std::string critere_reference(critere c);

// Writes the title's text with "%s", whatever its kind.
void print_critere_title(Format::Printer& ppf, critere c);
// Writes "Critère %s\n  \"%a\"": the code, then the title.
void print_critere(Format::Printer& ppf, critere c);

// The four family names.
extern const std::string famille_coherence;        // "Cohérence du bâtiment"
extern const std::string famille_geometrie;        // "Géométrie du bâtiment"
extern const std::string famille_conception;       // "Conception du bâtiment"
extern const std::string famille_dimensionnement;  // "Dimensionnement du bâtiment"

// The version of the guide and its name in references ("guide 2.1.4").
inline constexpr std::string_view tqmv_version = "2.1.4";
const std::string& tqmv_guide();

// "%s (%s, p.%d, Tab (%s))": title, guide, page, table.
std::string titre_cr_geo_tqmv(const std::string& title, int page, const std::string& table);
// "%s (%s, p.%d, point (%d))": title, guide, page, point.
std::string titre_cr_point_tqmv(const std::string& title, int page, int point);

// ---------------------------------------------------------------------------
// Criterion tables: exactly one value per criterion.

using logger = std::function<void(Format::Printer&)>;

template <class T>
struct critere_table {
  std::array<T, critere_count> entries;
};

using critere_checked_table = critere_table<bool>;
// Newest logger first.
using critere_loggers_table = critere_table<std::vector<logger>>;

// Calls the initialiser once per criterion, in catalogue order.
template <class F>
auto make_critere_table(F&& initialiser) -> critere_table<std::invoke_result_t<F&, critere>> {
  critere_table<std::invoke_result_t<F&, critere>> table;
  for (int i = 0; i < critere_count; ++i) table.entries[i] = initialiser(critere_of_index(i));
  return table;
}

// False everywhere.
critere_checked_table make_critere_checked_table();
// An empty sequence everywhere.
critere_loggers_table make_critere_loggers_table();

template <class T>
const T& get(const critere_table<T>& table, critere c) {
  return table.entries[critere_index(c)];
}
template <class T>
T& get(critere_table<T>& table, critere c) {
  return table.entries[critere_index(c)];
}
template <class T>
void set(critere_table<T>& table, critere c, T value) {
  table.entries[critere_index(c)] = std::move(value);
}

// Calls the predicate with each criterion and its entry, in catalogue order,
// stopping at the first false; false when some call returned false.
template <class T, class P>
bool for_all_critere(P&& predicate, const critere_table<T>& table) {
  for (int i = 0; i < critere_count; ++i)
    if (!predicate(critere_of_index(i), table.entries[i])) return false;
  return true;
}

// Calls the action with each criterion and its entry, in catalogue order.
template <class T, class A>
void iter_critere(A&& action, const critere_table<T>& table) {
  for_all_critere(
      [&action](critere c, const T& entry) {
        action(c, entry);
        return true;
      },
      table);
}

bool critere_get_checked(critere c, const critere_checked_table& table);
// Marks the criterion; a criterion already marked is a fatal error.
void critere_set_checked(critere c, critere_checked_table& table);
// True for a true flag; a false flag is the fatal error "%a\n  has never been checked".
bool check_checked(critere c, bool flag);
// True when every criterion is marked, else the fatal error naming the first
// criterion never checked.
bool all_critere_is_checked(const critere_checked_table& table);

// ---------------------------------------------------------------------------
// Guide tables.

// The three element families of the masonry categories.
enum class element_maconnerie_categorie { Famille_granulats, Famille_brique, Famille_cellulaire };

// Granulats_courant_plein belongs to no family (fatal error).
element_maconnerie_categorie get_element_maconnerie_categorie(Quavor_data_types::maconnerie_categorie c);

// The four arguments of the pa_min table.
struct pa_min_argument {
  element_maconnerie_categorie famille;
  Quavor_data_types::joint_horizontal_categorie joint;
  Quavor_data_types::batiment_type type;
  Quavor_data_types::sol_categorie sol;
  bool operator==(const pa_min_argument&) const = default;
};

// Checks the zone (Zone5), then the material (Maconnerie), then the family.
pa_min_argument pa_min_arguments(const Compute_data_types::batiment& b);
// The same from the building's zone, material, type and soil.
pa_min_argument pa_min_arguments(Quavor_data_types::zone_de_sismicite zone,
                                 const Quavor_data_types::materiau_categorie& materiau,
                                 Quavor_data_types::batiment_type type, Quavor_data_types::sol_categorie sol);
// The table value, in percent.
double get_pa_min(element_maconnerie_categorie famille, Quavor_data_types::joint_horizontal_categorie joint,
                  Quavor_data_types::batiment_type type, Quavor_data_types::sol_categorie sol);
// The minimum wall cross-section ratio of the building, a fraction (percent / 100).
double pa_min(const Compute_data_types::batiment& b);
double pa_min(const pa_min_argument& a);

// The masonry category the guide recommends.
Quavor_data_types::maconnerie_categorie get_caracteristique_des_elements(
    element_maconnerie_categorie famille, Quavor_data_types::joint_horizontal_categorie joint,
    Quavor_data_types::batiment_type type);
Quavor_data_types::maconnerie_categorie caracteristique_des_elements(const Compute_data_types::batiment& b);
Quavor_data_types::maconnerie_categorie caracteristique_des_elements(const pa_min_argument& a);

// Wall thickness limits in metres; wood and concrete are fatal errors.
double mur_minimum_epaisseur(const Quavor_data_types::materiau_categorie& m);
double mur_maximum_epaisseur(const Quavor_data_types::materiau_categorie& m);

// Linear interpolation through (x_a, y_a) and (x_b, y_b), read at x.
double interpolation_L0_Lagrange(std::pair<double, double> a, std::pair<double, double> b, double x);

// The maximum floor area (m2) one bracing wall of length l may carry.
double sp_max_R0(double l);
double sp_max_R1(double l);
using sp_max_function = double (*)(double);
// sp_max_R0 for an R0 building, else sp_max_R1.
sp_max_function batiment_sp_max(const Compute_data_types::batiment& b);
sp_max_function sp_max_of_type(Quavor_data_types::batiment_type type);
// 0 for R0, 1 for R1.
int batiment_r_value(const Compute_data_types::batiment& b);
int r_value_of_type(Quavor_data_types::batiment_type type);

// ---------------------------------------------------------------------------
// Guide parameter values.

inline constexpr double hauteur_max_etage = 2.8;                // m, CR-1-7
inline constexpr double surface_max_R0 = 500.0;                 // m2, CR-1-3
inline constexpr double surface_max_R1 = 400.0;                 // m2, CR-1-3
inline constexpr double surface_max_absolue = 950.0;            // m2, CR-1-3
inline constexpr double hauteur_max_batiment = 15.0;            // m, CR-1-2
inline constexpr double diagonale_max_plancher = 53.0;          // m, CR-1-4
inline constexpr double hauteur_max_sous_sol = 2.5;             // m, CR-1-6
inline constexpr double rapport_max_surface_tremies = 0.05;     // CR-1-1
inline constexpr double dimension_max_tremie = 4.0;             // m, CR-1-9
inline constexpr double fraction_max_dimension_tremie = 0.5;    // CR-1-9
inline constexpr double masse_surfacique_max_plancher = 650.0;  // kg/m2, CR-1-8
inline constexpr double elancement_max = 2.0;                   // CR-1-10
inline constexpr int nombre_max_etages_general = 4;             // R+4, CR-1-0
inline constexpr int nombre_max_etages_maconnerie = 1;          // R+1, CR-1-0
inline constexpr double pente_max = 0.35;                       // CR-0-10-0, CR-0-10-1
inline constexpr double pente_etude_specialisee = 0.1;          // CR-0-10-1
inline constexpr double retrait_surface_max = 0.1;              // one set-back / floor, CR-2-3
inline constexpr double retraits_surface_totale_max = 0.3;      // all set-backs / floor, CR-2-3
inline constexpr int retraits_nombre_max = 6;                   // per level, CR-2-3
inline constexpr double retrait_elevation_max = 0.2;            // per direction, CR-2-1
inline constexpr double mur_longueur_min = 0.8;                 // m, CR-0-3
inline constexpr double mur_longueur_max = 10.0;                // m, CR-0-3
inline constexpr double facade_longueur_min = 0.3;              // CR-3-1
inline constexpr double rapport_longueurs_xy_min = 0.8;         // CR-3-2
inline constexpr double rapport_longueurs_xy_max = 1.25;        // CR-3-2
inline constexpr double part_max_refend = 0.25;                 // CR-3-3
inline constexpr double dissymetrie_min_large = 0.3;            // CR-3-4, one direction
inline constexpr double dissymetrie_max_large = 0.7;
inline constexpr double dissymetrie_min_etroite = 0.45;         // CR-3-4, the other direction
inline constexpr double dissymetrie_max_etroite = 0.55;
inline constexpr double longueur_moyenne_min = 2.0;             // m, CR-3-6-1

// The row of minimum sizes and the balcony depth limit (the fifth value).
inline constexpr double poutre_longueur_min = 0.5;       // m
inline constexpr double tremie_surface_min = 1.0;        // m2
inline constexpr double retrait_surface_min = 1.0;       // m2
inline constexpr double balcon_surface_min = 0.3;        // m2
inline constexpr double balcon_profondeur_max = 1.0;     // m, CR-0-7
inline constexpr double plan_base_surface_min = 20.0;    // m2

// Material constants of the floor mass (the last two close the guide's
// material table; no check reads them).
inline constexpr double masse_surfacique_plancher_bois = 30.0;  // kg/m2
inline constexpr double masse_volumique_dalle_beton = 2500.0;   // kg/m3
inline constexpr double masse_volumique_dalle_BCA = 2000.0;     // kg/m3
inline constexpr double masse_volumique_dalle_hourdis = 1600.0; // kg/m3
inline constexpr double materiau_constante_150 = 150.0;
inline constexpr double materiau_constante_250 = 250.0;

}  // namespace Tqmv
