#include "text/format.hpp"

namespace Format {

Printer::Printer() : engine_(std::make_unique<Layout_engine::Engine>(nullptr)) {}
Printer::Printer(std::FILE* file) : engine_(std::make_unique<Layout_engine::Engine>(file)) {}
Printer::~Printer() = default;
Printer::Printer(Printer&&) noexcept = default;
Printer& Printer::operator=(Printer&&) noexcept = default;

namespace {
// The standard printers print what is still pending when the program ends.
struct Flushed_at_exit {
  Printer printer;
  explicit Flushed_at_exit(std::FILE* file) : printer(file) {}
  ~Flushed_at_exit() { printer.print_flush(); }
};
}  // namespace

Printer& err_formatter() {
  static Flushed_at_exit err(stderr);
  return err.printer;
}

Printer& std_formatter() {
  static Flushed_at_exit out(stdout);
  return out.printer;
}

}  // namespace Format
