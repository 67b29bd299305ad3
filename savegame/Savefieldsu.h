// The parts of a saved-game record shared by the writer and the reader: the piece characters
// of the row lines and the key lines that follow the side to move.
#pragma once

#include <string_view>
#include <type_traits>

#include "engine/Boardu.h"

// Returns the character of a piece code, "!" for a value that is not one.
char PieceChar(int code);

// Sets `code` to the piece code of a row character; false for a character outside the table.
bool PieceCode(char c, int& code);

// Calls visit(key, field) for the 28 key lines of a record in file order, stopping at the
// first call that returns false; `key` includes its "=", `field` is a bool or int32_t
// reference (const when `board` is). Returns false when a call did.
template <class B, class Visit>
requires std::is_same_v<std::remove_const_t<B>, Board>
bool VisitKeyLines(B& b, Visit&& visit) {
    return visit(std::string_view("QueenCastle1="), b.QueenCastle1) &&
           visit(std::string_view("KingCastle1="), b.KingCastle1) &&
           visit(std::string_view("QueenCastle2="), b.QueenCastle2) &&
           visit(std::string_view("KingCastle2="), b.KingCastle2) &&
           visit(std::string_view("ep1="), b.ep1) && visit(std::string_view("ep2="), b.ep2) &&
           visit(std::string_view("Bored50="), b.Bored50) &&
           visit(std::string_view("Recent1.X1="), b.Recent1.X1) &&
           visit(std::string_view("Recent1.Y1="), b.Recent1.Y1) &&
           visit(std::string_view("Recent1.X2="), b.Recent1.X2) &&
           visit(std::string_view("Recent1.Y2="), b.Recent1.Y2) &&
           visit(std::string_view("PenRecent1.X1="), b.PenRecent1.X1) &&
           visit(std::string_view("PenRecent1.Y1="), b.PenRecent1.Y1) &&
           visit(std::string_view("PenRecent1.X2="), b.PenRecent1.X2) &&
           visit(std::string_view("PenRecent1.Y2="), b.PenRecent1.Y2) &&
           visit(std::string_view("Repetition1="), b.Repetition1) &&
           visit(std::string_view("PleaseAdd1="), b.PleaseAdd1) &&
           visit(std::string_view("Recent2.X1="), b.Recent2.X1) &&
           visit(std::string_view("Recent2.Y1="), b.Recent2.Y1) &&
           visit(std::string_view("Recent2.X2="), b.Recent2.X2) &&
           visit(std::string_view("Recent2.Y2="), b.Recent2.Y2) &&
           visit(std::string_view("PenRecent2.X1="), b.PenRecent2.X1) &&
           visit(std::string_view("PenRecent2.Y1="), b.PenRecent2.Y1) &&
           visit(std::string_view("PenRecent2.X2="), b.PenRecent2.X2) &&
           visit(std::string_view("PenRecent2.Y2="), b.PenRecent2.Y2) &&
           visit(std::string_view("Repetition2="), b.Repetition2) &&
           visit(std::string_view("PleaseAdd2="), b.PleaseAdd2) &&
           visit(std::string_view("RepStale="), b.RepStale);
}
