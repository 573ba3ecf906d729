#pragma once
// Reading the items of a pattern off a scanning buffer: literal characters,
// line ends, and every conversion (%f %d %i %S %C %c %[...] %s %l %n %,),
// with the escapes of the quoted strings and characters. Each failure is a
// Scan_failure with the message the item gives; the enclosing scan step
// (Scan_engine) adds its prefix.
#include <string>

#include "text/scan_patterns.hpp"

namespace Scan_items {

// The character `c` as a quoted character literal: 'a', '\n', '\'', '\\',
// '\200'.
std::string quoted_char(char c);

// Consumes `expected`; "looking for %C, found %C" when another character
// comes, End_of_file at the end of input.
void check_char(Scanning::Scanbuf& ib, char expected);
// Consumes a line feed, or a carriage return and a line feed.
void check_newline(Scanning::Scanbuf& ib);

// Runs one conversion (not %r: Scan_engine calls the nested readers); `out`
// is its target, null when nothing is stored. Clears the token buffer first.
void run_conversion(Scanning::Scanbuf& ib, const Scan_patterns::Item& item, const Scan_patterns::Out* out);

}  // namespace Scan_items
