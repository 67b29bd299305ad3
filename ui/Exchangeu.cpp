#include "ui/Exchangeu.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include "game/Sessionu.h"
#include "notation/Fen.h"
#include "ui/Dialogsu.h"

namespace {

// True when `message` is empty; shows it otherwise.
bool Replaced(QWidget* parent, const std::string& message) {
    if (!message.empty()) ShowMessage(parent, QString::fromStdString(message));
    return message.empty();
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

bool ImportGame(QWidget* parent, GameSession& game, const QString& path, int level) {
    return Replaced(parent, game.ImportPgn(QFile::encodeName(path).toStdString(), level));
}

bool PasteGame(QWidget* parent, GameSession& game, int level) {
    return Replaced(parent,
                    game.PastePgn(QGuiApplication::clipboard()->text().toStdString(), level));
}

bool PastePosition(QWidget* parent, GameSession& game, int level) {
    const QString fen = QGuiApplication::clipboard()->text().trimmed();
    return Replaced(parent, game.PasteFen(fen.toStdString(), level));
}
