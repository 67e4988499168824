// The internal viewer's pages and commands.
#include "korvane/core/viewer/viewers.h"

#include <cstdlib>
#include <filesystem>

#include "korvane/core/common/name_case.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/config/date_format.h"
#include "korvane/core/form/component_names.h"
#include "platform/spawn_detached.h"

namespace korvane {

namespace n = names;
namespace fs = std::filesystem;

namespace {

std::string Format(const char* pattern, const std::string& a) {
  std::string out = pattern;
  const size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, a);
  return out;
}

bool IsLog(const std::string& path) {
  return ToLower(fs::path(path).extension().string()) == ".log";
}

// A program named without a folder is looked up on PATH, as a command line would.
std::string ResolveProgram(const std::string& program) {
  if (program.empty() || program.find('/') != std::string::npos) return program;
  const char* env = std::getenv("PATH");
  std::string path = env != nullptr ? env : "";
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find(':', start), path.size());
    const std::string dir = path.substr(start, end - start);
    if (!dir.empty()) {
      std::error_code ec;
      const fs::path candidate = fs::path(dir) / program;
      if (fs::is_regular_file(candidate, ec)) return candidate.string();
    }
    start = end + 1;
  }
  return program;
}

}  // namespace

FontChoice DefaultViewerFont() {
  FontChoice font;
  font.name = "Lucida Console";
  font.size = 8;
  font.height = -11;
  return font;
}

Viewers::Viewers(WindowContext& context, ViewerJob& job)
    : context_(context), job_(job), font_(DefaultViewerFont()) {}

Viewers::~Viewers() = default;

void Viewers::Connect(ActionList& actions) {
  auto handle = [&actions](const char* name, std::function<void()> handler) {
    actions.Get(name).SetHandler(std::move(handler));
  };
  handle("ActViewProductLog", [this] { ViewLog(Log::Product); });
  handle(n::kActViewConsoleLog, [this] { ViewLog(Log::Console); });
  handle("ActViewParameters", [this] { ViewLog(Log::Parameters); });
  handle("ActViewGeneral", [this] { ViewGeneral(); });
  handle("ActViewNotepad", [this] { ViewNotepad(); });
  handle("ActCloseTab", [this] { CloseCurrentPage(); });
  handle("ActCloseAllPages", [this] { CloseAllPages(); });
  handle("ActSelectFont", [this] { SelectFont(); });
  handle("ActFindText", [this] { RequestFind(); });
  handle("ActFindNextText", [this] { FindNext(); });
}

std::string Viewers::CaptionFor(const std::string& path) const {
  const std::string base = job_.BaseDirectory();
  if (!base.empty() && StartsWithText(base + "/", path)) return path.substr(base.size() + 1);
  return path;
}

bool Viewers::ViewerInFront() const {
  return context_.view.mainPages.IsActive(context_.view.viewerPage);
}

void Viewers::ShowViewerTab(bool shown) {
  context_.view.viewerPage.SetVisible(shown);
}

void Viewers::BringToFront() {
  // A hidden tab cannot be in front: without pages the viewer stays where it is.
  if (!context_.view.viewerPage.Visible()) return;
  context_.view.mainPages.SetActivePage(context_.view.viewerPage);
}

ViewerPage* Viewers::Current() const {
  if (current_ < 0 || current_ >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[current_].get();
}

int Viewers::FindPage(PageKind kind, const std::string& caption) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->Kind() == kind && EqualsNoCase(pages_[i]->Caption(), caption))
      return static_cast<int>(i);
  }
  return -1;
}

void Viewers::SelectPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || index == current_) return;
  context_.status.ClearMessages();
  current_ = index;
  currentChanged.Emit();
}

