#include "korvane/core/common/file_types.h"

#include <gtest/gtest.h>

#include "platform/test_env.h"

namespace {

// The job file type as the shell registers it at start: first the
// extension, then the icon, then the advanced verb and the plain one, so
// that "Open" ends as the default.
void RegisterJobs(platform::FileTypeRegistry& registry, const std::string& exe,
                  const std::string& root) {
  const std::string type = "KV Korvane Job Definition";
  korvane::RegisterFileType(registry, ".jwrap", type);
  korvane::RegisterDefaultIcon(registry, type, exe + ",0");
  korvane::RegisterShellVerb(registry, type, "OpenAdvanced",
                             "Start job with advanced options enabled",
                             "\"" + exe + "\" -sha -root \"" + root + "\" -proj \"%1\"");
  korvane::RegisterShellVerb(registry, type, "Open", "Start job",
                             "\"" + exe + "\" -root \"" + root + "\" -proj \"%1\"");
}

TEST(FileTypes, JobFilesOpenWithTheShell) {
  platform_test::TempFolder tmp;
  platform_test::ScopedEnv data("XDG_DATA_HOME", tmp.Str("share"));
  platform::FileTypeRegistry registry;
  RegisterJobs(registry, "/opt/korvane/bin/korvane", "/opt/korvane/tools");

  EXPECT_EQ(tmp.Read("share/mime/packages/x-korvane-jwrap.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"application/x-korvane-jwrap\">\n"
            "    <comment>KV Korvane Job Definition</comment>\n"
            "    <glob pattern=\"*.jwrap\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n");
  EXPECT_EQ(tmp.Read("share/applications/korvane-jwrap.desktop"),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=KV Korvane Job Definition\n"
            "Exec=/opt/korvane/bin/korvane -root /opt/korvane/tools -proj %f\n"
            "MimeType=application/x-korvane-jwrap;\n"
            "NoDisplay=true\n"
            "Terminal=false\n"
            "Actions=Open;OpenAdvanced;\n"
            "\n"
            "[Desktop Action Open]\n"
            "Name=Start job\n"
            "Exec=/opt/korvane/bin/korvane -root /opt/korvane/tools -proj %f\n"
            "\n"
            "[Desktop Action OpenAdvanced]\n"
            "Name=Start job with advanced options enabled\n"
            "Exec=/opt/korvane/bin/korvane -sha -root /opt/korvane/tools -proj %f\n");
}

TEST(FileTypes, InstallPathsWithBlanksAndSpecialCharacters) {
  platform_test::TempFolder tmp;
  platform::FileTypeRegistry registry(tmp.Path());
  // A second registration (a new version) rewrites the same two files.
  RegisterJobs(registry, "/old/korvane", "/old");
  RegisterJobs(registry, "/home/me/My Apps/korvane", "/home/me/100% $tools");
  const std::string entry = tmp.Read("applications/korvane-jwrap.desktop");
  EXPECT_NE(entry.find("\nExec=\"/home/me/My Apps/korvane\" -root \"/home/me/100%% \\\\$tools\" "
                       "-proj %f\n"),
            std::string::npos)
      << entry;
  EXPECT_EQ(entry.find("/old"), std::string::npos);
  EXPECT_NE(entry.find("Actions=Open;OpenAdvanced;\n"), std::string::npos);
}

}  // namespace
