// The checking framework: numbering, success paragraphs, failure texts.
#include "criteria/check.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/quavor_configuration.hpp"
#include "model/compute_data_types.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace {

using Tqmv::critere;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

template <class F>
std::string fatal_text(F&& f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "";
}

// A logger writing a fixed text.
Tqmv::logger text_logger(const std::string& text) {
  return [text](Format::Printer& ppf) { Format::fprintf(ppf, "%s", text); };
}

std::string render(const Tqmv::logger& l) { return Format::asprintf("%t", l); }

bool passes(Check::session&, critere, const Compute_data_types::batiment&) { return true; }

class CheckTest : public ::testing::Test {
 protected:
  Check::session s{Check::run_context{"house.qvb", "house.qvr", std::nullopt, false}};
  Compute_data_types::batiment b{};
};

// ---------------------------------------------------------------------------
// Level names.

TEST(CheckVernacular, LevelNames) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Nv0", "rez-de-chaussée"},
      {"Nv1", "premier étage"},
      {"Nv2", "second étage"},
      {"Nv3", "troisième étage"},
      {"Nv4", "quatrième étage"},
      {"Nv5", "niveau 5"},
      {"Nv7", "niveau 7"},
      {"Nv12", "niveau 12"},
      {"Nv007", "niveau 7"},
      {"Nv-1", "niveau -1"},
      // Names of any other form are named as written.
      {"Etage1", "niveau Etage1"},
      {"Nv", "niveau Nv"},
      {"NvX", "niveau NvX"},
      {"nv1", "niveau nv1"},
      {"", "niveau "},
      {"Nv99999999999999999999999", "niveau Nv99999999999999999999999"},
  };
  for (const auto& [name, vernacular] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Check::niveau_nom_vernaculaire(name), vernacular);
  }
}

TEST(CheckVernacular, LocationTexts) {
  EXPECT_EQ(Check::loc_message(std::nullopt), "Pour ce bâtiment");
  EXPECT_EQ(Check::loc_message("Nv0"), "Au rez-de-chaussée (niveau Nv0)");
  EXPECT_EQ(Check::loc_message("Nv12"), "Au niveau 12 (niveau Nv12)");
  EXPECT_EQ(Check::loc_message("Etage1"), "Au niveau Etage1 (niveau Etage1)");
}

// ---------------------------------------------------------------------------
// Tests and their numbering.

TEST_F(CheckTest, AFreshSessionHasNothingRecorded) {
  EXPECT_EQ(s.get_checking_number(), 0);
  EXPECT_FALSE(s.get_critere_error_logger_opt().has_value());
  EXPECT_FALSE(s.get_error_wrong_test_result_opt().has_value());
  for (critere c : Tqmv::all_criteres()) {
    EXPECT_FALSE(Tqmv::critere_get_checked(c, s.get_critere_checked_table()));
    EXPECT_TRUE(Tqmv::get(s.get_critere_loggers_table(), c).empty());
  }
}

TEST_F(CheckTest, EveryTestEnteredCountsSectionsIncluded) {
  std::vector<int> numbers;
  const auto numbered = [&numbers](Check::session& k, critere, const Compute_data_types::batiment&) {
    numbers.push_back(k.get_checking_number());
    return true;
  };
  const bool ok = s.make_checkings(critere::CR_0, [&](Check::session& k, const Compute_data_types::batiment& x) {
    numbers.push_back(k.get_checking_number());
    return k.make(critere::CR_0_11, numbered, x) && k.make(critere::CR_0_12, numbered, x) &&
           k.make_checkings(critere::CR_0_0, [&](Check::session& l, const Compute_data_types::batiment& y) {
             numbers.push_back(l.get_checking_number());
             return l.make(critere::CR_0_0_0, numbered, y);
           }, x);
  }, b);
  EXPECT_TRUE(ok);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5}));
  // The current criterion is the last one entered.
  EXPECT_EQ(s.get_checking_critere(), critere::CR_0_0_0);
  for (critere c : {critere::CR_0, critere::CR_0_11, critere::CR_0_12, critere::CR_0_0, critere::CR_0_0_0})
    EXPECT_TRUE(Tqmv::critere_get_checked(c, s.get_critere_checked_table()));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0_1, s.get_critere_checked_table()));
}

