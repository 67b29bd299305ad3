// Where the program finds its piece pictures and its opening book. Each is looked for first in
// the working folder, then beside the program, then in the data folder installed with it
// (../share/brisko-chess from the program's folder), so that a developer's build folder, an
// installed copy and a relocated install all work from any working folder.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

// The folders looked in, in order, each ending in "/"; the working folder is "".
QStringList DataFolders();

// The path of `name` (such as "Openings.grd") in the first folder that holds it; `name` alone,
// in the working folder, when none does.
QString FindDataFile(const QString& name);

// The folder of the piece pictures, ending in "/": the first one holding "Images/0.bmp".
QString FindPictureFolder();

// The opening book file, "Openings.grd", in the first folder that holds it, as a path for the
// book's reader.
std::string FindBookFile();
