#include "checks/dimensionnement_batiment.hpp"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "checks/sp_batiment.hpp"
#include "geometry/compute_utils.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"

namespace Dimensionnement_batiment {

using Compute_utils::print_direction;
using Compute_utils::print_distance;
using Compute_utils::print_percentage;
using Compute_utils::print_rapport;
using Quavor_pervasives::almost_greater_equal;
using Quavor_pervasives::almost_less_equal;

namespace {

constexpr Outcome::comparison at_most = Outcome::comparison::at_most;
constexpr Outcome::comparison at_least = Outcome::comparison::at_least;
constexpr Outcome::comparison range = Outcome::comparison::range;
constexpr Outcome::tolerance fine = Outcome::tolerance::fine;

// Records a comparison the check made at a level and returns its verdict.
// Shares are kept as fractions (unit "%"), as the check compares them.
template <class C>
bool mesure(Check::session& s, const Compute_data_types::niveau<C>& l, Outcome::measure m) {
  m.niveau = l.niveau_nom;
  const bool passed = m.passed;
  s.record_measure(std::move(m));
  return passed;
}

// The per-level criteria visit the roof level first, then the floor levels
// in order, and stop at the first level that fails.
template <class F>
bool toit_puis_planchers(F f, const Compute_data_types::batiment& b) {
  if (!f(b.batiment_niveau_toit)) return false;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!f(l)) return false;
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// CR-3-1

// The length is compared with 30 % of the building dimension, without
// tolerance and as the guide writes it (length >= 0.3 x dimension): the
// quotient length / dimension may round below 0.3 for a wall that reaches
// it, such as 2.01 m of 6.70 m.
bool cvt_long_enough_x(const Compute_data_types::batiment& b, const Compute_data_types::mur& m) {
  return Compute_data_utils::mur_longueur(m) >= Tqmv::facade_longueur_min * b.batiment_longueur;
}

bool cvt_long_enough_y(const Compute_data_types::batiment& b, const Compute_data_types::mur& m) {
  return Compute_data_utils::mur_longueur(m) >= Tqmv::facade_longueur_min * b.batiment_largeur;
}

namespace {

bool exists_long_enough(const Compute_data_types::murs& facade, const Compute_data_types::batiment& b,
                        bool (*long_enough)(const Compute_data_types::batiment&, const Compute_data_types::mur&)) {
  for (const Compute_data_types::mur_ref& m : facade)
    if (long_enough(b, *m)) return true;
  return false;
}

// Whether the facade has a wall long enough, recorded as the measure of its
// longest wall (none: 0 m): one wall is long enough exactly when the longest
// is.
template <class C>
bool facade_check(Check::session& s, const Compute_data_types::batiment& b, const Compute_data_types::niveau<C>& l,
                  const char* quantity, const Compute_data_types::murs& facade, double dimension,
                  bool (*long_enough)(const Compute_data_types::batiment&, const Compute_data_types::mur&)) {
  const Compute_data_types::mur* longest = nullptr;
  for (const Compute_data_types::mur_ref& m : facade)
    if (longest == nullptr || Compute_data_utils::mur_longueur(*m) > Compute_data_utils::mur_longueur(*longest))
      longest = &*m;
  Outcome::measure m{quantity, longest != nullptr ? Compute_data_utils::mur_longueur(*longest) : 0.0,
                     Tqmv::facade_longueur_min * dimension, std::nullopt, at_least, Outcome::tolerance::none, "m",
                     {}, {}, exists_long_enough(facade, b, long_enough)};
  if (longest != nullptr) m.element = longest->mur_nom;
  return mesure(s, l, std::move(m));
}

template <class C>
bool proportion_facades_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                              const Compute_data_types::niveau<C>& l) {
  const double limite = Tqmv::facade_longueur_min;
  const double longueur = b.batiment_longueur;
  const double largeur = b.batiment_largeur;
  if (facade_check(s, b, l, "longueur du plus long mur de la façade nord", l.cvts_x_facade_north, longueur,
                   cvt_long_enough_x) &&
      facade_check(s, b, l, "longueur du plus long mur de la façade sud", l.cvts_x_facade_south, longueur,
                   cvt_long_enough_x))
    return s.niveau_logger(l)(c, [limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "il existe, dans la direction X, deux murs en façades opposées mesurant au moins %a de la "
                      "longueur de la façade correspondante",
                      print_percentage, limite);
    });
  if (facade_check(s, b, l, "longueur du plus long mur de la façade est", l.cvts_y_facade_east, largeur,
                   cvt_long_enough_y) &&
      facade_check(s, b, l, "longueur du plus long mur de la façade ouest", l.cvts_y_facade_west, largeur,
                   cvt_long_enough_y))
    return s.niveau_logger(l)(c, [limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "il existe, dans la direction Y, deux murs en façades opposées mesurant au moins %a de la "
                      "longueur de la façade correspondante",
                      print_percentage, limite);
    });
  return s.niveau_error(l, Format::asprintf("il n'existe, dans aucune direction, deux murs en façades opposées "
                                                 "mesurant au moins %a de la longueur de la façade correspondante",
                                                 print_percentage, limite));
}

}  // namespace

