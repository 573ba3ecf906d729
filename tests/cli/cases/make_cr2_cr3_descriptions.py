# Writes the input.qvb of the cases cr2_*, cr3_*, ok_b_* and zone3_* of this
# directory, each failing one conception or sizing criterion, from one simple
# two-storey house (10 x 9, four facade walls, a column and a beam).
# Run: python3 make_cr2_cr3_descriptions.py
#
# Only the descriptions are written (and the `no_report` mark of a case that
# stops on a fatal error). The expected texts of each case (expected.err,
# expected.qvr) are worked out by hand from the texts of the checks and kept
# as they are; regenerating a description never touches them.
import os

OUT = os.path.dirname(os.path.abspath(__file__))

def f(x):
    s = repr(float(x))
    return s[:-1] if s.endswith(".0") else s

def pt(x, y):
    return "{ p_x = %s ; p_y = %s ; }" % (f(x), f(y))

def rect(w, h, x, y):
    return "{ rectangle_width = %s ; rectangle_height = %s ; rectangle_position = %s ; }" % (f(w), f(h), pt(x, y))

def wall(w):
    return ("{ mur_categorie = %s ; mur_position = %s ; mur_direction = %s ; mur_numero = %d ; "
            "mur_genre = Mur_primaire ; mur_solide = { s_lx = %s ; s_ly = %s ; s_lz = 2.5 ; } ; "
            "mur_nom = \"%s\" ; mur_sp = %s ; }") % (
        w.get("cat", "Mur_de_facade"), pt(w["x"], w["y"]), w["d"], w["num"], f(w["lx"]), f(w["ly"]), w["nom"], w["sp"])

def walls(n):
    s = "n%d" % n
    return [dict(nom="M1" + s, d="X", x=0, y=0, lx=10, ly=0.2, num=1, sp="Sp_value 20."),
            dict(nom="M2" + s, d="X", x=0, y=8.8, lx=10, ly=0.2, num=2, sp="Sp_value 20."),
            dict(nom="M3" + s, d="Y", x=0, y=0.2, lx=0.2, ly=8.6, num=3, sp="Sp_value 25."),
            dict(nom="M4" + s, d="Y", x=9.8, y=0.2, lx=0.2, ly=8.6, num=4, sp="Sp_value 25.")]

def level(n):
    s = "n%d" % n
    return dict(n=n, walls=walls(n), poteaux=[dict(nom="C1" + s, x=5.0, y=4.5)],
                poutres=[dict(nom="P1" + s, x=0.1, y=4.5, l=4.9)], retraits=[])

def house():
    return dict(zone="Zone5", chainage="Chainage_4HA12", categorie="Brique_creuse_12", joint="Joint_rempli",
                levels=[level(0), level(1)])

def plan(lv):
    rs = " ".join("{ retrait_rectangle = %s ; retrait_nom = \"%s\" ; }" % (rect(*r["r"]), r["nom"]) for r in lv["retraits"])
    return rs

def niveau(lv, cat, base):
    n = lv["n"]
    murs = " ;\n      ".join(wall(w) for w in lv["walls"])
    pots = " ; ".join("{ poteau_position = %s ; poteau_nom = \"%s\" ; }" % (pt(p["x"], p["y"]), p["nom"]) for p in lv["poteaux"])
    pous = " ; ".join("{ poutre_position = %s ; poutre_direction = X ; poutre_length = %s ; poutre_numero = %d ; poutre_nom = \"%s\" ; }"
                      % (pt(p["x"], p["y"]), f(p["l"]), i + 1, p["nom"]) for i, p in enumerate(lv["poutres"]))
    pl = "{ plan_retraits = [ %s ] ; plan_base = %s ; plan_etage = %d ; plan_nom = \"PLn%d\" ; }" % (plan(lv), base, n, n)
    return ("{ niveau_categorie = %s ;\n    niveau_murs = [\n      %s\n    ] ;\n    niveau_hauteur = 2.5 ;\n"
            "    niveau_poteaux = [ %s ] ;\n    niveau_poutres = [ %s ] ;\n    niveau_plan = %s ;\n"
            "    niveau_etage = %d ; niveau_nom = \"Nv%d\" ; }") % (cat, murs, pots, pous, pl, n, n)

