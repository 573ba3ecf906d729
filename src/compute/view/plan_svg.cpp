#include "view/plan_svg.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <variant>

#include "model/compute_data_utils.hpp"
#include "view/svg.hpp"

namespace Plan_svg {

namespace {

constexpr double margin = 24.0;       // pixels around the frame
constexpr double title_height = 28.0;  // the level's name above the plan
constexpr double legend_line = 16.0;   // scale bar and notes below the plan

std::string n(double v) { return Svg::number(v, 2); }
std::string metres(double v) { return Svg::number(v, 2) + " m"; }

// Floors and roof through one visitor.
template <class F>
auto with_level(const Compute_data_types::batiment& b, std::size_t level, F&& f) {
  if (level < b.batiment_niveau_planchers.size()) return f(b.batiment_niveau_planchers[level]);
  return f(b.batiment_niveau_toit);
}

const Compute_data_types::tremies& openings(const Compute_data_types::plancher& c) { return c.plancher_tremies; }
const Compute_data_types::tremies& openings(const Compute_data_types::toiture& c) { return c.toiture_tremies; }
const Compute_data_types::balcons& balconies(const Compute_data_types::plancher& c) { return c.plancher_balcons; }
const Compute_data_types::balcons& balconies(const Compute_data_types::toiture& c) { return c.toiture_balcons; }

void extend(frame& f, const Compute_data_types::rectangle& r) {
  f.min_x = std::min(f.min_x, r.position.p_x);
  f.min_y = std::min(f.min_y, r.position.p_y);
  f.max_x = std::max(f.max_x, r.position.p_x + r.width);
  f.max_y = std::max(f.max_y, r.position.p_y + r.height);
}

template <class C>
void extend(frame& f, const Compute_data_types::niveau<C>& l) {
  const Compute_data_types::plan& p = l.niveau_plan;
  f.min_x = std::min(f.min_x, p.plan_min_x);
  f.max_x = std::max(f.max_x, p.plan_max_x);
  f.min_y = std::min(f.min_y, p.plan_min_y);
  f.max_y = std::max(f.max_y, p.plan_max_y);
  for (const Compute_data_types::balcon& x : balconies(l.niveau_categorie)) extend(f, x.balcon_rectangle);
  for (const Compute_data_types::mur_ref& m : l.niveau_murs) extend(f, m->mur_rectangle);
}

bool contains(const Compute_data_types::murs& list, const Compute_data_types::mur_ref& m) {
  return std::find(list.begin(), list.end(), m) != list.end();
}

// Drawing coordinates: x to the right (East), y down the page (South).
struct view {
  const frame& f;
  double px(double x) const { return margin + (x - f.min_x) * f.pixels_per_metre; }
  double py(double y) const { return margin + title_height + (f.max_y - y) * f.pixels_per_metre; }
  double len(double d) const { return d * f.pixels_per_metre; }
};

void rect(Svg::builder& s, const view& v, const Compute_data_types::rectangle& r, std::string_view cls,
          const std::string& title, const std::string& fill = "") {
  const double w = std::max(v.len(r.width), 1.0);
  const double h = std::max(v.len(r.height), 1.0);
  if (fill.empty())
    s.open("rect", {{"class", std::string(cls)}, {"x", n(v.px(r.position.p_x))},
                    {"y", n(v.py(r.position.p_y + r.height))}, {"width", n(w)}, {"height", n(h)}});
  else
    s.open("rect", {{"class", std::string(cls)}, {"x", n(v.px(r.position.p_x))},
                    {"y", n(v.py(r.position.p_y + r.height))}, {"width", n(w)}, {"height", n(h)}, {"fill", fill}});
  s.element("title", {}, title).close();
}

std::string wall_title(const Compute_data_types::batiment& b, const Compute_data_types::mur& m, bool facade,
                       bool bracing) {
  std::string t = m.mur_nom + " : mur " + (m.mur_direction == Compute_data_types::direction::X ? "X" : "Y") + ", " +
                  (facade ? "de façade" : "de refend") + " (déclaré " +
                  (m.mur_categorie == Quavor_data_types::mur_categorie::Mur_de_facade ? "de façade" : "de refend") +
                  "), " + (m.mur_genre == Quavor_data_types::mur_genre::Mur_primaire ? "primaire" : "secondaire") +
                  (bracing ? ", contreventement" : "") + ", L = " + metres(Compute_data_utils::mur_longueur(m)) +
                  ", e = " + metres(Compute_data_utils::mur_epaisseur(m));
  if (const auto* sp = std::get_if<Quavor_data_types::Sp_value>(&m.mur_sp))
    t += ", Sp = " + Svg::number(sp->value, 2) + " m2";
  try {
    t += ", Sp,max = " + Svg::number(Tqmv::batiment_sp_max(b)(Compute_data_utils::mur_longueur(m)), 2) + " m2";
  } catch (const std::exception&) {
    // Outside the table: no maximum to show.
  }
  return t;
}

std::string appui_name(const Compute_data_types::appui& a) {
  if (const auto* p = std::get_if<Compute_data_types::Appui_poteau>(&a)) return p->value ? p->value->poteau_nom : "?";
  const auto& m = std::get<Compute_data_types::Appui_mur>(a);
  return m.value ? m.value->mur_nom : "?";
}

void north_arrow(Svg::builder& s, double x, double y) {
  s.open("g", {{"class", "north"}, {"transform", "translate(" + n(x) + " " + n(y) + ")"}});
  s.element("title", {}, "Nord");
  s.empty("path", {{"d", "M0 -14 L7 8 L0 3 L-7 8 Z"}});
  s.element("text", {{"x", "0"}, {"y", "22"}, {"text-anchor", "middle"}}, "N");
  s.close();
}

void scale_bar(Svg::builder& s, const view& v, double x, double y, double drawing_width) {
  // The largest of 1, 2, 5 × 10^k metres that fits in a third of the drawing.
  const double target = drawing_width / 3.0 / v.f.pixels_per_metre;
  double step = 1.0;
  for (double p = std::pow(10.0, std::floor(std::log10(std::max(target, 0.01)))); p <= target * 10; p *= 10)
    for (const double m : {1.0, 2.0, 5.0})
      if (m * p <= target) step = m * p;
  const double w = v.len(step);
  s.open("g", {{"class", "scale"}});
  s.element("title", {}, "Échelle : " + metres(step));
  s.empty("rect", {{"x", n(x)}, {"y", n(y)}, {"width", n(w / 2)}, {"height", "5"}, {"class", "scale-dark"}});
  s.empty("rect", {{"x", n(x + w / 2)}, {"y", n(y)}, {"width", n(w / 2)}, {"height", "5"}, {"class", "scale-light"}});
  s.element("text", {{"x", n(x)}, {"y", n(y + 17)}}, "0");
  s.element("text", {{"x", n(x + w)}, {"y", n(y + 17)}, {"text-anchor", "middle"}}, metres(step));
  s.close();
}

// The elements of the level that the failure names, as drawn outlines.
struct failing_set {
  std::set<std::string> names;
  bool has(const std::string& name) const { return names.count(name) != 0; }
};

failing_set failing_names(const Compute::checked_batiment& c, const std::string& level) {
  failing_set out;
  const auto& failed = c.outcome.failed;
  if (!failed) return out;
  if (failed->where.niveau_nom && *failed->where.niveau_nom != level) return out;
  out.names.insert(failed->elements.begin(), failed->elements.end());
  return out;
}

void outline(Svg::builder& s, const view& v, const Compute_data_types::rectangle& r, const std::string& name) {
  const double pad = 3.0;
  s.open("rect", {{"class", "failing-outline"}, {"data-element", name}, {"x", n(v.px(r.position.p_x) - pad)},
                  {"y", n(v.py(r.position.p_y + r.height) - pad)}, {"width", n(v.len(r.width) + 2 * pad)},
                  {"height", n(v.len(r.height) + 2 * pad)}});
  s.element("title", {}, "Élément en défaut : " + name).close();
}

void outline_point(Svg::builder& s, const view& v, const Compute_data_types::point& p, const std::string& name) {
  s.open("circle", {{"class", "failing-outline"}, {"data-element", name}, {"cx", n(v.px(p.p_x))},
                    {"cy", n(v.py(p.p_y))}, {"r", "9"}});
  s.element("title", {}, "Élément en défaut : " + name).close();
}

// The wall-balance measures of this level, one line each.
std::vector<std::string> balance_lines(const Outcome::outcome& o, const std::string& level) {
  std::vector<std::string> lines;
  const Outcome::criterion_result& r = Outcome::result_of(o, Tqmv::critere::CR_3_4);
  for (const Outcome::measure& m : r.measures)
    if (!m.niveau || *m.niveau == level)
      lines.push_back(std::string(m.quantity) + " : " + Svg::number(m.value, 3) +
                      (m.unit.empty() ? "" : " " + std::string(m.unit)));
  return lines;
}

template <class C>
std::string draw(const Compute::checked_batiment& c, const Compute_data_types::niveau<C>& l, const frame& f,
                 const std::string& id) {
  const Compute_data_types::batiment& b = c.batiment;
  const view v{f};
  const failing_set failing = failing_names(c, l.niveau_nom);
  const std::vector<std::string> balance = balance_lines(c.outcome, l.niveau_nom);
  const double plan_w = v.len(f.max_x - f.min_x);
  const double width = std::max(plan_w + 2 * margin, 260.0);
  const double legend_rows = 2.0 + static_cast<double>(balance.size());
  const double height = title_height + v.len(f.max_y - f.min_y) + 2 * margin + legend_rows * legend_line;
  const Compute_data_types::plan& p = l.niveau_plan;

  Svg::builder s;
  s.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"}, {"class", "plan"}, {"data-level", l.niveau_nom},
                 {"viewBox", "0 0 " + n(width) + " " + n(height)}, {"width", n(width)}, {"height", n(height)},
                 {"role", "img"}, {"aria-label", "Plan du niveau " + l.niveau_nom}});
  s.open("defs");
  s.open("pattern", {{"id", "hatch-" + id}, {"patternUnits", "userSpaceOnUse"}, {"width", "6"}, {"height", "6"},
                     {"patternTransform", "rotate(45)"}});
  s.empty("line", {{"x1", "0"}, {"y1", "0"}, {"x2", "0"}, {"y2", "6"}, {"class", "hatch-line"}});
  s.close().close();
  s.element("text", {{"class", "level-title"}, {"x", n(margin)}, {"y", "20"}},
            "Niveau " + l.niveau_nom + " (étage " + std::to_string(l.niveau_etage) + ")");
  north_arrow(s, width - margin - 4, 22);

