// Paints the tool-bar strips and the icons of the program into the resources folder, and a preview sheet.
// Usage: make_icons <resources folder> [<preview png>]

#include "app_icons.h"
#include "paint_kit.h"
#include "preview.h"
#include "toolbar_icons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_icons <resources folder> [<preview png>]\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    if (!resources.mkpath(QStringLiteral("toolbar")) || !resources.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "make_icons: cannot create the folders below %s\n", argv[1]);
        return 1;
    }

    const std::vector<QImage> images = ToolbarImages();
    std::vector<QImage> disabled, hot;
    for (const QImage& image : images) {
        disabled.push_back(kit::Disabled(image));
        hot.push_back(kit::Hot(image));
    }
    const QImage coldStrip = kit::Strip(images);
    const QImage disabledStrip = kit::Strip(disabled);
    const QImage hotStrip = kit::Strip(hot);
    bool ok = Save(coldStrip, resources.filePath(QStringLiteral("toolbar/107.png")));
    ok = Save(disabledStrip, resources.filePath(QStringLiteral("toolbar/109.png"))) && ok;
    ok = Save(hotStrip, resources.filePath(QStringLiteral("toolbar/110.png"))) && ok;

    const std::vector<IconImage> icons = AppIcons();
    for (const IconImage& icon : icons)
        ok = Save(icon.image,
                  resources.filePath(QStringLiteral("icons/%1-%2.png").arg(icon.id).arg(icon.size))) &&
             ok;

    if (argc >= 3) {
        const QString preview = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(QFileInfo(preview).absolutePath());
        ok = Save(Preview(coldStrip, disabledStrip, hotStrip, icons), preview) && ok;
    }
    return ok ? 0 : 1;
}
