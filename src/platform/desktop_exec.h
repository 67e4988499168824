#pragma once
// Turns a Windows shell-verb command line ("prog" -x "%1") into the Exec
// value of a freedesktop desktop entry (prog -x %f).

#include <string>
#include <string_view>

namespace platform {

// The command is split with the C runtime's quoting rules, the program name
// included, so that a path holding a quote can be written (\"). An argument
// that is exactly "%1" becomes the field code %f; every other "%" is doubled.
// An argument holding a character the desktop entry format reserves is
// quoted with its backslash, quote, dollar and backtick escaped. The result
// is the Exec value before the key-file escaping of backslashes; empty when
// the command is empty.
std::string DesktopExecFromWindowsCommand(std::string_view command);

// One argument of such a command line in double quotes, by the same rules: a quote
// inside is escaped with a backslash, and backslashes are doubled only before a quote,
// whether literal or the closing one.
std::string QuoteCommandArgument(std::string_view arg);

// The key-file escaping of a string value: backslash, line breaks and tab
// escaped, a leading blank written as \s.
std::string DesktopEntryEscape(std::string_view value);

}  // namespace platform
