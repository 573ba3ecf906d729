#pragma once
// The failures every layer of the engine may raise. Each flow's top level
// catches them all; nothing fed to the engine may end in a crash.
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

// A reader met text it cannot accept; the message grows outward with one
// "scanf: bad input at char number %i: " prefix per enclosing scan step.
// The message holds bytes of the input as they are, a NUL among them: it is
// read whole through message(), never through what(), which a NUL cuts. It
// is shared, so that copying the failure never throws.
struct Scan_failure : std::exception {
  explicit Scan_failure(std::string message)
      : message_(std::make_shared<const std::string>(std::move(message))) {}
  const std::string& message() const noexcept { return *message_; }
  const char* what() const noexcept override { return message_->c_str(); }

 private:
  std::shared_ptr<const std::string> message_;
};

// A value nested deeper than the readers accept (plans standing on plans).
// It leaves every scan step unprefixed: one clear line, whatever the depth.
struct Nesting_too_deep : Scan_failure {
  explicit Nesting_too_deep(const std::string& message) : Scan_failure(message) {}
};

// The character source ended before a pattern item could be satisfied.
struct End_of_file : std::runtime_error {
  End_of_file() : std::runtime_error("End_of_file") {}
};

// An internal inconsistency; the text is already the full
// "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ..." message.
struct Fatal_error : std::runtime_error {
  explicit Fatal_error(const std::string& text) : std::runtime_error(text) {}
};

// An internal assertion failed: names the source file that holds it.
struct Assertion_failure : std::runtime_error {
  explicit Assertion_failure(const std::string& source)
      : std::runtime_error("Assert_failure in " + source), source(source) {}
  std::string source;
};

// A failure of the file system, carrying the system's message
// ("<name>: <reason>").
struct Sys_error : std::runtime_error {
  explicit Sys_error(const std::string& message) : std::runtime_error(message) {}
};

// Raised with an invalid argument (for instance a bad file extension).
struct Invalid_argument : std::invalid_argument {
  explicit Invalid_argument(const std::string& message) : std::invalid_argument(message) {}
};

// Raised by the queries that look for something that is not there.
struct Not_found : std::runtime_error {
  Not_found() : std::runtime_error("Not_found") {}
};

// The record of the first failed test of a computation.
struct Wrong_test_result {
  std::optional<std::string> niveau_nom;  // absent for a failure about the whole building
  std::string message;                    // the rendered failure text
  std::string critere_text;               // the explanatory text of the criterion
  bool operator==(const Wrong_test_result&) const = default;
};

// A failed test that aborts the checking; carries its record.
struct Error_wrong_test : std::runtime_error {
  explicit Error_wrong_test(Wrong_test_result result)
      : std::runtime_error(result.message), result(std::move(result)) {}
  Wrong_test_result result;
};

// The printed form of an exception, naming it and its text, as the
// "spurious exception" messages show it.
inline std::string exception_printed_form(const std::exception& e) {
  auto quoted = [](const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
      if (c == '"' || c == '\\') out += '\\';
      out += c;
    }
    return out + "\"";
  };
  if (auto* a = dynamic_cast<const Assertion_failure*>(&e)) return "Assert_failure(" + quoted(a->source) + ")";
  if (dynamic_cast<const Invalid_argument*>(&e)) return "Invalid_argument(" + quoted(e.what()) + ")";
  if (dynamic_cast<const Not_found*>(&e)) return "Not_found";
  if (dynamic_cast<const Sys_error*>(&e)) return "Sys_error(" + quoted(e.what()) + ")";
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "Out_of_memory";
  return "Failure(" + quoted(e.what()) + ")";
}
