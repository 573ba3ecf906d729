#include "criteria/tqmv.hpp"

#include <cmath>

#include "config/quavor_configuration.hpp"
#include "model/compute_data_types.hpp"
#include "text/format.hpp"

namespace Tqmv {

namespace {

// ---------------------------------------------------------------------------
// The catalogue, one row per criterion in catalogue order.

enum class kind { section, criterion, sub_criterion };

// Where a title points into the guide: nowhere, a page and a table, or a page
// and a numbered point.
struct reference {
  enum class form { none, table, point } form;
  int page;
  const char* table;
  int point;
};

constexpr reference no_reference{reference::form::none, 0, "", 0};
constexpr reference table_reference(int page, const char* table) {
  return {reference::form::table, page, table, 0};
}
constexpr reference point_reference(int page, int point) { return {reference::form::point, page, "", point}; }

constexpr const char coherence[] = "Cohérence du bâtiment";
constexpr const char geometrie[] = "Géométrie du bâtiment";
constexpr const char conception[] = "Conception du bâtiment";
constexpr const char dimensionnement[] = "Dimensionnement du bâtiment";

constexpr std::optional<critere> none = std::nullopt;

struct critere_row {
  critere c;
  const char* code;
  const char* famille;
  std::optional<critere> principal;
  kind title_kind;
  const char* title;
  reference ref;
  const char* text;
};

// Every CR-0 criterion, the three-part codes included, hangs directly under
// CR-0; CR-2-2 has no principal criterion, so it counts as a section.
constexpr std::array<critere_row, critere_count> catalogue = {{
    // 0
    {critere::CR_0, "CR-0", coherence, none, kind::section,
     "I Critères de cohérence interne des données du bâtiment", no_reference,
     "(0) Cohérence du bâtiment:\n"
     "On vérifie la cohérence des entrées qui définissent le bâtiment:\n"
     "- type du bâtiment corresponfant au nombre de niveauc,\n"
     "- nom de fichier du bâtiment corresponfant au nom du fichier lu,\n"
     "- cohérence des dimensions du bâtiment.\n"
     "- longueur du bâtiment supérieure à sa largeur,\n"
     "- hauteur déclarée du bâtiment égale à la hauteur calculée,\n"
     "- pente de sol inférieure à la limite admissible,\n"
     "- cohérence des niveaux, noms uniques,\n"
     "- cohérence des plans, noms uniques.\n"
     "- nombre minimum de murs de contreventement,\n"
     "- cohérence des murs, placement et noms uniques, qualification,\n"
     "- cohérence des poteaux, placement et noms uniques,\n"
     "- cohérence des poutres, placement et noms uniques,\n"
     "- cohérence des trémies, placement et noms uniques,\n"
     "- cohérence des balcons, placement et noms uniques,\n"
     "- cohérence des retraits, placement et noms uniques,"},
    // 1
    {critere::CR_0_0, "CR-0-0", coherence, critere::CR_0, kind::criterion,
     "Cohérence des dimensions du bâtiment", no_reference,
     "On vérifie que les dimensions horizontales et verticales\n"
     "du bâtiment sont cohérentes."},
    // 2
    {critere::CR_0_0_0, "CR-0-0-0", coherence, critere::CR_0, kind::sub_criterion,
     "Cohérence des dimensions horizontales du bâtiment", no_reference,
     "On vérifie que:\n"
     "- la longueur du bâtiment est supérieure ou égale à sa largeur,"},
    // 3
    {critere::CR_0_0_1, "CR-0-0-1", coherence, critere::CR_0, kind::sub_criterion,
     "Cohérence de la hauteur du bâtiment", no_reference,
     "On vérifie que:\n"
     "- la hauteur déclarée du bâtiment est égale à sa hauteur calculée."},
    // 4
    {critere::CR_0_1, "CR-0-1", coherence, critere::CR_0, kind::criterion,
     "Cohérence des niveaux", no_reference,
     "On vérifie que les niveaux ont tous un nom unique."},
    // 5
    {critere::CR_0_2, "CR-0-2", coherence, critere::CR_0, kind::criterion,
     "Nombre minimal de murs de contreventement", no_reference,
     "Le batiment doit impérativement comporter des murs de contreventement."},
    // 6
    {critere::CR_0_3, "CR-0-3", coherence, critere::CR_0, kind::criterion,
     "Cohérence des murs", no_reference,
     "On vérifie que:\n"
     "- les murs ont des noms uniques,\n"
     "- les murs sont à l'intéreur du bâtiment,\n"
     "- les murs qualifiés de mur de façade sont en façade,\n"
     "- les murs qualifiés de mur en refend sont en refend,\n"
     "- les murs sont disjoints les uns des autres,\n"
     "- les murs primaires ont une épaisseur minimale,\n"
     "- les murs de contreventement ne sont pas trop longs,\n"
     "mais ont une longueur minimale."},
    // 7
    {critere::CR_0_4, "CR-0-4", coherence, critere::CR_0, kind::criterion,
     "Cohérence des poteaux", no_reference,
     "On vérifie que:\n"
     "- les poteauxs ont des noms uniques,\n"
     "- les poteauxs sont à l'intéreur du bâtiment."},
    // 8
    {critere::CR_0_5, "CR-0-5", coherence, critere::CR_0, kind::criterion,
     "Cohérence des poutres", no_reference,
     "On vérifie que:\n"
     "- les poutres ont des noms uniques,\n"
     "- les poutres sont à l'intéreur du bâtiment."},
    // 9
    {critere::CR_0_6, "CR-0-6", coherence, critere::CR_0, kind::criterion,
     "Cohérence des trémies", no_reference,
     "On vérifie que:\n"
     "- les trémies ont des noms uniques,\n"
     "- les trémies sont à l'intéreur du bâtiment."},
    // 10
    {critere::CR_0_7, "CR-0-7", coherence, critere::CR_0, kind::criterion,
     "Cohérence des balcons", no_reference,
     "On vérifie que:\n"
     "- les balcons ont des noms uniques,\n"
     "- les balcons sont à l'extéreur du bâtiment."},
    // 11
    {critere::CR_0_8, "CR-0-8", coherence, critere::CR_0, kind::criterion,
     "Cohérence des retraits", no_reference,
     "On vérifie que:\n"
     "- les retraits ont des noms uniques,\n"
     "- les retraits sont à l'intéreur du bâtiment."},
    // 12
    {critere::CR_0_9, "CR-0-9", coherence, critere::CR_0, kind::criterion,
     "Cohérence des plans", no_reference,
     "On vérifie que:\n"
     "- les plans ont des noms uniques."},
    // 13
    {critere::CR_0_10, "CR-0-10", coherence, critere::CR_0, kind::criterion,
     "Cohérence de la pente de sol du bâtiment", no_reference,
     "On vérifie que la pente du sol où est implanté\n"
     "le bâtiment est acceptable."},
    // 14
    {critere::CR_0_10_0, "CR-0-10-0", coherence, critere::CR_0, kind::sub_criterion,
     "Pente de sol inférieure au maximum fixé par le guide TQMV", no_reference,
     "On vérifie que:\n"
     "- la pente du sol est inférieure à la limite\n"
     "maximale fixée par le guide."},
    // 15
    {critere::CR_0_10_1, "CR-0-10-1", coherence, critere::CR_0, kind::sub_criterion,
     "Pente de sol acceptable sous réserve d'étude spécialisée", no_reference,
     "On émet une alerte lorsque:\n"
     "- la pente du sol nécessite une étude\n"
     "spécifique par un cabinet spécialisé."},
    // 16
    {critere::CR_0_11, "CR-0-11", coherence, critere::CR_0, kind::criterion,
     "Cohérence du nom de fichier du bâtiment", no_reference,
     "On vérifie que le nom de fichier inscrit dans la description du bâtiment est celui du fichier lu."},
    // 17
    {critere::CR_0_12, "CR-0-12", coherence, critere::CR_0, kind::criterion,
     "Cohérence du type du bâtiment", no_reference,
     "On vérifie que le type du bâtiment est compatible avec son nombre de niveaux."},
    // 18
    {critere::CR_1, "CR-1", geometrie, none, kind::section,
     "II Critères de géométrie du bâtiment", no_reference,
     "(1) Contraintes géométriques du bâtiment."},
    // 19
    {critere::CR_1_0, "CR-1-0", geometrie, critere::CR_1, kind::criterion,
     "Nombre maximum de niveaux", table_reference(10, "2-1"),
     "Le nombre de niveaux du bâtiment est limité à 2."},
    // 20
    {critere::CR_1_1, "CR-1-1", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la surface totale des trémies", table_reference(10, "2-1"),
     "La surface totale des escaliers doit être limitée à 5% de la surface d'étage."},
    // 21
    {critere::CR_1_2, "CR-1-2", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la hauteur du bâtiment", table_reference(10, "2-1"),
     "La hauteur du bâtiment doit être inférieure à 15 m."},
    // 22
    {critere::CR_1_3, "CR-1-3", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la surface rectangulaire projetée au sol", table_reference(10, "2-1"),
     "La surface rectangulaire projetée au sol du bâtiment doit être inférieure à 500 m2 pour un bâtiment de type R+0 et à 400 m2 pour un bâtiment de type R+1."},
    // 23
    {critere::CR_1_4, "CR-1-4", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la diagonale du plancher", table_reference(10, "2-1"),
     "La diagonale des planchers du bâtiment doit être inférieure à 53 m."},
    // 24
    {critere::CR_1_5, "CR-1-5", geometrie, critere::CR_1, kind::criterion,
     "Forme horizontale proche d'un rectangle", table_reference(10, "2-1"),
     "La forme horizontale du bâtiment doit être proche d'un rectangle."},
    // 25
    {critere::CR_1_6, "CR-1-6", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la hauteur du sous-sol", table_reference(10, "2-1"),
     "La hauteur du sous-sol doit être inférieure à 2.5 m."},
    // 26
    {critere::CR_1_7, "CR-1-7", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la hauteur d'étage", table_reference(10, "2-1"),
     "La hauteur des étages du bâtiment doit être inférieure à 2.80 m."},
    // 27
    {critere::CR_1_8, "CR-1-8", geometrie, critere::CR_1, kind::criterion,
     "Poids propre du plancher", point_reference(73, 2),
     "(2) La masse surfacique du plancher (revêtement de sol et cloisons compris) ne doit pas excéder 650 kg/m2."},
    // 28
    {critere::CR_1_9, "CR-1-9", geometrie, critere::CR_1, kind::criterion,
     "Limitation de la dimension des trémies", point_reference(73, 4),
     "(4) La longueur et la largeur de chaque trémie doit être inférieure à 4 m et à la moitié de la dimension correspondante du bâtiment."},
    // 29
    {critere::CR_1_10, "CR-1-10", geometrie, critere::CR_1, kind::criterion,
     "Limitation de l'élancement du bâtiment", point_reference(73, 6),
     "(CR-1-10) L'élancement du bâtiment, c'est-à-dire le rapport entre la longueur et la largeur du bâtiment, ne doit pas dépasser 2."},
    // 30
    {critere::CR_2, "CR-2", conception, none, kind::section,
     "III Critères de conception", no_reference,
     "(3) Le bâtiment peut comporter jusqu'à 2 retraits en élévation."},
    // 31
    {critere::CR_2_1, "CR-2-1", conception, critere::CR_2, kind::criterion,
     "Régularité en élévation", point_reference(73, 3),
     "(2-3) Pour 2 retraits en élévation, aucun retrait ne doit dépasser 10 % de la taille du plancher inférieur. Pour un unique retrait en élévation, il ne doit pas dépasser 20 % de la taille du plancher inférieur."},
    // 32
    {critere::CR_2_2, "CR-2-2", conception, none, kind::criterion,
     "Continuité des porteurs verticaux", point_reference(73, 5),
     "(5) Les poteaux et les murs de contreventement doivent être continus sur toute la hauteur du bâtiment."},
    // 33
    {critere::CR_2_2_1, "CR-2-2-1", conception, critere::CR_2_2, kind::sub_criterion,
     "Continuité des poteaux", point_reference(73, 5),
     "(5-1) Les poteaux en étage doivent tous reposer sur un poteau à l'étage inférieur."},
    // 34
    {critere::CR_2_2_2, "CR-2-2-2", conception, critere::CR_2_2, kind::sub_criterion,
     "Continuité des murs de contreventement", point_reference(73, 5),
     "(5-2) Les murs de contreventement en étage doivent tous reposer sur un mur primaire de l'étage inférieur dont les dimensions sont supérieures aux siennes."},
    // 35
    {critere::CR_2_2_3, "CR-2-2-3", conception, critere::CR_2_2, kind::sub_criterion,
     "Continuité des appuis de poutres", point_reference(73, 5),
     "(5-2) Les extrémités des poutres doivent toutes s'appuyer sur un mur ou un poteau de leur étage."},
    // 36
    {critere::CR_2_3, "CR-2-3", conception, critere::CR_2, kind::criterion,
     "Limitation des retraits en plan", point_reference(73, 7),
     "(2-3) Limitation de la taille et du nombre des parties en retrait.On vérifie que les planchers du bâtiment sont de surface décroissante lorsque le niveau s'élève."},
    // 37
    {critere::CR_3, "CR-3", dimensionnement, none, kind::section,
     "IV Critères de dimensionnement", no_reference,
     "Critères de dimensionnement du bâtimen:\n"
     "On vérifie que:\n"
     "- les murs de façades parallèles sont suffisamment longs\n"
     "- ..."},
    // 38
    {critere::CR_3_1, "CR-3-1", dimensionnement, critere::CR_3, kind::criterion,
     "Murs de facades parallèles suffisants", point_reference(73, 8),
     "(8) Il doit exister dans chaque direction 2 murs de contreventement en façades opposées, dont la longueur est supérieure à 30 % de la longueur de la facade correspondante."},
    // 39
    {critere::CR_3_2, "CR-3-2", dimensionnement, critere::CR_3, kind::criterion,
     "Rapport des longueurs cumulées des murs de chaque direction", point_reference(73, 9),
     "(9) Le rapport de la longueur totale des murs selon la direction X sur la longueur totale des murs selon la direction Y doit être compris entre 0.8 et 1.25."},
    // 40
    {critere::CR_3_3, "CR-3-3", dimensionnement, critere::CR_3, kind::criterion,
     "Limitation du rapport des longueurs cumulées des murs en refend", point_reference(73, 10),
     "(10) La longueur cumulée des murs de contreventement en refend doit être strictement inférieure à 25 % de la longueur totale des murs."},
    // 41
    {critere::CR_3_4, "CR-3-4", dimensionnement, critere::CR_3, kind::criterion,
     "Limitation de la dissymétrie d'implantation", point_reference(74, 11),
     "(11) Le pourcentage de murs de contreventement dans chaque direction, et situés de part et d’autre d’une ligne parallèle à la direction considérée passant par le centre de masse du plancher, doit être compris entre 30 et 70% pour une direction et entre 45 et 55% pour l’autre direction."},
    // 42
    {critere::CR_3_5, "CR-3-5", dimensionnement, critere::CR_3, kind::criterion,
     "Limitation de la surface de plancher (Sp) reprise par les murs de contreventement", point_reference(74, 12),
     "(12) Limitation de la surface de plancher reprise par chaque mur de contreventement."},
    // 43
    {critere::CR_3_5_0, "CR-3-5-0", dimensionnement, critere::CR_3_5, kind::sub_criterion,
     "Surfaces de plancher reprises par les murs effectivement calculables", point_reference(74, 14),
     "Les surfaces de plancher reprises par chaque mur de contreventement sont toutes effectivement calculables"},
    // 44
    {critere::CR_3_5_1, "CR-3-5-1", dimensionnement, critere::CR_3_5, kind::sub_criterion,
     "Valeurs de Sp inférieures aux maxima du guide TQMV", point_reference(74, 14),
     "Le total des surfaces de plancher repris par chaque mur de contreventement est inférieur au maximum fixé par le guide TQMV"},
    // 45
    {critere::CR_3_6, "CR-3-6", dimensionnement, critere::CR_3, kind::criterion,
     "Longueur moyenne des murs, qualité des chaînages", point_reference(74, 13),
     "(13) La longueur moyenne des murs de contreventement doit être supérieure à 2 m. On vérifie aussi le dimensionnement des chaînages et la qualité des éléments de construction."},
    // 46
    {critere::CR_3_6_1, "CR-3-6-1", dimensionnement, critere::CR_3_6, kind::sub_criterion,
     "(13_1) Longueur moyenne des murs de contreventement", no_reference,
     "(13-1) La longueur moyenne des murs de contreventement dans chacune des directions principales doit être supérieure à 2 m."},
    // 47
    {critere::CR_3_6_2, "CR-3-6-2", dimensionnement, critere::CR_3_6, kind::sub_criterion,
     "(13_2) Choix des chaînages", no_reference,
     "(13-2) Choix des chaînages."},
    // 48
    {critere::CR_3_6_3, "CR-3-6-3", dimensionnement, critere::CR_3_6, kind::sub_criterion,
     "(13_3) Qualité des éléments", no_reference,
     "(13-3) Qualité des éléments de construction du bâtiment."},
    // 49
    {critere::CR_3_6_4, "CR-3-6-4", dimensionnement, critere::CR_3_6, kind::sub_criterion,
     "(13_4) Qualité des joints verticaux", no_reference,
     "(13-4) Qualité des joints verticaux du bâtiment."},
    // 50
    {critere::CR_3_7, "CR-3-7", dimensionnement, critere::CR_3, kind::criterion,
     "Rapport surface au sol des murs de contreventement / surface du plancher", point_reference(74, 14),
     "(14) Pourcentage minimum de la surface au sol des contreventements par rapport à la surface du plancher."},
}};

constexpr bool catalogue_in_order() {
  for (int i = 0; i < critere_count; ++i)
    if (critere_index(catalogue[i].c) != i) return false;
  return true;
}
static_assert(catalogue_in_order(), "the catalogue rows follow the enumeration");

const critere_row& row(critere c) {
  const int i = critere_index(c);
  if (i < 0 || i >= critere_count) throw Assertion_failure("src/compute/tqmv");
  return catalogue[i];
}

// "CR_3_6_2" from "CR-3-6-2".
std::string ident_of_code(std::string code) {
  for (char& ch : code)
    if (ch == '-') ch = '_';
  return code;
}

}  // namespace

const std::string famille_coherence = coherence;
const std::string famille_geometrie = geometrie;
const std::string famille_conception = conception;
const std::string famille_dimensionnement = dimensionnement;

const std::array<critere, critere_count>& all_criteres() {
  static const std::array<critere, critere_count> all = [] {
    std::array<critere, critere_count> a{};
    for (int i = 0; i < critere_count; ++i) a[i] = critere_of_index(i);
    return a;
  }();
  return all;
}

const std::string& tqmv_guide() {
  static const std::string guide = Format::sprintf("guide %s", tqmv_version);
  return guide;
}

std::string titre_cr_geo_tqmv(const std::string& title, int page, const std::string& table) {
  return Format::sprintf("%s (%s, p.%d, Tab (%s))", title, tqmv_guide(), page, table);
}

std::string titre_cr_point_tqmv(const std::string& title, int page, int point) {
  return Format::sprintf("%s (%s, p.%d, point (%d))", title, tqmv_guide(), page, point);
}

const std::string& titre_text(const titre& t) {
  return std::visit([](const auto& alternative) -> const std::string& { return alternative.text; }, t);
}

std::string critere_nom(critere c) { return row(c).code; }

std::string critere_ident(critere c) { return ident_of_code(row(c).code); }

std::string critere_classification(critere c) { return row(c).famille; }

std::optional<critere> critere_principal(critere c) { return row(c).principal; }

bool critere_is_section(critere c) { return !critere_principal(c).has_value(); }

// The reference is written into the title each time the title is asked for.
titre critere_title(critere c) {
  const critere_row& r = row(c);
  std::string text = r.title;
  switch (r.ref.form) {
    case reference::form::none: break;
    case reference::form::table: text = titre_cr_geo_tqmv(text, r.ref.page, r.ref.table); break;
    case reference::form::point: text = titre_cr_point_tqmv(text, r.ref.page, r.ref.point); break;
  }
  switch (r.title_kind) {
    case kind::section: return Titre_section{text};
    case kind::criterion: return Titre_critere{text};
    case kind::sub_criterion: return Titre_sous_critere{text};
  }
  throw Assertion_failure("src/compute/tqmv");
}

std::string critere_text(critere c) { return row(c).text; }

std::string critere_reference(critere c) {
  const critere_row& r = row(c);
  switch (r.ref.form) {
    case reference::form::none: return "";
    case reference::form::table: return Format::sprintf("%s, p.%d, Tab (%s)", tqmv_guide(), r.ref.page, r.ref.table);
    case reference::form::point: return Format::sprintf("%s, p.%d, point (%d)", tqmv_guide(), r.ref.page, r.ref.point);
  }
  throw Assertion_failure("src/compute/tqmv");
}

void print_critere_title(Format::Printer& ppf, critere c) {
  Format::fprintf(ppf, "%s", titre_text(critere_title(c)));
}

void print_critere(Format::Printer& ppf, critere c) {
  Format::fprintf(ppf, "Critère %s\n  \"%a\"", critere_nom(c), print_critere_title, c);
}

// ---------------------------------------------------------------------------
// Criterion tables.

critere_checked_table make_critere_checked_table() {
  return make_critere_table([](critere) { return false; });
}

critere_loggers_table make_critere_loggers_table() {
  return make_critere_table([](critere) { return std::vector<logger>{}; });
}

bool critere_get_checked(critere c, const critere_checked_table& table) { return get(table, c); }

void critere_set_checked(critere c, critere_checked_table& table) {
  if (get(table, c))
    Quavor_configuration::fatal_error(
        Format::sprintf("Attempt to check twice %a\n  %a", print_critere, c, print_critere_title, c));
  set(table, c, true);
}

bool check_checked(critere c, bool flag) {
  if (!flag) Quavor_configuration::fatal_error(Format::sprintf("%a\n  has never been checked", print_critere, c));
  return true;
}

bool all_critere_is_checked(const critere_checked_table& table) {
  return for_all_critere([](critere c, bool flag) { return check_checked(c, flag); }, table);
}

// ---------------------------------------------------------------------------
// Guide tables.

namespace {

using Quavor_data_types::batiment_type;
using Quavor_data_types::joint_horizontal_categorie;
using Quavor_data_types::maconnerie_categorie;
using Quavor_data_types::sol_categorie;

[[noreturn]] void granulats_courant_plein_error() {
  Quavor_configuration::fatal_error("Le logiciel quavor ne traite pas les granulats courant pleins");
}

[[noreturn]] void joint_epais_cellulaire_error() {
  Quavor_configuration::fatal_error(
      "Les bâtiments en maçonnerie de béton cellulaire autoclavé ne doivent pas avoir de joints horizontaux épais");
}

// pa_min in percent, by family, joint and type; columns Sol_A, Sol_B, Sol_C.
// Cellular concrete with thick joints has no row.
struct pa_min_row {
  element_maconnerie_categorie famille;
  joint_horizontal_categorie joint;
  batiment_type type;
  std::array<double, 3> sol;
};

using enum element_maconnerie_categorie;
using enum joint_horizontal_categorie;
using enum batiment_type;

constexpr std::array<pa_min_row, 10> pa_min_table = {{
    {Famille_granulats, Joint_mince, R0, {1.4, 1.7, 1.6}},
    {Famille_granulats, Joint_mince, R1, {2.5, 3.1, 3.0}},
    {Famille_granulats, Joint_epais, R0, {1.1, 1.4, 1.3}},
    {Famille_granulats, Joint_epais, R1, {2.2, 2.7, 2.6}},
    {Famille_brique, Joint_mince, R0, {1.1, 1.4, 1.3}},
    {Famille_brique, Joint_mince, R1, {2.3, 2.8, 2.7}},
    {Famille_brique, Joint_epais, R0, {1.7, 2.2, 2.0}},
    {Famille_brique, Joint_epais, R1, {2.4, 3.0, 2.8}},
    {Famille_cellulaire, Joint_mince, R0, {1.3, 1.6, 1.5}},
    {Famille_cellulaire, Joint_mince, R1, {2.9, 3.5, 3.3}},
}};

// The recommended masonry category by family, joint and type (R0, R1).
struct caracteristique_row {
  element_maconnerie_categorie famille;
  joint_horizontal_categorie joint;
  std::array<maconnerie_categorie, 2> type;
};

constexpr std::array<caracteristique_row, 5> caracteristique_table = {{
    {Famille_granulats, Joint_mince,
     {maconnerie_categorie::Granulats_courant_creux_40, maconnerie_categorie::Granulats_courant_creux_60}},
    {Famille_granulats, Joint_epais,
     {maconnerie_categorie::Granulats_courant_creux_40, maconnerie_categorie::Granulats_courant_creux_60}},
    {Famille_brique, Joint_mince, {maconnerie_categorie::Brique_creuse_8, maconnerie_categorie::Brique_creuse_12}},
    {Famille_brique, Joint_epais, {maconnerie_categorie::Brique_creuse_4, maconnerie_categorie::Brique_creuse_8}},
    {Famille_cellulaire, Joint_mince,
     {maconnerie_categorie::Cellulaire_autoclave_rcn_3, maconnerie_categorie::Cellulaire_autoclave_rcn_4}},
}};

}  // namespace

element_maconnerie_categorie get_element_maconnerie_categorie(maconnerie_categorie c) {
  switch (c) {
    case maconnerie_categorie::Granulats_courant_creux_40:
    case maconnerie_categorie::Granulats_courant_creux_60: return Famille_granulats;
    case maconnerie_categorie::Brique_creuse_4:
    case maconnerie_categorie::Brique_creuse_8:
    case maconnerie_categorie::Brique_creuse_12: return Famille_brique;
    case maconnerie_categorie::Cellulaire_autoclave_rcn_3:
    case maconnerie_categorie::Cellulaire_autoclave_rcn_4: return Famille_cellulaire;
    case maconnerie_categorie::Granulats_courant_plein: break;
  }
  granulats_courant_plein_error();
}

pa_min_argument pa_min_arguments(Quavor_data_types::zone_de_sismicite zone,
                                 const Quavor_data_types::materiau_categorie& materiau, batiment_type type,
                                 sol_categorie sol) {
  if (zone != Quavor_data_types::zone_de_sismicite::Zone5)
    Quavor_configuration::fatal_error(
        "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5");
  const auto* m = std::get_if<Quavor_data_types::Maconnerie>(&materiau);
  if (m == nullptr)
    Quavor_configuration::fatal_error("Le logiciel ne traite que les bâtiments construit en maconnerie");
  return {get_element_maconnerie_categorie(m->value.maconnerie_categorie), m->value.maconnerie_joint_horizontal,
          type, sol};
}

double get_pa_min(element_maconnerie_categorie famille, joint_horizontal_categorie joint, batiment_type type,
                  sol_categorie sol) {
  if (famille == Famille_cellulaire && joint == Joint_epais) joint_epais_cellulaire_error();
  for (const pa_min_row& r : pa_min_table)
    if (r.famille == famille && r.joint == joint && r.type == type) return r.sol[static_cast<int>(sol)];
  throw Assertion_failure("src/compute/tqmv");
}

double pa_min(const pa_min_argument& a) { return get_pa_min(a.famille, a.joint, a.type, a.sol) / 100.0; }

maconnerie_categorie get_caracteristique_des_elements(element_maconnerie_categorie famille,
                                                      joint_horizontal_categorie joint, batiment_type type) {
  if (famille == Famille_cellulaire && joint == Joint_epais) joint_epais_cellulaire_error();
  for (const caracteristique_row& r : caracteristique_table)
    if (r.famille == famille && r.joint == joint) return r.type[static_cast<int>(type)];
  throw Assertion_failure("src/compute/tqmv");
}

maconnerie_categorie caracteristique_des_elements(const pa_min_argument& a) {
  return get_caracteristique_des_elements(a.famille, a.joint, a.type);
}

namespace {

const Quavor_data_types::maconnerie& maconnerie_only(const Quavor_data_types::materiau_categorie& m) {
  if (!std::holds_alternative<Quavor_data_types::Maconnerie>(m))
    Quavor_configuration::fatal_error("Les bâtiments en bois ou béton ne sont pas encore traités");
  return std::get<Quavor_data_types::Maconnerie>(m).value;
}

}  // namespace

double mur_minimum_epaisseur(const Quavor_data_types::materiau_categorie& m) {
  switch (maconnerie_only(m).maconnerie_categorie) {
    case maconnerie_categorie::Granulats_courant_plein: return 0.15;
    case maconnerie_categorie::Granulats_courant_creux_40:
    case maconnerie_categorie::Granulats_courant_creux_60: return 0.20;
    case maconnerie_categorie::Cellulaire_autoclave_rcn_3:
    case maconnerie_categorie::Cellulaire_autoclave_rcn_4: return 0.25;
    case maconnerie_categorie::Brique_creuse_4:
    case maconnerie_categorie::Brique_creuse_8:
    case maconnerie_categorie::Brique_creuse_12: return 0.20;
  }
  throw Assertion_failure("src/compute/tqmv");
}

double mur_maximum_epaisseur(const Quavor_data_types::materiau_categorie& m) {
  maconnerie_only(m);
  return 0.6;
}

double interpolation_L0_Lagrange(std::pair<double, double> a, std::pair<double, double> b, double x) {
  const auto [x_a, y_a] = a;
  const auto [x_b, y_b] = b;
  const double d = x_b - x_a;
  if (d == 0.0) Quavor_configuration::fatal_error("interpolation_L0_Lagrange: cannot interpolate within a null range");
  return ((x - x_a) * y_b - (x - x_b) * y_a) / d;
}

namespace {

// Sp max on the quarter-metre intervals [t, t + 0.25) from t = 1.0 to 5.0.
struct sp_max_steps {
  std::array<double, 17> value;
  double per_five_metres;  // the value at 5.0, added for every 5 m beyond
};

constexpr std::array<double, 17> sp_thresholds = {1.25, 1.5,  1.75, 2.0,  2.25, 2.5,  2.75, 3.0, 3.25,
                                                  3.5,  3.75, 4.0,  4.25, 4.5,  4.75, 5.0,  5.25};
constexpr sp_max_steps sp_R0 = {{10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 27, 30, 33, 36, 40, 44}, 44};
constexpr sp_max_steps sp_R1 = {{10, 10, 11, 11, 11, 11, 12, 12, 12, 13, 15, 17, 19, 22, 25, 28, 31}, 31};

// A length equal to a threshold takes the next interval's value.
double sp_max_below_5_25(const sp_max_steps& steps, double l) {
  if (l < 1.0) return interpolation_L0_Lagrange({0.0, 0.0}, {1.0, 10.0}, l);
  for (std::size_t k = 0; k < sp_thresholds.size(); ++k)
    if (l < sp_thresholds[k]) return steps.value[k];
  throw Assertion_failure("src/compute/tqmv");
}

// Beyond 5.25 m every further 5 m adds the value at 5 m, as long as the
// remainder is 5.25 m or more: sp_max(l) = per_five + sp_max(l - 5). The 5 m
// steps are taken one by one and summed from the innermost outwards, as the
// recursion reads; absurd (or infinite) lengths are folded in one go so that
// no input can hang the computation.
double sp_max(const sp_max_steps& steps, double l) {
  if (std::isnan(l) || std::isinf(l)) return l;
  double folded = 0.0;
  if (l >= 5.25 + 5.0 * 100000) {
    const double n = std::floor((l - 5.25) / 5.0) + 1.0;
    folded = n * steps.per_five_metres;
    l -= 5.0 * n;
  }
  int steps_of_five = 0;
  while (l >= 5.25) {
    l -= 5.0;
    ++steps_of_five;
  }
  double result = sp_max_below_5_25(steps, l);
  for (int i = 0; i < steps_of_five; ++i) result = steps.per_five_metres + result;
  return folded + result;
}

}  // namespace

double sp_max_R0(double l) { return sp_max(sp_R0, l); }
double sp_max_R1(double l) { return sp_max(sp_R1, l); }

sp_max_function sp_max_of_type(batiment_type type) { return type == R0 ? sp_max_R0 : sp_max_R1; }

int r_value_of_type(batiment_type type) { return type == R0 ? 0 : 1; }

// ---------------------------------------------------------------------------
// The same tables read from the computed building.

pa_min_argument pa_min_arguments(const Compute_data_types::batiment& b) {
  return pa_min_arguments(b.batiment_zone_de_sismicite, b.batiment_materiau_categorie, b.batiment_type,
                          b.batiment_implantation.implantation_sol);
}

double pa_min(const Compute_data_types::batiment& b) { return pa_min(pa_min_arguments(b)); }

maconnerie_categorie caracteristique_des_elements(const Compute_data_types::batiment& b) {
  return caracteristique_des_elements(pa_min_arguments(b));
}

sp_max_function batiment_sp_max(const Compute_data_types::batiment& b) { return sp_max_of_type(b.batiment_type); }

int batiment_r_value(const Compute_data_types::batiment& b) { return r_value_of_type(b.batiment_type); }

}  // namespace Tqmv
