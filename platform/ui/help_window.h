#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QAction;

// The program's help: HTML pages compiled in under :/help, shown in a window of our own with Back,
// Forward and Contents. Topics are named as the program has always named them ("html\\tutorial_1st_run.htm",
// backslashes or slashes), help contexts by number through :/help/contexts.txt (<context> "<page>").
namespace ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window, made on first use.
    static HelpWindow& Instance();

    // Shows the page; false (and the contents page instead) when there is no such page.
    bool ShowTopic(const QString& topic);
    void ShowContents();

    QTextBrowser* Browser() const { return m_browser; }
    QUrl CurrentPage() const { return m_browser->source(); }
    QAction* BackAction() const { return m_back; }
    QAction* ForwardAction() const { return m_forward; }

    // The page of a topic name, or an empty URL when it does not exist.
    static QUrl TopicUrl(const QString& topic);
    static QUrl ContentsUrl();
    // The page of a help context, or an empty URL when the context has none.
    static QUrl ContextUrl(int context);

private:
    explicit HelpWindow(QWidget* parent = nullptr);
    void Present();

    QTextBrowser* m_browser;
    QAction* m_back;
    QAction* m_forward;
};

// Shortcuts for the program's commands.
bool ShowHelpTopic(const QString& topic);
void ShowHelpContents();
bool ShowHelpContext(int context);

} // namespace ui
