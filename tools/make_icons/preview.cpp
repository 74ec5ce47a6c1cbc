#include "preview.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kZoom = 4;
constexpr int kMargin = 16;

QFont LabelFont() {
    static const int id =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    QFont font(families.isEmpty() ? QString() : families.front());
    font.setPixelSize(13);
    return font;
}

QImage Enlarged(const QImage& image) {
    return image.scaled(image.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

QImage Preview(const QImage& cold, const QImage& disabled, const QImage& hot,
               const std::vector<IconImage>& icons) {
    const int stripWidth = cold.width() * kZoom;
    const int width = stripWidth + 2 * kMargin;
    const int height = 3 * (cold.height() * kZoom + 28) + 2 * (cold.height() + 28) + 1200;
    QImage sheet(width, height, QImage::Format_ARGB32);
    sheet.fill(QColor(0xf3, 0xf4, 0xf6));
    QPainter p(&sheet);
    p.setFont(LabelFont());
    p.setPen(QColor(0x30, 0x30, 0x30));
    int y = kMargin;
    const auto label = [&](const QString& text) {
        p.drawText(QPoint(kMargin, y + 14), text);
        y += 22;
    };
    const struct {
        const char* name;
        const QImage& strip;
    } strips[] = {{"bitmap 107: normal", cold}, {"bitmap 110: hot", hot}, {"bitmap 109: disabled", disabled}};
    for (const auto& s : strips) {
        label(QString::fromLatin1(s.name) + QStringLiteral(" (enlarged 4x)"));
        p.drawImage(kMargin, y, Enlarged(s.strip));
        y += s.strip.height() * kZoom + 6;
    }
    label(QStringLiteral("actual size, light and dark tool bars: normal, hot, disabled"));
    for (const QColor& background : {QColor(0xe9, 0xeb, 0xee), QColor(0x2f, 0x33, 0x3a)}) {
        int x = kMargin;
        for (const auto& s : strips) {
            p.fillRect(QRect(x - 4, y - 4, s.strip.width() + 8, s.strip.height() + 8), background);
            p.drawImage(x, y, s.strip);
            x += s.strip.width() + 24;
        }
        y += cold.height() + 14;
    }
    y += 10;
    label(QStringLiteral("icons 203, 190, 201, 202, 192, 191 at each size, then the small ones enlarged 4x"));
    int x = kMargin;
    int rowHeight = 0;
    int lastId = icons.empty() ? 0 : icons.front().id;
    const auto place = [&](const QImage& image, bool newGroup) {
        if (newGroup)
            x += 24;
        if (x + image.width() > width - kMargin) {
            x = kMargin;
            y += rowHeight + 12;
            rowHeight = 0;
        }
        p.drawImage(x, y, image);
        x += image.width() + 8;
        rowHeight = std::max(rowHeight, image.height());
    };
    for (const IconImage& icon : icons) {
        place(icon.image, icon.id != lastId);
        lastId = icon.id;
    }
    x = width;
    for (const IconImage& icon : icons) {
        if (icon.size <= 24) {
            place(Enlarged(icon.image), icon.id != lastId);
            lastId = icon.id;
        }
    }
    y += rowHeight + kMargin;
    p.end();
    return sheet.copy(0, 0, width, y);
}
