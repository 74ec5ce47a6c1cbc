#include "platform/ui/window_layout.h"

#include <QDataStream>

namespace ui {

namespace {

// The markers and version of the layout QMainWindow writes.
constexpr qint32 kVersionMarker = 0xff;
constexpr quint8 kDockWidgetStateMarker = 0xfd;
constexpr quint8 kToolBarStateMarker = 0xfe;
constexpr quint8 kToolBarStateMarkerEx = 0xfc;
// Places of a tool bar line: left, right, top, bottom.
constexpr qint32 kDockCount = 4;

bool ReadInt(QDataStream& in, qint32& value) {
    in >> value;
    return in.status() == QDataStream::Ok;
}

// The dock part of a window without dock widgets: no dock areas in use, the central widget's size and the
// four corners.
bool SkipDockPart(QDataStream& in) {
    qint32 areas = 0;
    if (!ReadInt(in, areas) || areas != 0)
        return false;
    qint32 value = 0;
    for (int i = 0; i < 2 + 4; ++i) {
        if (!ReadInt(in, value))
            return false;
    }
    return true;
}

bool SkipToolBarPart(QDataStream& in, quint8 marker, int toolBarCount) {
    qint32 lines = 0;
    if (!ReadInt(in, lines) || lines < 0 || lines > toolBarCount)
        return false;
    int toolBars = 0;
    for (qint32 line = 0; line < lines; ++line) {
        qint32 place = 0;
        qint32 count = 0;
        if (!ReadInt(in, place) || place < 0 || place >= kDockCount || !ReadInt(in, count) || count < 0)
            return false;
        toolBars += count;
        if (toolBars > toolBarCount)
            return false;
        for (qint32 item = 0; item < count; ++item) {
            quint32 nameBytes = 0;
            in >> nameBytes;
            // A null name is written as 0xFFFFFFFF; any other length is that many bytes of UTF-16.
            if (in.status() != QDataStream::Ok ||
                (nameBytes != 0xFFFFFFFFu && (nameBytes % 2 != 0 || nameBytes > 1024)))
                return false;
            if (nameBytes != 0xFFFFFFFFu && in.skipRawData(static_cast<int>(nameBytes)) != int(nameBytes))
                return false;
            quint8 shown = 0;
            in >> shown;
            qint32 value = 0;
            const int values = marker == kToolBarStateMarkerEx ? 4 : 2; // position, size (, the rectangle)
            for (int i = 0; i < values; ++i) {
                if (!ReadInt(in, value))
                    return false;
            }
        }
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

bool IsPlausibleWindowState(const QByteArray& state, int toolBarCount) {
    QDataStream in(state);
    in.setVersion(QDataStream::Qt_5_0);
    qint32 marker = 0;
    qint32 version = 0;
    if (!ReadInt(in, marker) || marker != kVersionMarker || !ReadInt(in, version))
        return false;
    bool docks = false;
    bool toolBars = false;
    while (!in.atEnd()) {
        quint8 part = 0;
        in >> part;
        if (part == kDockWidgetStateMarker && !docks) {
            docks = true;
            if (!SkipDockPart(in))
                return false;
        } else if ((part == kToolBarStateMarker || part == kToolBarStateMarkerEx) && !toolBars) {
            toolBars = true;
            if (!SkipToolBarPart(in, part, toolBarCount))
                return false;
        } else {
            return false;
        }
    }
    // A window with tool bars always writes their part.
    return in.status() == QDataStream::Ok && (toolBars || toolBarCount == 0);
}

} // namespace ui
