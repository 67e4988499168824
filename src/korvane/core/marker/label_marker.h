#pragma once
// Opens the label marker on a source of the job (from the source list's mark command),
// reusing an open marker page while its file has not changed, and gives the marker the
// real job.

#include <string>

#include "korvane/core/form/window_context.h"
#include "korvane/core/marker/marker_job.h"
#include "korvane/core/marker/wrapper_marker.h"
#include "korvane/core/project/pending_edits.h"
#include "korvane/core/viewer/viewers.h"

namespace korvane {

class JobCommands;
class Project;
class ProductCatalogue;

class LabelMarker : public PendingEdits {
 public:
  LabelMarker(WindowContext& context, Viewers& viewers, MarkerJob& job);

  // Saving the job saves the marks of its open marker pages first; an emptied job takes
  // its pages with it, so that no page saves an old job's marks into the next one.
  void Follow(JobCommands& jobs);

  // Opens path on a marker page (a missing file ends the operation).
  void OpenMarkerPage(const std::string& path);
  // The marker page in front, if the current viewer page is one.
  WrapperMarker* CurrentMarker() const;

  // Saves the marks of every open marker page that has unsaved ones.
  void SavePendingMarks();
  // Some open marker page has marks not saved yet.
  bool HasPendingEdits() const override;

 private:
  WindowContext& context_;
  Viewers& viewers_;
  MarkerJob& job_;
  ConnectionList connections_;
};

class ProjectMarkerJob : public MarkerJob {
 public:
  ProjectMarkerJob(Project& project, const ProductCatalogue& catalogue, JobModel& job);
  std::string BaseDirectory() const override;
  int LangIndex() const override;
  KeyedLines& Marks() override;
  void SetProjectModified() override;
  void SetSourceEntry(const std::string& name, bool on) override;

 private:
  Project& project_;
  const ProductCatalogue& catalogue_;
  JobModel& model_;
};

}  // namespace korvane
