#pragma once
// The report headings of the 51 criteria in catalogue order, written out by
// hand from the catalogue: the family name for the criteria without a
// principal one, the title with its guide reference otherwise.
#include <string>
#include <vector>

namespace Acceptance {

// One heading per criterion in catalogue order: the family name for the
// criteria without a principal one, the title with its guide reference
// otherwise.
inline const std::vector<std::string> headings = {
    "Cohérence du bâtiment",
    "Cohérence des dimensions du bâtiment",
    "Cohérence des dimensions horizontales du bâtiment",
    "Cohérence de la hauteur du bâtiment",
    "Cohérence des niveaux",
    "Nombre minimal de murs de contreventement",
    "Cohérence des murs",
    "Cohérence des poteaux",
    "Cohérence des poutres",
    "Cohérence des trémies",
    "Cohérence des balcons",
    "Cohérence des retraits",
    "Cohérence des plans",
    "Cohérence de la pente de sol du bâtiment",
    "Pente de sol inférieure au maximum fixé par le guide TQMV",
    "Pente de sol acceptable sous réserve d'étude spécialisée",
    "Cohérence du nom de fichier du bâtiment",
    "Cohérence du type du bâtiment",
    "Géométrie du bâtiment",
    "Nombre maximum de niveaux (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la surface totale des trémies (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la hauteur du bâtiment (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la surface rectangulaire projetée au sol (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la diagonale du plancher (guide 2.1.4, p.10, Tab (2-1))",
    "Forme horizontale proche d'un rectangle (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la hauteur du sous-sol (guide 2.1.4, p.10, Tab (2-1))",
    "Limitation de la hauteur d'étage (guide 2.1.4, p.10, Tab (2-1))",
    "Poids propre du plancher (guide 2.1.4, p.73, point (2))",
    "Limitation de la dimension des trémies (guide 2.1.4, p.73, point (4))",
    "Limitation de l'élancement du bâtiment (guide 2.1.4, p.73, point (6))",
    "Conception du bâtiment",
    "Régularité en élévation (guide 2.1.4, p.73, point (3))",
    // CR-2-2 has no principal criterion: its heading is the family's name.
    "Conception du bâtiment",
    "Continuité des poteaux (guide 2.1.4, p.73, point (5))",
    "Continuité des murs de contreventement (guide 2.1.4, p.73, point (5))",
    "Continuité des appuis de poutres (guide 2.1.4, p.73, point (5))",
    "Limitation des retraits en plan (guide 2.1.4, p.73, point (7))",
    "Dimensionnement du bâtiment",
    "Murs de facades parallèles suffisants (guide 2.1.4, p.73, point (8))",
    "Rapport des longueurs cumulées des murs de chaque direction (guide 2.1.4, p.73, point (9))",
    "Limitation du rapport des longueurs cumulées des murs en refend (guide 2.1.4, p.73, point (10))",
    "Limitation de la dissymétrie d'implantation (guide 2.1.4, p.74, point (11))",
    "Limitation de la surface de plancher (Sp) reprise par les murs de contreventement (guide 2.1.4, p.74, point (12))",
    "Surfaces de plancher reprises par les murs effectivement calculables (guide 2.1.4, p.74, point (14))",
    "Valeurs de Sp inférieures aux maxima du guide TQMV (guide 2.1.4, p.74, point (14))",
    "Longueur moyenne des murs, qualité des chaînages (guide 2.1.4, p.74, point (13))",
    "(13_1) Longueur moyenne des murs de contreventement",
    "(13_2) Choix des chaînages",
    "(13_3) Qualité des éléments",
    "(13_4) Qualité des joints verticaux",
    "Rapport surface au sol des murs de contreventement / surface du plancher (guide 2.1.4, p.74, point (14))",
};

inline const std::string conclusion_heading = "Diagnostique final de l'analyse de conformité du bâtiment:";

}  // namespace Acceptance
