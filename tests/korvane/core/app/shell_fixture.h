#pragma once
// A shell started on a tool root in a temporary folder with the COBOL and PL/I tool
// folders, a scripted person and in-memory settings: the whole core, real files.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

inline constexpr const char* kShellIni =
    "[Korvane]\r\n"
    "ActiveRadioButton=RadioButtonCobol\r\n"
    "RadioButtonCobol=Cobol,COB,x,2,XML,WSDL\r\n"
    "RadioButtonPLI=PL/I,PLI,x,1,XML\r\n"
    "COB.Extras=(DirDepth=3)\r\n"
    "PLI.Extras=(DirDepth=2)\r\n";

// The text with every from replaced by to, pair by pair.
inline std::string Replaced(std::string text,
                            std::initializer_list<std::pair<std::string, std::string>> changes) {
  for (const auto& [from, to] : changes) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
      text.replace(at, from.size(), to);
    }
  }
  return text;
}

// A shell started on a tool root with the COBOL and PL/I tool folders.
class ShellJobFixture : public ::testing::Test {
 protected:
  ShellJobFixture() {
    dir.Write("bin/korvane.INI", kShellIni);
    dir.Write("bin/COBWrap/Copylib/marker", "");  // the copy library frame's file
    std::filesystem::create_directories(dir.Path() / "bin/PLIWrap");
    std::filesystem::create_directories(dir.Path() / "jobs");
  }

  // COBOL sources with the transaction, file and procedure wrappers installed, so that
  // the wrapping-type combo offers their types.
  void InstallWrappers() {
    dir.Write("bin/korvane.INI",
              "[Korvane]\r\n"
              "ActiveRadioButton=RadioButtonCobol\r\n"
              "RadioButtonCobol=Cobol,COB,x,2,XML,WSDL\r\n"
              "COB.Extras=(DirDepth=3,OnlineWrap=Y,BatchWrap=Y,ProcedureWrap=Y)\r\n"
              "COB.Filters=COBOL|*.cbl\r\n");
    for (const char* tool : {"Dalmer", "Ardent", "Corvid"}) {
      dir.Write(std::string("bin/COBWrap/") + tool, "");
    }
  }

  std::unique_ptr<Shell> Start(std::vector<std::string> args = {}) {
    auto shell = std::make_unique<Shell>(
        person, settings,
        ShellEnvironment{dir / "bin/korvane", args, {}, dir / "data", dosBoxLocations});
    EXPECT_TRUE(shell->Create()) << shell->Status().MessageList();
    EXPECT_TRUE(shell->Show()) << shell->Status().MessageList();
    return shell;
  }

  // Names and output directory typed as a person would.
  void FillIn(Shell& shell, const std::string& product, const std::string& system) {
    auto& form = shell.Form();
    form.Get<EditBox>(names::kEditProductName).UserEdit(product);
    form.Get<EditBox>(names::kEditProductName).exited.Emit();
    form.Get<EditBox>(names::kEditSystemName).UserEdit(system);
    form.Get<EditBox>(names::kEditSystemName).exited.Emit();
    std::filesystem::create_directories(dir.Path() / "out");
    shell.CurrentProject().SetOutputDir(dir / "out");
  }

  TempDir dir;
  std::vector<std::string> dosBoxLocations;  // empty: where DOSBox usually is
  ScriptedPerson person;
  platform::MemorySettings settings;
};

}  // namespace korvane::testing
