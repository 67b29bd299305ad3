#include "Windowhooksu.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>

#include "Depth1formu.h"
#include "Dialogsu.h"
#include "Mainu.h"

TWindowHooks::TWindowHooks(TMainForm& form) : Form(form) {}

void TWindowHooks::ProcessEvents() {
    // Reading the clock costs a few tens of nanoseconds; running the events costs microseconds
    // even when nothing is pending.
    if (std::chrono::steady_clock::now() - LastPump < PumpInterval) return;
    ++Pumps;
    QCoreApplication::processEvents();
    // Counted from the end, so that a slow repaint still leaves the search its share.
    LastPump = std::chrono::steady_clock::now();
}

void TWindowHooks::SetProgressRange(int minimum, int maximum) {
    Form.ProgBar->setRange(minimum, maximum);
}

void TWindowHooks::SetProgressPosition(int position) {
    Form.ProgBar->setValue(position);
}

void TWindowHooks::ClearConsidered() {
    if (Form.Depth1Form) Form.Depth1Form->Box->clear();
}

void TWindowHooks::AddConsideredLine(const std::string& line) {
    if (Form.Depth1Form) Form.Depth1Form->Box->appendPlainText(QString::fromStdString(line));
}

void TWindowHooks::RepaintConsidered() {
    if (Form.Depth1Form && Form.Depth1Form->isVisible()) Form.Depth1Form->repaint();
}

void TWindowHooks::ShowMessage(const std::string& text) {
    ::ShowMessage(&Form, QString::fromStdString(text));
}

int TWindowHooks::DepthBarPosition() {
    return Form.DepthBar->value();
}

void TWindowHooks::SetMoveTimer(bool running) {
    if (running)
        Form.MoveTimer->start();
    else
        Form.MoveTimer->stop();
}
