#include "ui/Windowhooksu.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "ui/Depth1formu.h"
#include "ui/Dialogsu.h"
#include "ui/Mainu.h"

TWindowHooks::TWindowHooks(TMainForm& form) : Form(form) {}

void TWindowHooks::ProcessEvents() {
    // Reading the clock costs up to a few hundred nanoseconds, about a search node; running the
    // events costs microseconds even when nothing is pending.
    const bool every = PumpInterval <= std::chrono::steady_clock::duration::zero();
    if (!every && ++Calls % ClockStride != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (!every && now - LastPump < PumpInterval) return;
    ++Pumps;
    if (now - LastDisplay >= DisplayInterval) {
        LastDisplay = now;
        ShowProgress();
        Form.ShowThinking();
        // Only a shown memo is kept current while the computer thinks; a hidden one is written
        // once the move is chosen.
        if (Form.Forms.Depth1Form && Form.Forms.Depth1Form->isVisible()) FlushConsidered();
    }
    QCoreApplication::processEvents();
    // Counted from the end, so that a slow repaint still leaves the search its share.
    LastPump = std::chrono::steady_clock::now();
    PumpTime += LastPump - now;
}

void TWindowHooks::SetProgressRange(int minimum, int maximum) {
    ProgressMinimum = minimum;
    ProgressMaximum = maximum;
    ProgressWanted = -1;
}

void TWindowHooks::SetProgressPosition(int position) {
    ProgressWanted = position;
    const auto now = std::chrono::steady_clock::now();
    if (now - LastDisplay < DisplayInterval) return; // shown by a later run of the events
    LastDisplay = now;
    ShowProgress();
    Form.ShowThinking();
}

void TWindowHooks::ShowProgress() {
    if (ProgressWanted < 0) return;
    // The bar would repaint, and flush the window to the screen, at once; a quarter of a quick
    // move's time went there. Painted with the next events instead, a few milliseconds later.
    Form.Ui.ProgBar->setUpdatesEnabled(false);
    Form.Ui.ProgBar->setRange(ProgressMinimum, ProgressMaximum);
    Form.Ui.ProgBar->setValue(ProgressWanted);
    Form.Ui.ProgBar->setUpdatesEnabled(true);
    ProgressWanted = -1;
}

void TWindowHooks::ClearConsidered() {
    ConsideredLines.clear();
    ConsideredChanged = true;
}

void TWindowHooks::AddConsideredLine(const std::string& line) {
    ConsideredLines.append(QString::fromStdString(line));
    ConsideredChanged = true;
}

void TWindowHooks::RepaintConsidered() {
    if (!Form.Forms.Depth1Form || !Form.Forms.Depth1Form->isVisible()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - LastDisplay < DisplayInterval) return; // written by a later run of the events
    LastDisplay = now;
    ShowProgress();
    FlushConsidered();
    Form.Forms.Depth1Form->repaint();
}

void TWindowHooks::FlushConsidered() {
    if (!ConsideredChanged || !Form.Forms.Depth1Form) return;
    ConsideredChanged = false;
    QPlainTextEdit* box = Form.Forms.Depth1Form->Box;
    box->setPlainText(ConsideredLines.join('\n'));
    // The newest line in view, as when the lines were added one by one.
    box->moveCursor(QTextCursor::End);
}

void TWindowHooks::ShowMessage(const std::string& text) {
    ::ShowMessage(&Form, QString::fromStdString(text));
}

int TWindowHooks::DepthBarPosition() {
    return Form.Game.DepthBar();
}

void TWindowHooks::SetMoveTimer(bool running) {
    if (running)
        Form.Ui.MoveTimer->start();
    else
        Form.Ui.MoveTimer->stop();
}
