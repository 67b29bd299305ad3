// Saved games: the ".bch" text file that holds every position of a game up to the one shown,
// its writer and its reader. Paths come from the caller; nothing here shows a window.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "engine/Boardu.h"
#include "engine/Historyu.h"

// Writes positions 0 .. Count-1 of the history to `path` by ReplaceFile: a failure never
// damages an earlier save, a symbolic link keeps pointing to the saved game and a replaced
// file keeps its permissions. Returns false when the file was not written (no folder, no
// permission, disk full, `path` is a folder or another special file, or a Count outside
// 1..1024); the old file is then intact, no temporary is left behind, and nothing else has
// changed.
bool SaveGame(const std::string& path, const History& history);

// The text SaveGame writes: "BQ", one record per position, "CONTINUE" between records, "END".
std::string SavedGameText(const History& history);
// ... of positions 0 .. count-1 (1 .. HistorySize), whichever is shown.
std::string SavedGameText(const History& history, int count);

// What a load tells the window: whether the history and board now hold the file's game, and
// a message to show (empty: nothing to show). A message can come with Loaded true, when a
// damaged file still gave whole positions (see below).
struct LoadResult {
    bool Loaded;
    std::string Message;
    // Refused because the text is no saved game at all (not because it is damaged or unreadable).
    bool NotAGame = false;
};

// A game of 1024 positions takes under 1 MB; a larger file is refused unread.
inline constexpr std::size_t MaxSavedGameSize = std::size_t{16} << 20;

// Reads a saved game, long layout ("BQ" first) or short layout, into `history` and `board`.
// The file is read whole before either is touched, so a refused file costs the caller nothing.
//
// Loaded true: `history` holds the positions read, Count = Stored = their number (1..1024),
// `board` is a copy of the last one with its legal-move list built. Every position has its
// Material counted from its squares and its CheckStatus and Outcome decided as a game move
// decides them (the 1024th position, with no room left after it, ends the game drawn).
// Values that would let later code leave the board are made harmless: a side to move outside
// 1..4 reads as 1, a pending promotion choice with no pawn waiting reads as that side to move,
// an en passant file outside -1..7 reads as -1. Castling rights whose king or rook is off its
// home square are cleared, and the draw counters are clamped into the range a game gives them
// (SettlePosition). Message is empty, except:
//   - the file ends before "END", or a word of a record runs into the end of the file, after
//     at least one whole position: the whole positions are kept and Message says the file was
//     cut short;
//   - a position cannot arise in a game (IsReachable): the positions before it are kept and
//     Message names the position by its place in the file and gives the reason;
//   - the file holds more than 1024 positions: the first 1024 are kept and Message says so.
//
// Loaded false: `history` and `board` are untouched, so they still hold the game the caller
// had, and Message is one of
//   "Range check error"                      (a row word shorter than eight characters),
//   "'<value>' is not a valid integer value" (a key line whose value is not an integer),
//   a message that the file cannot be opened, is not a regular file (a folder, a FIFO, a
//   device), is larger than MaxSavedGameSize, holds a word longer than 1023 characters, ends
//   before its first position is whole, or that its first position cannot arise in a game.
LoadResult LoadGame(const std::string& path, History& history, Board& board);

// LoadGame on text from any stream; the file opening is the only difference.
LoadResult ReadGame(std::istream& in, History& history, Board& board);
