#include "description/input_data_types_read.hpp"

#include "text/format.hpp"
#include "text/scanner_utils.hpp"

namespace Input_data_types_read {

using namespace Quavor_data_types_read;
using namespace Quavor_pervasives_types_read;
using Og_scanner::scanner_List;
using Scanning::r;
using Scanning::scan;

rectangle scanner_rectangle(Scanbuf& ib) {
  rectangle x{};
  scan(ib,
       "{ rectangle_width = %f ; rectangle_height = %f ; rectangle_position = %r ; }",
       x.rectangle_width, x.rectangle_height, r(scanner_point, x.rectangle_position));
  return x;
}

tremie scanner_tremie(Scanbuf& ib) {
  tremie x{};
  scan(ib, "{ tremie_rectangle = %r ; tremie_nom = %S ; }",
       r(scanner_rectangle, x.tremie_rectangle), x.tremie_nom);
  return x;
}

balcon scanner_balcon(Scanbuf& ib) {
  balcon x{};
  scan(ib, "{ balcon_rectangle = %r ; balcon_nom = %S ; }",
       r(scanner_rectangle, x.balcon_rectangle), x.balcon_nom);
  return x;
}

mur scanner_mur(Scanbuf& ib) {
  mur x{};
  scan(ib,
       "{ mur_categorie = %r ; mur_position = %r ; mur_direction = %r ; mur_numero = %d ; "
       "mur_genre = %r ; mur_solide = %r ; mur_nom = %S ; mur_sp = %r ; }",
       r(scanner_mur_categorie, x.mur_categorie), r(scanner_point, x.mur_position),
       r(scanner_direction, x.mur_direction), x.mur_numero, r(scanner_mur_genre, x.mur_genre),
       r(scanner_solide, x.mur_solide), x.mur_nom, r(scanner_mur_sp, x.mur_sp));
  return x;
}

poteau scanner_poteau(Scanbuf& ib) {
  poteau x{};
  scan(ib, "{ poteau_position = %r ; poteau_nom = %S ; }",
       r(scanner_point, x.poteau_position), x.poteau_nom);
  return x;
}

poutre scanner_poutre(Scanbuf& ib) {
  poutre x{};
  scan(ib,
       "{ poutre_position = %r ; poutre_direction = %r ; poutre_length = %f ; "
       "poutre_numero = %d ; poutre_nom = %S ; }",
       r(scanner_point, x.poutre_position), r(scanner_direction, x.poutre_direction),
       x.poutre_length, x.poutre_numero, x.poutre_nom);
  return x;
}

plancher scanner_plancher(Scanbuf& ib) {
  plancher x{};
  scan(ib,
       "{ plancher_categorie = %r ; plancher_epaisseur = %f ; plancher_tremies = %r ; "
       "plancher_balcons = %r ; plancher_charge_revetement = %f ; "
       "plancher_charge_cloison = %f ; }",
       r(scanner_plancher_categorie, x.plancher_categorie), x.plancher_epaisseur,
       r(scanner_tremies, x.plancher_tremies), r(scanner_balcons, x.plancher_balcons),
       x.plancher_charge_revetement, x.plancher_charge_cloison);
  return x;
}

Input_data_types::toiture_lourde scanner_toiture_lourde(Scanbuf& ib) {
  Input_data_types::toiture_lourde x{};
  scan(ib,
       "{ toiture_lourde_categorie = %r ; toiture_lourde_epaisseur = %f ; "
       "toiture_lourde_tremies = %r ; }",
       r(scanner_dalle_beton_categorie, x.toiture_lourde_categorie), x.toiture_lourde_epaisseur,
       r(scanner_tremies, x.toiture_lourde_tremies));
  return x;
}

Input_data_types::type_toiture scanner_type_toiture(Scanbuf& ib) {
  std::string ident = Scanner_utils::scan_uident(ib);
  if (ident == "Toiture_legere") {
    Toiture_legere t{};
    scan(ib, " %r", r(scanner_bois_categorie, t.value));
    return t;
  }
  if (ident == "Toiture_lourde") {
    Toiture_lourde t{};
    scan(ib, " %r", r(scanner_toiture_lourde, t.value));
    return t;
  }
  Scanner_utils::invalid_token_kind_error(ident, ib, "genre de toiture");
}

toiture scanner_toiture(Scanbuf& ib) {
  toiture x{};
  scan(ib, "{ toiture_type = %r ; toiture_hauteur = %f ; toiture_balcons = %r ; }",
       r(scanner_type_toiture, x.toiture_type), x.toiture_hauteur,
       r(scanner_balcons, x.toiture_balcons));
  return x;
}

retrait scanner_retrait(Scanbuf& ib) {
  retrait x{};
  scan(ib, "{ retrait_rectangle = %r ; retrait_nom = %S ; }",
       r(scanner_rectangle, x.retrait_rectangle), x.retrait_nom);
  return x;
}

plan_base scanner_plan_base(Scanbuf& ib) {
  std::string ident = Scanner_utils::scan_uident(ib);
  if (ident == "Base_rectangle") {
    Base_rectangle b{};
    scan(ib, " %r ", r(scanner_rectangle, b.value));
    return b;
  }
  if (ident == "Base_plan") {
    plan inner{};
    scan(ib, " %r ", r(scanner_plan, inner));
    return make_base_plan(std::move(inner));
  }
  Scanner_utils::invalid_token_kind_error(ident, ib, "plan");
}

namespace {

// Far above any real house (a few plans at most), low enough that every
// recursive walk over a plan chain stays well within the stack.
constexpr int max_plan_depth = 1024;
// The depth of the reading under way on this thread: it measures this
// thread's own stack, and two descriptions may be read at once.
thread_local int plan_depth = 0;

struct Plan_depth_guard {
  Plan_depth_guard() {
    if (plan_depth >= max_plan_depth)
      throw Nesting_too_deep(Format::sprintf("value nested deeper than %d levels (plans standing on plans)",
                                             max_plan_depth));
    ++plan_depth;
  }
  ~Plan_depth_guard() { --plan_depth; }
  Plan_depth_guard(const Plan_depth_guard&) = delete;
  Plan_depth_guard& operator=(const Plan_depth_guard&) = delete;
};

}  // namespace

plan scanner_plan(Scanbuf& ib) {
  const Plan_depth_guard depth;
  plan x{};
  scan(ib, "{ plan_retraits = %r ; plan_base = %r ; plan_etage = %i ; plan_nom = %S ; }",
       r(scanner_retraits, x.plan_retraits), r(scanner_plan_base, x.plan_base), x.plan_etage,
       x.plan_nom);
  return x;
}

batiment_implantation scanner_batiment_implantation(Scanbuf& ib) {
  batiment_implantation x{};
  scan(ib, "{ implantation_sol = %r ; implantation_pente = %f ; }",
       r(scanner_sol_categorie, x.implantation_sol), x.implantation_pente);
  return x;
}

std::optional<sous_sol> scanner_batiment_sous_sol(Scanbuf& ib) {
  return Og_scanner::scanner_Option(scanner_sous_sol, ib);
}

niveau_plancher scanner_niveau_plancher(Scanbuf& ib) {
  return scanner_niveau(scanner_plancher, ib);
}

niveau_toit scanner_niveau_toit(Scanbuf& ib) { return scanner_niveau(scanner_toiture, ib); }

std::vector<niveau_plancher> scanner_niveau_planchers(Scanbuf& ib) {
  return scanner_List(scanner_niveau_plancher, ib);
}

batiment scanner_batiment(Scanbuf& ib) {
  batiment x{};
  scan(ib,
       "{ batiment_type = %r ; batiment_categorie = %r ; batiment_localisation = %S ; "
       "batiment_implantation = %r ; batiment_zone_de_sismicite = %r ; "
       "batiment_materiau = %r ; batiment_largeur = %f ; batiment_longueur = %f ; "
       "batiment_hauteur = %f ; batiment_hauteur_max_par_niveau = %f ; "
       "batiment_sous_sol = %r ; batiment_niveau_planchers = %r ; "
       "batiment_niveau_toit = %r ; batiment_file_name = %r ; }",
       r(scanner_batiment_type, x.batiment_type),
       r(scanner_batiment_categorie, x.batiment_categorie), x.batiment_localisation,
       r(scanner_batiment_implantation, x.batiment_implantation),
       r(scanner_zone_de_sismicite, x.batiment_zone_de_sismicite),
       r(scanner_materiau_categorie, x.batiment_materiau), x.batiment_largeur,
       x.batiment_longueur, x.batiment_hauteur, x.batiment_hauteur_max_par_niveau,
       r(scanner_batiment_sous_sol, x.batiment_sous_sol),
       r(scanner_niveau_planchers, x.batiment_niveau_planchers),
       r(scanner_niveau_toit, x.batiment_niveau_toit),
       r(scanner_file_name, x.batiment_file_name));
  return x;
}

input_data scanner_input_data(Scanbuf& ib) {
  input_data x{};
  scan(ib, "{ batiment = %r ; }", r(scanner_batiment, x.batiment));
  return x;
}

std::vector<tremie> scanner_tremies(Scanbuf& ib) { return scanner_List(scanner_tremie, ib); }
std::vector<balcon> scanner_balcons(Scanbuf& ib) { return scanner_List(scanner_balcon, ib); }
std::vector<mur> scanner_murs(Scanbuf& ib) { return scanner_List(scanner_mur, ib); }
std::vector<poteau> scanner_poteaux(Scanbuf& ib) { return scanner_List(scanner_poteau, ib); }
std::vector<poutre> scanner_poutres(Scanbuf& ib) { return scanner_List(scanner_poutre, ib); }
std::vector<retrait> scanner_retraits(Scanbuf& ib) { return scanner_List(scanner_retrait, ib); }

}  // namespace Input_data_types_read
