#pragma once

#include <functional>
#include <memory>
#include <string>

namespace qv {

// Held for as long as it lives: while one copy of the program holds it, a
// second copy of the same user finds it taken. Two copies would both read
// the panel and type every switch change twice.
class InstanceLock {
 public:
  // `release` gives the lock back to the system.
  explicit InstanceLock(std::function<void()> release) : release_(std::move(release)) {}
  ~InstanceLock() { release_(); }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

 private:
  std::function<void()> release_;
};

struct InstanceClaim {
  // Held for the whole run; empty when another copy holds it or none could
  // be made.
  std::unique_ptr<InstanceLock> lock;
  // Another copy of this user runs.
  bool anotherRuns = false;
  // That copy's window was brought to the front, where the platform allows it.
  bool broughtToFront = false;
  // Why no lock could be made at all; the program then runs unguarded.
  std::string problem;
};

// Claims the one running copy for this user.
InstanceClaim claimSingleInstance();

}  // namespace qv
