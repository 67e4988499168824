#include "korvane/core/components/form_model.h"

#include <gtest/gtest.h>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"

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
  int changes = 0;
  const Connection changedWatch = edit.changed.Connect([&] { ++changes; });
  edit.SetText("abc");
  edit.SetText("abc");
  EXPECT_EQ(changes, 1);
  edit.UserEdit("abcd");
  EXPECT_TRUE(edit.Modified());
  edit.SetText("x");  // a programmatic text resets the edited flag
  EXPECT_FALSE(edit.Modified());

  PageControl pages("Pages", "");
  int pageChanges = 0;
  const Connection pageWatch = pages.pageChanged.Connect([&] { ++pageChanges; });
  pages.SetActivePage("Page");
  pages.SetActivePage("Page");
  EXPECT_EQ(pageChanges, 1);
}

TEST(Controls, RadioButtonAndGroupRunTheirClickHandling) {
  RadioButton button("RadioButtonCobol", "", "Cobol");
  int clicks = 0;
  const Connection clickedWatch = button.clicked.Connect([&] { ++clicks; });
  button.SetChecked(true);  // checking an unchecked button clicks it
  button.Click();           // a click on the checked button is no change
  EXPECT_EQ(clicks, 1);
  button.SetChecked(false);
  button.Click();
  EXPECT_EQ(clicks, 2);

  RadioGroup group("RadioGroupLangver_Korvane", "");
  int groupClicks = 0;
  const Connection groupClickedWatch = group.clicked.Connect([&] { ++groupClicks; });
  group.SetItems({"XML", "WSDL"});
  group.SetItemIndex(1);
  group.SetItemIndex(1);
  group.SetItemIndex(7);  // out of range means no selection
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(groupClicks, 1);
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
