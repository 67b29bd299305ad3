// The main window's File commands: saving the game and opening a saved one.
#include <QFile>
#include <QFileDialog>

#include "engine/Findu.h"
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
    if (!path.isEmpty()) OpenFile(path);
}

void TMainForm::OpenFile(const QString& path) {
    NewButtonClick();
    FileName = path;
    // A load that fails leaves the history and the board untouched: the new game stays.
    const LoadResult result = LoadGame(QFile::encodeName(path).toStdString(), History, Board);
    if (!result.Message.empty()) ShowMessage(this, QString::fromStdString(result.Message));
    if (!result.Loaded) return;
    ClearSelection();
    Board = History.Snapshots[History.Count - 1];
    FindLegalMoves(Board);
    if (LegalForm) {
        LegalForm->Refresh(Board.ToPlay);
        LegalForm->update();
    }
    Repaint();
}
