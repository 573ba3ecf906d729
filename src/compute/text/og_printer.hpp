#pragma once
// Printers of the value text syntax: atoms, containers and the pieces from
// which the printers of records, tuples and constructors are assembled. A
// printer is a callable (context, layout printer, value); the printer of a
// container is built from the printer of its elements:
//
//   Og_printer::printer_List(Og_printer::printer_Float)(Ck_toplevel, ppf, xs);
//
// Every printer writes through box and break directives so that a value
// stays on one line when it fits and is indented by structure otherwise;
// what it writes reads back with the scanner of the same syntax.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "text/format.hpp"
#include "text/og_precedence.hpp"

namespace Og_printer {

using Format::Printer;
using Og_precedence::context_kind;
using namespace Og_precedence;  // the Ck_ and Em_ alternatives

// --- texts --------------------------------------------------------------

// A backslash, a double quote and an apostrophe get a backslash before them;
// every other byte is written as is.
std::string escaped_string(std::string_view s);
std::string escaped_char(char c);

// --- layout pieces ------------------------------------------------------

// "@ " in the contexts that follow a name (Ck_record_field, Ck_argument).
void leading_break(context_kind context, Printer& ppf);

// A break of n blanks whose new line lands 2 columns left of the box's
// indentation: it closes a bracketed form under its opening.
void break_back(Printer& ppf, int n);

// " (@,%a" then break_back 0 and ")": a number wrapped as ` (-2.5)`.
void space_parens_print(Printer& ppf, const std::function<void(Printer&)>& print);

// Around a value of mode Em_application (Some, ref, a constructor with a
// value): "@ " after a field name, " (@," and "@;<0 -2>)" as an argument.
void open_application(context_kind context, Printer& ppf);
void close_application(context_kind context, Printer& ppf);

// --- atoms --------------------------------------------------------------

void printer_Unit(context_kind context, Printer& ppf, std::monostate = {});
void printer_Bool(context_kind context, Printer& ppf, bool b);
void printer_Char(context_kind context, Printer& ppf, char c);
void printer_String(context_kind context, Printer& ppf, std::string_view s);
void printer_Bytes(context_kind context, Printer& ppf, std::string_view s);
// Numbers below zero (negative zero included for floats) are parenthesised
// as constructor arguments.
void printer_Int(context_kind context, Printer& ppf, int i);
void printer_Int32(context_kind context, Printer& ppf, std::int32_t i);
void printer_Int64(context_kind context, Printer& ppf, std::int64_t i);
void printer_Nativeint(context_kind context, Printer& ppf, std::intptr_t i);
void printer_Float(context_kind context, Printer& ppf, double x);
// A format value, written as its text.
void printer_Format(context_kind context, Printer& ppf, const Format::Fmt& f);

// Raw forms: no quotes, no escapes, "%f" for floats.
void printer_char(context_kind context, Printer& ppf, char c);
void printer_string(context_kind context, Printer& ppf, std::string_view s);
void printer_bytes(context_kind context, Printer& ppf, std::string_view s);
void printer_int(context_kind context, Printer& ppf, int i);
void printer_int32(context_kind context, Printer& ppf, std::int32_t i);
void printer_int64(context_kind context, Printer& ppf, std::int64_t i);
void printer_nativeint(context_kind context, Printer& ppf, std::intptr_t i);
void printer_float(context_kind context, Printer& ppf, double x);

// --- values that are not written out --------------------------------------

// "<name>", after "@ " in the contexts that follow a name.
void printer_abstract_value(std::string_view name, context_kind context, Printer& ppf);

inline auto printer_abstract_value(std::string name) {
  return [name = std::move(name)](context_kind context, Printer& ppf, const auto&) {
    printer_abstract_value(name, context, ppf);
  };
}

template <class T>
void printer_Fun(context_kind context, Printer& ppf, const T&) {
  printer_abstract_value("fun", context, ppf);
}
template <class T>
void printer_Poly(context_kind context, Printer& ppf, const T&) {
  printer_abstract_value("poly", context, ppf);
}
template <class T>
void printer_Abstract(context_kind context, Printer& ppf, const T&) {
  printer_abstract_value("abstract", context, ppf);
}
template <class T>
void printer_External(context_kind context, Printer& ppf, const T&) {
  printer_abstract_value("external", context, ppf);
}

// --- constructors ---------------------------------------------------------

// A constant alternative: its name, after "@ " in the contexts that follow a name.
void printer_constant(context_kind context, Printer& ppf, std::string_view name);

// An alternative with a value (mode Em_application): "@[<hv 2>Name", the
// value in Ck_argument, "@]"; parenthesised as an argument.
template <class P, class T>
void printer_constructor(context_kind context, Printer& ppf, std::string_view name,
                         const P& printer, const T& value) {
  open_application(context, ppf);
  Format::fprintf(ppf, "%,@[<hv 2>%s", name);
  std::invoke(printer, Ck_argument, ppf, value);
  Format::fprintf(ppf, "%,@]");
  close_application(context, ppf);
}

// --- tuples (mode Em_tuple) ------------------------------------------------

// Before the components: nothing at top level, "@ " after a field name,
// " (@," as an argument, "@[<hv 2>(@," inside a tuple; then "@[<hv 0>".
void open_tuple(context_kind context, Printer& ppf);
// ",@ " between components, which are printed in Ck_tuple_item.
void tuple_separator(Printer& ppf);
void close_tuple(context_kind context, Printer& ppf);

// --- records ---------------------------------------------------------------

// "@[<hv 2>{@ " (own box) at top level and in a tuple, " {@ " otherwise;
// then the field box "@[<hv 0>".
void open_record(context_kind context, Printer& ppf);
// "@ " between two fields.
void field_separator(Printer& ppf);
// "@[<hv 2>label =", the value in Ck_record_field, ";@]".
void open_field(Printer& ppf, std::string_view label);
void close_field(Printer& ppf);
void close_record(context_kind context, Printer& ppf);

template <class P, class T>
void print_field(Printer& ppf, std::string_view label, const P& printer, const T& value) {
  open_field(ppf, label);
  std::invoke(printer, Ck_record_field, ppf, value);
  close_field(ppf);
}

// Writes a record field by field:
//   Og_printer::Record r(context, ppf);
//   r.field("p_x", printer_Float, p.p_x).field("p_y", printer_Float, p.p_y);
//   r.close();
class Record {
 public:
  Record(context_kind context, Printer& ppf) : context_(context), ppf_(ppf) {
    open_record(context_, ppf_);
  }
  template <class P, class T>
  Record& field(std::string_view label, const P& printer, const T& value) {
    if (!first_) field_separator(ppf_);
    first_ = false;
    print_field(ppf_, label, printer, value);
    return *this;
  }
  void close() { close_record(context_, ppf_); }