bool niveau_proportion_de_contreventements_de_facades_check(Check::session& s, critere c,
                                                            const Compute_data_types::batiment& b,
                                                            const Compute_data_types::niveau_plancher& l) {
  return proportion_facades_check(s, c, b, l);
}
bool niveau_proportion_de_contreventements_de_facades_check(Check::session& s, critere c,
                                                            const Compute_data_types::batiment& b,
                                                            const Compute_data_types::niveau_toit& l) {
  return proportion_facades_check(s, c, b, l);
}

bool batiment_proportion_de_contreventements_de_facades_checkings(Check::session& s, critere c,
                                                                  const Compute_data_types::batiment& b) {
  return toit_puis_planchers(
      [&](const auto& l) { return niveau_proportion_de_contreventements_de_facades_check(s, c, b, l); }, b);
}

// ---------------------------------------------------------------------------
// CR-3-2

namespace {

template <class C>
bool longueur_cumulee_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  const double lt_x = l.lt_cvts_x;
  const double lt_y = l.lt_cvts_y;
  const double r = lt_x / lt_y;
  const double inf = Tqmv::rapport_longueurs_xy_min;
  const double sup = Tqmv::rapport_longueurs_xy_max;
  if (mesure(s, l, {"rapport des longueurs cumulées des murs de contreventements en X et en Y", r, inf, sup, range,
                    fine, "", {}, {}, almost_greater_equal(r, inf) && almost_less_equal(r, sup)}))
    return s.niveau_logger(l)(c, [lt_x, lt_y, r, inf, sup](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "le rapport des longueurs cumulées des murs de contreventements en X (%a) et en Y (%a) est "
                      "%a,@ ce rapport respecte bien les limites inférieure (%a) et supérieure (%a) autorisées",
                      print_rapport, lt_x, print_rapport, lt_y, print_rapport, r, print_rapport, inf, print_rapport,
                      sup);
    });
  return s.niveau_error(
      l, Format::asprintf("le rapport des longueurs cumulées des murs de contreventements en X (%a) et en Y (%a) est "
                          "%a,@ ce rapport ne respecte pas les limites inférieure (%a) et supérieure (%a) autorisées",
                          print_rapport, lt_x, print_rapport, lt_y, print_rapport, r, print_rapport, inf,
                          print_rapport, sup));
}

}  // namespace

bool niveau_longueur_cumulee_des_contreventements_check(Check::session& s, critere c,
                                                        const Compute_data_types::niveau_plancher& l) {
  return longueur_cumulee_check(s, c, l);
}
bool niveau_longueur_cumulee_des_contreventements_check(Check::session& s, critere c,
                                                        const Compute_data_types::niveau_toit& l) {
  return longueur_cumulee_check(s, c, l);
}

