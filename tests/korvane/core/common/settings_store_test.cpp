#include "korvane/core/common/settings_store.h"

#include <gtest/gtest.h>

#include "platform/memory_settings.h"
#include "support/inner_case_table.h"

namespace korvane {
namespace {

using testing::Fields;

TEST(SettingsStore, OperationsInOrder) {
  platform::MemorySettings mem;
  SettingsStore store(mem);
  testing::ExpectCaseTable("common/settings_store.txt", [&](const Fields& in) {
    const std::string& op = in[0];
    if (op == "section" || op == "product") {
      op == "section" ? store.SetSettingsSection(in[1]) : store.SetSettingsProduct(in[1]);
      return Fields{store.Key()};
    }
    if (op == "failing") {
      mem.failing = in[1] == "yes";
      return Fields{};
    }
    if (op == "problems") return store.TakeProblems();
    Fields out;
    if (op == "write") store.WriteSetting(in[1], in[2]);
    if (op == "writeint") store.WriteIntSetting(in[1], std::stoll(in[2]));
    if (op == "set") mem.Write(store.Key(), in[1], in[2]);
    if (op == "read") out.push_back(store.ReadSetting(in[1], in[2]));
    if (op == "readbool")
      out.push_back(store.ReadBoolSetting(in[1], in[2] == "1") ? "true" : "false");
    if (op == "readint")
      out.push_back(std::to_string(store.ReadIntSetting(in[1], std::stoll(in[2]))));
    const bool failing = mem.failing;
    mem.failing = false;
    out.push_back("stored " + mem.Read(store.Key(), in[1]).value_or("(absent)"));
    mem.failing = failing;
    return out;
  });
}

}  // namespace
}  // namespace korvane
