#include "stelmar/core/file_parse.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

// Windows' C runtime: handles are not inherited by default, and a file opened
// without O_BINARY would have its line ends translated.
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace stelmar {
namespace {

enum CharClass : unsigned char { kBlank, kWordChar, kDigit, kPunct };

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    if (c <= 0x20 || c == 0x7f) {
      table[c] = kBlank;
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$' ||
               c == '#') {
      table[c] = kWordChar;
    } else if (c >= '0' && c <= '9') {
      table[c] = kDigit;
    } else {
      // Bytes above 127 count as punctuation: national characters in a PL/I
      // source are never part of a name the rules look for.
      table[c] = kPunct;
    }
  }
  return table;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

inline unsigned char ClassOf(char c) {
  return kClasses[static_cast<unsigned char>(c)];
}

// Characters a punctuation run stops before.
inline bool StopsRun(char c, bool inComment) {
  switch (c) {
    case '\\':
    case '{':
    case '}':
    case ';':
    case '"':
    case '\'':
    case '[':
    case ']':
    case '*':
    case '/':
      return true;
    case '(':
    case ')':
      return !inComment;
    default:
      return false;
  }
}

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

FileParse::FileParse() {
  line_.reserve(kLinePiece + 1);
  previousLine_.reserve(kLinePiece + 1);
  token_.reserve(kTokenLimit + 2);
  previous_.reserve(kTokenLimit + 2);
  beforePrevious_.reserve(kTokenLimit + 2);
  savedPrevious_.reserve(kTokenLimit + 2);
  savedBefore_.reserve(kTokenLimit + 2);
}

FileParse::~FileParse() {
  Close();
}

void FileParse::Reset() {
  line_.clear();
  previousLine_.clear();
  pos_ = 0;
  linesRead_ = 0;
  tokensInLine_ = 0;
  state_ = ReadState::kNone;
  token_.clear();
  previous_.clear();
  beforePrevious_.clear();
  type_ = 0;
  previousType_ = 0;
  bufPos_ = bufEnd_ = nullptr;
}

bool FileParse::Open(const std::string& path) {
  Close();
  Reset();
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_BINARY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  buffer_.resize(kBufferSize);
  sourceDone_ = false;
  return true;
}

void FileParse::OpenText(std::string_view text) {
  Close();
  Reset();
  memory_ = text;
  sourceDone_ = false;
}

void FileParse::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  memory_ = {};
  sourceDone_ = true;
  bufPos_ = bufEnd_ = nullptr;
}

bool FileParse::FillBuffer() {
  if (sourceDone_) return false;
  if (fd_ < 0) {
    bufPos_ = memory_.data();
    bufEnd_ = memory_.data() + memory_.size();
    sourceDone_ = true;
    return bufPos_ != bufEnd_;
  }
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n > 0) {
      bufPos_ = buffer_.data();
      bufEnd_ = bufPos_ + n;
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    sourceDone_ = true;  // end of file, or a read error that ends the source alike
    return false;
  }
}

bool FileParse::ReadLine() {
  std::swap(previousLine_, line_);
  for (;;) {
    line_.clear();
    bool gotAny = false;
    bool newline = false;
    while (line_.size() < kLinePiece) {
      if (bufPos_ == bufEnd_ && !FillBuffer()) break;
      gotAny = true;
      const std::size_t room = kLinePiece - line_.size();
      const std::size_t avail = static_cast<std::size_t>(bufEnd_ - bufPos_);
      const std::size_t n = room < avail ? room : avail;
      const void* nl = std::memchr(bufPos_, '\n', n);
      if (nl != nullptr) {
        const char* end = static_cast<const char*>(nl) + 1;
        line_.append(bufPos_, end);
        bufPos_ = end;
        newline = true;
        break;
      }
      line_.append(bufPos_, n);
      bufPos_ += n;
    }
    if (!gotAny) {
      state_ = ReadState::kEnd;
      return false;
    }
    ++linesRead_;
    if (newline) {
      line_.pop_back();
      // CR LF reads as one line end, as text mode does on the system the sources come from.
      if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    }
    if (line_.empty() || line_[0] == '*') continue;
    pos_ = 0;
    tokensInLine_ = 0;
    state_ = ReadState::kLine;
    return true;
  }
}

bool FileParse::SkipBlanks() {
  for (;;) {
    const std::size_t size = line_.size();
    while (pos_ < size && ClassOf(line_[pos_]) == kBlank) ++pos_;
    if (pos_ < size) return true;
    if (!ReadLine()) return false;
  }
}