bool batiment_longueur_cumulee_des_contreventements_checkings(Check::session& s, critere c,
                                                              const Compute_data_types::batiment& b) {
  return toit_puis_planchers([&](const auto& l) { return niveau_longueur_cumulee_des_contreventements_check(s, c, l); },
                             b);
}

// ---------------------------------------------------------------------------
// CR-3-3

namespace {

template <class C>
bool refend_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  const double lt_refend = l.lt_cvts_refend_calcules;
  const double lt = l.lt_cvts;
  const double part = lt_refend / lt;
  const double limite = Tqmv::part_max_refend;
  if (mesure(s, l, {"répartition des murs en refend", part, limite, std::nullopt, at_most, fine, "%", {}, {},
                    almost_less_equal(part, limite)}))
    return s.niveau_logger(l)(c, [lt_refend, lt, part, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la répartition des murs en refend est correcte:@ la longueur totale des murs de "
                      "contreventement en refend vaut %a,@ la longueur totale des murs de contreventement vaut "
                      "%a,@ la répartition des murs en refend est donc %.2f / %.2f, soit %a;@ cette répartition est "
                      "inférieure à %a, la limite autorisée pour ce bâtiment",
                      print_distance, lt_refend, print_distance, lt, lt_refend, lt, print_percentage, part,
                      print_percentage, limite);
    });
  return s.niveau_error(
      l, Format::asprintf("la répartition des murs en refend est incorrecte:@ la longueur totale des murs de "
                          "contreventement en refend vaut %a@,@ la longueur totale des murs de contreventement vaut "
                          "%a;@ la répartition des murs en refend est donc %.2f / %.2f, soit %a;@ cette répartition "
                          "est supérieure à %a, la limite autorisée pour ce bâtiment",
                          print_distance, lt_refend, print_distance, lt, lt_refend, lt, print_percentage, part,
                          print_percentage, limite));
}

}  // namespace

bool niveau_repartition_des_contreventements_en_refend_check(Check::session& s, critere c,
                                                             const Compute_data_types::niveau_plancher& l) {
  return refend_check(s, c, l);
}
bool niveau_repartition_des_contreventements_en_refend_check(Check::session& s, critere c,
                                                             const Compute_data_types::niveau_toit& l) {
  return refend_check(s, c, l);
}

bool batiment_repartition_des_contreventements_en_refend_checkings(Check::session& s, critere c,
                                                                   const Compute_data_types::batiment& b) {
  return toit_puis_planchers(
      [&](const auto& l) { return niveau_repartition_des_contreventements_en_refend_check(s, c, l); }, b);
}

// ---------------------------------------------------------------------------
// CR-3-4

repartition mur_cumulate(const Compute_data_types::point& g, const repartition& r, const Compute_data_types::mur& m) {
  const Compute_data_types::rectangle& rect = m.mur_rectangle;
  const Compute_data_types::point p = rect.position;
  const double aire = rect.width * rect.height;
  repartition next = r;
  if (m.mur_direction == Compute_data_types::direction::X) {
    const double t = rect.height;
    if (almost_less_equal(std::fabs(p.p_y - g.p_y), t)) {
      next.north += aire / 2.0;
      next.south += aire / 2.0;
    } else if (almost_less_equal(p.p_y, g.p_y)) {
      next.south += aire;
    } else {
      next.north += aire;
    }
  } else {
    const double t = rect.width;
    if (almost_less_equal(std::fabs(p.p_x - g.p_x), t)) {
      next.west += aire / 2.0;
      next.east += aire / 2.0;
    } else if (almost_less_equal(p.p_x, g.p_x)) {
      next.west += aire;
    } else {
      next.east += aire;
    }
  }
  return next;
}

