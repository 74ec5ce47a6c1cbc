#include "platform/ui/clipboard.h"

#include "platform/ui/text_codec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ui {
namespace {

const QString kRtfTypes[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

QClipboard* Clipboard() {
    return QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

bool PutOnClipboard(const std::string& bytes, ClipboardFormat format, bool notFirst) {
    QClipboard* clipboard = Clipboard();
    if (clipboard == nullptr)
        return false;
    auto* data = new QMimeData;
    if (notFirst) {
        if (const QMimeData* held = clipboard->mimeData()) {
            for (const QString& type : held->formats())
                data->setData(type, held->data(type));
        }
    }
    if (format == ClipboardFormat::Text) {
        data->setText(FromCp1252(bytes));
    } else {
        const QByteArray rtf(bytes.data(), static_cast<qsizetype>(bytes.size()));
        for (const QString& type : kRtfTypes)
            data->setData(type, rtf);
    }
    clipboard->setMimeData(data);
    return true;
}

bool ClipboardHasText() {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasText();
}

QString ClipboardText() {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasText() ? data->text() : QString();
}

std::string ClipboardTextBytes() {
    return ToCp1252(ClipboardText());
}

QByteArray ClipboardRichText() {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr)
        return {};
    for (const QString& type : kRtfTypes) {
        if (data->hasFormat(type))
            return data->data(type);
    }
    return {};
}

} // namespace ui