  // The plan: its extent, the set-backs cut out of it, its contour.
  s.open("g", {{"class", "plan-area"}});
  s.open("rect", {{"class", "plan-fill"}, {"x", n(v.px(p.plan_min_x))}, {"y", n(v.py(p.plan_max_y))},
                  {"width", n(v.len(p.plan_max_x - p.plan_min_x))}, {"height", n(v.len(p.plan_max_y - p.plan_min_y))}});
  s.element("title", {}, "Plan " + p.plan_nom + " : " + Svg::number(p.plan_surface, 2) + " m2").close();
  // A plan standing on another keeps the set-backs cut out of that one.
  for (const Compute_data_types::plan* q = &p; q != nullptr;) {
    for (const Compute_data_types::retrait_ref& r : q->plan_retraits)
      rect(s, v, r->retrait_rectangle, q == &p ? "set-back" : "set-back inherited",
           "Retrait " + r->retrait_nom + " : " + Svg::number(r->retrait_surface, 2) + " m2" +
               (q == &p ? "" : " (plan " + q->plan_nom + ")"));
    const auto* base = std::get_if<Compute_data_types::Base_plan>(&q->plan_base);
    q = base != nullptr && base->value ? base->value.get() : nullptr;
  }
  std::string d;
  for (const Compute_data_types::segment& seg : p.plan_contour)
    d += "M" + n(v.px(seg.s_position.p_x)) + " " + n(v.py(seg.s_position.p_y)) + "L" + n(v.px(seg.s_vertex.p_x)) +
         " " + n(v.py(seg.s_vertex.p_y));
  if (!d.empty()) s.empty("path", {{"class", "contour"}, {"d", d}});
  s.close();

