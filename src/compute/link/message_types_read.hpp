#pragma once
// Reading the requests of the input program.
#include "link/message_types.hpp"
#include "text/scanning.hpp"

namespace Message_types_read {

using Scanning::Scanbuf;

// Blanks, then every line whose first non-blank character is "#". Stops
// quietly at the end of the input.
void skip_sharp_comments(Scanbuf& ib);

// One request. A name that is not a request fails with the position header
// and "Unknown input gui message '<name and rest of its line>'".
Message_types::input_message scanner_input_message(Scanbuf& ib);

// Set by a reader that fails after consuming the whole line it refuses (its
// newline included): the recovery must not then skip the following line, which
// may be the closing marker. Cleared by the recovery.
bool failed_line_consumed();
void set_failed_line_consumed(bool consumed);

}  // namespace Message_types_read
