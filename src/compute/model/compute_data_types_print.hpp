#pragma once
// Printers of the computed building model, for the debugging dumps: every
// record with its fields in declaration order, written in the value text
// syntax. Elements held through shared pointers print as the element they
// point to (a wall appears in full in every classification list of its
// level). Each type has a printer (context, layout printer, value) and a
// deferred form print_<type>(value).
#include <memory>
#include <string>

#include "description/input_data_types_print.hpp"
#include "description/quavor_data_types_print.hpp"
#include "geometry/compute_pervasives_types_print.hpp"
#include "geometry/quavor_pervasives_types_print.hpp"
#include "model/compute_data_types.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"
#include "text/og_printer.hpp"

namespace Compute_data_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using Og_printer::Thunk;
using namespace Compute_data_types;

// The element a shared pointer holds; "<null>" for an empty pointer, which a
// derived model never holds.
template <class P>
auto printer_shared(P printer) {
  return [printer](context_kind context, Printer& ppf, const auto& pointer) {
    if (pointer)
      std::invoke(printer, context, ppf, *pointer);
    else
      Og_printer::printer_abstract_value("null", context, ppf);
  };
}

// "Info_unset", "Info_irrelevant", "Info_not_found" or "Info <value>".
template <class P, class T>
void printer_info(const P& printer, context_kind context, Printer& ppf, const info<T>& v) {
  switch (v.index()) {
    case 0: return Og_printer::printer_constant(context, ppf, "Info_unset");
    case 1: return Og_printer::printer_constant(context, ppf, "Info_irrelevant");
    case 2: return Og_printer::printer_constant(context, ppf, "Info_not_found");
    default:
      return Og_printer::printer_constructor(context, ppf, "Info", printer, std::get<3>(v).value);
  }
}

void printer_retrait_categorie(context_kind context, Printer& ppf, retrait_categorie v);
void printer_contact_contour(context_kind context, Printer& ppf, const contact_contour& v);
void printer_tremie(context_kind context, Printer& ppf, const tremie& v);
void printer_tremies(context_kind context, Printer& ppf, const tremies& v);
void printer_balcon(context_kind context, Printer& ppf, const balcon& v);
void printer_balcons(context_kind context, Printer& ppf, const balcons& v);
void printer_mur(context_kind context, Printer& ppf, const mur& v);
void printer_mur_ref(context_kind context, Printer& ppf, const mur_ref& v);
void printer_murs(context_kind context, Printer& ppf, const murs& v);
void printer_poteau(context_kind context, Printer& ppf, const poteau& v);
void printer_poteau_ref(context_kind context, Printer& ppf, const poteau_ref& v);
void printer_poteaux(context_kind context, Printer& ppf, const poteaux& v);
// "Appui_poteau <poteau>" or "Appui_mur <mur>".
void printer_appui(context_kind context, Printer& ppf, const appui& v);
void printer_poutre_fondement(context_kind context, Printer& ppf, const poutre_fondement& v);
void printer_poutre(context_kind context, Printer& ppf, const poutre& v);
void printer_poutre_ref(context_kind context, Printer& ppf, const poutre_ref& v);
void printer_poutres(context_kind context, Printer& ppf, const poutres& v);
void printer_retrait(context_kind context, Printer& ppf, const retrait& v);
void printer_retrait_ref(context_kind context, Printer& ppf, const retrait_ref& v);
void printer_retraits(context_kind context, Printer& ppf, const retraits& v);
void printer_plan(context_kind context, Printer& ppf, const plan& v);
// "Base_plan <plan>" or "Base_rectangle <rectangle>".
void printer_base(context_kind context, Printer& ppf, const base& v);
void printer_plancher(context_kind context, Printer& ppf, const plancher& v);
void printer_toiture_lourde(context_kind context, Printer& ppf, const toiture_lourde& v);
void printer_toiture_categorie(context_kind context, Printer& ppf, const toiture_categorie& v);
void printer_toiture(context_kind context, Printer& ppf, const toiture& v);

