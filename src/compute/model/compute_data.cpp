#include "model/compute_data.hpp"

#include <memory>

#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "model/compute_data_utils.hpp"

namespace Compute_data {

namespace Cdt = Compute_data_types;
namespace Idt = Input_data_types;
namespace Cp = Compute_pervasives;
namespace Qp = Quavor_pervasives;
namespace Utils = Compute_data_utils;
using Cdt::direction;

// ---------------------------------------------------------------------------
// Elements.

Cdt::mur_ref mur_compute(const Idt::mur& m) {
  const Quavor_pervasives_types::solide& s = m.mur_solide;
  const bool en_x = m.mur_direction == direction::X;
  const double longueur = en_x ? s.s_lx : s.s_ly;
  const double epaisseur = en_x ? s.s_ly : s.s_lx;
  return std::make_shared<Cdt::mur>(Cdt::mur{
      m.mur_categorie,
      m.mur_direction,
      m.mur_numero,
      m.mur_genre,
      m.mur_nom,
      m.mur_sp,
      s.s_lz,
      Cp::rectangle_compute_rectangle(s.s_lx, s.s_ly, m.mur_position),
      longueur * epaisseur,
      Cdt::Info_unset{},
  });
}

Cdt::poteau_ref poteau_compute(const Idt::poteau& p) {
  return std::make_shared<Cdt::poteau>(Cdt::poteau{p.poteau_nom, p.poteau_position, Cdt::Info_unset{}});
}

Cdt::poutre_ref poutre_compute(const Idt::poutre& p) {
  const Compute_pervasives_types::data_segment ds{p.poutre_position, p.poutre_direction, p.poutre_length};
  return std::make_shared<Cdt::poutre>(
      Cdt::poutre{Cp::data_segment_compute_segment(ds), p.poutre_numero, p.poutre_nom, Cdt::Info_unset{}});
}

Cdt::tremie tremie_compute(const Idt::tremie& t) {
  const Cdt::rectangle r = Cp::data_rectangle_compute_rectangle(t.tremie_rectangle);
  return Cdt::tremie{r, t.tremie_nom, Qp::rectangle_centre_pondere(r)};
}

Cdt::balcon balcon_compute(const Idt::balcon& b) {
  const Cdt::rectangle r = Cp::data_rectangle_compute_rectangle(b.balcon_rectangle);
  return Cdt::balcon{r, b.balcon_nom, Qp::rectangle_centre_pondere(r)};
}

Cdt::retrait_ref retrait_compute(const Idt::retrait& r) {
  const Cdt::rectangle rect = Cp::data_rectangle_compute_rectangle(r.retrait_rectangle);
  return std::make_shared<Cdt::retrait>(Cdt::retrait{rect, r.retrait_nom, rect.width * rect.height,
                                                     Qp::rectangle_centre_gravite(rect), Cdt::Info_unset{}});
}

// ---------------------------------------------------------------------------
// Plans.

Cdt::base base_compute(const Idt::plan_base& b) {
  if (const auto* r = std::get_if<Idt::Base_rectangle>(&b))
    return Cdt::Base_rectangle{Cp::data_rectangle_compute_rectangle(r->value)};
  return Cdt::Base_plan{std::make_shared<const Cdt::plan>(plan_compute(std::get<Idt::Base_plan>(b).inner()))};
}

namespace {

// (surface, centre) of a base: the rectangle's, or the inner plan's.
Cdt::point_pondere base_centre_pondere(const Cdt::base& b) {
  if (const auto* r = std::get_if<Cdt::Base_rectangle>(&b)) return Qp::rectangle_centre_pondere(r->value);
  return std::get<Cdt::Base_plan>(b).inner().plan_centre;
}

// The base's surface: the rectangle's, or the inner plan's surface (its
// own base less its set-backs, down the chain).
double base_surface(const Cdt::base& b) {
  if (const auto* r = std::get_if<Cdt::Base_rectangle>(&b)) return r->value.width * r->value.height;
  return std::get<Cdt::Base_plan>(b).inner().plan_surface;
}

// The base's centre with the set-backs removed, weighted by what remains.
Cdt::point_pondere plan_centre_compute(const Cdt::retraits& retraits, const Cdt::base& b) {
  const Cdt::point_pondere base_centre = base_centre_pondere(b);
  if (retraits.empty()) return base_centre;
  const Cdt::point_pondere retraits_centre =
      centre_pondere_f([](const Cdt::retrait_ref& r) { return Cdt::point_pondere{r->retrait_surface, r->retrait_centre}; },
                       retraits);
  return Qp::barycentre_pondere({{-retraits_centre.first, retraits_centre.second}, base_centre});
}

}  // namespace

Cdt::plan plan_compute(const Idt::plan& p) {
  Cdt::plan r{};
  r.plan_retraits = Detail::map_vector(retrait_compute, p.plan_retraits);
  r.plan_base = base_compute(p.plan_base);
  r.plan_etage = p.plan_etage;
  r.plan_nom = p.plan_nom;
  r.plan_centre = plan_centre_compute(r.plan_retraits, r.plan_base);
  const double surface_base = base_surface(r.plan_base);
  const double surface_retraits = Qp::sigma_f([](const Cdt::retrait_ref& s) { return s->retrait_surface; },
                                              r.plan_retraits);
  r.plan_surface = surface_base - surface_retraits;
  r.plan_base_surface = surface_base;
  Utils::plan_compute_contour(r);
  return r;
}

// ---------------------------------------------------------------------------
// Floors and roofs.

namespace {

std::optional<Cdt::point_pondere> balcons_centre(const Cdt::balcons& bs) {
  if (bs.empty()) return std::nullopt;
  return centre_pondere_f([](const Cdt::balcon& b) { return b.balcon_centre; }, bs);
}

// The openings' centre, its weight negated: openings remove surface.
std::optional<Cdt::point_pondere> tremies_centre(const Cdt::tremies& ts) {
  if (ts.empty()) return std::nullopt;
  Cdt::point_pondere c = centre_pondere_f([](const Cdt::tremie& t) { return t.tremie_centre; }, ts);
  return Cdt::point_pondere{-c.first, c.second};
}

double balcons_surface(const Cdt::balcons& bs) { return Qp::sigma_f(Utils::balcon_surface, bs); }
double tremies_surface(const Cdt::tremies& ts) { return Qp::sigma_f(Utils::tremie_surface, ts); }

}  // namespace

Cdt::plancher niveau_plancher_compute(const Idt::niveau_plancher& n) {
  return niveau_plancher_compute(n, plan_compute(n.niveau_plan));
}

Cdt::plancher niveau_plancher_compute(const Idt::niveau_plancher& n, const Cdt::plan& p) {
  const Idt::plancher& f = n.niveau_categorie;
  Cdt::plancher r{};
  r.plancher_categorie = f.plancher_categorie;
  r.plancher_epaisseur = f.plancher_epaisseur;
  r.plancher_balcons = Detail::map_vector(balcon_compute, f.plancher_balcons);
  r.plancher_tremies = Detail::map_vector(tremie_compute, f.plancher_tremies);
  r.plancher_charge_revetement = f.plancher_charge_revetement;
  r.plancher_charge_cloison = f.plancher_charge_cloison;
  r.plancher_plan = p;
  const double sb = balcons_surface(r.plancher_balcons);
  const double st = tremies_surface(r.plancher_tremies);
  Cdt::point_ponderes centres =
      add_option(balcons_centre(r.plancher_balcons), add_option(tremies_centre(r.plancher_tremies), {p.plan_centre}));
  r.plancher_centre = Qp::barycentre_pondere(centres);
  r.plancher_surface = p.plan_surface + sb - st;
  r.plancher_diaphragme_surface = p.plan_surface + sb;
  return r;
}

Cdt::toiture_lourde toiture_lourde_compute(const Idt::toiture_lourde& t) {
  return Cdt::toiture_lourde{t.toiture_lourde_categorie, t.toiture_lourde_epaisseur};
}

Cdt::toiture_categorie toiture_categorie_compute(const Idt::type_toiture& t) {
  if (const auto* lourde = std::get_if<Idt::Toiture_lourde>(&t))
    return Cdt::Toiture_lourde{toiture_lourde_compute(lourde->value)};
  return Cdt::Toiture_legere{std::get<Idt::Toiture_legere>(t).value};
}

double toiture_epaisseur_compute(const Idt::type_toiture& t) {
  if (const auto* lourde = std::get_if<Idt::Toiture_lourde>(&t)) return lourde->value.toiture_lourde_epaisseur;
  return 0.0;
}

Cdt::toiture toiture_compute(const Idt::niveau_toit& n) { return toiture_compute(n, plan_compute(n.niveau_plan)); }

Cdt::toiture toiture_compute(const Idt::niveau_toit& n, const Cdt::plan& p) {
  const Idt::toiture& t = n.niveau_categorie;
  const auto* lourde = std::get_if<Idt::Toiture_lourde>(&t.toiture_type);
  Cdt::toiture r{};
  r.toiture_categorie = toiture_categorie_compute(t.toiture_type);
  r.toiture_epaisseur = toiture_epaisseur_compute(t.toiture_type);
  r.toiture_balcons = Detail::map_vector(balcon_compute, t.toiture_balcons);
  if (lourde) r.toiture_tremies = Detail::map_vector(tremie_compute, lourde->value.toiture_lourde_tremies);
  r.toiture_hauteur = t.toiture_hauteur;
  r.toiture_plan = p;
  Cdt::point_ponderes centres =
      add_option(tremies_centre(r.toiture_tremies), add_option(balcons_centre(r.toiture_balcons), {p.plan_centre}));
  r.toiture_centre = Qp::barycentre_pondere(centres);
  r.toiture_surface = p.plan_surface;
  return r;
}

// ---------------------------------------------------------------------------
// Levels.

namespace Detail {

namespace {

template <class Pred>
Cdt::murs filter(const Cdt::murs& ms, Pred pred) {
  Cdt::murs out;
  for (const Cdt::mur_ref& m : ms)
    if (pred(*m)) out.push_back(m);
  return out;
}

// The x walls, then the y walls, each in their order.
Cdt::murs x_first(const Cdt::murs& ms) {
  Cdt::murs out = filter(ms, Utils::mur_x);
  Cdt::murs ys = filter(ms, Utils::mur_y);
  out.insert(out.end(), ys.begin(), ys.end());
  return out;
}

double longueurs(const Cdt::murs& ms) {
  return Qp::sigma_f([](const Cdt::mur_ref& m) { return Utils::mur_longueur(*m); }, ms);
}

double surfaces_au_sol(const Cdt::murs& ms) {
  return Qp::sigma_f([](const Cdt::mur_ref& m) { return m->mur_surface_au_sol; }, ms);
}

}  // namespace

murs_classification classify_murs(const Cdt::murs& ms, const Cdt::plan& p) {
  murs_classification c{};
  auto facade = [&](const Cdt::mur& m) { return Utils::mur_plan_facade_calcule(m, p); };
  auto refend = [&](const Cdt::mur& m) { return Utils::mur_plan_refend_calcule(m, p); };
  c.murs_refend_declares = filter(ms, Utils::mur_refend_declare);
  c.murs_refend_calcules = x_first(filter(ms, refend));
  c.murs_facade_declares = filter(ms, Utils::mur_facade_declare);
  c.murs_facade_calcules = x_first(filter(ms, facade));
  c.cvts = filter(ms, Utils::contreventement);
  c.cvts_x = filter(ms, Utils::contreventement_x);
  c.cvts_y = filter(ms, Utils::contreventement_y);
  c.cvts_x_facade_declares = filter(c.cvts_x, Utils::mur_facade_declare);
  c.cvts_y_facade_declares = filter(c.cvts_y, Utils::mur_facade_declare);
  c.cvts_x_refend_declares = filter(c.cvts_x, Utils::mur_refend_declare);
  c.cvts_y_refend_declares = filter(c.cvts_y, Utils::mur_refend_declare);
  c.cvts_x_refend_calcules = filter(c.murs_refend_calcules, Utils::contreventement_x);
  c.cvts_y_refend_calcules = filter(c.murs_refend_calcules, Utils::contreventement_y);
  c.cvts_x_facade_calcules = filter(c.murs_facade_calcules, Utils::contreventement_x);
  c.cvts_y_facade_calcules = filter(c.murs_facade_calcules, Utils::contreventement_y);
  const Cdt::point centre = p.plan_centre.second;
  auto facing = [&](Cdt::cardinal_point side) {
    return [&centre, side](const Cdt::mur& m) { return Utils::contreventement_de_facade_oriente(side, centre, m); };
  };
  c.cvts_x_facade_north = filter(c.cvts_x_facade_calcules, facing(Cdt::cardinal_point::North));
  c.cvts_x_facade_south = filter(c.cvts_x_facade_calcules, facing(Cdt::cardinal_point::South));
  c.cvts_y_facade_east = filter(c.cvts_y_facade_calcules, facing(Cdt::cardinal_point::East));
  c.cvts_y_facade_west = filter(c.cvts_y_facade_calcules, facing(Cdt::cardinal_point::West));
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

Cdt::niveau_plancher niveau_compute(const Idt::niveau_plancher& n) {
  return niveau_compute<Cdt::plancher>(
      [](const Idt::niveau_plancher& in, const Cdt::plan& p) { return niveau_plancher_compute(in, p); }, n);
}

Cdt::niveau_toit niveau_compute(const Idt::niveau_toit& n) {
  return niveau_compute<Cdt::toiture>(
      [](const Idt::niveau_toit& in, const Cdt::plan& p) { return toiture_compute(in, p); }, n);
}

// ---------------------------------------------------------------------------
// The building.

Cdt::batiment_implantation input_batiment_implantation_compute(const Idt::batiment_implantation& i) {
  const double pente = i.implantation_pente / 100.0;
  // Strictly above 10 %, with no tolerance, as the consistency check of the
  // slope expects: 10 % needs no justification, 10.05 % does.
  return Cdt::batiment_implantation{i.implantation_sol, pente, pente > 0.1};
}

Cdt::sous_sol sous_sol_compute(const Idt::sous_sol& s) { return Cdt::Sous_sol{s.value}; }

Cdt::sous_sol sous_sol_option_compute(const std::optional<Idt::sous_sol>& s) {
  if (s) return sous_sol_compute(*s);
  return Cdt::Soubassement{};
}

Cdt::maconnerie maconnerie_compute(const Quavor_data_types::maconnerie& m) { return m; }

Cdt::materiau_categorie materiau_categorie_compute(const Quavor_data_types::materiau_categorie& m) {
  if (const auto* mac = std::get_if<Quavor_data_types::Maconnerie>(&m))
    return Quavor_data_types::Maconnerie{maconnerie_compute(mac->value)};
  return m;
}

int nombre_etages_compute(const Idt::batiment& b) { return static_cast<int>(b.batiment_niveau_planchers.size()); }

std::string report_file_name_compute(const std::string& file_name) {
  const Path::file_extension extension =
      Path::to_file_extension(Quavor_configuration::report_target_file_extension());
  if (file_name == "-") return file_name;
  return Quavor_configuration::remove_extension(file_name) + extension.text;
}

Cdt::batiment input_batiment_pre_compute(const Idt::batiment& b) {
  Cdt::batiment r{};
  r.batiment_nombre_etages = nombre_etages_compute(b);
  r.batiment_report_file_name = report_file_name_compute(b.batiment_file_name);
  r.batiment_niveau_toit = niveau_compute(b.batiment_niveau_toit);
  r.batiment_niveau_planchers = Detail::map_vector(
      [](const Idt::niveau_plancher& n) { return niveau_compute(n); }, b.batiment_niveau_planchers);
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

Cdt::batiment input_batiment_compute(const Idt::batiment& b) { return input_batiment_pre_compute(b); }

Cdt::batiment pre_compute_batiment_compute_infos(Cdt::batiment b) { return b; }

Cdt::input_data input_data_compute(const Idt::input_data& d) {
  return Cdt::input_data{input_batiment_pre_compute(d.batiment)};
}

}  // namespace Compute_data
