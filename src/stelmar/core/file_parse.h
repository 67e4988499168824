#pragma once
// FileParse: the small PL/I tokenizer behind the FILE and procedure lists. It
// streams its source through a fixed buffer, so memory stays flat whatever the
// file's size, and keeps the current token with the two before it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stelmar {

enum TokenType : int {
  kEndOfFile = 1,
  kWord = 2,
  kNumber = 3,
  kQuoted = 4,
  kParenthesised = 5,
  kBracketed = 6,
  kOther = 7,
  kHashWord = 8,
  kCut = 999,
};

class FileParse {
 public:
  // Tokens hold at most this many characters; longer text continues as further tokens.
  static constexpr std::size_t kTokenLimit = 160;
  // A line is read in pieces of at most this many characters, its newline included.
  static constexpr std::size_t kLinePiece = 321;

  FileParse();
  ~FileParse();
  FileParse(const FileParse&) = delete;
  FileParse& operator=(const FileParse&) = delete;

  // False when the file cannot be opened; the tokenizer then reports end of file.
  bool Open(const std::string& path);
  // Tokenizes text held in memory (the caller keeps it alive while reading).
  void OpenText(std::string_view text);
  void Close();

  // Shifts the history and reads the next token; returns its type.
  int NextToken();
  // Reading inside a comment: only the current token moves into the previous one,
  // groups are not read, and there is neither a backslash token nor type 8.
  int NextTokenInComment();
  // Called after NextToken returned "/*": reads to the matching "*/" (nested
  // comments counted) and puts back the tokens seen before the comment.
  void SkipComment();

  const std::string& Token() const { return token_; }
  const std::string& PreviousToken() const { return previous_; }
  const std::string& TokenBeforePrevious() const { return beforePrevious_; }
  int TokenType() const { return type_; }
  int PreviousType() const { return previousType_; }
  long LinesRead() const { return linesRead_; }

 private:
  enum class ReadState { kNone, kLine, kEnd };

  void Reset();
  bool ReadLine();
  bool FillBuffer();
  // Skips blanks across lines; false at end of file.
  bool SkipBlanks();
  int ReadToken(bool inComment);
  void ReadGroup(char open);
  int ReadRun(bool inComment, int type);

  int fd_ = -1;
  std::vector<char> buffer_;
  std::string_view memory_;
  const char* bufPos_ = nullptr;
  const char* bufEnd_ = nullptr;
  bool sourceDone_ = true;

  std::string line_;
  std::string previousLine_;
  std::size_t pos_ = 0;
  long linesRead_ = 0;
  int tokensInLine_ = 0;
  ReadState state_ = ReadState::kNone;

  std::string token_;
  std::string previous_;
  std::string beforePrevious_;
  int type_ = 0;
  int previousType_ = 0;
  std::string savedPrevious_;
  std::string savedBefore_;
};

}  // namespace stelmar
