#include "platform/ui/main_frame.h"

#include "platform/ui/application.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/document_area.h"
#include "platform/ui/file_names.h"
#include "platform/ui/help_window.h"
#include "platform/ui/resource_icon.h"
#include "platform/ui/resource_text.h"
#include "platform/ui/settings.h"
#include "platform/ui/string_table.h"
#include "platform/ui/view.h"
#include "platform/ui/window_layout.h"
#include "platform/ui/window_on_screen.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <cstdio>

namespace ui {
namespace {

const char* const kCommandProperty = "qelt_command";
const char* const kPlaceholderProperty = "qelt_placeholder"; // the "Recent File" item stands in for the list
constexpr int kFirstWindowCommand = 0xFF00;                  // window list of the Window menu

// The status-bar prompt and the tool tip of a command from the string table ("prompt\ntip").
QString Prompt(int id) {
    return LoadString(id).section(QLatin1Char('\n'), 0, 0);
}
QString ToolTip(int id) {
    return LoadString(id).section(QLatin1Char('\n'), 1);
}

// An item of a numbered list in a menu (recent files, windows): numbers 1 to 9 are the items' access keys,
// later items have none; an ampersand in the name is shown as it is.
QString NumberedItemText(int number, QString name) {
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("%1%2 %3").arg(number <= 9 ? QStringLiteral("&") : QString(),
                                         QString::number(number), name);
}

} // namespace

MainFrame::MainFrame(Application* application, QWidget* parent)
    : QMainWindow(parent), m_application(application), m_mdiArea(new DocumentArea(this)),
      m_toolBar(new QToolBar(this)), m_messagePane(new QLabel(this)) {
    setCentralWidget(m_mdiArea);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(true);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    statusBar()->addWidget(m_messagePane, 1);
    m_messagePane->setText(LoadString(str::IdleMessage));
    if (application != nullptr && application->MainWindow() == nullptr)
        application->SetMainWindow(this);

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainFrame::OnSubWindowActivated);
    // The program falls idle whenever the event loop has nothing left to do.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &MainFrame::UpdateToolBarState);

    MapCommand(cmd::AppExit, &MainFrame::OnAppExit);
    MapCommand(cmd::ViewToolBar, &MainFrame::OnViewToolBar);
    MapUpdateCommand(cmd::ViewToolBar, &MainFrame::OnUpdateViewToolBar);
    MapCommand(cmd::ViewStatusBar, &MainFrame::OnViewStatusBar);
    MapUpdateCommand(cmd::ViewStatusBar, &MainFrame::OnUpdateViewStatusBar);
    MapCommand(cmd::WindowCascade, &MainFrame::OnWindowCascade);
    MapCommand(cmd::WindowArrange, &MainFrame::OnWindowArrange);
    MapCommand(cmd::NextPane, &MainFrame::OnNextPane);
    MapCommand(cmd::PrevPane, &MainFrame::OnPrevPane);
    MapCommand(cmd::HelpFinder, &MainFrame::OnHelpFinder);
    MapCommand(cmd::DefaultHelp, &MainFrame::OnHelpFinder);
    MapCommand(cmd::Help, &MainFrame::OnHelp);
    MapCommand(cmd::ContextHelp, &MainFrame::OnHelp);
}

MainFrame::~MainFrame() {
    // The document windows go with the window's children, after this object has stopped being a frame:
    // their activation signals must no longer reach it.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        disconnect(dispatcher, nullptr, this, nullptr);
    if (m_application != nullptr && m_application->MainWindow() == this)
        m_application->SetMainWindow(nullptr);
}