  s.open("g", {{"class", "balconies"}});
  for (const Compute_data_types::balcon& x : balconies(l.niveau_categorie))
    rect(s, v, x.balcon_rectangle, "balcony", "Balcon " + x.balcon_nom);
  s.close();
  s.open("g", {{"class", "openings"}});
  for (const Compute_data_types::tremie& x : openings(l.niveau_categorie))
    rect(s, v, x.tremie_rectangle, "opening",
         "Trémie " + x.tremie_nom + " : " + metres(x.tremie_rectangle.width) + " × " + metres(x.tremie_rectangle.height),
         "url(#hatch-" + id + ")");
  s.close();

  s.open("g", {{"class", "walls"}});
  for (const Compute_data_types::mur_ref& m : l.niveau_murs) {
    const bool facade = contains(l.murs_facade_calcules, m);
    const bool primary = m->mur_genre == Quavor_data_types::mur_genre::Mur_primaire;
    const std::string cls = std::string("wall wall-") +
                            (m->mur_direction == Compute_data_types::direction::X ? "x" : "y") +
                            (facade ? " wall-facade" : " wall-inner") + (primary ? "" : " wall-secondary");
    rect(s, v, m->mur_rectangle, cls, wall_title(b, *m, facade, contains(l.cvts, m)));
  }
  s.close();

