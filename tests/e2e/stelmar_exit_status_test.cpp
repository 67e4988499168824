// stelmar's exit statuses through the real program; the rows are in
// tests/data/e2e/stelmar_exit_status.txt.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/golden.h"
#include "support/run_program.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::ExpectGolden;
using korvane::testing::RunProgram;
using korvane::testing::TempDir;

// A window that wrongly started would wait for a person; the limit ends it.
constexpr std::chrono::seconds kLimit{60};

// The environment every run starts from: a fixed config folder, and no display
// unless a case names one.
std::map<std::string, std::string> Environment(const TempDir& home,
                                               std::map<std::string, std::string> extra) {
  std::map<std::string, std::string> env{{"HOME", home.Path().string()},
                                         {"XDG_CONFIG_HOME", "/xdg-config"},
                                         {"DISPLAY", ""},
                                         {"WAYLAND_DISPLAY", ""},
                                         {"QT_QPA_PLATFORM", ""}};
  for (auto& [name, value] : extra) env[name] = value;
  return env;
}

TEST(StelmarExitStatus, EveryRowOfTheTable) {
  TempDir home;
  home.Write("prog.pli", "MAIN: PROC OPTIONS(MAIN);\n DCL F FILE;\n");
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "P" + std::to_string(i) + ": PROC;\n";
  home.Write("big.pli", big);
  const auto rows = korvane::testing::ReadRows("e2e/stelmar_exit_status.txt");
  ASSERT_GE(rows.size(), 12u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::optional<std::string> err;
    std::optional<std::string> golden;
    std::string outFile;
    int status = -2;
    for (auto [key, text] : row.lines) {
      korvane::testing::ReplaceAll(text, "{home}", home.Path().string());
      std::istringstream words(text);
      for (std::string word; key == "args" && words >> word;) args.push_back(word);
      if (key == "env") env.insert(korvane::testing::Split(text, "="));
      if (key == "status") status = std::stoi(text);
      if (key == "err") err = text;
      if (key == "golden") golden = text;
      if (key == "stdout") outFile = text;
    }
    const auto result =
        RunProgram(STELMAR_BINARY, args, Environment(home, env), {}, kLimit, {}, outFile);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, status) << result.err;
    if (err) {
      EXPECT_EQ(result.err, *err);
    }
    if (golden) ExpectGolden(*golden, result.out);
    if (status != 0) {
      EXPECT_EQ(result.out, "");
    }
  }
  // The window really started: its start writes the settings it was given.
  EXPECT_TRUE(std::filesystem::exists(home.Path() / "s.ini"));
}

}  // namespace
}  // namespace stelmar
