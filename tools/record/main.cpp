// record write BOOKLIST RECORD: plays the behaviour record's games (some opening with the lines
// of BOOKLIST) and writes every position's answers to RECORD.
// record check RECORD: replays RECORD and reports every answer that differs.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/record/Record.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: record write BOOKLIST RECORD | record check RECORD\n");
    return 2;
}

// The opening lines of a book list, comments and blank lines left out.
std::vector<std::string> ReadLines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 4) {
        std::ifstream list(argv[2]);
        if (!list) return std::fprintf(stderr, "record: cannot read %s\n", argv[2]), 1;
        const std::string text = WriteRecord(ReadLines(list));
        std::ofstream out(argv[3], std::ios::binary);
        out << text;
        if (!out) return std::fprintf(stderr, "record: cannot write %s\n", argv[3]), 1;
        return 0;
    }
    if (command == "check" && argc == 3) {
        std::ifstream in(argv[2]);
        if (!in) return std::fprintf(stderr, "record: cannot read %s\n", argv[2]), 1;
        const RecordCheck check = CheckRecord(in);
        std::printf("%s%d positions, %d differ\n", check.Report.c_str(), check.Positions,
                    check.Mismatches);
        return check.Mismatches == 0 && check.Positions > 0 ? 0 : 1;
    }
    return Usage();
}
