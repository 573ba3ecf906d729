#pragma once
// The pattern engine: applies a pattern to a scanning buffer as one scan
// step. A pattern is prepared once (runs of plain characters matched as a
// whole), then its items run left to right; every Scan_failure raised
// inside the step, nested readers included, is raised again as "scanf: bad
// input at char number %i: %s". End_of_file passes unchanged.
#include <string_view>
#include <type_traits>

#include "text/scan_patterns.hpp"

namespace Scan_engine {

// One scan step over a checked pattern (the non-template core).
void scan_step(Scanning::Scanbuf& ib, std::string_view pattern, const Scan_patterns::Out* outs);

// Applies `pattern` as one scan step; the conversions store into `outs`.
template <class... Outs>
void scan(Scanning::Scanbuf& ib, Scan_patterns::Pattern<std::remove_cvref_t<Outs>...> pattern, Outs&&... outs) {
  const Scan_patterns::Out slots[] = {Scan_patterns::make_out(outs)..., Scan_patterns::Out{}};
  scan_step(ib, pattern.text, slots);
}

// Applies a pattern built at run time, which may hold no conversion that
// stores a value (e.g. a framing word); Invalid_argument otherwise.
void scan_delimiter(Scanning::Scanbuf& ib, std::string_view pattern);

}  // namespace Scan_engine
