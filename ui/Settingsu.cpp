#include "ui/Settingsu.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <algorithm>
#include <memory>

#include "opponent/Opponentu.h"
#include "ui/Mainu.h"

namespace {

// The window's controls that keep their state, by the names the window gives them.
constexpr const char* Boxes[] = {"Player1Box", "Player2Box"};
constexpr const char* Options[] = {"FlipBoard1",      "AutoFlip1",     "Coordinates1",
                                   "HighlightCheck1", "LegalTargets1", "MoveList1"};

QString LevelItem(int item) {
    return QString("LevelItem%1").arg(item);
}

// The key of a menu item's tick: its name without the trailing "1".
QString OptionKey(const char* name) {
    return "View/" + QString(name).chopped(1);
}

// A kept tick: "true" or "false" only; anything else (a damaged file) leaves it as it is.
void RestoreTick(const QSettings& settings, const QString& key, auto* item) {
    const QString text = settings.value(key).toString();
    if (text == "true" || text == "false") item->setChecked(text == "true");
}

// The kept size and place, held to the screens there are: a size larger than twice the screen
// (a damaged file) is the window's first size again, and a window off the screens is moved
// back. Checked before the window is first shown, so no absurd size is ever drawn.
void RestoreGeometry(TMainForm& form, const QSettings& settings) {
    const QVariant kept = settings.value("Window/Geometry");
    const QSize first = form.size();
    if (kept.typeId() != QMetaType::QByteArray || !form.restoreGeometry(kept.toByteArray())) return;
    const QScreen* screen = QGuiApplication::screenAt(form.geometry().center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    QSize size = form.size();
    if (size.width() > 2 * free.width() || size.height() > 2 * free.height()) size = first;
    size = size.boundedTo(free.size()).expandedTo(form.minimumSize());
    form.resize(size);
    const QRect frame = form.frameGeometry();
    const int x =
        std::clamp(frame.x(), free.left(), std::max(free.left(), free.right() - frame.width()));
    const int y =
        std::clamp(frame.y(), free.top(), std::max(free.top(), free.bottom() - frame.height()));
    form.move(x, y);
}

void Restore(TMainForm& form, const QSettings& settings) {
    bool ok = false;
    const int level = settings.value("Level").toInt(&ok);
    if (ok && level >= 0 && level < DifficultyCount)
        form.findChild<QRadioButton*>(LevelItem(level))->setChecked(true);
    for (const char* name : Boxes)
        RestoreTick(settings, QString("Sides/") + name, form.findChild<QCheckBox*>(name));
    for (const char* name : Options)
        RestoreTick(settings, OptionKey(name), form.findChild<QAction*>(name));
    // Only rules and a clock the menu can offer are taken.
    const QString rules = settings.value("Game/Rules").toString();
    if (rules == "standard" || rules == "brisko")
        form.ChooseRules(rules == "standard" ? Rules::Standard : Rules::Brisko);
    TimeControl clock;
    const QString kept = settings.value("Game/Clock", "?").toString();
    if (kept.isEmpty() || ReadTimeControl(kept.toStdString(), clock)) form.ChooseClock(clock);
    // Only a limit the menu offers is taken.
    if (QAction* limit = form.findChild<QAction*>(
            "ThinkingLimit" + settings.value("Computer/ThinkingLimitMs").toString());
        limit && limit->actionGroup())
        limit->trigger();
    RestoreGeometry(form, settings);
    const QString folder = settings.value("Files/Folder").toString();
    if (QFileInfo(folder).isDir())
        for (QFileDialog* dialog : form.findChildren<QFileDialog*>(Qt::FindDirectChildrenOnly))
            dialog->setDirectory(folder);
}

void Keep(const TMainForm& form, QSettings& settings) {
    for (int item = 0; item < DifficultyCount; ++item)
        if (form.findChild<QRadioButton*>(LevelItem(item))->isChecked())
            settings.setValue("Level", item);
    for (const char* name : Boxes)
        settings.setValue(QString("Sides/") + name, form.findChild<QCheckBox*>(name)->isChecked());
    for (const char* name : Options)
        settings.setValue(OptionKey(name), form.findChild<QAction*>(name)->isChecked());
    if (const QAction* limit = form.findChild<QActionGroup*>("ThinkingLimit1")->checkedAction())
        settings.setValue("Computer/ThinkingLimitMs", limit->data());
    const GameSession& game = form.Session();
    settings.setValue("Game/Rules", game.NextRules() == Rules::Standard ? "standard" : "brisko");
    settings.setValue("Game/Clock", QString::fromStdString(TimeControlText(game.NextClock())));
    settings.setValue("Window/Geometry", form.saveGeometry());
    settings.setValue("Files/Folder",
                      form.findChild<QFileDialog*>("OpenDlg")->directory().absolutePath());
}

} // namespace

void RememberSettings(TMainForm& form, const QString& file) {
    const auto open = [file] {
        return file.isEmpty() ? std::make_unique<QSettings>()
                              : std::make_unique<QSettings>(file, QSettings::IniFormat);
    };
    Restore(form, *open());
    QObject::connect(&form, &TMainForm::Closed, &form, [&form, open] { Keep(form, *open()); });
}
