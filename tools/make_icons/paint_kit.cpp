#include "paint_kit.h"

#include <algorithm>
#include <cmath>

namespace kit {

QImage Paint(int size, const Painter& painter) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    painter(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage PaintScaled(int size, double logical, const Painter& painter) {
    return Paint(size, [&](QPainter& p) {
        p.scale(size / logical, size / logical);
        painter(p);
    });
}

QImage Disabled(const QImage& normal) {
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const double lum = 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
            const int v = std::clamp(static_cast<int>(118 + lum * 0.5), 0, 255);
            const int a = static_cast<int>(qAlpha(c) * 0.62);
            line[x] = qRgba(v, v, v + 3 > 255 ? 255 : v + 3, a);
        }
    }
    return out;
}

QImage Hot(const QImage& normal) {
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QColor c = QColor::fromRgba(line[x]);
            if (c.alpha() == 0)
                continue;
            float h, s, v, a;
            c.getHsvF(&h, &s, &v, &a);
            s = std::min(1.0f, s * 1.2f);
            v = v + (1.0f - v) * 0.3f;
            c.setHsvF(h, s, v, a);
            line[x] = c.rgba();
        }
    }
    return out;
}

QImage Strip(const std::vector<QImage>& images) {
    int width = 0;
    const int height = images.empty() ? 0 : images.front().height();
    for (const QImage& image : images)
        width += image.width();
    QImage strip(width, height, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    int x = 0;
    for (const QImage& image : images) {
        p.drawImage(x, 0, image);
        x += image.width();
    }
    return strip;
}

QPen Outline(const QColor& color, double width) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QPainterPath SheetPath(const QRectF& s, double fold) {
    QPainterPath path;
    path.moveTo(s.left(), s.top());
    path.lineTo(s.right() - fold, s.top());
    path.lineTo(s.right(), s.top() + fold);
    path.lineTo(s.right(), s.bottom());
    path.lineTo(s.left(), s.bottom());
    path.closeSubpath();
    return path;
}

QPainterPath FoldPath(const QRectF& s, double fold) {
    QPainterPath path;
    path.moveTo(s.right() - fold, s.top());
    path.lineTo(s.right() - fold, s.top() + fold);
    path.lineTo(s.right(), s.top() + fold);
    path.closeSubpath();
    return path;
}

QPainterPath ErlenmeyerPath(const QRectF& box, double neckWidth, double neckHeight, double corner) {
    const double cx = box.center().x();
    const double neckLeft = cx - neckWidth / 2;
    const double neckRight = cx + neckWidth / 2;
    const double shoulder = box.top() + neckHeight;
    QPainterPath path;
    path.moveTo(neckLeft, box.top());
    path.lineTo(neckLeft, shoulder);
    // Down the left side to the rounded bottom corner.
    const QPointF bottomLeft(box.left(), box.bottom());
    const QPointF bottomRight(box.right(), box.bottom());
    const QPointF sideLeft(neckLeft, shoulder);
    const QPointF sideRight(neckRight, shoulder);
    const auto along = [](QPointF from, QPointF to, double distance) {
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        return to - d * (distance / length);
    };
    path.lineTo(along(sideLeft, bottomLeft, corner));
    path.quadTo(bottomLeft, QPointF(box.left() + corner, box.bottom()));
    path.lineTo(box.right() - corner, box.bottom());
    path.quadTo(bottomRight, along(sideRight, bottomRight, corner));
    path.lineTo(neckRight, shoulder);
    path.lineTo(neckRight, box.top());
    path.closeSubpath();
    return path;
}

void Shape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line, double width) {
    p.setBrush(fill);
    p.setPen(width > 0 ? Outline(line, width) : QPen(Qt::NoPen));
    p.drawPath(path);
}

QLinearGradient VerticalGradient(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient HorizontalGradient(const QRectF& r, const QColor& left, const QColor& right) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

} // namespace kit
