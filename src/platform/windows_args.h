#pragma once
// Command lines are strings, as on Windows: they are cut into arguments with the
// rules of CommandLineToArgvW, so a path in double quotes stays one argument and no
// text is ever given to a shell. A trailing "> file" is taken off for the caller to
// honour.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The program name ends at the first blank or tab, or, when it begins with a double
// quote, at the next double quote; backslashes in it are plain characters. In the
// other arguments 2n backslashes before a double quote give n backslashes and the
// quote opens or closes a quoted part, 2n+1 give n backslashes and a literal quote,
// backslashes before anything else stay as they are, and a doubled quote inside a
// quoted part is a literal quote. Blanks and tabs separate arguments outside quotes.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

struct ParsedCommand {
  std::vector<std::string> argv;
  std::string redirectTo;  // empty: standard output is not redirected
  bool append = false;     // ">>" rather than ">"
};

// Splits line and takes off a trailing redirection: an unquoted ">" (or ">>")
// followed by a file name, or an unquoted ">file" as the last argument. A program
// part quoted as a whole with its redirection inside ("dir/lastbatch.cmd > x.log")
// is cut at its last " > " as well, so such a command still runs the program.
ParsedCommand ParseCommandLine(std::string_view line);

// The reverse of the splitting for one argument: quoted only when it needs to be.
std::string QuoteWindowsArgument(std::string_view arg);

}  // namespace platform
