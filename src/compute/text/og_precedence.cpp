#include "text/og_precedence.hpp"

namespace Og_precedence {

bool is_enclosed(enclosing_mode mode, context_kind context) {
  switch (mode) {
    case Em_do_close: return true;
    case Em_tuple: return context == Ck_tuple_item || context == Ck_argument;
    case Em_application: return context == Ck_argument;
    case Em_do_not_close: return false;
  }
  return false;
}

bool has_leading_break(context_kind context) {
  return context == Ck_record_field || context == Ck_argument;
}

std::string string_of_context_kind(context_kind context) {
  switch (context) {
    case Ck_toplevel: return "Ck_toplevel";
    case Ck_record_field: return "Ck_record_field";
    case Ck_tuple_item: return "Ck_tuple_item";
    case Ck_argument: return "Ck_argument";
  }
  return "";
}

std::string string_of_enclosing_mode(enclosing_mode mode) {
  switch (mode) {
    case Em_do_close: return "Em_do_close";
    case Em_tuple: return "Em_tuple";
    case Em_application: return "Em_application";
    case Em_do_not_close: return "Em_do_not_close";
  }
  return "";
}

}  // namespace Og_precedence
