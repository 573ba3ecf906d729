#pragma once
// The contexts in which a value of the value text syntax is written, and
// the enclosing modes that decide whether it needs parentheses there.
#include <string>

namespace Og_precedence {

// Where a value stands.
enum class context_kind {
  Ck_toplevel,      // alone, or an element of a list or array
  Ck_record_field,  // after "field ="
  Ck_tuple_item,    // a component of a tuple
  Ck_argument,      // the argument of a constructor (Some, ref, lazy, a named alternative)
};

// How tightly a value's own text binds.
enum class enclosing_mode {
  Em_do_close,      // always parenthesised
  Em_tuple,         // parenthesised as a tuple item or a constructor argument
  Em_application,   // parenthesised as a constructor argument only
  Em_do_not_close,  // never parenthesised
};

using enum context_kind;
using enum enclosing_mode;

// Whether a value of mode `mode` is wrapped in parentheses in context `context`.
bool is_enclosed(enclosing_mode mode, context_kind context);

// Whether a value in `context` follows a name ("field =" or a constructor)
// and therefore starts with the break hint "@ ".
bool has_leading_break(context_kind context);

std::string string_of_context_kind(context_kind context);
std::string string_of_enclosing_mode(enclosing_mode mode);

}  // namespace Og_precedence
