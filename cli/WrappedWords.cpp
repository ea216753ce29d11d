#include "WrappedWords.h"

#include <sstream>

namespace halosoil {

std::string WrappedWords(const std::vector<std::string>& words, std::size_t width) {
    const std::string indent = "  ";
    std::string text;
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            text += line + "\n";
            line.clear();
        }
        line += line.empty() ? indent + word : " " + word;
    }
    if (!line.empty()) text += line + "\n";
    return text;
}

std::vector<std::string> WordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace halosoil
