#pragma once
#include <string_view>
#include <utility>

// Word breaking for a text box whose words are the runs of text between spaces and line breaks:
// rows break only after a space, a double click takes one whole word and Ctrl+Left and Ctrl+Right
// move from word to word. A run too long for a row is broken between two characters where a
// row of East Asian text may break: never before a closing mark (，。、）) nor after an opening one.
// Positions count characters of `text`.
namespace wordbreak {

bool IsSeparator(char32_t c);
// Whether a row may end between a and b inside a run without separators.
bool CanBreakBetween(char32_t a, char32_t b);

// The start of the word before `index`, where Ctrl+Left goes and where a row that must end
// before `index` may end: the start of the word holding the character before `index`. In a run
// that begins the text and goes on past `index` (a row's first word, wider than the row), the
// last place before `index` where the run may be broken; 0 where there is none.
int Left(std::u32string_view text, int index);
// The start of the next word after the character before `index` (the end of the text after the
// last word), where Ctrl+Right goes.
int Right(std::u32string_view text, int index);
// The word that holds the character at `index`, as [first, second); empty at a separator or past the end.
std::pair<int, int> WordAt(std::u32string_view text, int index);

}  // namespace wordbreak
