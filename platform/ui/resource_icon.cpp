#include "resource_icon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>

namespace {

const QString kFolder = QStringLiteral(":/icons");

// The icons loaded so far, by the name of their pictures. They belong to the application object and go
// with it, while the window system they were made for is still there.
class LoadedIcons : public QObject {
    Q_OBJECT

public:
    explicit LoadedIcons(QObject* application) : QObject(application) {}
    QHash<QString, QIcon> byName;
};

// The one cache of the run; null without an application object.
LoadedIcons* Loaded() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return nullptr;
    static QPointer<LoadedIcons> loaded;
    if (loaded == nullptr)
        loaded = new LoadedIcons(application);
    return loaded;
}

template <class Load> QIcon LoadOnce(const QString& name, Load load) {
    LoadedIcons* loaded = Loaded();
    if (loaded == nullptr)
        return load();
    auto found = loaded->byName.constFind(name);
    if (found == loaded->byName.cend())
        found = loaded->byName.insert(name, load());
    return *found;
}

} // namespace

QIcon ResourceIcon(int id) {
    const QString pattern = QStringLiteral("%1-*.png").arg(id);
    return LoadOnce(pattern, [&] {
        QIcon icon;
        const QDir folder(kFolder);
        const QRegularExpression sized(QStringLiteral("^%1-\\d+\\.png$").arg(id));
        for (const QString& name : folder.entryList({pattern}, QDir::Files))
            if (sized.match(name).hasMatch())
                icon.addFile(folder.filePath(name));
        return icon;
    });
}

QIcon ResourceIconAtDefaultSize(int id) {
    const QString name = QStringLiteral("%1.png").arg(id);
    return LoadOnce(name, [&] {
        const QString path = QDir(kFolder).filePath(name);
        return QFile::exists(path) ? QIcon(path) : QIcon();
    });
}

#include "resource_icon.moc"
