#include "ui/Aboutu.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Datafolderu.h"
#include "ui/Picturesu.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutForm");
    setWindowTitle("Brisko Chess!!");
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName("ProgramIcon");
    QImage knight;
    // The White knight; the box is fine without it.
    if (knight.load(FindPictureFolder() + "1.bmp", "BMP")) {
        picture->setPixmap(QPixmap::fromImage(WithTransparentColour(knight)));
    }
    auto* title = new QLabel("Brisko Chess", this);
    title->setObjectName("ProductName");
    QFont font = title->font();
    font.setPointSize(20);
    font.setBold(true);
    title->setFont(font);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addWidget(title);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}