TEST_F(CheckTest, AFailedTestLeavesItsCriterionUnmarked) {
  const bool ok = s.make_checkings(critere::CR_0, [&](Check::session& k, const Compute_data_types::batiment& x) {
    return k.make(critere::CR_0_11, passes, x) && k.make(critere::CR_0_12, passes, x) &&
           k.make(critere::CR_0_1, [](Check::session& t, critere, const Compute_data_types::batiment&) {
             return t.niveau_error("Nv1")("le niveau Nv1 n'a pas un nom unique");
           }, x) &&
           k.make(critere::CR_0_9, passes, x);
  }, b);
  EXPECT_FALSE(ok);
  const auto& checked = s.get_critere_checked_table();
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0, checked));
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_11, checked));
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_12, checked));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0_1, checked));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0_9, checked));
  EXPECT_EQ(s.get_checking_number(), 4);

  const Wrong_test_result r = s.get_error_wrong_test_result();
  EXPECT_EQ(r.niveau_nom, std::optional<std::string>("Nv1"));
  EXPECT_EQ(r.critere_text, "On vérifie que les niveaux ont tous un nom unique.");
  EXPECT_EQ(r.message,
            "Cohérence du bâtiment: échec du test CR-0-1:\n"
            "\n"
            "  Au premier étage (niveau Nv1), le niveau Nv1 n'a pas un nom unique\n"
            "\n"
            "Critère CR-0-1\n"
            "  \"Cohérence des niveaux\"\n"
            "\n"
            "(Test 4).\n"
            "\n"
            "Pour plus d'information, consulter le détail des calculs dans le fichier:\n"
            "\n"
            "  house.qvr\n");
  // The stored error logger is the failure paragraph alone.
  EXPECT_EQ(render(*s.get_critere_error_logger_opt()),
            "Cohérence du bâtiment: échec du test CR-0-1:\n"
            "\n"
            "  Au premier étage (niveau Nv1), le niveau Nv1 n'a pas un nom unique\n"
            "\n"
            "Critère CR-0-1\n"
            "  \"Cohérence des niveaux\"\n"
            "\n"
            "(Test 4).");
}

TEST_F(CheckTest, BuildingFailureWithALaidOutMessage) {
  s.critere_enter_checking(critere::CR_1);
  s.critere_enter_checking(critere::CR_1_10);
  // The break hint of the message is laid out, never copied: it belongs to the
  // outermost box of the message's own printer, still unmeasured when that
  // printer is flushed, so it becomes a line break.
  const std::string message = Format::asprintf("l'élancement %s est trop grand:@ il vaut %s", "du bâtiment", "2.005");
  EXPECT_FALSE(s.batiment_error(message));
  const Wrong_test_result r = s.get_error_wrong_test_result();
  EXPECT_FALSE(r.niveau_nom.has_value());
  EXPECT_EQ(r.message,
            "Géométrie du bâtiment: échec du test CR-1-10:\n"
            "\n"
            "  Pour ce bâtiment, l'élancement du bâtiment est trop grand:\n"
            "il vaut 2.005\n"
            "\n"
            "Critère CR-1-10\n"
            "  \"Limitation de l'élancement du bâtiment (guide 2.1.4, p.73, point (6))\"\n"
            "\n"
            "(Test 2).\n"
            "\n"
            "Pour plus d'information, consulter le détail des calculs dans le fichier:\n"
            "\n"
            "  house.qvr\n");
}

// A message whose hints sit in a box of its own keeps them on the line when it fits.
TEST_F(CheckTest, LevelFailureWithABoxedMessage) {
  s.critere_enter_checking(critere::CR_0_3);
  const std::string message = Format::asprintf("@[<hov 2>le mur %s@ est trop long@]", "M1n0");
  EXPECT_FALSE(s.niveau_error("Etage1", message));
  EXPECT_TRUE(s.get_error_wrong_test_result().message.starts_with(
      "Cohérence du bâtiment: échec du test CR-0-3:\n\n  Au niveau Etage1 (niveau Etage1), le mur M1n0 est trop "
      "long\n\nCritère CR-0-3\n"));
}

TEST_F(CheckTest, FatalBuildingFailureRaisesWithoutTheClosingParagraph) {
  s.critere_enter_checking(critere::CR_0);
  s.critere_enter_checking(critere::CR_0_11);
  s.critere_enter_checking(critere::CR_0_12);
  try {
    s.fatal_batiment_error("le type du bâtiment R1 ne correspond pas à son nombre de niveaux");
    FAIL() << "no Error_wrong_test";
  } catch (const Error_wrong_test& e) {
    const std::string expected =
        "Cohérence du bâtiment: échec du test CR-0-12:\n"
        "\n"
        "  Pour ce bâtiment, le type du bâtiment R1 ne correspond pas à son nombre de niveaux\n"
        "\n"
        "Critère CR-0-12\n"
        "  \"Cohérence du type du bâtiment\"\n"
        "\n"
        "(Test 3).\n"
        "\n";
    EXPECT_EQ(e.result.message, expected);
    EXPECT_FALSE(e.result.niveau_nom.has_value());
    EXPECT_EQ(e.result.critere_text, "On vérifie que le type du bâtiment est compatible avec son nombre de niveaux.");
    EXPECT_EQ(s.get_error_wrong_test_result(), e.result);
  }
}

