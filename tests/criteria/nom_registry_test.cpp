#include "criteria/nom_registry.hpp"

#include <gtest/gtest.h>

#include "text/exceptions.hpp"

namespace {

using Nom_registry::entity_kind;

TEST(NomRegistry, RemembersTheFirstSightingAndIsEmptiedByClear) {
  Nom_registry::registry noms;
  noms.add(entity_kind::Mur, "M1n0", "Nv0");
  noms.add(entity_kind::Mur, "M1n0", "Nv1");
  noms.add(entity_kind::Poteau, "C1n1", "Nv1");
  EXPECT_EQ(noms.find(entity_kind::Mur, "M1n0"), std::optional<std::string>("Nv0"));
  EXPECT_EQ(noms.find_in_tables("C1n1"), std::optional<entity_kind>(entity_kind::Poteau));
  EXPECT_TRUE(noms.mem("M1n0"));
  EXPECT_FALSE(noms.mem("M2n0"));
  noms.clear();
  EXPECT_FALSE(noms.mem("M1n0"));
  EXPECT_FALSE(noms.find(entity_kind::Poteau, "C1n1").has_value());
}

TEST(NomRegistry, TwoRegistriesShareNothing) {
  Nom_registry::registry first;
  Nom_registry::registry second;
  first.add(entity_kind::Mur, "M1n0", "Nv0");
  EXPECT_FALSE(second.mem("M1n0"));
}

TEST(NomRegistry, TheStoreyHasNoTable) {
  Nom_registry::registry noms;
  EXPECT_THROW(noms.add(entity_kind::Etage, "1", "Nv1"), Fatal_error);
}

}  // namespace
