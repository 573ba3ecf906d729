#include "view/results_json.hpp"

#include <gtest/gtest.h>

#include "view/view_fixture.hpp"

namespace {

using nlohmann::ordered_json;

// One part of the results written alone.
template <class Part>
std::string written(Part part) {
  std::string text;
  Json_writer::writer w(text);
  part(w);
  return text;
}

std::string measure_text(const Outcome::measure& m) {
  return written([&](Json_writer::writer& w) { Results_json::measure_json(w, m); });
}

TEST(ResultsJson, MeasureWithItsUtilization) {
  Outcome::measure m;
  m.quantity = "hauteur du niveau";
  m.value = 2.7;
  m.limit = 3.0;
  m.compare = Outcome::comparison::at_most;
  m.tol = Outcome::tolerance::fine;
  m.unit = "m";
  m.niveau = "Nv0";
  EXPECT_EQ(measure_text(m), R"({"quantity":"hauteur du niveau","value":2.7,"limit":3.0,"upper_limit":null,)"
                      R"("comparison":"<=","tolerance":0.001,"unit":"m","level":"Nv0","element":null,)"
                      R"("passed":true,"utilization":0.9})");
  // A lower limit against nothing: no ratio.
  m.compare = Outcome::comparison::at_least;
  m.limit = 0.5;
  m.value = 0.0;
  EXPECT_TRUE(ordered_json::parse(measure_text(m))["utilization"].is_null());
}

TEST(ResultsJson, PlainTextJoinsTheLayout) {
  EXPECT_EQ(Results_json::plain_text("  Au niveau Nv0,\n  la hauteur\n    est   trop grande\n"),
            "Au niveau Nv0, la hauteur est trop grande");
  EXPECT_EQ(Results_json::plain_text(""), "");
}

TEST(ResultsJson, NumbersReadBackExactly) {
  Outcome::measure m;
  m.value = 0.1 + 0.2;
  m.limit = 1.0 / 3.0;
  m.upper_limit = 6.02214076e23;
  const ordered_json back = ordered_json::parse(measure_text(m));
  EXPECT_EQ(back["value"].get<double>(), 0.1 + 0.2);
  EXPECT_EQ(back["limit"].get<double>(), 1.0 / 3.0);
  EXPECT_EQ(back["upper_limit"].get<double>(), 6.02214076e23);
}

TEST(ResultsJson, CheckedHouseWholeResults) {
  const Test_support::Temporary_directory s;
  const Checked_file::result r = View_fixture::checked_house(s.path());
  ASSERT_EQ(r.state, Checked_file::verdict::compliant) << r.message;
  const ordered_json j = ordered_json::parse(Results_json::results_text(r));
  EXPECT_EQ(j["schema"], "quavor-results/1");
  EXPECT_EQ(j["verdict"], "compliant");
  EXPECT_EQ(j["criteria"].size(), 51u);
  EXPECT_EQ(j["criteria_passed"], 51);
  EXPECT_EQ(j["report"], (s.path() / "house_r1.qvr").string());
  EXPECT_EQ(j["building"]["type"], "R1");
  EXPECT_EQ(j["building"]["length"], 12.0);
  EXPECT_EQ(j["building"]["slope"], 0.05);
  ASSERT_EQ(j["levels"].size(), 2u);
  EXPECT_EQ(j["levels"][0]["name"], "Nv0");
  EXPECT_EQ(j["levels"][0]["kind"], "floor");
  EXPECT_EQ(j["levels"][1]["kind"], "roof");
  EXPECT_EQ(j["levels"][0]["openings"][0]["name"], "T1n0");
  EXPECT_EQ(j["levels"][0]["openings"][0]["rectangle"].dump(), R"({"x":8.0,"y":5.5,"width":1.0,"height":2.5})");
  EXPECT_EQ(j["levels"][0]["balconies"][0]["name"], "B1n0");
  EXPECT_TRUE(j["failure"].is_null());
  EXPECT_EQ(j.dump(), Results_json::results_text(r));
  // The paragraphs are the report's.
  EXPECT_EQ(j["criteria"][2]["code"], "CR-0-0-0");
  ASSERT_EQ(j["criteria"][2]["paragraphs"].size(), 1u);
  EXPECT_EQ(j["criteria"][2]["paragraphs"][0].get<std::string>().rfind(
                "les dimensions horizontales du bâtiment sont correctes:\n", 0),
            0u);
}

TEST(ResultsJson, FailureAndSummaryRow) {
  const Test_support::Temporary_directory s;
  Checked_file::result r = View_fixture::checked_house(s.path());
  View_fixture::fail_wall_balance(r, {"MI1n0"}, "la dissymétrie\n  n'est pas respectée");
  const Outcome::outcome& o = r.checked->outcome;
  const ordered_json failure =
      ordered_json::parse(written([&](Json_writer::writer& w) { Results_json::failure_json(w, o); }));
  EXPECT_EQ(failure["code"], "CR-3-4");
  EXPECT_EQ(failure["level"], "Nv0");
  EXPECT_EQ(failure["elements"], ordered_json::array({"MI1n0"}));
  EXPECT_EQ(failure["message"], "la dissymétrie n'est pas respectée");
  EXPECT_EQ(failure["title"], Outcome::title(Outcome::result_of(o, Tqmv::critere::CR_3_4)));
  const ordered_json row = Results_json::summary_row(r, "a/house_r1.html", "");
  EXPECT_EQ(row["verdict"], "not-compliant");
  EXPECT_EQ(row["failure"]["test_number"], 44);
  EXPECT_EQ(row["page"], "a/house_r1.html");
  EXPECT_TRUE(row["results"].is_null());
  EXPECT_TRUE(row["message"].is_null());
}

TEST(ResultsJson, UnreadableDescription) {
  const Test_support::Temporary_directory s;
  const Checked_file::result r = Checked_file::check_file((s.path() / "missing.qvb").string());
  EXPECT_EQ(r.state, Checked_file::verdict::unreadable);
  const ordered_json j = ordered_json::parse(Results_json::results_text(r));
  EXPECT_EQ(j["verdict"], "unreadable");
  EXPECT_TRUE(j["building"].is_null());
  EXPECT_EQ(j["criteria"].size(), 0u);
  EXPECT_EQ(j["message"], r.message);
  EXPECT_NE(r.message.find("missing.qvb"), std::string::npos);
}

}  // namespace
