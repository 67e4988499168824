#pragma once
// A job of many sources ready for preparation, and the preparation service on the real
// window model with a person who says yes, for the preparation benchmarks.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/sources/source_lists.h"
#include "platform/memory_settings.h"

namespace prepare_bench {

namespace fs = std::filesystem;

class YesPerson : public korvane::PersonPort {
 public:
  korvane::Button Ask(korvane::MessageKind, const std::string&, const korvane::Buttons&) override {
    return korvane::Button::Yes;
  }
  std::vector<std::string> OpenFiles(const korvane::FileDialogRequest&) override { return {}; }
  std::optional<std::string> SaveFile(const korvane::FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseFolder(const korvane::FolderDialogRequest&) override {
    return {};
  }
  std::optional<korvane::FontChoice> ChooseFont(const korvane::FontChoice&) override { return {}; }
  void Beep() override {}
  void ProcessPendingEvents() override {}
  void RunOnInterfaceThread(const std::function<void()>& work) override { work(); }
  void ShowFailure(const std::string&) override {}
};

class BenchJob : public korvane::SourcesJob, public korvane::PrepareJob {
 public:
  explicit BenchJob(std::string base) : base_(std::move(base)) {}
  std::string WritableBase() override { return base_; }
  korvane::Outcome Writable() const override { return {}; }
  std::string BaseDirectory() const override { return base_; }
  std::string LangCode() const override { return "COB"; }
  std::string SubVersion() const override { return {}; }
  std::string FilterFor(const std::string&, const std::string&) override { return "*.cbl"; }
  long long BigDirectoryLimit() const override { return 50; }
  void SetModified() override {}
  std::string OutputDir() const override { return base_; }
  void ApplyNames() override {}
  std::string ProductName() const override { return "PROD"; }
  std::string SystemName() const override { return "SYS"; }
  int LangIndex() const override { return 0; }
  bool MultiEntity() const override { return true; }
  korvane::RunControl Flags() const override { return {}; }
  void SetCounts(int, int) override {}
  void SetSourceLines(long long) override {}

 private:
  std::string base_;
};

inline korvane::FormModel& Built(korvane::FormModel& form, korvane::ActionList& actions) {
  korvane::BuildMainForm(form, actions);
  return form;
}

// The window model with the sources of a job listed, checked, file wrapping each.
struct Harness {
  explicit Harness(const fs::path& base, int sources) : job(base.string()) {
    namespace n = korvane::names;
    std::vector<korvane::CheckListItem> items;
    items.reserve(static_cast<size_t>(sources));
    for (int i = 0; i < sources; ++i) {
      const std::string name = "PROG" + std::to_string(i) + ".cbl";
      items.push_back({name + "=/orig/" + name, true, true});
    }
    form.Get<korvane::CheckList>(n::kListSources).SetItems(std::move(items));
    form.Get<korvane::ToolPathFrame>(n::kFrameCopylib).SetVisible(false);
    form.Get<korvane::Page>(n::kPageWordScan).SetVisible(false);
    preparation.SetWrapRequested(true);
  }

  korvane::FormModel form;
  korvane::ActionList actions;
  YesPerson person;
  platform::MemorySettings backend;
  korvane::SettingsStore settings{backend};
  korvane::StatusBar status{person};
  korvane::WindowState window;
  korvane::BoundJob parts{Built(form, actions)};
  korvane::WindowContext context{parts.model, parts.window, actions, status,
                                 person,      settings,     window};
  BenchJob job;
  korvane::SourceLists lists{context, job};
  korvane::Preparation preparation{context, job, lists};
};

// A job base of sources of about 10 KB, each with two copy statements, a label each, and
// a copy library of `members` members of 20 lines.
inline void GenerateJob(const fs::path& base, int sources, int members) {
  fs::create_directories(base / "SourceCollection");
  fs::create_directories(base / "LabelCollection");
  fs::create_directories(base / "CopyCollection");
  std::string member;
  for (int l = 0; l < 20; ++l) member += "       05 FIELD-" + std::to_string(l) + " PIC X(10).\r\n";
  for (int m = 0; m < members; ++m) {
    std::ofstream(base / "CopyCollection" / ("MEM" + std::to_string(m) + ".cpy"), std::ios::binary)
        << member;
  }
  const std::string filler =
      "       MOVE SPACES TO WS-FIELD-A WS-FIELD-B WS-FIELD-C WS-FIELD-D.\r\n";
  for (int i = 0; i < sources; ++i) {
    std::string text = "       IDENTIFICATION DIVISION.\r\n";
    text += "       COPY MEM" + std::to_string(i % members) + ".\r\n";
    while (text.size() < 5 * 1024) text += filler;
    text += "       COPY MEM" + std::to_string((i * 7 + 3) % members) + ".\r\n";
    while (text.size() < 10 * 1024) text += filler;
    const std::string name = "PROG" + std::to_string(i) + ".cbl";
    std::ofstream(base / "SourceCollection" / name, std::ios::binary) << text;
    std::ofstream(base / "LabelCollection" / name, std::ios::binary) << "LABEL " << name << "\r\n";
  }
  std::ofstream(base / "last.xml", std::ios::binary) << "old\r\n";
}

}  // namespace prepare_bench
