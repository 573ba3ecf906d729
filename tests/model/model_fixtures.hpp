#pragma once
// Small building descriptions for the tests of the computed model: plans,
// walls and levels are written in a line each.
#include <string>
#include <utility>
#include <vector>

#include "description/input_data_types.hpp"
#include "model/compute_data_types.hpp"

namespace Model_fixtures {

using Quavor_data_types::mur_categorie;
using Quavor_data_types::mur_genre;
using Quavor_pervasives_types::direction;

inline Input_data_types::rectangle rect(double w, double h, double x, double y) {
  return Input_data_types::rectangle{w, h, {x, y}};
}

inline Input_data_types::retrait retrait(double w, double h, double x, double y, std::string nom = "R1n0") {
  return Input_data_types::retrait{rect(w, h, x, y), std::move(nom)};
}

inline Input_data_types::plan plan_rect(double w, double h, std::vector<Input_data_types::retrait> rs = {},
                                        int etage = 0) {
  return Input_data_types::plan{std::move(rs), Input_data_types::Base_rectangle{rect(w, h, 0.0, 0.0)}, etage,
                                "P" + std::to_string(etage)};
}

inline Input_data_types::plan plan_on_plan(Input_data_types::plan inner, std::vector<Input_data_types::retrait> rs,
                                           int etage = 1) {
  return Input_data_types::plan{std::move(rs), Input_data_types::make_base_plan(std::move(inner)), etage,
                                "P" + std::to_string(etage)};
}

struct Wall {
  std::string nom;
  direction d;
  double x;
  double y;
  double longueur;
  double epaisseur = 0.2;
  mur_genre genre = mur_genre::Mur_primaire;
  mur_categorie categorie = mur_categorie::Mur_de_facade;
  double hauteur = 2.5;
};

inline Input_data_types::mur mur(const Wall& w) {
  const bool en_x = w.d == direction::X;
  const Quavor_pervasives_types::solide s{en_x ? w.longueur : w.epaisseur, en_x ? w.epaisseur : w.longueur,
                                          w.hauteur};
  return Input_data_types::mur{w.categorie, {w.x, w.y}, w.d, 1, w.genre, s, w.nom,
                               Quavor_data_types::Sp_not_yet_computed{}};
}

inline Input_data_types::plancher plancher_beton(std::vector<Input_data_types::tremie> ts = {},
                                                 std::vector<Input_data_types::balcon> bs = {}) {
  return Input_data_types::plancher{
      Quavor_data_types::Plancher_beton{Quavor_data_types::dalle_beton_categorie::Dalle_beton}, 0.2, std::move(ts),
      std::move(bs), 100.0, 50.0};
}

inline Input_data_types::niveau_plancher niveau_plancher(Input_data_types::plan p,
                                                         std::vector<Input_data_types::mur> ms = {}, int etage = 0,
                                                         Input_data_types::plancher f = plancher_beton()) {
  return Input_data_types::niveau_plancher{std::move(f), std::move(ms), 2.5, {}, {}, std::move(p), etage,
                                           "Nv" + std::to_string(etage)};
}

inline Input_data_types::toiture toiture_legere() {
  return Input_data_types::toiture{
      Input_data_types::Toiture_legere{Quavor_data_types::bois_categorie::Bois_resineux}, 1.5, {}};
}

inline Input_data_types::niveau_toit niveau_toit(Input_data_types::plan p, std::vector<Input_data_types::mur> ms = {},
                                                 int etage = 1, Input_data_types::toiture t = toiture_legere()) {
  return Input_data_types::niveau_toit{std::move(t), std::move(ms), 2.5, {}, {}, std::move(p), etage,
                                       "Nv" + std::to_string(etage)};
}

inline Input_data_types::maconnerie maconnerie() {
  using namespace Quavor_data_types;
  return Input_data_types::maconnerie{maconnerie_categorie::Brique_creuse_8, joint_horizontal_categorie::Joint_mince,
                                      joint_vertical_categorie::Joint_rempli,
                                      qualite_du_chainage_categorie::Chainage_4HA10,
                                      beton_du_chainage_categorie::C25_30};
}

// A single-storey building on a 10 x 8 plan.
inline Input_data_types::batiment batiment_r0(double pente = 5.0, std::string file_name = "house.qvb") {
  using namespace Quavor_data_types;
  return Input_data_types::batiment{batiment_type::R0,
                                    batiment_categorie::Habitation,
                                    "Nice",
                                    Input_data_types::batiment_implantation{sol_categorie::Sol_B, pente},
                                    zone_de_sismicite::Zone3,
                                    Maconnerie{maconnerie()},
                                    8.0,
                                    10.0,
                                    3.0,
                                    3.0,
                                    std::nullopt,
                                    {niveau_plancher(plan_rect(10.0, 8.0))},
                                    niveau_toit(plan_rect(10.0, 8.0, {}, 1)),
                                    std::move(file_name)};
}

// The names of a list of computed walls, in order.
inline std::vector<std::string> noms(const Compute_data_types::murs& ms) {
  std::vector<std::string> out;
  for (const auto& m : ms) out.push_back(m->mur_nom);
  return out;
}

}  // namespace Model_fixtures
