// The compliance report: frame, sections, conclusion and output files.
#include "report/report.hpp"

#include <gtest/gtest.h>

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

namespace {

using Tqmv::critere;
namespace QC = Quavor_configuration;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

Tqmv::logger text_logger(const std::string& text) {
  return [text](Format::Printer& ppf) { Format::fprintf(ppf, "%s", text); };
}

bool passes(critere, const Compute_data_types::batiment&) { return true; }

// The report as written to its file: "%a@.".
std::string printed(const Report::report& r) {
  Format::Printer p;
  Format::fprintf(p, "%a@.", Report::report_print, r);
  return p.contents();
}

std::string read_file(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QC::reset_for_tests();
    Check::reset_error_wrong_test_result();
    Check::reset_checking_batiment();
    QC::set_report_source_file_name("house.qvb");
    QC::set_report_target_file_name("house.qvr");
    Check::batiment_start_checkings(b);
  }
  void TearDown() override {
    Check::reset_error_wrong_test_result();
    Check::reset_checking_batiment();
  }
  Compute_data_types::batiment b{};
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
  Check::critere_done_checking(critere::CR_0);
  Check::critere_done_checking(critere::CR_0_1);
  Check::niveau_logger("Nv0")(critere::CR_0_1, text_logger("le niveau a un nom unique"));
  Check::niveau_logger("Nv1")(critere::CR_0_1, text_logger("le niveau a un nom unique"));
  Check::critere_done_checking(critere::CR_0_11);
  Check::batiment_logger()(critere::CR_0_11, text_logger("le nom de fichier est correct"));
  Check::critere_done_checking(critere::CR_2_2);
  // Paragraphs of a criterion that was not checked are left out with it.
  Check::batiment_logger()(critere::CR_1_0, text_logger("jamais écrit"));

  EXPECT_EQ(printed(Report::batiment_make_report(b)),
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
  Check::critere_done_checking(critere::CR_1_2);
  Check::batiment_logger()(critere::CR_1_2, text_logger("la hauteur est correcte"));
  Check::critere_done_checking(critere::CR_1_3);
  Check::batiment_logger()(critere::CR_1_3, text_logger("la surface est correcte"));
  const std::string text = printed(Report::batiment_make_report(b));
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
  EXPECT_EQ(printed(Report::batiment_make_report(b)),
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
  const bool ok = Check::make_checkings(critere::CR_0, [](const Compute_data_types::batiment& x) {
    return Check::make(critere::CR_0_11, [](critere c, const Compute_data_types::batiment&) {
             return Check::batiment_logger()(c, text_logger("le nom de fichier est correct"));
           }, x) &&
           Check::make(critere::CR_0_12, [](critere, const Compute_data_types::batiment&) {
             return Check::batiment_error("le type du bâtiment ne convient pas");
           }, x) &&
           Check::make(critere::CR_0_0, passes, x);
  }, b);
  ASSERT_FALSE(ok);
  EXPECT_EQ(printed(Report::batiment_make_report(b)),
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

TEST_F(ReportTest, MissingTablesCheckedTableFirst) {
  QC::reset_critere_tables();
  EXPECT_THROW(
      {
        try {
          Report::batiment_make_report(b);
        } catch (const Fatal_error& e) {
          EXPECT_EQ(e.what(), fatal_prefix + "Looking for set of checked criterions when none has been entered");
          throw;
        }
      },
      Fatal_error);
  QC::set_critere_checked_table(std::make_shared<Tqmv::critere_checked_table>(Tqmv::make_critere_checked_table()));
  try {
    Report::batiment_make_report(b);
    FAIL() << "no fatal error";
  } catch (const Fatal_error& e) {
    EXPECT_EQ(e.what(),
              fatal_prefix + "The (criterion, report messages) association hash table has not yet been created");
  }
}

// ---------------------------------------------------------------------------
// Output files.

TEST_F(ReportTest, WritesTheTargetFile) {
  const auto dir = std::filesystem::temp_directory_path() / "quavor_report_test";
  std::filesystem::create_directories(dir);
  const std::string target = (dir / "house.qvr").string();
  {
    std::ofstream old(target);
    old << "an older and longer report that must disappear entirely";
  }
  QC::set_report_target_file_name(target);
  Check::critere_done_checking(critere::CR_0);
  const Report::report r = Report::batiment_make_report(b);
  EXPECT_EQ(r.target_file_name, target);
  Report::write_report_text_file(r);
  EXPECT_EQ(read_file(target), printed(r));
  EXPECT_EQ(&Report::get_report_formatter(), &Format::std_formatter());
  std::filesystem::remove_all(dir);
}

TEST_F(ReportTest, DashWritesOnTheStandardOutput) {
  QC::set_report_target_file_name("-");
  const Report::report r = Report::batiment_make_report(b);
  testing::internal::CaptureStdout();
  Report::write_report_files(r);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, printed(r));
  // The standard output stays open.
  EXPECT_GE(std::fputs("", stdout), 0);
}

TEST_F(ReportTest, UnopenableTargetWritesNothing) {
  const Report::report r = [this] {
    QC::set_report_target_file_name("/nonexistent-quavor-dir/house.qvr");
    return Report::batiment_make_report(b);
  }();
  EXPECT_ANY_THROW(Report::write_report_text_file(r));
  EXPECT_FALSE(std::filesystem::exists("/nonexistent-quavor-dir/house.qvr"));
  EXPECT_EQ(&Report::get_report_formatter(), &Format::std_formatter());
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
