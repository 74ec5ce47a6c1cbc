#include "toolbar_icons.h"

#include "paint_kit.h"

using namespace kit;

// Every image is drawn in pixels of a 24 x 24 square; 1-pixel outlines sit on half pixels to stay sharp.
namespace {

constexpr int kSize = 24;

const QColor kFolderLine{0x8f, 0x63, 0x0c};
const QColor kStarLine{0xb8, 0x7a, 0x08};

void Star(QPainter& p, QPointF c, double outer, double inner) {
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = M_PI / 4 * i - M_PI / 2;
        const QPointF point(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    Shape(p, star, kYellow, kStarLine, 1);
}

void Sheet(QPainter& p, const QRectF& sheet, double fold) {
    Shape(p, SheetPath(sheet, fold), VerticalGradient(sheet, kPaper, QColor(0xee, 0xf2, 0xf7)), kInkSoft, 1);
    Shape(p, FoldPath(sheet, fold), kPaperShade, kInkSoft, 1);
}

void TextLine(QPainter& p, double x1, double x2, double y, const QColor& color = kPaperShade.darker(125)) {
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void New(QPainter& p) {
    Sheet(p, QRectF(4.5, 1.5, 15, 20), 5);
    Star(p, QPointF(17.5, 17.5), 6, 2);
}

void Open(QPainter& p) {
    QPainterPath back;
    back.moveTo(2.5, 4.5);
    back.lineTo(8.5, 4.5);
    back.lineTo(10.5, 6.5);
    back.lineTo(18.5, 6.5);
    back.lineTo(18.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    Shape(p, back, kYellowDark, kFolderLine, 1);
    p.setPen(kInkSoft);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 8.5, 11, 9));
    TextLine(p, 7, 15, 11);
    TextLine(p, 7, 13, 13);
    QPainterPath front;
    front.moveTo(6.5, 11.5);
    front.lineTo(22.5, 11.5);
    front.lineTo(19.5, 19.5);
    front.lineTo(2.5, 19.5);
    front.closeSubpath();
    Shape(p, front, VerticalGradient(QRectF(0, 11, 1, 9), QColor(0xfd, 0xdf, 0x7c), kYellow), kFolderLine, 1);
}

void Save(QPainter& p) {
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(18.5, 3.5);
    body.lineTo(20.5, 5.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.closeSubpath();
    Shape(p, body, VerticalGradient(QRectF(0, 3, 1, 18), kBlueLight, kBlue), kInk, 1);
    p.setPen(kInk);
    p.setBrush(VerticalGradient(QRectF(0, 3, 1, 7), QColor(0xe8, 0xec, 0xf0), kSteel));
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.fillRect(QRectF(13, 5, 2, 3), kSteelDark);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    TextLine(p, 8, 16, 15.5, kBlueLight);
    TextLine(p, 8, 16, 17.5, kBlueLight);
}

void Print(QPainter& p) {
    p.setPen(kInkSoft);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    TextLine(p, 8, 16, 5);
    const QRectF body(2.5, 8.5, 19, 9);
    p.setPen(kInk);
    p.setBrush(VerticalGradient(body, QColor(0xe4, 0xe9, 0xef), kSteel));
    p.drawRoundedRect(body, 2, 2);
    p.fillRect(QRectF(5, 14, 14, 1), kInk);
    p.setPen(kInkSoft);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    TextLine(p, 8, 16, 17);
    TextLine(p, 8, 14, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);
}

// A dialog window with a blue caption: the reaction form views.
void Window(QPainter& p) {
    const QRectF frame(1.5, 3.5, 21, 17);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(frame);
    p.fillRect(QRectF(2, 4, 20, 3), kBlue);
    p.fillRect(QRectF(2, 7, 20, 1), kInk);
}

void Field(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line) {
    p.setPen(line);
    p.setBrush(fill);
    p.drawRect(r);
}

void DefaultUi(QPainter& p) {
    Window(p);
    for (double y : {9.5, 13.5, 17.5}) {
        Field(p, QRectF(3.5, y, 3, 2), kGreenLight, kGreen);
        Field(p, QRectF(8.5, y, 12, 2), kPaper, kInkSoft);
    }
}

void AlternateUi(QPainter& p) {
    Window(p);
    Field(p, QRectF(3.5, 9.5, 5, 3), kPaper, kInkSoft);
    Field(p, QRectF(3.5, 15.5, 5, 3), kPaper, kInkSoft);
    Field(p, QRectF(15.5, 12.5, 5, 3), kPaper, kInkSoft);
    p.setPen(Outline(kGreen, 1.5));
    p.drawLine(QPointF(10, 14), QPointF(13.5, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(12, 11.5), QPointF(14.8, 14), QPointF(12, 16.5)}));
}

void Printout(QPainter& p) {
    Sheet(p, QRectF(3.5, 1.5, 15, 20), 4);
    TextLine(p, 6, 13, 5.5, kBlue);
    for (double y : {8.5, 10.5, 12.5})
        TextLine(p, 6, 15, y);
    p.setPen(Outline(kInk, 1.3));
    p.setBrush(QColor(0xd8, 0xec, 0xfb, 220));
    p.drawEllipse(QPointF(15, 15), 4.3, 4.3);
    p.setPen(Outline(kInk, 2.6));
    p.drawLine(QPointF(18.3, 18.3), QPointF(21.5, 21.5));
    p.setPen(Outline(QColor(255, 255, 255, 200), 1));
    p.drawArc(QRectF(12.2, 12.2, 5.6, 5.6), 100 * 16, 70 * 16);
}

// A small beam balance under the ion badges.
void Balance(QPainter& p) {
    p.setPen(Outline(kSteelDark, 1));
    p.drawLine(QPointF(4, 20.5), QPointF(20, 20.5));
    p.setBrush(kSteelDark);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(12, 18), QPointF(14.5, 22.5), QPointF(9.5, 22.5)}));
    p.setPen(Outline(kSteelDark, 1));
    p.drawArc(QRectF(2, 18.5, 4, 3), 180 * 16, 180 * 16);
    p.drawArc(QRectF(18, 18.5, 4, 3), 180 * 16, 180 * 16);
}

