// Rich-text writing and reading for marked sources.
#include "korvane/core/viewer/rtf.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '\\' || ch == '{' || ch == '}') {
      out += '\\';
      out += ch;
    } else if (ch == '\t') {
      out += "\\tab ";
    } else if (byte < 0x20 || byte >= 0x80) {
      out += "\\'";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += ch;
    }
  }
}

std::string Number(long long value) {
  return std::to_string(value);
}

}  // namespace

std::string WriteRtf(const StyledText& text, const RtfFont& font) {
  // Colour table: index 0 is the default colour, then each distinct run colour.
  std::vector<std::uint32_t> colours;
  for (const ColourRun& run : text.runs) {
    if (std::find(colours.begin(), colours.end(), run.colour) == colours.end())
      colours.push_back(run.colour);
  }
  auto indexOf = [&](std::uint32_t colour) {
    return std::find(colours.begin(), colours.end(), colour) - colours.begin() + 1;
  };

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 ";
  AppendEscaped(out, font.name);
  out += ";}}\r\n{\\colortbl ;";
  for (const std::uint32_t colour : colours) {
    out += "\\red" + Number(colour & 0xFF) + "\\green" + Number((colour >> 8) & 0xFF) + "\\blue" +
           Number((colour >> 16) & 0xFF) + ";";
  }
  out += "}\r\n\\viewkind4\\uc1\\pard\\f0\\fs" + Number(std::max(1, font.pointSize) * 2);
  if (font.bold) out += "\\b";
  if (font.italic) out += "\\i";
  out += " ";

  size_t next = 0;  // first run not yet written
  for (size_t i = 0; i < text.lines.size(); ++i) {
    const std::string_view line = text.lines[i];
    size_t column = 0;
    while (next < text.runs.size() && text.runs[next].line < i) ++next;
    for (; next < text.runs.size() && text.runs[next].line == i; ++next) {
      const ColourRun& run = text.runs[next];
      if (run.column < column || run.column >= line.size()) continue;
      const size_t length = std::min(run.length, line.size() - run.column);
      AppendEscaped(out, line.substr(column, run.column - column));
      out += "\\cf" + Number(indexOf(run.colour)) + " ";
      AppendEscaped(out, line.substr(run.column, length));
      out += "\\cf0 ";
      column = run.column + length;
    }
    AppendEscaped(out, line.substr(std::min(column, line.size())));
    if (i + 1 < text.lines.size()) out += "\\par\r\n";
  }
  out += "\r\n}\r\n";
  return out;
}

