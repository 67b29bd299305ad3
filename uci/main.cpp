// brisko-uci: the game's computer player for any chess GUI that speaks UCI on standard input
// and output.
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "uci/Protocol.h"

namespace {

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

} // namespace

int main(int /*argc*/, char** argv) {
    std::signal(SIGPIPE, SIG_IGN); // a GUI that has gone away ends the input; that ends us
    std::ios::sync_with_stdio(false);
    UciEngine engine(std::cout, InstalledBook(argv[0]));
    RunUci(*std::cin.rdbuf(), engine);
    return 0;
}
