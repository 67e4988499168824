#pragma once
// The main window with a job base folder, the source lists and the preparation service,
// and a job that answers for the project.

#include <filesystem>
#include <string>

#include "korvane/core/components/frames.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {

struct PrepareFixture : SourcesFixture, PrepareJob {
  PrepareFixture() {
    std::filesystem::create_directories(dir.Path() / "job");
    preparation.Connect(actions);
    auto& frames = form;
    frames.Get<ToolPathFrame>(names::kFrameCopylib).SetText(dir / "tools/Copylib/marker");
    frames.Get<ToolPathFrame>(names::kFrameArdent).SetText("/tools/Ardent");
    frames.Get<ToolPathFrame>(names::kFrameDalmer).SetText("/tools/Dalmer");
    frames.Get<ToolPathFrame>(names::kFrameLinker).SetVisible(false);
    frames.Get<Page>(names::kPageWordScan).SetVisible(false);
    frames.Get<GroupBox>(names::kGroupMapType).SetVisible(false);
    auto& out = frames.Get<ComboBox>(names::kComboOutputInterface).Combo();
    out.AddWithKey("XML", "XML");
    out.SetItemIndex(0);
  }

  // PrepareJob
  std::string WritableBase() override { return dir / "job"; }
  std::string OutputDir() const override { return dir / "job"; }
  void ApplyNames() override {
    if (system.empty() || (system[0] >= '0' && system[0] <= '9')) {
      status.ShowErrorAndAbort("System name name missing or incorrect");
    }
  }
  std::string ProductName() const override { return "PROD"; }
  std::string SystemName() const override { return system; }
  int LangIndex() const override { return 0; }
  bool MultiEntity() const override { return multi; }
  RunControl Flags() const override { return flags; }
  void SetCounts(int files, int /*modules*/) override { sourceFiles = files; }
  void SetSourceLines(long long lines) override { sourceLines = lines; }

  // A source in the collection (and its label unless told otherwise), listed checked.
  void AddSource(const std::string& name, const std::string& text, bool label = true,
                 bool checked = true, const std::string& type = "File") {
    dir.Write("job/SourceCollection/" + name, text);
    if (label) dir.Write("job/LabelCollection/" + name, "LABEL-" + name + "\r\n");
    sources().Add({name + "=/orig/" + name, checked, true});
    marks().SetValue(name + ".WrpT", type);
  }

  std::string system = "SYS";
  bool multi = false;
  RunControl flags;
  int sourceFiles = -1;
  long long sourceLines = -1;
  Preparation preparation{context, *this, lists};
};

}  // namespace korvane::testing
