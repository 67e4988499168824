#pragma once
// The wrapping types a source can be given: the stored code, the captions the
// type combo, the source list and the technical page show, its action and the
// language option that offers it.

#include <array>
#include <string_view>

namespace korvane {

struct WrapType {
  std::string_view code;
  std::string_view comboCaption;
  std::string_view listCaption;
  std::string_view action;  // empty: the type has no action of its own
  std::string_view programCaption;
  std::string_view option;
};

// In the order the type combo offers them. The combo's procedure caption has
// two blanks, the list's one: both are shown to people as they always were.
inline constexpr std::array<WrapType, 5> kWrapTypes{{
    {"Onl", "Transaction wrapping", "Transaction wrapping", "ActWrapTypeOnl",
     "Online wrapper program ", "OnlineWrap"},
    {"File", "File wrapping", "File wrapping", "ActWrapTypeFile", "Batch wrapper program ",
     "BatchWrap"},
    {"Module", "Subprogram wrapping", "Subprogram wrapping", "ActWrapTypeModule",
     "Subprogram wrapper program ", "SubWrap"},
    {"Proc", "Procedure  wrapping", "Procedure wrapping", "ActWrapTypeProc",
     "Procedure wrapper program ", "ProcedureWrap"},
    {"Intr", "Interface wrapping", "Interface wrapping", "", "Interface wrapper program ",
     "InterfaceWrap"},
}};

// The caption a source line shows for a code; an unknown code is shown as stored.
inline std::string_view ListCaptionOf(std::string_view code) {
  for (const auto& type : kWrapTypes) {
    if (type.code == code) return type.listCaption;
  }
  return code;
}

// File and procedure wrapping need marked labels before a source can be used.
inline bool IsLabelBound(std::string_view code) {
  return code == "File" || code == "Proc";
}

}  // namespace korvane
