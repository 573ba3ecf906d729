#include "checks/consistency_batiment.hpp"

#include <array>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "checks/report_file_probe.hpp"
#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "geometry/compute_utils.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"
#include "text/format.hpp"

namespace Consistency_batiment {

namespace {

using Compute_utils::print_area;
using Compute_utils::print_bool;
using Compute_utils::print_direction;
using Compute_utils::print_distance;
using Compute_utils::print_percentage;
using Compute_utils::print_point;
using Compute_data_utils::print_niveau_nom;
using Compute_data_utils::print_nom_entity;
using Quavor_pervasives::almost_equal;
using Quavor_pervasives::almost_greater_equal;
using Quavor_pervasives::almost_less_equal;
using Outcome::comparison;
using Outcome::tolerance;

// Records one comparison of a quantity with its limit under the current
// criterion and returns the check's own verdict on it, so that the check
// branches on what it recorded. Slopes stay the factors the checks compare
// (0.35, not 35 %), so that a tolerance applies to the numbers recorded.
bool mesure(Check::session& s, bool passed, const char* quantite, double valeur, double limite, comparison cmp,
            tolerance tol, const char* unite, std::optional<std::string> niveau = std::nullopt,
            std::optional<std::string> element = std::nullopt, std::optional<double> limite_haute = std::nullopt) {
  s.record_measure(Outcome::measure{quantite, valeur, limite, limite_haute, cmp, tol, unite, std::move(niveau),
                                    std::move(element), passed});
  return passed;
}

// ---------------------------------------------------------------------------
// Name tables.

bool ends_with(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A name met twice, first at the level `ou`: "le mur M1n0 n'a pas un nom
// unique:@ un mur de même nom apparaît au niveau Nv0" when the first one is of
// the same kind, "... une entité de même nom ..." otherwise.
std::string doublon_message(entity_kind kind, const std::string& nom, const std::string& ou, bool meme_kind) {
  const bool feminin = kind == entity_kind::Poutre || kind == entity_kind::Tremie;
  const std::string kind_nom = batiment_entity_name(kind);
  const std::string premier = meme_kind ? (feminin ? "une " : "un ") + kind_nom : "une entité";
  return Format::asprintf("%s %a n'a pas un nom unique:@ %s de même nom apparaît au niveau %a",
                          (feminin ? "la " : "le ") + kind_nom, print_nom_entity, nom, premier, print_niveau_nom, ou);
}

// The name of an element of a level: it ends with the level's suffix, it is
// not yet in its kind's table and, when asked, in no other table. Once
// accepted it is recorded with the level's name.
template <class C>
bool entity_nom_check(Check::session& s, const Compute_data_types::niveau<C>& n, entity_kind kind,
                      const std::string& nom, bool toutes_tables) {
  const std::string suffix = batiment_entity_suffix(entity_kind::Niveau, n.niveau_etage);
  if (!ends_with(nom, suffix))
    return s.niveau_error(
        n, Format::asprintf("le nom %s %s n'est pas valide. car il ne se termine pas par le numéro de son %s, %s",
                            batiment_entity_of_the(kind) + batiment_entity_name(kind), nom,
                            batiment_entity_name(entity_kind::Niveau), suffix),
        {nom});
  if (const auto ou = s.nom_tables().find(kind, nom))
    return s.niveau_error(n, doublon_message(kind, nom, *ou, true), {nom});
  if (toutes_tables)
    if (const auto autre = s.nom_tables().find_in_tables(nom))
      return s.niveau_error(n, doublon_message(kind, nom, *s.nom_tables().find(*autre, nom), false), {nom});
  s.nom_tables().add(kind, nom, n.niveau_nom);
  return true;
}

// The floor openings and the balconies of a level, floor or roof.
const Compute_data_types::tremies& tremies_of(const Compute_data_types::niveau_plancher& n) {
  return Compute_data_utils::niveau_plancher_tremies(n);
}
const Compute_data_types::tremies& tremies_of(const Compute_data_types::niveau_toit& n) {
  return Compute_data_utils::niveau_toit_tremies(n);
}
const Compute_data_types::balcons& balcons_of(const Compute_data_types::niveau_plancher& n) {
  return Compute_data_utils::niveau_plancher_balcons(n);
}
const Compute_data_types::balcons& balcons_of(const Compute_data_types::niveau_toit& n) {
  return Compute_data_utils::niveau_toit_balcons(n);
}

template <class T, class F>
bool for_all(const std::vector<T>& l, F f) {
  for (const T& e : l)
    if (!f(e)) return false;
  return true;
}

// Floor levels in order, then the roof level.
template <class F>
bool for_all_niveaux(const batiment& b, F f) {
  return Compute_data_utils::batiment_for_all_niveau(f, b);
}

// ---------------------------------------------------------------------------
// Walls.

template <class C>
bool niveau_mur_epaisseur_check(Check::session& s, const batiment& b, const Compute_data_types::niveau<C>& n,
                                const Compute_data_types::mur& m) {
  if (!Compute_data_utils::contreventement(m)) return true;
  const double e = Compute_data_utils::mur_epaisseur(m);
  const double minimum = Tqmv::mur_minimum_epaisseur(b.batiment_materiau_categorie);
  const double maximum = Tqmv::mur_maximum_epaisseur(b.batiment_materiau_categorie);
  if (mesure(s, almost_greater_equal(e, minimum) && almost_less_equal(e, maximum), "épaisseur du mur", e, minimum,
             comparison::range, tolerance::fine, "m", n.niveau_nom, m.mur_nom, maximum))
    return true;
  if (!almost_greater_equal(e, minimum))
    return s.niveau_error(
        n, Format::asprintf("le mur primaire %a n'est pas assez épais:@ il mesure %a mais la limite inférieure pour ce "
                            "type de matériau est %a",
                            print_nom_entity, m.mur_nom, print_distance, e, print_distance, minimum),
        {m.mur_nom});
  return s.niveau_error(
      n, Format::asprintf("le mur primaire %a est trop épais:@ il mesure %a mais la limite supérieure pour ce type de "
                          "matériau est %a",
                          print_nom_entity, m.mur_nom, print_distance, e, print_distance, maximum),
      {m.mur_nom});
}

template <class C>
bool niveau_mur_longueur_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                               const Compute_data_types::mur& m) {
  if (!Compute_data_utils::contreventement(m)) return true;
  const double l = Compute_data_utils::mur_longueur(m);
  const double minimum = Tqmv::mur_longueur_min;
  const double maximum = Tqmv::mur_longueur_max;
  if (mesure(s, almost_greater_equal(l, minimum) && almost_less_equal(l, maximum), "longueur du mur", l, minimum,
             comparison::range, tolerance::fine, "m", n.niveau_nom, m.mur_nom, maximum))
    return true;
  if (!almost_greater_equal(l, minimum))
    return s.niveau_error(
        n, Format::asprintf("le mur primaire %a est trop court:@ sa longueur, %a, est inférieure à la limite inférieure "
                            "autorisée %a",
                            print_nom_entity, m.mur_nom, print_distance, l, print_distance, minimum),
        {m.mur_nom});
  return s.niveau_error(
      n, Format::asprintf("le mur primaire %a est trop long:@ sa longueur %a est supérieure à la limite supérieure "
                          "autorisée %a",
                          print_nom_entity, m.mur_nom, print_distance, l, print_distance, maximum),
      {m.mur_nom});
}

template <class C>
bool niveau_mur_hauteur_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                              const Compute_data_types::mur& m) {
  if (mesure(s, almost_equal(m.mur_hauteur, n.niveau_hauteur), "hauteur du mur", m.mur_hauteur, n.niveau_hauteur,
             comparison::equal, tolerance::fine, "m", n.niveau_nom, m.mur_nom))
    return true;
  return s.niveau_error(
      n, Format::asprintf("le mur %a n'a pas la bonne hauteur:@ sa hauteur (%a) n'est pas celle de son niveau (%a)",
                          print_nom_entity, m.mur_nom, print_distance, m.mur_hauteur, print_distance,
                          n.niveau_hauteur),
      {m.mur_nom});
}

// A point of the building: in the plan's base and not strictly inside one
// of its set-backs.
bool point_dans_batiment(const Compute_data_types::point& p, const Compute_data_types::plan& plan) {
  return Compute_data_utils::point_dans_plan_base(p, plan.plan_base) &&
         !Compute_data_utils::point_interieur_retraits(p, plan.plan_retraits);
}

struct coin {
  const char* nom;
  Compute_data_types::point point;
};

// ": son point <name>, <point>, n'est pas dans le bâtiment" for the first
// point outside the building, empty when all are in.
template <std::size_t N>
std::string point_hors_batiment(const std::array<coin, N>& coins, const Compute_data_types::plan& plan) {
  for (const coin& c : coins)
    if (!point_dans_batiment(c.point, plan))
      return Format::asprintf(": son point %s, %a, n'est pas dans le bâtiment", c.nom, print_point, c.point);
  return "";
}

template <class C>
bool niveau_mur_dans_plan_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                                const Compute_data_types::mur& m) {
  const auto& v = m.mur_rectangle.vertices;
  const std::array<coin, 4> coins{coin{"bas gauche", v.vertex_sw}, coin{"bas droit", v.vertex_se},
                                  coin{"haut gauche", v.vertex_nw}, coin{"haut droit", v.vertex_ne}};
  const std::string hors = point_hors_batiment(coins, n.niveau_plan);
  if (Compute_data_utils::rectangle_dans_plan(m.mur_rectangle, n.niveau_plan) && hors.empty()) return true;
  return s.niveau_error(n, Format::asprintf("le mur %a n'est pas géométriquement inclus dans le bâtiment%s",
                                                 print_nom_entity, m.mur_nom, hors),
                        {m.mur_nom});
}

