// End-to-end runs of the file flow on descriptions that fail one conception
// or sizing criterion each (tests/cli/checks_b): the report, the error
// stream and the status are compared byte for byte with the recorded ones.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/harness.hpp"

namespace {

const std::string dir = "tests/cli/checks_b/";

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

struct Case {
  std::string name;
  bool report_written;  // a fatal error stops the run before the report
};

class ChecksB : public testing::TestWithParam<Case> {};

TEST_P(ChecksB, ReportErrorStreamAndStatus) {
  const Case& c = GetParam();
  const std::string report = dir + c.name + ".qvr";
  std::remove(report.c_str());
  const Cli::Result r = Cli::run({"-r", dir + c.name + ".qvb"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, read_file(dir + c.name + ".err.expected"));
  EXPECT_EQ(exists(report), c.report_written);
  if (c.report_written) {
    EXPECT_EQ(read_file(report), read_file(dir + c.name + ".qvr.expected"));
  }
  std::remove(report.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    FailingDescriptions, ChecksB,
    testing::Values(Case{"ok_simple_house", true},                // every criterion passes
                    Case{"cr_2_1_elevation_21_percent", true},    // upper storey 21 % narrower in X
                    Case{"cr_2_2_1_column_offset", true},         // column 0.01 m off the one below
                    Case{"cr_2_2_2_thicker_upper_wall", true},    // upper wall thicker than the one below
                    Case{"cr_2_2_3_beam_end", true},              // beam end 0.11 m from the column
                    Case{"cr_2_3_seven_set_backs", true},         // seven set-backs on the ground floor
                    Case{"cr_3_1_short_facades", true},           // no facade wall long enough
                    Case{"cr_3_2_length_ratio", true},            // lt_x / lt_y = 1.667
                    Case{"cr_3_3_inner_walls", true},             // inner walls 27 % of the length
                    Case{"cr_3_4_shares", true},                  // North 50, South 50, East 25, West 75 %
                    Case{"cr_3_6_1_short_walls", true},           // mean Y wall length 1.6 m
                    Case{"cr_3_6_2_chainage_4ha10", true},        // tie beams 4HA10
                    Case{"cr_3_6_3_brique_8", true},              // hollow bricks 8 instead of 12
                    Case{"cr_3_6_4_joints_vides", true},          // empty vertical joints
                    Case{"cr_3_7_pa_min", true},                  // 1.67 % of walls along X, 3.5 % needed
                    Case{"cr_3_5_0_sp_not_yet_computed", true},   // a wall without its floor area
                    Case{"cr_3_5_1_sp_above_max", true},          // Sp,max exceeded by 0.002
                    Case{"fatal_zone_3", false}),                 // seismic zone 3
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
