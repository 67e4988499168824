// The label marker page.
#include "korvane/core/marker/wrapper_marker.h"

#include <algorithm>
#include <filesystem>

#include "korvane/core/common/comma_text.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/sources/copy_library.h"
#include "korvane/core/viewer/viewers.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace fs = std::filesystem;
namespace a = marker_actions;

namespace {

bool ColumnIs(std::string_view line, size_t column, char ch) {
  return line.size() >= column && line[column - 1] == ch;
}

// The first word of text after the first "." became a blank, at most 100 characters.
std::string FirstWordOf(std::string_view text) {
  std::string rest(text.substr(0, 100));
  const size_t dot = rest.find('.');
  if (dot != std::string::npos) rest[dot] = ' ';
  rest = Trim(rest);
  return rest.substr(0, rest.find(' '));
}

bool LessNoCase(const std::string& a, const std::string& b) {
  const std::string ua = ToUpper(a);
  const std::string ub = ToUpper(b);
  return ua != ub ? ua < ub : a < b;
}

}  // namespace

WrapperMarker::WrapperMarker(std::string name, const std::string& sourcePath,
                             WindowContext& context, MarkerJob& job, Viewers& viewers)
    : ViewerPage(std::move(name), fs::path(sourcePath).filename().string()),
      context_(context),
      job_(job),
      viewers_(viewers),
      paths_(PathsFor(sourcePath)),
      kind_(MarkKindOf(job.Marks().Value(paths_.sourceName + ".WrpT"))) {
  SetFileName(sourcePath);
  BuildActions();
}

void WrapperMarker::BuildActions() {
  struct Spec {
    const char* name;
    const char* caption;
    const char* shortcut;
    std::function<void()> handler;
  };
  const Spec specs[] = {
      {a::kClosePage, "Close Page", "Ctrl+F4", [this] { viewers_.CloseCurrentPage(); }},
      {a::kSavePage, "Save marks", "Ctrl+S", [this] { Save(); }},
      {a::kMark, "Mark selection", "Ctrl+M", [this] { Mark(true); }},
      {a::kUnMark, "UnMark selection", "Ctrl+U", [this] { Mark(false); }},
      {a::kResetMarking, "Reset Marks(Reload source)", "Alt+Backspace", [this] { ResetMarking(); }},
      {a::kFindNextFD, "Find next File Definition", "", [this] { FindNextFD(); }},
      {a::kFindNextSection, "Find next Section or Paragraph", "", [this] { FindNextSection(); }},
      {a::kSaveAndClose, "Save && close marker window", "", [this] { SaveAndClose(); }},
  };
  for (const Spec& spec : specs) {
    Action& action = actions_.Add(spec.name, spec.caption, "Marker");
    action.SetShortcut(spec.shortcut);
    action.SetHandler(spec.handler);
  }
  actions_.Get(a::kSavePage).SetEnabled(false);
  const bool cobol = job_.LangIndex() == 0;
  Action& fd = actions_.Get(a::kFindNextFD);
  fd.SetVisible(cobol && kind_.mode == MarkMode::File);
  if (fd.Visible()) fd.SetShortcut("Ctrl+F");
  Action& section = actions_.Get(a::kFindNextSection);
  section.SetVisible(cobol && kind_.mode == MarkMode::Proc);
  if (section.Visible()) section.SetShortcut("Ctrl+F");
}

void WrapperMarker::LoadExpanded() {
  std::vector<std::string> lines;
  try {
    LoadSourceWithCopies(job_.BaseDirectory(), job_.LangIndex(), paths_.source, lines,
                         &unresolved_);
  } catch (const FileError&) {
    // The source itself is shown when a member cannot be read; a source that cannot
    // be read at all ends the operation.
    if (lines.empty()) throw;
  }
  Document().SetLines(lines);
  unresolvedChanged.Emit();
}

