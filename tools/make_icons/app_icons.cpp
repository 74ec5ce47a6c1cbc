#include "app_icons.h"

#include "paint_kit.h"

#include <algorithm>

using namespace kit;

// Drawn in a square of 64 units scaled to each size; outline widths are chosen in pixels of the target size.
namespace {

constexpr double kUnits = 64;

// The width in units of an outline that should be `pixels` wide at `size`.
double Line(int size, double pixels) {
    return pixels * kUnits / size;
}

double OutlinePixels(int size) {
    return std::clamp(size / 40.0, 1.0, 6.0);
}

void Bubble(QPainter& p, QPointF at, double r, double line) {
    p.setPen(QPen(QColor(255, 255, 255, 230), line));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(at, r, r);
}

// Two half-headed arrows, one over the other: a reaction that goes both ways.
void Equilibrium(QPainter& p, QPointF centre, double half) {
    const double gap = half * 0.32, head = half * 0.45;
    p.setPen(Outline(QColor(255, 255, 255, 235), half * 0.22));
    p.setBrush(Qt::NoBrush);
    const double top = centre.y() - gap, bottom = centre.y() + gap;
    p.drawPolyline(QPolygonF({QPointF(centre.x() - half, top), QPointF(centre.x() + half, top),
                              QPointF(centre.x() + half - head, top - head * 0.8)}));
    p.drawPolyline(QPolygonF({QPointF(centre.x() + half, bottom), QPointF(centre.x() - half, bottom),
                              QPointF(centre.x() - half + head, bottom + head * 0.8)}));
}

// A conical flask with a liquid of the given colours; `box` is its outer bounding box.
void Flask(QPainter& p, const QRectF& box, const QColor& light, const QColor& dark, int size, bool detail,
           bool equilibrium) {
    const double w = box.width();
    const double line = Line(size, OutlinePixels(size) * box.width() / 44);
    const QPainterPath glass = ErlenmeyerPath(box.adjusted(0, w * 0.07, 0, 0), w * 0.32, w * 0.36, w * 0.11);
    Shape(p, glass, QColor(0xe9, 0xf4, 0xfc), kInk, 0);
    const double surface = box.top() + box.height() * 0.52;
    p.save();
    p.setClipPath(glass);
    const QRectF liquid(box.left(), surface, w, box.bottom() - surface);
    p.fillRect(liquid, VerticalGradient(liquid, light, dark));
    if (detail) {
        const double r = w / 44;
        Bubble(p, QPointF(box.left() + 15 * r, box.bottom() - 6 * r), 2.4 * r, Line(size, 1.2));
        Bubble(p, QPointF(box.left() + 33 * r, surface + 5 * r), 2 * r, Line(size, 1.2));
        Bubble(p, QPointF(box.left() + 34 * r, box.bottom() - 5 * r), 1.6 * r, Line(size, 1.2));
        if (equilibrium)
            Equilibrium(p, QPointF(box.center().x() + 2 * r, (surface + box.bottom()) / 2 + r), 8 * r);
        // The highlight on the glass, along its left side.
        const QPointF sideTop(box.center().x() - w * 0.16, box.top() + w * 0.43);
        const QPointF sideBottom(box.left(), box.bottom());
        const QPointF inset(w * 0.1, 0);
        p.setPen(Outline(QColor(255, 255, 255, 170), w * 0.05));
        p.drawLine(sideTop + (sideBottom - sideTop) * 0.2 + inset,
                   sideTop + (sideBottom - sideTop) * 0.78 + inset);
    }
    p.setPen(QPen(dark.darker(125), line * 0.8));
    p.drawLine(QPointF(box.left(), surface), QPointF(box.right(), surface));
    p.restore();
    Shape(p, glass, Qt::NoBrush, kInk, line);
    // The rim of the neck.
    const QRectF rim(box.center().x() - w * 0.22, box.top(), w * 0.44, w * 0.1);
    p.setPen(Outline(kInk, line));
    p.setBrush(QColor(0xe9, 0xf4, 0xfc));
    p.drawRoundedRect(rim, w * 0.04, w * 0.04);
    if (detail) {
        Bubble(p, QPointF(box.center().x() + w * 0.02, box.top() + w * 0.32), w * 0.035, Line(size, 1));
        Bubble(p, QPointF(box.center().x() - w * 0.06, box.top() + w * 0.48), w * 0.05, Line(size, 1));
    }
}

void Program(QPainter& p, int size) {
    Flask(p, QRectF(9, 3, 46, 58), QColor(0x6a, 0xdc, 0x8e), QColor(0x15, 0x86, 0x5a), size, size >= 24,
          size >= 32);
}

void Document(QPainter& p, int size, const QColor& light, const QColor& dark) {
    const QRectF sheet(10, 2, 44, 60);
    const double line = Line(size, std::max(1.0, OutlinePixels(size) * 0.7));
    const double fold = 14;
    Shape(p, SheetPath(sheet, fold), VerticalGradient(sheet, kPaper, QColor(0xe8, 0xee, 0xf5)), kInkSoft,
          line);
    Shape(p, FoldPath(sheet, fold), kPaperShade, kInkSoft, line);
    if (size >= 32) {
        p.setPen(QPen(kPaperShade.darker(120), Line(size, std::max(1.0, size / 64.0))));
        for (double y : {10.0, 15.0})
            p.drawLine(QPointF(16, y), QPointF(38, y));
    }
    Flask(p, QRectF(18, 20, 28, 36), light, dark, size, size >= 48, false);
}

void Printout(QPainter& p, int size) {
    const QRectF sheet(8, 2, 42, 56);
    const double line = Line(size, std::max(1.0, OutlinePixels(size) * 0.7));
    Shape(p, SheetPath(sheet, 12), kPaper, kInkSoft, line);
    Shape(p, FoldPath(sheet, 12), kPaperShade, kInkSoft, line);
    const double text = Line(size, std::max(1.0, size / 24.0));
    p.setPen(QPen(kBlue, text * 1.4));
    p.drawLine(QPointF(15, 12), QPointF(33, 12));
    p.setPen(QPen(kPaperShade.darker(130), text));
    for (double y : {20.0, 26.0, 32.0})
        p.drawLine(QPointF(15, y), QPointF(42, y));
    const QPointF lens(40, 42);
    p.setPen(Outline(kInk, Line(size, OutlinePixels(size) * 1.4)));
    p.setBrush(QColor(0xd8, 0xec, 0xfb, 220));
    p.drawEllipse(lens, 11, 11);
    p.setPen(Outline(kInk, 7));
    p.drawLine(QPointF(48.5, 50.5), QPointF(58, 60));
}

void RemoveCross(QPainter& p, int size) {
    const double border = Line(size, size <= 16 ? 1.2 : 1.6);
    QPainterPath cross;
    cross.moveTo(18, 18);
    cross.lineTo(46, 46);
    cross.moveTo(46, 18);
    cross.lineTo(18, 46);
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(QColor(0x8c, 0x14, 0x14), 14 + 2 * border));
    p.drawPath(cross);
    p.setPen(Outline(kRed, 14));
    p.drawPath(cross);
    p.setPen(Outline(kRedLight, 4));
    p.drawLine(QPointF(21, 19.5), QPointF(27, 25.5));
    p.drawLine(QPointF(43, 19.5), QPointF(37, 25.5));
}

} // namespace

std::vector<IconImage> AppIcons() {
    std::vector<IconImage> icons;
    const auto add = [&](int id, std::initializer_list<int> sizes, auto draw) {
        for (int size : sizes)
            icons.push_back({id, size, PaintScaled(size, kUnits, [&](QPainter& p) { draw(p, size); })});
    };
    add(203, {16, 24, 32, 48, 64, 128, 256}, Program);
    add(190, {32, 48, 64, 128}, Program);
    add(201, {16, 24, 32, 48, 64, 128, 256},
        [](QPainter& p, int size) { Document(p, size, QColor(0x6a, 0xdc, 0x8e), QColor(0x15, 0x86, 0x5a)); });
    add(202, {16, 24, 32, 48}, [](QPainter& p, int size) { Document(p, size, kWaterLight, kWater); });
    add(192, {16, 24, 32, 48}, Printout);
    add(191, {16, 24, 32}, RemoveCross);
    return icons;
}
