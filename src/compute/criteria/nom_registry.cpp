#include "criteria/nom_registry.hpp"

#include "config/quavor_configuration.hpp"

namespace Nom_registry {

std::size_t registry::table_index(entity_kind k) {
  const auto i = static_cast<std::size_t>(k);
  if (i >= table_count)
    Quavor_configuration::fatal_error("batiment_entity_suffix_format: unexpected batiment entity étage");
  return i;
}

void registry::clear() {
  for (auto& table : tables_) table.clear();
}

std::optional<entity_kind> registry::find_in_tables(const std::string& nom) const {
  for (std::size_t i = 0; i < table_count; ++i)
    if (tables_[i].count(nom) != 0) return static_cast<entity_kind>(i);
  return std::nullopt;
}

std::optional<std::string> registry::find(entity_kind k, const std::string& nom) const {
  const auto& table = tables_[table_index(k)];
  const auto it = table.find(nom);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

void registry::add(entity_kind k, const std::string& nom, const std::string& where) {
  tables_[table_index(k)].emplace(nom, where);
}

}  // namespace Nom_registry