void WrapperMarker::Create() {
  const auto sourceDate = FileDateOf(paths_.source);
  const auto richDate = FileDateOf(paths_.richText);
  std::error_code ec;
  if (richDate && fs::exists(paths_.labels, ec) && (!sourceDate || *richDate >= *sourceDate)) {
    labels_ = ReadTextLines(paths_.labels);
    std::sort(labels_.begin(), labels_.end(), LessNoCase);
    LoadFile(paths_.richText);
    const std::string_view first = Document().Line(0);
    if (!first.empty() && first.front() == '{') {
      // Not readable as rich text: rebuild from the source, keeping the labels.
      unresolved_.clear();
      LoadExpanded();
    } else {
      unresolved_ = FromCommaText(job_.Marks().Value(paths_.sourceName + ".Unr"));
    }
    SetFileDate(richDate);
  } else {
    labels_.clear();
    unresolved_.clear();
    LoadExpanded();
    SetFileDate(sourceDate);
  }
  labelsChanged.Emit();
  unresolvedChanged.Emit();
  modified_ = false;
  if (actions_.Get(a::kFindNextFD).Visible()) FindNextFD();
  if (actions_.Get(a::kFindNextSection).Visible()) FindNextSection();
}

void WrapperMarker::SetModified(bool value) {
  modified_ = value;
  if (!value) return;
  actions_.Get(a::kSavePage).SetEnabled(true);
  job_.SetProjectModified();
}

int WrapperMarker::IndexOfLabel(const std::string& item) const {
  for (size_t i = 0; i < labels_.size(); ++i) {
    if (EqualsNoCase(labels_[i], item)) return static_cast<int>(i);
  }
  return -1;
}

void WrapperMarker::Mark(bool mark) {
  TextDocument& doc = Document();
  if (doc.SelLength() == 0) return;
  const size_t line = doc.LineOf(doc.SelStart());
  if (job_.LangIndex() == 0 && ColumnIs(doc.Line(line), 7, '*'))
    context_.status.ShowErrorAndAbort("This is a comment line");
  const std::string selection(doc.SelText());
  const std::string trimmed = Trim(selection);
  const std::string label = trimmed.substr(0, trimmed.find(' '));
  if (trimmed != label) {
    // More than one word: narrow to the first and let the person mark again.
    const size_t leading = selection.size() - TrimLeft(selection).size();
    doc.SetSelection(doc.SelStart() + leading, label.size());
    return;
  }
  const std::string item = kind_.prefix + label;
  const int index = IndexOfLabel(item);
  if (mark) {
    if (index >= 0) return;
    doc.SetColour(doc.SelStart(), doc.SelLength(), kColourBlue);
    labels_.insert(std::upper_bound(labels_.begin(), labels_.end(), item, LessNoCase), item);
  } else {
    if (index < 0) return;
    doc.SetColour(doc.SelStart(), doc.SelLength(), TextDocument::kWindowText);
    labels_.erase(labels_.begin() + index);
  }
  labelsChanged.Emit();
  SetModified(true);
}

void WrapperMarker::WriteOwned(const std::string& path, const std::string& content) {
  const fs::path dir = fs::path(path).parent_path();
  std::error_code ec;
  if (fs::is_symlink(dir, ec))
    context_.status.ShowErrorAndAbort(dir.string() +
                                      " is a symbolic link: nothing is written through it");
  fs::create_directories(dir, ec);
  if (ec) context_.status.ShowErrorAndAbort(dir.string() + ": " + ec.message());
  // A link in place of the file is replaced, never written through.
  if (fs::is_symlink(path, ec)) fs::remove(path, ec);
  const std::string error = platform::WriteFileAtomic(path, content);
  if (!error.empty()) context_.status.ShowErrorAndAbort(path + ": " + error);
}

void WrapperMarker::RemoveOwned(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(fs::path(path).parent_path(), ec)) return;
  fs::remove(path, ec);  // a link goes, not what it points to
}