TEST_F(CheckTest, FatalLevelFailureRaisesWithTheLevel) {
  s.critere_enter_checking(critere::CR_3_7);
  struct level {
    std::string niveau_nom;
  };
  try {
    s.fatal_niveau_error(level{"Nv0"}, "la section est trop faible");
    FAIL() << "no Error_wrong_test";
  } catch (const Error_wrong_test& e) {
    EXPECT_EQ(e.result.niveau_nom, std::optional<std::string>("Nv0"));
    EXPECT_TRUE(e.result.message.starts_with(
        "Dimensionnement du bâtiment: échec du test CR-3-7:\n\n  Au rez-de-chaussée (niveau Nv0), la section est "
        "trop faible\n"));
    EXPECT_TRUE(e.result.message.ends_with("(Test 1).\n\nPour plus d'information, consulter le détail des calculs "
                                           "dans le fichier:\n\n  house.qvr\n"));
  }
}

// ---------------------------------------------------------------------------
// Failures of the framework itself.

TEST_F(CheckTest, TwoFailuresInOneChecking) {
  s.critere_enter_checking(critere::CR_0_3);
  EXPECT_FALSE(s.niveau_error("Nv0", "premier échec"));
  EXPECT_EQ(fatal_text([this] { s.niveau_error("Nv0", "second échec"); }),
            fatal_prefix + "Attempt to set twice error_wrong_test_result");
}

TEST_F(CheckTest, FrameworkFatalErrors) {
  EXPECT_EQ(fatal_text([this] { s.batiment_error("x"); }),
            fatal_prefix + "Looking for a checking criterion when none has been entered");
  EXPECT_EQ(fatal_text([this] { s.get_error_wrong_test_result(); }),
            fatal_prefix + "Attempt to get error_wrong_test_result, when none has been set");
}

TEST_F(CheckTest, MarkingTwiceThroughMake) {
  EXPECT_TRUE(s.make(critere::CR_0_2, passes, b));
  EXPECT_EQ(fatal_text([this] { s.make(critere::CR_0_2, passes, b); }),
            fatal_prefix +
                "Attempt to check twice Critère CR-0-2\n  \"Nombre minimal de murs de contreventement\"\n  Nombre "
                "minimal de murs de contreventement");
}

TEST_F(CheckTest, StopCheckings) {
  for (critere c : Tqmv::all_criteres())
    if (c != critere::CR_2_2_3) s.critere_done_checking(c);
  EXPECT_EQ(fatal_text([this] { s.stop_checkings(); }),
            fatal_prefix +
                "Critère CR-2-2-3\n  \"Continuité des appuis de poutres (guide 2.1.4, p.73, point (5))\"\n  has never "
                "been checked");
  s.critere_done_checking(critere::CR_2_2_3);
  EXPECT_TRUE(s.stop_checkings());
}

// ---------------------------------------------------------------------------
// Success paragraphs.

TEST_F(CheckTest, LoggersNewestFirstWithTheirLocations) {
  struct level {
    std::string niveau_nom;
  };
  EXPECT_TRUE(s.batiment_logger()(critere::CR_0_11, text_logger("le nom de fichier est correct")));
  EXPECT_TRUE(s.niveau_logger("Nv0")(critere::CR_0_11, text_logger("premier paragraphe")));
  EXPECT_TRUE(s.niveau_logger(level{"Nv7"})(critere::CR_0_11, text_logger("second paragraphe")));
  EXPECT_TRUE(s.critere_logger(critere::CR_0_11, text_logger("sans lieu")));
  const auto loggers = s.critere_paragraphs(critere::CR_0_11);
  ASSERT_EQ(loggers.size(), 4u);
  EXPECT_EQ(render(loggers[0]), "sans lieu");
  EXPECT_EQ(render(loggers[1]), "Au niveau 7 (niveau Nv7), second paragraphe");
  EXPECT_EQ(render(loggers[2]), "Au rez-de-chaussée (niveau Nv0), premier paragraphe");
  EXPECT_EQ(render(loggers[3]), "Pour ce bâtiment, le nom de fichier est correct");
  EXPECT_TRUE(Tqmv::get(s.get_critere_loggers_table(), critere::CR_0_12).empty());
}

TEST_F(CheckTest, ClosingParagraphs) {
  EXPECT_EQ(render(s.all_tests_successful_logger()),
            "Toutes les vérifications ont réussi.\n"
            "Le bâtiment est conforme aux recommandations du guide TQMV.\n"
            "\n"
            "Pour plus d'information, consulter le détail des calculs dans le fichier:\n"
            "\n"
            "  house.qvr");
  EXPECT_EQ(render(Check::fatal_information_logger), "");
}

TEST_F(CheckTest, DebugLineOnlyWhenDebugging) {
  testing::internal::CaptureStderr();
  s.debug_checking(critere::CR_3_7, "pa_min");
  s.set_debug(true);
  s.debug_checking(critere::CR_3_7, "pa_min");
  s.set_debug(false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Check (CR_3_7): pa_min\n");
}

}  // namespace
