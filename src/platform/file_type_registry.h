#pragma once
// Associates a file extension with the program: a type name, its icon and the
// verbs of the file manager's menu. The registry's class keys of the current
// user on Windows; elsewhere a freedesktop MIME package and desktop entry
// below the user's data folder, rewritten after every change.

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

class FileTypeRegistry {
 public:
  // Files go below DataHome() ($XDG_DATA_HOME, by default ~/.local/share).
  FileTypeRegistry();
  // Files go below dataHome; empty means nowhere, so every call fails.
  explicit FileTypeRegistry(std::filesystem::path dataHome);

  // Each returns false when it could not store what it was given.
  bool SetExtensionType(const std::string& extension, const std::string& typeName);
  bool SetDefaultIcon(const std::string& typeName, const std::string& icon);
  // Also makes verb the type's default verb, so the verb registered last is
  // what opening a file does.
  bool SetShellVerb(const std::string& typeName, const std::string& verb,
                    const std::string& caption, const std::string& command);

  // Tells the desktop about the files written: the MIME and desktop-entry caches are
  // rebuilt with update-mime-database and update-desktop-database where those tools
  // exist, so a double click in a file manager finds the program. False when a tool
  // was missing or failed (the files stay valid; the desktop notices them later).
  bool RefreshDesktopDatabases() const;

  // For an extension such as ".dat": application/x-korvane-dat (".jwrap": the
  // package's application/x-korvane-job) and the
  // two files describing it (on Windows these are never written).
  static std::string MimeTypeFor(const std::string& extension);
  std::filesystem::path MimePackagePath(const std::string& extension) const;
  std::filesystem::path DesktopEntryPath(const std::string& extension) const;

 private:
  struct Verb {
    std::string name;
    std::string caption;
    std::string command;
  };
  struct TypeInfo {
    std::string name;
    std::string icon;
    std::vector<Verb> verbs;  // in registration order
    std::string defaultVerb;
  };

  bool WriteFilesFor(const std::string& typeName);
  bool WriteFiles(const std::string& extension, const TypeInfo& type);
  std::string MimePackage(const std::string& extension, const TypeInfo& type) const;
  std::string DesktopEntry(const std::string& extension, const TypeInfo& type) const;

  std::filesystem::path dataHome_;
  // Keys folded to lower case: the names compare without case, as on Windows.
  std::unordered_map<std::string, std::string> extensions_;  // extension -> type key
  std::unordered_map<std::string, TypeInfo> types_;
};

}  // namespace platform