bool bounded(double value, std::pair<double, double> range) {
  return almost_less_equal(range.first, value) && almost_less_equal(value, range.second);
}

namespace {

const std::pair<double, double> plage_etroite{Tqmv::dissymetrie_min_etroite, Tqmv::dissymetrie_max_etroite};
const std::pair<double, double> plage_large{Tqmv::dissymetrie_min_large, Tqmv::dissymetrie_max_large};

}  // namespace

bool good_repartition_x(const repartition& parts) {
  return bounded(parts.north, plage_etroite) && bounded(parts.south, plage_etroite) &&
         bounded(parts.east, plage_large) && bounded(parts.west, plage_large);
}

bool good_repartition_y(const repartition& parts) {
  return bounded(parts.north, plage_large) && bounded(parts.south, plage_large) &&
         bounded(parts.east, plage_etroite) && bounded(parts.west, plage_etroite);
}

namespace {

// The four shares read one way: north and south within the first range,
// east and west within the second.
template <class C>
void mesures_parts(Check::session& s, const Compute_data_types::niveau<C>& l, const repartition& parts,
                   std::pair<double, double> nord_sud, std::pair<double, double> est_ouest) {
  const auto part = [&](const char* quantity, double value, std::pair<double, double> plage) {
    mesure(s, l, {quantity, value, plage.first, plage.second, range, fine, "%", {}, {}, bounded(value, plage)});
  };
  part("répartition Nord", parts.north, nord_sud);
  part("répartition Sud", parts.south, nord_sud);
  part("répartition Est", parts.east, est_ouest);
  part("répartition Ouest", parts.west, est_ouest);
}

template <class C>
bool gravite_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  const Compute_data_types::point g = l.niveau_plan.plan_centre.second;
  repartition sommes;
  for (const Compute_data_types::mur_ref& m : l.cvts) sommes = mur_cumulate(g, sommes, *m);
  const repartition parts{sommes.north / l.st_cvts_x, sommes.south / l.st_cvts_x, sommes.west / l.st_cvts_y,
                          sommes.east / l.st_cvts_y};
  const double gx = g.p_x;
  const double gy = g.p_y;
  // The reading that passes, or both when neither does.
  const bool en_x = good_repartition_x(parts);
  const bool en_y = !en_x && good_repartition_y(parts);
  if (!en_y) mesures_parts(s, l, parts, plage_etroite, plage_large);
  if (!en_x) mesures_parts(s, l, parts, plage_large, plage_etroite);
  if (en_x || en_y)
    return s.niveau_logger(l)(c, [parts, gx, gy](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la dissymétrie d'implantation des contreventements est respectée.@;<1 2>@[<v 0>Les "
                      "répartitions des contreventements sont:@;<1 2>@[<v 0>Nord : %a, Sud   : %a,@ Est  : %a, "
                      "Ouest : %a,@]@,ces répartitions respectent les limites de 45-55 %% dans une direction et de "
                      "30-70 %% dans l'autre.@ Le centre de gravité du plancher se situe au point:@ (g_x = %.3f, "
                      "g_y = %.3f)@]",
                      print_percentage, parts.north, print_percentage, parts.south, print_percentage, parts.east,
                      print_percentage, parts.west, gx, gy);
    });
  return s.niveau_error(
      l, Format::asprintf("la dissymétrie d'implantation des contreventements n'est pas respectée.@ Les répartitions "
                          "actuelles sont:@;<1 2>@[<v 0>Nord : %a, Sud   : %a,@ Est  : %a, Ouest : %a,@ @]@ ces "
                          "répartitions ne respectent pas les limites de 45-55 %% dans une direction et de 30-70 %% "
                          "dans l'autre.@ Le centre de gravité se situe au point: (g_x = %.3f, g_y = %.3f)",
                          print_percentage, parts.north, print_percentage, parts.south, print_percentage, parts.east,
                          print_percentage, parts.west, gx, gy));
}

}  // namespace