int FileParse::NextToken() {
  std::swap(beforePrevious_, previous_);
  std::swap(previous_, token_);
  token_.clear();
  previousType_ = type_;
  if (state_ == ReadState::kEnd || (state_ == ReadState::kNone && !ReadLine()) || !SkipBlanks()) {
    return type_ = kEndOfFile;
  }
  type_ = ReadToken(false);
  ++tokensInLine_;
  return type_;
}

int FileParse::NextTokenInComment() {
  std::swap(previous_, token_);
  token_.clear();
  if (state_ == ReadState::kEnd || (state_ == ReadState::kNone && !ReadLine()) || !SkipBlanks()) {
    return type_ = kEndOfFile;
  }
  type_ = ReadToken(true);
  ++tokensInLine_;
  return type_;
}

void FileParse::SkipComment() {
  savedPrevious_ = previous_;
  savedBefore_ = beforePrevious_;
  const int savedType = previousType_;
  int depth = 1;
  while (depth > 0) {
    const int type = NextTokenInComment();
    if (type == kEndOfFile) break;
    if (type != kOther || token_.size() != 2) continue;
    if (token_ == "/*") {
      ++depth;
    } else if (token_ == "*/") {
      --depth;
    }
  }
  // The comment leaves no trace: the rules see the tokens around it as neighbours,
  // and the restored token keeps its own type.
  token_ = savedPrevious_;
  previous_ = savedBefore_;
  type_ = savedType;
}

int FileParse::ReadRun(bool inComment, int type) {
  const std::size_t start = pos_;
  const std::size_t size = line_.size();
  std::size_t end = start + 1;
  const std::size_t limit = start + kTokenLimit < size ? start + kTokenLimit : size;
  if (type == kWord || type == kHashWord) {
    while (end < limit && (ClassOf(line_[end]) == kWordChar || ClassOf(line_[end]) == kDigit))
      ++end;
  } else if (type == kNumber) {
    while (end < limit && ClassOf(line_[end]) == kDigit) ++end;
  } else {
    while (end < limit) {
      const char c = line_[end];
      if (ClassOf(c) != kPunct || StopsRun(c, inComment)) break;
      if (end + 1 < size && (line_[end + 1] == '/' || line_[end + 1] == '*')) break;
      ++end;
    }
  }
  token_.assign(line_, start, end - start);
  pos_ = end;
  return token_.size() >= kTokenLimit ? kCut : type;
}

void FileParse::ReadGroup(char open) {
  const char close = open == '(' ? ')' : open == '[' ? ']' : open;
  token_.push_back(open);
  ++pos_;
  int depth = 1;
  char quote = 0;  // inside a quoted part of a parenthesised group
  bool escaped = false;
  while (token_.size() < kTokenLimit) {
    if (pos_ >= line_.size()) {
      if (!ReadLine()) return;
      continue;
    }
    const char c = line_[pos_++];
    token_.push_back(c);
    if (escaped) {
      escaped = false;
    } else if (c == '\\') {
      escaped = true;
    } else if (open == '"' || open == '\'') {
      if (c == close) return;
    } else if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (open == '(' && (c == '"' || c == '\'')) {
      quote = c;
    } else if (c == open) {
      ++depth;
    } else if (c == close && --depth == 0) {
      return;
    }
  }
}

int FileParse::ReadToken(bool inComment) {
  const std::size_t size = line_.size();
  const char c = line_[pos_];
  switch (ClassOf(c)) {
    case kWordChar:
      return ReadRun(inComment, c == '#' && !inComment ? kHashWord : kWord);
    case kDigit:
      return ReadRun(inComment, kNumber);
    default:
      break;
  }
  if (c == '"' || c == '\'' || c == '(' || c == '[') {
    const int type = c == '(' ? kParenthesised : c == '[' ? kBracketed : kQuoted;
    if (inComment) {
      token_.assign(1, c);
      ++pos_;
    } else {
      ReadGroup(c);
    }
    return type;
  }
  const char next = pos_ + 1 < size ? line_[pos_ + 1] : '\0';
  if (c == '\\' && !inComment) {
    token_.assign(line_, pos_, pos_ + 1 < size ? 2 : 1);
    pos_ += token_.size();
    return kOther;
  }
  if ((c == '/' && (next == '*' || next == '/')) || (c == '*' && next == '/')) {
    token_.assign(line_, pos_, 2);
    pos_ += 2;
    return kOther;
  }
  return ReadRun(inComment, kOther);
}

}  // namespace stelmar
