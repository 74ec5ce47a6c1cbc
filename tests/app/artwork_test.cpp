#include "platform/ui/resource_icon.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

// The tool-bar strips and the icons are compiled into the program; the tool bar cuts each strip into its
// buttons' images, so every strip must hold one drawn image per button, on a transparent ground.
namespace {

constexpr int kButtons = 17;
constexpr int kImage = 24;

QImage LoadStrip(int id) {
    return QImage(QStringLiteral(":/toolbar/%1.png").arg(id)).convertToFormat(QImage::Format_ARGB32);
}

// Counts the opaque and the transparent pixels of one image of a strip.
std::pair<int, int> OpaqueAndClear(const QImage& strip, int slot) {
    int opaque = 0, clear = 0;
    for (int y = 0; y < kImage; ++y)
        for (int x = slot * kImage; x < (slot + 1) * kImage; ++x) {
            const int alpha = qAlpha(strip.pixel(x, y));
            opaque += alpha > 100;
            clear += alpha == 0;
        }
    return {opaque, clear};
}

TEST(Artwork, EachToolBarStripHoldsOneImagePerButton) {
    for (int id : {107, 109, 110}) {
        SCOPED_TRACE(id);
        const QImage strip = LoadStrip(id);
        ASSERT_FALSE(strip.isNull()) << "bitmap " << id << " is not in the resources";
        EXPECT_EQ(strip.size(), QSize(kButtons * kImage, kImage));
        EXPECT_TRUE(strip.hasAlphaChannel());
        for (int slot = 0; slot < kButtons; ++slot) {
            const auto [opaque, clear] = OpaqueAndClear(strip, slot);
            EXPECT_GT(opaque, 40) << "button " << slot << " is blank";
            EXPECT_GT(clear, 40) << "button " << slot << " has no transparent ground";
        }
    }
}

TEST(Artwork, DisabledImagesAreGrayAndTheOthersInColour) {
    const auto colourful = [](const QImage& strip, int slot) {
        int coloured = 0;
        for (int y = 0; y < kImage; ++y)
            for (int x = slot * kImage; x < (slot + 1) * kImage; ++x) {
                const QRgb c = strip.pixel(x, y);
                coloured +=
                    qAlpha(c) > 100 && std::abs(qRed(c) - qGreen(c)) + std::abs(qGreen(c) - qBlue(c)) > 30;
            }
        return coloured;
    };
    const QImage disabled = LoadStrip(109);
    const QImage normal = LoadStrip(107);
    const QImage hot = LoadStrip(110);
    ASSERT_FALSE(disabled.isNull() || normal.isNull() || hot.isNull());
    int normalColoured = 0;
    for (int slot = 0; slot < kButtons; ++slot) {
        EXPECT_EQ(colourful(disabled, slot), 0) << "disabled button " << slot << " is in colour";
        normalColoured += colourful(normal, slot) > 0;
    }
    EXPECT_GE(normalColoured, kButtons - 1);
    EXPECT_NE(normal, hot) << "the hot images do not differ from the normal ones";
}

TEST(Artwork, EveryIconIsThereInItsSizes) {
    const struct {
        int id;
        std::initializer_list<int> sizes;
    } icons[] = {
        {203, {16, 24, 32, 48, 64, 128, 256}},
        {190, {32, 48, 64, 128}},
        {201, {16, 24, 32, 48, 64, 128, 256}},
        {202, {16, 24, 32, 48}},
        {192, {16, 24, 32, 48}},
        {191, {16, 24, 32}},
    };
    for (const auto& icon : icons)
        for (int size : icon.sizes) {
            const QImage image(QStringLiteral(":/icons/%1-%2.png").arg(icon.id).arg(size));
            ASSERT_FALSE(image.isNull()) << "icon " << icon.id << " is missing at " << size;
            EXPECT_EQ(image.size(), QSize(size, size)) << "icon " << icon.id;
            EXPECT_TRUE(image.hasAlphaChannel()) << "icon " << icon.id;
        }
}

TEST(Artwork, AnIconGathersAllItsSizes) {
    const QIcon program = ResourceIcon(203);
    ASSERT_FALSE(program.isNull());
    QList<int> sizes;
    for (const QSize& size : program.availableSizes())
        sizes << size.width();
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, QList<int>({16, 24, 32, 48, 64, 128, 256}));
    EXPECT_EQ(program.pixmap(40).size(), QSize(40, 40));
    // "203" must not pick up the pictures of an icon whose number starts the same way.
    EXPECT_EQ(ResourceIcon(20).availableSizes().size(), 0);
    EXPECT_TRUE(ResourceIcon(4711).isNull());
}

// Every window shows the one icon loaded first: the pictures Qt renders of an icon are kept per icon.
TEST(Artwork, AnIconIsLoadedOnceForEveryWindow) {
    EXPECT_EQ(ResourceIcon(192).cacheKey(), ResourceIcon(192).cacheKey());
    const QIcon remove = ResourceIconAtDefaultSize(191);
    EXPECT_EQ(remove.availableSizes(), QList<QSize>({QSize(12, 12)}));
    EXPECT_EQ(remove.cacheKey(), ResourceIconAtDefaultSize(191).cacheKey());
    EXPECT_NE(remove.cacheKey(), ResourceIcon(191).cacheKey());
    EXPECT_TRUE(ResourceIconAtDefaultSize(203).isNull());
}

// A sheet of the three strips as compiled in, enlarged, for looking at.
TEST(Artwork, SavesAPictureOfTheStrips) {
    const QString folder = qEnvironmentVariable("QELT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QELT_SCREENSHOT_DIR is not set";
    constexpr int zoom = 3;
    QImage sheet(kButtons * kImage * zoom + 16, 3 * (kImage * zoom + 8) + 8, QImage::Format_ARGB32);
    sheet.fill(QColor(0xef, 0xf0, 0xf2));
    QPainter p(&sheet);
    int y = 8;
    for (int id : {107, 110, 109}) {
        const QImage strip = LoadStrip(id);
        p.drawImage(8, y, strip.scaled(strip.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        y += kImage * zoom + 8;
    }
    p.end();
    QDir().mkpath(folder);
    EXPECT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("toolbar_strips.png"))));
}

} // namespace
