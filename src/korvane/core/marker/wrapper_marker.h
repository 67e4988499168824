#pragma once
// The label marker page: a source shown with its copies expanded, in which the person
// marks the names of the entities to wrap (they turn blue and join the label list),
// with COBOL navigation to file definitions, sections and paragraphs, and saving of
// the marks as a label file and a rich-text copy of the coloured source.

#include <string>
#include <vector>

#include "korvane/core/components/action.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/marker/marker_job.h"
#include "korvane/core/marker/marker_paths.h"
#include "korvane/core/viewer/viewer_page.h"

namespace korvane {

class Viewers;

// Captions of the marker's own commands.
namespace marker_actions {
inline constexpr const char* kClosePage = "ActClosePage";
inline constexpr const char* kSavePage = "ActSavePage";
inline constexpr const char* kMark = "ActMark";
inline constexpr const char* kUnMark = "ActUnMark";
inline constexpr const char* kResetMarking = "ActResetMarking";
inline constexpr const char* kFindNextFD = "ActFindNextFD";
inline constexpr const char* kFindNextSection = "ActFindNextSection";
inline constexpr const char* kSaveAndClose = "ActSaveAndClose";
}  // namespace marker_actions

class WrapperMarker : public ViewerPage {
 public:
  WrapperMarker(std::string name, const std::string& sourcePath, WindowContext& context,
                MarkerJob& job, Viewers& viewers);

  PageKind Kind() const override { return PageKind::Marker; }
  std::string FrameName() const override { return Name() + "WrapperMarkerFrame"; }
  // A modified page asks whether to save; Cancel keeps it open.
  bool MayClose() override;

  // Loads the marks saved for the source, or the expanded source when there are none
  // or they are older than the source.
  void Create();

  const MarkerPaths& Paths() const { return paths_; }
  MarkMode Mode() const { return kind_.mode; }
  const std::string Prefix() const { return kind_.prefix; }
  const std::vector<std::string>& Labels() const { return labels_; }
  const std::vector<std::string>& Unresolved() const { return unresolved_; }
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  ActionList& Actions() { return actions_; }

  // The commands.
  void Mark(bool mark);
  void Save();
  void SaveAndClose();
  void Cancel();
  void ResetMarking();
  void FindNextFD();
  void FindNextSection();
  // Anything dropped on the label list marks the current selection.
  void DropOnLabels() { Mark(true); }

  Signal<> labelsChanged;
  Signal<> unresolvedChanged;

 private:
  void BuildActions();
  void LoadExpanded();
  void SelectAndScroll(size_t line, size_t column, size_t length);
  void WriteOwned(const std::string& path, const std::string& content);
  void RemoveOwned(const std::string& path);
  int IndexOfLabel(const std::string& item) const;

  WindowContext& context_;
  MarkerJob& job_;
  Viewers& viewers_;
  MarkerPaths paths_;
  MarkKind kind_;
  std::vector<std::string> labels_;
  std::vector<std::string> unresolved_;
  bool modified_ = false;
  size_t firstProcedureLine_ = 0;
  ActionList actions_;
};

}  // namespace korvane
