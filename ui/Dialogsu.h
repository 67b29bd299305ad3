// Every modal window of the program (message boxes, file dialogs, the promotion chooser, the
// About box) opens through these functions, so that tests can answer in place of a user.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QFileDialog;
class QWidget;

// Answers a message box instead of showing it.
using MessageHook = std::function<void(const QString& text)>;
// Answers a file dialog instead of showing it: the chosen path, or "" for Cancel.
using FileDialogHook = std::function<QString(QFileDialog& dialog)>;
// Plays the user's part in a modal window instead of running it.
using ModalHook = std::function<void(QDialog& dialog)>;
// Answers a question instead of asking it: true for Yes.
using QuestionHook = std::function<bool(const QString& text)>;
// What the user says to moves that are about to be thrown away.
enum class SaveAnswer { Save, Discard, Cancel };
using SaveQuestionHook = std::function<SaveAnswer(const QString& text)>;

// Installs a hook; an empty one restores the real window.
void SetMessageHook(MessageHook hook);
void SetFileDialogHook(FileDialogHook hook);
void SetModalHook(ModalHook hook);
void SetQuestionHook(QuestionHook hook);
void SetSaveQuestionHook(SaveQuestionHook hook);

// Shows a modal message box with an OK button.
void ShowMessage(QWidget* parent, const QString& text);

// Asks a question with Yes and No buttons, No the default; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text);

// Asks whether to save before something throws moves away: Save, Discard or Cancel, Save the
// default and Escape meaning Cancel.
SaveAnswer AskSaveFirst(QWidget* parent, const QString& text);

// Asks before the file at `path` is replaced; true when there is none, or the user says Yes.
bool ConfirmReplace(QWidget* parent, const QString& path);

// Runs a file dialog; returns the chosen path, or "" when the user cancels. The other file
// dialogs of the same window then start in the chosen file's folder too.
QString AskFileName(QFileDialog& dialog);

// Shows a dialog modally and waits for it to close.
void RunModal(QDialog& dialog);
