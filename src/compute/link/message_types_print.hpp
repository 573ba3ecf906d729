#pragma once
// Writing the messages in the value text syntax: one printer per type
// (taking a context) and the deferred top-level forms used by the envelope.
#include <functional>

#include "link/message_types.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"

namespace Message_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using namespace Message_types;

void printer_input_message(context_kind context, Printer& ppf, const input_message& v);
// "Wrong_communication" with the text as a quoted string.
void printer_error_wrong_communication(context_kind context, Printer& ppf, const error_wrong_communication& v);
// { error_localisation = None | Some "<level>"; error_message = "..."; error_tqmv_text = "..."; }
void printer_error_wrong_test_result(context_kind context, Printer& ppf, const error_wrong_test_result& v);
void printer_error_wrong_computation(context_kind context, Printer& ppf, const error_wrong_computation& v);
void printer_computation_error_message(context_kind context, Printer& ppf, const computation_error_message& v);
void printer_progress_message(context_kind context, Printer& ppf, const progress_message& v);
void printer_computation_done_message(context_kind context, Printer& ppf, const computation_done_message& v);
void printer_report_done_message(context_kind context, Printer& ppf, const report_done_message& v);
void printer_computation_acknowledgment_message(context_kind context, Printer& ppf,
                                                const computation_acknowledgment_message& v);

// The same at the top level (no parentheses, no leading break): the
// message printers of the envelope writers.
void print_input_message(Printer& ppf, const input_message& v);
void print_error_wrong_communication(Printer& ppf, const error_wrong_communication& v);
void print_error_wrong_test_result(Printer& ppf, const error_wrong_test_result& v);
void print_error_wrong_computation(Printer& ppf, const error_wrong_computation& v);
void print_computation_error_message(Printer& ppf, const computation_error_message& v);
void print_progress_message(Printer& ppf, const progress_message& v);
void print_computation_done_message(Printer& ppf, const computation_done_message& v);
void print_report_done_message(Printer& ppf, const report_done_message& v);
void print_computation_acknowledgment_message(Printer& ppf, const computation_acknowledgment_message& v);

}  // namespace Message_types_print
