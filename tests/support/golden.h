#pragma once
// Expected bytes kept as files under tests/data. ExpectGolden compares a test's
// bytes with one; run the tests with KORVANE_UPDATE_GOLDEN=1 to rewrite the
// files from what the code now produces (and review the difference).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvane::testing {

inline std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(KORVANE_TEST_DATA) / name;
}

inline std::string ReadGolden(const std::string& name) {
  std::ifstream in(GoldenPath(name), std::ios::binary);
  if (!in) ADD_FAILURE() << "no golden file " << GoldenPath(name);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const char* update = std::getenv("KORVANE_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::filesystem::create_directories(GoldenPath(name).parent_path());
    std::ofstream(GoldenPath(name), std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadGolden(name)) << "golden file " << GoldenPath(name);
}

}  // namespace korvane::testing
