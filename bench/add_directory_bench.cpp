// Adding a directory of 9,998 sources of 10 KB to the source list, next to a
// plain recursive copy of the same tree (what "cp -r" does) as the yardstick.
// KORVANE_BENCH_TREE names an existing tree to use instead of a generated one.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/sources/source_lists.h"
#include "platform/memory_settings.h"

namespace {

namespace fs = std::filesystem;
namespace n = korvane::names;

class QuietPerson : public korvane::PersonPort {
 public:
  korvane::Button Ask(korvane::MessageKind, const std::string&, const korvane::Buttons&) override {
    return korvane::Button::Ok;
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

class Workspace {
 public:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "korvane_add_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    root_ = pattern;
    if (const char* given = std::getenv("KORVANE_BENCH_TREE")) {
      tree_ = given;
      return;
    }
    tree_ = root_ / "tree";
    const std::string body(10 * 1024, 'x');
    for (int i = 0; i < 9998; ++i) {
      const fs::path folder = tree_ / ("dir" + std::to_string(i / 100));
      if (i % 100 == 0) fs::create_directories(folder);
      std::ofstream(folder / ("PROG" + std::to_string(i) + ".cbl"), std::ios::binary) << body;
    }
  }
  ~Workspace() {
    std::error_code ec;
    if (!root_.empty()) fs::remove_all(root_, ec);
  }
  const fs::path& Root() const { return root_; }
  const fs::path& Tree() const { return tree_; }

 private:
  fs::path root_;
  fs::path tree_;
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

// The job around the lists: a COBOL job whose base directory is the bench's folder.
class BenchJob : public korvane::SourcesJob {
 public:
  explicit BenchJob(std::string base) : base_(std::move(base)) {}
  std::string WritableBase() override { return base_; }
  korvane::Outcome Writable() const override { return {}; }
  std::string BaseDirectory() const override { return base_; }
  std::string LangCode() const override { return "COB"; }
  std::string SubVersion() const override { return {}; }
  std::string FilterFor(const std::string&, const std::string&) override {
    return "Cobol|*.cbl;*.cob";
  }
  long long BigDirectoryLimit() const override { return 50; }
  void SetModified() override {}

 private:
  std::string base_;
};

void BM_AddDirectoryTree(benchmark::State& state) {
  using namespace korvane;
  Workspace& space = Shared();
  const fs::path job = space.Root() / "job";
  size_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(job, ec);
    FormModel form;
    ActionList actions;
    BuildMainForm(form, actions);
    QuietPerson person;
    platform::MemorySettings backend;
    SettingsStore settings(backend);
    StatusBar status(person);
    WindowState window;
    BoundJob parts(form);
    WindowContext context{parts.model, parts.window, actions, status, person, settings, window};
    BenchJob bench(job.string());
    SourceLists lists(context, bench);
    state.ResumeTiming();
    try {
      lists.Adding().AddDirectoryTree(space.Tree().string(), true);
    } catch (const OperationAbort&) {
      // "No files are selected" is only a status; anything else shows as 0 files.
    }
    added = form.Get<CheckList>(n::kListSources).Items().size();
  }
  state.counters["files"] = static_cast<double>(added);
}

void BM_RecursiveCopyYardstick(benchmark::State& state) {
  Workspace& space = Shared();
  const fs::path copy = space.Root() / "copy";
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(copy, ec);
    state.ResumeTiming();
    fs::copy(space.Tree(), copy, fs::copy_options::recursive);
  }
}

// One run into a folder that never existed: the comparison with a single
// "cp -r" of the tree (the script runs that first, also into a new folder).
BENCHMARK(BM_AddDirectoryTree)
    ->Name("BM_AddDirectoryTreeOnce")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_AddDirectoryTree)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecursiveCopyYardstick)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
