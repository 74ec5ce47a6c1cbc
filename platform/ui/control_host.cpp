#include "platform/ui/control_host.h"

#include "platform/ui/control_room.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/list_controls.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSet>
#include <QTimer>
#include <algorithm>

namespace ui {

namespace {
const char* const kIdProperty = "qelt_control_id";
const char* const kNotifyProperty = "qelt_notify";

bool IsFocusableKind(ControlKind kind) {
    return kind != ControlKind::Static && kind != ControlKind::Icon && kind != ControlKind::GroupBox;
}

bool HasTabStop(const ControlTemplate& spec) {
    if (spec.Has("notabstop"))
        return false;
    if (spec.Has("tabstop"))
        return true;
    if (spec.kind == ControlKind::Radio)
        return spec.Has("group");
    return IsFocusableKind(spec.kind);
}

// "&&" shows one ampersand; a single "&" marks the mnemonic, which only a label with a buddy can use.
QString WithoutMnemonic(const QString& text) {
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return plain;
}

bool HasMnemonic(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&'))
                return true;
            ++i;
        }
    }
    return false;
}

// The widget of each kind of template control with the styles of that kind; what every kind takes (notify,
// tab stop, disabled) and the radio groups are the host's.
QLabel* MakeStatic(const ControlTemplate& spec, QWidget* page) {
    auto* label = new QLabel(page);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    Qt::Alignment align = Qt::AlignLeft;
    if (spec.Has("center"))
        align = Qt::AlignHCenter;
    else if (spec.Has("right"))
        align = Qt::AlignRight;
    label->setAlignment(align | Qt::AlignTop);
    label->setText(spec.Has("noprefix") ? spec.text : WithoutMnemonic(spec.text));
    if (spec.Has("whiterect")) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        // Black on white whatever the desktop's colours: a dark style's light text would vanish.
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    if (spec.Has("sunken"))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (spec.Has("etched"))
        label->setFrameStyle(QFrame::Box | QFrame::Sunken);
    else if (spec.Has("border"))
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    return label;
}

