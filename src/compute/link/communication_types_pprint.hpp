#pragma once
// Writing a communication: the starting marker, the message indented by two
// blanks, the closing marker, a newline, and a flush so that it reaches the
// input program at once.
#include <functional>

#include "link/communication_types.hpp"
#include "link/message_types.hpp"
#include "text/format.hpp"

namespace Communication_types_pprint {

using Communication_types::communication;
using Format::Printer;

// "@[<v 0>@[<v 2>%(%)@,@[%a@]@]@,%(%)@]@."
template <class M>
void print_communication(const std::function<void(Printer&, const M&)>& print_message, Printer& ppf,
                         const communication<M>& c) {
  Format::fprintf(ppf, "@[<v 0>@[<v 2>%(%)@,@[%a@]@]@,%(%)@]@.", Format::Fmt{c.starting_marker}, print_message,
                  c.message, Format::Fmt{c.closing_marker});
}

void print_input_communication(Printer& ppf, const communication<Message_types::input_message>& c);
void print_computation_error_communication(Printer& ppf,
                                           const communication<Message_types::computation_error_message>& c);
void print_computation_acknowledgment_communication(
    Printer& ppf, const communication<Message_types::computation_acknowledgment_message>& c);

}  // namespace Communication_types_pprint
