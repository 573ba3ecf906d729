#include "link/communication_frame.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "text/scanner_utils.hpp"

namespace {

using Communication_frame::Framed_buffer;
using Communication_frame::Wall_guard;
using Communication_frame::Wall_reached;
using Scanning::Scanbuf;

bool starts_with_stop(std::string_view line) { return line.substr(0, 4) == "stop"; }

// Through the frame, the readers see the input itself: the same characters,
// the same positions, the same name.
TEST(Communication_frame, TheBufferReadsTheInputAsItIs) {
  const std::string text = "one\n\ntwo three\nlast without a line feed";
  auto raw = Scanbuf::from_string(text);
  Framed_buffer frame(raw);
  Scanbuf& ib = frame.buffer();
  EXPECT_EQ(ib.name_of_input(), "unnamed character string");
  std::string read;
  for (int c = ib.peek(); c >= 0; c = ib.peek()) {
    read.push_back(static_cast<char>(c));
    ib.consume();
  }
  EXPECT_EQ(read, text);
  EXPECT_EQ(ib.char_count(), static_cast<long long>(text.size()));
  EXPECT_EQ(ib.line_count(), 3);
}

// A wall stops the reader at the start of the line it refuses, which is then
// read whole once the wall is down; a line already begun is read to its end.
TEST(Communication_frame, AWallStopsAtALineStartAndTheLineWaits) {
  auto raw = Scanbuf::from_string("a\nb stop\nstop here\nc\n");
  Framed_buffer frame(raw);
  Scanbuf& ib = frame.buffer();
  {
    const Wall_guard wall(&frame, starts_with_stop);
    EXPECT_EQ(Scanner_utils::read_one_line(ib), "a");
    EXPECT_EQ(Scanner_utils::read_one_line(ib), "b stop");
    EXPECT_THROW(ib.peek(), Wall_reached);
    EXPECT_THROW(ib.peek(), Wall_reached);
    EXPECT_EQ(ib.char_count(), 9);
  }
  EXPECT_EQ(frame.current_wall(), nullptr);
  EXPECT_EQ(Scanner_utils::read_one_line(ib), "stop here");
  EXPECT_EQ(Scanner_utils::read_one_line(ib), "c");
  EXPECT_TRUE(ib.end_of_input());
}

TEST(Communication_frame, WithoutAFrameTheGuardDoesNothing) {
  const Wall_guard wall(nullptr, starts_with_stop);
  SUCCEED();
}

}  // namespace
