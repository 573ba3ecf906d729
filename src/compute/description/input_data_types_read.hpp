#pragma once
// Readers of a building description: one pattern per record, the nested
// readers filling its %r positions in order. `scanner_input_data` reads a
// whole .qvb description.
#include <optional>
#include <vector>

#include "description/input_data_types.hpp"
#include "description/quavor_data_types_read.hpp"
#include "description/quavor_pervasives_types_read.hpp"
#include "text/og_scanner.hpp"
#include "text/scanning.hpp"

namespace Input_data_types_read {

using Scanning::Scanbuf;
using namespace Input_data_types;

rectangle scanner_rectangle(Scanbuf& ib);
tremie scanner_tremie(Scanbuf& ib);
balcon scanner_balcon(Scanbuf& ib);
mur scanner_mur(Scanbuf& ib);
poteau scanner_poteau(Scanbuf& ib);
poutre scanner_poutre(Scanbuf& ib);
plancher scanner_plancher(Scanbuf& ib);
Input_data_types::toiture_lourde scanner_toiture_lourde(Scanbuf& ib);
// "Toiture_legere <bois>" or "Toiture_lourde <toiture_lourde>".
Input_data_types::type_toiture scanner_type_toiture(Scanbuf& ib);
toiture scanner_toiture(Scanbuf& ib);
retrait scanner_retrait(Scanbuf& ib);
// "Base_rectangle <rectangle> " or "Base_plan <plan> ".
plan_base scanner_plan_base(Scanbuf& ib);
plan scanner_plan(Scanbuf& ib);
batiment_implantation scanner_batiment_implantation(Scanbuf& ib);
// "None", "Some Sous_sol %f" or "Some (Sous_sol %f)".
std::optional<sous_sol> scanner_batiment_sous_sol(Scanbuf& ib);
batiment scanner_batiment(Scanbuf& ib);
input_data scanner_input_data(Scanbuf& ib);

std::vector<tremie> scanner_tremies(Scanbuf& ib);
std::vector<balcon> scanner_balcons(Scanbuf& ib);
std::vector<mur> scanner_murs(Scanbuf& ib);
std::vector<poteau> scanner_poteaux(Scanbuf& ib);
std::vector<poutre> scanner_poutres(Scanbuf& ib);
std::vector<retrait> scanner_retraits(Scanbuf& ib);

// A level whose category is read by `scanner_categorie`.
template <class F>
auto scanner_niveau(F scanner_categorie, Scanbuf& ib) {
  using Scanning::r;
  niveau<Og_scanner::result_of<F>> n{};
  Scanning::scan(ib,
                 "{ niveau_categorie = %r ; niveau_murs = %r ; niveau_hauteur = %f ; "
                 "niveau_poteaux = %r ; niveau_poutres = %r ; niveau_plan = %r ; "
                 "niveau_etage = %d ; niveau_nom = %S ; }",
                 r(scanner_categorie, n.niveau_categorie), r(scanner_murs, n.niveau_murs),
                 n.niveau_hauteur, r(scanner_poteaux, n.niveau_poteaux),
                 r(scanner_poutres, n.niveau_poutres), r(scanner_plan, n.niveau_plan),
                 n.niveau_etage, n.niveau_nom);
  return n;
}
niveau_plancher scanner_niveau_plancher(Scanbuf& ib);
niveau_toit scanner_niveau_toit(Scanbuf& ib);
std::vector<niveau_plancher> scanner_niveau_planchers(Scanbuf& ib);

}  // namespace Input_data_types_read
