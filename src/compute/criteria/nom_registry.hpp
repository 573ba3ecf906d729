#pragma once
// The names met while checking the consistency of a building: one table per
// entity kind, each mapping a name to where it was first seen (the level
// table maps a level name to its storey number). A check session owns one.
#include <array>
#include <optional>
#include <string>
#include <unordered_map>

namespace Nom_registry {

// The entity kinds, with the names used in messages.
enum class entity_kind { Niveau, Plan, Mur, Poteau, Poutre, Tremie, Balcon, Retrait, Etage };

class registry {
 public:
  // Empties every table.
  void clear();
  // Whether the name is in any table.
  bool mem(const std::string& nom) const { return find_in_tables(nom).has_value(); }
  // The first table (in kind order) holding the name, if any.
  std::optional<entity_kind> find_in_tables(const std::string& nom) const;
  // Where the name of that kind was first seen, if it was.
  std::optional<std::string> find(entity_kind k, const std::string& nom) const;
  // Records the name; a name already there keeps its first place.
  void add(entity_kind k, const std::string& nom, const std::string& where);

 private:
  // Every kind but the storey has a table.
  static constexpr std::size_t table_count = 8;
  static std::size_t table_index(entity_kind k);
  std::array<std::unordered_map<std::string, std::string>, table_count> tables_;
};

}  // namespace Nom_registry
