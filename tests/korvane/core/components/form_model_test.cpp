#include "korvane/core/components/form_model.h"

#include <gtest/gtest.h>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"

namespace korvane {
namespace {

TEST(FormModel, KeepsCreationOrderAndFindsByExactName) {
  FormModel form;
  form.Create<PageControl>("Pages", "");
  form.Create<Page>("PageB", "Pages", "B");
  form.Create<EditBox>("EditZ", "PageB");
  form.Create<Page>("PageA", "Pages", "A");

  std::vector<std::string> order;
  for (const auto& c : form.Components()) order.push_back(c->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"Pages", "PageB", "EditZ", "PageA"}));

  EXPECT_EQ(form.Find("editz"), nullptr);  // names are file formats: exact
  EXPECT_THROW(form.Get<Memo>("EditZ"), std::logic_error);
  EXPECT_THROW(form.Create<EditBox>("EditZ", "PageB"), std::logic_error);
}

TEST(FormModel, ShowingFollowsEveryParent) {
  FormModel form;
  auto& pages = form.Create<PageControl>("Pages", "");
  auto& page = form.Create<Page>("Page", "Pages", "P");
  auto& edit = form.Create<EditBox>("Edit", "Page");
  page.SetVisible(false);
  EXPECT_FALSE(form.Showing(edit));
  EXPECT_TRUE(edit.Visible());  // its own flag is untouched
  page.SetVisible(true);
  pages.SetVisible(false);
  EXPECT_FALSE(form.Showing(edit));
  pages.SetVisible(true);
  EXPECT_TRUE(form.Showing(edit));

  int changes = 0;  // page changes are announced once
  const Connection pageChangedWatch = pages.pageChanged.Connect([&] { ++changes; });
  pages.SetActivePage("Page");
  pages.SetActivePage("Page");
  EXPECT_EQ(changes, 1);
}

TEST(Controls, SignalsFireOnRealChangesOnly) {
  EditBox edit("Edit", "");
  int changes = 0;
  int edits = 0;
  const Connection changedWatch = edit.changed.Connect([&] { ++changes; });
  const Connection editedWatch = edit.edited.Connect([&] { ++edits; });
  edit.SetText("abc");
  edit.SetText("abc");
  EXPECT_EQ(changes, 1);
  edit.UserEdit("abcd");
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(edits, 1);
  edit.SetText("x");  // a programmatic text resets the edited flag
  EXPECT_FALSE(edit.Modified());
}

TEST(Controls, RadioButtonAndGroupRunTheirClickHandling) {
  RadioButton button("RadioButtonCobol", "", "Cobol");
  int clicks = 0;
  const Connection clickedWatch = button.clicked.Connect([&] { ++clicks; });
  button.SetChecked(true);  // checking an unchecked button clicks it
  button.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  button.Click();  // a click on the checked button is no change
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

TEST(ActionList, LookupCategoriesAndHandlers) {
  ActionList actions;
  actions.Add("ActRunWrap", "Start wrapper", "Preparation");
  actions.Add("ActRunTool", "Run tool", "Preparation");
  actions.Add("ActAbout", "About", "Help");
  EXPECT_THROW(actions.Add("ActAbout", "x", "Help"), std::logic_error);
  EXPECT_THROW(actions.Get("ActMissing"), std::logic_error);
  EXPECT_EQ(actions.Find("actabout"), nullptr);

  std::vector<std::string> prep;
  for (const auto* a : actions.InCategory("Preparation")) prep.push_back(a->Name());
  EXPECT_EQ(prep, (std::vector<std::string>{"ActRunWrap", "ActRunTool"}));

  int runs = 0;
  actions.Get("ActRunWrap").SetHandler([&] { ++runs; });
  actions.Get("ActRunWrap").Invoke();
  actions.Get("ActRunTool").Invoke();  // no handler: nothing happens
  EXPECT_EQ(runs, 1);

  int changes = 0;
  Action& about = actions.Get("ActAbout");
  const Connection changedWatch = about.changed.Connect([&] { ++changes; });
  about.SetVisible(false);
  about.SetVisible(false);
  about.SetCaption("Info");
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace korvane
