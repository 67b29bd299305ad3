// pgnbench: what huge PGN input costs. Each measurement runs in a process of its own, so that
// its peak memory is its own.
//   pgnbench [FOLDER]              makes both files below in FOLDER (a new temporary folder
//                                  by default) and measures each
//   pgnbench make-tags FILE [MB]   tag pairs `[A ""]` for MB megabytes (60), then `1. e4 *`
//   pgnbench make-games FILE [N]   N random legal games (20000) with the usual tags, ~1 KB each
//   pgnbench import FILE           reads the file and its first game, as Import PGN does
//   pgnbench list FILE             reads the file and lists its games, as the chooser does
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/Findu.h"
#include "engine/Historyu.h"
#include "notation/Fen.h"
#include "notation/Pgn.h"
#include "notation/San.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's peak resident memory so far, in megabytes.
double PeakMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
}

int MakeTags(const std::string& path, double mb) {
    const auto bytes = static_cast<size_t>(mb * 1024 * 1024);
    std::string text;
    text.reserve(bytes + 16);
    while (text.size() < bytes) text += "[A \"\"]\n";
    text += "\n1. e4 *\n";
    return Write(path, text) ? 0 : 1;
}

// One random game of ordinary chess from the initial position, as an exported game reads.
std::string RandomGame(std::mt19937& random, int number) {
    auto history = std::make_unique<History>();
    Board board{};
    SetUpBoard(board);
    FindLegalMoves(board);
    ResetHistory(*history);
    PushHistory(*history, board);
    const int plies = 60 + static_cast<int>(random() % 60);
    for (int ply = 0; ply < plies && board.Outcome == InProgress; ++ply) {
        FindLegalMoves(board);
        std::vector<ChessMove> moves;
        for (int i = 0; i < board.LegalCount; ++i)
            if (!CastlesAcrossAttack(board, board.LegalMoves[i]))
                moves.push_back(
                    {board.LegalMoves[i], ReachesLastRow(board, board.LegalMoves[i]) ? Queen : 0});
        if (moves.empty() || !GameChessMove(board, *history, moves[random() % moves.size()])) break;
    }
    PgnTags tags;
    tags.Event = "Bench open " + std::to_string(number % 97);
    tags.Site = "Brisko club";
    tags.Date = "2024.03." + std::to_string(10 + number % 20);
    tags.Round = std::to_string(number % 11 + 1);
    tags.White = "Player " + std::to_string(random() % 5000) + ", A.";
    tags.Black = "Player " + std::to_string(random() % 5000) + ", B.";
    const PgnText pgn = WritePgn(*history, tags);
    if (!pgn.Written) return "";
    // The tags and the clock comment a database or a server adds.
    const size_t moves = pgn.Text.find("\n\n") + 1;
    char more[512];
    std::snprintf(more, sizeof more,
                  "[WhiteElo \"%d\"]\n[BlackElo \"%d\"]\n[ECO \"%c%02d\"]\n"
                  "[TimeControl \"180+2\"]\n[Termination \"Normal\"]\n"
                  "[Annotator \"pgnbench\"]\n[PlyCount \"%d\"]\n[EventDate \"2024.03.10\"]\n"
                  "[WhiteTitle \"FM\"]\n[BlackTitle \"CM\"]\n[WhiteFideId \"%d\"]\n[BlackFideId "
                  "\"%d\"]\n[Source \"The Brisko bench, fixed seed\"]\n"
                  "[Opening \"Random opening, "
                  "variation %d\"]\n",
                  1500 + static_cast<int>(random() % 1000),
                  1500 + static_cast<int>(random() % 1000), static_cast<char>('A' + random() % 5),
                  static_cast<int>(random() % 100), history->Count - 1, 4100000 + number,
                  4200000 + number, number % 500);
    return pgn.Text.substr(0, moves) + more +
           "\n{ [%clk 0:03:00] Played at the club, on the first board. }\n" +
           pgn.Text.substr(moves + 1) + "\n";
}

