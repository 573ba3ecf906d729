#include "link/message_types.hpp"

namespace Message_types {

error_wrong_test_result error_wrong_test_result_of(const Wrong_test_result& r) {
  return {r.niveau_nom, r.message, r.critere_text};
}

}  // namespace Message_types
