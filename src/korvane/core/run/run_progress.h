#pragma once
// The progress display of a tool run: the module (or entity) and source bars,
// the caption of the progress box and the application title, driven by the
// captured console lines or, without capture, by the watcher's regular steps.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// A progress bar as the shell uses it: minimum 0, step 1; stepping past the
// maximum starts again at 0.
struct RunBar {
  int position = 0;
  int maximum = 0;
  void StepBy(int delta);
  void SetPosition(int value);
};

class RunProgress {
 public:
  // productKind: which console marker starts the next entity (2 "Orig Text File =",
  // every other kind "Orig Source File =").
  RunProgress(std::string projectName, std::uint8_t productKind);

  // The set-up at the start of a run; with console capture the first bar counts
  // entities.
  void Start(int numberOfModules, int numberOfSourceFiles, bool captureConsole, int entityCount);
  // A captured console line.
  void OnConsoleLine(std::string_view line);
  // The regular step of a run without console capture.
  void OnPollStep(int renamedModules, int numberOfModules, int renamedSourceFiles,
                  int numberOfSourceFiles);
  // Ends every progress step: a full sources bar starts again.
  void EndStep();
  // The title once the run has ended.
  void Complete();

  const RunBar& Modules() const { return modules_; }
  const RunBar& Sources() const { return sources_; }
  const std::string& Caption() const { return caption_; }
  // Empty until something sets it.
  const std::string& ApplicationTitle() const { return title_; }

 private:
  std::string project_;
  std::uint8_t kind_;
  RunBar modules_;
  RunBar sources_;
  std::string caption_;
  std::string title_;
};

// "Started processing project %s - Modules %d of %d - Sources %d of %d".
std::string ModulesCaption(std::string_view project, int modules, int modulesMax, int sources,
                           int sourcesMax);

}  // namespace korvane
