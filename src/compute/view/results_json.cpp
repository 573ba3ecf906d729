#include "view/results_json.hpp"

#include <algorithm>
#include <variant>

#include "config/quavor_configuration.hpp"
#include "criteria/tqmv.hpp"
#include "model/compute_data_utils.hpp"

namespace Results_json {

using json = nlohmann::ordered_json;
using Json_writer::writer;

namespace {

void point_json(writer& w, const Compute_data_types::point& p) {
  w.begin_object().field("x", p.p_x).field("y", p.p_y).end_object();
}

void rectangle_json(writer& w, const Compute_data_types::rectangle& r) {
  w.begin_object()
      .field("x", r.position.p_x)
      .field("y", r.position.p_y)
      .field("width", r.width)
      .field("height", r.height)
      .end_object();
}

void segment_json(writer& w, const Compute_data_types::segment& s) {
  w.begin_object()
      .field("x1", s.s_position.p_x)
      .field("y1", s.s_position.p_y)
      .field("x2", s.s_vertex.p_x)
      .field("y2", s.s_vertex.p_y)
      .end_object();
}

const char* direction_name(Compute_data_types::direction d) { return d == Compute_data_types::direction::X ? "X" : "Y"; }

std::string appui_name(const Compute_data_types::appui& a) {
  if (const auto* p = std::get_if<Compute_data_types::Appui_poteau>(&a)) return p->value ? p->value->poteau_nom : "";
  const auto& m = std::get<Compute_data_types::Appui_mur>(a);
  return m.value ? m.value->mur_nom : "";
}

bool contains(const Compute_data_types::murs& list, const Compute_data_types::mur_ref& m) {
  return std::find(list.begin(), list.end(), m) != list.end();
}

std::optional<double> sp_of(const Compute_data_types::mur& m) {
  if (const auto* v = std::get_if<Quavor_data_types::Sp_value>(&m.mur_sp)) return v->value;
  return std::nullopt;
}

std::optional<double> sp_max_of(const Compute_data_types::batiment& b, const Compute_data_types::mur& m) {
  try {
    return Tqmv::batiment_sp_max(b)(Compute_data_utils::mur_longueur(m));
  } catch (const std::exception&) {
    return std::nullopt;  // a wall the table does not cover has no maximum to show
  }
}

void wall_json(writer& w, const Compute_data_types::batiment& b, const Compute_data_types::murs& facades,
               const Compute_data_types::murs& bracing, const Compute_data_types::mur_ref& m) {
  w.begin_object().field("name", m->mur_nom).field("number", m->mur_numero).key("rectangle");
  rectangle_json(w, m->mur_rectangle);
  w.field("direction", direction_name(m->mur_direction))
      .field("category_declared",
             m->mur_categorie == Quavor_data_types::mur_categorie::Mur_de_facade ? "facade" : "inner")
      .field("category_computed", contains(facades, m) ? "facade" : "inner")
      .field("kind", m->mur_genre == Quavor_data_types::mur_genre::Mur_primaire ? "primary" : "secondary")
      .field("bracing", contains(bracing, m))
      .field("length", Compute_data_utils::mur_longueur(*m))
      .field("thickness", Compute_data_utils::mur_epaisseur(*m))
      .field("height", m->mur_hauteur)
      .field("sp_state", Quavor_data_types::name_of(m->mur_sp))
      .field("sp", sp_of(*m))
      .field("sp_max", sp_max_of(b, *m))
      .end_object();
}

std::optional<const char*> set_back_category(const Compute_data_types::retrait& r) {
  const auto* c = std::get_if<Compute_data_types::Info<Compute_data_types::retrait_categorie>>(&r.retrait_categorie);
  if (c == nullptr) return std::nullopt;
  return c->value == Compute_data_types::retrait_categorie::Retrait_en_plan ? "plan" : "elevation";
}

void plan_json(writer& w, const Compute_data_types::plan& p) {
  w.begin_object()
      .field("name", p.plan_nom)
      .field("min_x", p.plan_min_x)
      .field("max_x", p.plan_max_x)
      .field("min_y", p.plan_min_y)
      .field("max_y", p.plan_max_y)
      .field("surface", p.plan_surface)
      .key("centre");
  point_json(w, p.plan_centre.second);
  w.key("contour").begin_array();
  for (const Compute_data_types::segment& s : p.plan_contour) segment_json(w, s);
  w.end_array().key("set_backs").begin_array();
  for (const Compute_data_types::retrait_ref& r : p.plan_retraits) {
    w.begin_object().field("name", r->retrait_nom).key("rectangle");
    rectangle_json(w, r->retrait_rectangle);
    w.field("surface", r->retrait_surface).field("category", set_back_category(*r)).end_object();
  }
  w.end_array().end_object();
}

template <class Items, class Item>
void named_rectangles(writer& w, const Items& items, std::string Item::*nom, Compute_data_types::rectangle Item::*rect) {
  w.begin_array();
  for (const Item& i : items) {
    w.begin_object().field("name", i.*nom).key("rectangle");
    rectangle_json(w, i.*rect);
    w.end_object();
  }
  w.end_array();
}

const Compute_data_types::tremies& openings(const Compute_data_types::plancher& c) { return c.plancher_tremies; }
const Compute_data_types::tremies& openings(const Compute_data_types::toiture& c) { return c.toiture_tremies; }
const Compute_data_types::balcons& balconies(const Compute_data_types::plancher& c) { return c.plancher_balcons; }
const Compute_data_types::balcons& balconies(const Compute_data_types::toiture& c) { return c.toiture_balcons; }
const char* kind(const Compute_data_types::plancher&) { return "floor"; }
const char* kind(const Compute_data_types::toiture&) { return "roof"; }

void beam_json(writer& w, const Compute_data_types::poutre& p) {
  w.begin_object().field("name", p.poutre_nom).field("number", p.poutre_numero).key("segment");
  segment_json(w, p.poutre_segment);
  w.key("supports");
  if (const auto* f = std::get_if<Compute_data_types::Info<Compute_data_types::poutre_fondement>>(&p.poutre_fondement))
    w.begin_array()
        .value(appui_name(f->value.appui_position))
        .value(appui_name(f->value.appui_vertex))
        .end_array();
  else
    w.value(nullptr);
  w.end_object();
}

template <class C>
void level_json(writer& w, const Compute_data_types::batiment& b, const Compute_data_types::niveau<C>& l) {
  w.begin_object()
      .field("name", l.niveau_nom)
      .field("storey", l.niveau_etage)
      .field("kind", kind(l.niveau_categorie))
      .field("height", l.niveau_hauteur)
      .key("plan");
  plan_json(w, l.niveau_plan);
  w.key("walls").begin_array();
  for (const Compute_data_types::mur_ref& m : l.niveau_murs) wall_json(w, b, l.murs_facade_calcules, l.cvts, m);
  w.end_array().key("openings");
  named_rectangles(w, openings(l.niveau_categorie), &Compute_data_types::tremie::tremie_nom,
                   &Compute_data_types::tremie::tremie_rectangle);
  w.key("columns").begin_array();
  for (const Compute_data_types::poteau_ref& p : l.niveau_poteaux) {
    w.begin_object().field("name", p->poteau_nom).key("position");
    point_json(w, p->poteau_position);
    w.end_object();
  }
  w.end_array().key("beams").begin_array();
  for (const Compute_data_types::poutre_ref& p : l.niveau_poutres) beam_json(w, *p);
  w.end_array().key("balconies");
  named_rectangles(w, balconies(l.niveau_categorie), &Compute_data_types::balcon::balcon_nom,
                   &Compute_data_types::balcon::balcon_rectangle);
  w.end_object();
}

void material_json(writer& w, const Compute_data_types::materiau_categorie& m) {
  w.begin_object().field("kind", Quavor_data_types::name_of(m)).key("masonry");
  if (const auto* c = std::get_if<Quavor_data_types::Maconnerie>(&m))
    w.begin_object()
        .field("element", Quavor_data_types::name_of(c->value.maconnerie_categorie))
        .field("bed_joint", Quavor_data_types::name_of(c->value.maconnerie_joint_horizontal))
        .field("head_joint", Quavor_data_types::name_of(c->value.maconnerie_joint_vertical))
        .field("tie_reinforcement", Quavor_data_types::name_of(c->value.maconnerie_qualite_du_chainage))
        .field("tie_concrete", Quavor_data_types::name_of(c->value.maconnerie_beton_du_chainage))
        .end_object();
  else
    w.value(nullptr);
  w.end_object();
}

std::optional<double> basement_of(const Compute_data_types::batiment& b) {
  if (const auto* s = std::get_if<Compute_data_types::Sous_sol>(&b.batiment_sous_sol)) return s->value;
  return std::nullopt;
}

// The fields of a description that could not be checked.
void unchecked_json(writer& w) {
  w.field("report", nullptr)
      .field("tests_run", 0)
      .field("criteria_passed", 0)
      .field("building", nullptr)
      .field("failure", nullptr)
      .key("criteria")
      .begin_array()
      .end_array()
      .key("levels")
      .begin_array()
      .end_array();
}

void checked_json(writer& w, const Compute::checked_batiment& checked) {
  const Outcome::outcome& o = checked.outcome;
  w.field("report", o.report_target_file_name)
      .field("tests_run", o.tests_run)
      .field("criteria_passed", Outcome::passed_count(o))
      .key("building");
  building_json(w, checked.batiment);
  w.key("failure");
  failure_json(w, o);
  w.key("criteria").begin_array();
  for (const Outcome::criterion_result& c : o.criteres) criterion_json(w, c);
  w.end_array().key("levels");
  levels_json(w, checked.batiment);
}

}  // namespace

std::string plain_text(const std::string& laid_out) {
  std::string out;
  out.reserve(laid_out.size());
  bool blank = false;
  for (const char c : laid_out) {
    if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

void building_json(writer& w, const Compute_data_types::batiment& b) {
  w.begin_object()
      .field("type", Quavor_data_types::name_of(b.batiment_type))
      .field("category", Quavor_data_types::name_of(b.batiment_categorie))
      .field("location", b.batiment_localisation)
      .field("length", b.batiment_longueur)
      .field("width", b.batiment_largeur)
      .field("height", b.batiment_hauteur)
      .field("max_level_height", b.batiment_hauteur_max_par_niveau)
      .field("zone", Quavor_data_types::name_of(b.batiment_zone_de_sismicite))
      .field("soil", Quavor_data_types::name_of(b.batiment_implantation.implantation_sol))
      .field("slope", b.batiment_implantation.implantation_pente)
      .key("material");
  material_json(w, b.batiment_materiau_categorie);
  w.field("basement_height", basement_of(b))
      .field("storeys", b.batiment_nombre_etages)
      .field("file_name", b.batiment_file_name)
      .field("report_file_name", b.batiment_report_file_name)
      .end_object();
}

void levels_json(writer& w, const Compute_data_types::batiment& b) {
  w.begin_array();
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers) level_json(w, b, l);
  level_json(w, b, b.batiment_niveau_toit);
  w.end_array();
}

void measure_json(writer& w, const Outcome::measure& m) {
  w.begin_object()
      .field("quantity", m.quantity)
      .field("value", m.value)
      .field("limit", m.limit)
      .field("upper_limit", m.upper_limit)
      .field("comparison", Outcome::comparison_name(m.compare))
      .field("tolerance", Outcome::tolerance_value(m.tol))
      .field("unit", m.unit)
      .field("level", m.niveau)
      .field("element", m.element)
      .field("passed", m.passed)
      .field("utilization", Outcome::utilization(m))
      .end_object();
}

void criterion_json(writer& w, const Outcome::criterion_result& c) {
  w.begin_object()
      .field("code", Outcome::code(c))
      .field("family", Outcome::famille(c))
      .field("title", Outcome::title(c))
      .field("reference", Outcome::reference(c))
      .field("status", Outcome::status_name(c.state))
      .field("test_number", c.test_number)
      .field("paragraphs", Outcome::paragraph_plain_texts(c))
      .key("measures")
      .begin_array();
  for (const Outcome::measure& m : c.measures) measure_json(w, m);
  w.end_array().end_object();
}

void failure_json(writer& w, const Outcome::outcome& o) {
  if (!o.failed) {
    w.value(nullptr);
    return;
  }
  const Outcome::failure& f = *o.failed;
  const Outcome::criterion_result& c = Outcome::result_of(o, f.critere);
  w.begin_object()
      .field("family", f.famille)
      .field("code", f.code)
      .field("title", Outcome::title(c))
      .field("reference", Outcome::reference(c))
      .field("test_number", f.test_number)
      .field("fatal", f.fatal)
      .field("level", f.where.niveau_nom)
      .field("location", f.where.text)
      .field("elements", f.elements)
      .field("message", plain_text(f.message))
      .end_object();
}

std::string results_text(const Checked_file::result& r) {
  std::string text;
  text.reserve(64 * 1024);
  writer w(text);
  w.begin_object().field("schema", schema_name).key("engine");
  w.begin_object().field("name", "quavor").field("version", Quavor_configuration::version()).end_object();
  w.key("guide").begin_object().field("name", "TQMV").field("version", std::string(Tqmv::tqmv_version)).end_object();
  w.field("description", r.path)
      .field("verdict", Checked_file::verdict_name(r.state))
      .field("message", r.message);
  if (r.checked)
    checked_json(w, *r.checked);
  else
    unchecked_json(w);
  w.end_object();
  return text;
}

json summary_row(const Checked_file::result& r, const std::string& page_link, const std::string& json_link) {
  json failure = nullptr;
  if (r.checked && r.checked->outcome.failed) {
    const Outcome::outcome& o = r.checked->outcome;
    const Outcome::failure& f = *o.failed;
    failure = json{{"code", f.code},
                   {"title", Outcome::title(Outcome::result_of(o, f.critere))},
                   {"test_number", f.test_number},
                   {"level", f.where.niveau_nom ? json(*f.where.niveau_nom) : json(nullptr)},
                   {"elements", f.elements}};
  }
  json row{{"description", r.path},
           {"verdict", Checked_file::verdict_name(r.state)},
           {"failure", std::move(failure)},
           {"criteria_passed", r.checked ? Outcome::passed_count(r.checked->outcome) : 0},
           {"message", r.state == Checked_file::verdict::unreadable || r.state == Checked_file::verdict::fatal
                           ? json(r.message)
                           : json(nullptr)},
           {"page", page_link.empty() ? json(nullptr) : json(page_link)},
           {"results", json_link.empty() ? json(nullptr) : json(json_link)}};
  return row;
}

}  // namespace Results_json