void Viewers::OpenInViewer(const std::string& path) {
  ReleaseClosedPages();
  std::error_code ec;
  if (!fs::exists(path, ec)) context_.status.ShowErrorAndAbort("File " + path + " doesn't exist");
  BringToFront();
  const std::string caption = CaptionFor(path);
  const int found = FindPage(PageKind::Simple, caption);
  if (found >= 0) {
    SelectPage(found);
    ViewerPage& page = *pages_[found];
    if (FileDateOf(path) == page.FileDate()) return;
    // A log grows while a run writes it: it is taken up again without asking.
    if (!IsLog(path) && context_.person.Ask(MessageKind::Warning,
                                            Format("Module %s's date/time changed. Reload?", path),
                                            {Button::Yes, Button::No}) == Button::No) {
      return;
    }
    if (!CloseCurrentPage()) return;
  }
  const std::string earlier = EarlierRunNote(path);
  AddPage([&](const std::string& name) {
    auto page = std::make_unique<ViewerPage>(name, caption);
    page->SetFileName(path);
    page->LoadFile(path);
    page->SetFollowing(followLogs_ && IsLog(path));
    return page;
  });
  if (!earlier.empty()) context_.status.ShowWarning(earlier);
}

bool Viewers::IsResultOrLog(const std::string& path) const {
  const fs::path file(path);
  const fs::path base(job_.BaseDirectory());
  if (file.parent_path() == base) return IsLog(path);
  for (fs::path dir = file.parent_path(); dir.has_relative_path() && dir != base;
       dir = dir.parent_path()) {
    if (dir.parent_path() == base && EqualsNoCase(dir.filename().string(), "WrapOut")) return true;
    if (dir == dir.parent_path()) break;
  }
  return false;
}

// A result or log from before the last run began, said with its date, so that it is not
// read as that run's outcome; empty for anything else.
std::string Viewers::EarlierRunNote(const std::string& path) const {
  if (!runStart_ || !IsResultOrLog(path)) return {};
  std::error_code ec;
  const auto written = fs::last_write_time(path, ec);
  if (ec || written >= *runStart_) return {};
  const auto when = std::chrono::file_clock::to_sys(written);
  return path + " is from before the last run (written " +
         LocaleDateTime(std::chrono::system_clock::to_time_t(
             std::chrono::time_point_cast<std::chrono::system_clock::duration>(when))) +
         ")";
}

ViewerPage& Viewers::AddPage(
    const std::function<std::unique_ptr<ViewerPage>(const std::string&)>& make) {
  ReleaseClosedPages();
  const std::string name = "tsv" + std::to_string(counter_++);
  std::unique_ptr<ViewerPage> page = make(name);
  ShowViewerTab(true);
  context_.view.mainPages.SetActivePage(context_.view.viewerPage);
  pages_.push_back(std::move(page));
  ViewerPage& added = *pages_.back();
  added.Connections().Add(
      added.Document().selectionMoved.Connect([this, &added] { ReportLine(added); }));
  pageAdded.Emit(added);
  context_.status.ClearMessages();
  current_ = static_cast<int>(pages_.size()) - 1;
  currentChanged.Emit();
  return added;
}

void Viewers::RemovePage(size_t index) {
  pageRemoved.Emit(*pages_[index]);
  closed_.push_back(std::move(pages_[index]));
  pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(index));
  if (pages_.empty()) {
    current_ = -1;
  } else if (current_ >= static_cast<int>(pages_.size()) || static_cast<int>(index) < current_) {
    current_ = std::max(0, current_ - 1);
  }
  currentChanged.Emit();
}

bool Viewers::CloseCurrentPage() {
  bool closed = false;
  if (ViewerInFront() && Current() != nullptr) {
    if (!Current()->MayClose()) return false;
    RemovePage(static_cast<size_t>(current_));
    closed = true;
  }
  if (pages_.empty() && context_.view.viewerPage.Visible()) {
    ShowViewerTab(false);
    context_.view.mainPages.SetActivePage(context_.view.namesPage);
  }
  job_.RefreshWrapState();
  return closed;
}

void Viewers::CloseAllPages() {
  while (!pages_.empty()) RemovePage(pages_.size() - 1);
}

void Viewers::ReportLine(ViewerPage& page) {
  const TextDocument& doc = page.Document();
  const int line = static_cast<int>(doc.LineOf(doc.SelStart()));
  if (line == page.LastReportedLine()) return;
  context_.status.ShowStatus("Line " + std::to_string(line + 1) + " of " +
                             std::to_string(doc.ListLineCount() + 1) + " in " + page.FileName() +
                             " ");
  page.SetLastReportedLine(line);
}

