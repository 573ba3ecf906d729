#include "geometry/compute_pervasives.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "text/exceptions.hpp"

namespace {

using namespace Compute_pervasives;
using Quavor_pervasives_types::direction;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

std::string fatal_text(const std::function<void()>& f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "";
}

// Segments are written as their ends along one axis: an X segment on the
// line y, or a Y segment on the line x.
segment x_seg(double x0, double x1, double y = 0.0) {
  return segment{x1 - x0, direction::X, point{x0, y}, point{x1, y}};
}
segment y_seg(double y0, double y1, double x = 0.0) {
  return segment{y1 - y0, direction::Y, point{x, y0}, point{x, y1}};
}

// --- Points, vectors, lines ------------------------------------------------

TEST(Points, Translations_and_vectors) {
  EXPECT_EQ(make_point(1, 2), (point{1, 2}));
  EXPECT_EQ(add_vect({1, 2}, {3, 4}), (vector{4, 6}));
  EXPECT_EQ(mul_k_vect(2, {1, -3}), (vector{2, -6}));
  EXPECT_EQ(vector_translate_point({1, 1}, {2, 3}), (point{3, 4}));
  EXPECT_EQ(point_translate_up({2, 3}, 1.5), (point{2, 4.5}));
  EXPECT_EQ(point_translate_right({2, 3}, 1.5), (point{3.5, 3}));
}

TEST(Points, Tolerant_order_is_x_then_y) {
  struct Case {
    point p, q;
    int expected;
  };
  const std::vector<Case> cases = {
      {{0, 0}, {0.0005, 0.0005}, 0},
      {{0, 0}, {0.001, -0.001}, 0},
      {{0, 0}, {0.0011, -5}, -1},
      {{0.0011, -5}, {0, 0}, 1},
      {{0, 0}, {0.0005, 1}, -1},
      {{0, 1}, {0.0005, 0}, 1},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(point_compare_tilde(cases[i].p, cases[i].q), cases[i].expected);
  }
}

TEST(Lines, Cartesian_equation) {
  // Through (1, 2) and (4, 6): 4x - 3y + 2 = 0.
  const line_cartesian_equation e{4, -3, 2};
  EXPECT_EQ(bipoint_to_equation({1, 2}, {4, 6}), e);
  EXPECT_EQ(line_to_equation(line{{1, 2}, {4, 6}}), e);
  EXPECT_EQ(segment_support(x_seg(0, 5, 2)), (line{{0, 2}, {5, 2}}));
}

// --- Building segments -----------------------------------------------------

TEST(Segments, From_a_description_segment) {
  EXPECT_EQ(data_segment_compute_segment({{1, 2}, direction::X, 3}), (segment{3, direction::X, {1, 2}, {4, 2}}));
  EXPECT_EQ(data_segment_compute_segment({{1, 2}, direction::Y, 3}), (segment{3, direction::Y, {1, 2}, {1, 5}}));
  // The length is not checked for sign.
  EXPECT_EQ(data_segment_compute_segment({{1, 2}, direction::X, -1}), (segment{-1, direction::X, {1, 2}, {0, 2}}));
  // Any record with the description's field names will do.
  struct Beam {
    double segment_length;
    point segment_position;
    direction segment_direction;
  };
  EXPECT_EQ(data_segment_compute_segment(Beam{2, {0, 1}, direction::Y}), (segment{2, direction::Y, {0, 1}, {0, 3}}));
}

TEST(Segments, Direction_of_two_points) {
  struct Case {
    std::optional<direction> expected;
    point p, q;
    direction result;
  };
  const std::vector<Case> cases = {
      {std::nullopt, {0, 0}, {0, 0.0005}, direction::Y},
      {std::nullopt, {0, 0}, {5, 0.0008}, direction::X},
      {std::nullopt, {0, 0}, {0.001, 5}, direction::Y},
      {std::nullopt, {0, 0}, {0, 0}, direction::Y},
      {std::nullopt, {0, 0}, {5, 0.001}, direction::X},
      {direction::X, {0, 0}, {0, 0}, direction::X},
      {direction::X, {0, 0}, {5, 0.001}, direction::X},
      {direction::Y, {0, 0}, {0.0009, 5}, direction::Y},
      {direction::Y, {0, 0}, {0, 0}, direction::Y},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(vertices_compute_direction(cases[i].expected, cases[i].p, cases[i].q), cases[i].result);
  }
}

TEST(Segments, Points_off_the_axes_are_fatal) {
  const std::string cannot = fatal_prefix + "vertices_compute_direction: cannot find direction of segment";
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(std::nullopt, {0, 0}, {1, 1}); }), cannot);
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(std::nullopt, {0, 0}, {0.0011, 0.0011}); }), cannot);
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(direction::X, {0, 0}, {1, 1}); }), cannot);
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(direction::Y, {0, 0}, {1, 1}); }), cannot);
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(direction::X, {0, 0}, {0, 5}); }),
            fatal_prefix +
                "vertices_compute_direction: inconsistent expected (X) and computed (Y) directions");
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(direction::Y, {0, 0}, {5, 0}); }),
            fatal_prefix +
                "vertices_compute_direction: inconsistent expected (Y) and computed (X) directions");
  EXPECT_EQ(fatal_text([] { vertices_compute_direction(direction::X, {0, 0}, {0.0009, 5}); }),
            fatal_prefix +
                "vertices_compute_direction: inconsistent expected (X) and computed (Y) directions");
  EXPECT_EQ(fatal_text([] { direction_vertices_compute_segment(direction::Y, {0, 0}, {5, 0}); }),
            fatal_prefix +
                "vertices_compute_direction: inconsistent expected (Y) and computed (X) directions");
}

