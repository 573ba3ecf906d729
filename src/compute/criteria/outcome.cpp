#include "criteria/outcome.hpp"

#include <algorithm>
#include <cmath>

#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace Outcome {

std::string status_name(status s) {
  switch (s) {
    case status::passed: return "passed";
    case status::failed: return "failed";
    case status::fatal: return "fatal";
    case status::not_reached: return "not-reached";
  }
  throw Assertion_failure("src/compute/criteria/outcome.cpp");
}

std::string comparison_name(comparison c) {
  switch (c) {
    case comparison::at_most: return "<=";
    case comparison::at_least: return ">=";
    case comparison::equal: return "=";
    case comparison::range: return "range";
  }
  throw Assertion_failure("src/compute/criteria/outcome.cpp");
}

double tolerance_value(tolerance t) {
  switch (t) {
    case tolerance::none: return 0.0;
    case tolerance::fine: return 0.001;
    case tolerance::coarse: return 0.01;
  }
  throw Assertion_failure("src/compute/criteria/outcome.cpp");
}

namespace {

std::optional<double> ratio(double numerator, double denominator) {
  if (denominator == 0.0) {
    if (numerator == 0.0) return 1.0;
    return std::nullopt;
  }
  const double r = numerator / denominator;
  if (!std::isfinite(r)) return std::nullopt;
  return r;
}

}  // namespace

std::optional<double> utilization(const measure& m) {
  switch (m.compare) {
    case comparison::at_most: return ratio(m.value, m.limit);
    case comparison::at_least: return ratio(m.limit, m.value);
    case comparison::equal: {
      const auto gap = ratio(std::fabs(m.value - m.limit), std::fabs(m.limit));
      if (!gap) return std::nullopt;
      return m.value == m.limit ? 1.0 : 1.0 + *gap;
    }
    case comparison::range: {
      const auto low = ratio(m.limit, m.value);
      const auto high = m.upper_limit ? ratio(m.value, *m.upper_limit) : std::nullopt;
      if (!low || !high) return std::nullopt;
      return std::max(*low, *high);
    }
  }
  throw Assertion_failure("src/compute/criteria/outcome.cpp");
}

namespace {

// Paragraphs sit two columns in from the report's margin.
constexpr int paragraph_margin = 76;
// Wide enough that no breakable space breaks.
constexpr int plain_margin = 100000;

std::vector<std::string> render(const criterion_result& r, int margin, Format::Box_kind kind) {
  std::vector<std::string> texts;
  texts.reserve(r.paragraphs.size());
  Format::Printer printer;
  printer.set_margin(margin);
  for (const Tqmv::logger& paragraph : r.paragraphs) {
    printer.open_box(kind, 0);
    paragraph(printer);
    printer.close_box();
    texts.push_back(printer.take_contents());
  }
  return texts;
}

}  // namespace

// The report sets each paragraph in a vertical box, whose breaks are line
// breaks whatever the margin; a wide margin only keeps the paragraph's own
// boxes on one line.
std::vector<std::string> paragraph_texts(const criterion_result& r) {
  return render(r, paragraph_margin, Format::Box_kind::V);
}

std::vector<std::string> paragraph_plain_texts(const criterion_result& r) {
  return render(r, plain_margin, Format::Box_kind::V);
}

std::string code(const criterion_result& r) { return Tqmv::critere_nom(r.critere); }

std::string famille(const criterion_result& r) { return Tqmv::critere_classification(r.critere); }

// Titles and references are the catalogue's own, the same for every
// description: set once, not again for each criterion of each result.
std::string title(const criterion_result& r) {
  static const Tqmv::critere_table<std::string> titles =
      Tqmv::make_critere_table([](Tqmv::critere c) { return Tqmv::titre_text(Tqmv::critere_title(c)); });
  return Tqmv::get(titles, r.critere);
}

std::string reference(const criterion_result& r) {
  static const Tqmv::critere_table<std::string> references = Tqmv::make_critere_table(Tqmv::critere_reference);
  return Tqmv::get(references, r.critere);
}

const criterion_result& result_of(const outcome& o, Tqmv::critere c) {
  const auto index = static_cast<std::size_t>(Tqmv::critere_index(c));
  if (index >= o.criteres.size()) throw Assertion_failure("src/compute/criteria/outcome.cpp");
  return o.criteres[index];
}

int passed_count(const outcome& o) {
  return static_cast<int>(std::count_if(o.criteres.begin(), o.criteres.end(),
                                        [](const criterion_result& r) { return r.state == status::passed; }));
}

}  // namespace Outcome
