#include "tools/ucibench/Match.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "engine/Checkmateu.h"
#include "engine/Stalemateu.h"
#include "notation/Fen.h"
#include "notation/San.h"
#include "tools/common/Pipeprocess.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One engine of the match, with what it has done over all games.
struct Player {
    std::unique_ptr<PipeProcess> Process;
    std::string Name;
    int TimeLosses = 0, Illegal = 0, Hangs = 0;
    double LongestMs = 0, LeastLeftMs = 1e300;
};

bool Start(const EngineSetup& setup, int number, Player& player) {
    player.Process = std::make_unique<PipeProcess>(setup.Program);
    PipeProcess& engine = *player.Process;
    player.Name = "engine " + std::to_string(number);
    if (!engine.Started()) return false;
    engine.Send("uci");
    std::set<std::string> listed;
    std::string line;
    while (engine.ReadLine(line, 10000)) {
        if (line.rfind("id name ", 0) == 0) player.Name = line.substr(8);
        if (line.rfind("option name ", 0) == 0)
            listed.insert(line.substr(12, line.find(" type ") - 12));
        if (line == "uciok") break;
    }
    if (line != "uciok") return false;
    for (const auto& [name, value] : setup.IfListed)
        if (listed.count(name)) engine.Send("setoption name " + name + " value " + value);
    for (const auto& [name, value] : setup.Options) {
        if (!listed.count(name))
            std::printf("note: %s lists no option '%s'\n", player.Name.c_str(), name.c_str());
        engine.Send("setoption name " + name + " value " + value);
    }
    engine.Send("isready");
    return engine.WaitFor("readyok", line, 10000);
}

// The referee's view of a game of ordinary chess.
class Game {
  public:
    Game() {
        SetUpBoard(board);
        Remember();
    }

    const Board& Position() const { return board; }
    const std::string& Moves() const { return moves; }
    int Plies() const { return plies; }

    // Plays a move in coordinates; false when ordinary chess does not allow it.
    bool Play(const std::string& text) {
        ChessMove move{};
        if (ReadLong(board, text, move) != MoveRead::Legal ||
            CastlesAcrossAttack(board, move.Squares))
            return false;
        const Move& m = move.Squares;
        const bool pawn = board.Squares[m.X1][m.Y1] == Pawn || board.Squares[m.X1][m.Y1] == -Pawn;
        const bool capture = board.Squares[m.X2][m.Y2] != Empty || (pawn && m.X1 != m.X2);
        san.push_back(SanText(board, move));
        PlayChessMove(board, move);
        quietPlies = pawn || capture ? 0 : quietPlies + 1;
        moves += " " + text;
        ++plies;
        Remember();
        return true;
    }

    // "1-0", "0-1" or "1/2-1/2" with the reason once the rules end the game; empty before.
    std::string Ended(std::string& reason) {
        if (IsMate(board)) return reason = "checkmate", board.ToPlay == White ? "0-1" : "1-0";
        if (IsStalemate(board)) return reason = "stalemate", "1/2-1/2";
        if (seen[Key()] >= 3) return reason = "threefold repetition", "1/2-1/2";
        if (quietPlies >= 100) return reason = "fifty-move rule", "1/2-1/2";
        if (BareKings()) return reason = "insufficient material", "1/2-1/2";
        return "";
    }

    // The game's moves in SAN, numbered, in lines of at most 79 characters.
    std::string MoveText(const std::string& result) const {
        std::string text, line;
        for (size_t i = 0; i <= san.size(); ++i) {
            std::string word = i == san.size() ? result : san[i];
            if (i < san.size() && i % 2 == 0) word = std::to_string(i / 2 + 1) + ". " + word;
            if (!line.empty() && line.size() + 1 + word.size() > 79) {
                text += line + "\n";
                line.clear();
            }
            line += (line.empty() ? "" : " ") + word;
        }
        return text + line + "\n";
    }

  private:
    Board board{};
    std::string moves;
    std::vector<std::string> san;
    std::map<std::string, int> seen; // positions by their first four FEN fields
    int plies = 0, quietPlies = 0;

    std::string Key() const {
        const std::string fen = WriteFen(board, 1);
        return fen.substr(0, fen.rfind(' ', fen.rfind(' ') - 1));
    }
    void Remember() { ++seen[Key()]; }

    bool BareKings() const {
        int minors = 0;
        for (const auto& file : board.Squares)
            for (int code : file) {
                const int type = code < 0 ? -code : code;
                if (type == Pawn || type == Rook || type == Queen) return false;
                minors += type == Knight || type == Bishop;
            }
        return minors <= 1;
    }
};

