#include "platform/ui/links.h"

#include "platform/ui/command_ids.h"
#include "platform/ui/message_box.h"
#include "platform/ui/string_table.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

bool OpenLink(const QString& target) {
    const QUrl url = QUrl::fromUserInput(target.trimmed());
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

void ReportLinkNotOpened(const QString& target) {
    QString address = target.trimmed();
    if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        address.remove(0, 7);
    MessageBox(FormatString(str::LinkNotOpened, {address}), MB_ICONEXCLAMATION);
}

} // namespace ui
