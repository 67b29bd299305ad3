// Brisko Chess!!: reads the command line, creates the windows, shows the main one (opening the
// saved or PGN game named on the command line) and runs until it closes.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>
#include <memory>

#include "openings/Openingu.h"
#include "ui/Commandlineu.h"
#include "ui/Datafolderu.h"
#include "ui/Formsu.h"
#include "ui/Picturesu.h"
#include "ui/Settingsu.h"

namespace {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

// A found file or folder as the user knows it: its full path.
QString Shown(const QString& path) {
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return path.endsWith('/') ? full + '/' : full;
}

// The folders in which nothing was found, for the message that says so.
QString LookedIn() {
    QStringList folders;
    for (const QString& folder : DataFolders())
        folders.append(folder.isEmpty() ? QString("the working folder") : Shown(folder));
    return "not found (looked in " + folders.join(", ") + ")";
}

// Says where the pictures and the book are read from; with `load`, also loads them as the game
// does and says what it got. Returns whether everything was found (and loaded).
bool ReportData(bool load) {
    bool ok = true;
    const QString pictures = FindPictureFolder();
    QString line = QFileInfo::exists(pictures + "0.bmp") ? Shown(pictures) : LookedIn();
    if (load) {
        PieceImages images;
        const QStringList missing = LoadPieceImages(images, pictures);
        line += QString(": %1 of 12 loaded").arg(12 - missing.size());
        ok = ok && missing.isEmpty();
    }
    Print(stdout, "Piece pictures: " + line + "\n");

    const QString book = FindDataFile(OpeningsFileName);
    const bool found = QFileInfo::exists(book);
    line = found ? Shown(book) : LookedIn();
    if (load && found) {
        // Big: kept off the stack.
        auto entries = std::make_unique<OpeningBook>();
        LoadOpenings(*entries, FindBookFile());
        line += QString(": %1 positions").arg(entries->EntryCount);
    }
    Print(stdout, "Opening book: " + line + "\n");
    return ok && found;
}

// What the command line asks of the window: a saved game to open, or to end at once.
struct CommandLine {
    bool End = false;
    int Status = 0;
    QString File;
    GameOptions Options;
};

// Reads the arguments and answers --help, --version and --self-check on the spot. QApplication
// takes the options of its own (-platform, -style and the like) later; they are accepted here.
CommandLine Read(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription("Brisko Chess!!: play chess against the computer, against "
                                     "another person, or watch the computer play.");
    const QCommandLineOption help({"h", "help"}, "Print this help and exit.");
    const QCommandLineOption version(
        {"v", "version"}, "Print the version and where the pictures and the book are, and exit.");
    const QCommandLineOption selfCheck(
        "self-check", "Load the piece pictures and the opening book, say where they were found, "
                      "and exit; the exit status is 1 when one is missing.");
    parser.addOptions({help, version, selfCheck});
    AddGameOptions(parser);
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                             "session", "display", "geometry", "style", "stylesheet"}) {
        QCommandLineOption qtOption(name, QString(), "value");
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        QCommandLineOption qtOption(name);
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    parser.addPositionalArgument(
        "FILE", "A saved game (.bch), or a PGN game (.pgn), to open at start-up.", "[FILE]");
    const bool read = parser.parse(arguments);
    if (read && parser.isSet(help)) {
        Print(stdout, parser.helpText());
        return {true, 0, {}, {}};
    }
    if (read && (parser.isSet(version) || parser.isSet(selfCheck))) {
        Print(stdout, "Brisko Chess!! " BRISKO_VERSION "\n");
        const bool ok = ReportData(parser.isSet(selfCheck));
        return {true, parser.isSet(selfCheck) && !ok ? 1 : 0, {}, {}};
    }
    const QStringList files = read ? parser.positionalArguments() : QStringList();
    QString error = read ? QString() : parser.errorText();
    if (read && files.size() > 1) error = "Give one game at most.";
    CommandLine line{
        false, 0, files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath(), {}};
    if (read && error.isEmpty()) error = ReadGameOptions(parser, line.Options);
    if (!error.isEmpty()) {
        Print(stderr, error + "\nTry 'brisko-chess --help'.\n");
        return {true, 2, {}, {}};
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line;
    {
        // Read before any window exists, so that --help, --version and --self-check need no
        // display.
        QCoreApplication core(argc, argv);
        line = Read(QCoreApplication::arguments());
        if (line.End) return line.Status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisko Chess!!");
    QApplication::setApplicationVersion(BRISKO_VERSION);
    // The choices kept between runs live in ~/.config/briskochess/.
    QApplication::setOrganizationName("briskochess");
    // The installed desktop entry and icon carry this name.
    QApplication::setDesktopFileName(BRISKO_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(BRISKO_APP_ID));
    // Other windows may still be open (the legal moves); closing the main one ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto forms = CreateForms();
    QObject::connect(forms->MainForm.get(), &TMainForm::Closed, &app, &QApplication::quit);
    RememberSettings(*forms->MainForm);
    // The command line wins over what was kept.
    ApplyGameOptions(*forms->MainForm, line.Options);
    // The game in progress is kept for the next start, in the user's data folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty() && QDir().mkpath(data)) forms->MainForm->KeepGameIn(data + "/kept-game");
    forms->MainForm->show();
    // A game named on the command line replaces the kept one only as any other would.
    if (!line.File.isEmpty() && forms->MainForm->MayReplaceGame("opening another game")) {
        if (line.File.endsWith(".pgn", Qt::CaseInsensitive))
            forms->MainForm->ImportGame(line.File);
        else
            forms->MainForm->OpenGame(line.File);
    }
    return QApplication::exec();
}