bool niveau_repartition_contreventements_gravite_check(Check::session& s, critere c,
                                                       const Compute_data_types::niveau_plancher& l) {
  return gravite_check(s, c, l);
}
bool niveau_repartition_contreventements_gravite_check(Check::session& s, critere c,
                                                       const Compute_data_types::niveau_toit& l) {
  return gravite_check(s, c, l);
}

bool batiment_repartition_contreventements_gravite_checkings(Check::session& s, critere c,
                                                             const Compute_data_types::batiment& b) {
  return toit_puis_planchers([&](const auto& l) { return niveau_repartition_contreventements_gravite_check(s, c, l); },
                             b);
}

// ---------------------------------------------------------------------------
// CR-3-6

bool batiment_dimensionnement_qualite_des_elements_checkings(Check::session& s, const Compute_data_types::batiment& b) {
  return s.make(critere::CR_3_6_1, batiment_longueur_moyenne_contreventement_checkings, b) &&
         s.make(critere::CR_3_6_2, batiment_qualite_du_chainage_checkings, b) &&
         s.make(critere::CR_3_6_3, batiment_qualite_des_elements_checkings, b) &&
         s.make(critere::CR_3_6_4, batiment_joints_verticaux_remplis_checkings, b);
}

namespace {

template <class C>
bool longueur_moyenne_direction_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l,
                                      Compute_data_types::direction d, double moyenne) {
  const double limite = Tqmv::longueur_moyenne_min;
  const char* quantity = d == Compute_data_types::direction::X
                             ? "longueur moyenne des murs de contreventement dans la direction X"
                             : "longueur moyenne des murs de contreventement dans la direction Y";
  if (mesure(s, l, {quantity, moyenne, limite, std::nullopt, at_least, fine, "m", {}, {},
                    almost_greater_equal(moyenne, limite)}))
    return s.niveau_logger(l)(c, [d, moyenne, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la longueur moyenne des murs de contreventement dans la direction %a est correcte.@ cette "
                      "moyenne %a est supérieure à la limite %a autorisée par le guide TQMV",
                      print_direction, d, print_distance, moyenne, print_distance, limite);
    });
  return s.niveau_error(
      l, Format::asprintf("la longueur moyenne des murs de contreventement dans la direction %a est %a,@ cette "
                          "moyenne est inférieure à la limite %a autorisée par le guide TQMV",
                          print_direction, d, print_distance, moyenne, print_distance, limite));
}

template <class C>
bool longueur_moyenne_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  const double moyenne_x = l.lt_cvts_x / l.n_cvts_x;
  const double moyenne_y = l.lt_cvts_y / l.n_cvts_y;
  return longueur_moyenne_direction_check(s, c, l, Compute_data_types::direction::X, moyenne_x) &&
         longueur_moyenne_direction_check(s, c, l, Compute_data_types::direction::Y, moyenne_y);
}

}  // namespace

bool niveau_longueur_moyenne_contreventement_check(Check::session& s, critere c,
                                                   const Compute_data_types::niveau_plancher& l) {
  return longueur_moyenne_check(s, c, l);
}
bool niveau_longueur_moyenne_contreventement_check(Check::session& s, critere c,
                                                   const Compute_data_types::niveau_toit& l) {
  return longueur_moyenne_check(s, c, l);
}

bool batiment_longueur_moyenne_contreventement_checkings(Check::session& s, critere c,
                                                         const Compute_data_types::batiment& b) {
  return toit_puis_planchers([&](const auto& l) { return niveau_longueur_moyenne_contreventement_check(s, c, l); }, b);
}

void print_qualite_du_chainage_categorie(Format::Printer& ppf,
                                         const Quavor_data_types::qualite_du_chainage_categorie& q) {
  switch (q) {
    case Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA12:
      Format::fprintf(ppf, "4HA12");
      return;
    case Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10:
      Format::fprintf(ppf, "4HA10");
      return;
  }
}

