#include "ui/Promotionu.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/Boardpaintu.h"

namespace {

// The choices from the left.
constexpr int Pieces[4] = {Queen, Rook, Bishop, Knight};

} // namespace

TPromotionForm::TPromotionForm(QWidget* parent) : QDialog(parent) {
    setObjectName("PromotionForm");
    setWindowTitle("Pawn Promotion!");
    setModal(true);
    // The client area of a 280 x 151 window with a title bar.
    setFixedSize(272, 120);
}

bool TPromotionForm::ChooserIsBlack() const {
    return LiveBoard && LiveBoard->ToPlay == BlackChooses;
}

void TPromotionForm::FormShow() {
    PromotionChoice = ChooserIsBlack() ? -Queen : Queen;
}

void TPromotionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TPromotionForm::FormPaint(QPainter& painter) {
    for (int i = 0; i < 4; ++i) {
        DrawSquare(painter, 32 + SquareSize * i, 32, i % 2 == 0 ? LightSquare : DarkSquare);
        if (!Pictures) continue;
        const QImage& picture =
            (*Pictures)[PictureIndex(ChooserIsBlack() ? -Pieces[i] : Pieces[i])];
        if (!picture.isNull()) painter.drawImage(34 + SquareSize * i, 34, picture);
    }
}

void TPromotionForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FormPaint(painter);
}

void TPromotionForm::FormMouseUp(int x, int y) {
    if (x >= 34 && x <= 240 && y >= 32 && y <= 84) {
        PromotionChoice = Pieces[(x - 34) / SquareSize];
        if (ChooserIsBlack()) PromotionChoice = -PromotionChoice;
    }
    accept();
}

void TPromotionForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseUp(at.x(), at.y());
}
