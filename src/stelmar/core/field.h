#pragma once
// A settings text of at most 159 characters: every assignment cuts to fit, so
// no value, however long its source, can grow past the limit the tools expect.

#include <cstddef>
#include <string>
#include <string_view>

namespace stelmar {

class Field {
 public:
  static constexpr std::size_t kMaxLength = 159;

  Field() = default;
  Field(std::string_view text) { *this = text; }              // NOLINT: cut like an assignment
  Field(const char* text) : Field(std::string_view(text)) {}  // NOLINT
  Field(const std::string& text) : Field(std::string_view(text)) {}  // NOLINT

  Field& operator=(std::string_view text) {
    text_.assign(text.substr(0, text.size() < kMaxLength ? text.size() : kMaxLength));
    return *this;
  }
  Field& operator=(const char* text) { return *this = std::string_view(text); }
  Field& operator=(const std::string& text) { return *this = std::string_view(text); }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }  // NOLINT
  bool empty() const { return text_.empty(); }
  friend bool operator==(const Field& a, const Field& b) { return a.text_ == b.text_; }
  friend bool operator==(const Field& a, std::string_view b) { return a.text_ == b; }
  friend bool operator==(const Field& a, const char* b) { return a.text_ == b; }
  friend bool operator==(const Field& a, const std::string& b) { return a.text_ == b; }

 private:
  std::string text_;
};

}  // namespace stelmar
