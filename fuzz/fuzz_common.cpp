#include "fuzz_common.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <typeinfo>

#include "config/quavor_configuration.hpp"
#include "link/compute_server.hpp"
#include "text/exceptions.hpp"
#include "text/scanning.hpp"

namespace Fuzz_common {

const std::string& scratch_source_file_name() {
  static const std::string name = "/tmp/quavor-fuzz-" + std::to_string(::getpid()) + ".qvb";
  return name;
}

const std::string& scratch_target_file_name() {
  static const std::string name = "/tmp/quavor-fuzz-" + std::to_string(::getpid()) + ".qvr";
  return name;
}

void reset_run_configuration() {
  Quavor_configuration::reset_for_tests();
  Quavor_configuration::set_report_source_file_name(scratch_source_file_name());
  Quavor_configuration::set_report_target_file_name(scratch_target_file_name());
}

void fault(const char* harness, const std::string& message) {
  // Written whole: a reply may hold NUL bytes from the input it quotes.
  std::fprintf(stderr, "%s: fault: ", harness);
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  std::abort();
}

namespace {

bool strict() {
  static const bool on = std::getenv("QUAVOR_FUZZ_STRICT") != nullptr;
  return on;
}

void internal_error(const char* harness, const char* kind, const std::exception& e) {
  if (strict()) fault(harness, std::string(kind) + ": " + e.what());
}

}  // namespace

void classify_exception(std::exception_ptr ep, const char* harness) {
  try {
    std::rethrow_exception(ep);
  } catch (const Scan_failure&) {
  } catch (const End_of_file&) {
  } catch (const Error_wrong_test&) {
  } catch (const Scanning::Open_failure&) {
  } catch (const Quavor_configuration::Process_end&) {
  } catch (const Compute_server::End_of_session&) {
  } catch (const Fatal_error& e) {
    internal_error(harness, "Fatal_error", e);
  } catch (const Assertion_failure& e) {
    internal_error(harness, "Assertion_failure", e);
  } catch (const Not_found& e) {
    internal_error(harness, "Not_found", e);
  } catch (const Invalid_argument& e) {
    internal_error(harness, "Invalid_argument", e);
  } catch (const std::bad_alloc&) {
    // The sanitizer's allocator limit is the judge of memory use.
  } catch (const std::exception& e) {
    fault(harness, std::string("spurious exception ") + typeid(e).name() + ": " + e.what());
  } catch (...) {
    fault(harness, "unknown exception");
  }
}

}  // namespace Fuzz_common
