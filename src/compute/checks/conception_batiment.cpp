#include "checks/conception_batiment.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/say.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/compute_utils.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"
#include "text/format.hpp"

namespace Conception_batiment {

using Compute_data_utils::print_niveau_nom;
using Compute_data_utils::print_nom_entity;
using Compute_utils::print_area;
using Compute_utils::print_percentage;
using Compute_utils::print_point;
using Quavor_pervasives::almost_equal;
using Quavor_pervasives::almost_greater_equal;
using Quavor_pervasives::almost_less_equal;

namespace {

constexpr Outcome::comparison at_most = Outcome::comparison::at_most;

// Records a comparison the check made and returns its verdict. Shares are
// kept as fractions (unit "%"), as the check compares them.
bool mesure(Check::session& s, Outcome::measure m) {
  const bool passed = m.passed;
  s.record_measure(std::move(m));
  return passed;
}

}  // namespace

// ---------------------------------------------------------------------------
// CR-2-1

namespace {

bool retrait_en_elevation_x_check(Check::session& s, critere c, double rx) {
  const double limite = Tqmv::retrait_elevation_max;
  if (mesure(s, {"retrait en élévation en x", rx, limite, std::nullopt, at_most, Outcome::tolerance::fine, "%", {}, {},
                 almost_less_equal(rx, limite)}))
    return s.critere_logger(c, [rx, limite](Format::Printer& ppf) {
      Format::fprintf(ppf, "le retrait en élévation en x est correct:@ sa dimension %a est inférieure à la limite %a",
                      print_percentage, rx, print_percentage, limite);
    });
  return s.batiment_error(Format::asprintf(
      "le retrait en élévation en x est trop important:@ sa dimension %a est supérieure à la limite %a",
      print_percentage, rx, print_percentage, limite));
}

bool retrait_en_elevation_y_check(Check::session& s, critere c, double ry) {
  const double limite = Tqmv::retrait_elevation_max;
  if (mesure(s, {"retrait en élévation en y", ry, limite, std::nullopt, at_most, Outcome::tolerance::fine, "%", {}, {},
                 almost_less_equal(ry, limite)}))
    return s.critere_logger(c, [ry, limite](Format::Printer& ppf) {
      Format::fprintf(ppf, "le retrait en élévation en y est correct:@ sa dimension %a est inférieure à la limite %a",
                      print_percentage, ry, print_percentage, limite);
    });
  return s.batiment_error(Format::asprintf(
      "le retrait en élévation en y est trop important:@ sa dimension %a est supérieure à la limite %a",
      print_percentage, ry, print_percentage, limite));
}

}  // namespace

bool batiment_retrait_en_elevation_check(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  if (b.batiment_type == Quavor_data_types::batiment_type::R0)
    return s.critere_logger(c, [](Format::Printer& ppf) {
      Format::fprintf(ppf, "Le bâtiment est de type R+0, il n'a donc pas de retrait en élévation.");
    });
  // The fraction of the base dimension that the roof plan leaves out.
  const Compute_data_types::plan& p = b.batiment_niveau_toit.niveau_plan;
  const double rx = (p.plan_base_width - p.plan_width) / p.plan_base_width;
  const double ry = (p.plan_base_height - p.plan_height) / p.plan_base_height;
  return retrait_en_elevation_x_check(s, c, rx) && retrait_en_elevation_y_check(s, c, ry);
}

// ---------------------------------------------------------------------------
// CR-2-2

bool batiment_continuite_verticale_porteur_checkings(Check::session& s, const Compute_data_types::batiment& b) {
  s.debug_checking(critere::CR_2_2_1, "continuité verticale des poteaux");
  if (!s.make(critere::CR_2_2_1, batiment_poteau_continuite_checkings, b)) return false;
  s.debug_checking(critere::CR_2_2_2, "continuité verticale des contreventements");
  if (!s.make(critere::CR_2_2_2, batiment_contreventement_continuite_checkings, b)) return false;
  s.debug_checking(critere::CR_2_2_3, "continuité horizontale des poutres");
  return s.make(critere::CR_2_2_3, batiment_poutre_appui_checkings, b);
}

std::vector<std::reference_wrapper<const Compute_data_types::niveau_plancher>> sort_niveau_planchers(
    const Compute_data_types::niveau_planchers& niveaux) {
  std::vector<std::reference_wrapper<const Compute_data_types::niveau_plancher>> sorted(niveaux.begin(), niveaux.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Compute_data_types::niveau_plancher& a, const Compute_data_types::niveau_plancher& b) {
                     return a.niveau_etage < b.niveau_etage;
                   });
  return sorted;
}

