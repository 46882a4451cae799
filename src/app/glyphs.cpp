#include "app/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace liquidus {

namespace {
constexpr int kGlyphSize = 16;

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap TrianglePicture(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = size / 16.0;
    const QPointF apex(size / 2.0, m);
    const QPointF left(m, size - 2 * m);
    const QPointF right(size - m, size - 2 * m);
    const QPointF mid(size / 2.0, size * 0.58);
    // Three fields meeting inside the triangle, in the diagram's own tints.
    const QColor fields[3] = {QColor(0xE0, 0xE0, 0xFF), QColor(0xFF, 0xFF, 0xB0),
                              QColor(0xB0, 0xFF, 0xB0)};
    const QPointF leftMid = (apex + left) / 2, rightMid = (apex + right) / 2,
                  baseMid = (left + right) / 2;
    const QPolygonF polygons[3] = {QPolygonF({apex, rightMid, mid, leftMid}),
                                   QPolygonF({leftMid, mid, baseMid, left}),
                                   QPolygonF({rightMid, right, baseMid, mid})};
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), std::max(1.0, m * 0.7)));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(fields[i]);
        p.drawPolygon(polygons[i]);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, std::max(1.0, m)));
    p.drawPolygon(QPolygonF({apex, left, right}));
    return pixmap;
}

QPixmap PrintGlyph() {
    QPixmap pixmap = Blank(kGlyphSize);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);  // paper going in
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(1, 6, 13, 6);  // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4);  // paper coming out
    p.setPen(QColor(0x00, 0x80, 0x00));
    p.drawPoint(12, 8);
    return pixmap;
}

QPixmap SaveGlyph() {
    QPixmap pixmap = Blank(kGlyphSize);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(0x00, 0x00, 0x80));
    p.drawRect(1, 1, 13, 13);  // disk
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);  // label
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(4, 9, 7, 5);  // shutter
    p.fillRect(8, 10, 2, 3, QColor(0x00, 0x00, 0x80));
    return pixmap;
}

QPixmap OpenDiagramGlyph() {
    QPixmap pixmap = Blank(kGlyphSize);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(0xE0, 0xC0, 0x40));
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}));  // folder
    p.setBrush(QColor(0xFF, 0xE0, 0x80));
    p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {14, 13}}));  // its open flap
    return pixmap;
}

// A page with a small triangle on it: the diagram's data, not its picture.
QPixmap SaveDiagramGlyph() {
    QPixmap pixmap = Blank(kGlyphSize);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{2, 1}, {10, 1}, {13, 4}, {13, 14}, {2, 14}}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
    p.setBrush(QColor(0xB0, 0xFF, 0xB0));
    p.drawPolygon(QPolygon({{7, 6}, {4, 12}, {11, 12}}));
    return pixmap;
}

QPixmap LetterGlyph(const QString& letter, const QColor& disc) {
    QPixmap pixmap = Blank(kGlyphSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kGlyphSize, kGlyphSize), Qt::AlignCenter, letter);
    return pixmap;
}
}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addPixmap(TrianglePicture(size));
    }
    return icon;
}

QIcon ButtonGlyph(TGlyph glyph) {
    switch (glyph) {
        case TGlyph::Print:
            return QIcon(PrintGlyph());
        case TGlyph::Save:
            return QIcon(SaveGlyph());
        case TGlyph::Help:
            return QIcon(LetterGlyph(QStringLiteral("?"), QColor(0x00, 0x80, 0x00)));
        case TGlyph::Info:
            return QIcon(LetterGlyph(QStringLiteral("i"), QColor(0x00, 0x00, 0xC0)));
        case TGlyph::About:
            return QIcon(TrianglePicture(kGlyphSize));
        case TGlyph::OpenDiagram:
            return QIcon(OpenDiagramGlyph());
        case TGlyph::SaveDiagram:
            return QIcon(SaveDiagramGlyph());
        case TGlyph::Sections:
            return QIcon(LetterGlyph(QStringLiteral("S"), QColor(0x80, 0x00, 0x80)));
    }
    return {};
}

}  // namespace liquidus
