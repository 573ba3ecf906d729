#include "link/message_types_print.hpp"

#include "description/input_data_types_print.hpp"
#include "description/quavor_data_types_print.hpp"
#include "text/og_printer.hpp"

namespace Message_types_print {

using Og_printer::printer_constant;
using Og_printer::printer_constructor;
using Og_printer::printer_String;
using Og_precedence::Ck_toplevel;

namespace {

template <class... Fs>
struct overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
overloaded(Fs...) -> overloaded<Fs...>;

void printer_input_data(context_kind context, Printer& ppf, const input_data& v) {
  Input_data_types_print::printer_input_data(context, ppf, v);
}

void printer_error_localisation(context_kind context, Printer& ppf,
                                const std::optional<Quavor_data_types::niveau_nom>& v) {
  Og_printer::printer_Option(Quavor_data_types_print::printer_niveau_nom, context, ppf, v);
}

}  // namespace

void printer_input_message(context_kind context, Printer& ppf, const input_message& v) {
  std::visit(overloaded{
                 [&](const Validate_data&) { printer_constant(context, ppf, "Validate_data"); },
                 [&](const Invalidate_data&) { printer_constant(context, ppf, "Invalidate_data"); },
                 [&](const Compute_data&) { printer_constant(context, ppf, "Compute_data"); },
                 [&](const Quit&) { printer_constant(context, ppf, "Quit"); },
                 [&](const Read_data& m) { printer_constructor(context, ppf, "Read_data", printer_input_data, m.value); },
             },
             v);
}

void printer_error_wrong_communication(context_kind context, Printer& ppf, const error_wrong_communication& v) {
  printer_constructor(context, ppf, "Wrong_communication", printer_String, v.value);
}

void printer_error_wrong_test_result(context_kind context, Printer& ppf, const error_wrong_test_result& v) {
  Og_printer::Record(context, ppf)
      .field("error_localisation", printer_error_localisation, v.error_localisation)
      .field("error_message", printer_String, v.error_message)
      .field("error_tqmv_text", printer_String, v.error_tqmv_text)
      .close();
}

void printer_error_wrong_computation(context_kind context, Printer& ppf, const error_wrong_computation& v) {
  printer_constructor(context, ppf, "Wrong_computation", printer_String, v.value);
}

void printer_computation_error_message(context_kind context, Printer& ppf, const computation_error_message& v) {
  std::visit(overloaded{
                 [&](const Error_no_validated_data&) { printer_constant(context, ppf, "Error_no_validated_data"); },
                 [&](const Error_wrong_communication& m) {
                   printer_constructor(context, ppf, "Error_wrong_communication", printer_error_wrong_communication,
                                       m.value);
                 },
                 [&](const Error_wrong_test_result& m) {
                   printer_constructor(context, ppf, "Error_wrong_test_result", printer_error_wrong_test_result,
                                       m.value);
                 },
                 [&](const Error_wrong_computation& m) {
                   printer_constructor(context, ppf, "Error_wrong_computation", printer_error_wrong_computation,
                                       m.value);
                 },
             },
             v);
}

void printer_progress_message(context_kind context, Printer& ppf, const progress_message& v) {
  printer_String(context, ppf, v);
}

void printer_computation_done_message(context_kind context, Printer& ppf, const computation_done_message& v) {
  printer_String(context, ppf, v);
}

void printer_report_done_message(context_kind context, Printer& ppf, const report_done_message& v) {
  printer_String(context, ppf, v);
}

void printer_computation_acknowledgment_message(context_kind context, Printer& ppf,
                                                const computation_acknowledgment_message& v) {
  std::visit(overloaded{
                 [&](const Computing&) { printer_constant(context, ppf, "Computing"); },
                 [&](const Validate_data_done&) { printer_constant(context, ppf, "Validate_data_done"); },
                 [&](const Invalidate_data_done&) { printer_constant(context, ppf, "Invalidate_data_done"); },
                 [&](const Quitting&) { printer_constant(context, ppf, "Quitting"); },
                 [&](const Read_data_done& m) {
                   printer_constructor(context, ppf, "Read_data_done", printer_input_data, m.value);
                 },
                 [&](const Compute_progress& m) {
                   printer_constructor(context, ppf, "Compute_progress", printer_progress_message, m.value);
                 },
                 [&](const Compute_data_done& m) {
                   printer_constructor(context, ppf, "Compute_data_done", printer_computation_done_message, m.value);
                 },
             },
             v);
}

void print_input_message(Printer& ppf, const input_message& v) { printer_input_message(Ck_toplevel, ppf, v); }
void print_error_wrong_communication(Printer& ppf, const error_wrong_communication& v) {
  printer_error_wrong_communication(Ck_toplevel, ppf, v);
}
void print_error_wrong_test_result(Printer& ppf, const error_wrong_test_result& v) {
  printer_error_wrong_test_result(Ck_toplevel, ppf, v);
}
void print_error_wrong_computation(Printer& ppf, const error_wrong_computation& v) {
  printer_error_wrong_computation(Ck_toplevel, ppf, v);
}
void print_computation_error_message(Printer& ppf, const computation_error_message& v) {
  printer_computation_error_message(Ck_toplevel, ppf, v);
}
void print_progress_message(Printer& ppf, const progress_message& v) { printer_progress_message(Ck_toplevel, ppf, v); }
void print_computation_done_message(Printer& ppf, const computation_done_message& v) {
  printer_computation_done_message(Ck_toplevel, ppf, v);
}
void print_report_done_message(Printer& ppf, const report_done_message& v) {
  printer_report_done_message(Ck_toplevel, ppf, v);
}
void print_computation_acknowledgment_message(Printer& ppf, const computation_acknowledgment_message& v) {
  printer_computation_acknowledgment_message(Ck_toplevel, ppf, v);
}

}  // namespace Message_types_print