namespace {

bool poteau_meme_position(const Compute_data_types::poteau& upper, const Compute_data_types::poteau& lower) {
  return almost_equal(upper.poteau_position.p_x, lower.poteau_position.p_x) &&
         almost_equal(upper.poteau_position.p_y, lower.poteau_position.p_y);
}

template <class Upper>
bool poteau_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                             const Upper& upper) {
  return Compute_data_utils::niveau_for_all_poteau(
      [&](const Compute_data_types::poteau& p) {
        const auto found = Compute_data_utils::niveau_find_poteau_opt(
            [&](const Compute_data_types::poteau& q) { return poteau_meme_position(p, q); }, lower);
        if (!found)
          return s.niveau_error(
              upper, Format::asprintf("le poteau %a n'est pas fondé par rapport au niveau %a.\nIl faut mettre un "
                                      "poteau au-dessous du poteau %a",
                                      print_nom_entity, p.poteau_nom, print_niveau_nom, lower.niveau_nom,
                                      print_nom_entity, p.poteau_nom),
              {p.poteau_nom});
        return s.critere_logger(
            c, [haut = p.poteau_nom, niveau = lower.niveau_nom, bas = (*found)->poteau_nom](Format::Printer& ppf) {
              Format::fprintf(ppf, "Le poteau %a est fondé au niveau %a par le poteau %a", print_nom_entity, haut,
                              print_niveau_nom, niveau, print_nom_entity, bas);
            });
      },
      upper);
}

template <class Upper>
bool contreventement_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                                      const Upper& upper) {
  return Compute_data_utils::niveau_for_all_cvt(
      [&](const Compute_data_types::mur& m) {
        const auto found = Compute_data_utils::niveau_find_cvt_opt(
            [&](const Compute_data_types::mur& dessous) { return mur_se_fonde_par_mur(m, dessous); }, lower);
        if (!found)
          return s.niveau_error(
              upper, Format::asprintf("le contreventement %a n'est pas fondé par rapport au niveau %a.\nIl faut "
                                      "mettre un contreventement au-dessous du contreventement %a",
                                      print_nom_entity, m.mur_nom, print_niveau_nom, lower.niveau_nom,
                                      print_nom_entity, m.mur_nom),
              {m.mur_nom});
        return s.critere_logger(
            c, [haut = m.mur_nom, niveau = lower.niveau_nom, bas = (*found)->mur_nom](Format::Printer& ppf) {
              Format::fprintf(ppf, "Le contreventement %a est fondé au niveau %a par le contreventement %a",
                              print_nom_entity, haut, print_niveau_nom, niveau, print_nom_entity, bas);
            });
      },
      upper);
}

}  // namespace

bool niveau_poteau_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                                    const Compute_data_types::niveau_plancher& upper) {
  return poteau_continuite_check(s, c, lower, upper);
}
bool niveau_poteau_continuite_check(Check::session& s, critere c, const Compute_data_types::niveau_plancher& lower,
                                    const Compute_data_types::niveau_toit& upper) {
  return poteau_continuite_check(s, c, lower, upper);
}

bool batiment_poteau_continuite_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  return batiment_continuite_checkings(
      [&s, c](const Compute_data_types::niveau_plancher& lower, const auto& upper) {
        return niveau_poteau_continuite_check(s, c, lower, upper);
      },
      b);
}

bool niveau_contreventement_continuite_check(Check::session& s, critere c,
                                             const Compute_data_types::niveau_plancher& lower,
                                             const Compute_data_types::niveau_plancher& upper) {
  return contreventement_continuite_check(s, c, lower, upper);
}
bool niveau_contreventement_continuite_check(Check::session& s, critere c,
                                             const Compute_data_types::niveau_plancher& lower,
                                             const Compute_data_types::niveau_toit& upper) {
  return contreventement_continuite_check(s, c, lower, upper);
}