QLabel* MakeIcon(const ControlTemplate& spec, QWidget* page) {
    auto* label = new QLabel(page);
    const QString path = QStringLiteral(":/icons/%1.png").arg(spec.text);
    if (QFile::exists(path))
        label->setPixmap(QPixmap(path));
    if (spec.Has("sunken"))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QLineEdit* MakeEdit(const ControlTemplate& spec, QWidget* page) {
    auto* edit = new QLineEdit(page);
    if (spec.Has("password"))
        edit->setEchoMode(QLineEdit::Password);
    edit->setReadOnly(spec.Has("readonly"));
    if (spec.Has("number"))
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    if (spec.Has("right"))
        edit->setAlignment(Qt::AlignRight);
    else if (spec.Has("center"))
        edit->setAlignment(Qt::AlignHCenter);
    edit->setText(spec.text);
    edit->setCursorPosition(0);
    return edit;
}

QPushButton* MakeButton(const ControlTemplate& spec, QWidget* page) {
    auto* button = new QPushButton(spec.text, page);
    button->setAutoDefault(true);
    button->setDefault(spec.kind == ControlKind::DefButton);
    return button;
}

QCheckBox* MakeCheckBox(const ControlTemplate& spec, QWidget* page) {
    auto* box = new QCheckBox(spec.text, page);
    box->setTristate(spec.Has("3state"));
    if (spec.Has("lefttext"))
        box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

QGroupBox* MakeGroupBox(const ControlTemplate& spec, QWidget* page) {
    auto* box = new QGroupBox(spec.text, page);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    return box;
}

ComboBox* MakeComboBox(const ControlTemplate& spec, QWidget* page) {
    auto* combo = new ComboBox(page);
    combo->setEditable(spec.Has("dropdown"));
    // Its size hint follows its entries: the room it gets is the width of the longest.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->SetSorted(spec.Has("sort"));
    return combo;
}

ListBox* MakeListBox(const ControlTemplate& spec, QWidget* page) {
    auto* list = new ListBox(page);
    list->SetSorted(spec.Has("sort"));
    list->setSelectionMode(spec.Has("multiple") ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
    return list;
}

ListView* MakeListView(const ControlTemplate& spec, QWidget* page) {
    auto* list = new ListView(page);
    list->setSelectionMode(spec.Has("singlesel") ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setSectionsClickable(!spec.Has("nosortheader"));
    list->setHeaderHidden(spec.Has("noheader"));
    return list;
}
} // namespace

// Receives the events and signals of the controls that become notifications.
class NotificationBridge : public QObject {
    Q_OBJECT

public:
    explicit NotificationBridge(ControlHost& host) : m_host(host) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = qobject_cast<QWidget*>(watched);
        if (control == nullptr)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            const bool in = event->type() == QEvent::FocusIn;
            if (qobject_cast<QLineEdit*>(control) != nullptr)
                m_host.Notify(control, {0, in ? EN_SETFOCUS : EN_KILLFOCUS});
            else if (qobject_cast<QComboBox*>(control) != nullptr)
                m_host.Notify(control, {0, in ? CBN_SETFOCUS : CBN_KILLFOCUS});
            break;
        }
        case QEvent::MouseButtonRelease:
            if (qobject_cast<QLabel*>(control) != nullptr && control->property(kNotifyProperty).toBool() &&
                control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                m_host.Notify(control, {0, STN_CLICKED});
            break;
        default:
            break;
        }
        return false;
    }

private:
    ControlHost& m_host;
};

ControlHost::ControlHost() : m_units(std::make_unique<DialogUnits>(QFont())) {
    m_bridge = new NotificationBridge(*this);
}

ControlHost::~ControlHost() {
    delete m_bridge;
}

int ControlHost::ControlId(const QWidget* control) {
    if (control == nullptr)
        return -1;
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

QWidget* ControlHost::GetDlgItem(int id) const {
    if (id == -1)
        return nullptr;
    const auto found = m_byId.constFind(id);
    if (found == m_byId.constEnd() || found->isNull())
        return nullptr;
    return found->data();
}

QString ControlHost::GetDlgItemText(int id) const {
    return GetWindowText(GetDlgItem(id));
}

void ControlHost::SetDlgItemText(int id, const QString& text) {
    if (QWidget* control = GetDlgItem(id))
        SetWindowText(control, text);
}

void ControlHost::EnableControl(int id, bool enable) {
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(enable);
}

void ControlHost::GotoDlgCtrl(QWidget* control) {
    if (control == nullptr)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

bool ControlHost::UpdateData(bool saveAndValidate) {
    struct Lock {
        int& count;
        explicit Lock(int& c) : count(c) { ++count; }
        ~Lock() { --count; }
    } lock(m_lockCount);
    DataExchange dx(*this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const DataExchangeFailure&) {
        return false;
    }
    return true;
}

void ControlHost::DoDataExchange(DataExchange&) {}

bool ControlHost::OnControlNotify(const NotifyInfo& info) {
    if (DispatchNotification(info))
        return true;
    if (info.code == BN_CLICKED)
        return RouteCommand(info.id);
    return false;
}

void ControlHost::Notify(QWidget* control, NotifyInfo info) {
    if (NotificationsLocked())
        return;
    info.id = ControlId(control);
    OnControlNotify(info);
}

void ControlHost::SetPage(QWidget* page, const QFont& font) {
    m_page = page;
    page->setFont(font);
    m_units = std::make_unique<DialogUnits>(page->font());
}

QSize ControlHost::MakeRoomForControls(const QSize& pageSize) {
    // A combo box stands in its template as high as a one-line edit (12 units); rows that move apart keep
    // the template's room between them, at most 4 units.
    return MakeRoomOnPage(m_page, pageSize, MapDialogRect(QRect(0, 0, 4, 4)).size(),
                          MapDialogRect(QRect(0, 0, 0, 12)).height());
}

void ControlHost::BuildControls(QWidget* page, const DialogTemplate& dialog) {
    for (const QPointer<QWidget>& control : m_built)
        delete control.data();
    m_built.clear();
    m_byId.clear();
    qDeleteAll(m_radioGroups);
    m_radioGroups.clear();
    m_openRadioGroup = nullptr;

    SetPage(page, TemplateFont(dialog.fontFace, dialog.fontPointSize));

    QList<QWidget*> widgets;
    for (const ControlTemplate& spec : dialog.controls) {
        QWidget* control = CreateControl(spec, MapDialogRect(spec.place));
        widgets << control;
        m_built << control;
    }
    // Tab order is template order.
    QWidget* previous = nullptr;
    for (QWidget* control : widgets) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    // A static's mnemonic moves the focus to the next control that can take it.
    for (int i = 0; i < widgets.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(widgets[i]);
        const ControlTemplate& spec = dialog.controls[i];
        if (label == nullptr || spec.kind != ControlKind::Static || spec.Has("noprefix") ||
            !HasMnemonic(spec.text))
            continue;
        for (int j = i + 1; j < widgets.size(); ++j) {
            if (IsFocusableKind(dialog.controls[j].kind)) {
                label->setText(spec.text);
                label->setBuddy(widgets[j]);
                break;
            }
        }
    }
}

QWidget* ControlHost::MakeWidget(const ControlTemplate& spec) {
    QWidget* control = nullptr;
    switch (spec.kind) {
    case ControlKind::Static:
        control = MakeStatic(spec, m_page);
        break;
    case ControlKind::Icon:
        control = MakeIcon(spec, m_page);
        break;
    case ControlKind::Edit:
        control = MakeEdit(spec, m_page);
        break;
    case ControlKind::Button:
    case ControlKind::DefButton:
        control = MakeButton(spec, m_page);
        break;
    case ControlKind::CheckBox:
        control = MakeCheckBox(spec, m_page);
        break;
    case ControlKind::Radio:
        control = MakeRadio(spec);
        break;
    case ControlKind::GroupBox:
        control = MakeGroupBox(spec, m_page);
        break;
    case ControlKind::ComboBox:
        control = MakeComboBox(spec, m_page);
        break;
    case ControlKind::ListBox:
        control = MakeListBox(spec, m_page);
        break;
    case ControlKind::ListView:
        control = MakeListView(spec, m_page);
        break;
    }
    // A group style on any other control closes the open radio group.
    if (spec.kind != ControlKind::Radio && spec.Has("group"))
        m_openRadioGroup = nullptr;
    if (spec.Has("notify"))
        control->setProperty(kNotifyProperty, true);
    if (!IsFocusableKind(spec.kind))
        control->setFocusPolicy(Qt::NoFocus);
    else
        control->setFocusPolicy(HasTabStop(spec) ? Qt::StrongFocus : Qt::ClickFocus);
    control->setEnabled(!spec.Has("disabled"));
    return control;
}

QRadioButton* ControlHost::MakeRadio(const ControlTemplate& spec) {
    auto* radio = new QRadioButton(spec.text, m_page);
    radio->setAutoExclusive(false);
    if (spec.Has("lefttext"))
        radio->setLayoutDirection(Qt::RightToLeft);
    if (m_openRadioGroup == nullptr || spec.Has("group")) {
        m_openRadioGroup = new QButtonGroup(m_page);
        m_openRadioGroup->setExclusive(true);
        m_radioGroups << m_openRadioGroup;
    }
    m_openRadioGroup->addButton(radio);
    return radio;
}

QWidget* ControlHost::CreateControl(const ControlTemplate& spec, const QRect& pixels, QWidget* parent) {
    if (m_page == nullptr)
        throw std::logic_error("control created before the page");
    QWidget* control = MakeWidget(spec);
    QRect place = pixels;
    if (parent != nullptr && parent != m_page) {
        control->setParent(parent);
        place.translate(-parent->mapTo(m_page, QPoint(0, 0)));
    }
    if (spec.kind == ControlKind::ComboBox) // the template height includes the dropped-down list
        place.setHeight(control->sizeHint().height());
    if (auto* label = qobject_cast<QLabel*>(control);
        label != nullptr && spec.kind == ControlKind::Icon && !label->pixmap().isNull())
        place.setSize(label->pixmap().deviceIndependentSize().toSize());
    control->setGeometry(place);
    Register(control, spec.id);
    Wire(control);
    control->setVisible(!spec.Has("hidden"));
    return control;
}

void ControlHost::DestroyControl(QWidget* control) {
    if (control == nullptr)
        return;
    const int id = ControlId(control);
    if (GetDlgItem(id) == control)
        m_byId.remove(id);
    control->setProperty(kIdProperty, QVariant());
    control->hide();
    control->deleteLater(); // it may be the sender of the notification being handled
}

void ControlHost::SetControlId(QWidget* control, int id) {
    const int old = ControlId(control);
    if (old != -1 && GetDlgItem(old) == control)
        m_byId.remove(old);
    Register(control, id);
}

void ControlHost::Register(QWidget* control, int id) {
    control->setProperty(kIdProperty, id);
    if (id != -1)
        m_byId.insert(id, control);
}

void ControlHost::PlaceInTabOrder(QWidget* control, QWidget* after) {
    if (control != nullptr && after != nullptr && control != after)
        QWidget::setTabOrder(after, control);
}

QRect ControlHost::ControlRect(int id) const {
    const QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return {};
    if (control->parentWidget() == m_page || !m_page->isAncestorOf(control))
        return control->geometry();
    return {control->mapTo(m_page, QPoint(0, 0)), control->size()};
}

QButtonGroup* ControlHost::RadioGroup(const QWidget* radio) const {
    for (QButtonGroup* group : m_radioGroups) {
        for (QAbstractButton* button : group->buttons()) {
            if (button == radio)
                return group;
        }
    }
    return nullptr;
}

QWidget* ControlHost::ReplaceControl(int id, QWidget* replacement) {
    QWidget* old = GetDlgItem(id);
    if (old == nullptr || replacement == nullptr) {
        delete replacement;
        throw std::logic_error("ReplaceControl: no control with id " + std::to_string(id));
    }
    replacement->setParent(old->parentWidget());
    replacement->setGeometry(old->geometry());
    replacement->setFocusPolicy(old->focusPolicy());
    replacement->setEnabled(old->isEnabled());
    if (old->property(kNotifyProperty).isValid())
        replacement->setProperty(kNotifyProperty, old->property(kNotifyProperty));
    {
        const QString text = GetWindowText(old);
        if (!text.isEmpty())
            SetWindowTextIfChanged(replacement, text);
    }
    if (QButtonGroup* group = RadioGroup(old)) {
        if (auto* button = qobject_cast<QAbstractButton*>(replacement))
            group->addButton(button);
    }
    if (replacement->focusPolicy() != Qt::NoFocus)
        QWidget::setTabOrder(old, replacement);
    replacement->stackUnder(old);
    const bool hidden = old->isHidden();
    m_byId.remove(id);
    m_built.removeAll(old);
    delete old;
    m_built << replacement;
    Register(replacement, id);
    Wire(replacement);
    replacement->setVisible(!hidden);
    return replacement;
}

void ControlHost::Wire(QWidget* control) {
    control->installEventFilter(m_bridge);
    if (auto* list = qobject_cast<ListBox*>(control)) {
        QObject::connect(list, &ListBox::userSelectionChanged, m_bridge, [this, list] {
            Notify(list, {0, LBN_SELCHANGE});
        });
        QObject::connect(list, &QListWidget::itemDoubleClicked, m_bridge, [this, list] {
            Notify(list, {0, LBN_DBLCLK});
        });
        return;
    }
    if (auto* view = qobject_cast<QTreeWidget*>(control)) {
        QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, m_bridge,
                         [this, view](const QItemSelection& selected, const QItemSelection& deselected) {
                             const int current = view->currentIndex().row();
                             QSet<int> done;
                             for (const QModelIndex& index : deselected.indexes()) {
                                 if (index.parent().isValid() || done.contains(index.row()))
                                     continue;
                                 done.insert(index.row());
                                 NotifyInfo info{0, LVN_ITEMCHANGED};
                                 info.item = index.row();
                                 info.oldState = LVIS_SELECTED;
                                 info.newState = index.row() == current ? LVIS_FOCUSED : 0u;
                                 Notify(view, info);
                             }
                             done.clear();
                             for (const QModelIndex& index : selected.indexes()) {
                                 if (index.parent().isValid() || done.contains(index.row()))
                                     continue;
                                 done.insert(index.row());
                                 NotifyInfo info{0, LVN_ITEMCHANGED};
                                 info.item = index.row();
                                 info.newState = LVIS_SELECTED | (index.row() == current ? LVIS_FOCUSED : 0u);
                                 Notify(view, info);
                             }
                         });
        QObject::connect(view->header(), &QHeaderView::sectionClicked, m_bridge, [this, view](int column) {
            NotifyInfo info{0, LVN_COLUMNCLICK};
            info.column = column;
            Notify(view, info);
        });
        QObject::connect(view, &QTreeWidget::itemClicked, m_bridge,
                         [this, view](QTreeWidgetItem* item, int column) {
                             NotifyInfo info{0, NM_CLICK};
                             info.item = view->indexOfTopLevelItem(item);
                             info.column = column;
                             Notify(view, info);
                         });
        QObject::connect(view, &QTreeWidget::itemDoubleClicked, m_bridge,
                         [this, view](QTreeWidgetItem* item, int column) {
                             NotifyInfo info{0, NM_DBLCLK};
                             info.item = view->indexOfTopLevelItem(item);
                             info.column = column;
                             Notify(view, info);
                         });
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QObject::connect(combo, &QComboBox::activated, m_bridge, [this, combo] {
            Notify(combo, {0, CBN_SELCHANGE});
            Notify(combo, {0, CBN_SELENDOK});
        });
        if (combo->lineEdit() != nullptr)
            QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, m_bridge, [this, combo] {
                Notify(combo, {0, CBN_EDITCHANGE});
            });
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textChanged, m_bridge, [this, edit] {
            Notify(edit, {0, EN_CHANGE});
        });
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, m_bridge, [this, button] {
            Notify(button, {0, BN_CLICKED});
        });
        return;
    }
}

