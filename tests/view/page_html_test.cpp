#include "view/page_html.hpp"

#include <gtest/gtest.h>

#include "view/plan_svg.hpp"
#include "view/results_json.hpp"
#include "view/view_fixture.hpp"

namespace {

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
  return n;
}

TEST(PageHtml, CompliantHouse) {
  const Test_support::Temporary_directory s;
  const Checked_file::result r = View_fixture::checked_house(s.path());
  const std::string page = Page_html::page(r);
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"fr\">", 0), 0u);
  EXPECT_EQ(count(page, "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"plan\""), 2u);
  EXPECT_EQ(count(page, "<tr class=\"criterion "), 51u);
  EXPECT_EQ(count(page, "<table class=\"walls\""), 2u);
  EXPECT_EQ(count(page, "class=\"failing-outline\""), 0u);
  EXPECT_NE(page.find("<section class=\"banner compliant\" id=\"verdict\">"), std::string::npos);
  // Nothing from outside the file.
  EXPECT_EQ(page.find("http://www.w3.org/2000/svg\"") != std::string::npos, true);
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_EQ(page.find("<link"), std::string::npos);
  EXPECT_EQ(page.find("https://"), std::string::npos);
}

TEST(PageHtml, ReportTextIsTheReport) {
  const Test_support::Temporary_directory s;
  const Checked_file::result r = View_fixture::checked_house(s.path());
  const std::string text = Page_html::report_text(r.checked->outcome);
  EXPECT_EQ(text.rfind("Rapport de conformité du bâtiment\n\n" + (s.path() / "house_r1.qvb").string() + "\n", 0), 0u);
  EXPECT_NE(text.find("Le bâtiment est conforme au guide TQMV.\n"), std::string::npos);
}

TEST(PageHtml, FailingElementsOutlinedOnTheirLevelWithTheMessageBeside) {
  const Test_support::Temporary_directory s;
  Checked_file::result r = View_fixture::checked_house(s.path());
  View_fixture::fail_wall_balance(r, {"MI1n0", "T1n0", "<none>"}, "la dissymétrie n'est pas respectée");
  Outcome::outcome& o = r.checked->outcome;
  Outcome::measure m;
  m.quantity = "part Nord";
  m.value = 0.25;
  m.limit = 0.3;
  m.compare = Outcome::comparison::at_least;
  m.unit = "";
  m.niveau = "Nv0";
  m.passed = false;
  for (Outcome::criterion_result& c : o.criteres)
    if (c.critere == Tqmv::critere::CR_3_4) c.measures.push_back(m);
  const std::string page = Page_html::page(r);
  EXPECT_EQ(count(page, "class=\"failing-outline\" data-element=\"MI1n0\""), 1u);
  EXPECT_EQ(count(page, "class=\"failing-outline\" data-element=\"T1n0\""), 1u);
  EXPECT_EQ(count(page, "data-element=\"&lt;none&gt;\""), 0u);
  EXPECT_EQ(count(page, "<figcaption class=\"failure-note\">"), 1u);
  EXPECT_NE(page.find("<section class=\"banner not-compliant\" id=\"verdict\"><h2>Non conforme : CR-3-4 "),
            std::string::npos);
  EXPECT_NE(page.find("<text class=\"balance\" x=\"24\""), std::string::npos);
  EXPECT_NE(page.find(">part Nord : 0.25</text>"), std::string::npos);
  // The measure's bar is full and red: 0.3 / 0.25 = 1.2.
  EXPECT_NE(page.find("<span class=\"bar use over\" title=\"utilisation 1.2\"><i style=\"width:100%\"/></span>"),
            std::string::npos);
  EXPECT_TRUE(Plan_svg::level_shows_failure(*r.checked, 0));
  EXPECT_FALSE(Plan_svg::level_shows_failure(*r.checked, 1));
}

TEST(PageHtml, UnreadableDescriptionShowsTheMessage) {
  Checked_file::result r;
  r.path = "bad.qvb";
  r.state = Checked_file::verdict::unreadable;
  r.message = "File \"bad.qvb\", line 1, characters 0-0:\nSyntax error: <x>";
  const std::string page = Page_html::page(r);
  EXPECT_NE(page.find("<pre class=\"failure-message\">File &quot;bad.qvb&quot;, line 1, characters 0-0:\nSyntax "
                      "error: &lt;x&gt;</pre>"),
            std::string::npos);
  EXPECT_EQ(page.find("class=\"plan\""), std::string::npos);
}

TEST(PageHtml, IndexRowsLinkThePages) {
  const Test_support::Temporary_directory s;
  const Checked_file::result r = View_fixture::checked_house(s.path());
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  rows.push_back(Results_json::summary_row(r, "house_r1.html", ""));
  const std::string page = Page_html::index_page(rows);
  EXPECT_NE(page.find("<a href=\"house_r1.html\">"), std::string::npos);
  EXPECT_EQ(count(page, "<tr class=\"description compliant\""), 1u);
}

}  // namespace
