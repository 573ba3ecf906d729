#include "text/format_interpreter.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace Format_interpreter {

void format_error(const char* message) { throw Invalid_argument(std::string("format: ") + message); }

namespace {

// Room for the text of one plain conversion: numbers are written into
// `digits` (the longest fixed notation, 309 integral digits, a sign, a point
// and 200 decimals, fits), escaped texts into `escaped`.
struct Conversion_text {
  char digits[560];
  std::string escaped;
};

std::string_view text_of_integer(const Arg& a, Conversion_text& out) {
  char* end = out.digits + sizeof out.digits;
  auto result = a.is_unsigned ? std::to_chars(out.digits, end, a.uinteger)
                              : std::to_chars(out.digits, end, a.integer);
  return std::string_view(out.digits, static_cast<std::size_t>(result.ptr - out.digits));
}

// Fixed notation, correctly rounded from the binary value, whatever the
// process locale.
std::string_view text_of_fixed(double x, int precision, Conversion_text& out) {
  auto result = std::to_chars(out.digits, out.digits + sizeof out.digits, x,
                              std::chars_format::fixed, precision);
  return std::string_view(out.digits, static_cast<std::size_t>(result.ptr - out.digits));
}

// The float of the value text syntax: "%.12g", with a "." when the text
// holds only digits and a sign.
std::string_view text_of_value_float(double x, Conversion_text& out) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x > 0 ? "infinity" : "neg_infinity";
  auto result = std::to_chars(out.digits, out.digits + 64, x, std::chars_format::general, 12);
  char* end = result.ptr;
  bool only_digits =
      std::all_of(out.digits, end, [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
  if (only_digits) *end++ = '.';
  return std::string_view(out.digits, static_cast<std::size_t>(end - out.digits));
}

// Escapes as the value text syntax reads back: `quote` is the delimiter.
void append_escaped(std::string& out, char c, char quote) {
  unsigned char u = static_cast<unsigned char>(c);
  if (c == '\\' || c == quote) {
    out += '\\';
    out += c;
  } else if (c == '\n') {
    out += "\\n";
  } else if (c == '\t') {
    out += "\\t";
  } else if (c == '\r') {
    out += "\\r";
  } else if (c == '\b') {
    out += "\\b";
  } else if (u >= ' ' && u <= '~') {
    out += c;
  } else {
    out += '\\';
    out += static_cast<char>('0' + u / 100);
    out += static_cast<char>('0' + u / 10 % 10);
    out += static_cast<char>('0' + u % 10);
  }
}

std::string escaped_string(std::string_view s) {
  std::string out = "\"";
  for (char c : s) append_escaped(out, c, '"');
  out += '"';
  return out;
}

std::string escaped_char(char c) {
  std::string out = "'";
  append_escaped(out, c, '\'');
  out += '\'';
  return out;
}

// The arguments of one format, taken in order; a format given at run time
// may not match them, which is reported as an invalid argument.
struct Arguments {
  std::span<const Arg> args;
  std::size_t next = 0;

  const Arg& take(bool Arg_traits::*kind) {
    if (next >= args.size()) format_error("more conversions than arguments");
    const Arg& a = args[next++];
    if (!(a.traits.*kind)) format_error("argument of the wrong kind for its conversion");
    return a;
  }
  const Arg& take_any() {
    if (next >= args.size()) format_error("more conversions than arguments");
    return args[next++];
  }
  void finish() const {
    if (next != args.size()) format_error("more arguments than conversions");
  }
};

// The text of the conversions that print a plain value, false for the
// others. The text may live in `room`.
bool plain_conversion(const Conversion_spec& c, Arguments& args, Conversion_text& room,
                      std::string_view& text) {
  switch (c.letter) {
    case 's': text = args.take(&Arg_traits::string).text; return true;
    case 'S':
      room.escaped = escaped_string(args.take(&Arg_traits::string).text);
      text = room.escaped;
      return true;
    case 'c':
      room.digits[0] = args.take(&Arg_traits::character).character;
      text = std::string_view(room.digits, 1);
      return true;
    case 'C':
      room.escaped = escaped_char(args.take(&Arg_traits::character).character);
      text = room.escaped;
      return true;
    case 'd':
    case 'i': text = text_of_integer(args.take(&Arg_traits::integer), room); return true;
    case 'f':
      text = text_of_fixed(args.take(&Arg_traits::floating).number,
                           c.precision < 0 ? 6 : c.precision, room);
      return true;
    case 'F':
      text = text_of_value_float(args.take(&Arg_traits::floating).number, room);
      return true;
    case 'B': text = args.take(&Arg_traits::boolean).boolean ? "true" : "false"; return true;
    default: return false;
  }
}

// Interprets a format on a layout printer.
struct Layout_handler {
  Printer& ppf;
  Arguments& args;

  void literal(std::string_view s) { ppf.print_string(s); }
  void error(const char* message) { format_error(message); }

  void directive(const Directive_spec& d, std::string_view) {
    switch (d.directive) {
      case Directive::Open_box: ppf.open_box(d.kind, d.indent); break;
      case Directive::Close_box: ppf.close_box(); break;
      case Directive::Break: ppf.print_break(d.blanks, d.offset); break;
      case Directive::Force_newline: ppf.force_newline(); break;
      case Directive::Newline: ppf.print_newline(); break;
      case Directive::Flush: ppf.print_flush(); break;
      case Directive::At: ppf.print_string("@"); break;
    }
  }

  void conversion(const Conversion_spec& c) {
    Conversion_text room;
    std::string_view text;
    if (plain_conversion(c, args, room, text)) {
      ppf.print_string(text);
    } else if (c.letter == 'a') {
      const Arg& f = args.take(&Arg_traits::applier);
      const Arg& v = args.take_any();
      f.apply(ppf, f, v);
    } else if (c.letter == 't') {
      const Arg& f = args.take(&Arg_traits::thunk);
      f.thunk(ppf, f);
    } else if (c.letter == '(') {
      const Arg& f = args.take(&Arg_traits::fmt);
      Arguments none{{}};
      Layout_handler inner{ppf, none};
      parse_format(f.text, inner);
      none.finish();
    }
  }
};

// Interprets a format as plain text: directives are copied as written.
struct Plain_handler {
  std::string& out;
  Arguments& args;

  void literal(std::string_view s) { out.append(s); }
  void error(const char* message) { format_error(message); }
  void directive(const Directive_spec&, std::string_view raw) { out.append(raw); }

  void conversion(const Conversion_spec& c) {
    Conversion_text room;
    std::string_view text;
    if (plain_conversion(c, args, room, text)) {
      out += text;
    } else if (c.letter == 'a') {
      const Arg& f = args.take(&Arg_traits::applier);
      const Arg& v = args.take_any();
      Printer buffer;
      f.apply(buffer, f, v);
      out += buffer.contents();
    } else if (c.letter == 't') {
      const Arg& f = args.take(&Arg_traits::thunk);
      Printer buffer;
      f.thunk(buffer, f);
      out += buffer.contents();
    } else if (c.letter == '(') {
      const Arg& f = args.take(&Arg_traits::fmt);
      Arguments none{{}};
      Plain_handler inner{out, none};
      parse_format(f.text, inner);
      none.finish();
    }
  }
};

}  // namespace

void vfprintf(Printer& ppf, std::string_view format, std::span<const Arg> args) {
  Arguments arguments{args};
  Layout_handler handler{ppf, arguments};
  parse_format(format, handler);
  arguments.finish();
}

std::string vasprintf(std::string_view format, std::span<const Arg> args) {
  Printer buffer;
  vfprintf(buffer, format, args);
  return buffer.contents();
}

std::string vsprintf(std::string_view format, std::span<const Arg> args) {
  std::string out;
  Arguments arguments{args};
  Plain_handler handler{out, arguments};
  parse_format(format, handler);
  arguments.finish();
  return out;
}

}  // namespace Format_interpreter
