#include "korvane/core/project/job_file.h"

#include <algorithm>
#include <climits>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"

namespace korvane {
namespace {

// Numbers in a job file are read with a "0" in front (empty is 0) and must fit the
// window's integers; a value that does not is as broken as one with letters in it.
int IntOf(const std::string& value) {
  const long long n = ZeroPrefixedInt(value);
  if (n > INT_MAX) throw ConversionError("'0" + value + "' is not a valid integer value");
  return static_cast<int>(n);
}

// A sorted list keeps its order whatever order the file gives: each item carries its own
// flags, so putting the items in place never mixes up whose marks are whose.
void SortLikeTheList(std::vector<CheckListItem>& items) {
  std::vector<std::string> keys;
  keys.reserve(items.size());
  for (const auto& item : items) keys.push_back(ToLower(item.text));
  std::vector<size_t> order(items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
  std::vector<CheckListItem> sorted;
  sorted.reserve(items.size());
  for (size_t i : order) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

}  // namespace

JobFileContent::JobFileContent(std::vector<std::string> lines) : lines_(std::move(lines)) {}

JobFileContent JobFileContent::FromFile(const std::string& path) {
  return JobFileContent(ReadTextLines(path));
}

std::string JobFileContent::Value(std::string_view key) const {
  return lines_.Value(key);
}

size_t JobFileContent::BlockEnd(std::string_view name) const {
  const int at = lines_.IndexOfName(name);
  if (at < 0) return 0;
  const auto& all = lines_.Lines();
  size_t end = static_cast<size_t>(at) + 1;
  while (end < all.size() && (all[end].empty() || all[end][0] != '[')) ++end;
  return end;
}

std::vector<std::string> JobFileContent::BlockAfter(std::string_view name) const {
  std::vector<std::string> block;
  const int at = lines_.IndexOfName(name);
  if (at < 0) return block;
  const auto& all = lines_.Lines();
  block.assign(all.begin() + at + 1, all.begin() + static_cast<std::ptrdiff_t>(BlockEnd(name)));
  return block;
}

void CheckJobFileComplete(const JobFileContent& content, const FormModel& form) {
  const auto& lines = content.Lines();
  // Any other file would only be found cut short, or worse, fail on a name it lacks.
  const bool jobSections = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    const std::string header = ToLower(Trim(line));
    return header == "[properties]" || header == "[radiobuttons]";
  });
  if (!jobSections) {
    throw JobFileError(
        "The file is not a job file: it has neither a [RadioButtons] nor a [Properties] section");
  }
  if (std::find(lines.begin(), lines.end(), kJobFileEndMarker) == lines.end()) {
    throw JobFileError(std::string("The file ends before its closing ") + kJobFileEndMarker +
                       " line");
  }
  for (const auto& c : form.Components()) {
    const auto* list = dynamic_cast<const CheckList*>(c.get());
    if (list == nullptr || !list->Visible() || content.Value(list->Name()).empty()) continue;
    const size_t end = content.BlockEnd(list->Name());
    const bool header =
        end < lines.size() && (lines[end] == "[TMemo]" || lines[end] == "[TCheckListBox]" ||
                               lines[end] == kJobFileEndMarker);
    if (!header) {
      throw JobFileError("The list " + list->Name() + " ends early, at a line that is no header");
    }
  }
}

JobProjectFields ReadJobProjectFields(const JobFileContent& content) {
  JobProjectFields f;
  f.activeRadioButton = content.Value("ActiveRadioButton");
  f.projectName = content.Value("ProjectName");
  f.productName = content.Value("ProjectProductName");
  f.systemName = content.Value("ProjectSystemName");
  f.batchRunning = content.Value("BatchRunning") == "Y";  // exactly "Y", nothing else
  f.projectDirectory = content.Value("ProjectDirectory");
  f.subVersion = content.Value("ProjectSubVersion");
  f.interfaceType = content.Value("ProjectInterFaceType");
  f.maxDirDepth = IntOf(content.Value("MaxDirDepth"));
  f.selectedFilesScreenWidth = IntOf(content.Value("SelectedFilesScreenWidth"));
  f.usedCopiesScreenWidth = IntOf(content.Value("UsedCopiesScreenWidth"));
  f.sourceLinesInJob = IntOf(content.Value("SourceLinesInJob"));
  f.numberOfRenamedModules = IntOf(content.Value("NumberOfRenamedModules"));
  f.numberOfModules = IntOf(content.Value("NumberOfModules"));
  f.numberOfRenamedSourceFiles = IntOf(content.Value("NumberOfRenamedSourceFiles"));
  f.numberOfSourceFiles = IntOf(content.Value("NumberOfSourceFiles"));
  f.caption = content.Value("frmKorvaneMain.Caption");
  return f;
}

void ApplyMemos(const JobFileContent& content, FormModel& form) {
  for (const auto& c : form.Components()) {
    auto* memo = dynamic_cast<Memo*>(c.get());
    if (memo == nullptr || !IsJobMemo(memo->Name()) || content.Value(memo->Name()).empty()) {
      continue;
    }
    memo->SetLines(content.BlockAfter(memo->Name()));
    memo->SetModified(true);
  }
}

void ApplyVisibleEdits(const JobFileContent& content, FormModel& form, bool rememberFiles) {
  for (const auto& c : form.Components()) {
    if (!c->Visible()) continue;
    const ComponentKind kind = c->Kind();
    if (kind != ComponentKind::Edit && kind != ComponentKind::DirectoryFrame &&
        !(kind == ComponentKind::ToolPathFrame && rememberFiles)) {
      continue;
    }
    // Tool paths are saved behind ";", which this lookup never matches: only a line
    // whose ";" was removed by hand brings a path back.
    const std::string value = content.Value(c->Name());
    if (value.empty()) continue;
    if (auto* edit = dynamic_cast<EditBox*>(c.get())) {
      edit->SetText(value);
    } else if (auto* dir = dynamic_cast<DirectoryFrame*>(c.get())) {
      dir->SetText(value);
    } else if (auto* tool = dynamic_cast<ToolPathFrame*>(c.get())) {
      tool->SetText(value);
    }
  }
}

void ApplyRadioGroups(const JobFileContent& content, FormModel& form) {
  for (const auto& c : form.Components()) {
    auto* group = dynamic_cast<RadioGroup*>(c.get());
    if (group == nullptr || !group->Visible()) continue;
    group->SetItemIndex(IntOf(content.Value(group->Name())));
  }
}

void ApplyHolders(const JobFileContent& content, FormModel& form) {
  for (const auto& c : form.Components()) {
    auto* holder = dynamic_cast<StringListHolder*>(c.get());
    if (holder == nullptr) continue;
    holder->Clear();
    const std::string value = content.Value(holder->Name());
    // The list stands inside "(" and ")"; those two characters are dropped unseen.
    if (value.size() > 2) holder->SetCommaText(std::string_view(value).substr(1, value.size() - 2));
    const std::string maxLen = content.Value(holder->Name() + ".MaxLen");
    if (!maxLen.empty()) holder->SetMaxLen(IntOf(maxLen));
  }
}

void ApplyCheckLists(const JobFileContent& content, FormModel& form) {
  for (const auto& c : form.Components()) {
    auto* list = dynamic_cast<CheckList*>(c.get());
    if (list == nullptr || !list->Visible() || content.Value(list->Name()).empty()) continue;
    std::vector<std::string> block = content.BlockAfter(list->Name());
    std::vector<CheckListItem> items;
    items.reserve(block.size());
    for (std::string& line : block) {
      if (line.size() < 2) {
        throw JobFileError("Item line \"" + line + "\" of " + list->Name() +
                           " lacks its check and enable flags");
      }
      CheckListItem item;
      item.checked = line[0] == 'Y';
      item.enabled = line[1] == 'Y';
      item.text = line.substr(2);
      items.push_back(std::move(item));
    }
    if (list->Sorted()) SortLikeTheList(items);
    list->SetItems(std::move(items));
  }
}

}  // namespace korvane