void WrapperMarker::Save() {
  if (!paths_.inCollection)
    context_.status.ShowErrorAndAbort("Marks can only be saved for sources in SourceCollection");
  KeyedLines& marks = job_.Marks();
  if (labels_.empty()) {
    marks.SetValue(paths_.sourceName + ".Lbl", "");
    marks.SetValue(paths_.sourceName + ".Unr", "");
    job_.SetSourceEntry(paths_.sourceName, false);
    RemoveOwned(paths_.richText);
    RemoveOwned(paths_.labels);
  } else {
    marks.SetValue(paths_.sourceName + ".Lbl", "Y");
    marks.SetValue(paths_.sourceName + ".Unr", ToCommaText(unresolved_));
    job_.SetSourceEntry(paths_.sourceName, true);
    RtfFont font;
    font.name = viewers_.Font().name;
    font.pointSize = viewers_.Font().size > 0 ? viewers_.Font().size : 8;
    font.bold = viewers_.Font().bold;
    font.italic = viewers_.Font().italic;
    WriteOwned(paths_.richText, WriteRtf(Document().Styled(), font));
    WriteOwned(paths_.labels, JoinLinesCrLf(labels_));
  }
  modified_ = false;
  // The holder and the source list changed: the job must be saved to keep them.
  job_.SetProjectModified();
}

void WrapperMarker::SaveAndClose() {
  if (modified_) Save();
  viewers_.closePosted.Emit();
}

void WrapperMarker::Cancel() {
  modified_ = false;
  viewers_.closePosted.Emit();
}

bool WrapperMarker::MayClose() {
  if (!modified_) return true;
  const std::string text =
      "Label selection for " + paths_.sourceName + " has been modified!\r\nSave changes?";
  const Button answer =
      context_.person.Ask(MessageKind::Warning, text, {Button::Yes, Button::No, Button::Cancel});
  if (answer == Button::Cancel) return false;
  if (answer == Button::Yes) Save();
  return true;
}

void WrapperMarker::ResetMarking() {
  labels_.clear();
  unresolved_.clear();
  LoadExpanded();
  labelsChanged.Emit();
  if (paths_.inCollection) {
    RemoveOwned(paths_.labels);
    RemoveOwned(paths_.richText);
  }
}

void WrapperMarker::SelectAndScroll(size_t line, size_t column, size_t length) {
  TextDocument& doc = Document();
  doc.SetSelection(doc.LineStart(line) + column - 1, length);
  doc.ScrollToLine(line > 5 ? line - 5 : 0);
}

void WrapperMarker::FindNextFD() {
  TextDocument& doc = Document();
  for (size_t i = doc.LineOf(doc.SelStart()) + 1; i < doc.LineCount(); ++i) {
    const std::string upper = ToUpper(doc.Line(i));
    if (ColumnIs(upper, 7, '*')) continue;
    const std::string area = upper.size() > 6 ? upper.substr(6, 7) : std::string();
    const size_t at = area.find(" FD ");
    if (at == std::string::npos) continue;
    const std::string name = FirstWordOf(std::string_view(upper).substr(6 + at + 4));
    const size_t column = name.empty() ? std::string::npos : upper.find(name, 7);
    if (column == std::string::npos) continue;
    SelectAndScroll(i, column + 1, name.size());
    return;
  }
  context_.status.ShowWarning("There are no more file definitions");
}

void WrapperMarker::FindNextSection() {
  TextDocument& doc = Document();
  if (firstProcedureLine_ == 0) {
    firstProcedureLine_ = 1;
    for (size_t i = 0; i < doc.LineCount(); ++i) {
      const std::string upper = ToUpper(doc.Line(i));
      if (!ColumnIs(upper, 7, ' ')) continue;
      const std::string area = upper.substr(6, 80);
      if (area.find(" PROCEDURE ") != std::string::npos &&
          area.find(" DIVISION") != std::string::npos) {
        firstProcedureLine_ = i;
        break;
      }
    }
  }
  const size_t from = std::max(doc.LineOf(doc.SelStart()), firstProcedureLine_) + 1;
  for (size_t i = from; i < doc.LineCount(); ++i) {
    const std::string upper = ToUpper(doc.Line(i));
    if (!ColumnIs(upper, 7, ' ') || upper.size() < 8) continue;
    if (Trim(upper.substr(7, 4)).empty()) continue;
    const std::string name = FirstWordOf(std::string_view(upper).substr(7));
    const size_t column = name.empty() ? std::string::npos : upper.find(name, 7);
    if (column == std::string::npos) continue;
    SelectAndScroll(i, column + 1, name.size());
    return;
  }
  context_.status.ShowWarning("There are no more file definitions");
}

}  // namespace korvane
