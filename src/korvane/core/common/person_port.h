#pragma once
// The one way the core reaches the person in front of the program: questions,
// message boxes, file and folder dialogs, beep, and handing work to the
// interface thread. The Qt view, the headless console mode and the tests'
// scripted fake each implement it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

enum class MessageKind { Information, Warning, Error, Confirmation };

enum class Button { Ok, Cancel, Yes, No, Abort };

using Buttons = std::vector<Button>;

struct FileDialogRequest {
  std::string title;
  std::string filter;  // "Description|*.a;*.b|Other|*.*"
  std::string initialDir;
  std::string fileName;
  std::string defaultExt;
  bool multiSelect = false;
  bool overwritePrompt = false;
};

struct FolderDialogRequest {
  std::string caption;
  std::string startDir;
  bool allowCreate = true;
};

struct FontChoice {
  std::string name;
  int charSet = 0;
  int size = 0;
  int height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// What the About box shows.
struct AboutInfo {
  std::string fileDescription, fileVersion, productName, legalCopyright, productVersion;
  std::string memoContent;
};

class PersonPort {
 public:
  virtual ~PersonPort() = default;

  // A modal message or question; returns the button chosen. A box with a
  // single button is a message, two or more make it a question.
  virtual Button Ask(MessageKind kind, const std::string& text, const Buttons& buttons) = 0;

  // Empty result: the dialog was cancelled.
  virtual std::vector<std::string> OpenFiles(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) = 0;
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& current) = 0;

  virtual void Beep() = 0;

  // Lets the interface handle pending input during long loops.
  virtual void ProcessPendingEvents() = 0;

  // Runs work on the interface thread and waits for it (the watcher's
  // synchronised call). From the interface thread itself it runs at once.
  virtual void RunOnInterfaceThread(const std::function<void()>& work) = 0;

  // Shows an unexpected failure that ended an operation (not an abort).
  virtual void ShowFailure(const std::string& text) = 0;

  // The About box; without a window of its own it is a message.
  virtual void ShowAbout(const AboutInfo& info) {
    Ask(MessageKind::Information,
        info.productName + " " + info.fileVersion + "\r\n" + info.memoContent, {Button::Ok});
  }
  // Opens a document (the help file) with the desktop's program for it; false when
  // nothing could open it.
  virtual bool OpenDocument(const std::string& /*path*/) { return false; }
};

}  // namespace korvane
