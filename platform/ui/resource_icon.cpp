#include "resource_icon.h"

#include <QDir>
#include <QRegularExpression>

QIcon ResourceIcon(int id) {
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    const QRegularExpression sized(QStringLiteral("^%1-\\d+\\.png$").arg(id));
    for (const QString& name : folder.entryList({QStringLiteral("%1-*.png").arg(id)}, QDir::Files))
        if (sized.match(name).hasMatch())
            icon.addFile(folder.filePath(name));
    return icon;
}
