#include "platform/Canvas.h"

#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <vector>

TFont::TFont()
{
    font_.setPixelSize(11);
}

void TFont::SetHeight(int height)
{
    if (height < 0) {
        font_.setPixelSize(-height);
    } else if (height > 0) {
        // A positive height is the cell height: scale the pixel size so that
        // ascent plus descent come close to it.
        QFont probe = font_;
        probe.setPixelSize(height);
        const int cell = QFontMetrics(probe).height();
        font_.setPixelSize(std::max(1, cell > 0 ? height * height / cell : height));
    }
}

int TFont::Size() const
{
    // Rounded to the nearest point, as the framework reports it.
    return (font_.pixelSize() * 72 + ScreenPixelsPerInch / 2) / ScreenPixelsPerInch;
}

void TFont::SetSize(int points)
{
    font_.setPixelSize(std::max(1, (points * ScreenPixelsPerInch + 36) / 72));
}

TFontStyles TFont::Style() const
{
    TFontStyles s;
    if (font_.bold()) s.Include(TFontStyle::fsBold);
    if (font_.italic()) s.Include(TFontStyle::fsItalic);
    if (font_.underline()) s.Include(TFontStyle::fsUnderline);
    if (font_.strikeOut()) s.Include(TFontStyle::fsStrikeOut);
    return s;
}

void TFont::SetStyle(TFontStyles style)
{
    font_.setBold(style.Contains(TFontStyle::fsBold));
    font_.setItalic(style.Contains(TFontStyle::fsItalic));
    font_.setUnderline(style.Contains(TFontStyle::fsUnderline));
    font_.setStrikeOut(style.Contains(TFontStyle::fsStrikeOut));
}

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::Begin(QPainter* painter)
{
    End();
    painter_ = painter;
}

void TCanvas::Begin(QPaintDevice* device)
{
    End();
    own_ = std::make_unique<QPainter>(device);
    painter_ = own_.get();
}

void TCanvas::End()
{
    painter_ = nullptr;
    own_.reset();
}

void TCanvas::ApplyPen()
{
    QPen pen(ToQColor(Pen.Color));
    pen.setWidth(std::max(1, Pen.Width));
    pen.setCapStyle(Qt::FlatCap);
    painter_->setPen(pen);
}

void TCanvas::LineTo(int x, int y)
{
    if (painter_) {
        // The end point is left out: draw the pixels from the start up to the
        // one before (x, y).
        painter_->save();
        painter_->setRenderHint(QPainter::Antialiasing, false);
        const int dx = x - penPos_.X;
        const int dy = y - penPos_.Y;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        if (steps > 0) {
            const QColor c = ToQColor(Pen.Color);
            const int w = std::max(1, Pen.Width);
            if (dx == 0 || dy == 0) {
                const int x0 = std::min(penPos_.X, dx < 0 ? x + 1 : x);
                const int y0 = std::min(penPos_.Y, dy < 0 ? y + 1 : y);
                const int len = steps;
                if (dy == 0)
                    painter_->fillRect(QRect(x0, penPos_.Y - (w - 1) / 2, len, w), c);
                else
                    painter_->fillRect(QRect(penPos_.X - (w - 1) / 2, y0, w, len), c);
            } else {
                ApplyPen();
                const int ex = penPos_.X + dx * (steps - 1) / steps;
                const int ey = penPos_.Y + dy * (steps - 1) / steps;
                painter_->drawLine(penPos_.X, penPos_.Y, ex, ey);
            }
        }
        painter_->restore();
    }
    penPos_ = {x, y};
}

void TCanvas::FillRect(const TRect& r)
{
    if (!painter_ || r.IsEmpty() || Brush.Style == TBrushStyle::bsClear) return;
    painter_->fillRect(ToQRect(r), ToQColor(Brush.Color));
}

