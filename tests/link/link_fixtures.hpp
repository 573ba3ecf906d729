#pragma once
// Shared helpers of the link tests: string buffers and a string reply printer.
#include <memory>
#include <string>

#include "config/quavor_configuration.hpp"
#include "description/input_data_types_read.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

namespace Link_fixtures {

// The name every string buffer reports in the position headers.
inline const std::string string_name = "unnamed character string";

// A fresh configuration whose replies are written into a string printer,
// returned.
inline std::shared_ptr<Format::Printer> fresh_configuration() {
  Quavor_configuration::reset_for_tests();
  auto replies = std::make_shared<Format::Printer>();
  Quavor_configuration::set_input_process_formatter(replies);
  return replies;
}

// The example description of a one-storey house.
inline Input_data_types::input_data example_input_data() {
  auto ib = Scanning::Scanbuf::from_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/house_r0.qvb");
  return Input_data_types_read::scanner_input_data(ib);
}

// One communication as the engine writes a message that fits on one line.
inline std::string framed(const std::string& message) { return "( Xon (\n  " + message + "\n) Xoff )\n"; }

}  // namespace Link_fixtures