ControlHost* HostOf(const QWidget* control) {
    for (QWidget* w = control != nullptr ? control->parentWidget() : nullptr; w != nullptr;
         w = w->parentWidget()) {
        if (auto* host = dynamic_cast<ControlHost*>(w))
            return host;
    }
    return nullptr;
}

QString GetWindowText(const QWidget* control) {
    if (control == nullptr)
        return {};
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return control->windowTitle();
}

void SetWindowText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (edit->text() == text) {
            if (ControlHost* host = HostOf(edit))
                host->Notify(edit, {0, EN_CHANGE});
            return;
        }
        edit->setText(text);
        edit->setCursorPosition(0);
        return;
    }
    SetWindowTextIfChanged(control, text);
}

void SetWindowTextIfChanged(QWidget* control, const QString& text) {
    if (control == nullptr || GetWindowText(control) == text)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable())
            combo->setEditText(text);
    } else {
        control->setWindowTitle(text);
    }
}

EditSelection GetEditSelection(const QLineEdit* edit) {
    if (edit == nullptr)
        return {};
    if (!edit->hasSelectedText())
        return {edit->cursorPosition(), edit->cursorPosition()};
    return {edit->selectionStart(), edit->selectionEnd()};
}

void SetEditSelection(QLineEdit* edit, int start, int end) {
    if (edit == nullptr)
        return;
    const int length = static_cast<int>(edit->text().size());
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, 0, length);
    edit->setCursorPosition(start);
    if (end != start)
        edit->cursorForward(true, end - start); // the caret ends at `end`, which QLineEdit scrolls into view
}

void PostMessage(QWidget* window, int message) {
    if (window == nullptr)
        return;
    QMetaObject::invokeMethod(
        window,
        [window, message] {
            if (auto* target = dynamic_cast<CommandTarget*>(window))
                target->DispatchMessage(message);
        },
        Qt::QueuedConnection);
}

} // namespace ui

#include "control_host.moc"