struct Outcome {
    std::string Result, Reason;
    int Loser = -1; // the player that lost by a fault of its own
};

// Plays one game, `players[0]` White; counts each player's faults and times.
Outcome PlayGame(Player* players[2], const MatchSetup& setup,
                 const std::vector<std::string>& opening, Game& game, double clockMs[2]) {
    clockMs[0] = clockMs[1] = setup.BaseMs;
    std::string line;
    for (int s = 0; s < 2; ++s) {
        players[s]->Process->Send("ucinewgame");
        players[s]->Process->Send("isready");
        players[s]->Process->WaitFor("readyok", line, 10000);
    }
    for (const std::string& move : opening)
        if (!game.Play(move)) return {"*", "the opening " + move + " is not legal", -1};
    for (;;) {
        std::string reason;
        const std::string result = game.Ended(reason);
        if (!result.empty()) return {result, reason, -1};
        if (game.Plies() >= setup.MaxPlies) return {"1/2-1/2", "move limit", -1};
        const int s = game.Position().ToPlay == White ? 0 : 1;
        Player& player = *players[s];
        const std::string loss = s == 0 ? "0-1" : "1-0";
        player.Process->Send("position startpos moves" + game.Moves());
        char go[200];
        std::snprintf(go, sizeof go, "go wtime %.0f btime %.0f winc %.0f binc %.0f", clockMs[0],
                      clockMs[1], setup.IncMs, setup.IncMs);
        const Clock::time_point asked = Clock::now();
        player.Process->Send(go);
        const int patience = static_cast<int>(clockMs[s]) + 5000;
        std::string said;
        if (!player.Process->WaitFor("bestmove", line, patience, &said)) {
            ++player.Hangs;
            return {loss, player.Name + " hung", s};
        }
        const double took = MsSince(asked);
        // A move past a twentieth of the clock and the increment is told as it happens.
        // The engine's own last "time" tells its thinking from the pipe's and the machine's delays.
        if (took > clockMs[s] / 20 + setup.IncMs) {
            const size_t at = said.rfind(" time ");
            std::printf(
                "  long move: %s took %.0f ms at ply %d with %.0f ms on its clock; its "
                "last info said time %s\n",
                player.Name.c_str(), took, game.Plies() + 1, clockMs[s],
                at == std::string::npos
                    ? "nothing"
                    : said.substr(at + 6, said.find_first_of(" \n", at + 6) - at - 6).c_str());
        }
        clockMs[s] -= took;
        player.LongestMs = std::max(player.LongestMs, took);
        player.LeastLeftMs = std::min(player.LeastLeftMs, clockMs[s]);
        if (clockMs[s] < 0) {
            ++player.TimeLosses;
            return {loss, player.Name + " lost on time", s};
        }
        clockMs[s] += setup.IncMs;
        std::string text = line.substr(std::min(line.size(), std::string("bestmove ").size()));
        text = text.substr(0, text.find(' '));
        if (!game.Play(text)) {
            ++player.Illegal;
            return {loss, player.Name + " played the illegal move " + text, s};
        }
    }
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}

std::string TimeControl(const MatchSetup& setup) {
    char text[64];
    std::snprintf(text, sizeof text, "%g+%g", setup.BaseMs / 1000, setup.IncMs / 1000);
    return text;
}

} // namespace

EloEstimate EstimateElo(int wins, int draws, int losses) {
    const double n = wins + draws + losses;
    if (n <= 0) return {0, 0, false};
    const double score = (wins + 0.5 * draws) / n;
    if (score <= 0 || score >= 1) return {0, 0, false};
    const auto elo = [](double s) { return -400.0 * std::log10(1.0 / s - 1.0); };
    const double variance = (wins * std::pow(1 - score, 2) + draws * std::pow(0.5 - score, 2) +
                             losses * std::pow(score, 2)) /
                            n;
    const double spread = 1.96 * std::sqrt(variance / n);
    const double low = std::max(score - spread, 1e-6), high = std::min(score + spread, 1 - 1e-6);
    return {elo(score), (elo(high) - elo(low)) / 2, true};
}

