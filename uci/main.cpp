// brisko-uci: the game's computer player for any chess GUI that speaks UCI on standard input
// and output.
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>

#include "uci/Protocol.h"

namespace {

// Longer than any command a GUI sends (a position after a thousand moves is 5,000 characters).
constexpr size_t MaxLineLength = 1 << 20;

// The installed opening book: beside the program, or in the data folder installed with it
// (../share/brisko-chess from the program's folder, as the game looks).
std::string InstalledBook(const char* argv0) {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) program = std::filesystem::absolute(argv0, error);
    const std::filesystem::path folder = program.parent_path();
    for (const std::filesystem::path& book :
         {folder / "Openings.grd", folder / BRISKO_DATA_FROM_PROGRAM / "Openings.grd"})
        if (std::filesystem::is_regular_file(book, error)) return book.lexically_normal().string();
    return "Openings.grd"; // the working folder, where the game looks
}

// Reads one line, without its CR LF; a line past MaxLineLength is read to its end and flagged.
bool ReadLine(std::streambuf& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    int c;
    bool any = false;
    while ((c = in.sbumpc()) != std::char_traits<char>::eof()) {
        any = true;
        if (c == '\n') break;
        if (line.size() < MaxLineLength)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

} // namespace

int main(int /*argc*/, char** argv) {
    std::signal(SIGPIPE, SIG_IGN); // a GUI that has gone away ends the input; that ends us
    std::ios::sync_with_stdio(false);
    UciEngine engine(std::cout, InstalledBook(argv[0]));
    std::string line;
    bool tooLong = false;
    while (ReadLine(*std::cin.rdbuf(), line, tooLong)) {
        if (tooLong) {
            engine.Inform("a line of more than " + std::to_string(MaxLineLength) +
                          " characters was ignored");
            continue;
        }
        if (!engine.Handle(line)) break;
    }
    return 0;
}
