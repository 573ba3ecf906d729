#pragma once
// Developer diagnostics, written on the error stream only when debugging (-d)
// is on.
#include <functional>
#include <string>

#include "config/quavor_configuration.hpp"

namespace Say {

// The text followed by a newline and a flush, on the error-debugging printer.
void debug(const std::string& text);
// The same on the input-debugging printer.
void i_debug(const std::string& text);
// Calls f with the error-debugging, respectively input-debugging, printer.
void fdebug(const std::function<void(Format::Printer&)>& f);
void i_fdebug(const std::function<void(Format::Printer&)>& f);
// The same as debug and fdebug whatever the run configuration says, for a
// caller that decides itself (a check session knows whether its run debugs).
void debug_always(const std::string& text);
void fdebug_always(const std::function<void(Format::Printer&)>& f);

using Quavor_configuration::fatal_error;
using Quavor_configuration::print_quoted_string;

}  // namespace Say
