#pragma once
// The check session of the test being run: a checking fixture opens one and
// the helpers that read what a check recorded find it here.
#include <stdexcept>
#include <string>
#include <utility>

#include "criteria/check.hpp"

namespace Checking_session {

inline Check::session*& current() {
  static Check::session* open = nullptr;
  return open;
}

// The session of the checking open in this test.
inline Check::session& session() {
  if (current() == nullptr) throw std::logic_error("no checking is open");
  return *current();
}

// A fresh session, open for the lifetime of the fixture.
class scope {
 public:
  explicit scope(Check::run_context context) : session_(std::move(context)) { current() = &session_; }
  ~scope() { current() = nullptr; }
  scope(const scope&) = delete;
  scope& operator=(const scope&) = delete;
  Check::session& get() { return session_; }

 private:
  Check::session session_;
};

}  // namespace Checking_session
