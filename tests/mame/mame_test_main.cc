// The tests on the real MAME skip, visibly, on a machine without it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/mame/real_mame.h"

int main(int argc, char** argv) {
  if (!std::filesystem::exists(listgen::test_support::RealMame())) {
    std::printf("SKIP: %s is not installed; the tests on the real MAME did not run.\n",
                listgen::test_support::RealMame().c_str());
    return 77;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
