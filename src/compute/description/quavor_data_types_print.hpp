#pragma once
// Printers of the vocabulary of a building description: its enumerations,
// the alternatives carrying a value and its free texts, written in the
// value text syntax that the description reader accepts. Each type has a
// printer (context, layout printer, value) and a deferred form
// print_<type>(value).
#include <string>

#include "description/quavor_data_types.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"
#include "text/og_printer.hpp"

namespace Quavor_data_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using Og_printer::Thunk;
using namespace Quavor_data_types;

// A constant alternative: its name.
template <class E>
void printer_enumeration(context_kind context, Printer& ppf, E value) {
  Og_printer::printer_constant(context, ppf, name_of(value));
}

void printer_batiment_type(context_kind context, Printer& ppf, batiment_type v);
void printer_batiment_categorie(context_kind context, Printer& ppf, batiment_categorie v);
void printer_sol_categorie(context_kind context, Printer& ppf, sol_categorie v);
void printer_zone_de_sismicite(context_kind context, Printer& ppf, zone_de_sismicite v);
void printer_qualite_du_chainage_categorie(context_kind context, Printer& ppf,
                                           qualite_du_chainage_categorie v);
void printer_beton_du_chainage_categorie(context_kind context, Printer& ppf,
                                         beton_du_chainage_categorie v);
void printer_joint_vertical_categorie(context_kind context, Printer& ppf, joint_vertical_categorie v);
void printer_joint_horizontal_categorie(context_kind context, Printer& ppf,
                                        joint_horizontal_categorie v);
void printer_maconnerie_categorie(context_kind context, Printer& ppf, maconnerie_categorie v);
void printer_mur_genre(context_kind context, Printer& ppf, mur_genre v);
void printer_mur_categorie(context_kind context, Printer& ppf, mur_categorie v);
void printer_bois_categorie(context_kind context, Printer& ppf, bois_categorie v);
void printer_dalle_beton_categorie(context_kind context, Printer& ppf, dalle_beton_categorie v);
void printer_plancher_bois_categorie(context_kind context, Printer& ppf, plancher_bois_categorie v);
void printer_plancher_beton_categorie(context_kind context, Printer& ppf, plancher_beton_categorie v);
// "Plancher_bois <bois>" or "Plancher_beton <dalle>".
void printer_plancher_categorie(context_kind context, Printer& ppf, const plancher_categorie& v);
// "Sp_failure", "Sp_not_yet_computed" or "Sp_value <float>".
void printer_mur_sp(context_kind context, Printer& ppf, const mur_sp& v);

// Names: quoted, with backslash, double quote and apostrophe escaped.
void printer_mur_nom(context_kind context, Printer& ppf, const mur_nom& v);
void printer_tremie_nom(context_kind context, Printer& ppf, const tremie_nom& v);
void printer_balcon_nom(context_kind context, Printer& ppf, const balcon_nom& v);
void printer_poteau_nom(context_kind context, Printer& ppf, const poteau_nom& v);
void printer_poutre_nom(context_kind context, Printer& ppf, const poutre_nom& v);
void printer_retrait_nom(context_kind context, Printer& ppf, const retrait_nom& v);
void printer_plan_nom(context_kind context, Printer& ppf, const plan_nom& v);
void printer_niveau_nom(context_kind context, Printer& ppf, const niveau_nom& v);
void printer_etage(context_kind context, Printer& ppf, etage v);

Thunk print_batiment_type(batiment_type v);
Thunk print_batiment_categorie(batiment_categorie v);
Thunk print_sol_categorie(sol_categorie v);
Thunk print_zone_de_sismicite(zone_de_sismicite v);
Thunk print_qualite_du_chainage_categorie(qualite_du_chainage_categorie v);
Thunk print_beton_du_chainage_categorie(beton_du_chainage_categorie v);
Thunk print_joint_vertical_categorie(joint_vertical_categorie v);
Thunk print_joint_horizontal_categorie(joint_horizontal_categorie v);
Thunk print_maconnerie_categorie(maconnerie_categorie v);
Thunk print_mur_genre(mur_genre v);
Thunk print_mur_categorie(mur_categorie v);
Thunk print_bois_categorie(bois_categorie v);
Thunk print_dalle_beton_categorie(dalle_beton_categorie v);
Thunk print_plancher_bois_categorie(plancher_bois_categorie v);
Thunk print_plancher_beton_categorie(plancher_beton_categorie v);
Thunk print_plancher_categorie(const plancher_categorie& v);
Thunk print_mur_sp(const mur_sp& v);
Thunk print_mur_nom(const mur_nom& v);
Thunk print_tremie_nom(const tremie_nom& v);
Thunk print_balcon_nom(const balcon_nom& v);
Thunk print_poteau_nom(const poteau_nom& v);
Thunk print_poutre_nom(const poutre_nom& v);
Thunk print_retrait_nom(const retrait_nom& v);
Thunk print_plan_nom(const plan_nom& v);
Thunk print_niveau_nom(const niveau_nom& v);
Thunk print_etage(etage v);

}  // namespace Quavor_data_types_print
