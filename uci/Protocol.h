// The UCI engine's side of the protocol: reads the GUI's commands one line at a time, keeps the
// position and the options, and thinks on a thread of its own so that "stop", "isready" and
// "quit" are answered while it thinks.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "engine/Boardu.h"
#include "opponent/Opponentu.h"
#include "strongplayer/StrongPlayer.h"

class UciEngine {
  public:
    // Answers go to `out`, a line at a time, flushed. `bookFile` is the BookFile option's
    // default, the installed opening book.
    UciEngine(std::ostream& out, std::string bookFile);
    ~UciEngine();
    UciEngine(const UciEngine&) = delete;
    UciEngine& operator=(const UciEngine&) = delete;

    // Handles one line from the GUI. Returns false once "quit" has been handled. Unknown
    // words before a command are skipped; a line that holds no command, and a command that
    // cannot be carried out, are answered with "info string" and change nothing.
    bool Handle(const std::string& line);

    // Tells the GUI something in an "info string" line.
    void Inform(const std::string& text);

    // A line read from the GUI is at most this long (a position after a thousand moves is
    // 5,000 characters).
    static constexpr size_t MaxLineLength = 1 << 20;
    static constexpr size_t DefaultHashMegabytes = 16;
    static constexpr size_t MaxHashMegabytes = 1024;
    static constexpr int DefaultElo = 1800;

  private:
    std::ostream& out;
    std::mutex outLock;
    std::unique_ptr<Opponent> opponent;
    Board position{};
    std::string positionBase = "startpos";  // what the position was set up from, and the moves
    std::vector<std::string> positionMoves; // played since
    std::vector<uint64_t> positionKeys;     // the strong player's keys of the positions before
    // The Level option's item: the game's own levels, then the strong player's.
    int levelItem = 0;
    // The strong player, made at its first use; UCI_LimitStrength and UCI_Elo choose its
    // settings over the Level option's.
    std::unique_ptr<strong::StrongPlayer> strongPlayer;
    size_t hashMegabytes = DefaultHashMegabytes;
    bool limitStrength = false;
    int eloTarget = DefaultElo;
    int depthBar = 0; // 0: the level's own
    int64_t overheadMs = 0;
    bool ownBook = true;
    std::string bookFile;
    bool bookRead = false;
    std::thread thinker;
    std::atomic<bool> stop{false};

    // Writes a line to the GUI; a control character in it becomes '?'.
    void Say(std::string line);
    void Identify();
    void SetOption(const std::string& text);
    void SetPosition(const std::vector<std::string>& words);
    void Go(const std::vector<std::string>& words);
    void ReadBook();
    void StopThinking();
};

// Reads the GUI's lines from `in` and hands each to `engine` until "quit" or the end of the
// input. A line may end in LF or CR LF; one longer than MaxLineLength is told and ignored.
void RunUci(std::streambuf& in, UciEngine& engine);
