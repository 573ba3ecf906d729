#include "text/og_printer.hpp"

#include <cmath>

namespace Og_printer {

namespace {

void append_escaped(std::string& out, char c) {
  if (c == '\\' || c == '"' || c == '\'') out += '\\';
  out += c;
}

// A raw atom: "@ " after a name, then the text.
void print_raw(context_kind context, Printer& ppf, std::string_view text) {
  leading_break(context, ppf);
  ppf.print_string(text);
}

// The number alone, then the break that closes ` (-2.5)`.
void print_number_then_break_back(Printer& ppf, const std::function<void(Printer&)>& print) {
  print(ppf);
  break_back(ppf, 0);
}

}  // namespace

std::string escaped_string(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) append_escaped(out, c);
  return out;
}

std::string escaped_char(char c) {
  std::string out;
  append_escaped(out, c);
  return out;
}

void leading_break(context_kind context, Printer& ppf) {
  if (has_leading_break(context)) ppf.print_space();
}

void break_back(Printer& ppf, int n) { ppf.print_break(n, -2); }

void space_parens_print(Printer& ppf, const std::function<void(Printer&)>& print) {
  Format::fprintf(ppf, " (@,%a)", print_number_then_break_back, print);
}

void open_application(context_kind context, Printer& ppf) {
  if (context == Ck_record_field) Format::fprintf(ppf, "%,@ ");
  if (context == Ck_argument) Format::fprintf(ppf, "%, (@,");
}

void close_application(context_kind context, Printer& ppf) {
  if (context == Ck_argument) Format::fprintf(ppf, "%,@;<0 -2>)");
}

// --- atoms

void printer_Unit(context_kind context, Printer& ppf, std::monostate) {
  if (has_leading_break(context)) Format::fprintf(ppf, "@ ()");
  else Format::fprintf(ppf, "()");
}

void printer_Bool(context_kind context, Printer& ppf, bool b) {
  if (has_leading_break(context)) Format::fprintf(ppf, "@ %B", b);
  else Format::fprintf(ppf, "%B", b);
}

void printer_Char(context_kind context, Printer& ppf, char c) {
  if (has_leading_break(context)) Format::fprintf(ppf, "@ '%s'", escaped_char(c));
  else Format::fprintf(ppf, "'%s'", escaped_char(c));
}

void printer_String(context_kind context, Printer& ppf, std::string_view s) {
  if (has_leading_break(context)) Format::fprintf(ppf, "@ \"%s\"", escaped_string(s));
  else Format::fprintf(ppf, "\"%s\"", escaped_string(s));
}

void printer_Bytes(context_kind context, Printer& ppf, std::string_view s) {
  printer_String(context, ppf, s);
}

// Numbers: parenthesised when negative as a constructor argument, after the
// leading break otherwise.
void printer_Int(context_kind context, Printer& ppf, int i) {
  if (context == Ck_argument && i < 0)
    space_parens_print(ppf, [i](Printer& p) { Format::fprintf(p, "%i", i); });
  else if (has_leading_break(context))
    Format::fprintf(ppf, "@ %i", i);
  else
    Format::fprintf(ppf, "%i", i);
}

void printer_Int32(context_kind context, Printer& ppf, std::int32_t i) {
  if (context == Ck_argument && i < 0)
    space_parens_print(ppf, [i](Printer& p) { Format::fprintf(p, "%li", i); });
  else if (has_leading_break(context))
    Format::fprintf(ppf, "@ %li", i);
  else
    Format::fprintf(ppf, "%li", i);
}

void printer_Int64(context_kind context, Printer& ppf, std::int64_t i) {
  if (context == Ck_argument && i < 0)
    space_parens_print(ppf, [i](Printer& p) { Format::fprintf(p, "%Li", i); });
  else if (has_leading_break(context))
    Format::fprintf(ppf, "@ %Li", i);
  else
    Format::fprintf(ppf, "%Li", i);
}

void printer_Nativeint(context_kind context, Printer& ppf, std::intptr_t i) {
  if (context == Ck_argument && i < 0)
    space_parens_print(ppf, [i](Printer& p) { Format::fprintf(p, "%ni", i); });
  else if (has_leading_break(context))
    Format::fprintf(ppf, "@ %ni", i);
  else
    Format::fprintf(ppf, "%ni", i);
}

