#include "checks/sp_batiment.hpp"

#include <optional>
#include <string>
#include <variant>

#include "geometry/compute_utils.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"
#include "text/format.hpp"

namespace Sp_batiment {

using Compute_data_utils::print_nom_entity;
using Compute_utils::print_area;
using Compute_utils::print_distance;

bool batiment_sp_checkings(Check::session& s, const Compute_data_types::batiment& b) {
  s.debug_checking(critere::CR_3_5_0, "calcul sp tous possibles");
  if (!s.make(critere::CR_3_5_0, batiment_sp_done_check, b)) return false;
  s.debug_checking(critere::CR_3_5_1, "sp correctement limités");
  return s.make(critere::CR_3_5_1, batiment_sp_max_check, b);
}

// ---------------------------------------------------------------------------
// CR-3-5-0

namespace {

template <class C>
bool mur_sp_check(Check::session& s, const Compute_data_types::niveau<C>& l, const Compute_data_types::mur& m) {
  if (std::holds_alternative<Quavor_data_types::Sp_value>(m.mur_sp)) return true;
  if (std::holds_alternative<Quavor_data_types::Sp_not_yet_computed>(m.mur_sp))
    return s.niveau_error(
        l, Format::asprintf("la surface de plancher reprise par le mur %s n'a pas encore été calculée", m.mur_nom),
        {m.mur_nom});
  return s.niveau_error(
      l, Format::asprintf("le calcul de la surface de plancher reprise par le mur %s a échoué. \nProbablement parce "
                          "qu'il est impossible de déterminer les portions de plancher reprises par le mur. "
                          "\nEssayez d'ajouter poutres et poteaux pour permettre la détection des surfaces de "
                          "plancher reprises par ce mur.",
                          m.mur_nom),
      {m.mur_nom});
}

template <class C>
bool sp_checks(Check::session& s, critere c, const Compute_data_types::niveau<C>& l) {
  if (!Compute_data_utils::niveau_for_all_cvt(
          [&](const Compute_data_types::mur& m) { return niveau_mur_sp_check(s, l, m); }, l))
    return false;
  return s.niveau_logger(l)(c, [](Format::Printer& ppf) {
    Format::fprintf(ppf, "la surface de plancher reprise par chaque mur a été calculée");
  });
}

}  // namespace

bool niveau_mur_sp_check(Check::session& s, const Compute_data_types::niveau_plancher& l,
                         const Compute_data_types::mur& m) {
  return mur_sp_check(s, l, m);
}
bool niveau_mur_sp_check(Check::session& s, const Compute_data_types::niveau_toit& l,
                         const Compute_data_types::mur& m) {
  return mur_sp_check(s, l, m);
}
bool niveau_sp_checks(Check::session& s, critere c, const Compute_data_types::niveau_plancher& l) {
  return sp_checks(s, c, l);
}
bool niveau_sp_checks(Check::session& s, critere c, const Compute_data_types::niveau_toit& l) {
  return sp_checks(s, c, l);
}

bool batiment_sp_done_check(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  if (!niveau_sp_checks(s, c, b.batiment_niveau_toit)) return false;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!niveau_sp_checks(s, c, l)) return false;
  return true;
}

// ---------------------------------------------------------------------------
// CR-3-5-1

double mur_sp_max(const Compute_data_types::batiment& b, const Compute_data_types::mur& m) {
  return Tqmv::batiment_sp_max(b)(Compute_data_utils::mur_longueur(m));
}

