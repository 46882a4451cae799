// Text output and measurement through Qt's font engine, unantialiased so
// that every glyph pixel has exactly the font colour.

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "canvas/canvas.h"
#include "canvas/drawing.h"
#include "canvas/rasterizer.h"
#include "canvas/rounding.h"

namespace liquidus {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

struct FontKey {
    std::string Name;
    int PixelSize;
    bool Bold;
    bool Italic;
    friend bool operator<(const FontKey& a, const FontKey& b) {
        return std::tie(a.Name, a.PixelSize, a.Bold, a.Italic) <
               std::tie(b.Name, b.PixelSize, b.Bold, b.Italic);
    }
};

struct CachedFont {
    QFont Font;
    QFontMetrics Metrics;
};

using FontCache = std::map<FontKey, std::unique_ptr<CachedFont>>;

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

// Fonts must not outlive the application object that owns the font database.
void ClearCache() { Cache().clear(); }

// Text is measured far more often than it is drawn (every table layout), so
// the font and its metrics are built once per distinct font.
const CachedFont& FontFor(const TFont& font) {
    if (QGuiApplication::instance() == nullptr) {
        throw std::logic_error("text drawing needs a QGuiApplication");
    }
    const FontKey key{font.Name, FontPixelSize(font), font.Bold, font.Italic};
    FontCache& cache = Cache();
    auto it = cache.find(key);
    if (it != cache.end()) {
        return *it->second;
    }
    if (cache.empty()) {
        qAddPostRoutine(ClearCache);  // runs once when the application object goes
    }
    QFont qfont(QString::fromStdString(key.Name));
    qfont.setPixelSize(key.PixelSize);
    qfont.setBold(key.Bold);
    qfont.setItalic(key.Italic);
    qfont.setStyleStrategy(QFont::NoAntialias);
    // Whole-pixel glyph advances, so that a text's width is the sum of its
    // characters' widths and glyphs sit where the measurement says.
    qfont.setHintingPreference(QFont::PreferFullHinting);
    qfont.setKerning(false);
    auto entry = std::make_unique<CachedFont>(CachedFont{qfont, QFontMetrics(qfont)});
    return *cache.emplace(key, std::move(entry)).first->second;
}

}  // namespace

int FontPixelSize(const TFont& font) {
    return std::max(Round(std::max(font.Size, 1) * kScreenDpi / kPointsPerInch), 1);
}

int TCanvas::TextWidth(const std::string& text) const {
    if (text.empty()) {
        return 0;
    }
    return FontFor(Font).Metrics.horizontalAdvance(QString::fromStdString(text));
}

int TCanvas::TextHeight(const std::string& /*text*/) const {
    // The line height of the font, whatever the characters: rows of a table
    // line up whether or not a row has descenders.
    return FontFor(Font).Metrics.height();
}

namespace {
TDrawnItem RecordedText(const TCanvas& canvas, double x, double y, double angle, bool centred,
                        const std::string& text) {
    TDrawnItem item;
    item.Kind = TDrawnItem::TKind::Text;
    item.Font = canvas.Font;
    item.Color = canvas.Resolve(canvas.Font.Color);
    item.Text = text;
    item.At = QPointF(x, y);
    item.Angle = angle;
    item.Centred = centred;
    return item;
}
}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (OnTextOut) {
        OnTextOut(x, y, text);
    }
    const CachedFont& cached = FontFor(Font);
    const QString string = QString::fromStdString(text);
    const QColor ink = QColor::fromRgb(raster::ToPixel(Resolve(Font.Color)));
    auto end = [](int start, int extent) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{start} + extent, INT_MAX));
    };
    FillRect({x, y, end(x, cached.Metrics.horizontalAdvance(string)),
              end(y, cached.Metrics.height())});
    if (Recording != nullptr) Recording->AddText(RecordedText(*this, x, y, 0.0, false, text));

    if (m_owner.Image().isNull()) {
        return;  // an empty bitmap has nothing to paint on
    }
    QPainter painter(&m_owner.Image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(cached.Font);
    painter.setPen(ink);
    painter.drawText(QPoint(x, y + cached.Metrics.ascent()), string);
}


void TCanvas::RotatedTextOut(double x, double y, double angle, const std::string& text) {
    if (text.empty() || m_owner.Image().isNull()) return;
    const CachedFont& cached = FontFor(Font);
    if (Recording != nullptr) Recording->AddText(RecordedText(*this, x, y, angle, true, text));
    const QString string = QString::fromStdString(text);
    QPainter painter(&m_owner.Image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(cached.Font);
    painter.setPen(QColor::fromRgb(raster::ToPixel(Resolve(Font.Color))));
    painter.translate(x, y);
    painter.rotate(angle * 180.0 / 3.14159265358979323846);
    const double w = cached.Metrics.horizontalAdvance(string);
    const double h = cached.Metrics.height();
    painter.drawText(QPointF(-w / 2, -h / 2 + cached.Metrics.ascent()), string);
}

}  // namespace liquidus
