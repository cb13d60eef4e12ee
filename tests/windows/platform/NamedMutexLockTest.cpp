#include <gtest/gtest.h>

#include "platform/SingleInstance.h"

namespace qv {
namespace {

// A second claim while the first is held finds another copy running; once
// the first is released the next claim holds it again.
TEST(NamedMutexLock, OneHolderAtATime) {
  InstanceClaim first = claimSingleInstance();
  ASSERT_NE(first.lock, nullptr) << first.problem;
  const InstanceClaim second = claimSingleInstance();
  EXPECT_EQ(second.lock, nullptr);
  EXPECT_TRUE(second.anotherRuns);
  EXPECT_FALSE(second.broughtToFront);  // no main window in this process
  first.lock.reset();
  const InstanceClaim third = claimSingleInstance();
  EXPECT_NE(third.lock, nullptr);
  EXPECT_FALSE(third.anotherRuns);
}

}  // namespace
}  // namespace qv
