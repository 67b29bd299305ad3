#include "ui/Dialogsu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QMessageBox>

namespace {

MessageHook Messages;
FileDialogHook FileDialogs;
ModalHook Modals;

} // namespace

void SetMessageHook(MessageHook hook) {
    Messages = std::move(hook);
}
void SetFileDialogHook(FileDialogHook hook) {
    FileDialogs = std::move(hook);
}
void SetModalHook(ModalHook hook) {
    Modals = std::move(hook);
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (Messages) {
        Messages(text);
        return;
    }
    QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

QString AskFileName(QFileDialog& dialog) {
    if (FileDialogs) return FileDialogs(dialog);
    const int answer = dialog.exec();
    // A name typed quickly and confirmed with Enter can leave the name completer's list
    // floating over the board once the dialog has gone.
    for (QCompleter* completer : dialog.findChildren<QCompleter*>())
        if (completer->popup()) completer->popup()->hide();
    if (answer != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void RunModal(QDialog& dialog) {
    if (Modals) {
        Modals(dialog);
        return;
    }
    dialog.exec();
}
