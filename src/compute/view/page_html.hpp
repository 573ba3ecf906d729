#pragma once
// The page of a checked description: one self-contained HTML file (inline
// CSS, inline SVG, a few lines of inline script, nothing fetched) with the
// verdict, one plan per level, the 51 criteria with the utilization of their
// measures, the walls of every level, and the French report as quavor writes
// it. Readable on a phone; printed, each plan takes a page. Also the index
// page of a batch.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "view/checked_file.hpp"

namespace Page_html {

// The text of the report `quavor -r` writes for this outcome, byte for byte.
std::string report_text(const Outcome::outcome& o);

// The whole page of one description.
std::string page(const Checked_file::result& r);

// The index of a batch, rendered from its summary (Results_json::summary_row
// rows, links relative to the index page): one row per description, in
// input order.
std::string index_page(const nlohmann::ordered_json& rows);

}  // namespace Page_html