def batiment(h):
    l0, l1 = h["levels"]
    base0 = "Base_rectangle %s" % rect(10, 9, 0, 0)
    pl0 = "{ plan_retraits = [ %s ] ; plan_base = %s ; plan_etage = 0 ; plan_nom = \"PLn0\" ; }" % (plan(l0), base0)
    sol = ("{ plancher_categorie = Plancher_beton Dalle_beton ; plancher_epaisseur = 0.16 ; plancher_tremies = [ ] ; "
           "plancher_balcons = [ ] ; plancher_charge_revetement = 100. ; plancher_charge_cloison = 50. ; }")
    toit = "{ toiture_type = Toiture_legere Bois_resineux ; toiture_hauteur = 1.5 ; toiture_balcons = [ ] ; }"
    return ("{ batiment =\n  { batiment_type = R1 ;\n    batiment_categorie = Habitation ;\n"
            "    batiment_localisation = \"3 rue du Port, Basse-Terre\" ;\n"
            "    batiment_implantation = { implantation_sol = Sol_B ; implantation_pente = 5. ; } ;\n"
            "    batiment_zone_de_sismicite = %s ;\n"
            "    batiment_materiau = Maconnerie { maconnerie_categorie = %s ; maconnerie_joint_horizontal = Joint_mince ; "
            "maconnerie_joint_vertical = %s ; maconnerie_qualite_du_chainage = %s ; maconnerie_beton_du_chainage = C25_30 ; } ;\n"
            "    batiment_largeur = 9. ;\n    batiment_longueur = 10. ;\n    batiment_hauteur = 6.66 ;\n"
            "    batiment_hauteur_max_par_niveau = 2.8 ;\n    batiment_sous_sol = None ;\n"
            "    batiment_niveau_planchers = [\n  %s\n  ] ;\n    batiment_niveau_toit =\n  %s ;\n"
            "    batiment_file_name = \"input.qvb\" ;\n  } ;\n}\n") % (
        h["zone"], h["categorie"], h["joint"], h["chainage"], niveau(l0, sol, base0), niveau(l1, toit, "Base_plan " + pl0))

def write(name, h):
    directory = os.path.join(OUT, name)
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "input.qvb"), "w") as out:
        out.write(batiment(h))
    if h.get("no_report"):
        open(os.path.join(directory, "no_report"), "w").close()

cases = {}
cases["ok_b_simple_house"] = house()

# CR-2-1: the roof plan loses a 2.1 m strip (21 % of 10 m) on its west side;
# the roof's west wall, beam and column follow the new facade.
h = house(); l1 = h["levels"][1]
l1["retraits"] = [dict(nom="R1n1", r=(2.1, 9, 0, 0))]
l1["walls"][0].update(x=2.1, lx=7.9); l1["walls"][1].update(x=2.1, lx=7.9); l1["walls"][2].update(x=2.1)
l1["poutres"][0].update(x=2.2, l=2.8)
cases["cr2_1_elevation_21_percent"] = h

# CR-2-2-1: the upper column 0.01 m east of the one below.
h = house(); h["levels"][1]["poteaux"][0].update(x=5.01)
cases["cr2_2_1_column_offset"] = h

# CR-2-2-3: the upper beam ends 0.11 m short of the column's centre.
h = house(); h["levels"][1]["poutres"][0].update(l=4.79)
cases["cr2_2_3_beam_end"] = h

# CR-2-3: seven set-backs along the north facade of the ground floor, the
# north walls shortened on both storeys.
h = house()
for lv in h["levels"]:
    lv["walls"][1].update(x=8.0, lx=2.0)
h["levels"][0]["retraits"] = [dict(nom="R%dn0" % (i + 1), r=(1.0, 1.2, 0.2 + 1.1 * i, 7.8)) for i in range(7)]
cases["cr2_3_seven_set_backs"] = h

# CR-3-4: the west walls 0.6 thick: North 50 %, South 50 %, East 25 %, West 75 %.
h = house()
for lv in h["levels"]:
    lv["walls"][2].update(lx=0.6)
    lv["poutres"][0].update(x=0.3, l=4.7)
