#include "link/communication_types_pprint.hpp"

#include "link/message_types_print.hpp"

namespace Communication_types_pprint {

using namespace Message_types;

void print_input_communication(Printer& ppf, const communication<input_message>& c) {
  print_communication<input_message>(Message_types_print::print_input_message, ppf, c);
}

void print_computation_error_communication(Printer& ppf, const communication<computation_error_message>& c) {
  print_communication<computation_error_message>(Message_types_print::print_computation_error_message, ppf, c);
}

void print_computation_acknowledgment_communication(Printer& ppf,
                                                    const communication<computation_acknowledgment_message>& c) {
  print_communication<computation_acknowledgment_message>(
      Message_types_print::print_computation_acknowledgment_message, ppf, c);
}

}  // namespace Communication_types_pprint
