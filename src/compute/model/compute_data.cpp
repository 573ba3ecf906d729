#include "model/compute_data.hpp"

#include <memory>

#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"

namespace Compute_data {

using Compute_data_types::direction;

// ---------------------------------------------------------------------------
// Elements.

Compute_data_types::mur_ref mur_compute(const Input_data_types::mur& m) {
  const Quavor_pervasives_types::solide& s = m.mur_solide;
  const bool en_x = m.mur_direction == direction::X;
  const double longueur = en_x ? s.s_lx : s.s_ly;
  const double epaisseur = en_x ? s.s_ly : s.s_lx;
  return std::make_shared<Compute_data_types::mur>(Compute_data_types::mur{
      m.mur_categorie,
      m.mur_direction,
      m.mur_numero,
      m.mur_genre,
      m.mur_nom,
      m.mur_sp,
      s.s_lz,
      Compute_pervasives::rectangle_compute_rectangle(s.s_lx, s.s_ly, m.mur_position),
      longueur * epaisseur,
      Compute_data_types::Info_unset{},
  });
}

Compute_data_types::poteau_ref poteau_compute(const Input_data_types::poteau& p) {
  return std::make_shared<Compute_data_types::poteau>(
      Compute_data_types::poteau{p.poteau_nom, p.poteau_position, Compute_data_types::Info_unset{}});
}

Compute_data_types::poutre_ref poutre_compute(const Input_data_types::poutre& p) {
  const Compute_pervasives_types::data_segment ds{p.poutre_position, p.poutre_direction, p.poutre_length};
  return std::make_shared<Compute_data_types::poutre>(
      Compute_data_types::poutre{Compute_pervasives::data_segment_compute_segment(ds), p.poutre_numero, p.poutre_nom,
                                 Compute_data_types::Info_unset{}});
}

Compute_data_types::tremie tremie_compute(const Input_data_types::tremie& t) {
  const Compute_data_types::rectangle r = Compute_pervasives::data_rectangle_compute_rectangle(t.tremie_rectangle);
  return Compute_data_types::tremie{r, t.tremie_nom, Quavor_pervasives::rectangle_centre_pondere(r)};
}

Compute_data_types::balcon balcon_compute(const Input_data_types::balcon& b) {
  const Compute_data_types::rectangle r = Compute_pervasives::data_rectangle_compute_rectangle(b.balcon_rectangle);
  return Compute_data_types::balcon{r, b.balcon_nom, Quavor_pervasives::rectangle_centre_pondere(r)};
}

Compute_data_types::retrait_ref retrait_compute(const Input_data_types::retrait& r) {
  const Compute_data_types::rectangle rect = Compute_pervasives::data_rectangle_compute_rectangle(r.retrait_rectangle);
  return std::make_shared<Compute_data_types::retrait>(
      Compute_data_types::retrait{rect, r.retrait_nom, rect.width * rect.height,
                                  Quavor_pervasives::rectangle_centre_gravite(rect), Compute_data_types::Info_unset{}});
}

// ---------------------------------------------------------------------------
// Plans.

Compute_data_types::base base_compute(const Input_data_types::plan_base& b) {
  if (const auto* r = std::get_if<Input_data_types::Base_rectangle>(&b))
    return Compute_data_types::Base_rectangle{Compute_pervasives::data_rectangle_compute_rectangle(r->value)};
  return Compute_data_types::Base_plan{
      std::make_shared<const Compute_data_types::plan>(plan_compute(std::get<Input_data_types::Base_plan>(b).inner()))};
}

namespace {

// (surface, centre) of a base: the rectangle's, or the inner plan's.
Compute_data_types::point_pondere base_centre_pondere(const Compute_data_types::base& b) {
  if (const auto* r = std::get_if<Compute_data_types::Base_rectangle>(&b))
    return Quavor_pervasives::rectangle_centre_pondere(r->value);
  return std::get<Compute_data_types::Base_plan>(b).inner().plan_centre;
}

// The base's surface: the rectangle's, or the inner plan's surface (its
// own base less its set-backs, down the chain).
double base_surface(const Compute_data_types::base& b) {
  if (const auto* r = std::get_if<Compute_data_types::Base_rectangle>(&b)) return r->value.width * r->value.height;
  return std::get<Compute_data_types::Base_plan>(b).inner().plan_surface;
}

// The base's centre with the set-backs removed, weighted by what remains.
Compute_data_types::point_pondere plan_centre_compute(const Compute_data_types::retraits& retraits,
                                                      const Compute_data_types::base& b) {
  const Compute_data_types::point_pondere base_centre = base_centre_pondere(b);
  if (retraits.empty()) return base_centre;
  const Compute_data_types::point_pondere retraits_centre = centre_pondere_f(
      [](const Compute_data_types::retrait_ref& r) {
        return Compute_data_types::point_pondere{r->retrait_surface, r->retrait_centre};
      },
      retraits);
  return Quavor_pervasives::barycentre_pondere({{-retraits_centre.first, retraits_centre.second}, base_centre});
}

}  // namespace

Compute_data_types::plan plan_compute(const Input_data_types::plan& p) {
  Compute_data_types::plan r{};
  r.plan_retraits = Detail::map_vector(retrait_compute, p.plan_retraits);
  r.plan_base = base_compute(p.plan_base);
  r.plan_etage = p.plan_etage;
  r.plan_nom = p.plan_nom;
  r.plan_centre = plan_centre_compute(r.plan_retraits, r.plan_base);
  const double surface_base = base_surface(r.plan_base);
  const double surface_retraits = Quavor_pervasives::sigma_f(
      [](const Compute_data_types::retrait_ref& s) { return s->retrait_surface; }, r.plan_retraits);
  r.plan_surface = surface_base - surface_retraits;
  r.plan_base_surface = surface_base;
  Compute_data_utils::plan_compute_contour(r);
  return r;
}

// ---------------------------------------------------------------------------
// Floors and roofs.

namespace {

std::optional<Compute_data_types::point_pondere> balcons_centre(const Compute_data_types::balcons& bs) {
  if (bs.empty()) return std::nullopt;
  return centre_pondere_f([](const Compute_data_types::balcon& b) { return b.balcon_centre; }, bs);
}

// The openings' centre, its weight negated: openings remove surface.
std::optional<Compute_data_types::point_pondere> tremies_centre(const Compute_data_types::tremies& ts) {
  if (ts.empty()) return std::nullopt;
  Compute_data_types::point_pondere c =
      centre_pondere_f([](const Compute_data_types::tremie& t) { return t.tremie_centre; }, ts);
  return Compute_data_types::point_pondere{-c.first, c.second};
}

double balcons_surface(const Compute_data_types::balcons& bs) {
  return Quavor_pervasives::sigma_f(Compute_data_utils::balcon_surface, bs);
}
double tremies_surface(const Compute_data_types::tremies& ts) {
  return Quavor_pervasives::sigma_f(Compute_data_utils::tremie_surface, ts);
}

}  // namespace

Compute_data_types::plancher niveau_plancher_compute(const Input_data_types::niveau_plancher& n) {
  return niveau_plancher_compute(n, plan_compute(n.niveau_plan));
}

Compute_data_types::plancher niveau_plancher_compute(const Input_data_types::niveau_plancher& n,
                                                     const Compute_data_types::plan& p) {
  const Input_data_types::plancher& f = n.niveau_categorie;
  Compute_data_types::plancher r{};
  r.plancher_categorie = f.plancher_categorie;
  r.plancher_epaisseur = f.plancher_epaisseur;
  r.plancher_balcons = Detail::map_vector(balcon_compute, f.plancher_balcons);
  r.plancher_tremies = Detail::map_vector(tremie_compute, f.plancher_tremies);
  r.plancher_charge_revetement = f.plancher_charge_revetement;
  r.plancher_charge_cloison = f.plancher_charge_cloison;
  r.plancher_plan = p;
  const double sb = balcons_surface(r.plancher_balcons);
  const double st = tremies_surface(r.plancher_tremies);
  Compute_data_types::point_ponderes centres =
      add_option(balcons_centre(r.plancher_balcons), add_option(tremies_centre(r.plancher_tremies), {p.plan_centre}));
  r.plancher_centre = Quavor_pervasives::barycentre_pondere(centres);
  r.plancher_surface = p.plan_surface + sb - st;
  r.plancher_diaphragme_surface = p.plan_surface + sb;
  return r;
}

Compute_data_types::toiture_lourde toiture_lourde_compute(const Input_data_types::toiture_lourde& t) {
  return Compute_data_types::toiture_lourde{t.toiture_lourde_categorie, t.toiture_lourde_epaisseur};
}

Compute_data_types::toiture_categorie toiture_categorie_compute(const Input_data_types::type_toiture& t) {
  if (const auto* lourde = std::get_if<Input_data_types::Toiture_lourde>(&t))
    return Compute_data_types::Toiture_lourde{toiture_lourde_compute(lourde->value)};
  return Compute_data_types::Toiture_legere{std::get<Input_data_types::Toiture_legere>(t).value};
}

double toiture_epaisseur_compute(const Input_data_types::type_toiture& t) {
  if (const auto* lourde = std::get_if<Input_data_types::Toiture_lourde>(&t))
    return lourde->value.toiture_lourde_epaisseur;
  return 0.0;
}

Compute_data_types::toiture toiture_compute(const Input_data_types::niveau_toit& n) {
  return toiture_compute(n, plan_compute(n.niveau_plan));
}

Compute_data_types::toiture toiture_compute(const Input_data_types::niveau_toit& n, const Compute_data_types::plan& p) {
  const Input_data_types::toiture& t = n.niveau_categorie;
  const auto* lourde = std::get_if<Input_data_types::Toiture_lourde>(&t.toiture_type);
  Compute_data_types::toiture r{};
  r.toiture_categorie = toiture_categorie_compute(t.toiture_type);
  r.toiture_epaisseur = toiture_epaisseur_compute(t.toiture_type);
  r.toiture_balcons = Detail::map_vector(balcon_compute, t.toiture_balcons);
  if (lourde) r.toiture_tremies = Detail::map_vector(tremie_compute, lourde->value.toiture_lourde_tremies);
  r.toiture_hauteur = t.toiture_hauteur;
  r.toiture_plan = p;
  Compute_data_types::point_ponderes centres =
      add_option(tremies_centre(r.toiture_tremies), add_option(balcons_centre(r.toiture_balcons), {p.plan_centre}));
  r.toiture_centre = Quavor_pervasives::barycentre_pondere(centres);
  r.toiture_surface = p.plan_surface;
  return r;
}

// ---------------------------------------------------------------------------
// Levels.

namespace Detail {

namespace {

template <class Pred>
Compute_data_types::murs filter(const Compute_data_types::murs& ms, Pred pred) {
  Compute_data_types::murs out;
  for (const Compute_data_types::mur_ref& m : ms)
    if (pred(*m)) out.push_back(m);
  return out;
}

// The x walls, then the y walls, each in their order.
Compute_data_types::murs x_first(const Compute_data_types::murs& ms) {
  Compute_data_types::murs out = filter(ms, Compute_data_utils::mur_x);
  Compute_data_types::murs ys = filter(ms, Compute_data_utils::mur_y);
  out.insert(out.end(), ys.begin(), ys.end());
  return out;
}

double longueurs(const Compute_data_types::murs& ms) {
  return Quavor_pervasives::sigma_f(
      [](const Compute_data_types::mur_ref& m) { return Compute_data_utils::mur_longueur(*m); }, ms);
}

double surfaces_au_sol(const Compute_data_types::murs& ms) {
  return Quavor_pervasives::sigma_f([](const Compute_data_types::mur_ref& m) { return m->mur_surface_au_sol; }, ms);
}

}  // namespace

murs_classification classify_murs(const Compute_data_types::murs& ms, const Compute_data_types::plan& p) {
  murs_classification c{};
  auto facade = [&](const Compute_data_types::mur& m) { return Compute_data_utils::mur_plan_facade_calcule(m, p); };
  auto refend = [&](const Compute_data_types::mur& m) { return Compute_data_utils::mur_plan_refend_calcule(m, p); };
  c.murs_refend_declares = filter(ms, Compute_data_utils::mur_refend_declare);
  c.murs_refend_calcules = x_first(filter(ms, refend));
  c.murs_facade_declares = filter(ms, Compute_data_utils::mur_facade_declare);
  c.murs_facade_calcules = x_first(filter(ms, facade));
  c.cvts = filter(ms, Compute_data_utils::contreventement);
  c.cvts_x = filter(ms, Compute_data_utils::contreventement_x);
  c.cvts_y = filter(ms, Compute_data_utils::contreventement_y);
  c.cvts_x_facade_declares = filter(c.cvts_x, Compute_data_utils::mur_facade_declare);
  c.cvts_y_facade_declares = filter(c.cvts_y, Compute_data_utils::mur_facade_declare);
  c.cvts_x_refend_declares = filter(c.cvts_x, Compute_data_utils::mur_refend_declare);
  c.cvts_y_refend_declares = filter(c.cvts_y, Compute_data_utils::mur_refend_declare);
  c.cvts_x_refend_calcules = filter(c.murs_refend_calcules, Compute_data_utils::contreventement_x);
  c.cvts_y_refend_calcules = filter(c.murs_refend_calcules, Compute_data_utils::contreventement_y);
  c.cvts_x_facade_calcules = filter(c.murs_facade_calcules, Compute_data_utils::contreventement_x);
  c.cvts_y_facade_calcules = filter(c.murs_facade_calcules, Compute_data_utils::contreventement_y);
  const Compute_data_types::point centre = p.plan_centre.second;
  auto facing = [&](Compute_data_types::cardinal_point side) {
    return [&centre, side](const Compute_data_types::mur& m) {
      return Compute_data_utils::contreventement_de_facade_oriente(side, centre, m);
    };
  };
  c.cvts_x_facade_north = filter(c.cvts_x_facade_calcules, facing(Compute_data_types::cardinal_point::North));
  c.cvts_x_facade_south = filter(c.cvts_x_facade_calcules, facing(Compute_data_types::cardinal_point::South));
  c.cvts_y_facade_east = filter(c.cvts_y_facade_calcules, facing(Compute_data_types::cardinal_point::East));
  c.cvts_y_facade_west = filter(c.cvts_y_facade_calcules, facing(Compute_data_types::cardinal_point::West));
  c.lt_cvts_x = longueurs(c.cvts_x);
  c.lt_cvts_y = longueurs(c.cvts_y);
  c.lt_cvts = c.lt_cvts_x + c.lt_cvts_y;
  c.lt_cvts_x_refend_calcules = longueurs(c.cvts_x_refend_calcules);
  c.lt_cvts_y_refend_calcules = longueurs(c.cvts_y_refend_calcules);
  c.lt_cvts_refend_calcules = c.lt_cvts_x_refend_calcules + c.lt_cvts_y_refend_calcules;
  c.st_cvts_x = surfaces_au_sol(c.cvts_x);
  c.st_cvts_y = surfaces_au_sol(c.cvts_y);
  c.n_cvts_x = static_cast<int>(c.cvts_x.size());
  c.n_cvts_y = static_cast<int>(c.cvts_y.size());
  return c;
}

}  // namespace Detail

Compute_data_types::niveau_plancher niveau_compute(const Input_data_types::niveau_plancher& n) {
  return niveau_compute<Compute_data_types::plancher>(
      [](const Input_data_types::niveau_plancher& in, const Compute_data_types::plan& p) {
        return niveau_plancher_compute(in, p);
      },
      n);
}

Compute_data_types::niveau_toit niveau_compute(const Input_data_types::niveau_toit& n) {
  return niveau_compute<Compute_data_types::toiture>(
      [](const Input_data_types::niveau_toit& in, const Compute_data_types::plan& p) { return toiture_compute(in, p); },
      n);
}

// ---------------------------------------------------------------------------
// The building.

Compute_data_types::batiment_implantation input_batiment_implantation_compute(
    const Input_data_types::batiment_implantation& i) {
  const double pente = i.implantation_pente / 100.0;
  // Strictly above 10 %, with no tolerance, as the consistency check of the
  // slope expects: 10 % needs no justification, 10.05 % does.
  return Compute_data_types::batiment_implantation{i.implantation_sol, pente, pente > 0.1};
}

Compute_data_types::sous_sol sous_sol_compute(const Input_data_types::sous_sol& s) {
  return Compute_data_types::Sous_sol{s.value};
}

Compute_data_types::sous_sol sous_sol_option_compute(const std::optional<Input_data_types::sous_sol>& s) {
  if (s) return sous_sol_compute(*s);
  return Compute_data_types::Soubassement{};
}

Compute_data_types::maconnerie maconnerie_compute(const Quavor_data_types::maconnerie& m) { return m; }

Compute_data_types::materiau_categorie materiau_categorie_compute(const Quavor_data_types::materiau_categorie& m) {
  if (const auto* mac = std::get_if<Quavor_data_types::Maconnerie>(&m))
    return Quavor_data_types::Maconnerie{maconnerie_compute(mac->value)};
  return m;
}

int nombre_etages_compute(const Input_data_types::batiment& b) {
  return static_cast<int>(b.batiment_niveau_planchers.size());
}

std::string report_file_name_compute(const std::string& file_name) {
  const Path::file_extension extension =
      Path::to_file_extension(Quavor_configuration::report_target_file_extension());
  if (file_name == "-") return file_name;
  return Quavor_configuration::remove_extension(file_name) + extension.text;
}

Compute_data_types::batiment input_batiment_pre_compute(const Input_data_types::batiment& b) {
  Compute_data_types::batiment r{};
  r.batiment_nombre_etages = nombre_etages_compute(b);
  r.batiment_report_file_name = report_file_name_compute(b.batiment_file_name);
  r.batiment_niveau_toit = niveau_compute(b.batiment_niveau_toit);
  r.batiment_niveau_planchers = Detail::map_vector(
      [](const Input_data_types::niveau_plancher& n) { return niveau_compute(n); }, b.batiment_niveau_planchers);
  r.batiment_sous_sol = sous_sol_option_compute(b.batiment_sous_sol);
  r.batiment_materiau_categorie = materiau_categorie_compute(b.batiment_materiau);
  r.batiment_implantation = input_batiment_implantation_compute(b.batiment_implantation);
  r.batiment_type = b.batiment_type;
  r.batiment_categorie = b.batiment_categorie;
  r.batiment_localisation = b.batiment_localisation;
  r.batiment_zone_de_sismicite = b.batiment_zone_de_sismicite;
  r.batiment_largeur = b.batiment_largeur;
  r.batiment_longueur = b.batiment_longueur;
  r.batiment_hauteur = b.batiment_hauteur;
  r.batiment_hauteur_max_par_niveau = b.batiment_hauteur_max_par_niveau;
  r.batiment_file_name = b.batiment_file_name;
  return r;
}

Compute_data_types::batiment input_batiment_compute(const Input_data_types::batiment& b) {
  return input_batiment_pre_compute(b);
}

Compute_data_types::batiment pre_compute_batiment_compute_infos(Compute_data_types::batiment b) { return b; }

Compute_data_types::input_data input_data_compute(const Input_data_types::input_data& d) {
  return Compute_data_types::input_data{input_batiment_pre_compute(d.batiment)};
}

}  // namespace Compute_data
