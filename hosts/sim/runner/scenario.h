// A scenario file read into steps: one step per line, words and quoted strings,
// numbers in decimal or &H hexadecimal, and `<<END` blocks taken as file contents.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim::scenario {

struct Token {
    enum class Kind { Word, String, Number } kind = Kind::Word;
    std::string text;   // the word, or the string's content (with "" and {CRLF} resolved)
    int64_t number = 0;
};

struct Step {
    int line = 0;
    std::vector<Token> tokens;
    std::optional<std::string> block;  // the lines of a <<END block, each ended by CRLF

    // The word at i ("" when it is not a word or absent).
    std::string Word(size_t i) const;
    bool IsWord(size_t i, const char* word) const { return Word(i) == word; }
};

struct SyntaxError : std::runtime_error {
    SyntaxError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
    int line;
};

// Reads a scenario; throws SyntaxError naming the line.
std::vector<Step> Parse(const std::string& content);

// Reads a scenario file and puts the steps of each `include "FILE"` in its place (FILE
// relative to the including file's folder, includes within includes allowed, a cycle
// refused). An included step carries the line of the scenario's own include step.
// Throws SyntaxError naming the line, or std::runtime_error when a file cannot be read.
std::vector<Step> ParseFile(const std::filesystem::path& file);

}  // namespace sim::scenario
