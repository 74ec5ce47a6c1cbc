#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include <functional>
#include <vector>

// The palette, the shared shapes and the image helpers every icon is painted with.

namespace kit {

// One palette for all the artwork, so the tool bar reads as one set.
inline const QColor kInk{0x2b, 0x36, 0x45};     // outlines
inline const QColor kInkSoft{0x5d, 0x6b, 0x7c}; // secondary outlines, text lines
inline const QColor kPaper{0xfd, 0xfe, 0xff};   // sheets
inline const QColor kPaperShade{0xd9, 0xe1, 0xea};
inline const QColor kGlass{0xe3, 0xf0, 0xfa}; // empty glassware
inline const QColor kWater{0x2f, 0x86, 0xd6}; // solutions
inline const QColor kWaterLight{0x7d, 0xbf, 0xf2};
inline const QColor kGreen{0x2f, 0x9e, 0x4f};
inline const QColor kGreenLight{0x86, 0xd4, 0x7c};
inline const QColor kRed{0xd7, 0x35, 0x35};
inline const QColor kRedLight{0xf2, 0x7b, 0x6e};
inline const QColor kBlue{0x2b, 0x63, 0xc0};
inline const QColor kBlueLight{0x6f, 0xa6, 0xec};
inline const QColor kOrange{0xee, 0x8f, 0x1f};
inline const QColor kYellow{0xf7, 0xcd, 0x4f};
inline const QColor kYellowDark{0xd9, 0x9e, 0x1f};
inline const QColor kSteel{0x9a, 0xa6, 0xb3};
inline const QColor kSteelDark{0x5f, 0x6b, 0x78};

using Painter = std::function<void(QPainter&)>;

// A transparent square image of the given size with the painter's contents, antialiased.
QImage Paint(int size, const Painter& painter);

// The same contents drawn in a logical square of `logical` units scaled to `size` pixels.
QImage PaintScaled(int size, double logical, const Painter& painter);

// Tool-bar states derived from the normal image.
QImage Disabled(const QImage& normal);
QImage Hot(const QImage& normal);

// Images of one height side by side, left to right.
QImage Strip(const std::vector<QImage>& images);

// A pen of the given width with round joins.
QPen Outline(const QColor& color, double width);

// Shapes shared by several icons. Coordinates are in the caller's units.
QPainterPath SheetPath(const QRectF& sheet, double fold); // a page with its top right corner folded
QPainterPath FoldPath(const QRectF& sheet, double fold);  // the folded corner itself
QPainterPath ErlenmeyerPath(const QRectF& box, double neckWidth, double neckHeight, double corner);

// Fills `path` with `fill` and outlines it with `line` of `width`.
void Shape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& line, double width);

// A vertical linear gradient from `top` to `bottom` over the rectangle.
QLinearGradient VerticalGradient(const QRectF& r, const QColor& top, const QColor& bottom);
QLinearGradient HorizontalGradient(const QRectF& r, const QColor& left, const QColor& right);

} // namespace kit