namespace {

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}

  StyledText Read() {
    result_.lines.emplace_back();
    while (pos_ < in_.size()) {
      const char ch = in_[pos_];
      if (ch == '{') {
        ++pos_;
        stack_.push_back(state_);
        // A group starting with \* is a destination we may ignore.
        if (in_.substr(pos_, 2) == "\\*") state_.skip = true;
      } else if (ch == '}') {
        ++pos_;
        if (state_.colourTable && pendingUsed_) colours_.push_back(pending_);  // no final ';'
        pendingUsed_ = false;
        if (stack_.empty()) break;  // end of the document
        state_ = stack_.back();
        stack_.pop_back();
      } else if (ch == '\\') {
        ++pos_;
        ControlSymbolOrWord();
      } else if (ch == '\r' || ch == '\n') {
        ++pos_;
      } else {
        ++pos_;
        if (state_.colourTable && ch == ';') {
          colours_.push_back(pending_);
          pending_ = 0;
          pendingUsed_ = false;
        } else {
          Emit(ch);
        }
      }
    }
    return std::move(result_);
  }

 private:
  struct State {
    bool skip = false;
    bool colourTable = false;
    int colour = 0;
    int skipAfterUnicode = 1;
  };

  void ControlSymbolOrWord() {
    if (pos_ >= in_.size()) return;
    const char ch = in_[pos_];
    if (!IsLetter(ch)) {
      ++pos_;
      if (ch == '\'') {
        const int byte = HexByte();
        if (byte >= 0) Emit(static_cast<char>(byte));  // a broken escape carries nothing
      } else if (ch == '*') {
        state_.skip = true;
      } else if (ch == '~') {
        Emit(' ');
      } else if (ch == '\\' || ch == '{' || ch == '}') {
        Emit(ch);
      } else if (ch == '\r' || ch == '\n') {
        NewLine();
      }
      return;  // other symbols (\-, \_ and the like) carry no text of ours
    }
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < 32) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasValue = false;
    long long value = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
      if (value < 1000000000) value = value * 10 + (in_[pos_] - '0');
      hasValue = true;
      ++pos_;
    }
    if (negative) value = -value;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    Word(word, hasValue, value);
  }

  void Word(std::string_view word, bool hasValue, long long value) {
    if (word == "fonttbl" || word == "stylesheet" || word == "info" || word == "pict" ||
        word == "header" || word == "footer" || word == "listtable" || word == "generator") {
      state_.skip = true;
    } else if (word == "colortbl") {
      state_.skip = true;
      state_.colourTable = true;
      pending_ = 0;
      pendingUsed_ = false;
    } else if (state_.colourTable) {
      const auto part = static_cast<std::uint32_t>(std::clamp<long long>(value, 0, 255));
      pendingUsed_ = true;
      if (word == "red") pending_ = (pending_ & 0xFFFF00) | part;
      if (word == "green") pending_ = (pending_ & 0xFF00FF) | (part << 8);
      if (word == "blue") pending_ = (pending_ & 0x00FFFF) | (part << 16);
    } else if (word == "par" || word == "line") {
      NewLine();
    } else if (word == "tab") {
      Emit('\t');
    } else if (word == "cf") {
      state_.colour = hasValue ? static_cast<int>(std::max<long long>(0, value)) : 0;
    } else if (word == "plain") {
      state_.colour = 0;
    } else if (word == "uc") {
      state_.skipAfterUnicode = static_cast<int>(std::clamp<long long>(value, 0, 8));
    } else if (word == "u") {
      if (value < 0) value += 65536;
      Emit(value >= 0 && value < 256 ? static_cast<char>(value) : '?');
      SkipFallback(state_.skipAfterUnicode);
    }
  }

  void SkipFallback(int count) {
    for (int i = 0; i < count && pos_ < in_.size(); ++i) {
      if (in_[pos_] == '{' || in_[pos_] == '}') return;
      if (in_.substr(pos_, 2) == "\\'") {
        pos_ += std::min<size_t>(4, in_.size() - pos_);
      } else if (in_[pos_] == '\\') {
        return;  // a control word ends the fallback text early
      } else {
        ++pos_;
      }
    }
  }

  // -1 when no hex digit follows.
  int HexByte() {
    int value = 0;
    const size_t start = pos_;
    for (int i = 0; i < 2 && pos_ < in_.size(); ++i) {
      const char h = in_[pos_];
      int digit = -1;
      if (h >= '0' && h <= '9') digit = h - '0';
      if (h >= 'a' && h <= 'f') digit = h - 'a' + 10;
      if (h >= 'A' && h <= 'F') digit = h - 'A' + 10;
      if (digit < 0) break;
      value = value * 16 + digit;
      ++pos_;
    }
    return pos_ == start ? -1 : value;
  }

  static bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

  void NewLine() {
    if (state_.skip) return;
    result_.lines.emplace_back();
  }

  void Emit(char ch) {
    if (state_.skip) return;
    std::string& line = result_.lines.back();
    const size_t lineIndex = result_.lines.size() - 1;
    const std::uint32_t colour = ColourOf(state_.colour);
    if (colour != kNoColour) {
      auto& runs = result_.runs;
      if (!runs.empty() && runs.back().line == lineIndex &&
          runs.back().column + runs.back().length == line.size() && runs.back().colour == colour) {
        ++runs.back().length;
      } else {
        runs.push_back({lineIndex, line.size(), 1, colour});
      }
    }
    line += ch;
  }

  static constexpr std::uint32_t kNoColour = 0xFFFFFFFF;

  // Entry 0 of the table (written as an empty entry) is the default colour.
  std::uint32_t ColourOf(int index) const {
    if (index <= 0 || static_cast<size_t>(index) >= colours_.size()) return kNoColour;
    return colours_[index];
  }

  std::string_view in_;
  size_t pos_ = 0;
  State state_;
  std::vector<State> stack_;
  std::vector<std::uint32_t> colours_;
  std::uint32_t pending_ = 0;
  bool pendingUsed_ = false;
  StyledText result_;
};

}  // namespace

std::optional<StyledText> ReadRtf(std::string_view bytes) {
  if (bytes.substr(0, 5) != "{\\rtf") return std::nullopt;
  return Reader(bytes).Read();
}

}  // namespace korvane