// The walls of a level's list, recognised as the same elements (not as equal
// ones).
class ensemble_murs {
 public:
  explicit ensemble_murs(const Compute_data_types::murs& murs) {
    elements_.reserve(murs.size());
    for (const auto& x : murs) elements_.insert(x.get());
  }
  bool contient(const Compute_data_types::mur& m) const { return elements_.count(&m) != 0; }

 private:
  std::unordered_set<const Compute_data_types::mur*> elements_;
};

// The computed facade and inner walls of a level, gathered once for the
// level's walls.
struct categories_calculees {
  template <class C>
  explicit categories_calculees(const Compute_data_types::niveau<C>& n)
      : facade(n.murs_facade_calcules), refend(n.murs_refend_calcules) {}
  ensemble_murs facade;
  ensemble_murs refend;
};

template <class C>
bool niveau_mur_categorie_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                                const categories_calculees& calcules, const Compute_data_types::mur& m) {
  if (m.mur_categorie == Quavor_data_types::mur_categorie::Mur_de_facade) {
    if (calcules.facade.contient(m)) return true;
    return s.niveau_error(
        n, Format::asprintf("le mur %a est déclaré de façade, mais ce mur n'est pas géométriquement un mur de façade",
                            print_nom_entity, m.mur_nom),
        {m.mur_nom});
  }
  if (calcules.refend.contient(m)) return true;
  return s.niveau_error(
      n, Format::asprintf("le mur %a est déclaré en refend, mais ce mur n'est pas géométriquement un mur en refend",
                          print_nom_entity, m.mur_nom),
      {m.mur_nom});
}

template <class C>
bool niveau_mur_checks(Check::session& s, const batiment& b, const Compute_data_types::niveau<C>& n,
                       const categories_calculees& calcules, const Compute_data_types::mur& m) {
  return entity_nom_check(s, n, entity_kind::Mur, m.mur_nom, true) &&
         niveau_mur_epaisseur_check(s, b, n, m) && niveau_mur_longueur_check(s, n, m) && niveau_mur_hauteur_check(s, n, m) &&
         niveau_mur_dans_plan_check(s, n, m) && niveau_mur_categorie_check(s, n, calcules, m);
}

