#pragma once
// Expected bytes kept as files under tests/data. ExpectGolden compares a test's
// bytes with one; run the tests with KORVANE_UPDATE_GOLDEN=1 to rewrite the
// files from what the code now produces (and review the difference). Paths that
// differ from run to run (a temporary folder) are given as placeholders: each
// occurrence in the bytes is replaced by its mark, "{dir}" say, before comparing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace korvane::testing {

// Mark and the text it stands for, replaced in this order.
using Placeholders = std::vector<std::pair<std::string, std::string>>;

inline std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(KORVANE_TEST_DATA) / name;
}

inline std::string ReadGolden(const std::string& name) {
  std::ifstream in(GoldenPath(name), std::ios::binary);
  if (!in) ADD_FAILURE() << "no golden file " << GoldenPath(name);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string WithPlaceholders(std::string text, const Placeholders& marks) {
  for (const auto& [mark, value] : marks) {
    if (value.empty()) continue;
    for (size_t at = 0; (at = text.find(value, at)) != std::string::npos; at += mark.size())
      text.replace(at, value.size(), mark);
  }
  return text;
}

inline void ExpectGolden(const std::string& name, const std::string& bytes,
                         const Placeholders& marks = {}) {
  const std::string actual = WithPlaceholders(bytes, marks);
  const char* update = std::getenv("KORVANE_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::filesystem::create_directories(GoldenPath(name).parent_path());
    std::ofstream(GoldenPath(name), std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, ReadGolden(name)) << "golden file " << GoldenPath(name);
}

}  // namespace korvane::testing