  s.open("g", {{"class", "beams"}});
  for (const Compute_data_types::poutre_ref& x : l.niveau_poutres) {
    std::string title = "Poutre " + x->poutre_nom + " : " + metres(x->poutre_segment.s_length);
    if (const auto* fd =
            std::get_if<Compute_data_types::Info<Compute_data_types::poutre_fondement>>(&x->poutre_fondement))
      title += ", entre " + appui_name(fd->value.appui_position) + " et " + appui_name(fd->value.appui_vertex);
    s.open("line", {{"class", "beam"}, {"x1", n(v.px(x->poutre_segment.s_position.p_x))},
                    {"y1", n(v.py(x->poutre_segment.s_position.p_y))}, {"x2", n(v.px(x->poutre_segment.s_vertex.p_x))},
                    {"y2", n(v.py(x->poutre_segment.s_vertex.p_y))}});
    s.element("title", {}, title).close();
  }
  s.close();

  s.open("g", {{"class", "columns"}});
  for (const Compute_data_types::poteau_ref& x : l.niveau_poteaux) {
    s.open("rect", {{"class", "column"}, {"x", n(v.px(x->poteau_position.p_x) - 4)},
                    {"y", n(v.py(x->poteau_position.p_y) - 4)}, {"width", "8"}, {"height", "8"}});
    s.element("title", {}, "Poteau " + x->poteau_nom).close();
  }
  s.close();

  // Wall names where they fit, along the wall.
  s.open("g", {{"class", "labels"}});
  for (const Compute_data_types::mur_ref& m : l.niveau_murs) {
    const double length = v.len(Compute_data_utils::mur_longueur(*m));
    if (length < 8.0 * static_cast<double>(m->mur_nom.size())) continue;
    const Compute_data_types::rectangle& r = m->mur_rectangle;
    const double cx = v.px(r.position.p_x + r.width / 2);
    const double cy = v.py(r.position.p_y + r.height / 2);
    if (m->mur_direction == Compute_data_types::direction::X)
      s.element("text", {{"x", n(cx)}, {"y", n(cy - 6)}, {"text-anchor", "middle"}}, m->mur_nom);
    else
      s.element("text", {{"x", n(cx)}, {"y", n(cy)}, {"text-anchor", "middle"},
                         {"transform", "rotate(-90 " + n(cx - 6) + " " + n(cy) + ")"}},
                m->mur_nom);
  }
  s.close();

  // The centre of gravity of the level, as the wall-balance check takes it.
  const Compute_data_types::point g = p.plan_centre.second;
  s.open("g", {{"class", "gravity"}});
  s.element("title", {}, "Centre de gravité du plancher (g_x = " + Svg::number(g.p_x, 3) +
                             ", g_y = " + Svg::number(g.p_y, 3) + ")");
  s.empty("circle", {{"cx", n(v.px(g.p_x))}, {"cy", n(v.py(g.p_y))}, {"r", "6"}});
  s.empty("path", {{"d", "M" + n(v.px(g.p_x) - 9) + " " + n(v.py(g.p_y)) + "h18M" + n(v.px(g.p_x)) + " " +
                             n(v.py(g.p_y) - 9) + "v18"}});
  s.close();