// Two walls that meet at a corner share the square of the thickness; more
// than that is a superposition. Only the neighbours of the wall (positions in
// the level's list, increasing) are compared with it: any other wall shares
// nothing with it, so the first wall reported is the same as when every wall
// of the level is compared.
template <class C>
bool niveau_mur_no_superposition_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                                       const Compute_data_types::mur& m, const std::vector<std::size_t>& voisins) {
  return for_all(voisins, [&](std::size_t i) {
    const Compute_data_types::mur& autre = *n.niveau_murs[i];
    if (&autre == &m) return true;
    const auto inter = Compute_pervasives::rectangle_inter_rectangle(m.mur_rectangle, autre.mur_rectangle);
    const auto* r = std::get_if<Compute_pervasives_types::Ri_rectangle>(&inter);
    if (r == nullptr) return true;
    const double aire = r->value.width * r->value.height;
    const double e = Compute_data_utils::mur_epaisseur(m);
    const double maximum = e * e;
    if (mesure(s, almost_less_equal(aire, maximum), "aire de chevauchement", aire, maximum, comparison::at_most,
               tolerance::fine, "m2", n.niveau_nom, m.mur_nom))
      return true;
    return s.niveau_error(
        n, Format::asprintf("le mur %a n'est pas disjoint du mur %a:@ les murs se superposent sur une aire de %a "
                            "mais l'aire de chevauchement maximale tolérée est %a",
                            print_nom_entity, m.mur_nom, print_nom_entity, autre.mur_nom, print_area, aire,
                            print_area, maximum),
        {m.mur_nom, autre.mur_nom});
  });
}

template <class C>
bool niveau_tremie_inter_mur_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                                   const Compute_data_types::mur& m) {
  return for_all(tremies_of(n), [&](const Compute_data_types::tremie& t) {
    if (!Compute_data_utils::mur_intersect_tremie(m, t)) return true;
    return s.niveau_error(
        n, Format::asprintf("une partie du mur %a se trouve dans la trémie %a,@ ce qui est incorrect car la partie haute "
                            "correspondante du mur %a n'est rattachée à aucun support physique du bâtiment",
                            print_nom_entity, m.mur_nom, print_nom_entity, t.tremie_nom, print_nom_entity,
                            m.mur_nom),
        {m.mur_nom, t.tremie_nom});
  });
}

template <class C>
bool niveau_retrait_inter_mur_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                                    const Compute_data_types::mur& m) {
  return Compute_data_utils::niveau_for_all_retrait(
      [&](const Compute_data_types::retrait& r) {
        if (!Compute_data_utils::mur_intersect_retrait(m, r)) return true;
        return s.niveau_error(
            n, Format::asprintf("une partie du mur %a se trouve dans le retrait %a,@ ce qui est incorrect car la partie "
                                "haute correspondante du mur %a n'est rattachée à aucun support physique du bâtiment",
                                print_nom_entity, m.mur_nom, print_nom_entity, r.retrait_nom, print_nom_entity,
                                m.mur_nom),
            {m.mur_nom, r.retrait_nom});
      },
      n);
}

std::vector<Compute_pervasives_types::rectangle> murs_rectangles(const Compute_data_types::murs& murs) {
  std::vector<Compute_pervasives_types::rectangle> rectangles;
  rectangles.reserve(murs.size());
  for (const auto& m : murs) rectangles.push_back(m->mur_rectangle);
  return rectangles;
}

template <class C>
bool niveau_murs_checks(Check::session& s, const batiment& b, const Compute_data_types::niveau<C>& n) {
  // Each pass keeps its own tables only while it runs.
  const bool premiere_passe = [&] {
    const categories_calculees calcules(n);
    return Compute_data_utils::niveau_for_all_mur(
        [&](const Compute_data_types::mur& m) { return niveau_mur_checks(s, b, n, calcules, m); }, n);
  }();
  if (!premiere_passe) return false;
  const Compute_pervasives::voisinage voisinage(murs_rectangles(n.niveau_murs));
  std::vector<std::size_t> voisins;
  for (std::size_t i = 0; i < n.niveau_murs.size(); ++i) {
    const Compute_data_types::mur& m = *n.niveau_murs[i];
    voisinage.voisins_de(i, voisins);
    if (!(niveau_mur_no_superposition_check(s, n, m, voisins) && niveau_tremie_inter_mur_check(s, n, m) &&
          niveau_retrait_inter_mur_check(s, n, m)))
      return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Columns.

template <class C>
bool niveau_poteaux_checks(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const bool un_a_un = Compute_data_utils::niveau_for_all_poteau(
      [&](const Compute_data_types::poteau& p) {
        if (!entity_nom_check(s, n, entity_kind::Poteau, p.poteau_nom, true)) return false;
        if (Compute_data_utils::poteau_dans_plan(p, n.niveau_plan)) return true;
        return s.niveau_error(n, Format::asprintf("le poteau %a n'est pas géométriquement inclus dans le bâtiment",
                                                       print_nom_entity, p.poteau_nom),
                              {p.poteau_nom});
      },
      n);
  if (!un_a_un) return false;
  return Compute_data_utils::niveau_for_all_poteau_pair(
      [&](const Compute_data_types::poteau& p1, const Compute_data_types::poteau& p2) {
        if (!Compute_data_utils::poteau_dans_poteau(p1, p2)) return true;
        return s.niveau_error(n, Format::asprintf("le poteau %a et le poteau %a ne sont pas disjoints",
                                                       print_nom_entity, p1.poteau_nom, print_nom_entity,
                                                       p2.poteau_nom),
                              {p1.poteau_nom, p2.poteau_nom});
      },
      n);
}

// ---------------------------------------------------------------------------
// Beams.

template <class C>
bool niveau_poutre_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                         const Compute_data_types::poutre& p) {
  if (!entity_nom_check(s, n, entity_kind::Poutre, p.poutre_nom, true)) return false;
  // The minimum sizes are compared within the family's tolerance, unlike the
  // model's own validity predicates.
  const double longueur = Compute_data_utils::poutre_length(p);
  if (!mesure(s, almost_greater_equal(longueur, Compute_data_utils::poutre_longueur_min), "longueur de la poutre",
              longueur, Compute_data_utils::poutre_longueur_min, comparison::at_least, tolerance::fine, "m",
              n.niveau_nom, p.poutre_nom))
    return s.niveau_error(
        n, Format::asprintf("la poutre %a n'est pas valide:@ sa longueur est trop faible", print_nom_entity, p.poutre_nom),
        {p.poutre_nom});
  const std::array<coin, 2> bouts{coin{"origine", p.poutre_segment.s_position},
                                  coin{"extrémité", p.poutre_segment.s_vertex}};
  // Both ends in the building, and the beam does not cross a notch of the
  // plan between them.
  const std::string hors = point_hors_batiment(bouts, n.niveau_plan);
  if (hors.empty() && Compute_data_utils::poutre_dans_plan(p, n.niveau_plan)) return true;
  return s.niveau_error(n, Format::asprintf("la poutre %a n'est pas géométriquement incluse dans le bâtiment%s",
                                                 print_nom_entity, p.poutre_nom, hors),
                        {p.poutre_nom});
}

template <class C>
bool niveau_poutres_checks(Check::session& s, const Compute_data_types::niveau<C>& n) {
  if (!Compute_data_utils::niveau_for_all_poutre(
          [&](const Compute_data_types::poutre& p) { return niveau_poutre_check(s, n, p); }, n))
    return false;
  return Compute_data_utils::niveau_for_all_poutre_pair(
      [&](const Compute_data_types::poutre& p1, const Compute_data_types::poutre& p2) {
        if (!Compute_data_utils::poutre_intersect_poutre(p1, p2)) return true;
        return s.niveau_error(n, Format::asprintf("la poutre %a et la poutre %a ne sont pas disjointes",
                                                       print_nom_entity, p1.poutre_nom, print_nom_entity,
                                                       p2.poutre_nom),
                              {p1.poutre_nom, p2.poutre_nom});
      },
      n);
}

// ---------------------------------------------------------------------------
// Floor openings.

template <class C>
bool niveau_tremie_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                         const Compute_data_types::tremie& t) {
  if (!entity_nom_check(s, n, entity_kind::Tremie, t.tremie_nom, true)) return false;
  const double surface = Compute_data_utils::tremie_surface(t);
  if (!mesure(s, almost_greater_equal(surface, Compute_data_utils::tremie_surface_min), "surface de la trémie", surface,
              Compute_data_utils::tremie_surface_min, comparison::at_least, tolerance::fine, "m2", n.niveau_nom,
              t.tremie_nom))
    return s.niveau_error(
        n, Format::asprintf("la trémie %a n'est pas valide:@ sa surface est trop faible", print_nom_entity, t.tremie_nom),
        {t.tremie_nom});
  if (Compute_data_utils::tremie_dans_plan(t, n.niveau_plan)) return true;
  return s.niveau_error(n, Format::asprintf("la trémie %a n'est pas géométriquement incluse dans le bâtiment",
                                                 print_nom_entity, t.tremie_nom),
                        {t.tremie_nom});
}

