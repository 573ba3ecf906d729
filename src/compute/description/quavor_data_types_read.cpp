#include "description/quavor_data_types_read.hpp"

#include "text/format.hpp"
#include "text/scanner_utils.hpp"

namespace Quavor_data_types_read {

using Scanner_utils::invalid_token_kind_error;
using Scanner_utils::scan_uident;
using Scanning::r;
using Scanning::scan;

namespace {

// The alternative named by the identifier read; `kind` names the type in
// the error message.
template <class E>
E scanner_constant(Scanbuf& ib, const char* kind) {
  std::string ident = scan_uident(ib);
  const auto& names = constructor_names<E>::names;
  for (std::size_t i = 0; i < std::size(names); ++i)
    if (names[i] == ident) return static_cast<E>(i);
  invalid_token_kind_error(ident, ib, kind);
}

}  // namespace

batiment_type scanner_batiment_type(Scanbuf& ib) {
  return scanner_constant<batiment_type>(ib, "categorie de batiment");
}
batiment_categorie scanner_batiment_categorie(Scanbuf& ib) {
  return scanner_constant<batiment_categorie>(ib, "categorie de batiment");
}
sol_categorie scanner_sol_categorie(Scanbuf& ib) {
  return scanner_constant<sol_categorie>(ib, "type de sol");
}
zone_de_sismicite scanner_zone_de_sismicite(Scanbuf& ib) {
  return scanner_constant<zone_de_sismicite>(ib, "zone de sismicite");
}
qualite_du_chainage_categorie scanner_qualite_du_chainage_categorie(Scanbuf& ib) {
  return scanner_constant<qualite_du_chainage_categorie>(ib, "categorie de qualite du chainage");
}
beton_du_chainage_categorie scanner_beton_du_chainage_categorie(Scanbuf& ib) {
  return scanner_constant<beton_du_chainage_categorie>(ib, "categorie de beton du chainage");
}
joint_vertical_categorie scanner_joint_vertical_categorie(Scanbuf& ib) {
  return scanner_constant<joint_vertical_categorie>(ib, "categorie de joint vertical");
}
joint_horizontal_categorie scanner_joint_horizontal_categorie(Scanbuf& ib) {
  return scanner_constant<joint_horizontal_categorie>(ib, "categorie de joint horizontal");
}
maconnerie_categorie scanner_maconnerie_categorie(Scanbuf& ib) {
  return scanner_constant<maconnerie_categorie>(ib, "categorie de maconnerie");
}
mur_genre scanner_mur_genre(Scanbuf& ib) {
  return scanner_constant<mur_genre>(ib, "genre de mur");
}
mur_categorie scanner_mur_categorie(Scanbuf& ib) {
  return scanner_constant<mur_categorie>(ib, "categorie de mur");
}
bois_categorie scanner_bois_categorie(Scanbuf& ib) {
  return scanner_constant<bois_categorie>(ib, "categorie de plancher bois");
}
plancher_bois_categorie scanner_plancher_bois_categorie(Scanbuf& ib) {
  return scanner_bois_categorie(ib);
}
dalle_beton_categorie scanner_dalle_beton_categorie(Scanbuf& ib) {
  return scanner_constant<dalle_beton_categorie>(ib, "categorie de plancher beton");
}
plancher_beton_categorie scanner_plancher_beton_categorie(Scanbuf& ib) {
  return scanner_dalle_beton_categorie(ib);
}

plancher_categorie scanner_plancher_categorie(Scanbuf& ib) {
  std::string ident = scan_uident(ib);
  if (ident == "Plancher_bois") {
    Plancher_bois p{};
    scan(ib, " %r", r(scanner_bois_categorie, p.value));
    return p;
  }
  if (ident == "Plancher_beton") {
    Plancher_beton p{};
    scan(ib, " %r", r(scanner_dalle_beton_categorie, p.value));
    return p;
  }
  invalid_token_kind_error(ident, ib, "categorie de plancher");
}

maconnerie scanner_maconnerie(Scanbuf& ib) {
  maconnerie m{};
  scan(ib,
       "{ maconnerie_categorie = %r ; maconnerie_joint_horizontal = %r ; "
       "maconnerie_joint_vertical = %r ; maconnerie_qualite_du_chainage = %r ; "
       "maconnerie_beton_du_chainage = %r ; }",
       r(scanner_maconnerie_categorie, m.maconnerie_categorie),
       r(scanner_joint_horizontal_categorie, m.maconnerie_joint_horizontal),
       r(scanner_joint_vertical_categorie, m.maconnerie_joint_vertical),
       r(scanner_qualite_du_chainage_categorie, m.maconnerie_qualite_du_chainage),
       r(scanner_beton_du_chainage_categorie, m.maconnerie_beton_du_chainage));
  return m;
}

materiau_categorie scanner_materiau_categorie(Scanbuf& ib) {
  std::string ident = scan_uident(ib);
  if (ident == "Bois") return Bois{};
  if (ident == "Beton") return Beton{};
  if (ident == "Maconnerie") {
    Maconnerie m{};
    scan(ib, " %r", r(scanner_maconnerie, m.value));
    return m;
  }
  invalid_token_kind_error(ident, ib, "categorie de materiau");
}

mur_sp scanner_mur_sp(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%0c", c);
  if (c < 'A' || c > 'Z')
    Scanner_utils::scanner_error(
        0, ib, Format::sprintf("Invalid mur sp value starting with character %C", c));
  std::string ident = scan_uident(ib);
  if (ident == "Sp_failure") return Sp_failure{};
  if (ident == "Sp_not_yet_computed") return Sp_not_yet_computed{};
  if (ident == "Sp_value") {
    Sp_value v{};
    scan(ib, " %f", v.value);
    return v;
  }
  Scanner_utils::scanner_error(static_cast<long long>(ident.size()), ib,
                               Format::sprintf("Invalid mur sp value %s", ident));
}

sous_sol scanner_sous_sol(Scanbuf& ib) {
  sous_sol s{};
  scan(ib, "Sous_sol %f", s.value);
  return s;
}

etage scanner_etage(Scanbuf& ib) {
  etage e = 0;
  scan(ib, "%d", e);
  return e;
}

std::string scanner_nom(Scanbuf& ib) {
  std::string s;
  scan(ib, "%S", s);
  return s;
}

file_name scanner_file_name(Scanbuf& ib) {
  file_name name;
  scan(ib, "\"%[^\"]\"", name);
  return name;
}

}  // namespace Quavor_data_types_read