void TCanvas::Rectangle(const TRect& r)
{
    if (!painter_ || r.IsEmpty()) return;
    FillRect(r);
    const int w = std::max(1, Pen.Width);
    const QColor c = ToQColor(Pen.Color);
    const QRect q = ToQRect(r);
    // The pen lies inside the rectangle.
    painter_->fillRect(QRect(q.left(), q.top(), q.width(), std::min(w, q.height())), c);
    painter_->fillRect(QRect(q.left(), q.top() + q.height() - std::min(w, q.height()), q.width(),
                             std::min(w, q.height())),
                       c);
    painter_->fillRect(QRect(q.left(), q.top(), std::min(w, q.width()), q.height()), c);
    painter_->fillRect(QRect(q.left() + q.width() - std::min(w, q.width()), q.top(),
                             std::min(w, q.width()), q.height()),
                       c);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    if (!painter_) return;
    const QFont font = FontForText(Font.QtFont(), text);
    const QFontMetrics fm(font);
    if (Brush.Style != TBrushStyle::bsClear)
        painter_->fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()),
                           ToQColor(Brush.Color));
    painter_->setFont(font);
    painter_->setPen(ToQColor(Font.Color));
    painter_->drawText(QPoint(x, y + fm.ascent()), text);
    penPos_ = {x + fm.horizontalAdvance(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    if (!painter_) return;
    FillRect(r);
    if (text.isEmpty() || r.IsEmpty()) return;
    painter_->save();
    painter_->setClipRect(ToQRect(r), Qt::IntersectClip);
    const QFont font = FontForText(Font.QtFont(), text);
    painter_->setFont(font);
    painter_->setPen(ToQColor(Font.Color));
    painter_->drawText(QPoint(x, y + QFontMetrics(font).ascent()), text);
    painter_->restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(FontForText(Font.QtFont(), text)).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& /*text*/) const
{
    return QFontMetrics(Font.QtFont()).height();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    if (painter_ && !image.isNull()) painter_->drawImage(QPoint(x, y), image);
}

void TCanvas::BrushCopy(const TRect& dest, const QImage& image, const TRect& src,
                        TColor transparent)
{
    if (!painter_ || image.isNull() || dest.IsEmpty() || src.IsEmpty()) return;
    const QImage piece = image.copy(ToQRect(src));
    painter_->drawImage(ToQRect(dest), TransparentCopy(piece, transparent));
}

QImage TransparentCopy(const QImage& image, TColor key)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const TColor k = ColorToRGB(key);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (ColorOfPixel(line[x]) == k) line[x] = 0;
    }
    return out;
}

int FloodFill(QImage& image, int x, int y, TColor match, TColor fill, TFillStyle style)
{
    if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    const TColor m = ColorToRGB(match);
    const TColor f = ColorToRGB(fill);
    const QRgb fillPx = qRgb(GetRValue(f), GetGValue(f), GetBValue(f));
    const int w = image.width();
    const int h = image.height();
    auto pixelAt = [&](int px, int py) {
        return ColorOfPixel(reinterpret_cast<const QRgb*>(image.constScanLine(py))[px]);
    };
    auto fillable = [&](int px, int py) {
        const TColor c = pixelAt(px, py);
        return style == TFillStyle::fsSurface ? c == m : c != m;
    };
    // A visited map keeps fsBorder from looping when the fill colour is not the
    // border colour, and fsSurface when fill equals match.
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(w) * h, 0);
    std::vector<TPoint> stack;
    int count = 0;
    if (!fillable(x, y)) return 0;
    stack.push_back({x, y});
    seen[static_cast<std::size_t>(y) * w + x] = 1;
    while (!stack.empty()) {
        const TPoint p = stack.back();
        stack.pop_back();
        reinterpret_cast<QRgb*>(image.scanLine(p.Y))[p.X] = fillPx;
        ++count;
        const TPoint next[4] = {{p.X - 1, p.Y}, {p.X + 1, p.Y}, {p.X, p.Y - 1}, {p.X, p.Y + 1}};
        for (const TPoint& n : next) {
            if (n.X < 0 || n.Y < 0 || n.X >= w || n.Y >= h) continue;
            auto& s = seen[static_cast<std::size_t>(n.Y) * w + n.X];
            if (s || !fillable(n.X, n.Y)) continue;
            s = 1;
            stack.push_back(n);
        }
    }
    return count;
}