template <class C>
bool niveau_tremies_checks(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const auto& tremies = tremies_of(n);
  if (!for_all(tremies, [&](const Compute_data_types::tremie& t) { return niveau_tremie_check(s, n, t); }))
    return false;
  return Compute_data_utils::for_all_pair_rs(
      [&](const Compute_data_types::tremie& t1, const Compute_data_types::tremie& t2) {
        if (!Compute_data_utils::tremie_intersect_tremie(t1, t2)) return true;
        return s.niveau_error(n, Format::asprintf("la trémie %a et la trémie %a ne sont pas disjointes",
                                                       print_nom_entity, t1.tremie_nom, print_nom_entity,
                                                       t2.tremie_nom),
                              {t1.tremie_nom, t2.tremie_nom});
      },
      tremies);
}

// ---------------------------------------------------------------------------
// Balconies.

// The facade edge a rectangle rests on: along X first, then along Y.
std::optional<Compute_data_utils::edge_contact> contact_facade(const Compute_data_types::rectangle& r,
                                                               const Compute_data_types::plan& plan) {
  if (auto x = Compute_data_utils::edges_find_edge_contact_contour_x(r.edges, plan.plan_contour_x)) return x;
  return Compute_data_utils::edges_find_edge_contact_contour_y(r.edges, plan.plan_contour_y);
}

template <class C>
bool niveau_balcon_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                         const Compute_data_types::balcon& b) {
  if (!entity_nom_check(s, n, entity_kind::Balcon, b.balcon_nom, true)) return false;
  const double surface = Compute_data_utils::balcon_surface(b);
  if (!mesure(s, almost_greater_equal(surface, Compute_data_utils::balcon_surface_min), "surface du balcon", surface,
              Compute_data_utils::balcon_surface_min, comparison::at_least, tolerance::fine, "m2", n.niveau_nom,
              b.balcon_nom))
    return s.niveau_error(
        n, Format::asprintf("le balcon %a n'est pas valide:@ sa surface est trop faible", print_nom_entity, b.balcon_nom),
        {b.balcon_nom});
  if (Compute_data_utils::rectangle_dans_plan(b.balcon_rectangle, n.niveau_plan))
    return s.niveau_error(
        n, Format::asprintf("le balcon %a n'est pas géométriquement situé à l'extérieur du bâtiment", print_nom_entity,
                            b.balcon_nom),
        {b.balcon_nom});
  const auto contact = contact_facade(b.balcon_rectangle, n.niveau_plan);
  if (!contact)
    return s.fatal_niveau_error(
        n, Format::asprintf("le balcon %a n'est pas géométriquement basé sur la facade du bâtiment", print_nom_entity,
                            b.balcon_nom));
  const auto cote = contact->first;
  const bool nord_sud =
      cote == Compute_data_types::cardinal_point::North || cote == Compute_data_types::cardinal_point::South;
  const double profondeur = nord_sud ? b.balcon_rectangle.height : b.balcon_rectangle.width;
  const double maximum = Tqmv::balcon_profondeur_max;
  if (mesure(s, almost_less_equal(profondeur, maximum), "profondeur du balcon", profondeur, maximum,
             comparison::at_most, tolerance::fine, "m", n.niveau_nom, b.balcon_nom))
    return true;
  return s.niveau_error(
      n, Format::asprintf("le balcon %a a une profondeur de %a, ce qui est supérieur à la limite autorisé de %a",
                          print_nom_entity, b.balcon_nom, print_distance, profondeur, print_distance, maximum),
      {b.balcon_nom});
}