cases["cr3_4_shares"] = h

# CR-3-6-2
h = house(); h["chainage"] = "Chainage_4HA10"
cases["cr3_6_2_chainage_4ha10"] = h

# CR-3-5-0: the roof's east wall has no carried area yet.
h = house(); h["levels"][1]["walls"][3].update(sp="Sp_not_yet_computed")
cases["cr3_5_0_sp_not_yet_computed"] = h

# CR-3-5-1: an R1 wall of 8.6 m has Sp,max 31 + 15 = 46; 46.002 is too much.
h = house(); h["levels"][1]["walls"][3].update(sp="Sp_value 46.002")
cases["cr3_5_1_sp_above_max"] = h

# The catalogue's fatal error for a zone other than 5.
h = house(); h["zone"] = "Zone3"; h["no_report"] = True
cases["zone3_fatal"] = h

# CR-2-2-2: the upper south wall is thicker than the one below.
h = house(); h["levels"][1]["walls"][0].update(ly=0.25)
cases["cr2_2_2_thicker_upper_wall"] = h

# CR-3-1: no facade wall reaches 30 % of its facade (the beams and columns
# are left out, there is no wall left to carry them).
h = house()
for lv in h["levels"]:
    n = lv["n"]
    lv["walls"][0].update(lx=2.9); lv["walls"][1].update(lx=2.9)
    lv["walls"][2].update(ly=2.6); lv["walls"][3].update(ly=2.6)
    lv["poteaux"] = []; lv["poutres"] = []
cases["cr3_1_short_facades"] = h

# CR-3-2: the Y walls 6 m long: lt_x / lt_y = 20 / 12.
h = house()
for lv in h["levels"]:
    lv["walls"][2].update(ly=6.0); lv["walls"][3].update(ly=6.0)
cases["cr3_2_length_ratio"] = h

# CR-3-3: inner walls of 6 m (X) and 8 m (Y): 14 / 51.2 of the length.
h = house()
for lv in h["levels"]:
    s = "n%d" % lv["n"]
    lv["walls"] += [dict(nom="I1" + s, d="X", x=0.2, y=3.0, lx=6, ly=0.2, num=5, sp="Sp_value 10.", cat="Mur_en_refend"),
                    dict(nom="I2" + s, d="Y", x=8, y=0.2, lx=0.2, ly=8, num=6, sp="Sp_value 10.", cat="Mur_en_refend")]
cases["cr3_3_inner_walls"] = h

# CR-3-6-3: hollow bricks 8 where a two-storey house with thin joints needs 12.
h = house(); h["categorie"] = "Brique_creuse_8"
cases["cr3_6_3_brique_8"] = h

# CR-3-6-4: empty vertical joints.
h = house(); h["joint"] = "Joint_vide"
cases["cr3_6_4_joints_vides"] = h

# CR-3-6-1: ten Y walls of 1.6 m, five on each side facade: a mean of 1.6 m.
h = house()
for lv in h["levels"]:
    s = "n%d" % lv["n"]
    ys = [0.2 + 1.75 * i for i in range(5)]
    lv["walls"] = lv["walls"][:2] + \
        [dict(nom="O%d%s" % (i + 1, s), d="Y", x=0, y=y, lx=0.2, ly=1.6, num=3 + i, sp="Sp_value 8.") for i, y in enumerate(ys)] + \
        [dict(nom="E%d%s" % (i + 1, s), d="Y", x=9.8, y=y, lx=0.2, ly=1.6, num=8 + i, sp="Sp_value 8.") for i, y in enumerate(ys)]
cases["cr3_6_1_short_walls"] = h

