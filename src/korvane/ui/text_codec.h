#pragma once
// The core keeps bytes as they are; the view shows file contents as Latin-1
// and file names in the locale's encoding.

#include <QString>
#include <string>

namespace korvane::ui {

inline QString FromLatin1(const std::string& s) {
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ToLatin1(const QString& s) {
  const QByteArray bytes = s.toLatin1();
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

inline QString FromLocal(const std::string& s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ToLocal(const QString& s) {
  const QByteArray bytes = s.toLocal8Bit();
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

}  // namespace korvane::ui
