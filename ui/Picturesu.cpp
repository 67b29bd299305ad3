#include "ui/Picturesu.h"

int PictureIndex(int piece) {
    // Piece codes 1..6 are pawn, rook, knight, bishop, king, queen.
    static constexpr int ByType[7] = {-1, 5, 0, 1, 2, 4, 3};
    if (piece > 0 && piece <= 6) return ByType[piece];
    if (piece < 0 && piece >= -6) return ByType[-piece] + 6;
    return -1;
}

QImage WithTransparentColour(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == LightSquare)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QStringList LoadPieceImages(PieceImages& images, const QString& folder) {
    QStringList failed;
    for (int i = 0; i < static_cast<int>(images.size()); ++i) {
        const QString name = folder + QString::number(i) + ".bmp";
        QImage picture;
        if (picture.load(name, "BMP")) {
            images[i] = WithTransparentColour(picture);
        } else {
            images[i] = QImage();
            failed.append(name);
        }
    }
    return failed;
}

QString MissingPicturesMessage(const QStringList& missing) {
    return missing.size() == 1
               ? QString("Cannot load the piece picture %1.").arg(missing.first())
               : QString("Cannot load the piece pictures %1.").arg(missing.join(", "));
}
