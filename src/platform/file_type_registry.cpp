#include "platform/file_type_registry.h"

#include <unordered_set>
#include <utility>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/desktop_exec.h"
#include "platform/run_tool.h"
#include "platform/user_dirs.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shlobj.h>
#include <windows.h>

#include "platform/win_text.h"
#endif

namespace platform {

namespace {

// ".JWrap" -> "jwrap"; empty when the extension cannot name a file or a
// MIME type.
std::string ExtensionStem(const std::string& extension) {
  std::string stem = AsciiLower(extension);
  if (!stem.empty() && stem.front() == '.') stem.erase(0, 1);
  if (stem.empty()) return {};
  for (const char c : stem) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '+';
    if (!ok) return {};
  }
  return stem;
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

// Action identifiers may hold only letters, digits and "-".
std::string ActionId(const std::string& verb) {
  std::string id;
  for (const char c : verb) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-') {
      id.push_back(c);
    }
  }
  return id;
}

// A Windows icon reference "file,index" names a resource inside a program;
// only an image file can serve as a desktop entry's icon.
std::string DesktopIcon(const std::string& icon) {
  std::string path = icon;
  const size_t comma = path.rfind(',');
  if (comma != std::string::npos &&
      path.find_first_not_of("-0123456789", comma + 1) == std::string::npos) {
    path.erase(comma);
  }
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return {};
  const std::string ext = AsciiLower(path.substr(dot));
  if (ext == ".png" || ext == ".svg" || ext == ".svgz" || ext == ".xpm") return path;
  return {};
}

#ifdef _WIN32

