#include "checks/geometry_batiment.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "geometry/compute_utils.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"
#include "text/format.hpp"

namespace Geometry_batiment {

namespace {

using Compute_utils::print_area;
using Compute_utils::print_direction;
using Compute_utils::print_distance;
using Compute_utils::print_masse_surfacique;
using Compute_utils::print_percentage;
using Compute_utils::print_rapport;
using Quavor_pervasives::almost_less_equal;
using Quavor_pervasives::roughly_less_equal;
using Outcome::comparison;
using Outcome::tolerance;

// Records one comparison of a quantity with its upper limit under the current
// criterion and returns the check's own verdict on it, so that the check
// branches on what it recorded.
bool au_plus(Check::session& s, bool passed, const char* quantite, double valeur, double limite, tolerance tol,
             const char* unite, std::optional<std::string> niveau = std::nullopt,
             std::optional<std::string> element = std::nullopt) {
  s.record_measure(Outcome::measure{quantite, valeur, limite, std::nullopt, comparison::at_most, tol, unite,
                                    std::move(niveau), std::move(element), passed});
  return passed;
}

// Names of levels and openings are written as they are, without quotes.
using Compute_data_utils::print_niveau_nom;
using Compute_data_utils::print_nom_entity;

double tremies_surface(const Compute_data_types::tremies& tremies) {
  double total = 0.0;
  for (const auto& t : tremies) total = total + Compute_data_utils::tremie_surface(t);
  return total;
}

// The level's opening area against the share of its diaphragm allowed.
bool niveau_tremies_surface_check(Check::session& s, const std::string& niveau_nom, double total, double diaphragme) {
  const double rapport = Tqmv::rapport_max_surface_tremies;
  const double limite = rapport * diaphragme;
  if (au_plus(s, almost_less_equal(total, limite), "surface totale des trémies", total, limite, tolerance::fine, "m2",
              niveau_nom))
    return true;
  return s.niveau_error(
      niveau_nom,
      Format::asprintf("la surface totale des trémies est de %a, ce qui est supérieur à la limite de %a autorisée "
                       "pour ce bâtiment.\n(Cette limite vaut %a de la surface du plancher ou de la charpente "
                       "servant de diaphragme qui mesure %a.)",
                       print_area, total, print_area, limite, print_percentage, rapport, print_area, diaphragme));
}

template <class C>
bool niveau_diagonale(Check::session& s, critere c, const Compute_data_types::niveau<C>& n) {
  const auto r = Compute_data_utils::plan_base_rectangle(n.niveau_plan);
  const double d = std::hypot(r.width, r.height);
  const double limite = Tqmv::diagonale_max_plancher;
  if (au_plus(s, almost_less_equal(d, limite), "diagonale du plancher", d, limite, tolerance::fine, "m", n.niveau_nom))
    return s.critere_logger(c, [d, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la diagonale du bâtiment est correcte: sa diagonale %a, est inférieure à %a, la limite "
                      "autorisée pour ce bâtiment",
                      print_distance, d, print_distance, limite);
    });
  return s.niveau_error(
      n, Format::asprintf("la diagonale du plancher (ou de la charpente faisant office de diaphragme) est trop grande: "
                          "elle mesure %a, mais la limite autorisée pour ce bâtiment est %a",
                          print_distance, d, print_distance, limite));
}

template <class C>
bool niveau_hauteur_maximale_etage(Check::session& s, critere c, const Compute_data_types::niveau<C>& n) {
  const double h = n.niveau_hauteur;
  const double limite = Tqmv::hauteur_max_etage;
  if (au_plus(s, almost_less_equal(h, limite), "hauteur du niveau", h, limite, tolerance::fine, "m", n.niveau_nom)) {
    const std::string nom = n.niveau_nom;
    return s.critere_logger(c, [nom, h, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "Au niveau %a, la hauteur est correcte: %a est inférieure à %a, la limite autorisée pour ce "
                      "bâtiment",
                      print_niveau_nom, nom, print_distance, h, print_distance, limite);
    });
  }
  return s.niveau_error(
      n, Format::asprintf("la hauteur du niveau est %a, ce qui est supérieur à la limite de %a autorisée pour ce batiment",
                          print_distance, h, print_distance, limite));
}

template <class C>
bool tremies_dimension(Check::session& s, critere c, const Compute_data_types::niveau<C>& n, const Compute_data_types::tremies& tremies) {
  return std::all_of(tremies.begin(), tremies.end(), [&](const tremie& t) {
    return niveau_tremie_dimension_check(s, c, n.niveau_nom, n.niveau_plan, t);
  });
}

}  // namespace