bool MainFrame::LoadFrame(int resourceId) {
    try {
        m_frameResourceId = resourceId;
        m_baseTitle = LoadString(resourceId);
        if (const QIcon icon = ResourceIcon(resourceId); !icon.isNull())
            setWindowIcon(icon);
        SetMenuResource(resourceId);
        for (const Accelerator& entry : LoadAccelerators(resourceId).entries) {
            auto* shortcut = new QShortcut(entry.keys, this);
            shortcut->setContext(Qt::WindowShortcut);
            const int id = entry.command;
            connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteCommand(id); });
        }
        const ToolBarResource bar = LoadToolBar(resourceId);
        m_toolBar->clear();
        m_toolBarActions.clear();
        m_toolBar->setIconSize(bar.buttonSize);
        auto strip = [](const QString& path) {
            return path.isEmpty() ? QPixmap() : QPixmap(QStringLiteral(":/") + path);
        };
        const QPixmap normal = strip(bar.normalStrip);
        const QPixmap disabled = strip(bar.disabledStrip);
        const QPixmap hot = strip(bar.hotStrip);
        int image = 0;
        for (int i = 0; i < bar.buttons.size(); ++i) {
            const int id = bar.buttons[i];
            if (id == 0) {
                m_toolBar->addSeparator();
                continue;
            }
            const QRect cell(image * bar.buttonSize.width(), 0, bar.buttonSize.width(),
                             bar.buttonSize.height());
            ++image;
            QString label = ToolTip(id);
            if (label.isEmpty())
                label = QString::number(id);
            QAction* action = m_toolBar->addAction(label);
            if (!bar.icons[i].isEmpty()) {
                action->setIcon(QIcon(QStringLiteral(":/") + bar.icons[i]));
            } else if (normal.width() >= cell.right() + 1) {
                QIcon icon(normal.copy(cell));
                if (disabled.width() >= cell.right() + 1)
                    icon.addPixmap(disabled.copy(cell), QIcon::Disabled);
                if (hot.width() >= cell.right() + 1)
                    icon.addPixmap(hot.copy(cell), QIcon::Active);
                action->setIcon(icon);
            }
            action->setToolTip(label);
            action->setStatusTip(Prompt(id));
            action->setProperty(kCommandProperty, id);
            connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
            m_toolBarActions.insert(id, action);
        }
    } catch (const ResourceError& error) {
        std::fprintf(stderr, "QELT: %s\n", error.what());
        return false;
    }
    UpdateTitle();
    return true;
}

void MainFrame::SetMenuResource(int id) {
    const MenuResource menu = LoadMenu(id);
    m_menuId = id;
    menuBar()->clear();
    // The menus go with their actions and submenus; later, as one of them may be emitting the command that
    // changed the menu.
    for (const QPointer<QMenu>& old : std::as_const(m_menus)) {
        if (old != nullptr)
            old->deleteLater();
    }
    m_menus.clear();
    m_menuActions.clear();
    m_dynamicActions.clear();
    for (const MenuItem& popup : menu.items) {
        QMenu* sub = menuBar()->addMenu(popup.text);
        m_menus << sub;
        BuildMenu(sub, popup.children);
    }
}

void MainFrame::BuildMenu(QMenu* menu, const QList<MenuItem>& items) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuState(menu); });
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Kind::Popup:
            BuildMenu(menu->addMenu(item.text), item.children);
            break;
        case MenuItem::Kind::Command: {
            QAction* action = menu->addAction(item.text);
            const int id = item.id;
            action->setProperty(kCommandProperty, id);
            action->setStatusTip(Prompt(id));
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            action->setEnabled(!item.grayed);
            connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
            m_menuActions.insert(id, action);
            break;
        }
        }
    }
}

void MainFrame::AddChildFrame(ChildFrame* frame) {
    m_mdiArea->addSubWindow(frame);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
}

ChildFrame* MainFrame::ActiveChildFrame() const {
    return qobject_cast<ChildFrame*>(m_mdiArea->activeSubWindow());
}

QList<ChildFrame*> MainFrame::ChildFrames() const {
    QList<ChildFrame*> frames;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (auto* frame = qobject_cast<ChildFrame*>(window))
            frames << frame;
    }
    return frames;
}

void MainFrame::SetMessageText(const QString& text) {
    m_messagePane->setText(text);
}

QString MainFrame::MessageText() const {
    return m_messagePane->text();
}

MainFrame::CommandState MainFrame::QueryCommandState(int id) {
    CmdUI cmdUi(id);
    CommandState state;
    if (RouteUpdate(cmdUi) && cmdUi.EnableSet())
        state.enabled = cmdUi.Enabled();
    else
        state.enabled = RouteHasHandler(id);
    state.checkSet = cmdUi.CheckSet();
    state.check = cmdUi.Check();
    return state;
}

void MainFrame::ApplyState(QAction* action, int id) {
    CmdUI cmdUi(id);
    const bool updated = RouteUpdate(cmdUi);
    bool enabled = updated && cmdUi.EnableSet() ? cmdUi.Enabled() : RouteHasHandler(id);
    if (action->isEnabled() != enabled)
        action->setEnabled(enabled);
    if (cmdUi.CheckSet()) {
        action->setCheckable(true);
        if (action->isChecked() != (cmdUi.Check() != 0))
            action->setChecked(cmdUi.Check() != 0);
    }
    if (cmdUi.TextSet() && action->text() != cmdUi.Text())
        action->setText(cmdUi.Text());
}

