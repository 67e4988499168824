#include "korvane/core/run/run_progress.h"

#include <algorithm>

namespace korvane {

namespace {
constexpr std::string_view kSourceMarker = "Orig Source File =";
constexpr std::string_view kTextMarker = "Orig Text File =";

std::string Number(int value) {
  return std::to_string(value);
}
}  // namespace

void RunBar::StepBy(int delta) {
  position += delta;
  if (position > maximum) position = 0;
}

void RunBar::SetPosition(int value) {
  position = std::clamp(value, 0, std::max(0, maximum));
}

std::string ModulesCaption(std::string_view project, int modules, int modulesMax, int sources,
                           int sourcesMax) {
  return "Started processing project " + std::string(project) + " - Modules " + Number(modules) +
         " of " + Number(modulesMax) + " - Sources " + Number(sources) + " of " +
         Number(sourcesMax);
}

RunProgress::RunProgress(std::string projectName, std::uint8_t productKind)
    : project_(std::move(projectName)), kind_(productKind) {}

void RunProgress::Start(int numberOfModules, int numberOfSourceFiles, bool captureConsole,
                        int entityCount) {
  modules_ = {0, numberOfModules};
  sources_ = {0, numberOfSourceFiles * 10};
  caption_ = ModulesCaption(project_, 0, numberOfModules, 0, numberOfSourceFiles);
  if (captureConsole) {
    modules_.maximum = entityCount;
    caption_ = "Started processing project " + project_ + " - Entity " + Number(modules_.position) +
               " of " + Number(entityCount) + " ";
  }
}

void RunProgress::OnConsoleLine(std::string_view line) {
  // Kind 2 tools mark an entity by its text file; every other kind, the shell's own
  // included, by its source file, so the caption names the entity being run.
  const bool marks =
      kind_ == 2 ? line.find(kTextMarker) != line.npos : line.find(kSourceMarker) != line.npos;
  if (marks) {
    modules_.StepBy(1);
    // The name shown is what follows the source marker, for every kind.
    const std::size_t at = line.find(kSourceMarker);
    const std::string_view name =
        at == line.npos ? std::string_view() : line.substr(at + kSourceMarker.size());
    caption_ = "Started processing project " + project_ + " - Entity " + Number(modules_.position) +
               " of " + Number(modules_.maximum) + " - " + std::string(name);
    title_ = Number(modules_.position + 1) + " of " + Number(modules_.maximum) + " - " + project_;
  }
  sources_.StepBy(1);
}

void RunProgress::OnPollStep(int renamedModules, int numberOfModules, int renamedSourceFiles,
                             int numberOfSourceFiles) {
  modules_.SetPosition(renamedModules);
  sources_.StepBy(2);
  caption_ = ModulesCaption(project_, renamedModules, numberOfModules, renamedSourceFiles,
                            numberOfSourceFiles);
}

void RunProgress::EndStep() {
  if (sources_.position >= sources_.maximum) sources_.position = 0;
}

void RunProgress::Complete() {
  title_ = "Completed - " + project_;
}

}  // namespace korvane