void Viewers::ViewLog(Log log) {
  const std::string base = job_.BaseDirectory() + "/";
  std::string file;
  if (log == Log::Product) {
    if (!wrapRequested_) return;
    file = base + job_.SystemName() + ".log";
    // A tool run inside DOSBox writes it under an upper-case name.
    const std::vector<std::string> found = EntriesNamedNoCase(base, job_.SystemName() + ".log");
    if (!found.empty()) file = found.front();
    // The last run did not write it: opening it would show an earlier run as this one.
    if (const std::string earlier = EarlierRunNote(file); !earlier.empty()) {
      context_.status.AddError("The product log was not opened: " + earlier, true);
      return;
    }
  } else if (log == Log::Console) {
    file = base + "Console.log";
  } else {
    file = base + "last.xml";
  }
  std::error_code ec;
  if (fs::is_regular_file(file, ec)) OpenInViewer(file);
}

void Viewers::ViewGeneral() {
  BringToFront();
  const std::string base = job_.BaseDirectory();
  FileDialogRequest request;
  request.initialDir = base + "/WrapOut";
  if (const ViewerPage* page = Current()) {
    // The page's own file: its caption is relative to the base directory only when
    // the file lies there.
    const fs::path path(page->FileName());
    request.initialDir = path.parent_path().string();
    request.fileName = path.filename().string();
  }
  request.filter = "Result files from wrapping|*.txt;*.xml;*.xsd;*.log;*." + job_.LangCode() + ";" +
                   job_.ResultMasks() + "|All files(*.*)|*.*";
  request.title = "Open a result file";
  const std::vector<std::string> chosen = context_.person.OpenFiles(request);
  if (chosen.empty()) context_.status.ShowErrorAndAbort("File search cancelled");
  OpenInViewer(chosen.front());
}

void Viewers::ViewNotepad() {
  // The editor runs on its own: the window goes on while it is open.
  platform::ReapEnded(editors_);
  std::string error;
  const long pid =
      platform::StartDetached({ResolveProgram(job_.EditorPath())}, error, job_.BaseDirectory());
  if (pid > 0) editors_.push_back(pid);
}

void Viewers::RequestFind() {
  if (Current() == nullptr) return;
  findRequested.Emit();
}

void Viewers::Find(const std::vector<SearchForm>& forms) {
  context_.status.ClearMessages();
  ViewerPage* page = Current();
  if (!ViewerInFront() || page == nullptr) return;
  lastSearch_ = forms;
  TextDocument& doc = page->Document();
  const size_t start = doc.SelLength() > 0 ? doc.SelStart() + doc.SelLength() : 0;
  const std::optional<TextMatch> match = FindText(doc.Text(), forms, start, true);
  if (!match) context_.status.ShowErrorAndAbort("String not found");
  doc.SetSelection(match->start, match->length);
  if (match->wrapped) context_.status.ShowStatus("Search reached the end and went on from the top");
}

void Viewers::FindNext() {
  if (lastSearch_.empty()) {
    RequestFind();
    return;
  }
  Find(std::vector<SearchForm>(lastSearch_));
}

void Viewers::SetFont(const FontChoice& font) {
  font_ = font;
  fontChanged.Emit();
}

void Viewers::SelectFont() {
  const std::optional<FontChoice> chosen = context_.person.ChooseFont(font_);
  if (!chosen) return;
  SetFont(*chosen);
  SettingsStore& s = context_.settings;
  s.WriteIntSetting("FontCharSet", font_.charSet);
  s.WriteIntSetting("FontSize", font_.size);
  s.WriteIntSetting("FontHeight", font_.height);
  s.WriteSetting("FontName", font_.name);
  s.WriteBoolSetting("FontBold", font_.bold);
  s.WriteBoolSetting("FontItalic", font_.italic);
  s.WriteBoolSetting("FontUnderline", font_.underline);
  s.WriteBoolSetting("FontStrikeOut", font_.strikeOut);
}

void Viewers::SetFollowLogs(bool on) {
  followLogs_ = on;
  for (const auto& page : pages_) {
    if (page->Kind() == PageKind::Simple && IsLog(page->FileName())) page->SetFollowing(on);
  }
}

void Viewers::RefreshFollowed() {
  for (const auto& page : pages_) {
    if (page->Following()) page->Refresh();
  }
}

}  // namespace korvane