template <class C>
bool niveau_balcons_checks(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const auto& balcons = balcons_of(n);
  if (!for_all(balcons, [&](const Compute_data_types::balcon& b) { return niveau_balcon_check(s, n, b); }))
    return false;
  return Compute_data_utils::for_all_pair_rs(
      [&](const Compute_data_types::balcon& b1, const Compute_data_types::balcon& b2) {
        if (!Compute_data_utils::balcon_intersect_balcon(b1, b2)) return true;
        return s.niveau_error(n, Format::asprintf("le balcon %a et le balcon %a ne sont pas disjoints",
                                                       print_nom_entity, b1.balcon_nom, print_nom_entity,
                                                       b2.balcon_nom),
                              {b1.balcon_nom, b2.balcon_nom});
      },
      balcons);
}

// ---------------------------------------------------------------------------
// Set-backs.

template <class C>
bool niveau_retrait_check(Check::session& s, const Compute_data_types::niveau<C>& n,
                          const Compute_data_types::retrait& r) {
  if (!entity_nom_check(s, n, entity_kind::Retrait, r.retrait_nom, true)) return false;
  const double surface = Compute_data_utils::retrait_surface(r);
  if (!mesure(s, almost_greater_equal(surface, Compute_data_utils::retrait_surface_min), "surface du retrait", surface,
              Compute_data_utils::retrait_surface_min, comparison::at_least, tolerance::fine, "m2", n.niveau_nom,
              r.retrait_nom))
    return s.niveau_error(n, Format::asprintf("le retrait %a n'est pas valide:@ sa surface est trop faible",
                                                   print_nom_entity, r.retrait_nom),
                          {r.retrait_nom});
  if (!contact_facade(r.retrait_rectangle, n.niveau_plan))
    return s.niveau_error(
        n, Format::asprintf("le retrait %a n'est pas géométriquement basé sur la facade du bâtiment", print_nom_entity,
                            r.retrait_nom),
        {r.retrait_nom});
  if (!Compute_data_utils::retrait_dans_plan(r, n.niveau_plan))
    return s.niveau_error(
        n, Format::asprintf("le retrait %a n'est pas géométriquement situé à l'intérieur du bâtiment", print_nom_entity,
                            r.retrait_nom),
        {r.retrait_nom});
  if (contact_facade(r.retrait_rectangle, n.niveau_plan)) return true;
  return s.niveau_error(n, Format::asprintf("le retrait %a n'est pas basé sur la facade du bâtiment",
                                                 print_nom_entity, r.retrait_nom),
                        {r.retrait_nom});
}

template <class C>
bool niveau_retraits_checks(Check::session& s, const Compute_data_types::niveau<C>& n) {
  if (!Compute_data_utils::niveau_for_all_retrait(
          [&](const Compute_data_types::retrait& r) { return niveau_retrait_check(s, n, r); }, n))
    return false;
  const bool disjoints = Compute_data_utils::for_all_pair_rs(
      [&](const Compute_data_types::retrait_ref& r1, const Compute_data_types::retrait_ref& r2) {
        if (!Compute_data_utils::retrait_intersect_retrait(*r1, *r2)) return true;
        return s.niveau_error(n, Format::asprintf("le retrait %a et le retrait %a ne sont pas disjoints",
                                                       print_nom_entity, r1->retrait_nom, print_nom_entity,
                                                       r2->retrait_nom),
                              {r1->retrait_nom, r2->retrait_nom});
      },
      Compute_data_utils::niveau_retraits(n));
  if (!disjoints) return false;
  return Compute_data_utils::niveau_for_all_retrait(
      [&](const Compute_data_types::retrait& r) {
        return for_all(tremies_of(n), [&](const Compute_data_types::tremie& t) {
          if (!Compute_data_utils::retrait_intersect_tremie(r, t)) return true;
          return s.niveau_error(n, Format::asprintf("le retrait %a et la trémie %a ne sont pas disjoints",
                                                         print_nom_entity, r.retrait_nom, print_nom_entity,
                                                         t.tremie_nom),
                                {r.retrait_nom, t.tremie_nom});
        });
      },
      n);
}

// ---------------------------------------------------------------------------
// Levels and plans.

template <class C>
bool niveau_unique_nom(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const std::string suffix = batiment_entity_suffix(entity_kind::Etage, n.niveau_etage);
  if (!ends_with(n.niveau_nom, suffix))
    return s.niveau_error(
        n, Format::asprintf("le nom %s %s n'est pas valide. car il ne se termine pas par le numéro de son %s, %s",
                            batiment_entity_of_the(entity_kind::Niveau) + batiment_entity_name(entity_kind::Niveau),
                            n.niveau_nom, batiment_entity_name(entity_kind::Etage), suffix));
  if (const auto etage = s.nom_tables().find(entity_kind::Niveau, n.niveau_nom))
    return s.niveau_error(
        n, Format::asprintf("le niveau %a n'a pas un nom unique:@ un niveau de même nom apparaît à l'étage %a",
                            print_niveau_nom, n.niveau_nom, print_nom_entity, *etage));
  s.nom_tables().add(entity_kind::Niveau, n.niveau_nom, std::to_string(n.niveau_etage));
  return true;
}

template <class C>
bool niveau_plan_enveloppe_check(Check::session& s, const batiment& b, const Compute_data_types::niveau<C>& n) {
  const Compute_data_types::rectangle& r = Compute_data_utils::plan_base_rectangle(n.niveau_plan);
  if (!mesure(s, almost_equal(r.width, b.batiment_longueur), "longueur de l'enveloppe rectangulaire", r.width,
              b.batiment_longueur, comparison::equal, tolerance::fine, "m", n.niveau_nom))
    return s.batiment_error(
        Format::asprintf("l'enveloppe rectangulaire est incorrecte:@ sa longueur est %a, mais ce devrait être %a, la "
                         "longueur du bâtiment (aussi appelée dimension Lmax)",
                         print_distance, r.width, print_distance, b.batiment_longueur));
  if (!mesure(s, almost_equal(r.height, b.batiment_largeur), "largeur de l'enveloppe rectangulaire", r.height,
              b.batiment_largeur, comparison::equal, tolerance::fine, "m", n.niveau_nom))
    return s.batiment_error(
        Format::asprintf("l'enveloppe rectangulaire est incorrecte:@ sa largeur est %a, mais ce devrait être %a, la "
                         "largeur du bâtiment (aussi appelée dimension Lmin)",
                         print_distance, r.height, print_distance, b.batiment_largeur));
  return true;
}

