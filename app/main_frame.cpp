#include "app/main_frame.h"

#include "app/kestrolab_app.h"
#include "app/qelt_command_ids.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/help_window.h"
#include "platform/ui/lock_keys.h"
#include "platform/ui/string_table.h"
#include "platform/ui/window_on_screen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

namespace {

const char* const kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};
const ui::LockKey kIndicatorKeys[3] = {ui::LockKey::CapsLock, ui::LockKey::NumLock, ui::LockKey::ScrollLock};

const QSize kDefaultSize(1000, 720);

} // namespace

CMainFrame::CMainFrame(CKestrolabApp* application) : ui::MainFrame(application), m_app(application) {
    connect(MdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window != nullptr)
            connect(window, &QWidget::windowTitleChanged, this, &CMainFrame::RefreshTitle,
                    Qt::UniqueConnection);
        RefreshTitle();
    });
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

bool CMainFrame::LoadFrame(int resourceId) {
    if (!ui::MainFrame::LoadFrame(resourceId))
        return false;
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(this);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(pane);
        m_indicators[i] = pane;
    }
    UpdateIndicators();
    return true;
}

void CMainFrame::SetStatusText(const QString& text) {
    SetMessageText(text);
}

WindowSize CMainFrame::OuterSize() const {
    const QRect outer = frameGeometry();
    return {outer.width(), outer.height()};
}

void CMainFrame::SetOuterSize(WindowSize size) {
    if (isMaximized() || isFullScreen())
        showNormal();
    const QSize decoration = frameGeometry().size() - geometry().size();
    resize(QSize(size.width, size.height) - decoration);
}

QLabel* CMainFrame::Indicator(int index) const {
    return index >= 0 && index < 3 ? m_indicators[index] : nullptr;
}

void CMainFrame::UpdateIndicators() {
    for (int i = 0; i < 3; ++i) {
        if (m_indicators[i] != nullptr)
            m_indicators[i]->setText(ui::IsLockKeyOn(kIndicatorKeys[i]) ? QLatin1String(kIndicatorTexts[i])
                                                                        : QString());
    }
}

void CMainFrame::RefreshTitle() {
    const QString base = ui::LoadString(qelt_res::MainFrame);
    ui::ChildFrame* frame = ActiveChildFrame();
    setWindowTitle(frame != nullptr && !frame->windowTitle().isEmpty()
                       ? base + QStringLiteral(" - ") + frame->windowTitle()
                       : base);
}

void CMainFrame::RestorePlacement() {
    if (RestoreLayout())
        return;
    resize(kDefaultSize);
    ui::FitOnScreen(*this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_app != nullptr) {
        if (!m_app->SaveAllModified()) {
            event->ignore();
            return;
        }
        m_app->GetDocManager().CloseAllDocuments();
    }
    SaveLayout();
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        // The help window goes with the program.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::HelpWindow*>(window))
                window->close();
        }
        QCoreApplication::quit();
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateIndicators();
        break;
    }
    case QEvent::ApplicationActivate:
        UpdateIndicators();
        break;
    default:
        break;
    }
    return ui::MainFrame::eventFilter(watched, event);
}
