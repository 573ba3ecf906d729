#pragma once
// The input program's output as the readers of communications see it: handed
// to a scanning buffer one line at a time, so that a reader can be stopped at
// a line start (a "wall") before it reads a line that belongs to what follows,
// such as the closing marker of the frame it is reading or the opening marker
// of the next one. Stopping there, rather than at the end of the input, keeps
// a malformed request from swallowing the requests after it.
#include <string>
#include <string_view>

#include "text/scanning.hpp"

namespace Communication_frame {

using Scanning::Scanbuf;

// Thrown by the buffer, at a line start, when the wall stops the next line.
// Not a std::exception: no reader treats it as one of its own failures.
struct Wall_reached {};

// Tells whether a whole line (its line feed included, when it has one) is one
// the readers must not enter.
using wall = bool (*)(std::string_view line);

class Framed_buffer {
 public:
  // Reads `raw` from where it stands; the buffer reports the name of `raw`
  // and counts positions from there, so a fresh `raw` gives the positions of
  // the input itself.
  explicit Framed_buffer(Scanbuf& raw);
  Framed_buffer(const Framed_buffer&) = delete;
  Framed_buffer& operator=(const Framed_buffer&) = delete;

  Scanbuf& buffer() { return buffer_; }
  wall current_wall() const { return wall_; }
  // nullptr: no wall. A line already handed over is read to its end whatever
  // the wall; the wall applies from the next line start.
  void set_wall(wall stops) { wall_ = stops; }

 private:
  std::string_view next_line();

  Scanbuf& raw_;
  std::string line_;
  bool line_handed_ = true;  // line_ has gone to the buffer: the next one is read
  wall wall_ = nullptr;
  Scanbuf buffer_;
};

// Puts a wall up for its lifetime (nothing when there is no frame), then puts
// the previous one back.
class Wall_guard {
 public:
  Wall_guard(Framed_buffer* frame, wall stops) : frame_(frame), previous_(frame ? frame->current_wall() : nullptr) {
    if (frame_) frame_->set_wall(stops);
  }
  ~Wall_guard() {
    if (frame_) frame_->set_wall(previous_);
  }
  Wall_guard(const Wall_guard&) = delete;
  Wall_guard& operator=(const Wall_guard&) = delete;

 private:
  Framed_buffer* frame_;
  wall previous_;
};

}  // namespace Communication_frame