// A level, its category written by `printer_categorie`.
template <class P, class C>
void printer_niveau(const P& printer_categorie, context_kind context, Printer& ppf,
                    const niveau<C>& v) {
  using Og_printer::printer_Float;
  using Og_printer::printer_Int;
  Og_printer::Record r(context, ppf);
  r.field("niveau_categorie", printer_categorie, v.niveau_categorie)
      .field("niveau_murs", printer_murs, v.niveau_murs)
      .field("niveau_hauteur", printer_Float, v.niveau_hauteur)
      .field("niveau_poteaux", printer_poteaux, v.niveau_poteaux)
      .field("niveau_poutres", printer_poutres, v.niveau_poutres)
      .field("niveau_plan", printer_plan, v.niveau_plan)
      .field("niveau_etage", printer_Int, v.niveau_etage)
      .field("niveau_nom", Quavor_data_types_print::printer_niveau_nom, v.niveau_nom)
      .field("murs_refend_declares", printer_murs, v.murs_refend_declares)
      .field("murs_refend_calcules", printer_murs, v.murs_refend_calcules)
      .field("murs_facade_declares", printer_murs, v.murs_facade_declares)
      .field("murs_facade_calcules", printer_murs, v.murs_facade_calcules)
      .field("cvts", printer_murs, v.cvts)
      .field("cvts_x", printer_murs, v.cvts_x)
      .field("cvts_y", printer_murs, v.cvts_y)
      .field("cvts_x_facade_declares", printer_murs, v.cvts_x_facade_declares)
      .field("cvts_y_facade_declares", printer_murs, v.cvts_y_facade_declares)
      .field("cvts_x_refend_declares", printer_murs, v.cvts_x_refend_declares)
      .field("cvts_y_refend_declares", printer_murs, v.cvts_y_refend_declares)
      .field("cvts_x_refend_calcules", printer_murs, v.cvts_x_refend_calcules)
      .field("cvts_y_refend_calcules", printer_murs, v.cvts_y_refend_calcules)
      .field("cvts_x_facade_calcules", printer_murs, v.cvts_x_facade_calcules)
      .field("cvts_y_facade_calcules", printer_murs, v.cvts_y_facade_calcules)
      .field("cvts_x_facade_north", printer_murs, v.cvts_x_facade_north)
      .field("cvts_x_facade_south", printer_murs, v.cvts_x_facade_south)
      .field("cvts_y_facade_east", printer_murs, v.cvts_y_facade_east)
      .field("cvts_y_facade_west", printer_murs, v.cvts_y_facade_west);
  r.field("lt_cvts_x", printer_Float, v.lt_cvts_x)
      .field("lt_cvts_y", printer_Float, v.lt_cvts_y)
      .field("lt_cvts", printer_Float, v.lt_cvts)
      .field("lt_cvts_x_refend_calcules", printer_Float, v.lt_cvts_x_refend_calcules)
      .field("lt_cvts_y_refend_calcules", printer_Float, v.lt_cvts_y_refend_calcules)
      .field("lt_cvts_refend_calcules", printer_Float, v.lt_cvts_refend_calcules)
      .field("st_cvts_x", printer_Float, v.st_cvts_x)
      .field("st_cvts_y", printer_Float, v.st_cvts_y)
      .field("n_cvts_x", printer_Int, v.n_cvts_x)
      .field("n_cvts_y", printer_Int, v.n_cvts_y);
  r.close();
}

void printer_niveau_plancher(context_kind context, Printer& ppf, const niveau_plancher& v);
void printer_niveau_planchers(context_kind context, Printer& ppf, const niveau_planchers& v);
void printer_niveau_toit(context_kind context, Printer& ppf, const niveau_toit& v);
void printer_maconnerie(context_kind context, Printer& ppf, const maconnerie& v);
void printer_materiau_categorie(context_kind context, Printer& ppf, const materiau_categorie& v);
void printer_batiment_implantation(context_kind context, Printer& ppf,
                                   const batiment_implantation& v);
// "Soubassement" or "Sous_sol <float>".
void printer_sous_sol(context_kind context, Printer& ppf, const sous_sol& v);
void printer_batiment(context_kind context, Printer& ppf, const batiment& v);
void printer_input_data(context_kind context, Printer& ppf, const input_data& v);

template <class P, class T>
Thunk print_info(P printer, const info<T>& v) {
  return [printer, v](Printer& ppf) { printer_info(printer, Og_precedence::Ck_toplevel, ppf, v); };
}
Thunk print_retrait_categorie(retrait_categorie v);
Thunk print_contact_contour(const contact_contour& v);
Thunk print_tremie(const tremie& v);
Thunk print_tremies(const tremies& v);
Thunk print_balcon(const balcon& v);
Thunk print_balcons(const balcons& v);
Thunk print_mur(const mur& v);
Thunk print_murs(const murs& v);
Thunk print_poteau(const poteau& v);
Thunk print_poteaux(const poteaux& v);
Thunk print_appui(const appui& v);
Thunk print_poutre_fondement(const poutre_fondement& v);
Thunk print_poutre(const poutre& v);
Thunk print_poutres(const poutres& v);
Thunk print_retrait(const retrait& v);
Thunk print_retraits(const retraits& v);
Thunk print_plan(const plan& v);
Thunk print_base(const base& v);
Thunk print_plancher(const plancher& v);
Thunk print_toiture_lourde(const toiture_lourde& v);
Thunk print_toiture_categorie(const toiture_categorie& v);
Thunk print_toiture(const toiture& v);
template <class P, class C>
Thunk print_niveau(P printer_categorie, const niveau<C>& v) {
  return [printer_categorie, v](Printer& ppf) {
    printer_niveau(printer_categorie, Og_precedence::Ck_toplevel, ppf, v);
  };
}
Thunk print_niveau_plancher(const niveau_plancher& v);
Thunk print_niveau_planchers(const niveau_planchers& v);
Thunk print_niveau_toit(const niveau_toit& v);
Thunk print_maconnerie(const maconnerie& v);
Thunk print_materiau_categorie(const materiau_categorie& v);
Thunk print_batiment_implantation(const batiment_implantation& v);
Thunk print_sous_sol(const sous_sol& v);
Thunk print_batiment(const batiment& v);
Thunk print_input_data(const input_data& v);

}  // namespace Compute_data_types_print
