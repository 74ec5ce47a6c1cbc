#pragma once

#include "platform/ui/command_target.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/dialog_units.h"

#include <QButtonGroup>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <memory>

class QRadioButton;

// What dialogs and form views share: controls built from a template and found by id, their notifications
// delivered through the message map, and the data exchange between controls and members.
namespace ui {

class DataExchange;
class NotificationBridge;

class ControlHost : public virtual CommandTarget {
public:
    ControlHost();
    ~ControlHost() override;

    // The widget the controls live on (the dialog itself, or the form view's page).
    QWidget* Page() const { return m_page; }
    // Dialog units of the page's font.
    const DialogUnits& Units() const { return *m_units; }
    // A rectangle in dialog units as page pixels.
    QRect MapDialogRect(const QRect& units) const { return m_units->ToPixels(units); }

    // The control with the id, or null. Controls with id -1 are not found.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* Control(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    static int ControlId(const QWidget* control);

    QString GetDlgItemText(int id) const;
    // Sets the text; an edit reports EN_CHANGE even when the text stays the same.
    void SetDlgItemText(int id, const QString& text);
    void EnableControl(int id, bool enable);
    // Focus to the control; an edit gets its whole text selected.
    void GotoDlgCtrl(QWidget* control);

    // Runs DoDataExchange with notifications locked out: saveAndValidate true reads the controls into the
    // members, false writes the members into the controls. False when a value was refused: the user has
    // been told, the focus is on that control, and the members from it on are unchanged.
    bool UpdateData(bool saveAndValidate = true);
    bool NotificationsLocked() const { return m_lockCount > 0; }

    // Creates a control on the page at a place in page pixels (views that add rows of controls). A parent
    // given (a widget on the page that groups controls) holds the control instead of the page.
    QWidget* CreateControl(const ControlTemplate& spec, const QRect& pixels, QWidget* parent = nullptr);
    void DestroyControl(QWidget* control);
    // Gives a control a new id (and finds it by that id from now on).
    void SetControlId(QWidget* control, int id);
    // Puts a control right after another in the tab order (first in the order when after is null).
    void PlaceInTabOrder(QWidget* control, QWidget* after);
    // A control's place in page pixels; empty when there is no such control.
    QRect ControlRect(int id) const;
    // Puts a control of one's own class in place of a template control: same id, place, text, state and
    // place in the tab order; the old control is deleted. Returns the replacement. The host owns the
    // replacement from the call on: when there is no such control it deletes it and throws.
    QWidget* ReplaceControl(int id, QWidget* replacement);

    // The radio group the radio button belongs to (null for other controls).
    QButtonGroup* RadioGroup(const QWidget* radio) const;

    // Entry point of every control notification (also usable by own controls).
    void Notify(QWidget* control, NotifyInfo info);

protected:
    virtual void DoDataExchange(DataExchange& dx);
    // Delivers a notification that is not locked out: the message map first; an unhandled BN_CLICKED is
    // routed as the command of the same id.
    virtual bool OnControlNotify(const NotifyInfo& info);

    // Builds every control of the template on the page (deleting the controls of an earlier build).
    void BuildControls(QWidget* page, const DialogTemplate& dialog);
    // Sets the page without building (pages whose controls are all created by code).
    void SetPage(QWidget* page, const QFont& font);
    // Gives every control on the page the room its style needs, now that it holds what it shows (see
    // control_room.h); returns the page's size, grown from pageSize where controls needed it.
    QSize MakeRoomForControls(const QSize& pageSize);

private:
    friend class NotificationBridge;
    QWidget* MakeWidget(const ControlTemplate& spec);
    // A radio button, in the open radio group or in a new one when none is open or it starts a group.
    QRadioButton* MakeRadio(const ControlTemplate& spec);
    void Wire(QWidget* control);
    void Register(QWidget* control, int id);

    QWidget* m_page = nullptr;
    std::unique_ptr<DialogUnits> m_units;
    QHash<int, QPointer<QWidget>> m_byId;
    QList<QPointer<QWidget>> m_built;
    QList<QButtonGroup*> m_radioGroups;
    QButtonGroup* m_openRadioGroup = nullptr;
    NotificationBridge* m_bridge = nullptr;
    int m_lockCount = 0;
};

// The text of any control (edit, static, button, group box, combo box).
QString GetWindowText(const QWidget* control);
// Sets the text of any control; an edit reports EN_CHANGE to its host even when the text is unchanged.
void SetWindowText(QWidget* control, const QString& text);
// Sets the text only when it differs (no notification otherwise).
void SetWindowTextIfChanged(QWidget* control, const QString& text);

// The selection of an edit as start and end character positions (start == end: the caret, no selection).
struct EditSelection {
    int start = 0;
    int end = 0;
};
EditSelection GetEditSelection(const QLineEdit* edit);
// Selects from start to end (end -1: to the end of the text) with the caret at the end, and scrolls the
// caret into view.
void SetEditSelection(QLineEdit* edit, int start, int end);

// The host a control belongs to, or null.
ControlHost* HostOf(const QWidget* control);

// Delivers a message to a command target's MapMessage handler later, from the event loop (the message is
// dropped when the window is gone by then).
void PostMessage(QWidget* window, int message);

} // namespace ui