void LetterH(QPainter& p, double x, double top, double height, const QColor& c) {
    p.fillRect(QRectF(x, top, 2, height), c);
    p.fillRect(QRectF(x + 6, top, 2, height), c);
    p.fillRect(QRectF(x + 2, top + height / 2 - 1, 4, 2), c);
}

void BalanceHPlus(QPainter& p) {
    LetterH(p, 3, 3, 13, kRed);
    p.fillRect(QRectF(13, 6, 8, 2), kRed);
    p.fillRect(QRectF(16, 3, 2, 8), kRed);
    Balance(p);
}

void BalanceOhMinus(QPainter& p) {
    p.setPen(QPen(kBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 4, 7, 11));
    LetterH(p, 10.5, 3, 13, kBlue);
    p.fillRect(QRectF(19, 5, 4.5, 2), kBlue);
    Balance(p);
}

void GasCylinder(QPainter& p) {
    QPainterPath body;
    body.moveTo(6.5, 20.5);
    body.lineTo(6.5, 11.5);
    body.cubicTo(6.5, 7.5, 9, 6.5, 12, 6.5);
    body.cubicTo(15, 6.5, 17.5, 7.5, 17.5, 11.5);
    body.lineTo(17.5, 20.5);
    body.quadTo(17.5, 22.5, 15.5, 22.5);
    body.lineTo(8.5, 22.5);
    body.quadTo(6.5, 22.5, 6.5, 20.5);
    body.closeSubpath();
    QLinearGradient shade(QPointF(6.5, 0), QPointF(17.5, 0));
    shade.setColorAt(0, QColor(0x4f, 0xb0, 0x62));
    shade.setColorAt(0.35, kGreenLight);
    shade.setColorAt(1, QColor(0x1f, 0x77, 0x39));
    Shape(p, body, shade, kInk, 1);
    p.save();
    p.setClipPath(body);
    p.fillRect(QRectF(6, 11, 12, 3), QColor(255, 255, 255, 150));
    p.restore();
    p.setPen(kInk);
    p.setBrush(kSteel);
    p.drawRect(QRectF(10.5, 3.5, 3, 3));
    p.drawRect(QRectF(13.5, 4.5, 3, 1.5));
    p.setPen(Outline(kInk, 1.5));
    p.drawLine(QPointF(8.5, 2.2), QPointF(15.5, 2.2));
}