// ---------------------------------------------------------------------------
// CR-1-0

bool batiment_nombre_de_niveaux_check(Check::session& s, critere c, const batiment& b) {
  const int n = b.batiment_nombre_etages;
  const int limite = std::min(Tqmv::nombre_max_etages_general, Tqmv::nombre_max_etages_maconnerie);
  if (au_plus(s, n <= limite, "nombre d'étages", n, limite, tolerance::none, ""))
    return s.critere_logger(c, [n, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "le bâtiment comporte un nombre acceptable d'étages:@;<1 2>@[<v 0>il a %d étage(s), ce qui "
                      "n'est pas supérieur à@ la limite autorisée pour ce bâtiment (%d étage(s))@]",
                      n, limite);
    });
  return s.batiment_error(Format::asprintf(
      "le bâtiment comporte trop d'étages:@;<1 2>@[<v 0>il a %d étages, ce qui est supérieur à@ la limite autorisée "
      "pour ce bâtiment (%d étages(s))@]",
      n, limite));
}

bool batiment_nombre_de_niveaux_checks(Check::session& s, const batiment& b) {
  return s.make(critere::CR_1_0, batiment_nombre_de_niveaux_check, b);
}

// ---------------------------------------------------------------------------
// CR-1-1

bool niveau_toit_tremies_surface_check(Check::session& s, const niveau_toit& n) {
  const auto& toit = n.niveau_categorie;
  return niveau_tremies_surface_check(s, n.niveau_nom, tremies_surface(toit.toiture_tremies), toit.toiture_surface);
}

bool niveau_plancher_tremies_surface_check(Check::session& s, const niveau_plancher& n) {
  const auto& plancher = n.niveau_categorie;
  return niveau_tremies_surface_check(s, n.niveau_nom, tremies_surface(plancher.plancher_tremies),
                                      plancher.plancher_diaphragme_surface);
}