// A plan stands on a rectangle at the ground floor only, and otherwise on
// a plan of a lower storey.
template <class C>
bool niveau_plan_heritage(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const Compute_data_types::plan& p = n.niveau_plan;
  if (std::holds_alternative<Compute_data_types::Base_rectangle>(p.plan_base)) {
    if (p.plan_etage == 0) return true;
    return s.niveau_error(
        n, Format::asprintf("le plan %a possède une base rectangulaire,@ ce qui est réservé au rez-de-chaussée (étage 0)",
                            print_nom_entity, p.plan_nom));
  }
  const Compute_data_types::plan& base = std::get<Compute_data_types::Base_plan>(p.plan_base).inner();
  if (base.plan_etage < p.plan_etage) return true;
  if (base.plan_etage == p.plan_etage)
    return s.niveau_error(
        n, Format::asprintf("le plan %a n'est pas fondé car il hérite de lui-même", print_nom_entity, p.plan_nom));
  return s.niveau_error(
      n, Format::asprintf("le plan %a n'est pas fondé:@;<1 2>il hérite du plan d'un étage supérieur, le plan %a situé à "
                          "l'étage %d)",
                          print_nom_entity, p.plan_nom, print_nom_entity, base.plan_nom, base.plan_etage));
}

template <class C>
bool niveau_plan(Check::session& s, const batiment& b, const Compute_data_types::niveau<C>& n) {
  return entity_nom_check(s, n, entity_kind::Plan, n.niveau_plan.plan_nom, false) &&
         niveau_plan_enveloppe_check(s, b, n) && niveau_plan_heritage(s, n);
}

template <class C>
bool niveau_nombre_contreventements(Check::session& s, const Compute_data_types::niveau<C>& n) {
  const bool en_x = mesure(s, n.n_cvts_x >= 1, "nombre de murs de contreventement dans la direction X", n.n_cvts_x, 1,
                           comparison::at_least, tolerance::none, "", n.niveau_nom);
  const bool en_y = mesure(s, n.n_cvts_y >= 1, "nombre de murs de contreventement dans la direction Y", n.n_cvts_y, 1,
                           comparison::at_least, tolerance::none, "", n.niveau_nom);
  if (en_x && en_y) return true;
  const Compute_data_types::direction d =
      n.n_cvts_x == 0 ? Compute_data_types::direction::X : Compute_data_types::direction::Y;
  return s.niveau_error(n, Format::asprintf("il n'y a pas de murs de contreventement dans la direction %a",
                                                 print_direction, d));
}

// ---------------------------------------------------------------------------
// Height of the building from its levels.

double batiment_hauteur_calculee(const batiment& b) {
  double h = 0.0;
  for (const auto& n : b.batiment_niveau_planchers) h = h + (n.niveau_categorie.plancher_epaisseur + n.niveau_hauteur);
  const auto& toit = b.batiment_niveau_toit;
  return h + toit.niveau_hauteur + toit.niveau_categorie.toiture_hauteur;
}

}  // namespace

// ---------------------------------------------------------------------------
// Name tables.

std::string batiment_entity_name(entity_kind k) {
  switch (k) {
    case entity_kind::Niveau: return "niveau";
    case entity_kind::Plan: return "plan";
    case entity_kind::Mur: return "mur";
    case entity_kind::Poteau: return "poteau";
    case entity_kind::Poutre: return "poutre";
    case entity_kind::Tremie: return "trémie";
    case entity_kind::Balcon: return "balcon";
    case entity_kind::Retrait: return "retrait";
    case entity_kind::Etage: return "étage";
  }
  return "";
}

std::string batiment_entity_of_the(entity_kind k) {
  switch (k) {
    case entity_kind::Poutre:
    case entity_kind::Tremie: return "de la ";
    case entity_kind::Etage: return "de l'";
    default: return "du ";
  }
}

std::string_view batiment_entity_suffix_format(entity_kind container) {
  if (container == entity_kind::Niveau) return "n%d";
  if (container == entity_kind::Etage) return "%d";
  Quavor_configuration::fatal_error(
      Format::sprintf("batiment_entity_suffix_format: unexpected batiment entity %s", batiment_entity_name(container)));
}

std::string batiment_entity_suffix(entity_kind container, int etage) {
  // Every name of a large house is checked against its suffix: std::to_chars
  // prints an int exactly as "%d" does, without a printer.
  std::array<char, 16> digits{};
  char* const fin = std::to_chars(digits.begin(), digits.end(), etage).ptr;
  std::string suffix(batiment_entity_suffix_format(container) == "n%d" ? "n" : "");
  suffix.append(digits.data(), fin);
  return suffix;
}

// ---------------------------------------------------------------------------
// CR-0-11

bool batiment_report_file_name_writable_check(Check::session& s, const batiment& b) {
  const std::string nom = b.batiment_report_file_name;
  const critere c = critere::CR_0_11;
  if (Report_file_probe::writable(nom))
    return s.batiment_logger()(c, [nom](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "Le rapport de conformité au guide du bâtiment peut être enregistré:@,le droit d'écriture du "
                      "fichier@;<1 2>%s@,est accordé par le système.",
                      nom);
    });
  const auto note = [&s, &b](Format::Printer& ppf) {
    if (s.get_compute_run_mode_opt() != Quavor_configuration::run_mode::Compute_qvr_from_qvb) return;
    Format::fprintf(ppf,
                    "@,Note: quavor a été appelé avec l'option@;<1 2>-r \"%s\"@,le rapport aurait donc dû être écrit "
                    "dans le fichier@;<1 2>%s@,mais cette adresse ne correspond pas à l'adresse interne du "
                    "bâtiment:@;<1 2>%s@,",
                    s.get_report_source_file_name(), s.get_report_target_file_name(), b.batiment_report_file_name);
  };
  return s.fatal_batiment_error(Format::asprintf(
      "le rapport de conformité au guide du bâtiment ne peut pas être enregistré:@,@[<v 0>le droit d'écriture du "
      "fichier@;<1 2>%s@,n'est pas accordé par le système.@,@,Pour remédier à ce problème, vous devez intervenir:@;<1 "
      "2>- soit sauver le fichier du bâtiment dans un répertoire@,où l'écriture est autorisée,@;<1 2>- soit accorder le "
      "droit d'écriture au fichier du rappport@,%t@]",
      nom, note));
}

