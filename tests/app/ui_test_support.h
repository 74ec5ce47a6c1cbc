#pragma once

// Helpers shared by the GUI tests: answering message boxes, saving screenshots.
#include "platform/ui/message_box.h"

#include <QDir>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
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

// Saves a picture of the widget as <name>.png in the screenshot folder; returns the file path.
inline QString SaveScreenshot(QWidget& widget, const QString& name) {
    QString folder = qEnvironmentVariable("QELT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("qelt-screenshots"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    widget.grab().save(path);
    return path;
}

} // namespace test_support
