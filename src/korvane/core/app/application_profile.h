#pragma once
// The fixed record that names the shell: its executable name, captions, tool
// folder rules and job file type. Exactly one profile exists.

#include <cstdint>
#include <string_view>

namespace korvane::profile {

inline constexpr std::uint8_t kProductKind = 4;
inline constexpr std::string_view kAppName = "Korvane";
inline constexpr std::string_view kMainCaption = "Korvane main shell";
inline constexpr std::string_view kToolsDirName = "Tools";
inline constexpr std::string_view kMigrateSubdir = "/Migrate/Korvane";
inline constexpr std::string_view kToolSuffix = "Wrap";
inline constexpr std::string_view kJobDescription = "KV Korvane Job Definition";
inline constexpr std::string_view kJobExtension = ".jwrap";
inline constexpr std::string_view kDevIniPath = "../_Korvane.Src/Korvane.INI";
inline constexpr std::string_view kApplicationTitle = "Korvane Applicatin";
inline constexpr std::string_view kSettingsSection = "Parameters";
inline constexpr std::string_view kJobParameterFile = "last.xml";
inline constexpr std::string_view kBatchFile = "lastbatch.cmd";
inline constexpr std::string_view kConsoleStub = "quillstub";
inline constexpr std::string_view kHelpFile = "HELP_DUNMERE.HLP";
inline constexpr int kHelpContext = 9999;

}  // namespace korvane::profile
