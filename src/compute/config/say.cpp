#include "config/say.hpp"

#include "text/format.hpp"

namespace Say {

namespace {
// Bound once, at start-up, to the initial debugging printers of the
// configuration, which are both the error stream: -dcf and -dif, parsed later,
// do not redirect what Say writes.
Format::Printer& error_debugging_printer() { return Format::err_formatter(); }
Format::Printer& input_debugging_printer() { return Format::err_formatter(); }
}  // namespace

void debug(const std::string& text) {
  if (Quavor_configuration::get_debug()) debug_always(text);
}

void debug_always(const std::string& text) { Format::fprintf(error_debugging_printer(), "%s@.", text); }

void fdebug_always(const std::function<void(Format::Printer&)>& f) { f(error_debugging_printer()); }

void i_debug(const std::string& text) {
  if (Quavor_configuration::get_debug()) Format::fprintf(input_debugging_printer(), "%s@.", text);
}

void fdebug(const std::function<void(Format::Printer&)>& f) {
  if (Quavor_configuration::get_debug()) fdebug_always(f);
}

void i_fdebug(const std::function<void(Format::Printer&)>& f) {
  if (Quavor_configuration::get_debug()) f(input_debugging_printer());
}

}  // namespace Say
