#include "base/UniqueHandle.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {
std::vector<int> released;
void Release(int handle) {
  released.push_back(handle);
}
using THandle = TUniqueHandle<int, Release, -1>;
} // namespace

// Each handle is released exactly once, whichever way its owner goes; the invalid value never.
TEST(UniqueHandleTest, ReleasesEachHandleOnceAndNeverTheInvalidOne) {
  released.clear();
  try {
    THandle first(3), none(-1);
    THandle moved(std::move(first));
    THandle taken;
    taken = std::move(moved);
    taken.Reset(4);
    THandle kept(5);
    EXPECT_EQ(kept.Detach(), 5);
    EXPECT_FALSE(kept || first || none);
    throw std::runtime_error("way out");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(released, (std::vector<int>{3, 4}));
}
