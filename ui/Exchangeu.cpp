#include "ui/Exchangeu.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <vector>

#include "game/Sessionu.h"
#include "notation/Fen.h"
#include "ui/Dialogsu.h"
#include "ui/Gamechooseru.h"

namespace {

// True when `message` is empty; shows it otherwise.
bool Replaced(QWidget* parent, const std::string& message) {
    if (!message.empty()) ShowMessage(parent, QString::fromStdString(message));
    return message.empty();
}

// Replaces the game with the first game of `text`, or the one chosen from the list of them.
bool ReplaceFromText(QWidget* parent, GameSession& game, std::string_view text, int level,
                     bool choose, bool fromFile) {
    size_t offset = 0;
    if (choose) {
        const std::vector<PgnListing> games = ListPgnGames(text);
        if (games.size() > 1) {
            const int chosen = ChooseGame(parent, games);
            if (chosen < 0) return false;
            offset = games[static_cast<size_t>(chosen)].Offset;
        }
    }
    PgnGame read = ReadPgn(text, offset, game.NextRules());
    const std::vector<std::string> remarks = read.Warnings;
    if (!Replaced(parent, game.Adopt(std::move(read), level, fromFile))) return false;
    if (!remarks.empty()) {
        QString told = "The game was imported, with these remarks:";
        for (const std::string& remark : remarks) told += "\n" + QString::fromStdString(remark);
        ShowMessage(parent, told);
    }
    return true;
}

} // namespace

void ExportGame(QWidget* parent, QFileDialog& dialog, GameSession& game) {
    const QString path = AskFileName(dialog);
    if (path.isEmpty() || !ConfirmReplace(parent, path)) return;
    const PgnText pgn =
        ExportPgn(QFile::encodeName(path).toStdString(), game.History(), game.ExportTags());
    if (pgn.Written)
        game.Exported();
    else
        ShowMessage(parent, QString::fromStdString(pgn.Message));
}

void CopyGame(QWidget* parent, const GameSession& game) {
    const PgnText pgn = WritePgn(game.History(), game.ExportTags());
    if (pgn.Written)
        QGuiApplication::clipboard()->setText(QString::fromStdString(pgn.Text));
    else
        ShowMessage(parent, QString::fromStdString(pgn.Message));
}

void CopyPosition(const GameSession& game) {
    const std::string fen = ShownFen(game.History());
    if (!fen.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(fen));
}

bool ImportGame(QWidget* parent, GameSession& game, const QString& path, int level, bool choose) {
    std::string text, message;
    if (!ReadPgnFile(QFile::encodeName(path).toStdString(), text, message))
        return Replaced(parent, message);
    return ReplaceFromText(parent, game, text, level, choose, true);
}

bool PasteGame(QWidget* parent, GameSession& game, int level) {
    return ReplaceFromText(parent, game, QGuiApplication::clipboard()->text().toStdString(), level,
                           true, false);
}

bool PastePosition(QWidget* parent, GameSession& game, int level) {
    const QString fen = QGuiApplication::clipboard()->text().trimmed();
    return Replaced(parent, game.PasteFen(fen.toStdString(), level));
}
