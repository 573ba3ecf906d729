#pragma once
// The requests of the input program and the engine's replies.
#include <optional>
#include <string>
#include <variant>

#include "description/input_data_types.hpp"
#include "description/quavor_data_types.hpp"
#include "text/exceptions.hpp"

namespace Message_types {

using input_data = Input_data_types::input_data;

// --- requests ---------------------------------------------------------------
struct Validate_data {
  bool operator==(const Validate_data&) const = default;
};
struct Invalidate_data {
  bool operator==(const Invalidate_data&) const = default;
};
struct Compute_data {
  bool operator==(const Compute_data&) const = default;
};
struct Quit {
  bool operator==(const Quit&) const = default;
};
struct Read_data {
  input_data value;
  bool operator==(const Read_data&) const = default;
};
using input_message = std::variant<Validate_data, Invalidate_data, Compute_data, Quit, Read_data>;

// --- acknowledgments ----------------------------------------------------------
using progress_message = std::string;
using computation_done_message = std::string;
// Has a printer; no message carries it.
using report_done_message = std::string;

struct Computing {
  bool operator==(const Computing&) const = default;
};
struct Validate_data_done {
  bool operator==(const Validate_data_done&) const = default;
};
struct Invalidate_data_done {
  bool operator==(const Invalidate_data_done&) const = default;
};
struct Quitting {
  bool operator==(const Quitting&) const = default;
};
struct Read_data_done {
  input_data value;
  bool operator==(const Read_data_done&) const = default;
};
// Never sent by the engine.
struct Compute_progress {
  progress_message value;
  bool operator==(const Compute_progress&) const = default;
};
struct Compute_data_done {
  computation_done_message value;
  bool operator==(const Compute_data_done&) const = default;
};
using computation_acknowledgment_message =
    std::variant<Computing, Validate_data_done, Invalidate_data_done, Quitting, Read_data_done,
                 Compute_progress, Compute_data_done>;

// --- errors -----------------------------------------------------------------
struct Wrong_communication {
  std::string value;
  bool operator==(const Wrong_communication&) const = default;
};
using error_wrong_communication = Wrong_communication;

// The record of the first failed test (the checking framework's
// Wrong_test_result under the names it travels with).
struct error_wrong_test_result {
  std::optional<Quavor_data_types::niveau_nom> error_localisation;  // absent: the whole building
  std::string error_message;
  std::string error_tqmv_text;
  bool operator==(const error_wrong_test_result&) const = default;
};
error_wrong_test_result error_wrong_test_result_of(const Wrong_test_result& r);

struct Wrong_computation {
  std::string value;
  bool operator==(const Wrong_computation&) const = default;
};
using error_wrong_computation = Wrong_computation;

struct Error_no_validated_data {
  bool operator==(const Error_no_validated_data&) const = default;
};
struct Error_wrong_communication {
  error_wrong_communication value;
  bool operator==(const Error_wrong_communication&) const = default;
};
struct Error_wrong_test_result {
  error_wrong_test_result value;
  bool operator==(const Error_wrong_test_result&) const = default;
};
struct Error_wrong_computation {
  error_wrong_computation value;
  bool operator==(const Error_wrong_computation&) const = default;
};
using computation_error_message = std::variant<Error_no_validated_data, Error_wrong_communication,
                                               Error_wrong_test_result, Error_wrong_computation>;

}  // namespace Message_types
