// Printers of the value text syntax: contexts, parentheses, escaping, and
// the layout of records and lists at the margin. Expected texts are worked
// out by hand from the formats and the layout algorithm.
#include "text/og_printer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/og_precedence.hpp"

namespace {

using Format::Printer;
using namespace Og_precedence;
using namespace Og_printer;

struct point {
  double p_x;
  double p_y;
};

void printer_point(context_kind c, Printer& ppf, const point& p) {
  Record r(c, ppf);
  r.field("p_x", printer_Float, p.p_x).field("p_y", printer_Float, p.p_y);
  r.close();
}

using point_pondere = std::pair<double, point>;

void printer_point_pondere(context_kind c, Printer& ppf, const point_pondere& p) {
  open_tuple(c, ppf);
  printer_Float(Ck_tuple_item, ppf, p.first);
  tuple_separator(ppf);
  printer_point(Ck_tuple_item, ppf, p.second);
  close_tuple(c, ppf);
}

// A constructor with a value and a constant one, as generated printers write them.
struct sous_sol {
  std::optional<double> hauteur;  // absent: Soubassement
};

void printer_sous_sol(context_kind c, Printer& ppf, const sous_sol& s) {
  if (s.hauteur)
    printer_constructor(c, ppf, "Sous_sol", printer_Float, *s.hauteur);
  else
    printer_constant(c, ppf, "Soubassement");
}

// Prints in context `c` as a whole text: after "x =" in a field box for
// Ck_record_field, after "C" in a constructor box for Ck_argument.
template <class P, class T>
std::string text(context_kind c, const P& printer, const T& value) {
  auto thunk = [&](Printer& ppf) { printer(c, ppf, value); };
  switch (c) {
    case Ck_record_field: return Format::asprintf("@[<hv 2>x =%t@]", thunk);
    case Ck_argument: return Format::asprintf("@[<hv 2>C%t@]", thunk);
    default: return Format::asprintf("@[%t@]", thunk);
  }
}

struct Case {
  const char* name;
  std::string actual;
  std::string expected;
};

void check_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(OgPrecedence, Predicates) {
  struct Row {
    enclosing_mode mode;
    bool toplevel, record_field, tuple_item, argument;
  };
  const Row rows[] = {
      {Em_do_close, true, true, true, true},
      {Em_tuple, false, false, true, true},
      {Em_application, false, false, false, true},
      {Em_do_not_close, false, false, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(string_of_enclosing_mode(r.mode));
    EXPECT_EQ(is_enclosed(r.mode, Ck_toplevel), r.toplevel);
    EXPECT_EQ(is_enclosed(r.mode, Ck_record_field), r.record_field);
    EXPECT_EQ(is_enclosed(r.mode, Ck_tuple_item), r.tuple_item);
    EXPECT_EQ(is_enclosed(r.mode, Ck_argument), r.argument);
  }
  EXPECT_FALSE(has_leading_break(Ck_toplevel));
  EXPECT_TRUE(has_leading_break(Ck_record_field));
  EXPECT_FALSE(has_leading_break(Ck_tuple_item));
  EXPECT_TRUE(has_leading_break(Ck_argument));
}

TEST(OgPrecedence, Names) {
  EXPECT_EQ(string_of_context_kind(Ck_toplevel), "Ck_toplevel");
  EXPECT_EQ(string_of_context_kind(Ck_record_field), "Ck_record_field");
  EXPECT_EQ(string_of_context_kind(Ck_tuple_item), "Ck_tuple_item");
  EXPECT_EQ(string_of_context_kind(Ck_argument), "Ck_argument");
  EXPECT_EQ(string_of_enclosing_mode(Em_do_close), "Em_do_close");
  EXPECT_EQ(string_of_enclosing_mode(Em_tuple), "Em_tuple");
  EXPECT_EQ(string_of_enclosing_mode(Em_application), "Em_application");
  EXPECT_EQ(string_of_enclosing_mode(Em_do_not_close), "Em_do_not_close");
}

TEST(OgPrinterAtoms, Texts) {
  check_cases({
      {"unit", text(Ck_toplevel, printer_Unit, std::monostate{}), "()"},
      {"bool", text(Ck_toplevel, printer_Bool, true), "true"},
      {"char", text(Ck_toplevel, printer_Char, 'a'), "'a'"},
      {"apostrophe char", text(Ck_toplevel, printer_Char, '\''), "'\\''"},
      {"double quote char", text(Ck_toplevel, printer_Char, '"'), "'\\\"'"},
      {"plain string unchanged", text(Ck_toplevel, printer_String, "Mur 1"), "\"Mur 1\""},
      {"escapes", text(Ck_toplevel, printer_String, "a\"b\\c'd"), "\"a\\\"b\\\\c\\'d\""},
      {"raw line feed and tab", text(Ck_toplevel, printer_String, "a\nb\tc"), "\"a\nb\tc\""},
      {"accented letters as is", text(Ck_toplevel, printer_String, "étage"), "\"étage\""},
      {"bytes", text(Ck_toplevel, printer_Bytes, "l'eau"), "\"l\\'eau\""},
      {"int", text(Ck_toplevel, printer_Int, -3), "-3"},
      {"int32", text(Ck_toplevel, printer_Int32, 7), "7"},
      {"int64", text(Ck_toplevel, printer_Int64, std::int64_t{1} << 40), "1099511627776"},
      {"nativeint", text(Ck_toplevel, printer_Nativeint, std::intptr_t{-9}), "-9"},
      {"float 8.", text(Ck_toplevel, printer_Float, 8.0), "8."},
      {"float 0.1", text(Ck_toplevel, printer_Float, 0.1), "0.1"},
      {"float 1e-05", text(Ck_toplevel, printer_Float, 1e-5), "1e-05"},
      {"float nan", text(Ck_toplevel, printer_Float, std::nan("")), "nan"},
      {"tuple item has no break", text(Ck_tuple_item, printer_Int, 4), "4"},
  });
}

TEST(OgPrinterAtoms, LeadingBreakAndParentheses) {
  check_cases({
      {"field", text(Ck_record_field, printer_Float, 2.5), "x = 2.5"},
      {"negative in field", text(Ck_record_field, printer_Float, -2.5), "x = -2.5"},
      {"argument", text(Ck_argument, printer_Float, 3.0), "C 3."},
      {"negative argument", text(Ck_argument, printer_Float, -2.5), "C (-2.5)"},
      {"negative zero argument", text(Ck_argument, printer_Float, -0.0), "C (-0.)"},
      {"zero argument", text(Ck_argument, printer_Float, 0.0), "C 0."},
      {"negative int argument", text(Ck_argument, printer_Int, -2), "C (-2)"},
      {"negative int64 argument", text(Ck_argument, printer_Int64, std::int64_t{-2}), "C (-2)"},
      {"string argument", text(Ck_argument, printer_String, "a"), "C \"a\""},
      {"bool field", text(Ck_record_field, printer_Bool, false), "x = false"},
      {"unit field", text(Ck_record_field, printer_Unit, std::monostate{}), "x = ()"},
      {"negative int32 argument", text(Ck_argument, printer_Int32, std::int32_t{-7}), "C (-7)"},
      {"negative nativeint argument", text(Ck_argument, printer_Nativeint, std::intptr_t{-9}), "C (-9)"},
      {"int32 field", text(Ck_record_field, printer_Int32, std::int32_t{-7}), "x = -7"},
      {"nativeint argument", text(Ck_argument, printer_Nativeint, std::intptr_t{9}), "C 9"},
      {"int argument", text(Ck_argument, printer_Int, 0), "C 0"},
      {"char argument", text(Ck_argument, printer_Char, '\\'), "C '\\\\'"},
      {"bool argument", text(Ck_argument, printer_Bool, true), "C true"},
      {"unit argument", text(Ck_argument, printer_Unit, std::monostate{}), "C ()"},
      {"bytes field", text(Ck_record_field, printer_Bytes, "a'b"), "x = \"a\\'b\""},
  });
}

TEST(OgPrinterAtoms, RawForms) {
  check_cases({
      {"float", text(Ck_toplevel, printer_float, 1.5), "1.500000"},
      {"string", text(Ck_record_field, printer_string, "a\"b"), "x = a\"b"},
      {"char", text(Ck_argument, printer_char, '\''), "C '"},
      {"int", text(Ck_argument, printer_int, -1), "C -1"},
      {"format", text(Ck_toplevel, printer_Format, Format::Fmt{"@,"}), "@,"},
  });
}

TEST(OgPrinterContainers, Lists) {
  auto ints = printer_List(printer_Int);
  std::vector<int> none;
  std::vector<int> three{1, 2, 3};
  check_cases({
      {"three ints", text(Ck_toplevel, ints, three), "[ 1; 2; 3; ]"},
      {"empty", text(Ck_toplevel, ints, none), "[]"},
      {"empty after a field", text(Ck_record_field, ints, none), "x = []"},
      {"after a field", text(Ck_record_field, ints, three), "x = [ 1; 2; 3; ]"},
      {"argument", text(Ck_argument, ints, three), "C [ 1; 2; 3; ]"},
      {"negative elements", text(Ck_toplevel, ints, std::vector<int>{-1}), "[ -1; ]"},
      {"direct call", Format::asprintf("@[%t@]", [&](Printer& p) { printer_List(printer_Int, Ck_toplevel, p, three); }),
       "[ 1; 2; 3; ]"},
      {"nested", text(Ck_toplevel, printer_List(ints), std::vector<std::vector<int>>{{1}, {}}),
       "[ [ 1; ]; []; ]"},
  });
}

TEST(OgPrinterContainers, Arrays) {
  auto floats = printer_Array(printer_Float);
  check_cases({
      {"two floats", text(Ck_toplevel, floats, std::vector<double>{1.0, 2.5}), "[| 1.; 2.5; |]"},
      {"empty", text(Ck_toplevel, floats, std::vector<double>{}), "[||]"},
      {"empty after a field", text(Ck_record_field, floats, std::vector<double>{}), "x = [||]"},
      {"after a field", text(Ck_record_field, floats, std::vector<double>{0.5}), "x = [| 0.5; |]"},
  });
}

TEST(OgPrinterContainers, OptionsRefsLazies) {
  auto option = printer_Option(printer_Float);
  check_cases({
      {"None", text(Ck_toplevel, option, std::optional<double>{}), "None"},
      {"None after a field", text(Ck_record_field, option, std::optional<double>{}), "x = None"},
      {"Some 3.", text(Ck_toplevel, option, std::optional<double>{3.0}), "Some 3."},
      {"Some (-3.)", text(Ck_toplevel, option, std::optional<double>{-3.0}), "Some (-3.)"},
      {"Some in a field", text(Ck_record_field, option, std::optional<double>{3.0}), "x = Some 3."},
      {"Some as an argument", text(Ck_argument, option, std::optional<double>{3.0}), "C (Some 3.)"},
      {"Some in a tuple", text(Ck_tuple_item, option, std::optional<double>{3.0}), "Some 3."},
      {"Some (Some 1)",
       text(Ck_toplevel, printer_Option(printer_Option(printer_Int)), std::optional<std::optional<int>>{1}),
       "Some (Some 1)"},
      {"Some None",
       text(Ck_toplevel, printer_Option(printer_Option(printer_Int)),
            std::optional<std::optional<int>>{std::optional<int>{}}),
       "Some None"},
      {"Some list", text(Ck_toplevel, printer_Option(printer_List(printer_Int)),
                         std::optional<std::vector<int>>{std::vector<int>{1}}),
       "Some [ 1; ]"},
      {"ref", text(Ck_toplevel, printer_Ref(printer_Int), 3), "ref 3"},
      {"ref negative", text(Ck_toplevel, printer_Ref(printer_Int), -1), "ref (-1)"},
      {"ref as an argument", text(Ck_argument, printer_Ref(printer_Int), 1), "C (ref 1)"},
      {"lazy computed", text(Ck_toplevel, printer_Lazy(printer_Int), std::optional<int>{2}), "lazy 2"},
      {"lazy pending", text(Ck_toplevel, printer_Lazy(printer_Int), std::optional<int>{}), "<lazy>"},
      {"lazy pending in a field", text(Ck_record_field, printer_Lazy(printer_Int), std::optional<int>{}),
       "x = <lazy>"},
  });
}

TEST(OgPrinterContainers, Placeholders) {
  check_cases({
      {"fun", text(Ck_toplevel, printer_Fun<int>, 0), "<fun>"},
      {"poly", text(Ck_toplevel, printer_Poly<int>, 0), "<poly>"},
      {"abstract in a field", text(Ck_record_field, printer_Abstract<int>, 0), "x = <abstract>"},
      {"external as an argument", text(Ck_argument, printer_External<int>, 0), "C <external>"},
      {"named", text(Ck_toplevel, printer_abstract_value("handle"), 0), "<handle>"},
  });
}

TEST(OgPrinterComposite, TuplesAndRecords) {
  point_pondere pp{2.5, {1.0, 2.0}};
  check_cases({
      {"record", text(Ck_toplevel, printer_point, point{0.0, 0.0}), "{ p_x = 0.; p_y = 0.; }"},
      {"record after a field", text(Ck_record_field, printer_point, point{0.0, -1.0}),
       "x = { p_x = 0.; p_y = -1.; }"},
      {"pair after a field", text(Ck_record_field, printer_point_pondere, pp),
       "x = 2.5, { p_x = 1.; p_y = 2.; }"},
      {"pair at top level", text(Ck_toplevel, printer_point_pondere, pp), "2.5, { p_x = 1.; p_y = 2.; }"},
      {"pair as an argument", text(Ck_argument, printer_point_pondere, pp),
       "C (2.5, { p_x = 1.; p_y = 2.; })"},
      {"pair in a tuple", Format::asprintf("@[%t@]", [&](Printer& p) {
         open_tuple(Ck_toplevel, p);
         printer_point_pondere(Ck_tuple_item, p, pp);
         tuple_separator(p);
         printer_Int(Ck_tuple_item, p, 3);
         close_tuple(Ck_toplevel, p);
       }),
       "(2.5, { p_x = 1.; p_y = 2.; }), 3"},
      {"pairs in a list", text(Ck_toplevel, printer_List(printer_point_pondere), std::vector<point_pondere>{pp}),
       "[ 2.5, { p_x = 1.; p_y = 2.; }; ]"},
  });
}

TEST(OgPrinterComposite, Constructors) {
  check_cases({
      {"constant", text(Ck_toplevel, printer_sous_sol, sous_sol{}), "Soubassement"},
      {"constant in a field", text(Ck_record_field, printer_sous_sol, sous_sol{}), "x = Soubassement"},
      {"with a value", text(Ck_toplevel, printer_sous_sol, sous_sol{2.5}), "Sous_sol 2.5"},
      {"in a field", text(Ck_record_field, printer_sous_sol, sous_sol{2.5}), "x = Sous_sol 2.5"},
      {"Some (Sous_sol 2.5)", text(Ck_toplevel, printer_Option(printer_sous_sol), std::optional<sous_sol>{sous_sol{2.5}}),
       "Some (Sous_sol 2.5)"},
      {"record argument without parentheses", Format::asprintf("@[<hv 2>x =%t@]", [](Printer& p) {
         printer_constructor(Ck_record_field, p, "Base_rectangle", printer_point, point{1.0, 2.0});
       }),
       "x = Base_rectangle { p_x = 1.; p_y = 2.; }"},
  });
}

struct mur {
  std::string mur_nom;
  double mur_longueur;
  point mur_position;
};

void printer_mur(context_kind c, Printer& ppf, const mur& m) {
  Record r(c, ppf);
  r.field("mur_nom", printer_String, m.mur_nom)
      .field("mur_longueur", printer_Float, m.mur_longueur)
      .field("mur_position", printer_point, m.mur_position);
  r.close();
}

TEST(OgPrinterLayout, RecordBreaksAtTheMargin) {
  // 100 columns flat: the record box and the field box split, each field
  // fits on its own line, "}" comes back under "{".
  mur m{"Mur_de_facade_numero_1", 12.5, {0.0, 0.0}};
  EXPECT_EQ(text(Ck_toplevel, printer_mur, m),
            "{\n"
            "  mur_nom = \"Mur_de_facade_numero_1\";\n"
            "  mur_longueur = 12.5;\n"
            "  mur_position = { p_x = 0.; p_y = 0.; };\n"
            "}");
  // A short one stays on one line.
  EXPECT_EQ(text(Ck_toplevel, printer_mur, mur{"M", 1.0, {0.0, 0.0}}),
            "{ mur_nom = \"M\"; mur_longueur = 1.; mur_position = { p_x = 0.; p_y = 0.; }; }");
}

TEST(OgPrinterLayout, ListInAFieldBreaksAfterItsBracket) {
  // The field (87 columns) splits after " [" and before "]"; the body box
  // at column 4 packs two points on its first line.
  auto print = [](Printer& p) {
    Record r(Ck_toplevel, p);
    r.field("pts", printer_List(printer_point),
            std::vector<point>{{0.0, 0.0}, {10.0, 0.0}, {10.0, 5.0}});
    r.close();
  };
  EXPECT_EQ(Format::asprintf("%t", print),
            "{\n"
            "  pts = [\n"
            "    { p_x = 0.; p_y = 0.; }; { p_x = 10.; p_y = 0.; };\n"
            "    { p_x = 10.; p_y = 5.; };\n"
            "  ];\n"
            "}");
}

TEST(OgPrinterLayout, DeferredFormPrintsAtTopLevel) {
  auto logger = deferred(printer_point, point{1.0, -2.0});
  EXPECT_EQ(Format::asprintf("p = %t", logger), "p = { p_x = 1.; p_y = -2.; }");
}

TEST(OgPrinterLayout, CustomisedList) {
  Sequence_style style;
  style.opening = [](Printer& p) { p.print_string("<"); };
  style.closing = [](Printer& p) { p.print_string(">"); };
  style.separator = [](Printer& p) { Format::fprintf(p, ",@ "); };
  check_cases({
      {"styled", text(Ck_toplevel, printer_list(printer_Int, style), std::vector<int>{1, 2}), "< 1, 2 >"},
      {"default", text(Ck_toplevel, printer_list(printer_Int), std::vector<int>{1, 2}), " 1 2 "},
      {"option names", text(Ck_toplevel, printer_option(printer_Int, "Rien", "Un"), std::optional<int>{5}),
       "Un 5"},
  });
}

}  // namespace