void print_caracteristique_des_elements(Format::Printer& ppf, const Quavor_data_types::maconnerie_categorie& m) {
  switch (m) {
    case Quavor_data_types::maconnerie_categorie::Granulats_courant_plein:
      Format::fprintf(ppf, "Granulats courant plein");
      return;
    case Quavor_data_types::maconnerie_categorie::Granulats_courant_creux_40:
      Format::fprintf(ppf, "Granulats courant creux 40");
      return;
    case Quavor_data_types::maconnerie_categorie::Granulats_courant_creux_60:
      Format::fprintf(ppf, "Granulats courant creux 60");
      return;
    case Quavor_data_types::maconnerie_categorie::Cellulaire_autoclave_rcn_3:
      Format::fprintf(ppf, "Cellulaire autoclave RCN 3");
      return;
    case Quavor_data_types::maconnerie_categorie::Cellulaire_autoclave_rcn_4:
      Format::fprintf(ppf, "Cellulaire autoclave RCN 4");
      return;
    case Quavor_data_types::maconnerie_categorie::Brique_creuse_4:
      Format::fprintf(ppf, "Brique creuse 4");
      return;
    case Quavor_data_types::maconnerie_categorie::Brique_creuse_8:
      Format::fprintf(ppf, "Brique creuse 8");
      return;
    case Quavor_data_types::maconnerie_categorie::Brique_creuse_12:
      Format::fprintf(ppf, "Brique creuse 12");
      return;
  }
}

bool batiment_qualite_du_chainage_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  const Quavor_data_types::qualite_du_chainage_categorie choisi =
      Compute_data_utils::batiment_maconnerie(b).maconnerie_qualite_du_chainage;
  const Quavor_data_types::qualite_du_chainage_categorie preconise =
      Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA12;
  if (choisi == preconise)
    return s.batiment_logger()(c, [choisi](Format::Printer& ppf) {
      Format::fprintf(ppf, "le chaînage choisi est correct: %a est le chaînage préconisé par le guide",
                      print_qualite_du_chainage_categorie, choisi);
    });
  return s.batiment_error(Format::asprintf("le chaînage choisi est %a, mais pour ce bâtiment ce devrait être %a",
                                                print_qualite_du_chainage_categorie, choisi,
                                                print_qualite_du_chainage_categorie, preconise));
}

bool batiment_qualite_des_elements_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  // The catalogue raises the fatal errors of the unsupported zones,
  // materials and masonry combinations.
  const Quavor_data_types::maconnerie_categorie preconisee = Tqmv::caracteristique_des_elements(b);
  const Quavor_data_types::maconnerie_categorie definie =
      Compute_data_utils::batiment_maconnerie(b).maconnerie_categorie;
  if (definie == preconisee)
    return s.batiment_logger()(c, [definie](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la caractéristique des éléments est correcte: elle est définie comme %a, et c'est la "
                      "caractéristique préconisée pour ce bâtiment",
                      print_caracteristique_des_elements, definie);
    });
  return s.batiment_error(
      Format::asprintf("la caractéristique des éléments ne convient pas: elle est définie comme %a, mais devrait être "
                       "%a",
                       print_caracteristique_des_elements, definie, print_caracteristique_des_elements, preconisee));
}

bool batiment_joints_verticaux_remplis_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  if (Compute_data_utils::batiment_maconnerie(b).maconnerie_joint_vertical ==
      Quavor_data_types::joint_vertical_categorie::Joint_rempli)
    return s.batiment_logger()(c, [](Format::Printer& ppf) {
      Format::fprintf(ppf, "les joints verticaux du bâtiment sont remplis ce qui est imposé par le guide");
    });
  return s.batiment_error(Format::asprintf(
      "les joints verticaux du bâtiment doivent impérativement être remplis, sous peine de perte importante de "
      "rigidité"));
}

// ---------------------------------------------------------------------------
// CR-3-7

