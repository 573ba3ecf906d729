#include "view/results_json.hpp"

#include <algorithm>
#include <variant>

#include "config/quavor_configuration.hpp"
#include "criteria/tqmv.hpp"
#include "model/compute_data_utils.hpp"

namespace Results_json {

namespace T = Compute_data_types;
namespace Q = Quavor_data_types;
using json = nlohmann::ordered_json;

namespace {

std::string name(std::string_view n) { return std::string(n); }

json point_json(const T::point& p) { return json{{"x", p.p_x}, {"y", p.p_y}}; }

json rectangle_json(const T::rectangle& r) {
  return json{{"x", r.position.p_x}, {"y", r.position.p_y}, {"width", r.width}, {"height", r.height}};
}

json segment_json(const T::segment& s) {
  return json{{"x1", s.s_position.p_x}, {"y1", s.s_position.p_y}, {"x2", s.s_vertex.p_x}, {"y2", s.s_vertex.p_y}};
}

std::string direction_name(T::direction d) { return d == T::direction::X ? "X" : "Y"; }

std::string appui_name(const T::appui& a) {
  if (const auto* p = std::get_if<T::Appui_poteau>(&a)) return p->value ? p->value->poteau_nom : "";
  const auto& m = std::get<T::Appui_mur>(a);
  return m.value ? m.value->mur_nom : "";
}

bool contains(const T::murs& list, const T::mur_ref& m) { return std::find(list.begin(), list.end(), m) != list.end(); }

json wall_json(const T::batiment& b, const T::murs& facades, const T::murs& bracing, const T::mur_ref& m) {
  json sp = nullptr;
  if (const auto* v = std::get_if<Q::Sp_value>(&m->mur_sp)) sp = v->value;
  json sp_max = nullptr;
  try {
    sp_max = Tqmv::batiment_sp_max(b)(Compute_data_utils::mur_longueur(*m));
  } catch (const std::exception&) {
    // A wall the table does not cover has no maximum to show.
  }
  return json{{"name", m->mur_nom},
              {"number", m->mur_numero},
              {"rectangle", rectangle_json(m->mur_rectangle)},
              {"direction", direction_name(m->mur_direction)},
              {"category_declared", m->mur_categorie == Q::mur_categorie::Mur_de_facade ? "facade" : "inner"},
              {"category_computed", contains(facades, m) ? "facade" : "inner"},
              {"kind", m->mur_genre == Q::mur_genre::Mur_primaire ? "primary" : "secondary"},
              {"bracing", contains(bracing, m)},
              {"length", Compute_data_utils::mur_longueur(*m)},
              {"thickness", Compute_data_utils::mur_epaisseur(*m)},
              {"height", m->mur_hauteur},
              {"sp_state", name(Q::name_of(m->mur_sp))},
              {"sp", sp},
              {"sp_max", sp_max}};
}

json plan_json(const T::plan& p) {
  json contour = json::array();
  for (const T::segment& s : p.plan_contour) contour.push_back(segment_json(s));
  json set_backs = json::array();
  for (const T::retrait_ref& r : p.plan_retraits) {
    json category = nullptr;
    if (const auto* c = std::get_if<T::Info<T::retrait_categorie>>(&r->retrait_categorie))
      category = c->value == T::retrait_categorie::Retrait_en_plan ? "plan" : "elevation";
    set_backs.push_back(json{{"name", r->retrait_nom},
                             {"rectangle", rectangle_json(r->retrait_rectangle)},
                             {"surface", r->retrait_surface},
                             {"category", category}});
  }
  return json{{"name", p.plan_nom},
              {"min_x", p.plan_min_x},
              {"max_x", p.plan_max_x},
              {"min_y", p.plan_min_y},
              {"max_y", p.plan_max_y},
              {"surface", p.plan_surface},
              {"centre", point_json(p.plan_centre.second)},
              {"contour", std::move(contour)},
              {"set_backs", std::move(set_backs)}};
}

template <class Items, class Item>
json named_rectangles(const Items& items, std::string Item::*nom, T::rectangle Item::*rect) {
  json out = json::array();
  for (const Item& i : items) out.push_back(json{{"name", i.*nom}, {"rectangle", rectangle_json(i.*rect)}});
  return out;
}

const T::tremies& openings(const T::plancher& c) { return c.plancher_tremies; }
const T::tremies& openings(const T::toiture& c) { return c.toiture_tremies; }
const T::balcons& balconies(const T::plancher& c) { return c.plancher_balcons; }
const T::balcons& balconies(const T::toiture& c) { return c.toiture_balcons; }
std::string kind(const T::plancher&) { return "floor"; }
std::string kind(const T::toiture&) { return "roof"; }

template <class C>
json level_json(const T::batiment& b, const T::niveau<C>& l) {
  json walls = json::array();
  for (const T::mur_ref& m : l.niveau_murs) walls.push_back(wall_json(b, l.murs_facade_calcules, l.cvts, m));
  json columns = json::array();
  for (const T::poteau_ref& p : l.niveau_poteaux)
    columns.push_back(json{{"name", p->poteau_nom}, {"position", point_json(p->poteau_position)}});
  json beams = json::array();
  for (const T::poutre_ref& p : l.niveau_poutres) {
    json supports = nullptr;
    if (const auto* f = std::get_if<T::Info<T::poutre_fondement>>(&p->poutre_fondement))
      supports = json::array({appui_name(f->value.appui_position), appui_name(f->value.appui_vertex)});
    beams.push_back(json{{"name", p->poutre_nom},
                         {"number", p->poutre_numero},
                         {"segment", segment_json(p->poutre_segment)},
                         {"supports", std::move(supports)}});
  }
  return json{{"name", l.niveau_nom},
              {"storey", l.niveau_etage},
              {"kind", kind(l.niveau_categorie)},
              {"height", l.niveau_hauteur},
              {"plan", plan_json(l.niveau_plan)},
              {"walls", std::move(walls)},
              {"openings", named_rectangles(openings(l.niveau_categorie), &T::tremie::tremie_nom,
                                            &T::tremie::tremie_rectangle)},
              {"columns", std::move(columns)},
              {"beams", std::move(beams)},
              {"balconies", named_rectangles(balconies(l.niveau_categorie), &T::balcon::balcon_nom,
                                             &T::balcon::balcon_rectangle)}};
}

json material_json(const T::materiau_categorie& m) {
  json masonry = nullptr;
  if (const auto* c = std::get_if<Q::Maconnerie>(&m))
    masonry = json{{"element", name(Q::name_of(c->value.maconnerie_categorie))},
                   {"bed_joint", name(Q::name_of(c->value.maconnerie_joint_horizontal))},
                   {"head_joint", name(Q::name_of(c->value.maconnerie_joint_vertical))},
                   {"tie_reinforcement", name(Q::name_of(c->value.maconnerie_qualite_du_chainage))},
                   {"tie_concrete", name(Q::name_of(c->value.maconnerie_beton_du_chainage))}};
  return json{{"kind", name(Q::name_of(m))}, {"masonry", std::move(masonry)}};
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

json building_json(const T::batiment& b) {
  json basement = nullptr;
  if (const auto* s = std::get_if<T::Sous_sol>(&b.batiment_sous_sol)) basement = s->value;
  return json{{"type", name(Q::name_of(b.batiment_type))},
              {"category", name(Q::name_of(b.batiment_categorie))},
              {"location", b.batiment_localisation},
              {"length", b.batiment_longueur},
              {"width", b.batiment_largeur},
              {"height", b.batiment_hauteur},
              {"max_level_height", b.batiment_hauteur_max_par_niveau},
              {"zone", name(Q::name_of(b.batiment_zone_de_sismicite))},
              {"soil", name(Q::name_of(b.batiment_implantation.implantation_sol))},
              {"slope", b.batiment_implantation.implantation_pente},
              {"material", material_json(b.batiment_materiau_categorie)},
              {"basement_height", basement},
              {"storeys", b.batiment_nombre_etages},
              {"file_name", b.batiment_file_name},
              {"report_file_name", b.batiment_report_file_name}};
}

json levels_json(const T::batiment& b) {
  json levels = json::array();
  for (const T::niveau_plancher& l : b.batiment_niveau_planchers) levels.push_back(level_json(b, l));
  levels.push_back(level_json(b, b.batiment_niveau_toit));
  return levels;
}

json measure_json(const Outcome::measure& m) {
  const std::optional<double> u = Outcome::utilization(m);
  return json{{"quantity", m.quantity},
              {"value", m.value},
              {"limit", m.limit},
              {"upper_limit", m.upper_limit ? json(*m.upper_limit) : json(nullptr)},
              {"comparison", Outcome::comparison_name(m.compare)},
              {"tolerance", Outcome::tolerance_value(m.tol)},
              {"unit", m.unit},
              {"level", m.niveau ? json(*m.niveau) : json(nullptr)},
              {"element", m.element ? json(*m.element) : json(nullptr)},
              {"passed", m.passed},
              {"utilization", u ? json(*u) : json(nullptr)}};
}

json criterion_json(const Outcome::criterion_result& c) {
  json measures = json::array();
  for (const Outcome::measure& m : c.measures) measures.push_back(measure_json(m));
  return json{{"code", Outcome::code(c)},
              {"family", Outcome::famille(c)},
              {"title", Outcome::title(c)},
              {"reference", Outcome::reference(c)},
              {"status", Outcome::status_name(c.state)},
              {"test_number", c.test_number ? json(*c.test_number) : json(nullptr)},
              {"paragraphs", Outcome::paragraph_plain_texts(c)},
              {"measures", std::move(measures)}};
}

json failure_json(const Outcome::outcome& o) {
  if (!o.failed) return nullptr;
  const Outcome::failure& f = *o.failed;
  const Outcome::criterion_result& c = Outcome::result_of(o, f.critere);
  return json{{"family", f.famille},
              {"code", f.code},
              {"title", Outcome::title(c)},
              {"reference", Outcome::reference(c)},
              {"test_number", f.test_number},
              {"fatal", f.fatal},
              {"level", f.where.niveau_nom ? json(*f.where.niveau_nom) : json(nullptr)},
              {"location", f.where.text},
              {"elements", f.elements},
              {"message", plain_text(f.message)}};
}

json to_json(const Checked_file::result& r) {
  json j{{"schema", schema_name},
         {"engine", json{{"name", "quavor"}, {"version", Quavor_configuration::version()}}},
         {"guide", json{{"name", "TQMV"}, {"version", std::string(Tqmv::tqmv_version)}}},
         {"description", r.path},
         {"verdict", Checked_file::verdict_name(r.state)},
         {"message", r.message}};
  if (!r.checked) {
    j["report"] = nullptr;
    j["tests_run"] = 0;
    j["criteria_passed"] = 0;
    j["building"] = nullptr;
    j["failure"] = nullptr;
    j["criteria"] = json::array();
    j["levels"] = json::array();
    return j;
  }
  const Outcome::outcome& o = r.checked->outcome;
  j["report"] = o.report_target_file_name;
  j["tests_run"] = o.tests_run;
  j["criteria_passed"] = Outcome::passed_count(o);
  j["building"] = building_json(r.checked->batiment);
  j["failure"] = failure_json(o);
  json criteria = json::array();
  for (const Outcome::criterion_result& c : o.criteres) criteria.push_back(criterion_json(c));
  j["criteria"] = std::move(criteria);
  j["levels"] = levels_json(r.checked->batiment);
  return j;
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
