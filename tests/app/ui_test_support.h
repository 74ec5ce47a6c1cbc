#pragma once

// Helpers shared by the GUI tests: answering message boxes, saving screenshots, running the event loop until
// something has happened.
#include "platform/ui/message_box.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QEventLoop>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <deque>
#include <functional>
#include <ostream>

// Readable QString, QRect and QPoint values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}

namespace test_support {

// Records every message box and answers from a script (IDOK when the script has run out).
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(std::deque<int> answers = {}) : m_answers(std::move(answers)) {
        ui::SetMessageBoxHook([this](const QString& text, unsigned style) {
            texts << text;
            styles << style;
            if (m_answers.empty())
                return 1;
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~MessageBoxRecorder() { ui::SetMessageBoxHook({}); }

    QStringList texts;
    QList<unsigned> styles;

private:
    std::deque<int> m_answers;
};

// The folder that pictures made by the tests go to (below the build tree under CTest).
inline QString ScreenshotFolder() {
    QString folder = qEnvironmentVariable("QELT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("qelt-screenshots"));
    QDir().mkpath(folder);
    return folder;
}

// Saves a picture of the widget as <name>.png in the screenshot folder; returns the file path.
inline QString SaveScreenshot(QWidget& widget, const QString& name) {
    const QString path = QDir(ScreenshotFolder()).filePath(name + QStringLiteral(".png"));
    widget.grab().save(path);
    return path;
}

// Runs the event loop as the program does, waiting for events and falling idle between them, until the
// condition holds when it falls idle. False when it still does not after the limit, which only ends a test
// that would otherwise wait for ever.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds limit = std::chrono::minutes(1)) {
    if (done())
        return true;
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                     [&] {
                         if (done())
                             loop.quit();
                     });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace test_support