bool batiment_tremies_surface_checkings(Check::session& s, const batiment& b) {
  if (!niveau_toit_tremies_surface_check(s, b.batiment_niveau_toit)) return false;
  for (const auto& n : b.batiment_niveau_planchers)
    if (!niveau_plancher_tremies_surface_check(s, n)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-1-2

bool batiment_hauteur_checking(Check::session& s, critere c, const batiment& b) {
  const double h = b.batiment_hauteur;
  const double limite = Tqmv::hauteur_max_batiment;
  if (au_plus(s, almost_less_equal(h, limite), "hauteur déclarée du bâtiment", h, limite, tolerance::fine, "m"))
    return s.critere_logger(c, [h, limite](Format::Printer& ppf) {
      Format::fprintf(ppf, "la hauteur déclarée du bâtiment est correcte: %a est bien inférieure à la limite autorisée %a",
                      print_distance, h, print_distance, limite);
    });
  return s.batiment_error(
      Format::asprintf("la hauteur est excessive: la hauteur renseignée est %a, mais la limite autorisée est %a",
                       print_distance, h, print_distance, limite));
}

// ---------------------------------------------------------------------------
// CR-1-3

bool batiment_surface_totale_checking(Check::session& s, critere c, const batiment& b) {
  const double par_type = b.batiment_type == Quavor_data_types::batiment_type::R0 ? Tqmv::surface_max_R0
                                                                                  : Tqmv::surface_max_R1;
  const double limite = std::min(Tqmv::surface_max_absolue, par_type);
  const double surface = Compute_data_utils::batiment_plan_rdc(b).plan_surface;
  if (au_plus(s, almost_less_equal(surface, limite), "surface du bâtiment", surface, limite, tolerance::fine, "m2"))
    return s.critere_logger(c, [surface, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la surface du bâtiment est correcte: sa surface %a, est inférieure à %a, la limite autorisée "
                      "pour ce bâtiment",
                      print_area, surface, print_area, limite);
    });
  return s.batiment_error(
      Format::asprintf("la surface est trop importante: elle vaut %a, mais la limite autorisée pour ce bâtiment est %a",
                       print_area, surface, print_area, limite));
}

// ---------------------------------------------------------------------------
// CR-1-4

bool niveau_diagonale_checking(Check::session& s, critere c, const niveau_plancher& n) { return niveau_diagonale(s, c, n); }
bool niveau_diagonale_checking(Check::session& s, critere c, const niveau_toit& n) { return niveau_diagonale(s, c, n); }

bool batiment_diagonale_plancher_checkings(Check::session& s, critere c, const batiment& b) {
  if (!niveau_diagonale_checking(s, c, b.batiment_niveau_toit)) return false;
  for (const auto& n : b.batiment_niveau_planchers)
    if (!niveau_diagonale_checking(s, c, n)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-1-5: the guide gives no measure of the shape; the criterion only
// appears in the report.

bool batiment_forme_horizontale_checkings(Check::session&, const batiment&) { return true; }

// ---------------------------------------------------------------------------
// CR-1-6

bool batiment_hauteur_sous_sol_checking(Check::session& s, critere c, const batiment& b) {
  const auto* sous_sol = std::get_if<Compute_data_types::Sous_sol>(&b.batiment_sous_sol);
  if (sous_sol == nullptr) return true;
  const double h = sous_sol->value;
  const double limite = Tqmv::hauteur_max_sous_sol;
  if (au_plus(s, almost_less_equal(h, limite), "hauteur du sous-sol", h, limite, tolerance::fine, "m"))
    return s.critere_logger(c, [h, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la hauteur du sous-sol est correcte: sa hauteur %a est inférieure à %a, la limite autorisée "
                      "pour ce bâtiment",
                      print_distance, h, print_distance, limite);
    });
  return s.batiment_error(Format::asprintf(
      "le sous-sol est trop haut: sa hauteur est %a, mais la limite autorisée pour ce bâtiment est %a", print_distance,
      h, print_distance, limite));
}

// ---------------------------------------------------------------------------
// CR-1-7

bool niveau_hauteur_maximale_etage_check(Check::session& s, critere c, const niveau_plancher& n) {
  return niveau_hauteur_maximale_etage(s, c, n);
}
bool niveau_hauteur_maximale_etage_check(Check::session& s, critere c, const niveau_toit& n) {
  return niveau_hauteur_maximale_etage(s, c, n);
}

bool batiment_hauteur_maximale_etage_checking(Check::session& s, critere c, const batiment& b) {
  if (!niveau_hauteur_maximale_etage_check(s, c, b.batiment_niveau_toit)) return false;
  for (const auto& n : b.batiment_niveau_planchers)
    if (!niveau_hauteur_maximale_etage_check(s, c, n)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-1-8: the roof is not a floor and is not checked.

bool niveau_plancher_masse_surfacique_check(Check::session& s, critere c, const niveau_plancher& n) {
  const double m = Compute_data_utils::plancher_masse_surfacique_permanente(n.niveau_categorie);
  const double limite = Tqmv::masse_surfacique_max_plancher;
  if (au_plus(s, roughly_less_equal(m, limite), "masse surfacique propre du plancher", m, limite, tolerance::coarse,
              "kg/m2", n.niveau_nom)) {
    const std::string nom = n.niveau_nom;
    return s.critere_logger(c, [nom, m, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "Au niveau %a, la masse surfacique propre du plancher est correcte: %a est inférieur à %a, la "
                      "limite pour ce bâtiment",
                      print_niveau_nom, nom, print_masse_surfacique, m, print_masse_surfacique, limite);
    });
  }
  return s.niveau_error(
      n, Format::asprintf("la masse surfacique propre du plancher est de %a, ce qui est supérieur à la limite de %a pour "
                          "ce bâtiment",
                          print_masse_surfacique, m, print_masse_surfacique, limite));
}

bool batiment_masse_surfacique_plancher_checking(Check::session& s, critere c, const batiment& b) {
  for (const auto& n : b.batiment_niveau_planchers)
    if (!niveau_plancher_masse_surfacique_check(s, c, n)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-1-9

bool direction_l_tremie_l_plan_check(Check::session& s, critere c, const std::string& niveau_nom, const Compute_data_types::plan& p,
                                     const tremie& t, direction d) {
  const bool en_x = d == direction::X;
  const double l = en_x ? t.tremie_rectangle.width : t.tremie_rectangle.height;
  const double dimension_plan = en_x ? p.plan_width : p.plan_height;
  const double fraction = Tqmv::fraction_max_dimension_tremie;
  const double maximum = Tqmv::dimension_max_tremie;
  const double limite = std::min(fraction * dimension_plan, maximum);
  const std::string tremie_nom = t.tremie_nom;
  const char* quantite = en_x ? "longueur de la trémie dans la direction X" : "longueur de la trémie dans la direction Y";
  if (au_plus(s, almost_less_equal(l, limite), quantite, l, limite, tolerance::fine, "m", niveau_nom, tremie_nom))
    return s.critere_logger(c, [=](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "Au niveau %a, la trémie %a a pour une longueur correcte dans la direction %a, %a est "
                      "inférieure à la limite de %a\n(Cette limite est le minimum entre %a et %a de %a.)",
                      print_niveau_nom, niveau_nom, print_nom_entity, tremie_nom, print_direction, d, print_distance, l,
                      print_distance, limite, print_distance, maximum, print_percentage, fraction, print_distance,
                      dimension_plan);
    });
  return s.niveau_error(
      niveau_nom,
      Format::asprintf("la trémie %a a pour longueur %a dans la direction %a, ce qui est supérieur à la limite de "
                       "%a\n(Cette limite est le minimum entre %a et %a de %a.)",
                       print_nom_entity, tremie_nom, print_distance, l, print_direction, d, print_distance, limite,
                       print_distance, maximum, print_percentage, fraction, print_distance, dimension_plan),
      {tremie_nom});
}

bool niveau_tremie_dimension_check(Check::session& s, critere c, const std::string& niveau_nom, const Compute_data_types::plan& p,
                                   const tremie& t) {
  return direction_l_tremie_l_plan_check(s, c, niveau_nom, p, t, direction::X) &&
         direction_l_tremie_l_plan_check(s, c, niveau_nom, p, t, direction::Y);
}

bool niveau_tremie_dimension_checkings(Check::session& s, critere c, const niveau_toit& n) {
  return tremies_dimension(s, c, n, n.niveau_categorie.toiture_tremies);
}

bool niveau_plancher_tremie_dimension_checkings(Check::session& s, critere c, const niveau_plancher& n) {
  return tremies_dimension(s, c, n, n.niveau_categorie.plancher_tremies);
}

bool batiment_tremie_dimension_checking(Check::session& s, critere c, const batiment& b) {
  if (!niveau_tremie_dimension_checkings(s, c, b.batiment_niveau_toit)) return false;
  for (const auto& n : b.batiment_niveau_planchers)
    if (!niveau_plancher_tremie_dimension_checkings(s, c, n)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-1-10

double batiment_elancement(const batiment& b) { return b.batiment_longueur / b.batiment_largeur; }

bool batiment_elancement_checking(Check::session& s, critere c, const batiment& b) {
  const double e = batiment_elancement(b);
  const double limite = Tqmv::elancement_max;
  if (au_plus(s, almost_less_equal(e, limite), "élancement du bâtiment", e, limite, tolerance::fine, ""))
    return s.critere_logger(c, [e, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "l'élancement du bâtiment est correct: il vaut %a, mais la limite autorisée pour ce bâtiment "
                      "est %a",
                      print_rapport, e, print_rapport, limite);
    });
  return s.batiment_error(
      Format::asprintf("l'élancement est trop important: il vaut %a, mais la limite autorisée pour ce bâtiment est %a",
                       print_rapport, e, print_rapport, limite));
}

// ---------------------------------------------------------------------------
// The family.

namespace {

// One criterion of the family: entered through make (a test of the
// criterion) or through make_checkings (a test running sub-tests).

const Check::etape<batiment> etapes[] = {
    {critere::CR_1_0, "limitation du nombre d'étages (max R+4, maconnerie R+1)", batiment_nombre_de_niveaux_check,
     nullptr},
    {critere::CR_1_1, "limitation de la surface totale des trémies", nullptr, batiment_tremies_surface_checkings},
    {critere::CR_1_2, "limitation de la hauteur du bâtiment", batiment_hauteur_checking, nullptr},
    {critere::CR_1_3, "limitation de la surface maximale du bâtiment", batiment_surface_totale_checking, nullptr},
    {critere::CR_1_4, "limitation de la diagonale du plancher", batiment_diagonale_plancher_checkings, nullptr},
    {critere::CR_1_5, "forme horizontale du bâtiment proche d'un rectangle", nullptr,
     batiment_forme_horizontale_checkings},
    {critere::CR_1_6, "limitation de la hauteur du sous-sol", batiment_hauteur_sous_sol_checking, nullptr},
    {critere::CR_1_7, "limitation de la hauteur d'étage", batiment_hauteur_maximale_etage_checking, nullptr},
    {critere::CR_1_8, "limitation de la masse surfacique des planchers", batiment_masse_surfacique_plancher_checking,
     nullptr},
    {critere::CR_1_9, "limitation des dimensions des trémies", batiment_tremie_dimension_checking, nullptr},
    {critere::CR_1_10, "limitation de l'élancement du bâtiment", batiment_elancement_checking, nullptr},
};


}  // namespace

bool batiment_geometrie_checkings(Check::session& s, const batiment& b) {
  return Check::run_family(s, etapes, b);
}

}  // namespace Geometry_batiment