namespace {

template <class C>
bool pa_min_direction_check(Check::session& s, critere c, const Compute_data_types::niveau<C>& l,
                            Compute_data_types::direction d, double rapport, double pa_min) {
  const char* quantity =
      d == Compute_data_types::direction::X
          ? "rapport de la surface au sol des murs de contreventements dans la direction X sur la surface totale du "
            "plancher"
          : "rapport de la surface au sol des murs de contreventements dans la direction Y sur la surface totale du "
            "plancher";
  if (mesure(s, l, {quantity, rapport, pa_min, std::nullopt, at_least, fine, "%", {}, {},
                    almost_greater_equal(rapport, pa_min)}))
    return s.niveau_logger(l)(c, [d, rapport, pa_min](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "le rapport de la surface au sol des murs de contreventements dans la direction %a sur la "
                      "surface totale du plancher est correcte:@ sa valeur %a est supérieure au pourcentage minimum "
                      "requis pour ce bâtiment (pa_min vaut %a)",
                      print_direction, d, print_percentage, rapport, print_percentage, pa_min);
    });
  return s.niveau_error(
      l, Format::asprintf("le rapport de la surface au sol des murs de contreventements dans la direction %a sur la "
                          "surface totale du plancher est incorrecte:@ sa valeur %a est inférieure au pourcentage "
                          "minimum requis pour ce bâtiment (pa_min vaut %a)",
                          print_direction, d, print_percentage, rapport, print_percentage, pa_min));
}

template <class C>
bool pa_min_checks(Check::session& s, critere c, double pa_min, const Compute_data_types::niveau<C>& l) {
  const double surface = l.niveau_plan.plan_surface;
  return pa_min_direction_check(s, c, l, Compute_data_types::direction::X, l.st_cvts_x / surface, pa_min) &&
         pa_min_direction_check(s, c, l, Compute_data_types::direction::Y, l.st_cvts_y / surface, pa_min);
}

}  // namespace

bool niveau_pa_min_checks(Check::session& s, critere c, double pa_min, const Compute_data_types::niveau_plancher& l) {
  return pa_min_checks(s, c, pa_min, l);
}
bool niveau_pa_min_checks(Check::session& s, critere c, double pa_min, const Compute_data_types::niveau_toit& l) {
  return pa_min_checks(s, c, pa_min, l);
}

bool batiment_pa_min_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  const double p = Tqmv::pa_min(b);
  return toit_puis_planchers([&](const auto& l) { return niveau_pa_min_checks(s, c, p, l); }, b);
}

// ---------------------------------------------------------------------------
// The family.

namespace {

const Check::etape<Compute_data_types::batiment> etapes[] = {
    {critere::CR_3_1, "proportion des contreventements en facade",
     batiment_proportion_de_contreventements_de_facades_checkings, nullptr},
    {critere::CR_3_2, "longueur cumulée des contreventements en X et Y",
     batiment_longueur_cumulee_des_contreventements_checkings, nullptr},
    {critere::CR_3_3, "pas trop de murs en refend", batiment_repartition_des_contreventements_en_refend_checkings,
     nullptr},
    {critere::CR_3_4, "repartition contreventements par rapport au centre de gravité",
     batiment_repartition_contreventements_gravite_checkings, nullptr},
    {critere::CR_3_6, "dimensionnement et qualité des éléments", nullptr,
     batiment_dimensionnement_qualite_des_elements_checkings},
    {critere::CR_3_7, "pa_min", batiment_pa_min_checkings, nullptr},
    {critere::CR_3_5, "surface de plancher reprises par les murs", nullptr, Sp_batiment::batiment_sp_checkings},
};

}  // namespace

bool batiment_dimensionnement_des_contreventements_checkings(Check::session& s, const Compute_data_types::batiment& b) {
  return Check::run_family(s, etapes, b);
}

}  // namespace Dimensionnement_batiment
