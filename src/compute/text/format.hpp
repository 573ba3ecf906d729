#pragma once
// The box layout printer through which every text of the engine is written.
//
// Two layers, each a component of its own:
//  - the engine (Layout_engine, layout_engine.hpp): an Oppen-style pretty
//    printer. Tokens wait in a queue with their sizes; a scan stack
//    remembers the box openings and breaks whose size is still being
//    measured; a box stack holds the open boxes with their widths. Every
//    token is enqueued once, sized once and printed once: linear time in the
//    size of the output. Sizes are bytes, so an accented letter in UTF-8
//    counts two columns.
//  - the directive interpreter (Format_interpreter, format_interpreter.hpp):
//    a format string is parsed by one grammar that drives a handler. The
//    compile-time checker is one handler (run by the consteval constructor
//    of Format_string, so a wrong count or kind of arguments is a compile
//    error), the renderers are the others. The templates below only pack
//    the arguments into a type-erased array and call one non-template core.
// This header is what the rest of the engine uses: the printer handle, the
// standard printers, and the formatting functions.
//
// Directives: "@[" (optionally "<kind n>" with kind h, v, hv, hov or b and an
// optional, possibly negative, indentation), "@]", "@,", "@ ", "@;",
// "@;<n m>", "@\n", "@.", "@?", "@@". An "@" followed by any other character
// is a literal "@". A malformed "<...>" after "@[" or "@;" is a compile error.
// Conversions: %s %S %c %C %d %i (also %ld %li %Ld %Li %nd %ni) %f %.Nf %F %B
// %a %t %(...%) %, %%. Plain string formatting (sprintf) copies the layout
// directives as their own characters.
//
// Every printer starts with an outermost hov box that is never closed, so
// the last break of that box before a flush is never measured and splits
// the line ("a@ b" prints "a", a newline, "b"). Put breaks inside a box of
// their own ("@[a@ b@]") to have them measured.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "text/format_interpreter.hpp"
#include "text/layout_engine.hpp"

namespace Format {

using Format_interpreter::Fmt;
using Layout_engine::Box_kind;

// A layout printer bound to one output.
class Printer {
 public:
  // Bound to a fresh string buffer (read with contents()).
  Printer();
  // Bound to an open file; the printer does not close it.
  explicit Printer(std::FILE* file);
  ~Printer();
  Printer(Printer&&) noexcept;
  Printer& operator=(Printer&&) noexcept;
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  void open_box(Box_kind kind, int indent) { engine_->open_box(kind, indent); }
  void close_box() { engine_->close_box(); }
  void print_string(std::string_view text) { engine_->text(text); }
  void print_char(char c) { engine_->text(std::string_view(&c, 1)); }
  // No negative width on the line.
  void print_break(int blanks, int offset) { engine_->break_hint(std::max(blanks, 0), offset); }
  void print_cut() { engine_->break_hint(0, 0); }      // "@,"
  void print_space() { engine_->break_hint(1, 0); }    // "@ "
  void force_newline() { engine_->force_newline(); }   // "@\n"
  void print_newline() { engine_->flush(true); }       // "@."
  void print_flush() { engine_->flush(false); }        // "@?"

  // The right margin (78 by default); max_indent follows as margin - 10.
  void set_margin(int margin) { engine_->set_margin(margin); }
  int margin() const { return engine_->margin(); }

  // For a string-buffer printer: prints everything pending (as "@?") and
  // returns the whole text written so far. Empty for a file printer.
  std::string contents() { return engine_->contents(); }
  // The same, then the printer starts afresh, as a new string printer with
  // the same margin would.
  std::string take_contents() { return engine_->take_contents(); }

 private:
  std::unique_ptr<Layout_engine::Engine> engine_;
};

// The printers bound to the error stream and to the standard output.
Printer& err_formatter();
Printer& std_formatter();

// A format string not known at compile time; its errors throw
// Invalid_argument when it is used.
struct Runtime_format {
  std::string_view text;
};
inline Runtime_format runtime(std::string_view text) { return {text}; }

// A format string checked at compile time against the argument types.
template <class... Args>
struct Basic_format_string {
  std::string_view text;
  template <class S>
    requires std::is_convertible_v<const S&, std::string_view>
  consteval Basic_format_string(const S& s) : text(s) {
    constexpr auto traits = Format_interpreter::all_traits<Args...>();
    Format_interpreter::Checker<sizeof...(Args)> checker{traits};
    Format_interpreter::parse_format(text, checker);
    checker.finish();
  }
  Basic_format_string(Runtime_format r) : text(r.text) {}
};

// The format string parameter of fprintf, asprintf and sprintf (its argument
// types are not deduced from it).
template <class... Args>
using Format_string = Basic_format_string<std::remove_cvref_t<Args>...>;

// Lays out a format on a printer (directives interpreted).
template <class... Args>
void fprintf(Printer& ppf, Format_string<Args...> format, const Args&... args) {
  auto packed = Format_interpreter::pack<Args...>(args...);
  Format_interpreter::vfprintf(ppf, format.text, packed);
}

// Lays out a format on a fresh string-buffer printer (margin 78), ends with
// "@?" and returns the text.
template <class... Args>
std::string asprintf(Format_string<Args...> format, const Args&... args) {
  auto packed = Format_interpreter::pack<Args...>(args...);
  return Format_interpreter::vasprintf(format.text, packed);
}

// Plain string formatting: layout directives are copied literally. A "%a"
// or "%t" printer writes into a fresh string-buffer printer whose text is
// inserted in place.
template <class... Args>
std::string sprintf(Format_string<Args...> format, const Args&... args) {
  auto packed = Format_interpreter::pack<Args...>(args...);
  return Format_interpreter::vsprintf(format.text, packed);
}

}  // namespace Format
