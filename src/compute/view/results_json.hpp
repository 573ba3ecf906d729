#pragma once
// The results of a checked description as JSON ("schema": "quavor-results/1",
// described by docs/quavor-results.schema.json): versions, the building, the
// verdict, the failure, the 51 criteria with their paragraphs and measures,
// and the geometry of every level for drawing. Numbers are the model's
// doubles, written so that they read back exactly.
#include <string>

#include <nlohmann/json.hpp>

#include "view/checked_file.hpp"

namespace Results_json {

inline constexpr const char* schema_name = "quavor-results/1";
inline constexpr const char* summary_schema_name = "quavor-summary/1";

// The whole results of one description.
nlohmann::ordered_json to_json(const Checked_file::result& r);

// The building's facts: type, dimensions, zone, material, slope, storeys.
nlohmann::ordered_json building_json(const Compute_data_types::batiment& b);
// One entry per level, floors in input order then the roof.
nlohmann::ordered_json levels_json(const Compute_data_types::batiment& b);
nlohmann::ordered_json failure_json(const Outcome::outcome& o);
nlohmann::ordered_json criterion_json(const Outcome::criterion_result& c);
nlohmann::ordered_json measure_json(const Outcome::measure& m);

// A failure's message on one line: every run of blanks and line breaks of
// its layout becomes one space.
std::string plain_text(const std::string& laid_out);

// One row of the summary: the description, its verdict, its failing
// criterion, the number of criteria passed, the message when it could not be
// checked, and the links (relative to the summary) to its page and results.
nlohmann::ordered_json summary_row(const Checked_file::result& r, const std::string& page_link, const std::string& json_link);

}  // namespace Results_json