 private:
  context_kind context_;
  Printer& ppf_;
  bool first_ = true;
};

// --- lists and arrays ----------------------------------------------------

// Each element in Ck_toplevel followed by ";", separated by "@ ".
template <class P, class L>
void print_elements(Printer& ppf, const P& element, const L& elements) {
  bool first = true;
  for (const auto& x : elements) {
    if (!first) ppf.print_space();
    first = false;
    std::invoke(element, Ck_toplevel, ppf, x);
    ppf.print_string(";");
  }
}

// The closing break of a list or array body.
inline void print_break_back(Printer& ppf, const int& n) { break_back(ppf, n); }

// "[]" or "@[<hv 2>[@ @[%a@]%a]@]" at top level and in a tuple; "@ []" or
// " [@ @[%a@]%a]" (no box of its own) after a name.
template <class P, class L>
void printer_List(const P& element, context_kind context, Printer& ppf, const L& list) {
  auto body = [&element](Printer& p, const L& l) { print_elements(p, element, l); };
  const bool empty = std::begin(list) == std::end(list);
  if (has_leading_break(context)) {
    if (empty) Format::fprintf(ppf, "@ []");
    else Format::fprintf(ppf, " [@ @[%a@]%a]", body, list, print_break_back, 1);
  } else {
    if (empty) Format::fprintf(ppf, "[]");
    else Format::fprintf(ppf, "@[<hv 2>[@ @[%a@]%a]@]", body, list, print_break_back, 1);
  }
}

template <class P>
auto printer_List(P element) {
  return [element](context_kind context, Printer& ppf, const auto& list) {
    printer_List(element, context, ppf, list);
  };
}

// "[||]" or "@[<hv 2>[|@ @[%a@]%a|]@]" at top level and in a tuple; "@ [||]"
// or " [|@ @[%a@]%a|]" after a name.
template <class P, class A>
void printer_Array(const P& element, context_kind context, Printer& ppf, const A& array) {
  auto body = [&element](Printer& p, const A& a) { print_elements(p, element, a); };
  const bool empty = std::begin(array) == std::end(array);
  if (has_leading_break(context)) {
    if (empty) Format::fprintf(ppf, "@ [||]");
    else Format::fprintf(ppf, " [|@ @[%a@]%a|]", body, array, print_break_back, 1);
  } else {
    if (empty) Format::fprintf(ppf, "[||]");
    else Format::fprintf(ppf, "@[<hv 2>[|@ @[%a@]%a|]@]", body, array, print_break_back, 1);
  }
}

template <class P>
auto printer_Array(P element) {
  return [element](context_kind context, Printer& ppf, const auto& array) {
    printer_Array(element, context, ppf, array);
  };
}

// --- options, references, deferred values ---------------------------------

// "None", or "@[<hv 2>Some" with the value in Ck_argument and "@]".
template <class P, class T>
void printer_Option(const P& element, context_kind context, Printer& ppf,
                    const std::optional<T>& option) {
  if (option)
    printer_constructor(context, ppf, "Some", element, *option);
  else
    printer_constant(context, ppf, "None");
}

template <class P>
auto printer_Option(P element) {
  return [element](context_kind context, Printer& ppf, const auto& option) {
    printer_Option(element, context, ppf, option);
  };
}

// A reference is given by the value it holds.
template <class P, class T>
void printer_Ref(const P& element, context_kind context, Printer& ppf, const T& content) {
  printer_constructor(context, ppf, "ref", element, content);
}

template <class P>
auto printer_Ref(P element) {
  return [element](context_kind context, Printer& ppf, const auto& content) {
    printer_Ref(element, context, ppf, content);
  };
}

// A deferred value is given by what it has computed so far: "lazy" and the
// value once computed, "<lazy>" before.
template <class P, class T>
void printer_Lazy(const P& element, context_kind context, Printer& ppf,
                  const std::optional<T>& computed) {
  if (computed)
    printer_constructor(context, ppf, "lazy", element, *computed);
  else
    printer_abstract_value("lazy", context, ppf);
}

template <class P>
auto printer_Lazy(P element) {
  return [element](context_kind context, Printer& ppf, const auto& computed) {
    printer_Lazy(element, context, ppf, computed);
  };
}

// --- customisable variants -------------------------------------------------

using Thunk = std::function<void(Printer&)>;

// The parts of a customised list or array: opening and closing texts (empty
// by default), the separator between elements ("@ " by default) and the
// indentation of the box.
struct Sequence_style {
  Thunk opening = [](Printer&) {};
  Thunk closing = [](Printer&) {};
  Thunk separator = [](Printer& ppf) { ppf.print_space(); };
  int indent = 2;
};

// "@[<hv n>%a@ @[%a@]%a%a@]" at top level and in a tuple, " %a@ @[%a@]%a%a"
// after a name: opening, the elements (in Ck_toplevel, separated), a break
// back of one blank, closing.
template <class P, class L>
void print_sequence(const Sequence_style& style, const P& element, context_kind context,
                    Printer& ppf, const L& elements) {
  bool inner = has_leading_break(context);
  if (inner)
    ppf.print_string(" ");
  else
    ppf.open_box(Format::Box_kind::HV, style.indent);
  style.opening(ppf);
  ppf.print_space();
  ppf.open_box(Format::Box_kind::B, 0);
  bool first = true;
  for (const auto& x : elements) {
    if (!first) style.separator(ppf);
    first = false;
    std::invoke(element, Ck_toplevel, ppf, x);
  }
  ppf.close_box();
  break_back(ppf, 1);
  style.closing(ppf);
  if (!inner) ppf.close_box();
}

template <class P>
auto printer_list(P element, Sequence_style style = {}) {
  return [element, style](context_kind context, Printer& ppf, const auto& list) {
    print_sequence(style, element, context, ppf, list);
  };
}

template <class P>
auto printer_array(P element, Sequence_style style = {}) {
  return [element, style](context_kind context, Printer& ppf, const auto& array) {
    print_sequence(style, element, context, ppf, array);
  };
}

// Options, references and deferred values under names of one's own.
template <class P>
auto printer_option(P element, std::string none = "None", std::string some = "Some") {
  return [element, none, some](context_kind context, Printer& ppf, const auto& option) {
    if (option)
      printer_constructor(context, ppf, some, element, *option);
    else
      printer_constant(context, ppf, none);
  };
}

template <class P>
auto printer_ref(P element, std::string name = "ref") {
  return [element, name](context_kind context, Printer& ppf, const auto& content) {
    printer_constructor(context, ppf, name, element, content);
  };
}

template <class P>
auto printer_lazy(P element, std::string name = "lazy") {
  return [element, name](context_kind context, Printer& ppf, const auto& computed) {
    if (computed)
      printer_constructor(context, ppf, name, element, *computed);
    else
      printer_abstract_value(name, context, ppf);
  };
}

// --- deferred printing -----------------------------------------------------

// The deferred form of a printer applied to a value: a callable taking the
// layout printer that prints the value in Ck_toplevel (what "%a"/"%t" take).
template <class P, class T>
std::function<void(Printer&)> deferred(P printer, T value) {
  return [printer = std::move(printer), value = std::move(value)](Printer& ppf) {
    std::invoke(printer, Ck_toplevel, ppf, value);
  };
}

}  // namespace Og_printer