bool batiment_internal_file_name_check(Check::session& s, const batiment& b) {
  if (!s.get_report_target_file_name_opt()) s.set_report_target_file_name(b.batiment_report_file_name);
  const std::string& fichier = b.batiment_file_name;
  // "-" (the standard streams) names its report "-" as well.
  const std::string attendu = fichier == "-" ? fichier
                                             : Quavor_configuration::remove_extension(fichier) +
                                                   Quavor_configuration::report_target_file_extension();
  const std::string rapport = s.get_report_target_file_name();
  // One file however its name is spelt: "./x.qvr", "x.qvr", "/abs/x.qvr".
  if (Path::normalize(attendu) == Path::normalize(rapport))
    return s.batiment_logger()(critere::CR_0_11, [fichier, rapport](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "le nom du fichier enregistré dans les données du bâtiment est correct:@;<1 2>%s@ correspond au "
                      "fichier du rapport en cours:@;<1 2>%s",
                      fichier, rapport);
    });
  return s.batiment_error(Format::asprintf(
      "le nom du fichier enregistré dans les données du bâtiment est incorrect:@;<1 2>%s@ ne correspond pas au fichier "
      "du rapport en cours:@;<1 2>%s",
      fichier, rapport));
}

bool batiment_file_name_checkings(Check::session& s, critere, const batiment& b) {
  return batiment_report_file_name_writable_check(s, b) && batiment_internal_file_name_check(s, b);
}

// ---------------------------------------------------------------------------
// CR-0-12

bool batiment_type_check(Check::session& s, critere c, const batiment& b) {
  const auto type = b.batiment_type;
  const int attendu = type == Quavor_data_types::batiment_type::R0 ? 0 : 1;
  const int nombre = b.batiment_nombre_etages;
  const auto print_type = [](Format::Printer& ppf, const Quavor_data_types::batiment_type& t) {
    ppf.print_string(Quavor_data_types::name_of(t));
  };
  if (mesure(s, nombre == attendu, "nombre d'étages", nombre, attendu, comparison::equal, tolerance::none, ""))
    return s.batiment_logger()(c, [print_type, type, nombre](Format::Printer& ppf) {
      Format::fprintf(ppf, "le type du bâtiment %a est correct:@,en effet, le bâtiment comporte %d étages", print_type,
                      type, nombre);
    });
  return s.batiment_error(Format::asprintf(
      "le type du bâtiment %a est erroné@ car le nombre d'étages du bâtiment est %d et ce devrait être %d pour ce type "
      "de bâtiment",
      print_type, type, nombre, attendu));
}

// ---------------------------------------------------------------------------
// CR-0-0

bool batiment_lmin_lmax_check(Check::session& s, critere c, const batiment& b) {
  const double lmax = b.batiment_longueur;
  const double lmin = b.batiment_largeur;
  if (mesure(s, almost_greater_equal(lmax, lmin), "longueur Lmax", lmax, lmin, comparison::at_least, tolerance::fine,
             "m"))
    return s.critere_logger(c, [lmax, lmin](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "les dimensions horizontales du bâtiment sont correctes:@;<1 2>la longueur Lmax est %a, la "
                      "largeur Lmin est %a, et donc Lmax >= Lmin",
                      print_distance, lmax, print_distance, lmin);
    });
  return s.batiment_error(
      Format::asprintf("les dimensions horizontales du bâtiment sont erronées:@;<1 2>la longueur Lmax est %a, la largeur "
                       "Lmin est %a, mais on a Lmax < Lmin",
                       print_distance, lmax, print_distance, lmin));
}

bool batiment_hauteur_consistency_check(Check::session& s, critere c, const batiment& b) {
  const double declaree = b.batiment_hauteur;
  const double calculee = batiment_hauteur_calculee(b);
  if (mesure(s, almost_equal(declaree, calculee), "hauteur déclarée du bâtiment", declaree, calculee, comparison::equal,
             tolerance::fine, "m"))
    return s.critere_logger(c, [declaree](Format::Printer& ppf) {
      Format::fprintf(ppf, "la hauteur déclarée du bâtiment est correcte:@;<1 2>%a est bien la hauteur calculée",
                      print_distance, declaree);
    });
  return s.batiment_error(
      Format::asprintf("la hauteur déclarée est incorrecte:@;<1 2>elle vaut %a, mais la hauteur calculée est %a",
                       print_distance, declaree, print_distance, calculee));
}

bool batiment_dimension_checkings(Check::session& s, const batiment& b) {
  return s.make(critere::CR_0_0_0, batiment_lmin_lmax_check, b) &&
         s.make(critere::CR_0_0_1, batiment_hauteur_consistency_check, b);
}

// ---------------------------------------------------------------------------
// CR-0-10

bool batiment_pente_de_sol_valid(Check::session& s, critere c, const batiment& b) {
  const double p = b.batiment_implantation.implantation_pente;
  const double maximum = Tqmv::pente_max;
  if (!mesure(s, Quavor_pervasives::valid_percentage_factor(p), "pente de sol", p, 0.0, comparison::range,
              tolerance::fine, "", std::nullopt, std::nullopt, 1.0))
    return s.batiment_error(
        Format::asprintf("la pente de sol où est implanté le bâtiment est une donnée invalide:@ elle vaut %a, mais cette "
                         "pente devrait être comprise entre 0.0 et 1.0",
                         print_percentage, p));
  if (mesure(s, p < maximum, "pente de sol", p, maximum, comparison::at_most, tolerance::none, ""))
    return s.critere_logger(c, [p, maximum](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la pente de sol %a où est implanté le bâtiment est valide:@ elle est inférieure à la pente "
                      "maximale autorisée %a",
                      print_percentage, p, print_percentage, maximum);
    });
  return s.batiment_error(
      Format::asprintf("la pente de sol où est implanté le bâtiment est invalide:@ elle vaut %a, mais la pente maximale "
                       "autorisée est %a",
                       print_percentage, p, print_percentage, maximum));
}

