#pragma once
// Readers of the vocabulary of a building description: enumerations are
// read as an upper-case identifier naming the alternative; alternatives
// with a value are followed by a blank and the value.
#include <string>

#include "description/quavor_data_types.hpp"
#include "text/scanning.hpp"

namespace Quavor_data_types_read {

using Scanning::Scanbuf;
using namespace Quavor_data_types;

batiment_type scanner_batiment_type(Scanbuf& ib);
batiment_categorie scanner_batiment_categorie(Scanbuf& ib);
sol_categorie scanner_sol_categorie(Scanbuf& ib);
zone_de_sismicite scanner_zone_de_sismicite(Scanbuf& ib);
qualite_du_chainage_categorie scanner_qualite_du_chainage_categorie(Scanbuf& ib);
beton_du_chainage_categorie scanner_beton_du_chainage_categorie(Scanbuf& ib);
joint_vertical_categorie scanner_joint_vertical_categorie(Scanbuf& ib);
joint_horizontal_categorie scanner_joint_horizontal_categorie(Scanbuf& ib);
maconnerie_categorie scanner_maconnerie_categorie(Scanbuf& ib);
mur_genre scanner_mur_genre(Scanbuf& ib);
mur_categorie scanner_mur_categorie(Scanbuf& ib);
bois_categorie scanner_bois_categorie(Scanbuf& ib);
plancher_bois_categorie scanner_plancher_bois_categorie(Scanbuf& ib);
dalle_beton_categorie scanner_dalle_beton_categorie(Scanbuf& ib);
plancher_beton_categorie scanner_plancher_beton_categorie(Scanbuf& ib);

// "Plancher_bois <bois>" or "Plancher_beton <dalle>".
plancher_categorie scanner_plancher_categorie(Scanbuf& ib);
// "{ maconnerie_categorie = %r ; ... ; maconnerie_beton_du_chainage = %r ; }".
maconnerie scanner_maconnerie(Scanbuf& ib);
// "Bois", "Beton" or "Maconnerie <maconnerie>".
materiau_categorie scanner_materiau_categorie(Scanbuf& ib);
// "Sp_failure", "Sp_not_yet_computed" or "Sp_value <float>".
mur_sp scanner_mur_sp(Scanbuf& ib);
// "Sous_sol %f".
sous_sol scanner_sous_sol(Scanbuf& ib);
// A level number, "%d".
etage scanner_etage(Scanbuf& ib);
// A quoted name with escapes, "%S".
std::string scanner_nom(Scanbuf& ib);
// A double-quoted text without escapes: backslashes and line breaks belong
// to the text.
file_name scanner_file_name(Scanbuf& ib);

}  // namespace Quavor_data_types_read
