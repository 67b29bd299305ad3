// Splitting a saved game into words, and reading its integers.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

inline constexpr std::size_t MaxWordLength = 1023;

enum class WordRead {
    Word,    // a word was read
    End,     // no word left before the end of the text
    TooLong, // a word longer than MaxWordLength; the reading cannot go on
};

// Reads the next word: a run of characters other than space, tab, CR, LF, vertical tab and
// form feed. Never holds more than MaxWordLength + 1 characters, however long the run.
WordRead NextWord(std::istream& in, std::string& word);

// Parses an optionally signed decimal integer that fits 32 bits; false for anything else,
// the empty text included.
bool ParseInt(std::string_view text, int32_t& value);
