#include "model/compute_data_types_print.hpp"

#include "text/exceptions.hpp"

namespace Compute_data_types_print {

using Og_printer::deferred;
using Og_printer::printer_Bool;
using Og_printer::printer_constant;
using Og_printer::printer_constructor;
using Og_printer::printer_Float;
using Og_printer::printer_Int;
using Og_printer::printer_List;
using Og_printer::printer_String;
using Og_printer::Record;
using Quavor_data_types_print::printer_tremie_nom;
using Quavor_data_types_print::printer_balcon_nom;
using Quavor_data_types_print::printer_mur_categorie;
using Quavor_data_types_print::printer_mur_genre;
using Quavor_data_types_print::printer_mur_nom;
using Quavor_data_types_print::printer_mur_sp;
using Quavor_data_types_print::printer_poteau_nom;
using Quavor_data_types_print::printer_poutre_nom;
using Quavor_data_types_print::printer_retrait_nom;
using Quavor_data_types_print::printer_etage;
using Quavor_data_types_print::printer_plan_nom;
using Quavor_data_types_print::printer_plancher_categorie;
using Quavor_data_types_print::printer_dalle_beton_categorie;
using Quavor_data_types_print::printer_bois_categorie;
using Quavor_data_types_print::printer_sol_categorie;
using Quavor_data_types_print::printer_batiment_type;
using Quavor_data_types_print::printer_batiment_categorie;
using Quavor_data_types_print::printer_zone_de_sismicite;
using Compute_pervasives_types_print::printer_rectangle;
using Compute_pervasives_types_print::printer_segment;
using Compute_pervasives_types_print::printer_segments;
using Quavor_pervasives_types_print::printer_cardinal_point;
using Quavor_pervasives_types_print::printer_direction;
using Quavor_pervasives_types_print::printer_point;
using Quavor_pervasives_types_print::printer_point_pondere;

void printer_retrait_categorie(context_kind context, Printer& ppf, retrait_categorie v) {
  switch (v) {
    case retrait_categorie::Retrait_en_elevation:
      return printer_constant(context, ppf, "Retrait_en_elevation");
    case retrait_categorie::Retrait_en_plan: return printer_constant(context, ppf, "Retrait_en_plan");
  }
  throw Assertion_failure("src/compute/compute_data_types_print");
}

void printer_contact_contour(context_kind context, Printer& ppf, const contact_contour& v) {
  Record(context, ppf)
      .field("contact_segment", printer_segment, v.contact_segment)
      .field("contact_contour", printer_segment, v.contact_contour)
      .field("contact_side", printer_cardinal_point, v.contact_side)
      .close();
}

void printer_tremie(context_kind context, Printer& ppf, const tremie& v) {
  Record(context, ppf)
      .field("tremie_rectangle", printer_rectangle, v.tremie_rectangle)
      .field("tremie_nom", printer_tremie_nom, v.tremie_nom)
      .field("tremie_centre", printer_point_pondere, v.tremie_centre)
      .close();
}
void printer_tremies(context_kind context, Printer& ppf, const tremies& v) {
  printer_List(printer_tremie, context, ppf, v);
}

void printer_balcon(context_kind context, Printer& ppf, const balcon& v) {
  Record(context, ppf)
      .field("balcon_rectangle", printer_rectangle, v.balcon_rectangle)
      .field("balcon_nom", printer_balcon_nom, v.balcon_nom)
      .field("balcon_centre", printer_point_pondere, v.balcon_centre)
      .close();
}
void printer_balcons(context_kind context, Printer& ppf, const balcons& v) {
  printer_List(printer_balcon, context, ppf, v);
}

// A wall's foundation: the support under it, once looked for.
static void printer_fondement(context_kind context, Printer& ppf, const info<appui>& v) {
  printer_info(printer_appui, context, ppf, v);
}

void printer_mur(context_kind context, Printer& ppf, const mur& v) {
  Record(context, ppf)
      .field("mur_categorie", printer_mur_categorie, v.mur_categorie)
      .field("mur_direction", printer_direction, v.mur_direction)
      .field("mur_numero", printer_Int, v.mur_numero)
      .field("mur_genre", printer_mur_genre, v.mur_genre)
      .field("mur_nom", printer_mur_nom, v.mur_nom)
      .field("mur_sp", printer_mur_sp, v.mur_sp)
      .field("mur_hauteur", printer_Float, v.mur_hauteur)
      .field("mur_rectangle", printer_rectangle, v.mur_rectangle)
      .field("mur_surface_au_sol", printer_Float, v.mur_surface_au_sol)
      .field("mur_fondement", printer_fondement, v.mur_fondement)
      .close();
}
void printer_mur_ref(context_kind context, Printer& ppf, const mur_ref& v) {
  printer_shared(printer_mur)(context, ppf, v);
}
void printer_murs(context_kind context, Printer& ppf, const murs& v) {
  printer_List(printer_mur_ref, context, ppf, v);
}

void printer_poteau(context_kind context, Printer& ppf, const poteau& v) {
  Record(context, ppf)
      .field("poteau_nom", printer_poteau_nom, v.poteau_nom)
      .field("poteau_position", printer_point, v.poteau_position)
      .field("poteau_fondement", printer_fondement, v.poteau_fondement)
      .close();
}
void printer_poteau_ref(context_kind context, Printer& ppf, const poteau_ref& v) {
  printer_shared(printer_poteau)(context, ppf, v);
}
void printer_poteaux(context_kind context, Printer& ppf, const poteaux& v) {
  printer_List(printer_poteau_ref, context, ppf, v);
}

void printer_appui(context_kind context, Printer& ppf, const appui& v) {
  if (const auto* p = std::get_if<Appui_poteau>(&v))
    printer_constructor(context, ppf, "Appui_poteau", printer_poteau_ref, p->value);
  else
    printer_constructor(context, ppf, "Appui_mur", printer_mur_ref, std::get<Appui_mur>(v).value);
}

void printer_poutre_fondement(context_kind context, Printer& ppf, const poutre_fondement& v) {
  Record(context, ppf)
      .field("appui_position", printer_appui, v.appui_position)
      .field("appui_vertex", printer_appui, v.appui_vertex)
      .close();
}

static void printer_poutre_fondement_info(context_kind context, Printer& ppf,
                                          const info<poutre_fondement>& v) {
  printer_info(printer_poutre_fondement, context, ppf, v);
}

void printer_poutre(context_kind context, Printer& ppf, const poutre& v) {
  Record(context, ppf)
      .field("poutre_segment", printer_segment, v.poutre_segment)
      .field("poutre_numero", printer_Int, v.poutre_numero)
      .field("poutre_nom", printer_poutre_nom, v.poutre_nom)
      .field("poutre_fondement", printer_poutre_fondement_info, v.poutre_fondement)
      .close();
}
void printer_poutre_ref(context_kind context, Printer& ppf, const poutre_ref& v) {
  printer_shared(printer_poutre)(context, ppf, v);
}
void printer_poutres(context_kind context, Printer& ppf, const poutres& v) {
  printer_List(printer_poutre_ref, context, ppf, v);
}

static void printer_retrait_categorie_info(context_kind context, Printer& ppf,
                                           const info<retrait_categorie>& v) {
  printer_info(printer_retrait_categorie, context, ppf, v);
}

void printer_retrait(context_kind context, Printer& ppf, const retrait& v) {
  Record(context, ppf)
      .field("retrait_rectangle", printer_rectangle, v.retrait_rectangle)
      .field("retrait_nom", printer_retrait_nom, v.retrait_nom)
      .field("retrait_surface", printer_Float, v.retrait_surface)
      .field("retrait_centre", printer_point, v.retrait_centre)
      .field("retrait_categorie", printer_retrait_categorie_info, v.retrait_categorie)
      .close();
}
void printer_retrait_ref(context_kind context, Printer& ppf, const retrait_ref& v) {
  printer_shared(printer_retrait)(context, ppf, v);
}
void printer_retraits(context_kind context, Printer& ppf, const retraits& v) {
  printer_List(printer_retrait_ref, context, ppf, v);
}

void printer_plan(context_kind context, Printer& ppf, const plan& v) {
  Record(context, ppf)
      .field("plan_retraits", printer_retraits, v.plan_retraits)
      .field("plan_base", printer_base, v.plan_base)
      .field("plan_etage", printer_etage, v.plan_etage)
      .field("plan_nom", printer_plan_nom, v.plan_nom)
      .field("plan_centre", printer_point_pondere, v.plan_centre)
      .field("plan_surface", printer_Float, v.plan_surface)
      .field("plan_base_surface", printer_Float, v.plan_base_surface)
      .field("plan_contour", printer_segments, v.plan_contour)
      .field("plan_contour_x", printer_segments, v.plan_contour_x)
      .field("plan_contour_y", printer_segments, v.plan_contour_y)
      .field("plan_min_x", printer_Float, v.plan_min_x)
      .field("plan_max_x", printer_Float, v.plan_max_x)
      .field("plan_min_y", printer_Float, v.plan_min_y)
      .field("plan_max_y", printer_Float, v.plan_max_y)
      .field("plan_width", printer_Float, v.plan_width)
      .field("plan_height", printer_Float, v.plan_height)
      .field("plan_base_width", printer_Float, v.plan_base_width)
      .field("plan_base_height", printer_Float, v.plan_base_height)
      .close();
}

void printer_base(context_kind context, Printer& ppf, const base& v) {
  if (const auto* r = std::get_if<Base_rectangle>(&v))
    return printer_constructor(context, ppf, "Base_rectangle", printer_rectangle, r->value);
  const Base_plan& inner = std::get<Base_plan>(v);
  if (inner.value)
    printer_constructor(context, ppf, "Base_plan", printer_plan, *inner.value);
  else
    printer_constructor(context, ppf, "Base_plan", printer_shared(printer_plan), inner.value);
}

void printer_plancher(context_kind context, Printer& ppf, const plancher& v) {
  Record(context, ppf)
      .field("plancher_categorie", printer_plancher_categorie, v.plancher_categorie)
      .field("plancher_epaisseur", printer_Float, v.plancher_epaisseur)
      .field("plancher_balcons", printer_balcons, v.plancher_balcons)
      .field("plancher_tremies", printer_tremies, v.plancher_tremies)
      .field("plancher_charge_revetement", printer_Float, v.plancher_charge_revetement)
      .field("plancher_charge_cloison", printer_Float, v.plancher_charge_cloison)
      .field("plancher_plan", printer_plan, v.plancher_plan)
      .field("plancher_centre", printer_point_pondere, v.plancher_centre)
      .field("plancher_surface", printer_Float, v.plancher_surface)
      .field("plancher_diaphragme_surface", printer_Float, v.plancher_diaphragme_surface)
      .close();
}

void printer_toiture_lourde(context_kind context, Printer& ppf, const toiture_lourde& v) {
  Record(context, ppf)
      .field("toiture_lourde_categorie", printer_dalle_beton_categorie, v.toiture_lourde_categorie)
      .field("toiture_lourde_epaisseur", printer_Float, v.toiture_lourde_epaisseur)
      .close();
}

void printer_toiture_categorie(context_kind context, Printer& ppf, const toiture_categorie& v) {
  if (const auto* lourde = std::get_if<Toiture_lourde>(&v))
    printer_constructor(context, ppf, "Toiture_lourde", printer_toiture_lourde, lourde->value);
  else
    printer_constructor(context, ppf, "Toiture_legere", printer_bois_categorie,
                        std::get<Toiture_legere>(v).value);
}

void printer_toiture(context_kind context, Printer& ppf, const toiture& v) {
  Record(context, ppf)
      .field("toiture_categorie", printer_toiture_categorie, v.toiture_categorie)
      .field("toiture_epaisseur", printer_Float, v.toiture_epaisseur)
      .field("toiture_balcons", printer_balcons, v.toiture_balcons)
      .field("toiture_tremies", printer_tremies, v.toiture_tremies)
      .field("toiture_hauteur", printer_Float, v.toiture_hauteur)
      .field("toiture_plan", printer_plan, v.toiture_plan)
      .field("toiture_centre", printer_point_pondere, v.toiture_centre)
      .field("toiture_surface", printer_Float, v.toiture_surface)
      .close();
}

void printer_niveau_plancher(context_kind context, Printer& ppf, const niveau_plancher& v) {
  printer_niveau(printer_plancher, context, ppf, v);
}
void printer_niveau_planchers(context_kind context, Printer& ppf, const niveau_planchers& v) {
  printer_List(printer_niveau_plancher, context, ppf, v);
}
void printer_niveau_toit(context_kind context, Printer& ppf, const niveau_toit& v) {
  printer_niveau(printer_toiture, context, ppf, v);
}

void printer_maconnerie(context_kind context, Printer& ppf, const maconnerie& v) {
  Input_data_types_print::printer_maconnerie(context, ppf, v);
}
void printer_materiau_categorie(context_kind context, Printer& ppf, const materiau_categorie& v) {
  Input_data_types_print::printer_materiau_categorie(context, ppf, v);
}

void printer_batiment_implantation(context_kind context, Printer& ppf,
                                   const batiment_implantation& v) {
  Record(context, ppf)
      .field("implantation_sol", printer_sol_categorie, v.implantation_sol)
      .field("implantation_pente", printer_Float, v.implantation_pente)
      .field("implantation_pente_needs_justification", printer_Bool,
             v.implantation_pente_needs_justification)
      .close();
}

void printer_sous_sol(context_kind context, Printer& ppf, const sous_sol& v) {
  if (const auto* s = std::get_if<Sous_sol>(&v))
    printer_constructor(context, ppf, "Sous_sol", printer_Float, s->value);
  else
    printer_constant(context, ppf, "Soubassement");
}

void printer_batiment(context_kind context, Printer& ppf, const batiment& v) {
  Record(context, ppf)
      .field("batiment_type", printer_batiment_type, v.batiment_type)
      .field("batiment_categorie", printer_batiment_categorie, v.batiment_categorie)
      .field("batiment_localisation", printer_String, v.batiment_localisation)
      .field("batiment_implantation", printer_batiment_implantation, v.batiment_implantation)
      .field("batiment_zone_de_sismicite", printer_zone_de_sismicite, v.batiment_zone_de_sismicite)
      .field("batiment_materiau_categorie", printer_materiau_categorie, v.batiment_materiau_categorie)
      .field("batiment_largeur", printer_Float, v.batiment_largeur)
      .field("batiment_longueur", printer_Float, v.batiment_longueur)
      .field("batiment_hauteur", printer_Float, v.batiment_hauteur)
      .field("batiment_hauteur_max_par_niveau", printer_Float, v.batiment_hauteur_max_par_niveau)
      .field("batiment_sous_sol", printer_sous_sol, v.batiment_sous_sol)
      .field("batiment_niveau_planchers", printer_niveau_planchers, v.batiment_niveau_planchers)
      .field("batiment_niveau_toit", printer_niveau_toit, v.batiment_niveau_toit)
      .field("batiment_file_name", printer_String, v.batiment_file_name)
      .field("batiment_report_file_name", printer_String, v.batiment_report_file_name)
      .field("batiment_nombre_etages", printer_Int, v.batiment_nombre_etages)
      .close();
}

void printer_input_data(context_kind context, Printer& ppf, const input_data& v) {
  Record(context, ppf).field("batiment", printer_batiment, v.batiment).close();
}

Thunk print_retrait_categorie(retrait_categorie v) { return deferred(printer_retrait_categorie, v); }
Thunk print_contact_contour(const contact_contour& v) { return deferred(printer_contact_contour, v); }
Thunk print_tremie(const tremie& v) { return deferred(printer_tremie, v); }
Thunk print_tremies(const tremies& v) { return deferred(printer_tremies, v); }
Thunk print_balcon(const balcon& v) { return deferred(printer_balcon, v); }
Thunk print_balcons(const balcons& v) { return deferred(printer_balcons, v); }
Thunk print_mur(const mur& v) { return deferred(printer_mur, v); }
Thunk print_murs(const murs& v) { return deferred(printer_murs, v); }
Thunk print_poteau(const poteau& v) { return deferred(printer_poteau, v); }
Thunk print_poteaux(const poteaux& v) { return deferred(printer_poteaux, v); }
Thunk print_appui(const appui& v) { return deferred(printer_appui, v); }
Thunk print_poutre_fondement(const poutre_fondement& v) {
  return deferred(printer_poutre_fondement, v);
}
Thunk print_poutre(const poutre& v) { return deferred(printer_poutre, v); }
Thunk print_poutres(const poutres& v) { return deferred(printer_poutres, v); }
Thunk print_retrait(const retrait& v) { return deferred(printer_retrait, v); }
Thunk print_retraits(const retraits& v) { return deferred(printer_retraits, v); }
Thunk print_plan(const plan& v) { return deferred(printer_plan, v); }
Thunk print_base(const base& v) { return deferred(printer_base, v); }
Thunk print_plancher(const plancher& v) { return deferred(printer_plancher, v); }
Thunk print_toiture_lourde(const toiture_lourde& v) { return deferred(printer_toiture_lourde, v); }
Thunk print_toiture_categorie(const toiture_categorie& v) {
  return deferred(printer_toiture_categorie, v);
}
Thunk print_toiture(const toiture& v) { return deferred(printer_toiture, v); }
Thunk print_niveau_plancher(const niveau_plancher& v) { return deferred(printer_niveau_plancher, v); }
Thunk print_niveau_planchers(const niveau_planchers& v) {
  return deferred(printer_niveau_planchers, v);
}
Thunk print_niveau_toit(const niveau_toit& v) { return deferred(printer_niveau_toit, v); }
Thunk print_maconnerie(const maconnerie& v) { return deferred(printer_maconnerie, v); }
Thunk print_materiau_categorie(const materiau_categorie& v) {
  return deferred(printer_materiau_categorie, v);
}
Thunk print_batiment_implantation(const batiment_implantation& v) {
  return deferred(printer_batiment_implantation, v);
}
Thunk print_sous_sol(const sous_sol& v) { return deferred(printer_sous_sol, v); }
Thunk print_batiment(const batiment& v) { return deferred(printer_batiment, v); }
Thunk print_input_data(const input_data& v) { return deferred(printer_input_data, v); }

}  // namespace Compute_data_types_print
