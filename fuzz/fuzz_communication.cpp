// The bytes as what the input program writes to the engine: communications
// read one after the other and answered by the serving loop, the replies laid
// out into a string. The loop ends the session at the end of the input with
// Compute_server::End_of_session, which the harness catches.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "config/quavor_configuration.hpp"
#include "fuzz_common.hpp"
#include "link/compute_main.hpp"
#include "link/compute_server.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

namespace {

// Every Compute_data request writes a report named after the description's
// own file name. The harness works in a scratch directory and drops inputs
// that could name a file outside it: a slash, a home-relative name or a
// numeric escape in a string (which could spell a slash).
void enter_scratch_directory() {
  static const bool entered = [] {
    const std::string dir = "/tmp/quavor-fuzz-communication-" + std::to_string(::getpid());
    ::mkdir(dir.c_str(), 0700);
    if (::chdir(dir.c_str()) != 0) Fuzz_common::fault("fuzz_communication", "cannot enter " + dir);
    ::setenv("HOME", dir.c_str(), 1);
    return true;
  }();
  static_cast<void>(entered);
}

bool may_name_outside_files(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '/' || c == '~') return true;
    if (c == '\\' && i + 1 < text.size()) {
      const char n = text[i + 1];
      if ((n >= '0' && n <= '9') || n == 'x' || n == 'o' || n == 'u') return true;
    }
  }
  return false;
}

// The server answers every exception; the ones that reveal a fault show in
// its replies (unless the input itself holds the words: a reply may quote it).
void check_replies(const std::string& input, const std::string& replies) {
  const auto shows = [&](const char* words) {
    return replies.find(words) != std::string::npos && input.find(words) == std::string::npos;
  };
  // The internal errors are answered as well: an internal assertion comes
  // out as a spurious exception naming it.
  const bool strict = std::getenv("QUAVOR_FUZZ_STRICT") != nullptr;
  const bool internal = shows("spurious exception \\\"Assert_failure");
  if (shows("spurious exception") && (strict || !internal))
    Fuzz_common::fault("fuzz_communication", "reply with a spurious exception:\n" + replies);
  if (strict && shows("Fatal error in"))
    Fuzz_common::fault("fuzz_communication", "reply with a fatal error:\n" + replies);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  if (may_name_outside_files(text)) return -1;  // not added to the corpus
  enter_scratch_directory();
  Fuzz_common::reset_run_configuration();
  Compute_main::reset_server_state();
  // The serving flow names the report files after each description.
  Quavor_configuration::configuration().report_source_file_name.reset();
  Quavor_configuration::configuration().report_target_file_name.reset();
  auto replies = std::make_shared<Format::Printer>();
  Quavor_configuration::set_input_process_formatter(replies);
  Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(text);
  try {
    Compute_server::compute_server_loop(ib);
  } catch (...) {
    Fuzz_common::classify_exception(std::current_exception(), "fuzz_communication");
  }
  check_replies(text, replies->contents());
  return 0;
}
