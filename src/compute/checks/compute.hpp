#pragma once
// The validity check shared by the file flow and the serving flow: runs the
// four families of criteria over a computed building, in order.
#include "model/compute_data_types.hpp"

namespace Compute {

// True when the building passes every criterion. The results (checked
// criteria, report paragraphs, the failure of the first failed test) are left
// in the checking state for the report writer.
bool batiment_validity_check(const Compute_data_types::batiment& b);

}  // namespace Compute
