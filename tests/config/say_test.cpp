// Debug printing reaches the error stream only when debugging is on.
#include "config/say.hpp"

#include <gtest/gtest.h>

#include <string>

#include "text/format.hpp"

namespace {

class SayTest : public ::testing::Test {
 protected:
  void SetUp() override { Quavor_configuration::reset_for_tests(); }
  void TearDown() override { Quavor_configuration::reset_for_tests(); }

  template <class F>
  static std::string error_stream_of(F f) {
    ::testing::internal::CaptureStderr();
    f();
    return ::testing::internal::GetCapturedStderr();
  }
};

TEST_F(SayTest, SilentWithoutDebugging) {
  int calls = 0;
  std::string err = error_stream_of([&] {
    Say::debug("compute_file");
    Say::i_debug("scanner_input_message");
    Say::fdebug([&](Format::Printer&) { ++calls; });
    Say::i_fdebug([&](Format::Printer&) { ++calls; });
  });
  EXPECT_EQ(err, "");
  EXPECT_EQ(calls, 0);
}

TEST_F(SayTest, WritesLinesWhenDebugging) {
  Quavor_configuration::set_debug(true);
  std::string err = error_stream_of([] {
    Say::debug("compute_file");
    Say::i_debug("scanner_input_message");
    Say::fdebug([](Format::Printer& p) { Format::fprintf(p, "starting marker found: %S@.", std::string("<<")); });
    Say::i_fdebug([](Format::Printer& p) { Format::fprintf(p, "%d@.", 42); });
  });
  EXPECT_EQ(err, "compute_file\nscanner_input_message\nstarting marker found: \"<<\"\n42\n");
}

TEST_F(SayTest, ALogFileDoesNotRedirectSay) {
  Quavor_configuration::set_debug(true);
  auto file_printer = std::make_shared<Format::Printer>();
  Quavor_configuration::set_compute_error_debugging_formatter(file_printer);
  Quavor_configuration::set_compute_input_debugging_formatter(file_printer);
  std::string err = error_stream_of([] { Say::debug("Check (CR_3_7): pa_min"); });
  EXPECT_EQ(err, "Check (CR_3_7): pa_min\n");
  EXPECT_EQ(file_printer->contents(), "");
}

TEST_F(SayTest, QuotesWithoutEscaping) {
  Format::Printer p;
  Say::print_quoted_string(p, "a \"b\"\n");
  EXPECT_EQ(p.contents(), "\"a \"b\"\n\"");
}

}  // namespace