TEST(Segments, Position_is_the_lower_end) {
  struct Case {
    point p, q;
    segment expected;
  };
  const std::vector<Case> cases = {
      {{5, 0}, {2, 0}, {3, direction::X, {2, 0}, {5, 0}}},
      {{2, 0}, {5, 0}, {3, direction::X, {2, 0}, {5, 0}}},
      {{1, 4}, {1, 1}, {3, direction::Y, {1, 1}, {1, 4}}},
      // Ties keep the first point as position.
      {{1, 1}, {1, 1}, {0, direction::Y, {1, 1}, {1, 1}}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(vertices_compute_segment(cases[i].p, cases[i].q), cases[i].expected);
  }
  // The length is the Euclidean distance, not the difference along the axis.
  EXPECT_DOUBLE_EQ(vertices_compute_segment({0, 0}, {0.0008, 3}).s_length, std::hypot(0.0008, 3));
}

TEST(Segments, Accessors) {
  const segment s{3, direction::X, {2, 1}, {5, 1.0005}};
  EXPECT_EQ(segment_length(s), 3);
  EXPECT_EQ(segment_direction(s), direction::X);
  EXPECT_EQ(segment_position(s), (point{2, 1}));
  EXPECT_EQ(segment_vertex(s), (point{5, 1.0005}));
  EXPECT_TRUE(segment_en_x(s));
  EXPECT_FALSE(segment_en_x(y_seg(0, 1)));
  EXPECT_EQ(segment_min_x(s), 2);
  EXPECT_EQ(segment_min_y(s), 1);
  EXPECT_EQ(segment_max_x(s), 5);
  EXPECT_EQ(segment_max_y(s), 1.0005);
}

// --- Locating points -------------------------------------------------------

const localisation out = Out{};
const localisation frame = In{inside::Frame};
const localisation strictly_inside = In{inside::Inside};

TEST(Location, Value_in_a_range) {
  struct Case {
    double v;
    localisation expected;
  };
  const std::vector<Case> cases = {
      {-0.0011, out}, {-0.001, frame}, {0.0, frame},    {0.001, frame}, {0.0011, strictly_inside},
      {5.0, strictly_inside}, {9.9989, strictly_inside}, {9.999, frame}, {10.001, frame}, {10.0011, out},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(range_locate_value(0.0, 10.0, c.v), c.expected);
  }
}

TEST(Location, Point_on_a_segment) {
  struct Case {
    segment s;
    point p;
    localisation expected;
  };
  const std::vector<Case> cases = {
      {x_seg(0, 10, 1), {5, 1.0009}, strictly_inside},
      {x_seg(0, 10, 1), {5, 1.0011}, out},
      {x_seg(0, 10, 1), {10.0005, 1}, frame},
      {x_seg(0, 10, 1), {-0.002, 1}, out},
      {y_seg(0, 10, 1), {0.9991, 5}, strictly_inside},
      {y_seg(0, 10, 1), {0.9989, 5}, out},
      {y_seg(0, 10, 1), {1, 0}, frame},
      {y_seg(0, 10, 1), {1, 10.002}, out},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(segment_locate_point(cases[i].s, cases[i].p), cases[i].expected);
  }
}

// The rectangle [0, 4] x [0, 2].
const rectangle r_4_2 = data_rectangle_compute_rectangle(data_rectangle{4, 2, {0, 0}});

TEST(Location, Point_in_a_rectangle) {
  struct Case {
    point p;
    localisation expected;
  };
  const std::vector<Case> cases = {
      {{0, 0}, frame},          {{4, 2}, frame},       {{2, 1}, strictly_inside},
      {{2, -0.0005}, frame},    {{2, -0.002}, out},    {{4.0005, 1}, frame},
      {{4.002, 1}, out},        {{2, 2}, frame},       {{0, 1}, frame},
      {{0, 2.002}, out},        {{-0.002, 1}, out},    {{2, 1.9989}, strictly_inside},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.p_x) + ", " + std::to_string(c.p.p_y));
    EXPECT_EQ(rectangle_locate_point(r_4_2, c.p), c.expected);
  }
}

