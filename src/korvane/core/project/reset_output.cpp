#include "korvane/core/project/reset_output.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "korvane/core/common/find_files.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/directory_cleaner.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSrcMask = "SRC####";
// The job definition may well be saved in the base directory; resetting the
// outputs must not take the job itself with them.
constexpr const char* kJobExtension = ".jwrap";

// The progress display of the source steps, hidden again however the reset ends.
class Progress {
 public:
  explicit Progress(const JobWindow& view) : bar_(view.sourcesBar), group_(view.progress) {
    Restart(11);
    group_.SetVisible(true);
    bar_.SetVisible(true);
  }
  ~Progress() { group_.SetVisible(false); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Restart(int max) {
    bar_.SetRange(0, max);
    bar_.SetPosition(0);
  }
  void Step() { bar_.StepIt(); }

 private:
  ProgressBar& bar_;
  GroupBox& group_;
};

int SearchDepth(int dirDepth) {
  return dirDepth == 99 ? 1 : dirDepth;
}

}  // namespace

std::string ResetQuestion(const std::vector<std::string>& files) {
  std::string text = "You are going to reset your job to it's initial state.\r\nYou have  " +
                     std::to_string(files.size()) +
                     " files in your output folders. Should I continue ?\r\n\r\nYour files:";
  // Every file is named: the answer deletes exactly these.
  for (const std::string& file : files) text += "\r\n" + file;
  text += "\r\n\r\nThe shell's own work files in Frames, Workinp and Work go as well.";
  return text;
}

std::vector<std::string> CollectOutputFiles(Project& project, int dirDepth) {
  const std::string outputDir = project.OutputDir();
  const ProjectState& state = project.State();
  const int depth = SearchDepth(dirDepth);
  std::vector<std::string> found;
  auto collect = [&](const std::string& subdir, const std::string& pattern, int levels) {
    // An empty pattern would stand for every file.
    if (pattern.empty()) return;
    FindFiles(outputDir, subdir, pattern, levels, found, "*.*");
  };
  collect("", "last*", 1);
  collect("", state.productName, 1);
  collect("", state.systemName, 1);
  collect("WrapOut", "*", depth + 1);
  collect("", project.GetProjectName() + "_*", 1);

  std::vector<std::string> files;
  std::unordered_set<std::string> seen;
  for (auto& path : found) {
    if (!LiesWithin(path, outputDir)) continue;
    if (seen.insert(path).second) files.push_back(std::move(path));
  }
  return files;
}

void ResetOutput(Project& project, int dirDepth, const std::string& inputWorkDir) {
  WindowContext& context = project.Context();
  // Never the root, the home folder or a folder the job does not own.
  const std::string outputDir = project.WritableBase();
  Progress progress(context.view);

  const std::vector<std::string> files = CollectOutputFiles(project, dirDepth);
  for (int i = 0; i < 5; ++i) progress.Step();
  if (files.empty()) return;
  if (context.person.Ask(MessageKind::Warning, ResetQuestion(files), {Button::Yes, Button::No}) !=
      Button::Yes) {
    return;
  }

  progress.Restart(static_cast<int>(files.size()) + 3);
  for (const auto& file : files) {
    std::error_code ec;
    fs::remove(fs::path(file), ec);  // removes a link, never what it points to
    progress.Step();
  }
  const int depth = SearchDepth(dirDepth);
  const CleanLimits limits{outputDir, kJobExtension};
  CleanDirectory(outputDir, "Frames", 2, kSrcMask, limits);
  CleanDirectory(outputDir, "Workinp", 2, kSrcMask, limits);
  progress.Step();
  CleanDirectory(outputDir, "Work", 1, "", limits);
  if (!inputWorkDir.empty()) CleanDirectory(inputWorkDir, "", depth + 2, kSrcMask, limits);
  progress.Step();
  std::error_code ec;
  fs::create_directories(fs::path(outputDir), ec);
  progress.Step();
}

}  // namespace korvane