// Per-user classes: writing here needs no administrator rights and is what
// HKEY_CLASSES_ROOT shows the user.
bool SetClassDefault(const std::string& subKey, const std::string& value) {
  HKEY key = nullptr;
  const std::wstring path = Widen("Software\\Classes\\" + subKey);
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring wide = Widen(value);
  const LONG rc =
      ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

void NotifyShell() {
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

#endif

}  // namespace

FileTypeRegistry::FileTypeRegistry() : FileTypeRegistry(DataHome()) {}

FileTypeRegistry::FileTypeRegistry(std::filesystem::path dataHome)
    : dataHome_(std::move(dataHome)) {}

std::string FileTypeRegistry::MimeTypeFor(const std::string& extension) {
  const std::string stem = ExtensionStem(extension);
  // The job files' type is the one the installed package declares, so that a user's
  // own registration and the package's never make two types of one extension.
  if (stem == "jwrap") return "application/x-korvane-job";
  return stem.empty() ? std::string() : "application/x-korvane-" + stem;
}

std::filesystem::path FileTypeRegistry::MimePackagePath(const std::string& extension) const {
  const std::string stem = ExtensionStem(extension);
  if (stem.empty() || dataHome_.empty()) return {};
  return dataHome_ / "mime" / "packages" / ("x-korvane-" + stem + ".xml");
}

std::filesystem::path FileTypeRegistry::DesktopEntryPath(const std::string& extension) const {
  const std::string stem = ExtensionStem(extension);
  if (stem.empty() || dataHome_.empty()) return {};
  return dataHome_ / "applications" / ("korvane-" + stem + ".desktop");
}

#ifdef _WIN32

bool FileTypeRegistry::SetExtensionType(const std::string& extension, const std::string& typeName) {
  std::string key = extension;
  if (!key.empty() && key.front() == '\\') key.erase(0, 1);
  if (key.empty()) return false;
  const bool ok = SetClassDefault(key, typeName);
  NotifyShell();
  return ok;
}

bool FileTypeRegistry::SetDefaultIcon(const std::string& typeName, const std::string& icon) {
  if (typeName.empty()) return false;
  const bool ok = SetClassDefault(typeName + "\\DefaultIcon", icon);
  NotifyShell();
  return ok;
}

bool FileTypeRegistry::SetShellVerb(const std::string& typeName, const std::string& verb,
                                    const std::string& caption, const std::string& command) {
  if (typeName.empty() || verb.empty()) return false;
  // A key that cannot be opened is skipped; the others are still written.
  bool ok = SetClassDefault(typeName + "\\shell", verb);
  ok = SetClassDefault(typeName + "\\shell\\" + verb, caption) && ok;
  ok = SetClassDefault(typeName + "\\shell\\" + verb + "\\command", command) && ok;
  NotifyShell();
  return ok;
}

#else

bool FileTypeRegistry::SetExtensionType(const std::string& extension, const std::string& typeName) {
  const std::string stem = ExtensionStem(extension);
  if (stem.empty() || typeName.empty() || dataHome_.empty()) return false;
  const std::string typeKey = AsciiLower(typeName);
  TypeInfo& type = types_[typeKey];
  type.name = typeName;
  extensions_[stem] = typeKey;
  return WriteFiles(stem, type);
}

bool FileTypeRegistry::SetDefaultIcon(const std::string& typeName, const std::string& icon) {
  if (typeName.empty() || dataHome_.empty()) return false;
  const std::string typeKey = AsciiLower(typeName);
  TypeInfo& type = types_[typeKey];
  if (type.name.empty()) type.name = typeName;
  type.icon = icon;
  return WriteFilesFor(typeKey);
}

bool FileTypeRegistry::SetShellVerb(const std::string& typeName, const std::string& verb,
                                    const std::string& caption, const std::string& command) {
  if (typeName.empty() || verb.empty() || dataHome_.empty()) return false;
  const std::string typeKey = AsciiLower(typeName);
  TypeInfo& type = types_[typeKey];
  if (type.name.empty()) type.name = typeName;
  bool replaced = false;
  for (Verb& v : type.verbs) {
    if (AsciiEqualNoCase(v.name, verb)) {
      v.caption = caption;
      v.command = command;
      replaced = true;
      break;
    }
  }
  if (!replaced) type.verbs.push_back({verb, caption, command});
  type.defaultVerb = verb;
  return WriteFilesFor(typeKey);
}

#endif

bool FileTypeRegistry::WriteFilesFor(const std::string& typeKey) {
  const auto type = types_.find(typeKey);
  if (type == types_.end()) return false;
  bool ok = true;
  for (const auto& [stem, key] : extensions_) {
    if (key == typeKey) ok = WriteFiles(stem, type->second) && ok;
  }
  return ok;
}

bool FileTypeRegistry::WriteFiles(const std::string& extension, const TypeInfo& type) {
  const std::filesystem::path mimePath = MimePackagePath(extension);
  if (mimePath.empty() || !EnsureDirectory(mimePath.parent_path())) return false;
  bool ok = WriteFileAtomic(mimePath, MimePackage(extension, type), 0644).empty();

  // Without a verb there is no command to open the file with yet.
  const std::string entry = DesktopEntry(extension, type);
  if (entry.empty()) return ok;
  const std::filesystem::path desktopPath = DesktopEntryPath(extension);
  if (!EnsureDirectory(desktopPath.parent_path())) return false;
  ok = WriteFileAtomic(desktopPath, entry, 0644).empty() && ok;
  return ok;
}

std::string FileTypeRegistry::MimePackage(const std::string& extension,
                                          const TypeInfo& type) const {
  const std::string stem = ExtensionStem(extension);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" +
         XmlEscape(MimeTypeFor(stem)) +
         "\">\n"
         "    <comment>" +
         XmlEscape(type.name) +
         "</comment>\n"
         "    <glob pattern=\"*." +
         XmlEscape(stem) +
         "\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string FileTypeRegistry::DesktopEntry(const std::string& extension,
                                           const TypeInfo& type) const {
  const Verb* main = nullptr;
  for (const Verb& v : type.verbs) {
    if (AsciiEqualNoCase(v.name, type.defaultVerb)) main = &v;
  }
  if (main == nullptr) return {};
  const std::string mainExec = DesktopExecFromWindowsCommand(main->command);
  if (mainExec.empty()) return {};

  // The default verb leads the menu, the others follow in registration order.
  std::vector<const Verb*> ordered{main};
  for (const Verb& v : type.verbs) {
    if (&v != main) ordered.push_back(&v);
  }
  std::vector<std::pair<std::string, const Verb*>> actions;
  std::unordered_set<std::string> ids;
  for (const Verb* v : ordered) {
    std::string id = ActionId(v->name);
    if (id.empty() || DesktopExecFromWindowsCommand(v->command).empty()) continue;
    if (ids.insert(id).second) actions.emplace_back(std::move(id), v);
  }

  std::string text = "[Desktop Entry]\nType=Application\n";
  text += "Name=" + DesktopEntryEscape(type.name) + "\n";
  text += "Exec=" + DesktopEntryEscape(mainExec) + "\n";
  const std::string icon = DesktopIcon(type.icon);
  if (!icon.empty()) text += "Icon=" + DesktopEntryEscape(icon) + "\n";
  text += "MimeType=" + MimeTypeFor(extension) + ";\n";
  // Only an opener for job files, not a program to list in the menus.
  text += "NoDisplay=true\nTerminal=false\n";
  if (!actions.empty()) {
    text += "Actions=";
    for (const auto& action : actions) text += action.first + ";";
    text += "\n";
  }
  for (const auto& [id, verb] : actions) {
    text += "\n[Desktop Action " + id + "]\n";
    text += "Name=" + DesktopEntryEscape(verb->caption.empty() ? verb->name : verb->caption) + "\n";
    text += "Exec=" + DesktopEntryEscape(DesktopExecFromWindowsCommand(verb->command)) + "\n";
  }
  return text;
}

bool FileTypeRegistry::RefreshDesktopDatabases() const {
#ifdef _WIN32
  return true;  // the registry notifies the shell itself
#else
  if (dataHome_.empty()) return false;
  const bool mime = RunToolAndWait("update-mime-database", {(dataHome_ / "mime").string()});
  const bool desktop =
      RunToolAndWait("update-desktop-database", {(dataHome_ / "applications").string()});
  return mime && desktop;
#endif
}

}  // namespace platform