std::vector<std::vector<std::string>> StandardOpenings() {
    const char* const lines[] = {
        "e2e4 e7e5 g1f3 b8c6", "e2e4 c7c5 g1f3 d7d6", "e2e4 e7e6 d2d4 d7d5", "e2e4 c7c6 d2d4 d7d5",
        "d2d4 d7d5 c2c4 e7e6", "d2d4 g8f6 c2c4 g7g6", "d2d4 g8f6 c2c4 e7e6", "c2c4 e7e5 b1c3 g8f6",
        "g1f3 d7d5 g2g3 g8f6", "e2e4 d7d6 d2d4 g8f6", "e2e4 g7g6 d2d4 f8g7", "d2d4 d7d5 c2c4 c7c6",
        "e2e4 e7e5 f1c4 g8f6", "e2e4 c7c5 b1c3 b8c6", "d2d4 f7f5 g2g3 g8f6", "c2c4 c7c5 g1f3 g8f6",
        "e2e4 e7e5 g1f3 g8f6", "d2d4 g8f6 g1f3 d7d5", "b2b3 e7e5 c1b2 b8c6", "f2f4 d7d5 g1f3 g8f6",
    };
    std::vector<std::vector<std::string>> openings;
    for (const char* line : lines) {
        std::vector<std::string> moves;
        for (const char* c = line; *c; c += c[4] ? 5 : 4) moves.emplace_back(c, 4);
        openings.push_back(moves);
    }
    return openings;
}

int PlayMatch(const MatchSetup& setup) {
    Player players[2];
    for (int e = 0; e < 2; ++e)
        if (!Start(setup.Engines[e], e + 1, players[e])) {
            std::fprintf(stderr, "ucibench: %s does not answer as a UCI engine\n",
                         setup.Engines[e].Program.c_str());
            return 1;
        }
    if (players[0].Name == players[1].Name) {
        players[0].Name += " (1)";
        players[1].Name += " (2)";
    }
    std::ofstream pgn;
    if (!setup.PgnFile.empty()) pgn.open(setup.PgnFile);
    const std::vector<std::vector<std::string>> openings =
        setup.Openings.empty() ? StandardOpenings() : setup.Openings;
    int wins = 0, draws = 0, losses = 0; // of the first engine
    for (int g = 0; g < setup.Games; ++g) {
        // Each opening twice, the engines taking turns at White.
        const int first = g % 2 == 0 ? 0 : 1;
        Player* sides[2] = {&players[first], &players[1 - first]};
        const std::vector<std::string>& opening = openings[(g / 2) % openings.size()];
        Game game;
        double clockMs[2] = {};
        const Clock::time_point start = Clock::now();
        const Outcome outcome = PlayGame(sides, setup, opening, game, clockMs);
        const bool firstWhite = first == 0;
        if (outcome.Result == "1/2-1/2" || outcome.Result == "*")
            ++draws;
        else if ((outcome.Result == "1-0") == firstWhite)
            ++wins;
        else
            ++losses;
        std::printf("game %d: %s - %s %s (%s) after %d plies in %.0f s; clock left %.0f / %.0f "
                    "ms\n",
                    g + 1, sides[0]->Name.c_str(), sides[1]->Name.c_str(), outcome.Result.c_str(),
                    outcome.Reason.c_str(), game.Plies(), MsSince(start) / 1000, clockMs[0],
                    clockMs[1]);
        std::fflush(stdout);
        if (pgn.is_open())
            pgn << "[Event \"ucibench match\"]\n[Site \"?\"]\n[Date \"" << Today()
                << "\"]\n[Round \"" << g + 1 << "\"]\n[White \"" << sides[0]->Name
                << "\"]\n[Black \"" << sides[1]->Name << "\"]\n[Result \"" << outcome.Result
                << "\"]\n[TimeControl \"" << TimeControl(setup) << "\"]\n[Termination \""
                << outcome.Reason << "\"]\n\n"
                << game.MoveText(outcome.Result) << "\n";
    }
    const int n = wins + draws + losses;
    const EloEstimate elo = EstimateElo(wins, draws, losses);
    std::printf("%d games at %s: %s %d wins, %d draws, %d losses against %s: score %.1f%%, ", n,
                TimeControl(setup).c_str(), players[0].Name.c_str(), wins, draws, losses,
                players[1].Name.c_str(), n ? 100.0 * (wins + 0.5 * draws) / n : 0.0);
    if (elo.Finite)
        std::printf("Elo difference %+.0f +/- %.0f (95%%)\n", elo.Difference, elo.Margin);
    else
        std::printf("no finite Elo difference (%s)\n", wins ? "every game won" : "every game lost");
    int faults = 0;
    for (const Player& p : players) {
        std::printf("%s: %d lost on time, %d illegal moves, %d hung; longest move %.0f ms, least "
                    "clock left %.0f ms\n",
                    p.Name.c_str(), p.TimeLosses, p.Illegal, p.Hangs, p.LongestMs,
                    p.LeastLeftMs > 1e299 ? setup.BaseMs : p.LeastLeftMs);
        faults += p.TimeLosses + p.Illegal + p.Hangs;
    }
    return faults > 0 ? 1 : 0;
}