bool batiment_contreventement_continuite_checkings(Check::session& s, critere c,
                                                   const Compute_data_types::batiment& b) {
  return batiment_continuite_checkings(
      [&s, c](const Compute_data_types::niveau_plancher& lower, const auto& upper) {
        return niveau_contreventement_continuite_check(s, c, lower, upper);
      },
      b);
}

bool mur_se_projette_sur_mur(const Compute_data_types::mur& upper, const Compute_data_types::mur& lower) {
  const Compute_data_types::rectangle& u = upper.mur_rectangle;
  const Compute_data_types::rectangle& l = lower.mur_rectangle;
  return almost_greater_equal(u.position.p_x, l.position.p_x) &&
         almost_less_equal(u.position.p_x + u.width, l.position.p_x + l.width) &&
         almost_greater_equal(u.position.p_y, l.position.p_y) &&
         almost_less_equal(u.position.p_y + u.height, l.position.p_y + l.height);
}

bool mur_se_fonde_par_mur(const Compute_data_types::mur& upper, const Compute_data_types::mur& lower) {
  return upper.mur_direction == lower.mur_direction &&
         almost_less_equal(Compute_data_utils::mur_epaisseur(upper), Compute_data_utils::mur_epaisseur(lower)) &&
         almost_less_equal(Compute_data_utils::mur_longueur(upper), Compute_data_utils::mur_longueur(lower)) &&
         mur_se_projette_sur_mur(upper, lower);
}

// ---------------------------------------------------------------------------
// CR-2-2-3

bool appui_fonde_sur_mur(const Compute_data_types::point& p, const Compute_data_types::mur& m) {
  return !std::holds_alternative<Compute_data_types::Out>(
      Compute_pervasives::rectangle_locate_point(m.mur_rectangle, p));
}

bool appui_fonde_sur_poteau(const Compute_data_types::point& p, const Compute_data_types::poteau& c) {
  return almost_less_equal(Quavor_pervasives::distance(p, c.poteau_position), appui_poteau_distance_max);
}

void print_appui(Format::Printer& ppf, const Compute_data_types::appui& a) {
  if (const auto* m = std::get_if<Compute_data_types::Appui_mur>(&a))
    Format::fprintf(ppf, "le mur %a", print_nom_entity, m->value->mur_nom);
  else
    Format::fprintf(ppf, "le poteau %a", print_nom_entity,
                    std::get<Compute_data_types::Appui_poteau>(a).value->poteau_nom);
}

namespace {

// The walls of the level first, then its columns.
template <class C>
std::optional<Compute_data_types::appui> niveau_appui_opt(const Compute_data_types::niveau<C>& l,
                                                          const Compute_data_types::point& p) {
  if (const auto m = Compute_data_utils::niveau_find_mur_opt(
          [&](const Compute_data_types::mur& w) { return appui_fonde_sur_mur(p, w); }, l))
    return Compute_data_types::appui{Compute_data_types::Appui_mur{*m}};
  if (const auto c = Compute_data_utils::niveau_find_poteau_opt(
          [&](const Compute_data_types::poteau& q) { return appui_fonde_sur_poteau(p, q); }, l))
    return Compute_data_types::appui{Compute_data_types::Appui_poteau{*c}};
  return std::nullopt;
}

template <class C>
bool fonde_poutre(Check::session& s, critere c, const Compute_data_types::niveau<C>& l, Compute_data_types::poutre& p) {
  const Compute_data_types::point origine = Compute_data_utils::poutre_position(p);
  const Compute_data_types::point extremite = Compute_data_utils::poutre_vertex(p);
  const auto appui_origine = niveau_appui_opt(l, origine);
  const auto appui_extremite = niveau_appui_opt(l, extremite);
  if (appui_origine && appui_extremite) {
    Compute_data_utils::poutre_set_fondement(p, Compute_data_types::poutre_fondement{*appui_origine, *appui_extremite});
    return s.critere_logger(
        c, [nom = p.poutre_nom, a = *appui_origine, v = *appui_extremite](Format::Printer& ppf) {
          Format::fprintf(ppf,
                          "La poutre %a est fondée,@;<1 2>@[<v 0>son origine s'appuie sur %a et@ son extrémité "
                          "s'appuie sur %a@]",
                          print_nom_entity, nom, print_appui, a, print_appui, v);
        });
  }
  if (!appui_origine && !appui_extremite)
    return s.niveau_error(
        l, Format::asprintf("les extrémités de la poutre %a, ne s'appuient sur aucun contreventement ni sur aucun "
                            "poteau",
                            print_nom_entity, p.poutre_nom),
        {p.poutre_nom});
  const Compute_data_types::point libre = appui_origine ? extremite : origine;
  return s.niveau_error(
      l, Format::asprintf("le point %a, une extrémité de la poutre %a, ne s'appuie sur aucun contreventement ni sur "
                          "aucun poteau",
                          print_point, libre, print_nom_entity, p.poutre_nom),
      {p.poutre_nom});
}

template <class C>
bool niveau_poutres_appui_checks(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  return Compute_data_utils::niveau_for_all_poutre(
      [&](Compute_data_types::poutre& p) { return niveau_fonde_poutre(s, c, l, p); }, l);
}

}  // namespace