namespace {

// The floor area a wall carries against its Sp,max, compared with the ~
// tolerance; returns the verdict.
bool sp_mesure(Check::session& s, const std::string& niveau, const Compute_data_types::mur& m, double sp,
               double sp_max) {
  const bool passed = Quavor_pervasives::almost_less_equal(sp, sp_max);
  s.record_measure(Outcome::measure{"surface de plancher reprise", sp, sp_max, std::nullopt,
                                    Outcome::comparison::at_most, Outcome::tolerance::fine, "m2", niveau, m.mur_nom,
                                    passed});
  return passed;
}

template <class C>
bool mur_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                      const Compute_data_types::niveau<C>& l, const Compute_data_types::mur& m) {
  const double longueur = Compute_data_utils::mur_longueur(m);
  const double sp_max = mur_sp_max(b, m);
  if (std::holds_alternative<Quavor_data_types::Sp_not_yet_computed>(m.mur_sp))
    return s.niveau_error(
        l, Format::asprintf("la surface de plancher reprise par le mur %a n'a pas encore été calculée",
                            print_nom_entity, m.mur_nom),
        {m.mur_nom});
  if (std::holds_alternative<Quavor_data_types::Sp_failure>(m.mur_sp))
    return s.niveau_error(l, Format::asprintf("la surface de plancher reprise par le mur %a n'a pas pu être "
                                                   "calculée",
                                                   print_nom_entity, m.mur_nom),
                           {m.mur_nom});
  const double sp = std::get<Quavor_data_types::Sp_value>(m.mur_sp).value;
  if (sp_mesure(s, l.niveau_nom, m, sp, sp_max))
    return s.critere_logger(c, [nom = m.mur_nom, longueur, sp, sp_max](Format::Printer& ppf) {
      Format::fprintf(ppf, "Le mur %a, de longueur %a, reprend %a (Sp,max %a)", print_nom_entity, nom,
                      print_distance, longueur, print_area, sp, print_area, sp_max);
    });
  return s.niveau_error(
      l, Format::asprintf("le mur %a reprend une surface de plancher incorrecte:@.l'aire calculée %a est supérieure "
                          "à %a, le Sp,max de ce mur de %a",
                          print_nom_entity, m.mur_nom, print_area, sp, print_area, sp_max, print_distance, longueur),
      {m.mur_nom});
}

template <class C>
bool sp_max_checks(Check::session& s, critere c, const Compute_data_types::batiment& b,
                   const Compute_data_types::niveau<C>& l) {
  if (!Compute_data_utils::niveau_for_all_cvt(
          [&](const Compute_data_types::mur& m) { return niveau_mur_sp_max_check(s, c, b, l, m); }, l))
    return false;
  const double total = Quavor_pervasives::sigma_f(
      [](const Compute_data_types::mur_ref& m) { return Compute_data_utils::mur_sp_value(*m); }, l.cvts);
  return s.niveau_logger(l)(c, [total](Format::Printer& ppf) {
    Format::fprintf(ppf,
                    "la surface de plancher reprise par chaque mur satisfait les@ contraintes de maxima spécifiées "
                    "par le guide TQMV.@,(Les murs du niveau reprennent au total %a de surface de plancher.)",
                    print_area, total);
  });
}

}  // namespace

bool niveau_mur_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                             const Compute_data_types::niveau_plancher& l, const Compute_data_types::mur& m) {
  return mur_sp_max_check(s, c, b, l, m);
}
bool niveau_mur_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b,
                             const Compute_data_types::niveau_toit& l, const Compute_data_types::mur& m) {
  return mur_sp_max_check(s, c, b, l, m);
}
bool niveau_sp_max_checks(Check::session& s, critere c, const Compute_data_types::batiment& b,
                          const Compute_data_types::niveau_plancher& l) {
  return sp_max_checks(s, c, b, l);
}
bool niveau_sp_max_checks(Check::session& s, critere c, const Compute_data_types::batiment& b,
                          const Compute_data_types::niveau_toit& l) {
  return sp_max_checks(s, c, b, l);
}

bool batiment_sp_max_check(Check::session& s, critere c, const Compute_data_types::batiment& b) {
  if (!niveau_sp_max_checks(s, c, b, b.batiment_niveau_toit)) return false;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (!niveau_sp_max_checks(s, c, b, l)) return false;
  return true;
}

}  // namespace Sp_batiment
