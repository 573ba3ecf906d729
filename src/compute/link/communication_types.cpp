#include "link/communication_types.hpp"

namespace Communication_types {

const std::string& get_communication_starting_tag() {
  static const std::string tag = "Xon";
  return tag;
}

const std::string& get_communication_starting_marker() {
  static const std::string marker = "( " + get_communication_starting_tag() + " (";
  return marker;
}

const std::string& get_communication_closing_tag() {
  static const std::string tag = "Xoff";
  return tag;
}

const std::string& get_communication_closing_marker() {
  static const std::string marker = ") " + get_communication_closing_tag() + " )";
  return marker;
}

}  // namespace Communication_types
