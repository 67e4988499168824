#pragma once
// The internal viewer: one page per open file on the viewer tab, opening with reuse and
// reload after a change on disk, the log and result-file commands, the external
// editor, text search, the viewer font and closing pages.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "korvane/core/form/window_context.h"
#include "korvane/core/viewer/text_search.h"
#include "korvane/core/viewer/viewer_job.h"
#include "korvane/core/viewer/viewer_page.h"

namespace korvane {

// The font every viewer page shows; "Lucida Console", height -11 until one is chosen.
FontChoice DefaultViewerFont();

class Viewers {
 public:
  Viewers(WindowContext& context, ViewerJob& job);
  ~Viewers();

  // Sets the handlers of the viewer's actions.
  void Connect(ActionList& actions);

  // Opens path on a page of its own, or brings its open page to the front; a changed
  // file is reloaded (logs without asking). Missing file: the operation ends.
  void OpenInViewer(const std::string& path);
  // Makes a new page with the next tab name; make builds it from that name. The page
  // becomes current and the viewer tab is shown in front.
  ViewerPage& AddPage(const std::function<std::unique_ptr<ViewerPage>(const std::string&)>& make);
  // The open page of this kind with this caption (case-insensitive), -1 when none.
  int FindPage(PageKind kind, const std::string& caption) const;
  // Brings the viewer tab to the front.
  void BringToFront();

  // Closes the current page when the viewer tab is in front (a page may refuse);
  // true when a page was closed.
  bool CloseCurrentPage();
  // Closes every page without asking.
  void CloseAllPages();
  // The viewer is in front with a page open: the main window's close request closes
  // that page instead of the window.
  bool PageInFront() const { return ViewerInFront() && !pages_.empty(); }

  const std::vector<std::unique_ptr<ViewerPage>>& Pages() const { return pages_; }
  int CurrentIndex() const { return current_; }
  ViewerPage* Current() const;
  // The person picked another page.
  void SelectPage(int index);

  // Reports the line of the selection start of a page in the status bar.
  void ReportLine(ViewerPage& page);

  // The commands.
  // The product log (only after "Start wrapper", and only when this run wrote it), the
  // console log, or the job parameter file last.xml.
  enum class Log { Product, Console, Parameters };
  void ViewLog(Log log);
  void ViewGeneral();
  void ViewNotepad();
  void RequestFind();
  // Searches the current page from the end of its selection (or its start), ignoring
  // case, and goes round to the top when the text does not follow; selects the hit.
  void Find(const std::vector<SearchForm>& forms);
  void Find(const std::string& text) { Find({SearchForm{text, true}}); }
  // The last text again; without one, asks for it.
  void FindNext();
  void SelectFont();

  // Set by the run subsystem once a wrap was asked for: only then is there a product log.
  void SetWrapRequested(bool on) { wrapRequested_ = on; }
  bool WrapRequested() const { return wrapRequested_; }
  // While on (a run is active), log pages opened follow their file as it grows.
  void SetFollowLogs(bool on);
  bool FollowLogs() const { return followLogs_; }
  // The file-system time the last run began at: a product log older than it is not
  // opened as that run's, and results older than it are shown as an earlier run's.
  void SetRunStart(std::filesystem::file_time_type start) { runStart_ = start; }
  // Takes up what followed files gained; the view calls it from a timer.
  void RefreshFollowed();

  const FontChoice& Font() const { return font_; }
  // The font restored at start-up.
  void SetFont(const FontChoice& font);

  // Lets a retired page go; pages are not destroyed while one of their commands runs.
  void ReleaseClosedPages() { closed_.clear(); }

  // Notifications for the view.
  Signal<ViewerPage&> pageAdded;
  Signal<ViewerPage&> pageRemoved;  // the page is still alive while this runs
  Signal<> currentChanged;
  Signal<> fontChanged;
  Signal<> findRequested;
  // A page asked for the main window's close request (it arrives after the command).
  Signal<> closePosted;

 private:
  void RemovePage(size_t index);
  std::string CaptionFor(const std::string& path) const;
  bool ViewerInFront() const;
  bool IsResultOrLog(const std::string& path) const;
  std::string EarlierRunNote(const std::string& path) const;
  void ShowViewerTab(bool shown);

  WindowContext& context_;
  ViewerJob& job_;
  std::vector<std::unique_ptr<ViewerPage>> pages_;
  std::vector<std::unique_ptr<ViewerPage>> closed_;
  int current_ = -1;
  int counter_ = 0;
  bool wrapRequested_ = false;
  bool followLogs_ = false;
  std::optional<std::filesystem::file_time_type> runStart_;
  FontChoice font_;
  std::vector<long> editors_;
  std::vector<SearchForm> lastSearch_;
};

}  // namespace korvane
