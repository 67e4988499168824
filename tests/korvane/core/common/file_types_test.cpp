#include "korvane/core/common/file_types.h"

#include <gtest/gtest.h>

#include "platform/test_env.h"

namespace {

TEST(FileTypes, JobFilesOpenWithTheShell) {
  korvane::testing::TempDir tmp;
  platform_test::ScopedEnv data("XDG_DATA_HOME", tmp / "share");
  platform::FileTypeRegistry registry;
  // As the shell registers at start: the plain verb last, so that it ends as the default.
  const std::string type = "KV Korvane Job Definition";
  korvane::RegisterFileType(registry, ".jwrap", type);
  korvane::RegisterDefaultIcon(registry, type, "/opt/k/korvane,0");
  korvane::RegisterShellVerb(registry, type, "OpenAdvanced", "Start job with advanced options",
                             "\"/opt/k/korvane\" -sha -root \"/tools\" -proj \"%1\"");
  korvane::RegisterShellVerb(registry, type, "Open", "Start job",
                             "\"/opt/k/korvane\" -root \"/tools\" -proj \"%1\"");

  // The package and quoting formats are the registry's business; the entry
  // shows that every part reached it in the right place and order.
  EXPECT_EQ(tmp.Read("share/applications/korvane-jwrap.desktop"),
            "[Desktop Entry]\nType=Application\nName=KV Korvane Job Definition\n"
            "Exec=/opt/k/korvane -root /tools -proj %f\n"
            "MimeType=application/x-korvane-jwrap;\nNoDisplay=true\nTerminal=false\n"
            "Actions=Open;OpenAdvanced;\n"
            "\n[Desktop Action Open]\nName=Start job\n"
            "Exec=/opt/k/korvane -root /tools -proj %f\n"
            "\n[Desktop Action OpenAdvanced]\nName=Start job with advanced options\n"
            "Exec=/opt/k/korvane -sha -root /tools -proj %f\n");
}

}  // namespace