void printer_Float(context_kind context, Printer& ppf, double x) {
  bool negative = x < 0 || (x == 0 && std::signbit(x));
  if (context == Ck_argument && negative)
    space_parens_print(ppf, [x](Printer& p) { Format::fprintf(p, "%F", x); });
  else if (has_leading_break(context))
    Format::fprintf(ppf, "@ %F", x);
  else
    Format::fprintf(ppf, "%F", x);
}

void printer_Format(context_kind context, Printer& ppf, const Format::Fmt& f) {
  print_raw(context, ppf, f.text);
}

// --- raw forms

void printer_char(context_kind context, Printer& ppf, char c) {
  print_raw(context, ppf, std::string_view(&c, 1));
}

void printer_string(context_kind context, Printer& ppf, std::string_view s) { print_raw(context, ppf, s); }

void printer_bytes(context_kind context, Printer& ppf, std::string_view s) { print_raw(context, ppf, s); }

void printer_int(context_kind context, Printer& ppf, int i) {
  print_raw(context, ppf, Format::sprintf("%i", i));
}

void printer_int32(context_kind context, Printer& ppf, std::int32_t i) {
  print_raw(context, ppf, Format::sprintf("%li", i));
}

void printer_int64(context_kind context, Printer& ppf, std::int64_t i) {
  print_raw(context, ppf, Format::sprintf("%Li", i));
}

void printer_nativeint(context_kind context, Printer& ppf, std::intptr_t i) {
  print_raw(context, ppf, Format::sprintf("%ni", i));
}

void printer_float(context_kind context, Printer& ppf, double x) {
  print_raw(context, ppf, Format::sprintf("%f", x));
}

// --- values that are not written out

void printer_abstract_value(std::string_view name, context_kind context, Printer& ppf) {
  if (has_leading_break(context)) Format::fprintf(ppf, "%,@ ");
  Format::fprintf(ppf, "<%s>", name);
}

// --- constructors

void printer_constant(context_kind context, Printer& ppf, std::string_view name) {
  leading_break(context, ppf);
  ppf.print_string(name);
}

// --- tuples

void open_tuple(context_kind context, Printer& ppf) {
  switch (context) {
    case Ck_toplevel: break;
    case Ck_record_field: Format::fprintf(ppf, "%,@ "); break;
    case Ck_argument: Format::fprintf(ppf, "%, (@,"); break;
    case Ck_tuple_item: Format::fprintf(ppf, "%,@[<hv 2>(@,"); break;
  }
  Format::fprintf(ppf, "%,@[<hv 0>");
}

void tuple_separator(Printer& ppf) { Format::fprintf(ppf, "%,,@ "); }

void close_tuple(context_kind context, Printer& ppf) {
  Format::fprintf(ppf, "%,@]");
  if (context == Ck_argument) Format::fprintf(ppf, "%,@;<0 -2>)");
  if (context == Ck_tuple_item) Format::fprintf(ppf, "%,@;<0 -2>)@]");
}

// --- records

namespace {
bool record_has_own_box(context_kind context) {
  return context == Ck_toplevel || context == Ck_tuple_item;
}
}  // namespace

void open_record(context_kind context, Printer& ppf) {
  if (record_has_own_box(context))
    Format::fprintf(ppf, "%,@[<hv 2>{@ ");
  else
    Format::fprintf(ppf, " {@ ");
  Format::fprintf(ppf, "%,@[<hv 0>");
}

void field_separator(Printer& ppf) { Format::fprintf(ppf, "%,@ "); }

void open_field(Printer& ppf, std::string_view label) {
  Format::fprintf(ppf, "%,@[<hv 2>%s =", label);
}

void close_field(Printer& ppf) { Format::fprintf(ppf, "%,;@]"); }

void close_record(context_kind context, Printer& ppf) {
  Format::fprintf(ppf, "%,@]");
  if (record_has_own_box(context))
    Format::fprintf(ppf, "%,@;<1 -2>}@]");
  else
    Format::fprintf(ppf, "%,@;<1 -2>}");
}

}  // namespace Og_printer
