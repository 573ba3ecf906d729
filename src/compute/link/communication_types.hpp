#pragma once
// The envelope around every message exchanged with the input program: a
// starting-marker line, the message, a closing-marker line.
#include <string>
#include <utility>

namespace Communication_types {

// The markers are literal texts (formats without conversions).
template <class M>
struct communication {
  std::string starting_marker;
  M message;
  std::string closing_marker;
};

// "Xon" and "( Xon ("
const std::string& get_communication_starting_tag();
const std::string& get_communication_starting_marker();
// "Xoff" and ") Xoff )"
const std::string& get_communication_closing_tag();
const std::string& get_communication_closing_marker();

// The message between the fixed markers: every communication the engine
// writes is built this way.
template <class M>
communication<M> make_communication(M message) {
  return communication<M>{get_communication_starting_marker(), std::move(message),
                          get_communication_closing_marker()};
}

}  // namespace Communication_types
