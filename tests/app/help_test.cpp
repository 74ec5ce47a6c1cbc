// The help window: the pages the program opens exist, links between pages work, and the window keeps a
// history.
#include "platform/ui/help_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QDesktopServices>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Help, EveryPageTheProgramOpensExists) {
    for (const char* topic : {"html\\tutorial_1st_run.htm", "html\\list_of_examples.htm", "html/formulas.htm",
                              "/html/calculators.htm", "html\\reaction_strings.htm#x"}) {
        SCOPED_TRACE(topic);
        EXPECT_FALSE(ui::HelpWindow::TopicUrl(topic).isEmpty());
    }
    for (int context : {201, 202, 182}) {
        SCOPED_TRACE(context);
        EXPECT_FALSE(ui::HelpWindow::ContextUrl(context).isEmpty());
    }
    EXPECT_TRUE(QFile::exists(":/help/index.htm"));
    EXPECT_TRUE(ui::HelpWindow::TopicUrl("html\\no_such_page.htm").isEmpty());
    EXPECT_TRUE(ui::HelpWindow::TopicUrl("../strings/platform.txt").isEmpty());
    EXPECT_TRUE(ui::HelpWindow::TopicUrl("").isEmpty());
    EXPECT_TRUE(ui::HelpWindow::ContextUrl(4711).isEmpty());
}

TEST(Help, LinksBetweenPagesAllLeadToPages) {
    const QRegularExpression link(R"(href="([^"#]+)(#[^"]*)?")");
    int pages = 0;
    QDirIterator it(":/help", {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++pages;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains("<title>")) << path.toStdString();
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target.contains(':'))
                continue;
            const QString resolved = QUrl("qrc" + path).resolved(QUrl(target)).path();
            EXPECT_TRUE(QFile::exists(":" + resolved))
                << path.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GE(pages, 10);
}

TEST(Help, TheWindowOpensATopicAndGoesBackAndForward) {
    ui::HelpWindow& window = ui::HelpWindow::Instance();
    ASSERT_TRUE(ui::ShowHelpTopic("html\\tutorial_1st_run.htm"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/html/tutorial_1st_run.htm");
    EXPECT_TRUE(window.Browser()->toPlainText().contains("New from string"));
    EXPECT_EQ(window.windowTitle(), "QELT Help - Your first reaction");
    EXPECT_FALSE(window.BackAction()->isEnabled());

    emit window.Browser()->anchorClicked(QUrl("formulas.htm"));
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/html/formulas.htm");
    EXPECT_TRUE(window.BackAction()->isEnabled());
    window.BackAction()->trigger();
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/html/tutorial_1st_run.htm");
    EXPECT_TRUE(window.ForwardAction()->isEnabled());
    window.ForwardAction()->trigger();
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/html/formulas.htm");
    test_support::SaveScreenshot(window, "help_window");

    EXPECT_TRUE(ui::ShowHelpContext(201));
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/html/default_ui.htm");
    EXPECT_FALSE(ui::ShowHelpTopic("html\\missing.htm"));
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/index.htm");
    window.close();
}

TEST(Help, TheWindowClosesWithEscapeAndCtrlW) {
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        ui::ShowHelpContents();
        QPointer<ui::HelpWindow> window = &ui::HelpWindow::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window->Browser(), keys);
        EXPECT_TRUE(window.isNull() || !window->isVisible()) << keys.toString().toStdString();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class LinkSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(Help, AddressesOutsideTheHelpGoToTheDesktop) {
    LinkSink sink;
    QDesktopServices::setUrlHandler("https", &sink, "Open");
    ui::HelpWindow& window = ui::HelpWindow::Instance();
    ui::ShowHelpContents();
    emit window.Browser()->anchorClicked(QUrl("https://example.org/"));
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(sink.opened, QList<QUrl>{QUrl("https://example.org/")});
    EXPECT_EQ(window.CurrentPage().toString(), "qrc:/help/index.htm");
    window.close();
}

} // namespace

#include "help_test.moc"