TEST(Location, Point_is_in_rectangle_with_its_border) {
  struct Case {
    point p;
    bool expected;
  };
  const std::vector<Case> cases = {
      {{0, 0}, true},         {{2, 1}, true},   {{4.0009, 2.0009}, true}, {{-0.001, -0.001}, true},
      {{4.0011, 1}, false},   {{2, -0.0011}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.p_x) + ", " + std::to_string(c.p.p_y));
    EXPECT_EQ(point_is_in_rectangle(c.p, r_4_2), c.expected);
    const rectangle_intersection expected =
        c.expected ? rectangle_intersection{Ri_point{c.p}} : rectangle_intersection{Ri_empty{}};
    EXPECT_EQ(point_inter_rectangle(c.p, r_4_2), expected);
  }
}

// --- Segment intersection --------------------------------------------------

TEST(Segment_intersection, Same_direction) {
  struct Case {
    const char* name;
    segment s1, s2;
    segment_intersection expected;
  };
  const std::vector<Case> cases = {
      {"touching ends", x_seg(0, 5), x_seg(5, 8), Si_point{{5, 0}}},
      {"gap within tolerance", x_seg(0, 5), x_seg(5.0005, 8), Si_point{{5.0005, 0}}},
      {"gap beyond tolerance", x_seg(0, 5), x_seg(5.002, 8), Si_empty{}},
      {"overlap", x_seg(0, 5), x_seg(3, 8), Si_segment{x_seg(3, 5)}},
      {"contained", x_seg(0, 10), x_seg(2, 4), Si_segment{x_seg(2, 4)}},
      {"lines 0.0009 apart", x_seg(0, 5, 1), x_seg(3, 8, 1.0009), Si_segment{x_seg(3, 5, 1)}},
      {"lines 0.0011 apart", x_seg(0, 5, 1), x_seg(3, 8, 1.0011), Si_empty{}},
      {"Y touching ends", y_seg(0, 5, 2), y_seg(5, 8, 2), Si_point{{2, 5}}},
      {"Y overlap", y_seg(0, 5, 2), y_seg(3, 8, 2.0005), Si_segment{y_seg(3, 5, 2)}},
      {"Y lines 0.0011 apart", y_seg(0, 5, 2), y_seg(3, 8, 2.0011), Si_empty{}},
      {"Y gap beyond tolerance", y_seg(0, 5, 2), y_seg(6, 8, 2), Si_empty{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(segment_inter_segment(c.s1, c.s2), c.expected);
  }
}

TEST(Segment_intersection, Perpendicular_segments_cross_on_their_lines) {
  struct Case {
    segment s1, s2;
    point expected;
  };
  const std::vector<Case> cases = {
      {x_seg(0, 10, 2), y_seg(0, 5, 3), {3, 2}},
      {y_seg(0, 5, 3), x_seg(0, 10, 2), {3, 2}},
      // Far apart: still the crossing point of the two lines.
      {x_seg(0, 1, 0), y_seg(50, 60, 100), {100, 0}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const segment_intersection r = segment_inter_segment(cases[i].s1, cases[i].s2);
    ASSERT_TRUE(std::holds_alternative<Si_point>(r));
    EXPECT_NEAR(std::get<Si_point>(r).value.p_x, cases[i].expected.p_x, 1e-12);
    EXPECT_NEAR(std::get<Si_point>(r).value.p_y, cases[i].expected.p_y, 1e-12);
  }
}

TEST(Segment_intersection, Segment_reduced_to_a_point_meets_a_perpendicular_one) {
  // Its supporting line is no line: the point itself when it lies on the
  // other segment, nothing otherwise.
  const segment dot{0, direction::X, {3, 0}, {3, 0}};
  EXPECT_EQ(segment_inter_segment(dot, y_seg(-1, 1, 3)), (segment_intersection{Si_point{{3, 0}}}));
  EXPECT_EQ(segment_inter_segment(y_seg(-1, 1, 3), dot), (segment_intersection{Si_point{{3, 0}}}));
  EXPECT_EQ(segment_inter_segment(dot, y_seg(-1, 1, 5)), (segment_intersection{Si_empty{}}));
}

// --- Segment difference ----------------------------------------------------

TEST(Segment_difference, Pieces_left_over) {
  struct Case {
    const char* name;
    segment s1, s2;
    segment_difference expected;
  };
  const std::vector<Case> cases = {
      {"same", x_seg(0, 10), x_seg(0, 10), Sd_empty{}},
      {"middle", x_seg(0, 10), x_seg(2, 4), Sd_split{x_seg(0, 2), x_seg(4, 10)}},
      {"start", x_seg(0, 10), x_seg(0, 4), Sd_segment{x_seg(4, 10)}},
      {"end", x_seg(0, 10), x_seg(6, 12), Sd_segment{x_seg(0, 6)}},
      {"longer within tolerance", x_seg(0, 10), x_seg(0, 10.0005), Sd_empty{}},
      {"disjoint", x_seg(0, 10), x_seg(12, 14), Sd_segment{x_seg(0, 10)}},
      {"touching", x_seg(0, 10), x_seg(10, 14), Sd_segment{x_seg(0, 10)}},
      {"perpendicular", x_seg(0, 10), y_seg(-1, 1, 5), Sd_segment{x_seg(0, 10)}},
      {"Y middle", y_seg(0, 10, 1), y_seg(2, 4, 1), Sd_split{y_seg(0, 2, 1), y_seg(4, 10, 1)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(segment_minus_segment(c.s1, c.s2), c.expected);
  }
}

TEST(Segment_difference, Adding_pieces) {
  const segment a = x_seg(0, 1);
  const segment b = x_seg(2, 3);
  const segment empty_piece = x_seg(4, 4);
  EXPECT_EQ(add_non_empty_segment(a, Sd_empty{}), (segment_difference{Sd_segment{a}}));
  EXPECT_EQ(add_non_empty_segment(a, Sd_point{{9, 9}}), (segment_difference{Sd_segment{a}}));
  EXPECT_EQ(add_non_empty_segment(a, Sd_segment{b}), (segment_difference{Sd_split{a, b}}));
  EXPECT_EQ(add_non_empty_segment(empty_piece, Sd_segment{b}), (segment_difference{Sd_segment{b}}));
  EXPECT_THROW(add_non_empty_segment(a, Sd_split{a, b}), Assertion_failure);
  try {
    add_non_empty_segment(a, Sd_split{a, b});
  } catch (const Assertion_failure& e) {
    EXPECT_EQ(e.source, "src/compute/compute_pervasives");
  }
}

// --- Rectangles ------------------------------------------------------------

TEST(Rectangles, Vertices_and_edges) {
  const rectangle r = data_rectangle_compute_rectangle(data_rectangle{4, 2, {1, 1}});
  EXPECT_EQ(r.width, 4);
  EXPECT_EQ(r.height, 2);
  EXPECT_EQ(r.position, (point{1, 1}));
  EXPECT_EQ(r.vertices, (rectangle_vertices{{1, 1}, {5, 1}, {5, 3}, {1, 3}}));
  EXPECT_EQ(r.edges.edge_south, x_seg(1, 5, 1));
  EXPECT_EQ(r.edges.edge_east, y_seg(1, 3, 5));
  EXPECT_EQ(r.edges.edge_north, x_seg(1, 5, 3));
  EXPECT_EQ(r.edges.edge_west, y_seg(1, 3, 1));
  EXPECT_EQ(data_rectangle_compute_vertices(data_rectangle{4, 2, {1, 1}}), r.vertices);
}

// A record with the description's field names.
struct Description_rectangle {
  double rectangle_width;
  double rectangle_height;
  point rectangle_position;
};

TEST(Rectangles, Description_records_are_accepted) {
  const Description_rectangle d{4, 2, {0, 0}};
  EXPECT_EQ(data_rectangle_compute_rectangle(d), r_4_2);
  EXPECT_EQ(rectangle_locate_point(d, {4, 1}), frame);
  EXPECT_TRUE(point_is_in_rectangle(point{4.0005, 1}, d));
  EXPECT_EQ(rectangle_inter_rectangle(d, r_4_2), (rectangle_intersection{Ri_rectangle{r_4_2}}));
  EXPECT_EQ(data_rectangle_inter_classify(d), (rectangle_intersection{Ri_rectangle{r_4_2}}));
}

TEST(Rectangles, Measures) {
  EXPECT_EQ(rectangle_surface(r_4_2), 8);
  EXPECT_EQ(rectangle_diagonale(data_rectangle{3, 4, {0, 0}}), 5);
  EXPECT_EQ(rectangle_diagonale(r_4_2), std::hypot(4.0, 2.0));
  EXPECT_EQ(rectangle_centre_gravite(r_4_2), (point{2, 1}));
  EXPECT_EQ(rectangle_centre_pondere(r_4_2), (point_pondere{8, {2, 1}}));
  EXPECT_EQ(rectangle_position(r_4_2), (point{0, 0}));
}

TEST(Rectangles, Degenerate_rectangle_of_a_segment) {
  EXPECT_EQ(segment_data_rectangle(x_seg(1, 4, 2)), (data_rectangle{3, 0, {1, 2}}));
  EXPECT_EQ(segment_data_rectangle(y_seg(1, 4, 2)), (data_rectangle{0, 3, {2, 1}}));
}

TEST(Rectangles, Classifying_a_description_rectangle) {
  struct Case {
    data_rectangle dr;
    rectangle_intersection expected;
  };
  const std::vector<Case> cases = {
      {{-1, 2, {0, 0}}, Ri_empty{}},
      {{2, -0.0001, {0, 0}}, Ri_empty{}},
      {{0, 0, {1, 2}}, Ri_point{{1, 2}}},
      {{0, 3, {1, 2}}, Ri_segment{y_seg(2, 5, 1)}},
      {{3, 0, {1, 2}}, Ri_segment{x_seg(1, 4, 2)}},
      {{4, 2, {0, 0}}, Ri_rectangle{r_4_2}},
      {{std::nan(""), 2, {0, 0}}, Ri_empty{}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(data_rectangle_inter_classify(cases[i].dr), cases[i].expected);
  }
}

TEST(Rectangles, Intersection_of_two_rectangles) {
  auto rect = [](double w, double h, double x, double y) {
    return data_rectangle_compute_rectangle(data_rectangle{w, h, {x, y}});
  };
  struct Case {
    const char* name;
    rectangle r1, r2;
    rectangle_intersection expected;
  };
  const std::vector<Case> cases = {
      {"sharing a side", rect(4, 2, 0, 0), rect(3, 5, 4, -1), Ri_segment{y_seg(0, 2, 4)}},
      {"sharing a corner", rect(4, 2, 0, 0), rect(1, 1, 4, 2), Ri_point{{4, 2}}},
      {"overlapping", rect(4, 2, 0, 0), rect(4, 2, 2, 1), Ri_rectangle{rect(2, 1, 2, 1)}},
      {"apart", rect(4, 2, 0, 0), rect(1, 1, 5, 0), Ri_empty{}},
      // No tolerance here: a gap of 0.0005 separates them.
      {"apart within tolerance", rect(4, 2, 0, 0), rect(1, 1, 4.0005, 0), Ri_empty{}},
      {"sharing the south side", rect(4, 2, 0, 0), rect(2, 3, 1, -3), Ri_segment{x_seg(1, 3, 0)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(rectangle_inter_rectangle(c.r1, c.r2), c.expected);
  }
}

TEST(Rectangles, Intersections_of_segments_and_earlier_results) {
  const rectangle r = r_4_2;
  EXPECT_EQ(segment_inter_rectangle(x_seg(-1, 2, 1), r), (rectangle_intersection{Ri_segment{x_seg(0, 2, 1)}}));
  EXPECT_EQ(segment_inter_rectangle(x_seg(5, 6, 1), r), (rectangle_intersection{Ri_empty{}}));
  EXPECT_EQ(segment_inter_rectangle(y_seg(2, 3, 4), r), (rectangle_intersection{Ri_point{{4, 2}}}));

  EXPECT_EQ(rectangle_intersection_inter_rectangle(Ri_empty{}, r), (rectangle_intersection{Ri_empty{}}));
  EXPECT_EQ(rectangle_intersection_inter_rectangle(Ri_point{{4.0005, 1}}, r),
            (rectangle_intersection{Ri_point{{4.0005, 1}}}));
  EXPECT_EQ(rectangle_intersection_inter_rectangle(Ri_point{{4.002, 1}}, r), (rectangle_intersection{Ri_empty{}}));
  EXPECT_EQ(rectangle_intersection_inter_rectangle(Ri_segment{y_seg(-1, 1, 1)}, r),
            (rectangle_intersection{Ri_segment{y_seg(0, 1, 1)}}));
  const rectangle big = data_rectangle_compute_rectangle(data_rectangle{10, 10, {-1, -1}});
  EXPECT_EQ(rectangle_intersection_inter_rectangle(Ri_rectangle{big}, r), (rectangle_intersection{Ri_rectangle{r}}));
}

}  // namespace
