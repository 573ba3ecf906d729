#pragma once
// The writer of building descriptions: printers of every record of a
// description in the value text syntax, laid out so that a small record
// stays on one line and a large one breaks after "{", between fields and
// before "}". What they write reads back with Input_data_types_read (a file
// name with backslashes, negative Sp_value or Sous_sol values and floats
// needing more than 12 significant digits excepted).
//
// Each type has a printer (context, layout printer, value) and a deferred
// form print_<type>(value) that prints it at top level.
#include <optional>
#include <vector>

#include "description/input_data_types.hpp"
#include "description/quavor_data_types_print.hpp"
#include "geometry/compute_pervasives_types.hpp"
#include "geometry/quavor_pervasives_types_print.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"
#include "text/og_printer.hpp"

namespace Input_data_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using Og_printer::Thunk;
using namespace Input_data_types;

// The description's segment record (segment_position, segment_direction,
// segment_length); it is written, never read.
using segment = Compute_pervasives_types::data_segment;

void printer_rectangle(context_kind context, Printer& ppf, const rectangle& v);
void printer_segment(context_kind context, Printer& ppf, const segment& v);
void printer_tremie(context_kind context, Printer& ppf, const tremie& v);
void printer_tremies(context_kind context, Printer& ppf, const std::vector<tremie>& v);
void printer_balcon(context_kind context, Printer& ppf, const balcon& v);
void printer_balcons(context_kind context, Printer& ppf, const std::vector<balcon>& v);
void printer_mur(context_kind context, Printer& ppf, const mur& v);
void printer_murs(context_kind context, Printer& ppf, const std::vector<mur>& v);
void printer_poteau(context_kind context, Printer& ppf, const poteau& v);
void printer_poteaux(context_kind context, Printer& ppf, const std::vector<poteau>& v);
void printer_poutre(context_kind context, Printer& ppf, const poutre& v);
void printer_poutres(context_kind context, Printer& ppf, const std::vector<poutre>& v);
// The two loads (kg/m2) print through float aliases.
void printer_charge_revetement(context_kind context, Printer& ppf, double v);
void printer_charge_cloison(context_kind context, Printer& ppf, double v);
void printer_plancher(context_kind context, Printer& ppf, const plancher& v);
// A light roof is described by its wood category.
void printer_toiture_legere(context_kind context, Printer& ppf, bois_categorie v);
void printer_toiture_lourde(context_kind context, Printer& ppf, const toiture_lourde& v);
void printer_type_toiture(context_kind context, Printer& ppf, const type_toiture& v);
void printer_toiture(context_kind context, Printer& ppf, const toiture& v);
void printer_retrait(context_kind context, Printer& ppf, const retrait& v);
void printer_retraits(context_kind context, Printer& ppf, const std::vector<retrait>& v);
void printer_plan(context_kind context, Printer& ppf, const plan& v);
// "Base_rectangle <rectangle>" or "Base_plan <plan>".
void printer_base(context_kind context, Printer& ppf, const plan_base& v);

// A level, its category written by `printer_categorie`.
template <class P, class C>
void printer_niveau(const P& printer_categorie, context_kind context, Printer& ppf,
                    const niveau<C>& v) {
  Og_printer::Record(context, ppf)
      .field("niveau_categorie", printer_categorie, v.niveau_categorie)
      .field("niveau_murs", printer_murs, v.niveau_murs)
      .field("niveau_hauteur", Quavor_pervasives_types_print::printer_metre, v.niveau_hauteur)
      .field("niveau_poteaux", printer_poteaux, v.niveau_poteaux)
      .field("niveau_poutres", printer_poutres, v.niveau_poutres)
      .field("niveau_plan", printer_plan, v.niveau_plan)
      .field("niveau_etage", Quavor_data_types_print::printer_etage, v.niveau_etage)
      .field("niveau_nom", Quavor_data_types_print::printer_niveau_nom, v.niveau_nom)
      .close();
}

void printer_niveau_plancher(context_kind context, Printer& ppf, const niveau_plancher& v);
void printer_niveau_planchers(context_kind context, Printer& ppf,
                              const std::vector<niveau_plancher>& v);
void printer_niveau_toit(context_kind context, Printer& ppf, const niveau_toit& v);
void printer_maconnerie(context_kind context, Printer& ppf, const maconnerie& v);
// "Bois", "Beton" or "Maconnerie <maconnerie>".
void printer_materiau_categorie(context_kind context, Printer& ppf, const materiau_categorie& v);
void printer_batiment_implantation(context_kind context, Printer& ppf,
                                   const batiment_implantation& v);
// "Sous_sol <float>".
void printer_sous_sol(context_kind context, Printer& ppf, const sous_sol& v);
// "None" or "Some" with the basement as its argument.
void printer_batiment_sous_sol(context_kind context, Printer& ppf, const std::optional<sous_sol>& v);
void printer_batiment(context_kind context, Printer& ppf, const batiment& v);
void printer_input_data(context_kind context, Printer& ppf, const input_data& v);

Thunk print_rectangle(const rectangle& v);
Thunk print_segment(const segment& v);
Thunk print_tremie(const tremie& v);
Thunk print_tremies(const std::vector<tremie>& v);
Thunk print_balcon(const balcon& v);
Thunk print_balcons(const std::vector<balcon>& v);
Thunk print_mur(const mur& v);
Thunk print_murs(const std::vector<mur>& v);
Thunk print_poteau(const poteau& v);
Thunk print_poteaux(const std::vector<poteau>& v);
Thunk print_poutre(const poutre& v);
Thunk print_poutres(const std::vector<poutre>& v);
Thunk print_plancher(const plancher& v);
Thunk print_toiture_legere(bois_categorie v);
Thunk print_toiture_lourde(const toiture_lourde& v);
Thunk print_type_toiture(const type_toiture& v);
Thunk print_toiture(const toiture& v);
Thunk print_retrait(const retrait& v);
Thunk print_retraits(const std::vector<retrait>& v);
Thunk print_plan(const plan& v);
Thunk print_base(const plan_base& v);
template <class P, class C>
Thunk print_niveau(P printer_categorie, const niveau<C>& v) {
  return [printer_categorie, v](Printer& ppf) {
    printer_niveau(printer_categorie, Og_precedence::Ck_toplevel, ppf, v);
  };
}
Thunk print_niveau_plancher(const niveau_plancher& v);
Thunk print_niveau_planchers(const std::vector<niveau_plancher>& v);
Thunk print_niveau_toit(const niveau_toit& v);
Thunk print_maconnerie(const maconnerie& v);
Thunk print_materiau_categorie(const materiau_categorie& v);
Thunk print_batiment_implantation(const batiment_implantation& v);
Thunk print_sous_sol(const sous_sol& v);
Thunk print_batiment_sous_sol(const std::optional<sous_sol>& v);
Thunk print_batiment(const batiment& v);
Thunk print_input_data(const input_data& v);

}  // namespace Input_data_types_print
