#include "platform/ui/lock_keys.h"

#include <QDir>
#include <QFile>

namespace ui {
namespace {

QString& Folder() {
    static QString folder;
    return folder;
}

const char* LightName(LockKey key) {
    switch (key) {
    case LockKey::CapsLock:
        return "capslock";
    case LockKey::NumLock:
        return "numlock";
    case LockKey::ScrollLock:
        return "scrolllock";
    }
    return "";
}

} // namespace

void SetLockLightFolder(const QString& folder) {
    Folder() = folder;
}

bool IsLockKeyOn(LockKey key) {
    const QDir leds(Folder().isEmpty() ? QStringLiteral("/sys/class/leds") : Folder());
    const QString suffix = QStringLiteral("::") + QLatin1String(LightName(key));
    const QStringList lights =
        leds.entryList({QLatin1Char('*') + suffix}, QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& light : lights) {
        QFile brightness(leds.filePath(light + QStringLiteral("/brightness")));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const int value = brightness.readAll().trimmed().toInt(&ok);
        if (ok && value > 0)
            return true;
    }
    return false;
}

} // namespace ui