bool niveau_fonde_poutre(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l,
                         Compute_data_types::poutre& p) {
  return fonde_poutre(s, c, l, p);
}
bool niveau_fonde_poutre(Check::session& s, critere c, const Compute_data_types::niveau_toit& l,
                         Compute_data_types::poutre& p) {
  return fonde_poutre(s, c, l, p);
}

// Every level once, from the bottom up: the floor levels by storey, then the
// roof level (a beam's slot can be filled only once).
bool batiment_poutre_appui_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  for (const Compute_data_types::niveau_plancher& l : sort_niveau_planchers(b.batiment_niveau_planchers))
    if (!niveau_poutres_appui_checks(s, c, l)) return false;
  return niveau_poutres_appui_checks(s, c, b.batiment_niveau_toit);
}

// ---------------------------------------------------------------------------
// CR-2-3

double niveau_surface_plancher(const Compute_data_types::niveau_plancher& l) {
  return l.niveau_categorie.plancher_surface;
}
double niveau_surface_plancher(const Compute_data_types::niveau_toit& l) { return l.niveau_categorie.toiture_surface; }

namespace {

bool nombre_retraits_check(Check::session& s, critere c, const std::string& niveau_nom, int n) {
  const int limite = Tqmv::retraits_nombre_max;
  if (mesure(s, {"nombre de retraits", static_cast<double>(n), static_cast<double>(limite), std::nullopt, at_most,
                 Outcome::tolerance::none, "", niveau_nom, {}, n <= limite}))
    return s.critere_logger(c, [niveau_nom, n, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "Au niveau %a, il y a %d retraits, ce nombre est inférieur à la limite de %d retraits "
                      "autorisée pour ce batiment",
                      print_niveau_nom, niveau_nom, n, limite);
    });
  return s.niveau_error(
      niveau_nom, Format::asprintf("il y a %d retraits, ce nombre est supérieur à la limite de %d retraits autorisée "
                                   "pour ce batiment",
                                   n, limite));
}

// A debugging paragraph ends its line, so that the next "Check (...)" line
// starts one of its own.
void end_debugging_paragraph(Format::Printer& ppf) { Format::fprintf(ppf, "@."); }

bool check_regularite_retrait(Check::session& s, const std::string& niveau_nom, const Compute_data_types::retrait& r,
                              double surface_plancher) {
  const double fraction = Tqmv::retrait_surface_max;
  const double limite = fraction * surface_plancher;
  const double surface = r.retrait_surface;
  const bool satisfait = mesure(s, {"surface du retrait", surface, limite, std::nullopt, at_most,
                                    Outcome::tolerance::fine, "m2", niveau_nom, r.retrait_nom,
                                    almost_less_equal(surface, limite)});
  s.fdebug([&](Format::Printer& ppf) {
    Format::fprintf(ppf,
                    "@[<v 0>retrait %a, surface %a,@ limite_tqmv = %a de la surface du plancher de %a,@ limite en "
                    "surface des retraits = %a,@ Satisfaction du critère = %B@]",
                    print_nom_entity, r.retrait_nom, print_area, surface, print_percentage, fraction, print_area,
                    surface_plancher, print_area, limite, satisfait);
    end_debugging_paragraph(ppf);
  });
  if (satisfait) return true;
  return s.niveau_error(
      niveau_nom, Format::asprintf("la surface du retrait %a mesure %a, cette dimension dépasse la limite autorisée "
                                   "%a. Cette limite correspond à %a de la surface du plancher (%a)",
                                   print_nom_entity, r.retrait_nom, print_area, surface, print_area, limite,
                                   print_percentage, fraction, print_area, surface_plancher),
      {r.retrait_nom});
}

