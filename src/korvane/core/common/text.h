#pragma once
// Small string routines shared by the whole shell: 8-bit case mapping, trimming, the
// separator/part helpers, boolean and integer text forms, and splitting text into lines.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// A text that should have been a boolean or an integer was something else.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Case mapping of single bytes: ASCII letters and the Latin-1 letters
// (0xC0-0xDE except 0xD7 <-> 0xE0-0xFE except 0xF7). Other bytes stay as they are.
char ToUpperChar(char c);
char ToLowerChar(char c);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Remove every byte <= ' ' (blanks and control characters) from the ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Words start after a blank, ",", "-", "." or "_" and at the beginning: their first
// character is upper case, every other character lower case.
std::string ProperCase(std::string_view text);

// Text around the first / last exact occurrence of sep. Before*: the whole text when
// sep is empty or absent; After*: empty then.
std::string BeforeFirst(std::string_view text, std::string_view sep);
std::string BeforeLast(std::string_view text, std::string_view sep);
std::string AfterFirst(std::string_view text, std::string_view sep);
std::string AfterLast(std::string_view text, std::string_view sep);

// Whether text begins with prefix, exactly / ignoring case. An empty prefix always matches.
bool StartsWithCase(std::string_view prefix, std::string_view text);
bool StartsWithText(std::string_view prefix, std::string_view text);

// 1-based position of the first occurrence of sub at or after start, 0 when none.
// Without caseSensitive only ASCII letters are folded.
int PosFrom(std::string_view sub, std::string_view text, int start, bool caseSensitive);

// First / last n characters (whole text when shorter, empty for n <= 0).
std::string LeftPart(std::string_view text, int n);
std::string RightPart(std::string_view text, int n);
// Characters from..to, 1-based and inclusive; negative indexes count from the end.
std::string Slice(std::string_view text, int from, int to);

int CountLeadingSpaces(std::string_view text);
// Every run of consecutive ch becomes a single ch.
std::string CollapseRepeats(std::string_view text, char ch);

// Y, J, I, True -> true; N, False, empty -> false (any case); anything else throws
// ConversionError "<text> is not valid boolean value (Y,J,I,N,True,False)".
bool StrToBoolStrict(std::string_view text);
// Empty text gives def, anything else is read strictly.
bool StrToBoolDefault(std::string_view text, bool def);
std::string BoolToYN(bool flag);
std::string BoolToChar(bool flag, std::string_view yes, std::string_view no);

// Integers read from configuration and job files: "0" is put in front and the result
// read as decimal, so an empty text is 0. Anything that is not all digits, or does not
// fit, throws ConversionError "'<prefixed text>' is not a valid integer value".
long long ZeroPrefixedInt(std::string_view text);
std::string ToDecimal(long long value);

// CR LF, CR and LF each end a line. A final line without terminator is kept; a trailing
// terminator does not add an empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, the last one too.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace korvane
