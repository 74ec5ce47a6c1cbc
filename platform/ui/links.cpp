#include "platform/ui/links.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

bool OpenLink(const QString& target) {
    const QUrl url = QUrl::fromUserInput(target.trimmed());
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace ui
