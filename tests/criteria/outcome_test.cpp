// The outcome of a check as data: statuses, test numbers, failures and
// measures, and how much of its limit a measure uses.
#include "criteria/outcome.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "criteria/check.hpp"
#include "model/compute_data_types.hpp"
#include "text/format.hpp"

namespace {

using Outcome::comparison;
using Outcome::status;
using Tqmv::critere;

Outcome::measure measure(double value, comparison compare, double limit, std::optional<double> upper = std::nullopt) {
  Outcome::measure m;
  m.quantity = "q";
  m.value = value;
  m.compare = compare;
  m.limit = limit;
  m.upper_limit = upper;
  return m;
}

TEST(OutcomeUtilization, OneIsAtTheLimitAndAboveOneFails) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    Outcome::measure m;
    std::optional<double> expected;
  } cases[] = {
      {measure(2.8, comparison::at_most, 2.8), 1.0},
      {measure(1.4, comparison::at_most, 2.8), 0.5},
      {measure(2.8 + 0.0009, comparison::at_most, 2.8), (2.8 + 0.0009) / 2.8},
      {measure(0.5, comparison::at_least, 0.5), 1.0},
      {measure(0.4995, comparison::at_least, 0.5), 0.5 / 0.4995},
      {measure(1.0, comparison::at_least, 0.5), 0.5},
      {measure(3.0, comparison::equal, 3.0), 1.0},
      {measure(3.3, comparison::equal, 3.0), 1.0 + std::fabs(3.3 - 3.0) / 3.0},
      {measure(0.3, comparison::range, 0.2, 0.4), 0.3 / 0.4},
      {measure(0.1, comparison::range, 0.2, 0.4), 2.0},
      {measure(0.5, comparison::range, 0.2, 0.4), 1.25},
      {measure(0.0, comparison::at_most, 0.0), 1.0},
      {measure(1.0, comparison::at_most, 0.0), std::nullopt},
      {measure(0.0, comparison::at_least, 2.0), std::nullopt},
      {measure(nan, comparison::at_most, 2.0), std::nullopt},
      {measure(0.3, comparison::range, 0.2), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.m.value);
    const auto u = Outcome::utilization(c.m);
    ASSERT_EQ(u.has_value(), c.expected.has_value());
    if (u) {
      EXPECT_DOUBLE_EQ(*u, *c.expected);
    }
  }
}

TEST(OutcomeNames, StatusComparisonAndTolerance) {
  EXPECT_EQ(Outcome::status_name(status::not_reached), "not-reached");
  EXPECT_EQ(Outcome::comparison_name(comparison::at_least), ">=");
  EXPECT_EQ(Outcome::tolerance_value(Outcome::tolerance::fine), 0.001);
  EXPECT_EQ(Outcome::tolerance_value(Outcome::tolerance::coarse), 0.01);
  EXPECT_EQ(Outcome::tolerance_value(Outcome::tolerance::none), 0.0);
}

class OutcomeOfASession : public ::testing::Test {
 protected:
  Check::session s{Check::run_context{"house.qvb", std::nullopt, std::nullopt, false}};
  Compute_data_types::batiment b{};
};

bool passes(Check::session&, critere, const Compute_data_types::batiment&) { return true; }

bool too_high(Check::session& s, critere, const Compute_data_types::batiment&) {
  Outcome::measure m = measure(3.1, comparison::at_most, 2.8);
  m.passed = false;
  m.niveau = "Nv1";
  s.record_measure(m);
  return s.niveau_error("Nv1", "la hauteur est trop grande", {"M1n1", "M2n1"});
}

