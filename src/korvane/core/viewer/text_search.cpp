// Case-insensitive search with a skip table, so a long text is not compared byte by
// byte at every position.
#include "korvane/core/viewer/text_search.h"

#include <algorithm>
#include <array>

#include "korvane/core/common/text.h"

namespace korvane {

namespace {

using FoldTable = std::array<unsigned char, 256>;

FoldTable MakeFold(bool latin1) {
  FoldTable fold{};
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool ascii = byte < 0x80;
    fold[c] =
        ascii || latin1 ? static_cast<unsigned char>(ToUpperChar(static_cast<char>(byte))) : byte;
  }
  return fold;
}

const FoldTable& Fold(bool latin1) {
  static const FoldTable single = MakeFold(true);
  static const FoldTable asciiOnly = MakeFold(false);
  return latin1 ? single : asciiOnly;
}

// The first match of form in text[from, to) (a match may not pass to), npos when none.
// Horspool's search on folded bytes: the byte under the needle's end says how far the
// needle may move, so most of a long text is stepped over.
size_t FindIn(std::string_view text, const SearchForm& form, size_t from, size_t to) {
  const std::string_view needle = form.bytes;
  const size_t n = needle.size();
  if (n == 0 || from > to || to - from < n) return std::string_view::npos;
  const FoldTable& fold = Fold(form.latin1);
  const auto key = [&fold](char c) { return fold[static_cast<unsigned char>(c)]; };
  std::array<size_t, 256> skip;
  skip.fill(n);
  for (size_t i = 0; i + 1 < n; ++i) skip[key(needle[i])] = n - 1 - i;
  const unsigned char last = key(needle[n - 1]);
  for (size_t at = from; at + n <= to;) {
    const unsigned char end = key(text[at + n - 1]);
    if (end == last) {
      size_t k = 0;
      while (k + 1 < n && key(text[at + k]) == key(needle[k])) ++k;
      if (k + 1 == n) return at;
    }
    at += skip[end];
  }
  return std::string_view::npos;
}

// The earliest match of any form in text[from, to).
std::optional<TextMatch> FirstOf(std::string_view text, const std::vector<SearchForm>& forms,
                                 size_t from, size_t to) {
  std::optional<TextMatch> best;
  for (const SearchForm& form : forms) {
    // A later form only has to beat the best match so far.
    const size_t limit = best ? std::min(to, best->start + form.bytes.size()) : to;
    const size_t at = FindIn(text, form, from, limit);
    if (at != std::string_view::npos && (!best || at < best->start))
      best = TextMatch{at, form.bytes.size(), false};
  }
  return best;
}

}  // namespace

std::optional<TextMatch> FindText(std::string_view text, const std::vector<SearchForm>& forms,
                                  size_t from, bool wrap) {
  from = std::min(from, text.size());
  if (auto match = FirstOf(text, forms, from, text.size())) return match;
  if (!wrap || from == 0) return std::nullopt;
  // A match that started before from and runs past it counts on the way round.
  size_t longest = 0;
  for (const SearchForm& form : forms) longest = std::max(longest, form.bytes.size());
  auto match = FirstOf(text, forms, 0, std::min(text.size(), from + longest - 1));
  if (match && match->start >= from) return std::nullopt;
  if (match) match->wrapped = true;
  return match;
}

}  // namespace korvane
