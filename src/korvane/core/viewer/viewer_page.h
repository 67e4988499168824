#pragma once
// One page of the internal viewer: its tab name and caption, the file it shows with that
// file's date at loading, and the text. A page can follow its file as it grows.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "korvane/core/viewer/text_document.h"

namespace korvane {

enum class PageKind { Simple, Marker };

// The modification date of a file; nothing when it cannot be read.
std::optional<std::filesystem::file_time_type> FileDateOf(const std::string& path);

class ViewerPage {
 public:
  ViewerPage(std::string name, std::string caption);
  virtual ~ViewerPage() = default;
  ViewerPage(const ViewerPage&) = delete;
  ViewerPage& operator=(const ViewerPage&) = delete;

  virtual PageKind Kind() const { return PageKind::Simple; }
  virtual std::string FrameName() const { return name_ + "FrameSimpleViewer"; }
  // Asked by close current page before the page goes; false keeps it.
  virtual bool MayClose() { return true; }

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& path) { fileName_ = path; }
  const std::optional<std::filesystem::file_time_type>& FileDate() const { return fileDate_; }
  void SetFileDate(std::optional<std::filesystem::file_time_type> date) { fileDate_ = date; }
  int LastReportedLine() const { return lastReportedLine_; }
  void SetLastReportedLine(int line) { lastReportedLine_ = line; }
  TextDocument& Document() { return document_; }
  const TextDocument& Document() const { return document_; }

  // Loads path as rich text when it is rich text, as plain text otherwise, and takes its
  // date. Throws FileError when it cannot be read.
  void LoadFile(const std::string& path);

  // A followed page takes up what is added to its file (a log written by a run).
  bool Following() const { return following_; }
  void SetFollowing(bool on) { following_ = on; }
  // Reads what the file gained since it was loaded; a file that shrank is read again.
  // True when the text changed. Reading errors leave the page as it is.
  bool Refresh();

  // Connections that live as long as the page (the line display's).
  ConnectionList& Connections() { return connections_; }

 private:
  std::string name_;
  std::string caption_;
  std::string fileName_;
  std::optional<std::filesystem::file_time_type> fileDate_;
  int lastReportedLine_ = -1;
  TextDocument document_;
  bool following_ = false;
  std::uintmax_t loadedSize_ = 0;
  ConnectionList connections_;
};

}  // namespace korvane
