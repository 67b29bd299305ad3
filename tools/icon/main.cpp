// Draws the program's icon, a black knight from DejaVu Sans on a corner of the board, as a
// scalable SVG and as PNGs of the sizes the desktop's icon theme asks for. The SVG holds the
// glyph's outline itself, so that it needs no font where it is shown.
//
// Usage: icon OUTPUT_FOLDER   (run with QT_QPA_PLATFORM=offscreen on a headless box)
// Writes icon.svg and icon-48.png, icon-128.png, icon-256.png.
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int Size = 256; // the SVG's own units
constexpr int Margin = 8;
constexpr int Radius = 36;
constexpr int Squares = 4;
constexpr qreal Halo = 10; // width of the light edge that sets the knight off the dark squares
constexpr QRgb Light = qRgb(255, 247, 198);
constexpr QRgb Dark = qRgb(189, 132, 107);
constexpr QRgb HaloColour = qRgb(255, 255, 255);
constexpr QRgb Ink = qRgb(24, 24, 24);
constexpr char16_t SolidKnight = 0x265E;

QString Hex(QRgb colour) {
    return QColor(colour).name();
}

QString Number(qreal value) {
    return QString::number(value, 'f', 2);
}

// The glyph's outline, scaled to fill the icon's middle and standing on the board.
QPainterPath Knight(const QFont& font) {
    QPainterPath glyph;
    glyph.addText(0, 0, font, QString(QChar(SolidKnight)));
    const QRectF bounds = glyph.boundingRect();
    const qreal scale = 180.0 / bounds.height();
    QTransform place;
    place.translate(Size / 2.0, Size / 2.0 + 4);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    return place.map(glyph);
}

QPainterPath Board() {
    QPainterPath board;
    board.addRoundedRect(Margin, Margin, Size - 2 * Margin, Size - 2 * Margin, Radius, Radius);
    return board;
}

// The dark squares, cut to the board's round corners, so that no renderer needs clipping.
QPainterPath DarkSquares() {
    const qreal side = (Size - 2.0 * Margin) / Squares;
    QPainterPath squares;
    for (int row = 0; row < Squares; ++row)
        for (int column = 0; column < Squares; ++column)
            if ((row + column) % 2)
                squares.addRect(Margin + column * side, Margin + row * side, side, side);
    return squares.intersected(Board());
}

QString PathData(const QPainterPath& path) {
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement) {
            if (i > 0) data += "Z";
            data += "M" + Number(e.x) + " " + Number(e.y);
        } else if (e.type == QPainterPath::LineToElement) {
            data += "L" + Number(e.x) + " " + Number(e.y);
        } else if (e.type == QPainterPath::CurveToElement) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            data += "C" + Number(e.x) + " " + Number(e.y) + " " + Number(c2.x) + " " +
                    Number(c2.y) + " " + Number(end.x) + " " + Number(end.y);
            i += 2;
        }
    }
    return data + "Z";
}

QString Svg(const QPainterPath& knight) {
    const QString rule = knight.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd";
    QString svg = QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\">\n")
                      .arg(Size);
    svg += QString("<path d=\"%1\" fill=\"%2\"/>\n").arg(PathData(Board()), Hex(Light));
    svg += QString("<path d=\"%1\" fill=\"%2\"/>\n").arg(PathData(DarkSquares()), Hex(Dark));
    const QString data = PathData(knight);
    svg += QString("<path d=\"%1\" fill=\"%2\" fill-rule=\"%3\" stroke=\"%2\" "
                   "stroke-width=\"%4\" stroke-linejoin=\"round\"/>\n")
               .arg(data, Hex(HaloColour), rule, Number(Halo));
    svg += QString("<path d=\"%1\" fill=\"%2\" fill-rule=\"%3\"/>\n").arg(data, Hex(Ink), rule);
    return svg + "</svg>\n";
}

// The same drawing as the SVG, at `pixels` x `pixels`.
QImage Png(const QPainterPath& knight, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(pixels) / Size, qreal(pixels) / Size);
    painter.fillPath(Board(), QColor(Light));
    painter.fillPath(DarkSquares(), QColor(Dark));
    painter.setPen(QPen(QColor(HaloColour), Halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(HaloColour));
    painter.drawPath(knight);
    painter.fillPath(knight, QColor(Ink));
    painter.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QFont font("DejaVu Sans");
    font.setPixelSize(100);
    if (!QFontInfo(font).family().contains("DejaVu")) {
        std::fprintf(stderr, "DejaVu Sans is not installed (fonts-dejavu-core)\n");
        return 1;
    }
    const QPainterPath knight = Knight(font);
    QFile svg(folder + "/icon.svg");
    if (!svg.open(QIODevice::WriteOnly) || svg.write(Svg(knight).toUtf8()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (int pixels : {48, 128, 256}) {
        const QString name = QString("%1/icon-%2.png").arg(folder).arg(pixels);
        if (!Png(knight, pixels).save(name, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