std::vector<std::string> noms_des_retraits(const Compute_data_types::retraits& rs) {
  std::vector<std::string> noms;
  for (const Compute_data_types::retrait_ref& r : rs) noms.push_back(r->retrait_nom);
  return noms;
}

bool surface_totale_retraits_check(Check::session& s, const std::string& niveau_nom,
                                   const Compute_data_types::retraits& rs, double surface_plancher) {
  const double fraction = Tqmv::retraits_surface_totale_max;
  const double limite = fraction * surface_plancher;
  const double totale =
      Quavor_pervasives::sigma_f([](const Compute_data_types::retrait_ref& r) { return r->retrait_surface; }, rs);
  const bool satisfait = mesure(s, {"surface totale des retraits", totale, limite, std::nullopt, at_most,
                                    Outcome::tolerance::fine, "m2", niveau_nom, {}, almost_less_equal(totale, limite)});
  s.fdebug([&](Format::Printer& ppf) {
    Format::fprintf(ppf,
                    "la surface totale des retraits mesure %a,@ la limite autorisée est %a de la surface du plancher "
                    "%a,@ soit une limite de %a.@ Le test vaut donc %B",
                    print_area, totale, print_percentage, fraction, print_area, surface_plancher, print_area, limite,
                    satisfait);
    end_debugging_paragraph(ppf);
  });
  if (satisfait) return true;
  return s.niveau_error(
      niveau_nom, Format::asprintf("la surface totale des retraits mesure %a,@ cette dimension dépasse la limite %a "
                                   "autorisée pour ce batiment",
                                   print_area, totale, print_area, limite),
      noms_des_retraits(rs));
}

template <class C>
bool regularite_retrait_checkings(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  const Compute_data_types::retraits& rs = l.niveau_plan.plan_retraits;
  const double surface_plancher = niveau_surface_plancher(l);
  if (!nombre_retraits_check(s, c, l.niveau_nom, static_cast<int>(rs.size()))) return false;
  for (const Compute_data_types::retrait_ref& r : rs)
    if (!check_regularite_retrait(s, l.niveau_nom, *r, surface_plancher)) return false;
  return surface_totale_retraits_check(s, l.niveau_nom, rs, surface_plancher);
}

}  // namespace

bool niveau_regularite_retrait_checkings(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l) {
  return regularite_retrait_checkings(s, c, l);
}
bool niveau_regularite_retrait_checkings(Check::session& s, critere c, const Compute_data_types::niveau_toit& l) {
  return regularite_retrait_checkings(s, c, l);
}

bool batiment_retrait_en_plan_checkings(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  if (!niveau_regularite_retrait_checkings(s, c, b.batiment_niveau_toit)) return false;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!niveau_regularite_retrait_checkings(s, c, l)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// The family.

namespace {

const Check::etape<Compute_data_types::batiment> etapes[] = {
    {critere::CR_2_1, "regularité en élévation du bâtiment", batiment_retrait_en_elevation_check, nullptr},
    {critere::CR_2_2, "continuité des porteurs verticaux", nullptr, batiment_continuite_verticale_porteur_checkings},
    {critere::CR_2_3, "limitation de la taille et du nombre des parties en retrait", batiment_retrait_en_plan_checkings,
     nullptr},
};

}  // namespace

bool batiment_conception_checkings(Check::session& s, const Compute_data_types::batiment& b) {
  return Check::run_family(s, etapes, b);
}

}  // namespace Conception_batiment
