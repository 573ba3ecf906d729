#pragma once
// The results of a checked description as JSON ("schema": "quavor-results/1",
// described by docs/quavor-results.schema.json): versions, the building, the
// verdict, the failure, the 51 criteria with their paragraphs and measures,
// and the geometry of every level for drawing. Numbers are the model's
// doubles, written so that they read back exactly.
#include <string>

#include <nlohmann/json.hpp>

#include "view/checked_file.hpp"
#include "view/json_writer.hpp"

namespace Results_json {

inline constexpr const char* schema_name = "quavor-results/1";
inline constexpr const char* summary_schema_name = "quavor-summary/1";

// The whole results of one description, as compact JSON text.
std::string results_text(const Checked_file::result& r);

// Each part of the results, written in place.
// The building's facts: type, dimensions, zone, material, slope, storeys.
void building_json(Json_writer::writer& w, const Compute_data_types::batiment& b);
// One entry per level, floors in input order then the roof.
void levels_json(Json_writer::writer& w, const Compute_data_types::batiment& b);
void failure_json(Json_writer::writer& w, const Outcome::outcome& o);
void criterion_json(Json_writer::writer& w, const Outcome::criterion_result& c);
void measure_json(Json_writer::writer& w, const Outcome::measure& m);

// A failure's message on one line: every run of blanks and line breaks of
// its layout becomes one space.
std::string plain_text(const std::string& laid_out);

// One row of the summary: the description, its verdict, its failing
// criterion, the number of criteria passed, the message when it could not be
// checked, and the links (relative to the summary) to its page and results.
nlohmann::ordered_json summary_row(const Checked_file::result& r, const std::string& page_link, const std::string& json_link);

}  // namespace Results_json
