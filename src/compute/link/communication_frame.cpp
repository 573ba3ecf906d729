#include "link/communication_frame.hpp"

namespace Communication_frame {

Framed_buffer::Framed_buffer(Scanbuf& raw)
    : raw_(raw), buffer_(Scanbuf::from_blocks(raw.name_of_input(), [this] { return next_line(); })) {}

std::string_view Framed_buffer::next_line() {
  if (line_handed_) {
    // A whole line before any of it is handed over: the wall looks at the
    // line as a whole. The input program writes whole lines (a request is
    // answered only after its closing marker line), so this waits for
    // nothing the reader would not wait for.
    line_.clear();
    for (int c = raw_.peek(); c >= 0; c = raw_.peek()) {
      raw_.consume();
      line_.push_back(static_cast<char>(c));
      if (c == '\n') break;
    }
    line_handed_ = false;
  }
  if (line_.empty()) return {};
  if (wall_ && wall_(line_)) throw Wall_reached{};
  line_handed_ = true;
  return line_;
}

}  // namespace Communication_frame
