// The main window's File commands: saving the game and opening a saved one.
#include <QFile>
#include <QFileDialog>
#include <memory>

#include "savegame/Savegameu.h"
#include "ui/Dialogsu.h"
#include "ui/Legalformu.h"
#include "ui/Mainu.h"

bool TMainForm::WriteGame(const QString& path) {
    if (SaveGame(QFile::encodeName(path).toStdString(), History)) return true;
    // The old file is still intact; the user must not believe the game was saved.
    ShowMessage(this, QString("Cannot save the game to %1.").arg(path));
    return false;
}

void TMainForm::Save1Click() {
    if (FileName.isEmpty()) {
        SaveAs1Click();
        return;
    }
    WriteGame(FileName);
}

void TMainForm::SaveAs1Click() {
    const QString path = AskFileName(*SaveDlg);
    if (path.isEmpty()) return;
    // A failed save keeps the earlier name.
    if (WriteGame(path)) FileName = path;
}

void TMainForm::Open1Click() {
    const QString path = AskFileName(*OpenDlg);
    if (path.isEmpty()) return;
    // Read first, replace second: a refused file leaves the game, its history and FileName
    // exactly as they were.
    auto loaded = std::make_unique<::History>();
    ::Board shown{};
    const LoadResult result = LoadGame(QFile::encodeName(path).toStdString(), *loaded, shown);
    const QString message = QString::fromStdString(result.Message);
    if (!result.Loaded) {
        ShowMessage(this, message);
        return;
    }
    NewButtonClick();
    History = *loaded;
    Board = shown;
    // Only a file read whole becomes the file Save writes to: saving what was kept of a damaged
    // one asks for a name rather than replace the rest of it unseen.
    if (result.Message.empty()) FileName = path;
    if (LegalForm) {
        LegalForm->Refresh(Board.ToPlay);
        LegalForm->update();
    }
    Repaint();
    // Shown over the positions that were kept.
    if (!message.isEmpty()) ShowMessage(this, message);
}
