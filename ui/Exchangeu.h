// Games as PGN and positions as FEN between the game session and files or the clipboard, for
// the File and Edit menus. What cannot be done is told in a message box; an import that is
// refused leaves the game as it was.
#pragma once

#include <QString>

class GameSession;
class QFileDialog;
class QWidget;

// Asks for a file through `dialog` (and before replacing one), then writes the game up to the
// position shown; the game then counts as saved that far.
void ExportGame(QWidget* parent, QFileDialog& dialog, GameSession& game);
void CopyGame(QWidget* parent, const GameSession& game);
void CopyPosition(const GameSession& game);

// Replace the game, as a new game at `level` would, with what was read; true when they did.
// A file or text of several games offers the list of them to choose from, or with `choose`
// false gives its first game. What was read though not whole is told after.
bool ImportGame(QWidget* parent, GameSession& game, const QString& path, int level,
                bool choose = false);
bool PasteGame(QWidget* parent, GameSession& game, int level);
bool PastePosition(QWidget* parent, GameSession& game, int level);
