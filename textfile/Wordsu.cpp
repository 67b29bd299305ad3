#include "textfile/Wordsu.h"

#include <charconv>
#include <istream>

namespace {

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

WordRead NextWord(std::istream& in, std::string& word) {
    using Traits = std::istream::traits_type;
    word.clear();
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) return WordRead::End;
    int c = buffer->sgetc();
    while (c != Traits::eof() && IsSpace(c)) c = buffer->snextc();
    while (c != Traits::eof() && !IsSpace(c)) {
        if (word.size() == MaxWordLength) return WordRead::TooLong;
        word.push_back(Traits::to_char_type(c));
        c = buffer->snextc();
    }
    return word.empty() ? WordRead::End : WordRead::Word;
}

bool ParseInt(std::string_view text, int32_t& value) {
    // One sign at most: "+" is skipped here, "-" is left for from_chars.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    const std::string_view digits =
        !plus && !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return false;
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}
