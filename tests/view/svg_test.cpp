#include "view/svg.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Svg, EscapesTextAndAttributesOnce) {
  EXPECT_EQ(Svg::escape("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
  Svg::builder b;
  b.open("g", {{"data-x", "<&>"}}).element("title", {}, "M1 & M2").close();
  EXPECT_EQ(b.str(), "<g data-x=\"&lt;&amp;&gt;\"><title>M1 &amp; M2</title></g>");
}

TEST(Svg, ClosesWhatIsStillOpenAndWritesEmptyElements) {
  Svg::builder b;
  b.open("svg").open("g").empty("rect", {{"x", "1"}});
  EXPECT_EQ(b.str(), "<svg><g><rect x=\"1\"/></g></svg>");
}

TEST(Svg, NumbersShort) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {{12.5, 3, "12.5"}, {3.0, 3, "3"}, {-0.0001, 2, "0"}, {2.345, 2, "2.35"}, {1e300 * 1e300, 2, "0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Svg::number(c.value, c.decimals), c.text);
  }
}

}  // namespace