  // The failure's elements on top of everything.
  if (!failing.names.empty()) {
    s.open("g", {{"class", "failing"}});
    for (const Compute_data_types::mur_ref& m : l.niveau_murs)
      if (failing.has(m->mur_nom)) outline(s, v, m->mur_rectangle, m->mur_nom);
    for (const Compute_data_types::poteau_ref& x : l.niveau_poteaux)
      if (failing.has(x->poteau_nom)) outline_point(s, v, x->poteau_position, x->poteau_nom);
    for (const Compute_data_types::poutre_ref& x : l.niveau_poutres)
      if (failing.has(x->poutre_nom)) {
        const Compute_data_types::segment& seg = x->poutre_segment;
        s.open("line", {{"class", "failing-outline"}, {"data-element", x->poutre_nom},
                        {"x1", n(v.px(seg.s_position.p_x))}, {"y1", n(v.py(seg.s_position.p_y))},
                        {"x2", n(v.px(seg.s_vertex.p_x))}, {"y2", n(v.py(seg.s_vertex.p_y))}});
        s.element("title", {}, "Élément en défaut : " + x->poutre_nom).close();
      }
    for (const Compute_data_types::tremie& x : openings(l.niveau_categorie))
      if (failing.has(x.tremie_nom)) outline(s, v, x.tremie_rectangle, x.tremie_nom);
    for (const Compute_data_types::balcon& x : balconies(l.niveau_categorie))
      if (failing.has(x.balcon_nom)) outline(s, v, x.balcon_rectangle, x.balcon_nom);
    for (const Compute_data_types::retrait_ref& x : p.plan_retraits)
      if (failing.has(x->retrait_nom)) outline(s, v, x->retrait_rectangle, x->retrait_nom);
    s.close();
  }

  const double legend_y = title_height + v.len(f.max_y - f.min_y) + 2 * margin;
  scale_bar(s, v, margin, legend_y - 8, plan_w);
  double y = legend_y + 2 * legend_line - 4;
  for (const std::string& line : balance) {
    s.element("text", {{"class", "balance"}, {"x", n(margin)}, {"y", n(y)}}, line);
    y += legend_line;
  }
  return s.str();
}

template <class C>
bool names_element(const Compute_data_types::niveau<C>& l, const std::set<std::string>& names) {
  for (const Compute_data_types::mur_ref& m : l.niveau_murs)
    if (names.count(m->mur_nom)) return true;
  for (const Compute_data_types::poteau_ref& x : l.niveau_poteaux)
    if (names.count(x->poteau_nom)) return true;
  for (const Compute_data_types::poutre_ref& x : l.niveau_poutres)
    if (names.count(x->poutre_nom)) return true;
  for (const Compute_data_types::tremie& x : openings(l.niveau_categorie))
    if (names.count(x.tremie_nom)) return true;
  for (const Compute_data_types::balcon& x : balconies(l.niveau_categorie))
    if (names.count(x.balcon_nom)) return true;
  for (const Compute_data_types::retrait_ref& x : l.niveau_plan.plan_retraits)
    if (names.count(x->retrait_nom)) return true;
  return false;
}

}  // namespace

frame building_frame(const Compute_data_types::batiment& b, double width) {
  frame f{};
  const Compute_data_types::plan& first = b.batiment_niveau_toit.niveau_plan;
  f.min_x = first.plan_min_x;
  f.max_x = first.plan_max_x;
  f.min_y = first.plan_min_y;
  f.max_y = first.plan_max_y;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers) extend(f, l);
  extend(f, b.batiment_niveau_toit);
  const double extent = std::max({f.max_x - f.min_x, f.max_y - f.min_y, 0.01});
  f.pixels_per_metre = std::isfinite(extent) ? width / extent : 1.0;
  return f;
}

std::size_t level_count(const Compute_data_types::batiment& b) { return b.batiment_niveau_planchers.size() + 1; }

std::string level_name(const Compute_data_types::batiment& b, std::size_t level) {
  return with_level(b, level, [](const auto& l) { return l.niveau_nom; });
}

std::string level_svg(const Compute::checked_batiment& c, std::size_t level, const frame& f, const std::string& id) {
  return with_level(c.batiment, level, [&](const auto& l) { return draw(c, l, f, id); });
}

bool level_shows_failure(const Compute::checked_batiment& c, std::size_t level) {
  return with_level(c.batiment, level, [&](const auto& l) {
    const failing_set names = failing_names(c, l.niveau_nom);
    return !names.names.empty() && names_element(l, names.names);
  });
}

}  // namespace Plan_svg
