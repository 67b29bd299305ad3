#include "ui/Dialogsu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

MessageHook Messages;
FileDialogHook FileDialogs;
ModalHook Modals;
QuestionHook Questions;
SaveQuestionHook SaveQuestions;

QString RunFileDialog(QFileDialog& dialog) {
    const int answer = dialog.exec();
    // A name typed quickly and confirmed with Enter can leave the name completer's list
    // floating over the board once the dialog has gone.
    for (QCompleter* completer : dialog.findChildren<QCompleter*>())
        if (completer->popup()) completer->popup()->hide();
    if (answer != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

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
void SetQuestionHook(QuestionHook hook) {
    Questions = std::move(hook);
}

void SetSaveQuestionHook(SaveQuestionHook hook) {
    SaveQuestions = std::move(hook);
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (Messages) {
        Messages(text);
        return;
    }
    QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    if (Questions) return Questions(text);
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

SaveAnswer AskSaveFirst(QWidget* parent, const QString& text) {
    if (SaveQuestions) return SaveQuestions(text);
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool ConfirmReplace(QWidget* parent, const QString& path) {
    const QFileInfo file(path);
    return !file.exists() ||
           AskYesNo(parent,
                    QString("%1 already exists.\nDo you want to replace it?").arg(file.fileName()));
}

QString AskFileName(QFileDialog& dialog) {
    const QString path = FileDialogs ? FileDialogs(dialog) : RunFileDialog(dialog);
    if (!path.isEmpty() && dialog.parentWidget()) {
        const QString folder = QFileInfo(path).absolutePath();
        for (QFileDialog* other :
             dialog.parentWidget()->findChildren<QFileDialog*>(Qt::FindDirectChildrenOnly))
            other->setDirectory(folder);
    }
    return path;
}

void RunModal(QDialog& dialog) {
    if (Modals) {
        Modals(dialog);
        return;
    }
    dialog.exec();
}
