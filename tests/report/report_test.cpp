// The compliance report: frame, sections, conclusion and output files.
#include "report/report.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/quavor_configuration.hpp"
#include "criteria/check.hpp"
#include "model/compute_data_types.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "test_support.hpp"

namespace {

using Tqmv::critere;
Tqmv::logger text_logger(const std::string& text) {
  return [text](Format::Printer& ppf) { Format::fprintf(ppf, "%s", text); };
}

bool passes(Check::session&, critere, const Compute_data_types::batiment&) { return true; }

// The report as written to its file: "%a@.".
std::string printed(const Report::report& r) {
  Format::Printer p;
  Format::fprintf(p, "%a@.", Report::report_print, r);
  return p.contents();
}

using Test_support::read_file;

class ReportTest : public ::testing::Test {
 protected:
  // The report of what the session recorded; the outcome stays with the
  // fixture, which the report refers to.
  Report::report report(bool compliant = true) {
    outcome = s.make_outcome(compliant);
    return Report::batiment_make_report(outcome);
  }
  Check::session s{Check::run_context{"house.qvb", "house.qvr", std::nullopt, false}};
  Outcome::outcome outcome;
};

// ---------------------------------------------------------------------------
// Headings.

TEST_F(ReportTest, HeadingsAreFamiliesForSectionsAndTitlesOtherwise) {
  const std::vector<std::pair<critere, std::string>> cases = {
      {critere::CR_0, "Cohérence du bâtiment"},
      {critere::CR_1, "Géométrie du bâtiment"},
      {critere::CR_2, "Conception du bâtiment"},
      {critere::CR_2_2, "Conception du bâtiment"},
      {critere::CR_3, "Dimensionnement du bâtiment"},
      {critere::CR_0_1, "Cohérence des niveaux"},
      {critere::CR_1_8, "Poids propre du plancher (guide 2.1.4, p.73, point (2))"},
      {critere::CR_2_2_1, "Continuité des poteaux (guide 2.1.4, p.73, point (5))"},
  };
  for (const auto& [c, heading] : cases) EXPECT_EQ(Format::asprintf("%a", Report::print_critere_title, c), heading);
}

// ---------------------------------------------------------------------------
// Whole reports.

// Sections with and without paragraphs follow each other, each heading at the
// start of its own line; paragraphs are indented by two columns, newest first.
TEST_F(ReportTest, CompliantReportWithSeveralSections) {
  s.critere_done_checking(critere::CR_0);
  s.critere_done_checking(critere::CR_0_1);
  s.niveau_logger("Nv0")(critere::CR_0_1, text_logger("le niveau a un nom unique"));
  s.niveau_logger("Nv1")(critere::CR_0_1, text_logger("le niveau a un nom unique"));
  s.critere_done_checking(critere::CR_0_11);
  s.batiment_logger()(critere::CR_0_11, text_logger("le nom de fichier est correct"));
  s.critere_done_checking(critere::CR_2_2);
  // Paragraphs of a criterion that was not checked are left out with it.
  s.batiment_logger()(critere::CR_1_0, text_logger("jamais écrit"));

  EXPECT_EQ(printed(report()),
            "Rapport de conformité du bâtiment\n"
            "\n"
            "house.qvb\n"
            "  \n"
            "Cohérence du bâtiment\n"
            "\n"
            "Cohérence des niveaux\n"
            "\n"
            "  Au premier étage (niveau Nv1), le niveau a un nom unique\n"
            "  Au rez-de-chaussée (niveau Nv0), le niveau a un nom unique\n"
            "Cohérence du nom de fichier du bâtiment\n"
            "\n"
            "  Pour ce bâtiment, le nom de fichier est correct\n"
            "Conception du bâtiment\n"
            "\n"
            "\n"
            "Diagnostique final de l'analyse de conformité du bâtiment:\n"
            "\n"
            "Tous les tests ont été réussis.\n"
            "Le bâtiment est conforme au guide TQMV.\n"
            "\n");
}

// Two sections with paragraphs in a row: the second heading does not follow
// the last paragraph of the first on its line.
TEST_F(ReportTest, ConsecutiveSectionsWithParagraphs) {
  s.critere_done_checking(critere::CR_1_2);
  s.batiment_logger()(critere::CR_1_2, text_logger("la hauteur est correcte"));
  s.critere_done_checking(critere::CR_1_3);
  s.batiment_logger()(critere::CR_1_3, text_logger("la surface est correcte"));
  const std::string text = printed(report());
  EXPECT_NE(text.find("  Pour ce bâtiment, la hauteur est correcte\n"
                      "Limitation de la surface rectangulaire projetée au sol (guide 2.1.4, p.10, Tab (2-1))\n"
                      "\n"
                      "  Pour ce bâtiment, la surface est correcte\n"
                      "\n"
                      "Diagnostique final"),
            std::string::npos)
      << text;
}

TEST_F(ReportTest, NoCheckedCriterion) {
  EXPECT_EQ(printed(report()),
            "Rapport de conformité du bâtiment\n"
            "\n"
            "house.qvb\n"
            "  \n"
            "\n"
            "\n"
            "Diagnostique final de l'analyse de conformité du bâtiment:\n"
            "\n"
            "Tous les tests ont été réussis.\n"
            "Le bâtiment est conforme au guide TQMV.\n"
            "\n");
}

// A failing consistency family: only what was checked, then the failure.
TEST_F(ReportTest, FailureConclusion) {
  const Compute_data_types::batiment b{};
  const bool ok = s.make_checkings(critere::CR_0, [](Check::session& k, const Compute_data_types::batiment& x) {
    return k.make(critere::CR_0_11, [](Check::session& t, critere c, const Compute_data_types::batiment&) {
             return t.batiment_logger()(c, text_logger("le nom de fichier est correct"));
           }, x) &&
           k.make(critere::CR_0_12, [](Check::session& t, critere, const Compute_data_types::batiment&) {
             return t.batiment_error("le type du bâtiment ne convient pas");
           }, x) &&
           k.make(critere::CR_0_0, passes, x);
  }, b);
  ASSERT_FALSE(ok);
  EXPECT_EQ(printed(report(false)),
            "Rapport de conformité du bâtiment\n"
            "\n"
            "house.qvb\n"
            "  \n"
            "Cohérence du nom de fichier du bâtiment\n"
            "\n"
            "  Pour ce bâtiment, le nom de fichier est correct\n"
            "\n"
            "Diagnostique final de l'analyse de conformité du bâtiment:\n"
            "\n"
            "Cohérence du bâtiment: échec du test CR-0-12:\n"
            "\n"
            "  Pour ce bâtiment, le type du bâtiment ne convient pas\n"
            "\n"
            "Critère CR-0-12\n"
            "  \"Cohérence du type du bâtiment\"\n"
            "\n"
            "(Test 3).\n"
            "\n");
}

// ---------------------------------------------------------------------------
// Output files.

TEST_F(ReportTest, WritesTheTargetFile) {
  const Test_support::Temporary_directory dir;
  const std::string target = (dir / "house.qvr").string();
  {
    std::ofstream old(target);
    old << "an older and longer report that must disappear entirely";
  }
  s.set_report_target_file_name(target);
  s.critere_done_checking(critere::CR_0);
  const Report::report r = report();
  EXPECT_EQ(r.target_file_name, target);
  Report::write_report_text_file(r);
  EXPECT_EQ(read_file(target), printed(r));
}

TEST_F(ReportTest, DashWritesOnTheStandardOutput) {
  s.set_report_target_file_name("-");
  const Report::report r = report();
  testing::internal::CaptureStdout();
  Report::write_report_text_file(r);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, printed(r));
  // The standard output stays open.
  EXPECT_GE(std::fputs("", stdout), 0);
}

TEST_F(ReportTest, UnopenableTargetWritesNothing) {
  s.set_report_target_file_name("/nonexistent-quavor-dir/house.qvr");
  const Report::report r = report();
  EXPECT_ANY_THROW(Report::write_report_text_file(r));
  EXPECT_FALSE(std::filesystem::exists("/nonexistent-quavor-dir/house.qvr"));
}

// ---------------------------------------------------------------------------
// Logger constructors.

TEST_F(ReportTest, LoggerConstructors) {
  EXPECT_EQ(Format::asprintf("%t", Report::conclusion_logger),
            "Diagnostique final de l'analyse de conformité du bâtiment:");
  EXPECT_EQ(Format::asprintf("@[<v 0>%t%t@]", Report::title_document_logger("Titre"),
                             Report::paragraph_body_logger("corps")),
            "Titre\n\ncorps");
  EXPECT_EQ(Format::asprintf("@[<v 0>%t@]", Report::sub_section_logger("Sous-titre", text_logger("texte"))),
            "\n\n  Sous-titre\n  texte\n");
  EXPECT_EQ(Format::asprintf("@[<v 0>%t@]", Report::end_logger("fin@,ligne")), "fin\nligne");
}

}  // namespace
