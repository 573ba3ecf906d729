#include "view/page_html.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <variant>

#include "config/quavor_configuration.hpp"
#include "criteria/tqmv.hpp"
#include "model/compute_data_utils.hpp"
#include "report/report.hpp"
#include "text/format.hpp"
#include "view/plan_svg.hpp"
#include "view/svg.hpp"

namespace Page_html {

using Checked_file::verdict;

namespace {

// Fixed markup of the program: the style sheet and the script.
constexpr std::string_view style = R"(
:root{--x:#1f5fa8;--x-inner:#6a9fd8;--y:#b35a00;--y-inner:#e59a45;--ok:#1d7a3a;--ko:#c0162c;--ink:#1b1f24;--muted:#5b6470;--line:#d5d9de}
*{box-sizing:border-box}
body{font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,sans-serif;color:var(--ink);margin:0;padding:0 12px 40px;max-width:1100px;margin-inline:auto}
h1{font-size:1.3em;margin:18px 0 4px;word-break:break-all}h2{font-size:1.12em;margin:28px 0 8px;border-bottom:1px solid var(--line);padding-bottom:4px}h3{font-size:1em;margin:16px 0 6px}
.facts{color:var(--muted);margin:0 0 12px}
.banner{border-radius:8px;padding:12px 16px;margin:12px 0;border:2px solid}
.banner h2{border:0;margin:0 0 6px;padding:0;font-size:1.15em}
.banner.compliant{background:#eaf7ee;border-color:var(--ok)}.banner.compliant h2{color:var(--ok)}
.banner.not-compliant,.banner.fatal{background:#fdecee;border-color:var(--ko)}.banner.not-compliant h2,.banner.fatal h2{color:var(--ko)}
.banner.unreadable{background:#fff6e0;border-color:#b07800}
.banner pre,.failure-note pre{white-space:pre-wrap;margin:6px 0 0;font:13px/1.4 ui-monospace,Menlo,Consolas,monospace}
.plans{display:flex;flex-direction:column;gap:18px}
.plan-figure{display:flex;flex-wrap:wrap;gap:14px;align-items:flex-start;margin:0}
.plan-figure svg{max-width:100%;height:auto;border:1px solid var(--line);border-radius:6px;background:#fff}
.failure-note{flex:1 1 260px;border-left:4px solid var(--ko);padding:4px 10px;color:var(--ko)}
.legend{display:flex;flex-wrap:wrap;gap:6px 14px;color:var(--muted);font-size:13px;margin:6px 0}
.legend span::before{content:"";display:inline-block;width:14px;height:10px;margin-right:5px;vertical-align:middle;background:var(--c);opacity:var(--o,1);border:1px solid #0003}
svg .plan-fill{fill:#f4f5f7}svg .set-back{fill:#fff;stroke:#8a929c;stroke-dasharray:4 3}svg .set-back.inherited{stroke:none}svg .contour{stroke:#111;stroke-width:2;fill:none}
svg .balcony{fill:#e3f1e1;stroke:#5d8f57;stroke-dasharray:3 2}svg .opening{stroke:#777;stroke-width:1}svg .hatch-line{stroke:#888;stroke-width:1.4}
svg .wall{stroke:#0006;stroke-width:.6}svg .wall-x.wall-facade{fill:var(--x)}svg .wall-x.wall-inner{fill:var(--x-inner)}
svg .wall-y.wall-facade{fill:var(--y)}svg .wall-y.wall-inner{fill:var(--y-inner)}svg .wall-secondary{fill-opacity:.4;stroke-dasharray:2 2}
svg .beam{stroke:#7a4b1c;stroke-width:2.5;stroke-dasharray:7 3}svg .column{fill:#333}
svg .gravity circle{fill:none;stroke:#7b2cbf;stroke-width:2}svg .gravity path{stroke:#7b2cbf;stroke-width:1.5}
svg .failing-outline{fill:none;stroke:var(--ko);stroke-width:3}svg circle.failing-outline{stroke-width:3}
svg text{font:11px system-ui,sans-serif;fill:#222}svg .level-title{font-size:15px;font-weight:600}svg .labels text{font-size:10px;fill:#000;paint-order:stroke;stroke:#fff;stroke-width:3px}
svg .north path{fill:#222}svg .north text{font-weight:700}svg .scale-dark{fill:#222}svg .scale-light{fill:#fff;stroke:#222}svg .balance{fill:#7b2cbf}
.table-wrap{overflow-x:auto}
table{border-collapse:collapse;width:100%;font-size:14px}th,td{border-bottom:1px solid var(--line);padding:5px 6px;text-align:left;vertical-align:top}
th{background:#f4f5f7;font-weight:600}td.num{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
.status{display:inline-block;border-radius:10px;padding:0 8px;font-size:12px;font-weight:600;white-space:nowrap}
.status.passed{background:#d9f1df;color:var(--ok)}.status.failed,.status.fatal{background:#fbd5da;color:var(--ko)}.status.not-reached{background:#eceef1;color:var(--muted)}
tr.failed td,tr.fatal td{background:#fff3f4}
.ref{color:var(--muted);font-size:12px}
.measures{margin:4px 0 0;padding:0;list-style:none;font-size:12.5px;color:var(--muted)}
.bar{display:inline-block;width:120px;height:9px;background:#eceef1;border-radius:5px;vertical-align:middle;position:relative;overflow:hidden;margin:0 6px}
.bar>i{position:absolute;left:0;top:0;bottom:0;background:var(--ok)}.bar.over>i{background:var(--ko)}
.bar.length>i{background:#6b7785}
details{margin:18px 0;border:1px solid var(--line);border-radius:6px;padding:6px 10px}summary{cursor:pointer;font-weight:600}
details pre{overflow-x:auto;font:12.5px/1.35 ui-monospace,Menlo,Consolas,monospace}
a{color:var(--x)}
@media (max-width:640px){body{font-size:14px;padding:0 8px 30px}.bar{width:70px}th,td{padding:4px}}
@media print{body{max-width:none;padding:0}.plan-figure{break-before:page;page-break-before:always;break-inside:avoid}
.plan-figure svg{border:0;max-height:24cm}details{border:0}details>*{display:block}.bar{print-color-adjust:exact;-webkit-print-color-adjust:exact}
svg *{print-color-adjust:exact;-webkit-print-color-adjust:exact}}
)";

// Marks the page as loaded without script error (the browser tests read it).
constexpr std::string_view script = R"(
(function(){var b=document.body;window.addEventListener('error',function(){b.setAttribute('data-script-error','yes')});
b.setAttribute('data-plans',String(document.querySelectorAll('svg.plan').length));
window.addEventListener('beforeprint',function(){document.querySelectorAll('details').forEach(function(d){d.open=true})});
b.setAttribute('data-script','ok')})();
)";

std::string n2(double v) { return Svg::number(v, 2); }

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

void head(Svg::builder& h, const std::string& title) {
  h.raw("<!DOCTYPE html>\n");
  h.open("html", {{"lang", "fr"}});
  h.open("head");
  h.empty("meta", {{"charset", "utf-8"}});
  h.empty("meta", {{"name", "viewport"}, {"content", "width=device-width, initial-scale=1"}});
  h.element("title", {}, title);
  h.open("style").raw(style).close();
  h.close();
}

void finish(Svg::builder& h) {
  h.open("script").raw(script).close();
}

// A bar of `fraction` (1.0 full); `over` colours it as past its limit.
void bar(Svg::builder& h, double fraction, bool over, std::string_view kind, const std::string& title) {
  const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
  h.open("span", {{"class", std::string("bar ") + std::string(kind) + (over ? " over" : "")}, {"title", title}});
  h.empty("i", {{"style", "width:" + Svg::number(f * 100.0, 1) + "%"}});
  h.close();
}

std::string measure_text(const Outcome::measure& m) {
  const std::string unit = m.unit.empty() ? "" : " " + std::string(m.unit);
  std::string t(m.quantity);
  if (m.niveau) t += " (" + *m.niveau + (m.element ? ", " + *m.element : "") + ")";
  else if (m.element) t += " (" + *m.element + ")";
  t += " : " + Svg::number(m.value, 3) + unit + " ";
  if (m.compare == Outcome::comparison::range)
    t += "dans [" + Svg::number(m.limit, 3) + ", " + Svg::number(m.upper_limit.value_or(m.limit), 3) + "]" + unit;
  else
    t += Outcome::comparison_name(m.compare) + " " + Svg::number(m.limit, 3) + unit;
  return t;
}

std::string facts(const Compute_data_types::batiment& b) {
  std::string material = std::string(Quavor_data_types::name_of(b.batiment_materiau_categorie));
  if (const auto* m = std::get_if<Quavor_data_types::Maconnerie>(&b.batiment_materiau_categorie))
    material += " " + std::string(Quavor_data_types::name_of(m->value.maconnerie_categorie));
  return std::string(Quavor_data_types::name_of(b.batiment_type)) + " · " +
         std::string(Quavor_data_types::name_of(b.batiment_categorie)) + " · " + n2(b.batiment_longueur) + " m × " +
         n2(b.batiment_largeur) + " m, hauteur " + n2(b.batiment_hauteur) + " m · " +
         std::string(Quavor_data_types::name_of(b.batiment_zone_de_sismicite)) + " · " + material + " · pente " +
         Svg::number(b.batiment_implantation.implantation_pente * 100.0, 2) + " % · " +
         std::to_string(b.batiment_nombre_etages) + " étage(s) · " + b.batiment_localisation;
}

void banner(Svg::builder& h, const Checked_file::result& r) {
  const std::string v = Checked_file::verdict_name(r.state);
  h.open("section", {{"class", "banner " + v}, {"id", "verdict"}});
  const Outcome::failure* f = r.checked && r.checked->outcome.failed ? &*r.checked->outcome.failed : nullptr;
  switch (r.state) {
    case verdict::compliant: h.element("h2", {}, "Conforme : tous les tests ont été réussis"); break;
    case verdict::unreadable: h.element("h2", {}, "Description illisible"); break;
    case verdict::fatal:
    case verdict::not_compliant:
      if (f) {
        const Outcome::criterion_result& c = Outcome::result_of(r.checked->outcome, f->critere);
        h.element("h2", {}, std::string(r.state == verdict::fatal ? "Arrêt (erreur fatale) : " : "Non conforme : ") +
                                f->code + " " + Outcome::title(c) + " (test " + std::to_string(f->test_number) + ")");
      } else {
        h.element("h2", {}, "Arrêt (erreur fatale)");
      }
      break;
  }
  if (f) {
    h.element("p", {{"class", "where"}},
              f->where.text + (f->elements.empty() ? "" : " · éléments : " + [&] {
                std::string s;
                for (const std::string& e : f->elements) s += (s.empty() ? "" : ", ") + e;
                return s;
              }()));
    h.element("pre", {{"class", "failure-message"}}, f->message);
  } else if (r.state != verdict::compliant) {
    h.element("pre", {{"class", "failure-message"}}, r.message);
  } else {
    h.element("p", {}, "Le bâtiment est conforme au guide TQMV " + std::string(Tqmv::tqmv_version) + ".");
  }
  h.close();
}

void legend(Svg::builder& h) {
  h.open("div", {{"class", "legend"}});
  h.element("span", {{"style", "--c:var(--x)"}}, "mur X de façade");
  h.element("span", {{"style", "--c:var(--x-inner)"}}, "mur X de refend");
  h.element("span", {{"style", "--c:var(--y)"}}, "mur Y de façade");
  h.element("span", {{"style", "--c:var(--y-inner)"}}, "mur Y de refend");
  h.element("span", {{"style", "--c:var(--x);--o:.4"}}, "mur secondaire (plus clair)");
  h.element("span", {{"style", "--c:#bbb"}}, "trémie (hachurée)");
  h.element("span", {{"style", "--c:#e3f1e1"}}, "balcon");
  h.element("span", {{"style", "--c:#7b2cbf"}}, "centre de gravité");
  h.element("span", {{"style", "--c:#c0162c"}}, "élément en défaut");
  h.close();
}

void plans(Svg::builder& h, const Compute::checked_batiment& c) {
  h.element("h2", {{"id", "plans"}}, "Plans");
  legend(h);
  const Plan_svg::frame f = Plan_svg::building_frame(c.batiment);
  h.open("div", {{"class", "plans"}});
  for (std::size_t i = 0; i < Plan_svg::level_count(c.batiment); ++i) {
    h.open("figure", {{"class", "plan-figure"}, {"data-level", Plan_svg::level_name(c.batiment, i)}});
    h.raw(Plan_svg::level_svg(c, i, f, std::to_string(i)));
    const auto& failed = c.outcome.failed;
    const bool here = failed && (Plan_svg::level_shows_failure(c, i) ||
                                 (failed->where.niveau_nom && *failed->where.niveau_nom == Plan_svg::level_name(c.batiment, i)));
    if (here) {
      h.open("figcaption", {{"class", "failure-note"}});
      h.element("strong", {}, failed->code + " (test " + std::to_string(failed->test_number) + ")");
      h.element("pre", {}, failed->message);
      h.close();
    }
    h.close();
  }
  h.close();
}

void criteria(Svg::builder& h, const Outcome::outcome& o) {
  h.element("h2", {{"id", "criteria"}}, "Critères (" + std::to_string(Outcome::passed_count(o)) + " réussis sur " +
                                            std::to_string(o.criteres.size()) + ")");
  h.open("div", {{"class", "table-wrap"}});
  h.open("table", {{"class", "criteria"}});
  h.open("thead").open("tr");
  for (const char* t : {"Code", "Critère", "État", "Test"}) h.element("th", {}, t);
  h.close().close();
  h.open("tbody");
  for (const Outcome::criterion_result& c : o.criteres) {
    const std::string status = Outcome::status_name(c.state);
    h.open("tr", {{"class", "criterion " + status}, {"data-code", Outcome::code(c)}, {"data-status", status}});
    h.element("td", {}, Outcome::code(c));
    h.open("td");
    std::string title = Outcome::title(c);
    if (!Outcome::reference(c).empty()) {
      const std::size_t at = title.rfind(" (" + Outcome::reference(c));
      if (at != std::string::npos) title.erase(at);
    }
    h.text(title);
    if (!Outcome::reference(c).empty()) h.raw(" ").element("span", {{"class", "ref"}}, Outcome::reference(c));
    if (!c.measures.empty()) {
      h.open("ul", {{"class", "measures"}});
      for (const Outcome::measure& m : c.measures) {
        const std::optional<double> u = Outcome::utilization(m);
        h.open("li", {{"class", m.passed ? "measure" : "measure failed"}});
        if (u) bar(h, *u, *u > 1.0 || !m.passed, "use", "utilisation " + Svg::number(*u, 3));
        h.text(measure_text(m));
        if (u) h.text(" · utilisation " + Svg::number(*u * 100.0, 1) + " %");
        h.close();
      }
      h.close();
    }
    h.close();
    h.open("td").element("span", {{"class", "status " + status}}, status).close();
    h.element("td", {{"class", "num"}}, c.test_number ? std::to_string(*c.test_number) : "");
    h.close();
  }
  h.close().close().close();
}

bool contains(const Compute_data_types::murs& list, const Compute_data_types::mur_ref& m) {
  return std::find(list.begin(), list.end(), m) != list.end();
}

template <class C>
void wall_table(Svg::builder& h, const Compute_data_types::batiment& b, const Compute_data_types::niveau<C>& l) {
  h.element("h3", {}, "Niveau " + l.niveau_nom);
  double longest = 0.0;
  for (const Compute_data_types::mur_ref& m : l.niveau_murs)
    longest = std::max(longest, Compute_data_utils::mur_longueur(*m));
  h.open("div", {{"class", "table-wrap"}});
  h.open("table", {{"class", "walls"}, {"data-level", l.niveau_nom}});
  h.open("thead").open("tr");
  for (const char* t : {"Mur", "Dir.", "Catégorie", "Genre", "Longueur", "Sp / Sp,max"}) h.element("th", {}, t);
  h.close().close().open("tbody");
  for (const Compute_data_types::mur_ref& m : l.niveau_murs) {
    const double length = Compute_data_utils::mur_longueur(*m);
    const bool facade = contains(l.murs_facade_calcules, m);
    h.open("tr", {{"data-wall", m->mur_nom}});
    h.element("td", {}, m->mur_nom);
    h.element("td", {}, m->mur_direction == Compute_data_types::direction::X ? "X" : "Y");
    h.element("td", {}, facade ? "façade" : "refend");
    h.element("td", {}, m->mur_genre == Quavor_data_types::mur_genre::Mur_primaire ? "primaire" : "secondaire");
    h.open("td", {{"class", "num"}});
    bar(h, longest > 0 ? length / longest : 0.0, false, "length", "longueur " + n2(length) + " m");
    h.text(n2(length) + " m").close();
    h.open("td", {{"class", "num"}});
    std::optional<double> sp_max;
    try {
      sp_max = Tqmv::batiment_sp_max(b)(length);
    } catch (const std::exception&) {
      // Outside the table: no maximum to show.
    }
    if (const auto* sp = std::get_if<Quavor_data_types::Sp_value>(&m->mur_sp)) {
      if (sp_max && *sp_max > 0) bar(h, sp->value / *sp_max, sp->value > *sp_max, "use", "Sp / Sp,max");
      h.text(n2(sp->value) + " / " + (sp_max ? n2(*sp_max) : "—") + " m2");
    } else {
      h.text(std::string(Quavor_data_types::name_of(m->mur_sp)) + (sp_max ? " / " + n2(*sp_max) + " m2" : ""));
    }
    h.close();
    h.close();
  }
  h.close().close().close();
}

void walls(Svg::builder& h, const Compute_data_types::batiment& b) {
  h.element("h2", {{"id", "walls"}}, "Murs");
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers) wall_table(h, b, l);
  wall_table(h, b, b.batiment_niveau_toit);
}

void report(Svg::builder& h, const Checked_file::result& r) {
  const Outcome::outcome& o = r.checked->outcome;
  h.open("details", {{"class", "report"}});
  if (o.failed && o.failed->fatal) {
    h.element("summary", {}, "Rapport de conformité (non écrit : erreur fatale)");
    h.element("pre", {}, r.message);
  } else {
    h.element("summary", {}, "Rapport de conformité (" + o.report_target_file_name + ")");
    h.element("pre", {{"class", "report-text"}}, report_text(o));
  }
  h.close();
}

}  // namespace

std::string report_text(const Outcome::outcome& o) {
  Format::Printer printer;
  Format::fprintf(printer, "%a@.", Report::report_print, Report::batiment_make_report(o));
  return printer.contents();
}

std::string page(const Checked_file::result& r) {
  Svg::builder h;
  head(h, "quavor · " + r.path);
  h.open("body", {{"data-verdict", Checked_file::verdict_name(r.state)}});
  h.element("h1", {}, r.path);
  if (r.checked) h.element("p", {{"class", "facts"}}, facts(r.checked->batiment));
  banner(h, r);
  if (r.checked) {
    plans(h, *r.checked);
    criteria(h, r.checked->outcome);
    walls(h, r.checked->batiment);
    report(h, r);
  }
  h.element("p", {{"class", "facts"}}, "quavor " + Quavor_configuration::version() + " · guide TQMV " +
                                           std::string(Tqmv::tqmv_version));
  finish(h);
  return h.str();
}

std::string index_page(const nlohmann::ordered_json& rows) {
  Svg::builder h;
  head(h, "quavor · " + std::to_string(rows.size()) + " descriptions");
  h.open("body", {{"data-verdict", "index"}});
  std::map<std::string, int> counts;
  for (const nlohmann::ordered_json& row : rows) ++counts[row.at("verdict").get<std::string>()];
  h.element("h1", {}, std::to_string(rows.size()) + " descriptions");
  h.element("p", {{"class", "facts"}}, std::to_string(counts["compliant"]) + " conformes · " +
                                           std::to_string(counts["not-compliant"]) + " non conformes · " +
                                           std::to_string(counts["fatal"]) + " fatales · " +
                                           std::to_string(counts["unreadable"]) + " illisibles");
  h.open("div", {{"class", "table-wrap"}});
  h.open("table", {{"class", "index"}});
  h.open("thead").open("tr");
  for (const char* t : {"Description", "Verdict", "Critère en défaut", "Test", "Niveau", "Éléments", "Réussis"})
    h.element("th", {}, t);
  h.close().close().open("tbody");
  for (const nlohmann::ordered_json& row : rows) {
    const std::string v = row.at("verdict").get<std::string>();
    const std::string path = row.at("description").get<std::string>();
    h.open("tr", {{"class", "description " + v}, {"data-verdict", v}});
    h.open("td");
    if (row.at("page").is_string())
      h.element("a", {{"href", row.at("page").get<std::string>()}}, path);
    else
      h.text(path);
    h.close();
    h.open("td").element("span", {{"class", std::string("status ") + (v == "compliant" ? "passed" : "failed")}}, v).close();
    const nlohmann::ordered_json& f = row.at("failure");
    if (f.is_object()) {
      h.element("td", {}, f.at("code").get<std::string>() + " " + f.at("title").get<std::string>());
      h.element("td", {{"class", "num"}}, std::to_string(f.at("test_number").get<int>()));
      h.element("td", {}, f.at("level").is_string() ? f.at("level").get<std::string>() : "");
      std::string elements;
      for (const nlohmann::ordered_json& e : f.at("elements")) elements += (elements.empty() ? "" : ", ") + e.get<std::string>();
      h.element("td", {}, elements);
    } else {
      h.element("td", {}, row.at("message").is_string() ? first_line(row.at("message").get<std::string>()) : "");
      h.element("td", {}, "").element("td", {}, "").element("td", {}, "");
    }
    h.element("td", {{"class", "num"}}, std::to_string(row.at("criteria_passed").get<int>()));
    h.close();
  }
  h.close().close().close();
  finish(h);
  return h.str();
}

}  // namespace Page_html
