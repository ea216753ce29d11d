// Words set as a paragraph of the help: indented by two blanks, as many words on a line as
// fit. A word may hold blanks ("drainage (m),"), which the paragraph never breaks.
#pragma once

#include <string>
#include <vector>

namespace halosoil {

// The lines of the words, each ending in a newline, none longer than width characters
// unless a single word is.
std::string WrappedWords(const std::vector<std::string>& words, std::size_t width);

// The blank-separated words of a text, for a sentence set among generated words.
std::vector<std::string> WordsOf(const std::string& text);

}  // namespace halosoil