# CR-3-7: autoclaved cellular blocks (pa_min 3.5 %) and four 3 m walls 0.25
# thick: 1.5 m2 of walls along X on a 90 m2 floor.
h = house(); h["categorie"] = "Cellulaire_autoclave_rcn_4"
for lv in h["levels"]:
    s = "n%d" % lv["n"]
    lv["walls"] = [dict(nom="M1" + s, d="X", x=3.5, y=0, lx=3, ly=0.25, num=1, sp="Sp_value 10."),
                   dict(nom="M2" + s, d="X", x=3.5, y=8.75, lx=3, ly=0.25, num=2, sp="Sp_value 10."),
                   dict(nom="M3" + s, d="Y", x=0, y=3, lx=0.25, ly=3, num=3, sp="Sp_value 10."),
                   dict(nom="M4" + s, d="Y", x=9.75, y=3, lx=0.25, ly=3, num=4, sp="Sp_value 10.")]
    lv["poteaux"] = []; lv["poutres"] = []
cases["cr3_7_pa_min"] = h

# Values at the tolerances, all passing: the ground-floor beam ends 0.1 m
# from the column centre, the upper column stands 0.0005 m east of the one
# below, and the roof's east wall carries Sp,max + 0.0005.
h = house()
h["levels"][0]["poutres"][0].update(l=4.8)
h["levels"][1]["poteaux"][0].update(x=5.0005)
h["levels"][1]["walls"][3].update(sp="Sp_value 46.0005")
cases["ok_b_tolerances"] = h

# CR-2-1 within its tolerance (the roof plan loses 20.04 % in X), then CR-2-3
# fails on the roof: that set-back covers more than a tenth of the roof.
# A refend wall of the ground floor carries the roof's west wall.
h = house(); l0, l1 = h["levels"]
l0["walls"].append(dict(nom="I1n0", d="Y", x=2.004, y=0.2, lx=0.2, ly=8.6, num=5, sp="Sp_value 10.", cat="Mur_en_refend"))
l1["retraits"] = [dict(nom="R1n1", r=(2.004, 9, 0, 0))]
l1["walls"][0].update(x=2.004, lx=7.996); l1["walls"][1].update(x=2.004, lx=7.996); l1["walls"][2].update(x=2.004)
l1["poutres"][0].update(x=2.204, l=2.796)
cases["cr2_3_elevation_20_percent"] = h

# CR-2-2-3: an upper beam whose two ends rest on nothing.
h = house(); h["levels"][1]["poutres"][0].update(x=3.0, l=1.0)
cases["cr2_2_3_beam_floating"] = h

# CR-3-5-0: the computation of the carried area failed for a roof wall.
h = house(); h["levels"][1]["walls"][2].update(sp="Sp_failure")
cases["cr3_5_0_sp_failure"] = h

# CR-2-3: four corner set-backs of 6 m2 on the ground floor, each within a
# tenth of the 66 m2 left, together above three tenths of it (19.8 m2).
h = house()
for lv in h["levels"]:
    lv["walls"][0].update(x=2.0, lx=6.0); lv["walls"][1].update(x=2.0, lx=6.0)
    lv["walls"][2].update(y=3.0, ly=3.0); lv["walls"][3].update(y=3.0, ly=3.0)
h["levels"][0]["retraits"] = [dict(nom="R%dn0" % (i + 1), r=(2.0, 3.0, x, y))
                              for i, (x, y) in enumerate([(0, 0), (8, 0), (0, 6), (8, 6)])]
cases["cr2_3_set_backs_total_area"] = h

# CR-3-1 passes in Y: the North and South facades carry three walls of
# 2.9 m each, all under 30 % of the 10 m length, while the side walls of
# 8.6 m exceed 30 % of the 9 m width. Every other criterion passes.
h = house()
for lv in h["levels"]:
    s = "n%d" % lv["n"]
    south = [dict(nom="S%d%s" % (i + 1, s), d="X", x=x, y=0, lx=2.9, ly=0.2, num=1 + i, sp="Sp_value 10.")
             for i, x in enumerate([0, 3.5, 7.1])]
    north = [dict(nom="N%d%s" % (i + 1, s), d="X", x=x, y=8.8, lx=2.9, ly=0.2, num=4 + i, sp="Sp_value 10.")
             for i, x in enumerate([0, 3.5, 7.1])]
    sides = lv["walls"][2:]
    sides[0].update(num=7); sides[1].update(num=8)
    lv["walls"] = south + north + sides
cases["ok_b_facades_in_y"] = h

for name, h in cases.items():
    write(name, h)
print("\n".join(sorted(cases)))