TEST_F(OutcomeOfASession, FailedCriterionItsSectionsAndTheRestNotReached) {
  const bool ok = s.make_checkings(critere::CR_1, [](Check::session& k, const Compute_data_types::batiment& x) {
    return k.make(critere::CR_1_0, passes, x) && k.make(critere::CR_1_7, too_high, x) &&
           k.make(critere::CR_1_8, passes, x);
  }, b);
  ASSERT_FALSE(ok);
  const Outcome::outcome o = s.make_outcome(false);
  ASSERT_EQ(o.criteres.size(), 51u);
  EXPECT_FALSE(o.compliant);
  EXPECT_EQ(o.tests_run, 3);
  // The target follows the source when the run names none.
  EXPECT_EQ(o.report_target_file_name, "house.qvr");
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1).state, status::failed);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1).test_number, 1);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1_0).state, status::passed);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1_7).state, status::failed);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1_7).test_number, 3);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_1_8).state, status::not_reached);
  EXPECT_FALSE(Outcome::result_of(o, critere::CR_1_8).test_number.has_value());
  EXPECT_EQ(Outcome::result_of(o, critere::CR_0).state, status::not_reached);
  EXPECT_EQ(Outcome::passed_count(o), 1);
  const auto& measures = Outcome::result_of(o, critere::CR_1_7).measures;
  ASSERT_EQ(measures.size(), 1u);
  EXPECT_EQ(measures[0].niveau, std::optional<std::string>("Nv1"));
  EXPECT_FALSE(measures[0].passed);

  ASSERT_TRUE(o.failed.has_value());
  const Outcome::failure& f = *o.failed;
  EXPECT_EQ(f.code, "CR-1-7");
  EXPECT_EQ(f.famille, "Géométrie du bâtiment");
  EXPECT_EQ(f.test_number, 3);
  EXPECT_FALSE(f.fatal);
  EXPECT_EQ(f.where.niveau_nom, std::optional<std::string>("Nv1"));
  EXPECT_EQ(f.where.niveau_nom_vernaculaire, "premier étage");
  EXPECT_EQ(f.where.text, "Au premier étage (niveau Nv1)");
  EXPECT_EQ(f.elements, (std::vector<std::string>{"M1n1", "M2n1"}));
  EXPECT_EQ(f.message, "la hauteur est trop grande");
  // As the file flow prints it after "Erroneous qvb file: ": the lines of the
  // failure box sit under its first column, the title after its hard newline.
  EXPECT_EQ(f.text,
            "Géométrie du bâtiment: échec du test CR-1-7:\n"
            "                    \n"
            "                      Au premier étage (niveau Nv1), la hauteur est trop grande\n"
            "                    \n"
            "                    Critère CR-1-7\n"
            "  \"Limitation de la hauteur d'étage (guide 2.1.4, p.10, Tab (2-1))\"\n"
            "                    \n"
            "                    (Test 3).");
  EXPECT_TRUE(f.record.ends_with("consulter le détail des calculs dans le fichier:\n\n  house.qvr\n"));
}

TEST_F(OutcomeOfASession, AFatalFailureIsMarkedFatal) {
  s.critere_enter_checking(critere::CR_0);
  s.critere_enter_checking(critere::CR_0_12);
  EXPECT_THROW(s.fatal_batiment_error("le type ne correspond pas"), Error_wrong_test);
  const Outcome::outcome o = s.make_outcome(false);
  ASSERT_TRUE(o.failed.has_value());
  EXPECT_TRUE(o.failed->fatal);
  EXPECT_EQ(o.failed->text, o.failed->record);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_0_12).state, status::fatal);
  EXPECT_EQ(Outcome::result_of(o, critere::CR_0).state, status::fatal);
}

TEST_F(OutcomeOfASession, ParagraphsAsTheReportLaysThemOut) {
  s.critere_enter_checking(critere::CR_0_11);
  s.batiment_logger()(critere::CR_0_11, [](Format::Printer& ppf) {
    Format::fprintf(ppf, "le nom est correct:@;<1 2>%s@ correspond au fichier:@;<1 2>%s", "house.qvb", "house.qvr");
  });
  s.critere_done_checking(critere::CR_0_11);
  const Outcome::outcome o = s.make_outcome(true);
  const auto& r = Outcome::result_of(o, critere::CR_0_11);
  EXPECT_EQ(r.state, status::passed);
  EXPECT_EQ(Outcome::paragraph_plain_texts(r),
            (std::vector<std::string>{"Pour ce bâtiment, le nom est correct:\n  house.qvb\ncorrespond au fichier:\n"
                                      "  house.qvr"}));
  EXPECT_EQ(Outcome::paragraph_texts(r),
            (std::vector<std::string>{"Pour ce bâtiment, le nom est correct:\n  house.qvb\ncorrespond au fichier:\n"
                                      "  house.qvr"}));
}

}  // namespace