void VolumetricFlask(QPainter& p) {
    QPainterPath glass;
    glass.addEllipse(QPointF(12, 16.5), 6.5, 6);
    QPainterPath neck;
    neck.addRect(QRectF(10.5, 3.5, 3, 9));
    glass = glass.united(neck);
    Shape(p, glass, kGlass, kInk, 0);
    p.save();
    p.setClipPath(glass);
    p.fillRect(QRectF(0, 8, 24, 16), VerticalGradient(QRectF(0, 8, 1, 15), kWaterLight, kWater));
    p.restore();
    Shape(p, glass, Qt::NoBrush, kInk, 1);
    p.fillRect(QRectF(10, 7.5, 4, 1), kRed);
    p.setPen(kInk);
    p.setBrush(kSteelDark);
    p.drawRect(QRectF(9.5, 1.5, 5, 2));
    p.setPen(Outline(QColor(255, 255, 255, 190), 1.2));
    p.drawArc(QRectF(7.5, 12, 9, 9), 110 * 16, 60 * 16);
}

void Percentages(QPainter& p) {
    const QRectF key(2.5, 2.5, 19, 19);
    p.setPen(QColor(0xad, 0x62, 0x0e));
    p.setBrush(VerticalGradient(key, QColor(0xff, 0xdd, 0xa6), kOrange));
    p.drawRoundedRect(key, 4, 4);
    const QColor mark(0x5a, 0x2e, 0x05);
    p.setPen(QPen(mark, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8.2, 8.2), 2.1, 2.1);
    p.drawEllipse(QPointF(15.8, 15.8), 2.1, 2.1);
    p.setPen(Outline(mark, 2));
    p.drawLine(QPointF(16.2, 6.5), QPointF(7.8, 17.5));
}

void ElementalAnalysis(QPainter& p) {
    const QRectF pie(2.5, 2.5, 18, 18);
    const auto slice = [&](const QRectF& r, int start, int span, const QColor& fill) {
        QPainterPath path;
        path.moveTo(r.center());
        path.arcTo(r, start, span);
        path.closeSubpath();
        Shape(p, path, fill, kInk, 1);
    };
    slice(pie, 90, 190, QColor(0x55, 0x60, 0x6d));
    slice(pie, 280, 100, kRed);
    slice(pie.translated(1.5, -1.5), 20, 70, kBlueLight);
}

void SubstancesDatabase(QPainter& p) {
    const double left = 2.5, right = 15.5, ry = 2.5;
    QPainterPath body;
    body.moveTo(left, 5.5);
    body.lineTo(left, 18.5);
    body.arcTo(QRectF(left, 16, right - left, 2 * ry), 180, 180);
    body.lineTo(right, 5.5);
    body.closeSubpath();
    QLinearGradient shade(QPointF(left, 0), QPointF(right, 0));
    shade.setColorAt(0, QColor(0x4f, 0x87, 0xd6));
    shade.setColorAt(0.35, kBlueLight);
    shade.setColorAt(1, QColor(0x22, 0x4f, 0x9c));
    Shape(p, body, shade, kInk, 1);
    p.setPen(kInk);
    p.setBrush(Qt::NoBrush);
    for (double y : {8.5, 13.0}) {
        p.drawArc(QRectF(left, y, right - left, 2 * ry), 180 * 16, 180 * 16);
    }
    p.setBrush(QColor(0xcf, 0xe2, 0xfa));
    p.drawEllipse(QRectF(left, 3, right - left, 2 * ry));
    // A conical flask in front: the database holds substances.
    const QRectF flask(12.5, 10.5, 10, 12);
    const QPainterPath glass = ErlenmeyerPath(flask, 3, 4, 1.2);
    Shape(p, glass, kGlass, kInk, 0);
    p.save();
    p.setClipPath(glass);
    p.fillRect(QRectF(12, 17, 12, 6), kGreen);
    p.restore();
    Shape(p, glass, Qt::NoBrush, kInk, 1);
}

