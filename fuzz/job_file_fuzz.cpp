// Opens arbitrary bytes as a job file on a small window: every step either succeeds or
// fails with one of the errors a loader reports; nothing may crash. A file that loaded
// must also save, and the saved lines must read back to the same check-list items.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/job_file.h"

namespace {

namespace n = korvane::names;

void BuildWindow(korvane::FormModel& form) {
  form.Create<korvane::RadioGroup>(n::kRadioGroupVersions, "").SetItems({"xml", "cics"});
  form.Create<korvane::EditBox>(n::kEditSystemName, "");
  form.Create<korvane::DirectoryFrame>(n::kFrameOutputDir, "", "Base");
  form.Create<korvane::CheckList>(n::kListSources, "").SetSorted(true);
  form.Create<korvane::CheckList>(n::kListControlTags, "");
  form.Create<korvane::ToolPathFrame>(n::kFrameArdent, "", "Ardent");
  form.Create<korvane::Memo>(n::kMemoNewFileNames, "");
  form.Create<korvane::Memo>(n::kMemoLongExtension, "");
  form.Create<korvane::StringListHolder>(n::kMarksHolder, "");
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const korvane::JobFileContent content(korvane::SplitLines(bytes));
  korvane::FormModel form;
  BuildWindow(form);
  try {
    korvane::CheckJobFileComplete(content, form);
  } catch (const korvane::JobFileError&) {
    // An incomplete file is refused by the loader; the appliers must still survive it.
  }
  try {
    korvane::ReadJobProjectFields(content);
    korvane::ApplyMemos(content, form);
    korvane::ApplyVisibleEdits(content, form, true);
    korvane::ApplyRadioGroups(content, form);
    korvane::ApplyHolders(content, form);
    korvane::ApplyCheckLists(content, form);
  } catch (const korvane::ConversionError&) {
    return 0;
  } catch (const korvane::JobFileError&) {
    return 0;
  }

  // Item texts never start a line, so the lists survive a save whatever they hold. Memo
  // lines are left out: one of them may carry a list's name as its key.
  form.Get<korvane::Memo>(n::kMemoNewFileNames).SetModified(false);
  form.Get<korvane::Memo>(n::kMemoLongExtension).SetModified(false);
  const std::vector<std::string> saved =
      korvane::BuildJobFileLines(korvane::JobProjectFields{}, form);
  korvane::FormModel again;
  BuildWindow(again);
  korvane::ApplyCheckLists(korvane::JobFileContent(saved), again);
  for (const char* name : {n::kListSources, n::kListControlTags}) {
    const auto& before = form.Get<korvane::CheckList>(name).Items();
    const auto& after = again.Get<korvane::CheckList>(name).Items();
    Check(before.size() == after.size());
    for (size_t i = 0; i < before.size(); ++i) {
      Check(before[i].text == after[i].text && before[i].checked == after[i].checked &&
            before[i].enabled == after[i].enabled);
    }
  }
  return 0;
}
