#include "korvane/core/project/job_file.h"

#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "platform/atomic_file.h"

namespace korvane {
namespace {

// Rows of keyed values: set by key, so a repeated key replaces its first line and an
// empty value leaves no line at all.
void AddProperties(const JobProjectFields& f, KeyedLines& out) {
  out.Append("[RadioButtons]");
  out.SetValue("ActiveRadioButton", f.activeRadioButton);
  out.Append("[Properties]");
  out.SetValue("ProjectName", f.projectName);
  out.SetValue("ProjectProductName", f.productName);
  out.SetValue("ProjectSystemName", f.systemName);
  out.SetValue("BatchRunning", BoolToYN(f.batchRunning));
  out.SetValue("ProjectDirectory", f.projectDirectory);
  out.SetValue(";ProjectVersion", f.langCode);
  out.SetValue("ProjectSubVersion", f.subVersion);
  out.SetValue(";ToolRootDir", f.toolRoot);
  out.SetValue("ProjectInterFaceType", f.interfaceType);
  out.SetValue("MaxDirDepth", ToDecimal(f.maxDirDepth));
  out.SetValue("SelectedFilesScreenWidth", ToDecimal(f.selectedFilesScreenWidth));
  out.SetValue("UsedCopiesScreenWidth", ToDecimal(f.usedCopiesScreenWidth));
  out.SetValue("SourceLinesInJob", ToDecimal(f.sourceLinesInJob));
  // The counters link a closed shell to a batch still running; without one they are noise.
  if (f.batchRunning) {
    out.SetValue("NumberOfRenamedModules", ToDecimal(f.numberOfRenamedModules));
    out.SetValue("NumberOfModules", ToDecimal(f.numberOfModules));
    out.SetValue("NumberOfRenamedSourceFiles", ToDecimal(f.numberOfRenamedSourceFiles));
    out.SetValue("NumberOfSourceFiles", ToDecimal(f.numberOfSourceFiles));
  }
  out.Append("[Captions]");
  out.SetValue(std::string(names::kForm) + ".Caption", f.caption);
}

void AddComponentValues(const FormModel& form, KeyedLines& out) {
  const auto& all = form.Components();
  out.Append("[StringListHolders]");
  for (const auto& c : all) {
    if (const auto* holder = dynamic_cast<const StringListHolder*>(c.get())) {
      out.SetValue(holder->Name(), "(" + holder->CommaText() + ")");
      out.SetValue(holder->Name() + ".MaxLen", ToDecimal(holder->MaxLen()));
    }
  }
  // Edits and both frame kinds in one pass, so they keep the window's order among
  // themselves. Tool paths are written as comments: they follow the installation, and a
  // job carried to another machine must not drag the old paths along.
  for (const auto& c : all) {
    if (!c->Visible()) continue;
    if (const auto* edit = dynamic_cast<const EditBox*>(c.get())) {
      out.SetValue(edit->Name(), edit->Text());
    } else if (const auto* dir = dynamic_cast<const DirectoryFrame*>(c.get())) {
      out.SetValue(dir->Name(), dir->Text());
    } else if (const auto* tool = dynamic_cast<const ToolPathFrame*>(c.get())) {
      out.SetValue(";" + tool->Name(), tool->Text());
    }
  }
  out.Append("[Checkboxes]");  // the window has no check boxes
  out.Append("[RadioGroups]");
  for (const auto& c : all) {
    const auto* group = dynamic_cast<const RadioGroup*>(c.get());
    if (group != nullptr && group->Visible() && group->ItemIndex() >= 0) {
      out.SetValue(group->Name(), ToDecimal(group->ItemIndex()));
    }
  }
}

// Blocks are appended as they are: their lines are content, not keys.
void AddBlocks(const FormModel& form, std::vector<std::string>& lines) {
  const auto& all = form.Components();
  size_t needed = 0;
  for (const auto& c : all) {
    if (const auto* memo = dynamic_cast<const Memo*>(c.get())) needed += memo->Lines().size() + 2;
    if (const auto* list = dynamic_cast<const CheckList*>(c.get())) {
      needed += list->Items().size() + 2;
    }
  }
  lines.reserve(lines.size() + needed + 1);

  for (const auto& c : all) {
    const auto* memo = dynamic_cast<const Memo*>(c.get());
    if (memo == nullptr || !IsJobMemo(memo->Name()) || !memo->Modified()) continue;
    lines.emplace_back("[TMemo]");
    lines.push_back(memo->Name() + "=" + memo->Name());
    lines.insert(lines.end(), memo->Lines().begin(), memo->Lines().end());
  }
  for (const auto& c : all) {
    const auto* list = dynamic_cast<const CheckList*>(c.get());
    if (list == nullptr || !list->Visible()) continue;
    lines.emplace_back("[TCheckListBox]");
    lines.push_back(list->Name() + "=" + list->Name());
    for (const CheckListItem& item : list->Items()) {
      std::string line;
      line.reserve(item.text.size() + 2);
      line += item.checked ? 'Y' : 'N';
      line += item.enabled ? 'Y' : 'N';
      line += item.text;
      lines.push_back(std::move(line));
    }
  }
  lines.emplace_back(kJobFileEndMarker);
}

}  // namespace

bool IsJobMemo(std::string_view memoName) {
  return memoName != names::kMemoCaptureConsole && memoName != names::kMemoIniFile;
}

void MarkMemosForSave(FormModel& form) {
  if (auto* nameMap = dynamic_cast<Memo*>(form.Find(names::kMemoNewFileNames))) {
    nameMap->SetModified(true);
  }
  if (auto* ini = dynamic_cast<Memo*>(form.Find(names::kMemoIniFile))) ini->SetModified(false);
}

std::vector<std::string> BuildJobFileLines(const JobProjectFields& fields, const FormModel& form) {
  KeyedLines keyed;
  AddProperties(fields, keyed);
  AddComponentValues(form, keyed);
  std::vector<std::string> lines = keyed.Lines();
  AddBlocks(form, lines);
  return lines;
}

Outcome SaveJobFile(const std::string& path, const std::vector<std::string>& lines) {
  return Outcome::FromReason(platform::WriteFileAtomic(path, JoinLinesCrLf(lines)));
}

Outcome SaveJobFile(const std::string& path, const JobProjectFields& fields, FormModel& form) {
  MarkMemosForSave(form);
  return SaveJobFile(path, BuildJobFileLines(fields, form));
}

}  // namespace korvane
