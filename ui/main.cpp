// Brisko Chess!!: creates the windows, shows the main one and runs until it closes.
#include <QApplication>

#include "ui/Formsu.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisko Chess!!");
    // Other windows may still be open (the legal moves); closing the main one ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto forms = CreateForms();
    QObject::connect(forms->MainForm.get(), &TMainForm::Closed, &app, &QApplication::quit);
    forms->MainForm->show();
    return QApplication::exec();
}
