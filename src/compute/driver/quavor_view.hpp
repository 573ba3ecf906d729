#pragma once
// The quavor-view program: checks descriptions as `quavor -r` does and
// writes their results as pages (X.html) and JSON (X.json), and for a batch
// an index page and a summary. quavor's own command line and outputs are
// untouched.

namespace Quavor_view {

// Exit statuses, as linters use them.
inline constexpr int status_compliant = 0;      // every description is compliant
inline constexpr int status_not_compliant = 1;  // some description failed a criterion or stopped fatally
inline constexpr int status_unchecked = 2;      // some description could not be checked, or an output not written
inline constexpr int status_usage = 64;         // a bad command line

// The whole program; returns the process status.
int main(int argc, char** argv);

}  // namespace Quavor_view