int MakeGames(const std::string& path, int count) {
    std::mt19937 random(18);
    std::string text;
    for (int g = 1; g <= count; ++g) text += RandomGame(random, g);
    std::printf("%d games, %.1f MB\n", count, static_cast<double>(text.size()) / 1048576.0);
    return Write(path, text) ? 0 : 1;
}

// A file read whole, with the time it took and the memory before.
struct Timed {
    double BeforeMb = PeakMb();
    Clock::time_point Start = Clock::now();
    double ReadS = 0;
    std::string Text;

    bool Read(const std::string& path) {
        std::string message;
        if (!ReadPgnFile(path, Text, message)) std::printf("%s\n", message.c_str());
        ReadS = SecondsSince(Start);
        return message.empty();
    }
};

int Import(const std::string& path) {
    Timed file;
    if (!file.Read(path)) return 1;
    const PgnGame game = ReadPgn(file.Text);
    std::printf("import %s: %s, %zu tags kept, %d positions, %zu remarks; file read %.3f s, "
                "whole import %.3f s, peak memory %.0f MB (%.0f MB at start)\n",
                path.c_str(), game.Imported ? "imported" : game.Message.c_str(), game.Tags.size(),
                game.Imported ? game.Game->Count : 0, game.Warnings.size(), file.ReadS,
                SecondsSince(file.Start), PeakMb(), file.BeforeMb);
    return game.Imported ? 0 : 1;
}

int List(const std::string& path) {
    Timed file;
    if (!file.Read(path)) return 1;
    const std::vector<PgnListing> games = ListPgnGames(file.Text);
    const double listed = SecondsSince(file.Start);
    // The game the user then picks: the last one.
    const PgnGame last = games.empty() ? PgnGame{} : ReadPgn(file.Text, games.back().Offset);
    std::printf("list %s: %zu games (%.1f MB); file read %.3f s, listed %.3f s, last game read "
                "%s in %.3f s more; peak memory %.0f MB (%.0f MB at start)\n",
                path.c_str(), games.size(), static_cast<double>(file.Text.size()) / 1048576.0,
                file.ReadS, listed, last.Imported ? "whole" : last.Message.c_str(),
                SecondsSince(file.Start) - listed, PeakMb(), file.BeforeMb);
    return games.empty() ? 1 : 0;
}

// Runs this program again with `arguments`, so that the measurement has a process of its own.
int RunSelf(const std::vector<std::string>& arguments) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        std::string self = "/proc/self/exe";
        argv.push_back(self.data());
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int All(std::string folder) {
    if (folder.empty()) {
        char name[] = "/tmp/pgnbench-XXXXXX";
        if (!mkdtemp(name)) return 1;
        folder = name;
    }
    const std::string tags = folder + "/tags.pgn", games = folder + "/games.pgn";
    int status = RunSelf({"make-tags", tags}) | RunSelf({"make-games", games});
    status |= RunSelf({"import", tags}) | RunSelf({"list", tags});
    status |= RunSelf({"import", games}) | RunSelf({"list", games});
    std::printf("files left in %s\n", folder.c_str());
    return status;
}

int Usage() {
    std::fprintf(stderr, "usage: pgnbench [FOLDER]\n"
                         "       pgnbench make-tags FILE [MB] | make-games FILE [GAMES]\n"
                         "       pgnbench import FILE | list FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 1) return All("");
    if (argc == 2 && mode.find('/') != std::string::npos) return All(mode);
    if (argc < 3) return Usage();
    const std::string file = argv[2];
    if (mode == "make-tags") return MakeTags(file, argc > 3 ? std::atof(argv[3]) : 60);
    if (mode == "make-games") return MakeGames(file, argc > 3 ? std::atoi(argv[3]) : 20000);
    if (mode == "import") return Import(file);
    if (mode == "list") return List(file);
    return Usage();
}
