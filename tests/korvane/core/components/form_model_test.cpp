#include "korvane/core/components/form_model.h"

#include <gtest/gtest.h>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"
#include "support/inner_case_table.h"

namespace korvane {
namespace {

using Names = std::vector<std::string>;

TEST(FormModel, KeepsCreationOrderAndFindsByExactName) {
  FormModel form;
  auto& pages = form.Create<PageControl>("Pages", "");
  auto& page = form.Create<Page>("PageB", "Pages", "B");
  auto& edit = form.Create<EditBox>("EditZ", "PageB");
  form.Create<Page>("PageA", "Pages", "A");

  Names order;
  for (const auto& c : form.Components()) order.push_back(c->Name());
  EXPECT_EQ(order, (Names{"Pages", "PageB", "EditZ", "PageA"}));
  EXPECT_EQ(form.Find("editz"), nullptr);  // names are file formats: exact
  EXPECT_THROW(form.Get<Memo>("EditZ"), std::logic_error);
  EXPECT_THROW(form.Create<EditBox>("EditZ", "PageB"), std::logic_error);

  // Showing follows every parent; the component's own flag is untouched.
  page.SetVisible(false);
  EXPECT_FALSE(form.Showing(edit));
  EXPECT_TRUE(edit.Visible());
  page.SetVisible(true);
  pages.SetVisible(false);
  EXPECT_FALSE(form.Showing(edit));
  pages.SetVisible(true);
  EXPECT_TRUE(form.Showing(edit));
}

TEST(Controls, ChangesAreAnnouncedOnlyWhenRealAndTypingMarksModified) {
  EditBox edit("Edit", "");
  PageControl pages("Pages", "");
  RadioButton button("RadioButtonCobol", "", "Cobol");
  RadioGroup group("RadioGroupLangver_Korvane", "");
  Names events;
  ConnectionList keep;
  keep.Add(edit.changed.Connect([&] { events.push_back("changed"); }));
  keep.Add(pages.pageChanged.Connect([&] { events.push_back("page changed"); }));
  keep.Add(button.clicked.Connect([&] { events.push_back("clicked"); }));
  keep.Add(group.clicked.Connect([&] { events.push_back("clicked"); }));
  testing::ExpectCaseTable("components/controls.txt", [&](const Names& in) {
    const std::string& op = in[0];
    events.clear();
    if (op == "edit set") edit.SetText(in[1]);
    if (op == "edit type") edit.UserEdit(in[1]);
    if (op == "page") pages.SetActivePage(in[1]);
    if (op == "radio check") button.SetChecked(in[1] == "yes");
    if (op == "radio click") button.Click();
    if (op == "group items") group.SetItems(Names(in.begin() + 1, in.end()));
    if (op == "group index") group.SetItemIndex(std::stoi(in[1]));
    if (op.starts_with("edit")) events.push_back(edit.Modified() ? "modified" : "not modified");
    if (op.starts_with("radio")) events.push_back(button.Checked() ? "checked" : "unchecked");
    if (op.starts_with("group")) events.push_back("index " + std::to_string(group.ItemIndex()));
    return events;
  });
}

TEST(ActionList, ExactLookupAndCategoriesInCreationOrder) {
  ActionList actions;
  actions.Add("ActRunWrap", "Start wrapper", "Preparation");
  actions.Add("ActAbout", "About", "Help");
  actions.Add("ActRunTool", "Run tool", "Preparation");
  EXPECT_THROW(actions.Add("ActAbout", "x", "Help"), std::logic_error);
  EXPECT_THROW(actions.Get("ActMissing"), std::logic_error);
  EXPECT_EQ(actions.Find("actabout"), nullptr);

  Names prep;
  for (const auto* a : actions.InCategory("Preparation")) prep.push_back(a->Name());
  EXPECT_EQ(prep, (Names{"ActRunWrap", "ActRunTool"}));
}

}  // namespace
}  // namespace korvane
