#include "korvane/core/components/form_model.h"

#include <gtest/gtest.h>

#include <map>

#include "korvane/core/components/action.h"
#include "korvane/core/components/controls.h"
#include "support/inner_case_table.h"

namespace korvane {
namespace {

using Names = std::vector<std::string>;

TEST(FormModel, CreationOrderExactNamesShowingAndRemoval) {
  FormModel form;
  Names heard;
  std::map<std::string, Component*> created;
  Connection watched;
  ConnectionList keep;
  keep.Add(
      form.componentAdded.Connect([&](Component& c) { heard.push_back("added " + c.Name()); }));
  keep.Add(form.componentRemoved.Connect([&](Component& c) {
    const char* gone = form.Find(c.Name()) == nullptr ? "" : " (still in the form)";
    heard.push_back("removed " + c.Name() + " of " + c.Parent() + gone);
  }));
  testing::ExpectCaseTable("components/form_model.txt", [&](const Names& in) {
    const std::string& op = in[0];
    heard.clear();
    try {
      if (op == "page control") created[in[1]] = &form.Create<PageControl>(in[1], in[2]);
      if (op == "page") created[in[1]] = &form.Create<Page>(in[1], in[2], "caption");
      if (op == "memo") created[in[1]] = &form.Create<Memo>(in[1], in[2]);
      if (op == "edit") created[in[1]] = &form.Create<EditBox>(in[1], in[2]);
      if (op == "find") heard.push_back(form.Find(in[1]) != nullptr ? "found" : "not found");
      if (op == "memo?") form.Get<Memo>(in[1]);
      if (op == "hide" || op == "show") form.Find(in[1])->SetVisible(op == "show");
      if (op == "showing") {
        heard.push_back(form.Showing(*form.Find(in[1])) ? "showing" : "not showing");
        heard.push_back(form.Find(in[1])->Visible() ? "visible" : "hidden");
      }
      if (op == "watch") watched = form.Get<Memo>(in[1]).reset.Connect([] {});
      if (op == "remove") heard.push_back(form.Remove(in[1]) ? "removed" : "none removed");
      if (op == "same") heard.push_back(form.Find(in[1]) == created[in[1]] ? "same" : "another");
    } catch (const std::logic_error& e) {
      heard.push_back(std::string("refused: ") + e.what());
    }
    if (op == "remove") heard.push_back(watched.Connected() ? "handle connected" : "handle ended");
    std::string order = "form:";
    for (const auto& c : form.Components()) order += " " + c->Name();
    heard.push_back(order);
    return heard;
  });
  watched.Disconnect();
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
