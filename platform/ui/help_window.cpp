#include "platform/ui/help_window.h"

#include "platform/ui/links.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resource_text.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace ui {
namespace {

const QString kHelpRoot = QStringLiteral(":/help/");

const QHash<int, QString>& Contexts() {
    static const QHash<int, QString> contexts = [] {
        QHash<int, QString> loaded;
        const QString path = QStringLiteral(":/help/contexts.txt");
        if (!QFile::exists(path))
            return loaded;
        for (const ResourceLine& line : SplitResourceText(ReadResourceText(path), path)) {
            if (line.words.size() != 2 || !line.quoted[1])
                ThrowResourceError(path, line.number, "expected: <context> \"page\"");
            loaded.insert(ParseResourceNumber(line.words[0], path, line.number), line.words[1]);
        }
        return loaded;
    }();
    return contexts;
}

} // namespace

HelpWindow& HelpWindow::Instance() {
    static QPointer<HelpWindow> window;
    if (window.isNull())
        window = new HelpWindow;
    return *window;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("%1 Help").arg(ProgramName()));
    auto* bar = new QToolBar(this);
    m_back = bar->addAction(QStringLiteral("Back"));
    m_forward = bar->addAction(QStringLiteral("Forward"));
    QAction* contents = bar->addAction(QStringLiteral("Contents"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &HelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    // Pages of the help stay in the window; addresses outside it go to the desktop's browser.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("qrc") || url.isRelative())
            m_browser->setSource(m_browser->source().resolved(url));
        else if (!OpenLink(url.toString()))
            ReportLinkNotOpened(url.toString());
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("%1 Help").arg(ProgramName())
                                       : QStringLiteral("%1 Help - %2").arg(ProgramName(), title));
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    // It closes with Esc and Ctrl+W as well as with its close button.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(720, 560);
}

QUrl HelpWindow::TopicUrl(const QString& topic) {
    QString path = topic.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    const QString anchor = path.section(QLatin1Char('#'), 1);
    path = path.section(QLatin1Char('#'), 0, 0);
    if (path.isEmpty() || path.contains(QLatin1String("..")) || !QFile::exists(kHelpRoot + path))
        return {};
    QUrl url(QStringLiteral("qrc:/help/") + path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QUrl HelpWindow::ContentsUrl() {
    return QUrl(QStringLiteral("qrc:/help/index.htm"));
}

QUrl HelpWindow::ContextUrl(int context) {
    const auto found = Contexts().constFind(context);
    return found == Contexts().constEnd() ? QUrl() : TopicUrl(found.value());
}

void HelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

bool HelpWindow::ShowTopic(const QString& topic) {
    const QUrl url = TopicUrl(topic);
    m_browser->setSource(url.isEmpty() ? ContentsUrl() : url);
    Present();
    return !url.isEmpty();
}

void HelpWindow::ShowContents() {
    m_browser->setSource(ContentsUrl());
    Present();
}

bool ShowHelpTopic(const QString& topic) {
    return HelpWindow::Instance().ShowTopic(topic);
}

void ShowHelpContents() {
    HelpWindow::Instance().ShowContents();
}

bool ShowHelpContext(int context) {
    const QUrl url = HelpWindow::ContextUrl(context);
    if (url.isEmpty()) {
        ShowHelpContents();
        return false;
    }
    return ShowHelpTopic(url.path().mid(QStringLiteral("/help/").size()));
}

} // namespace ui
