#pragma once
// One description file checked as `quavor -r X.qvb` checks it (the same
// pipeline, the same run context, CR-0-11 included), without writing the
// report: the verdict, the model and outcome when the check ran, and the text
// quavor prints on the error stream for it.
#include <optional>
#include <string>

#include "checks/compute.hpp"
#include "criteria/check.hpp"

namespace Checked_file {

// compliant: every criterion passed; not_compliant: a test failed;
// fatal: a test or the engine stopped the checking outright;
// unreadable: the description could not be read (missing, syntax error).
enum class verdict { compliant, not_compliant, fatal, unreadable };

// "compliant", "not-compliant", "fatal", "unreadable".
std::string verdict_name(verdict v);

struct result {
  std::string path;  // the description, as named
  verdict state = verdict::unreadable;
  // The model and outcome, when the description was read and derived.
  std::optional<Compute::checked_batiment> checked;
  // What `quavor -r` prints on the error stream for this description, without
  // the final newline: the success text, "Erroneous qvb file: " and the
  // failure, the fatal text, or the syntax error with its position.
  std::string message;
};

// The run context of `quavor -r <path>`: the report beside the description
// with the report extension, the run mode of -r, no debugging.
Check::run_context file_run_context(const std::string& path);

// Reads and checks the description. Never raises: every failure becomes a
// verdict and its message.
result check_file(const std::string& path);

}  // namespace Checked_file