bool batiment_pente_de_sol_add_justification(Check::session& s, critere c, const batiment& b) {
  const double p = b.batiment_implantation.implantation_pente;
  const bool justification = b.batiment_implantation.implantation_pente_needs_justification;
  const double limite = Tqmv::pente_etude_specialisee;
  const bool au_dela = !mesure(s, !(p > limite), "pente de sol sans justification", p, limite, comparison::at_most,
                               tolerance::none, "");
  const bool sous_maximum =
      mesure(s, p < Tqmv::pente_max, "pente de sol", p, Tqmv::pente_max, comparison::at_most, tolerance::none, "");
  if (justification != au_dela || !sous_maximum)
    return s.batiment_error(
        Format::asprintf("la pente de sol où est implanté le bâtiment et la nécessité de vérification de cette pente sont "
                         "incohérentes:@ la pente vaut %a, pourtant la nécessité de vérification est %a",
                         print_percentage, p, print_bool, justification));
  if (!au_dela)
    return s.critere_logger(c, [p, limite](Format::Printer& ppf) {
      Format::fprintf(ppf,
                      "la pente de sol %a où est implanté le bâtiment est acceptable.@ En effet, elle est inférieure à "
                      "%a, et ne nécessite donc pas de justification par un cabinet d'études spécialisé.",
                      print_percentage, p, print_percentage, limite);
    });
  return s.critere_logger(c, [p, limite](Format::Printer& ppf) {
    Format::fprintf(ppf,
                    "ATTENTION:@ LA PENTE DE SOL NÉCESSITE UNE JUSTIFICATION PAR UN CABINET D'ÉTUDES SPÉCIALISÉ.@ En "
                    "effet, la pente de sol %a où est implanté le bâtiment est supérieure à %a, pente limite sans "
                    "justification du guide TQMV.",
                    print_percentage, p, print_percentage, limite);
  });
}

bool batiment_pente_de_sol_checkings(Check::session& s, const batiment& b) {
  return s.make(critere::CR_0_10_0, batiment_pente_de_sol_valid, b) &&
         s.make(critere::CR_0_10_1, batiment_pente_de_sol_add_justification, b);
}

// ---------------------------------------------------------------------------
// CR-0-1, CR-0-9, CR-0-2

bool niveau_unique_nom_check(Check::session& s, const niveau_plancher& n) { return niveau_unique_nom(s, n); }
bool niveau_unique_nom_check(Check::session& s, const niveau_toit& n) { return niveau_unique_nom(s, n); }

bool batiment_niveaux_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_unique_nom_check(s, n); });
}

bool niveau_plan_heritage_check(Check::session& s, const niveau_plancher& n) { return niveau_plan_heritage(s, n); }
bool niveau_plan_heritage_check(Check::session& s, const niveau_toit& n) { return niveau_plan_heritage(s, n); }
bool niveau_plan_checks(Check::session& s, const batiment& b, const niveau_plancher& n) { return niveau_plan(s, b, n); }
bool niveau_plan_checks(Check::session& s, const batiment& b, const niveau_toit& n) { return niveau_plan(s, b, n); }

bool batiment_plans_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s, &b](const auto& n) { return niveau_plan_checks(s, b, n); });
}

bool niveau_nombre_contreventements_check(Check::session& s, const niveau_plancher& n) { return niveau_nombre_contreventements(s, n); }
bool niveau_nombre_contreventements_check(Check::session& s, const niveau_toit& n) { return niveau_nombre_contreventements(s, n); }

bool batiment_nombre_contreventements_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_nombre_contreventements_check(s, n); });
}

// ---------------------------------------------------------------------------
// CR-0-3 to CR-0-8

bool niveau_mur_all_checks(Check::session& s, const batiment& b, const niveau_plancher& n) { return niveau_murs_checks(s, b, n); }
bool niveau_mur_all_checks(Check::session& s, const batiment& b, const niveau_toit& n) { return niveau_murs_checks(s, b, n); }

bool batiment_murs_checkings(Check::session& s, const batiment& b) {
  if (!std::holds_alternative<Quavor_data_types::Maconnerie>(b.batiment_materiau_categorie))
    Quavor_configuration::fatal_error("Les bâtiments en bois ou béton ne sont pas encore traités");
  return for_all_niveaux(b, [&s, &b](const auto& n) { return niveau_mur_all_checks(s, b, n); });
}

bool batiment_poteaux_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_poteaux_checks(s, n); });
}

bool batiment_poutres_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_poutres_checks(s, n); });
}

bool batiment_tremies_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_tremies_checks(s, n); });
}

bool batiment_balcons_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_balcons_checks(s, n); });
}

bool batiment_retraits_checkings(Check::session& s, const batiment& b) {
  return for_all_niveaux(b, [&s](const auto& n) { return niveau_retraits_checks(s, n); });
}

// ---------------------------------------------------------------------------
// The family.

namespace {

// One criterion of the family: entered through make (a test of the
// criterion) or through make_checkings (a test running sub-tests).

const Check::etape<batiment> etapes[] = {
    {critere::CR_0_11, "cohérence du nom de fichier du bâtiment", batiment_file_name_checkings, nullptr},
    {critere::CR_0_12, "cohérence du type du bâtiment", batiment_type_check, nullptr},
    {critere::CR_0_0, "cohérence des dimensions du bâtiment", nullptr, batiment_dimension_checkings},
    {critere::CR_0_10, "cohérence de la pente de sol du bâtiment", nullptr, batiment_pente_de_sol_checkings},
    {critere::CR_0_1, "cohérence des niveaux", nullptr, batiment_niveaux_checkings},
    {critere::CR_0_9, "cohérence des plans", nullptr, batiment_plans_checkings},
    {critere::CR_0_2, "nombre minimal de murs de contreventement", nullptr,
     batiment_nombre_contreventements_checkings},
    {critere::CR_0_3, "cohérence des murs", nullptr, batiment_murs_checkings},
    {critere::CR_0_4, "cohérence des poteaux", nullptr, batiment_poteaux_checkings},
    {critere::CR_0_5, "cohérence des poutres", nullptr, batiment_poutres_checkings},
    {critere::CR_0_6, "cohérence des trémies", nullptr, batiment_tremies_checkings},
    {critere::CR_0_7, "cohérence des balcons", nullptr, batiment_balcons_checkings},
    {critere::CR_0_8, "cohérence des retraits", nullptr, batiment_retraits_checkings},
};


}  // namespace

bool batiment_consistency_checkings(Check::session& s, const batiment& b) {
  return Check::run_family(s, etapes, b);
}

}  // namespace Consistency_batiment