void MainFrame::UpdateMenuState(QMenu* menu) {
    FillRecentFiles(menu);
    FillWindowList(menu);
    for (QAction* action : menu->actions()) {
        const QVariant id = action->property(kCommandProperty);
        if (id.isValid() && !m_dynamicActions.contains(action) &&
            !action->property(kPlaceholderProperty).toBool())
            ApplyState(action, id.toInt());
    }
}

void MainFrame::UpdateToolBarState() {
    if (!m_toolBar->isVisible())
        return;
    for (auto it = m_toolBarActions.cbegin(); it != m_toolBarActions.cend(); ++it)
        ApplyState(it.value(), it.key());
}

QAction* MainFrame::MenuAction(int id) const {
    return m_menuActions.value(id);
}

QAction* MainFrame::ToolBarAction(int id) const {
    return m_toolBarActions.value(id);
}

bool MainFrame::ExecuteCommand(int id) {
    if (!QueryCommandState(id).enabled)
        return false;
    return RouteCommand(id);
}

bool MainFrame::RouteCommand(int id) {
    if (ChildFrame* frame = ActiveChildFrame(); frame != nullptr && frame->RouteCommand(id))
        return true;
    if (HandleOwnCommand(id))
        return true;
    return m_application != nullptr && m_application->RouteCommand(id);
}

bool MainFrame::RouteUpdate(CmdUI& cmdUi) {
    if (ChildFrame* frame = ActiveChildFrame(); frame != nullptr && frame->RouteUpdate(cmdUi))
        return true;
    if (HandleOwnUpdate(cmdUi))
        return true;
    return m_application != nullptr && m_application->RouteUpdate(cmdUi);
}

bool MainFrame::RouteHasHandler(int id) {
    if (ChildFrame* frame = ActiveChildFrame(); frame != nullptr && frame->RouteHasHandler(id))
        return true;
    return HasOwnHandler(id) || (m_application != nullptr && m_application->RouteHasHandler(id));
}

void MainFrame::FillRecentFiles(QMenu* menu) {
    QAction* placeholder = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property(kCommandProperty).toInt() == cmd::RecentFileFirst &&
            !m_dynamicActions.contains(action))
            placeholder = action;
    }
    if (placeholder == nullptr)
        return;
    for (QAction* action : menu->actions()) {
        const int id = action->property(kCommandProperty).toInt();
        if (m_dynamicActions.contains(action) && id >= cmd::RecentFileFirst && id <= cmd::RecentFileLast) {
            m_dynamicActions.removeAll(action);
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QStringList files = m_application != nullptr ? m_application->RecentFiles().Files() : QStringList();
    placeholder->setProperty(kPlaceholderProperty, true);
    placeholder->setVisible(files.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(NumberedItemText(i + 1, QFileInfo(files[i]).fileName()), menu);
        const int id = cmd::RecentFileFirst + i;
        action->setProperty(kCommandProperty, id);
        action->setStatusTip(files[i]);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        menu->insertAction(placeholder, action);
        m_dynamicActions << action;
    }
}

void MainFrame::FillWindowList(QMenu* menu) {
    if (menu->title().remove(QLatin1Char('&')) != QLatin1String("Window"))
        return;
    for (QAction* action : menu->actions()) {
        if (m_dynamicActions.contains(action)) {
            m_dynamicActions.removeAll(action);
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<ChildFrame*> frames = ChildFrames();
    if (frames.isEmpty())
        return;
    m_dynamicActions << menu->addSeparator();
    for (int i = 0; i < frames.size(); ++i) {
        QPointer<ChildFrame> frame = frames[i];
        auto* action = menu->addAction(NumberedItemText(i + 1, frame->windowTitle()));
        action->setCheckable(true);
        action->setChecked(frame == ActiveChildFrame());
        action->setProperty(kCommandProperty, kFirstWindowCommand + i);
        connect(action, &QAction::triggered, this, [this, frame] {
            if (frame != nullptr)
                m_mdiArea->setActiveSubWindow(frame);
        });
        m_dynamicActions << action;
    }
}

void MainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    auto* frame = qobject_cast<ChildFrame*>(window);
    if (m_lastActive != nullptr && m_lastActive != frame && m_lastActive->ActiveView() != nullptr)
        m_lastActive->ActiveView()->OnActivateView(false);
    if (frame != nullptr && frame != m_lastActive && frame->ActiveView() != nullptr)
        frame->ActiveView()->OnActivateView(true);
    // With no document window left, Qt reports no window; a window of another program being active does
    // not change the menu either.
    if (frame != nullptr || m_mdiArea->subWindowList().isEmpty()) {
        const int menu = frame != nullptr && frame->MenuId() != 0 ? frame->MenuId() : m_frameResourceId;
        if (menu != 0 && menu != m_menuId) {
            try {
                SetMenuResource(menu);
            } catch (const ResourceError& error) {
                std::fprintf(stderr, "QELT: %s\n", error.what());
            }
        }
        m_lastActive = frame;
    }
    UpdateTitle();
}

void MainFrame::UpdateTitle() {
    ChildFrame* frame = ActiveChildFrame();
    const QString base = m_baseTitle.isEmpty() ? QStringLiteral("QELT") : m_baseTitle;
    setWindowTitle(frame != nullptr && !frame->windowTitle().isEmpty()
                       ? base + QStringLiteral(" - ") + frame->windowTitle()
                       : base);
}

bool MainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_messagePane->setText(tip.isEmpty() ? LoadString(str::IdleMessage) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data != nullptr && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void MainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data == nullptr || !data->hasUrls())
        return;
    event->acceptProposedAction();
    activateWindow();
    OpenDroppedFiles(data->urls());
}

void MainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
    if (m_application == nullptr)
        return;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString file = LocalFileName(url);
        if (m_application->OpenDocumentFile(file))
            m_application->AddToRecentFileList(file);
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    SaveLayout();
    QMainWindow::closeEvent(event);
}

