#include "ui/Clockdialogu.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

TClockDialog::TClockDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ClockDialog");
    setWindowTitle("Custom Time Control");
    auto* form = new QFormLayout(this);
    Minutes = new QSpinBox(this);
    Minutes->setObjectName("Minutes");
    Minutes->setRange(1, 600);
    Minutes->setValue(5);
    Minutes->setSuffix(" min");
    Increment = new QSpinBox(this);
    Increment->setObjectName("Increment");
    Increment->setRange(0, 600);
    Increment->setSuffix(" s");
    form->addRow("Time for each side:", Minutes);
    form->addRow("Added after every move:", Increment);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}
