// Draws the twelve 48 x 48 piece pictures 0.bmp .. 11.bmp from the chess glyphs of DejaVu Sans.
// The background is the board's transparent colour; edges are hard (no blending with it), so a
// piece shows no light fringe on the dark squares.
//
// Usage: pieces OUTPUT_FOLDER [--png]   (run with QT_QPA_PLATFORM=offscreen on a headless box)
// --png writes PNG copies and sheet.png, every piece on both square colours, three times larger,
// for a look at them.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Size = 48;
constexpr QRgb Transparent = qRgb(255, 247, 198);
constexpr QRgb WhiteFill = qRgb(255, 255, 255);
constexpr QRgb Ink = qRgb(0, 0, 0);
constexpr QRgb BlackFill = qRgb(24, 24, 24);
constexpr QRgb BlackDetail = qRgb(150, 150, 150);
constexpr int Threshold = 110; // coverage (0..255) from which a pixel belongs to the piece

// Picture order: rook, knight, bishop, queen, king, pawn. The outline glyphs U+2654.. are
// king, queen, rook, bishop, knight, pawn; the solid ones follow six code points later.
constexpr char16_t OutlineGlyph[6] = {0x2656, 0x2658, 0x2657, 0x2655, 0x2654, 0x2659};
constexpr char16_t SolidOffset = 6;

// Returns the glyph's coverage (0..255) at picture size, scaled so that the king fills the
// height and every piece stands on the same base line.
std::vector<int> Coverage(const QFont& font, char16_t glyph, qreal scale, qreal baseline) {
    QPainterPath path;
    path.addText(0, 0, font, QString(QChar(glyph)));
    const QRectF bounds = path.boundingRect();
    QImage mask(Size, Size, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(Size / 2.0 - bounds.center().x() * scale, baseline);
    painter.scale(scale, scale);
    painter.fillPath(path, Qt::black);
    painter.end();
    std::vector<int> alpha(Size * Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) alpha[y * Size + x] = qAlpha(mask.pixel(x, y));
    return alpha;
}

// Marks every pixel that the background cannot reach from the picture's border without
// crossing the outline: the piece's whole silhouette, holes included.
std::vector<bool> Silhouette(const std::vector<int>& outline) {
    std::vector<bool> outside(Size * Size, false);
    std::vector<int> stack;
    for (int i = 0; i < Size; ++i) {
        for (int edge : {i, (Size - 1) * Size + i, i * Size, i * Size + Size - 1}) {
            if (!outside[edge] && outline[edge] < Threshold) {
                outside[edge] = true;
                stack.push_back(edge);
            }
        }
    }
    while (!stack.empty()) {
        const int p = stack.back();
        stack.pop_back();
        const int x = p % Size, y = p / Size;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[0] >= Size || n[1] < 0 || n[1] >= Size) continue;
            const int q = n[1] * Size + n[0];
            if (!outside[q] && outline[q] < Threshold) {
                outside[q] = true;
                stack.push_back(q);
            }
        }
    }
    std::vector<bool> inside(Size * Size);
    for (int i = 0; i < Size * Size; ++i) inside[i] = !outside[i];
    return inside;
}

QRgb Blend(QRgb from, QRgb to, int amount) {
    auto mix = [amount](int a, int b) { return (a * (255 - amount) + b * amount) / 255; };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                mix(qBlue(from), qBlue(to)));
}

// A white piece is light inside its dark outline; a black piece is dark with grey details.
QImage Picture(const QFont& font, int piece, bool black, qreal scale, qreal baseline) {
    const auto outline = Coverage(font, OutlineGlyph[piece], scale, baseline);
    const auto solid = Coverage(font, OutlineGlyph[piece] + SolidOffset, scale, baseline);
    const auto inside = Silhouette(outline);
    QImage image(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const int i = y * Size + x;
            QRgb colour = Transparent;
            if (inside[i]) {
                colour = black ? Blend(BlackDetail, BlackFill, solid[i])
                               : Blend(WhiteFill, Ink, outline[i]);
                // The outermost ring is always dark, whatever the coverage says.
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= Size || ny >= Size || !inside[ny * Size + nx])
                            colour = black ? BlackFill : Ink;
                    }
            }
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

// Draws every picture on a light and on a dark square, as the board will show them.
QImage Sheet(const std::vector<QImage>& pictures) {
    constexpr int Square = 52;
    QImage sheet(Square * 12, Square * 2, QImage::Format_RGB32);
    QPainter painter(&sheet);
    const QRgb squares[2] = {qRgb(255, 247, 198), qRgb(189, 132, 107)};
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 12; ++i) {
            painter.fillRect(i * Square, row * Square, Square, Square, QColor(squares[row]));
            QImage piece = pictures[i].convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < Size; ++y)
                for (int x = 0; x < Size; ++x)
                    if (piece.pixel(x, y) == (Transparent | 0xff000000u))
                        piece.setPixel(x, y, qRgba(0, 0, 0, 0));
            painter.drawImage(i * Square + 2, row * Square + 2, piece);
        }
    }
    painter.end();
    return sheet.scaled(sheet.size() * 3);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: pieces OUTPUT_FOLDER [--png]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool png = argc > 2 && QString::fromLocal8Bit(argv[2]) == "--png";
    QDir().mkpath(folder);

    QFont font("DejaVu Sans");
    font.setPixelSize(100);
    if (!QFontInfo(font).family().contains("DejaVu")) {
        std::fprintf(stderr, "DejaVu Sans is not installed (fonts-dejavu-core)\n");
        return 1;
    }
    // Scale so that the tallest glyph (the king) is 44 pixels high, standing 2 pixels above
    // the picture's bottom.
    QPainterPath king;
    king.addText(0, 0, font, QString(QChar(OutlineGlyph[4])));
    const QRectF kingBounds = king.boundingRect();
    const qreal scale = 44.0 / kingBounds.height();
    const qreal baseline = Size - 2 - kingBounds.bottom() * scale;

    std::vector<QImage> pictures;
    for (int index = 0; index < 12; ++index) {
        const QImage image = Picture(font, index % 6, index >= 6, scale, baseline);
        pictures.push_back(image);
        const QString name = QString("%1/%2.%3").arg(folder).arg(index).arg(png ? "png" : "bmp");
        if (!image.save(name, png ? "PNG" : "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    if (png && !Sheet(pictures).save(folder + "/sheet.png", "PNG")) {
        std::fprintf(stderr, "cannot write the sheet\n");
        return 1;
    }
    return 0;
}