void MoietiesEditor(QPainter& p) {
    const QPointF c(9, 11), h1(3.5, 5), h2(3.5, 17.5), o(16, 8), h3(20.5, 3.5);
    p.setPen(Outline(kInkSoft, 1.8));
    p.drawLine(c, h1);
    p.drawLine(c, h2);
    p.drawLine(c, o);
    p.drawLine(o, h3);
    const auto atom = [&](QPointF at, double r, const QColor& light, const QColor& dark) {
        QRadialGradient g(at - QPointF(r / 3, r / 3), r * 1.4);
        g.setColorAt(0, light);
        g.setColorAt(1, dark);
        p.setPen(kInk);
        p.setBrush(g);
        p.drawEllipse(at, r, r);
    };
    atom(c, 3.6, QColor(0x8c, 0x96, 0xa2), QColor(0x3a, 0x42, 0x4c));
    atom(h1, 2.3, Qt::white, QColor(0xc5, 0xcd, 0xd6));
    atom(h2, 2.3, Qt::white, QColor(0xc5, 0xcd, 0xd6));
    atom(h3, 2.1, Qt::white, QColor(0xc5, 0xcd, 0xd6));
    atom(o, 3, kRedLight, kRed);
    // A pencil: the abbreviations are edited here.
    p.save();
    p.translate(16.5, 17);
    p.rotate(-45);
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawRect(QRectF(-2, -5, 4, 8.5));
    p.setBrush(kRedLight);
    p.drawRect(QRectF(-2, -7, 4, 2));
    p.setBrush(QColor(0xf3, 0xd9, 0xb1));
    p.drawPolygon(QPolygonF({QPointF(-2, 3.5), QPointF(2, 3.5), QPointF(0, 7.5)}));
    p.restore();
}

void Tutorial(QPainter& p) {
    QPainterPath cover;
    cover.moveTo(1.5, 6.5);
    cover.lineTo(1.5, 20.5);
    cover.lineTo(12, 21.5);
    cover.lineTo(22.5, 20.5);
    cover.lineTo(22.5, 6.5);
    cover.closeSubpath();
    Shape(p, cover, kBlue, kInk, 1);
    const auto page = [&](double outer) {
        QPainterPath path;
        path.moveTo(12, 6);
        path.quadTo((12 + outer) / 2, 3, outer, 4.5);
        path.lineTo(outer, 18.5);
        path.quadTo((12 + outer) / 2, 17, 12, 19.5);
        path.closeSubpath();
        Shape(p, path, kPaper, kInkSoft, 1);
    };
    page(3);
    page(21);
    for (double y : {8.5, 11.0, 13.5}) {
        TextLine(p, 5, 10, y + 0.5);
        TextLine(p, 14, 19, y + 0.5);
    }
}

void About(QPainter& p) {
    const QRectF disc(2.5, 2.5, 19, 19);
    p.setPen(QColor(0x1b, 0x47, 0x93));
    p.setBrush(VerticalGradient(disc, kBlueLight, kBlue));
    p.drawEllipse(disc);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7.5), 1.7, 1.7);
    p.drawRect(QRectF(11, 10, 2, 7));
    p.drawRect(QRectF(9.5, 10, 2, 1.5));
    p.drawRect(QRectF(9.5, 16, 5, 1.5));
}

} // namespace

std::vector<QImage> ToolbarImages() {
    const std::vector<Painter> painters = {New,
                                           Open,
                                           Save,
                                           Print,
                                           DefaultUi,
                                           AlternateUi,
                                           Printout,
                                           BalanceHPlus,
                                           BalanceOhMinus,
                                           GasCylinder,
                                           VolumetricFlask,
                                           Percentages,
                                           ElementalAnalysis,
                                           SubstancesDatabase,
                                           MoietiesEditor,
                                           Tutorial,
                                           About};
    std::vector<QImage> images;
    for (const Painter& painter : painters)
        images.push_back(Paint(kSize, painter));
    return images;
}
