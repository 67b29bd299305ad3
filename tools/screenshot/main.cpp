// Takes the screenshot shown in the README and the AppStream data: the real main window a few
// moves into a game, as the program draws it.
//
// Usage: screenshot ASSETS_FOLDER OUTPUT.png   (run with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "ui/Formsu.h"

namespace {

// Plays a move given as "e2e4" as two clicks on its squares.
void Play(TMainForm& form, const char* move) {
    for (int end = 0; end < 2; ++end)
        form.Session().Click(move[2 * end] - 'a', '8' - move[2 * end + 1]);
    form.Repaint();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot ASSETS_FOLDER OUTPUT.png\n");
        return 2;
    }
    QApplication::setApplicationName("Brisko Chess!!");
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    // The window finds its pictures and book in the working folder first.
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    const auto forms = CreateForms();
    TMainForm& form = *forms->MainForm;
    // Both sides are played here, so that the computer does not move on its own.
    form.findChild<QCheckBox*>("Player2Box")->setChecked(false);
    form.show();
    for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5", "c2c3", "g8f6"})
        Play(form, move);
    QApplication::processEvents();
    if (!form.grab().save(output, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