void MainFrame::SaveLayout() const {
    WriteProfileString(QStringLiteral("Workspace"), QStringLiteral("Geometry"),
                       QString::fromLatin1(saveGeometry().toBase64()));
    WriteProfileString(QStringLiteral("Workspace"), QStringLiteral("Bars"),
                       QString::fromLatin1(saveState().toBase64()));
}

bool MainFrame::RestoreLayout() {
    const QString storedGeometry = GetProfileString(QStringLiteral("Workspace"), QStringLiteral("Geometry"));
    const QString bars = GetProfileString(QStringLiteral("Workspace"), QStringLiteral("Bars"));
    if (storedGeometry.isEmpty())
        return false;
    // A damaged value is ignored: the window then takes its default size, the bars keep their places. A
    // window stored on a larger screen, or on one that is gone, comes back inside the screen it lands on.
    const QRect before = geometry();
    if (!restoreGeometry(QByteArray::fromBase64(storedGeometry.toLatin1()))) {
        setWindowState(Qt::WindowNoState);
        setGeometry(before);
        return false;
    }
    FitOnScreen(*this);
    const QByteArray state = QByteArray::fromBase64(bars.toLatin1());
    if (!state.isEmpty() && IsPlausibleWindowState(state, static_cast<int>(findChildren<QToolBar*>().size())))
        restoreState(state);
    return true;
}

void MainFrame::OnAppExit() {
    close();
}

void MainFrame::OnViewToolBar() {
    m_toolBar->setVisible(!m_toolBar->isVisible());
}

void MainFrame::OnUpdateViewToolBar(CmdUI& cmdUi) {
    cmdUi.SetCheck(m_toolBar->isVisible() ? 1 : 0);
}

void MainFrame::OnViewStatusBar() {
    statusBar()->setVisible(!statusBar()->isVisible());
}

void MainFrame::OnUpdateViewStatusBar(CmdUI& cmdUi) {
    cmdUi.SetCheck(statusBar()->isVisible() ? 1 : 0);
}

void MainFrame::OnWindowCascade() {
    m_mdiArea->cascadeSubWindows();
}

void MainFrame::OnWindowArrange() {
    // Minimised windows line up along the bottom edge.
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, m_mdiArea->viewport()->height() - window->height());
        x += window->width();
    }
}

void MainFrame::OnNextPane() {
    m_mdiArea->activateNextSubWindow();
}

void MainFrame::OnPrevPane() {
    m_mdiArea->activatePreviousSubWindow();
}

void MainFrame::OnHelpFinder() {
    ShowHelpContents();
}

void MainFrame::OnHelp() {
    ChildFrame* frame = ActiveChildFrame();
    if (frame != nullptr && frame->HelpContext() != 0)
        ShowHelpContext(frame->HelpContext());
    else
        ShowHelpContents();
}

} // namespace ui
