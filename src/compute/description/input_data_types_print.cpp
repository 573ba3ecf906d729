#include "description/input_data_types_print.hpp"

namespace Input_data_types_print {

using Og_printer::deferred;
using Og_printer::printer_constant;
using Og_printer::printer_constructor;
using Og_printer::printer_List;
using Og_printer::Record;
using namespace Quavor_data_types_print;
using Quavor_pervasives_types_print::printer_direction;
using Quavor_pervasives_types_print::printer_length;
using Quavor_pervasives_types_print::printer_masse;
using Quavor_pervasives_types_print::printer_metre;
using Quavor_pervasives_types_print::printer_pente;
using Quavor_pervasives_types_print::printer_point;
using Quavor_pervasives_types_print::printer_solide;

void printer_rectangle(context_kind context, Printer& ppf, const rectangle& v) {
  Record(context, ppf)
      .field("rectangle_width", printer_length, v.rectangle_width)
      .field("rectangle_height", printer_length, v.rectangle_height)
      .field("rectangle_position", printer_point, v.rectangle_position)
      .close();
}

void printer_segment(context_kind context, Printer& ppf, const segment& v) {
  Record(context, ppf)
      .field("segment_position", printer_point, v.segment_position)
      .field("segment_direction", printer_direction, v.segment_direction)
      .field("segment_length", printer_length, v.segment_length)
      .close();
}

void printer_tremie(context_kind context, Printer& ppf, const tremie& v) {
  Record(context, ppf)
      .field("tremie_rectangle", printer_rectangle, v.tremie_rectangle)
      .field("tremie_nom", printer_tremie_nom, v.tremie_nom)
      .close();
}
void printer_tremies(context_kind context, Printer& ppf, const std::vector<tremie>& v) {
  printer_List(printer_tremie, context, ppf, v);
}

void printer_balcon(context_kind context, Printer& ppf, const balcon& v) {
  Record(context, ppf)
      .field("balcon_rectangle", printer_rectangle, v.balcon_rectangle)
      .field("balcon_nom", printer_balcon_nom, v.balcon_nom)
      .close();
}
void printer_balcons(context_kind context, Printer& ppf, const std::vector<balcon>& v) {
  printer_List(printer_balcon, context, ppf, v);
}

void printer_mur(context_kind context, Printer& ppf, const mur& v) {
  Record(context, ppf)
      .field("mur_categorie", printer_mur_categorie, v.mur_categorie)
      .field("mur_position", printer_point, v.mur_position)
      .field("mur_direction", printer_direction, v.mur_direction)
      .field("mur_numero", Og_printer::printer_Int, v.mur_numero)
      .field("mur_genre", printer_mur_genre, v.mur_genre)
      .field("mur_solide", printer_solide, v.mur_solide)
      .field("mur_nom", printer_mur_nom, v.mur_nom)
      .field("mur_sp", printer_mur_sp, v.mur_sp)
      .close();
}
void printer_murs(context_kind context, Printer& ppf, const std::vector<mur>& v) {
  printer_List(printer_mur, context, ppf, v);
}

void printer_poteau(context_kind context, Printer& ppf, const poteau& v) {
  Record(context, ppf)
      .field("poteau_position", printer_point, v.poteau_position)
      .field("poteau_nom", printer_poteau_nom, v.poteau_nom)
      .close();
}
void printer_poteaux(context_kind context, Printer& ppf, const std::vector<poteau>& v) {
  printer_List(printer_poteau, context, ppf, v);
}

void printer_poutre(context_kind context, Printer& ppf, const poutre& v) {
  Record(context, ppf)
      .field("poutre_position", printer_point, v.poutre_position)
      .field("poutre_direction", printer_direction, v.poutre_direction)
      .field("poutre_length", printer_length, v.poutre_length)
      .field("poutre_numero", Og_printer::printer_Int, v.poutre_numero)
      .field("poutre_nom", printer_poutre_nom, v.poutre_nom)
      .close();
}
void printer_poutres(context_kind context, Printer& ppf, const std::vector<poutre>& v) {
  printer_List(printer_poutre, context, ppf, v);
}

void printer_charge_revetement(context_kind context, Printer& ppf, double v) {
  printer_masse(context, ppf, v);
}
void printer_charge_cloison(context_kind context, Printer& ppf, double v) {
  printer_masse(context, ppf, v);
}

void printer_plancher(context_kind context, Printer& ppf, const plancher& v) {
  Record(context, ppf)
      .field("plancher_categorie", printer_plancher_categorie, v.plancher_categorie)
      .field("plancher_epaisseur", printer_metre, v.plancher_epaisseur)
      .field("plancher_tremies", printer_tremies, v.plancher_tremies)
      .field("plancher_balcons", printer_balcons, v.plancher_balcons)
      .field("plancher_charge_revetement", printer_charge_revetement, v.plancher_charge_revetement)
      .field("plancher_charge_cloison", printer_charge_cloison, v.plancher_charge_cloison)
      .close();
}

void printer_toiture_legere(context_kind context, Printer& ppf, bois_categorie v) {
  printer_bois_categorie(context, ppf, v);
}

void printer_toiture_lourde(context_kind context, Printer& ppf, const toiture_lourde& v) {
  Record(context, ppf)
      .field("toiture_lourde_categorie", printer_dalle_beton_categorie, v.toiture_lourde_categorie)
      .field("toiture_lourde_epaisseur", printer_metre, v.toiture_lourde_epaisseur)
      .field("toiture_lourde_tremies", printer_tremies, v.toiture_lourde_tremies)
      .close();
}

void printer_type_toiture(context_kind context, Printer& ppf, const type_toiture& v) {
  if (const auto* legere = std::get_if<Toiture_legere>(&v))
    printer_constructor(context, ppf, "Toiture_legere", printer_toiture_legere, legere->value);
  else
    printer_constructor(context, ppf, "Toiture_lourde", printer_toiture_lourde,
                        std::get<Toiture_lourde>(v).value);
}

void printer_toiture(context_kind context, Printer& ppf, const toiture& v) {
  Record(context, ppf)
      .field("toiture_type", printer_type_toiture, v.toiture_type)
      .field("toiture_hauteur", printer_metre, v.toiture_hauteur)
      .field("toiture_balcons", printer_balcons, v.toiture_balcons)
      .close();
}

void printer_retrait(context_kind context, Printer& ppf, const retrait& v) {
  Record(context, ppf)
      .field("retrait_rectangle", printer_rectangle, v.retrait_rectangle)
      .field("retrait_nom", printer_retrait_nom, v.retrait_nom)
      .close();
}
void printer_retraits(context_kind context, Printer& ppf, const std::vector<retrait>& v) {
  printer_List(printer_retrait, context, ppf, v);
}

void printer_plan(context_kind context, Printer& ppf, const plan& v) {
  Record(context, ppf)
      .field("plan_retraits", printer_retraits, v.plan_retraits)
      .field("plan_base", printer_base, v.plan_base)
      .field("plan_etage", printer_etage, v.plan_etage)
      .field("plan_nom", printer_plan_nom, v.plan_nom)
      .close();
}

void printer_base(context_kind context, Printer& ppf, const plan_base& v) {
  if (const auto* r = std::get_if<Base_rectangle>(&v))
    printer_constructor(context, ppf, "Base_rectangle", printer_rectangle, r->value);
  else
    printer_constructor(context, ppf, "Base_plan", printer_plan, std::get<Base_plan>(v).inner());
}

void printer_niveau_plancher(context_kind context, Printer& ppf, const niveau_plancher& v) {
  printer_niveau(printer_plancher, context, ppf, v);
}
void printer_niveau_planchers(context_kind context, Printer& ppf,
                              const std::vector<niveau_plancher>& v) {
  printer_List(printer_niveau_plancher, context, ppf, v);
}
void printer_niveau_toit(context_kind context, Printer& ppf, const niveau_toit& v) {
  printer_niveau(printer_toiture, context, ppf, v);
}

void printer_maconnerie(context_kind context, Printer& ppf, const maconnerie& v) {
  Record(context, ppf)
      .field("maconnerie_categorie", printer_maconnerie_categorie, v.maconnerie_categorie)
      .field("maconnerie_joint_horizontal", printer_joint_horizontal_categorie,
             v.maconnerie_joint_horizontal)
      .field("maconnerie_joint_vertical", printer_joint_vertical_categorie,
             v.maconnerie_joint_vertical)
      .field("maconnerie_qualite_du_chainage", printer_qualite_du_chainage_categorie,
             v.maconnerie_qualite_du_chainage)
      .field("maconnerie_beton_du_chainage", printer_beton_du_chainage_categorie,
             v.maconnerie_beton_du_chainage)
      .close();
}

void printer_materiau_categorie(context_kind context, Printer& ppf, const materiau_categorie& v) {
  if (const auto* m = std::get_if<Maconnerie>(&v))
    printer_constructor(context, ppf, "Maconnerie", printer_maconnerie, m->value);
  else
    printer_constant(context, ppf, name_of(v));
}

void printer_batiment_implantation(context_kind context, Printer& ppf,
                                   const batiment_implantation& v) {
  Record(context, ppf)
      .field("implantation_sol", printer_sol_categorie, v.implantation_sol)
      .field("implantation_pente", printer_pente, v.implantation_pente)
      .close();
}

void printer_sous_sol(context_kind context, Printer& ppf, const sous_sol& v) {
  printer_constructor(context, ppf, "Sous_sol", printer_metre, v.value);
}

void printer_batiment_sous_sol(context_kind context, Printer& ppf,
                               const std::optional<sous_sol>& v) {
  Og_printer::printer_Option(printer_sous_sol, context, ppf, v);
}

void printer_batiment(context_kind context, Printer& ppf, const batiment& v) {
  Record(context, ppf)
      .field("batiment_type", printer_batiment_type, v.batiment_type)
      .field("batiment_categorie", printer_batiment_categorie, v.batiment_categorie)
      .field("batiment_localisation", Og_printer::printer_String, v.batiment_localisation)
      .field("batiment_implantation", printer_batiment_implantation, v.batiment_implantation)
      .field("batiment_zone_de_sismicite", printer_zone_de_sismicite, v.batiment_zone_de_sismicite)
      .field("batiment_materiau", printer_materiau_categorie, v.batiment_materiau)
      .field("batiment_largeur", printer_metre, v.batiment_largeur)
      .field("batiment_longueur", printer_metre, v.batiment_longueur)
      .field("batiment_hauteur", printer_metre, v.batiment_hauteur)
      .field("batiment_hauteur_max_par_niveau", printer_metre, v.batiment_hauteur_max_par_niveau)
      .field("batiment_sous_sol", printer_batiment_sous_sol, v.batiment_sous_sol)
      .field("batiment_niveau_planchers", printer_niveau_planchers, v.batiment_niveau_planchers)
      .field("batiment_niveau_toit", printer_niveau_toit, v.batiment_niveau_toit)
      // Written escaped like any text, although the reader takes it verbatim.
      .field("batiment_file_name", Og_printer::printer_String, v.batiment_file_name)
      .close();
}

void printer_input_data(context_kind context, Printer& ppf, const input_data& v) {
  Record(context, ppf).field("batiment", printer_batiment, v.batiment).close();
}

Thunk print_rectangle(const rectangle& v) { return deferred(printer_rectangle, v); }
Thunk print_segment(const segment& v) { return deferred(printer_segment, v); }
Thunk print_tremie(const tremie& v) { return deferred(printer_tremie, v); }
Thunk print_tremies(const std::vector<tremie>& v) { return deferred(printer_tremies, v); }
Thunk print_balcon(const balcon& v) { return deferred(printer_balcon, v); }
Thunk print_balcons(const std::vector<balcon>& v) { return deferred(printer_balcons, v); }
Thunk print_mur(const mur& v) { return deferred(printer_mur, v); }
Thunk print_murs(const std::vector<mur>& v) { return deferred(printer_murs, v); }
Thunk print_poteau(const poteau& v) { return deferred(printer_poteau, v); }
Thunk print_poteaux(const std::vector<poteau>& v) { return deferred(printer_poteaux, v); }
Thunk print_poutre(const poutre& v) { return deferred(printer_poutre, v); }
Thunk print_poutres(const std::vector<poutre>& v) { return deferred(printer_poutres, v); }
Thunk print_plancher(const plancher& v) { return deferred(printer_plancher, v); }
Thunk print_toiture_legere(bois_categorie v) { return deferred(printer_toiture_legere, v); }
Thunk print_toiture_lourde(const toiture_lourde& v) { return deferred(printer_toiture_lourde, v); }
Thunk print_type_toiture(const type_toiture& v) { return deferred(printer_type_toiture, v); }
Thunk print_toiture(const toiture& v) { return deferred(printer_toiture, v); }
Thunk print_retrait(const retrait& v) { return deferred(printer_retrait, v); }
Thunk print_retraits(const std::vector<retrait>& v) { return deferred(printer_retraits, v); }
Thunk print_plan(const plan& v) { return deferred(printer_plan, v); }
Thunk print_base(const plan_base& v) { return deferred(printer_base, v); }
Thunk print_niveau_plancher(const niveau_plancher& v) { return deferred(printer_niveau_plancher, v); }
Thunk print_niveau_planchers(const std::vector<niveau_plancher>& v) {
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
Thunk print_batiment_sous_sol(const std::optional<sous_sol>& v) {
  return deferred(printer_batiment_sous_sol, v);
}
Thunk print_batiment(const batiment& v) { return deferred(printer_batiment, v); }
Thunk print_input_data(const input_data& v) { return deferred(printer_input_data, v); }

}  // namespace Input_data_types_print
