#pragma once
// The core keeps bytes as they are; the view decodes them. File contents and
// messages are shown as UTF-8 where they are valid UTF-8, else as Latin-1, the
// single-byte code page the tools write; file names in the file system's encoding.

#include <QString>
#include <QStringDecoder>
#include <string>

namespace korvane::ui {

inline QString FromLatin1(const std::string& s) {
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ToLatin1(const QString& s) {
  const QByteArray bytes = s.toLatin1();
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

// Text as the person should read it: UTF-8 when the bytes are valid UTF-8 (plain
// ASCII is both), otherwise one character per byte.
inline QString FromText(const std::string& s) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
  return utf8.hasError() ? FromLatin1(s) : text;
}

// Typed text as the tools take it: one byte per character where every character
// fits the single-byte code page, UTF-8 where one does not (rather than losing it).
inline std::string ToText(const QString& s) {
  for (const QChar c : s) {
    if (c.unicode() > 0xFF) {
      const QByteArray bytes = s.toUtf8();
      return {bytes.constData(), static_cast<size_t>(bytes.size())};
    }
  }
  return ToLatin1(s);
}

// A line read back from an edit keeps its earlier bytes when it still reads the
// same, so that looking at a file never changes how it is stored.
inline std::string ToTextKeeping(const QString& s, const std::string& before) {
  return FromText(before) == s ? before : ToText(s);
}

inline QString FromLocal(const std::string& s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ToLocal(const QString& s) {
  const QByteArray bytes = s.toLocal8Bit();
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

}  // namespace korvane::ui
