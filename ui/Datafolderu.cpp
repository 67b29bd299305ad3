#include "ui/Datafolderu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "openings/Openingu.h"

QStringList DataFolders() {
    const QString program = QCoreApplication::applicationDirPath() + "/";
    return {QString(), program, QDir::cleanPath(program + BRISKO_DATA_FROM_PROGRAM) + "/"};
}

QString FindDataFile(const QString& name) {
    for (const QString& folder : DataFolders())
        if (QFileInfo::exists(folder + name)) return folder + name;
    return name;
}

QString FindPictureFolder() {
    // A folder named Images alone proves nothing: it is a common name for a user's photos.
    const QString first = FindDataFile("Images/0.bmp");
    return first.left(first.size() - QString("0.bmp").size());
}

std::string FindBookFile() {
    return QFile::encodeName(FindDataFile(OpeningsFileName)).toStdString();
}
