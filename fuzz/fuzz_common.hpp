#pragma once
// Shared by the fuzzing harnesses: the run configuration between inputs, the
// scratch report file, and the line between the failures the engine is meant
// to raise on bad input and the ones that reveal a fault.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

namespace Fuzz_common {

// Puts the run configuration back to its start-up state and names the report after the scratch file: nothing outside /tmp is
// ever probed or written, whatever the description says.
void reset_run_configuration();

// "/tmp/quavor-fuzz-<pid>.qvb" and the matching ".qvr".
const std::string& scratch_source_file_name();
const std::string& scratch_target_file_name();

// Called with an exception that escaped the engine. The failures a bad input
// must produce (syntax error, premature end, failed test) and the end of a
// serving session are accepted; an
// internal error (Fatal_error, Assertion_failure, Not_found, Invalid_argument)
// is accepted unless QUAVOR_FUZZ_STRICT is set in the environment; anything
// else is a fault: it is printed and the process aborts so the fuzzer keeps
// the input.
void classify_exception(std::exception_ptr e, const char* harness);

// Aborts with a message (a fault found by the harness itself).
[[noreturn]] void fault(const char* harness, const std::string& message);

}  // namespace Fuzz_common

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
