#pragma once

#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

// Commands and control notifications reach their handlers through maps that each class fills in its
// constructor, in the manner of a message map:
//
//     MapCommand(114, &CQELTView::OnAddReactant);
//     MapUpdateCommand(57634, &CQELTView::OnUpdateEditCopyCut);
//     MapNotify(158, ui::EN_CHANGE, &ReactionStringDialog::OnChangeText);
//     MapNotifyRange(0x4100, 0x41FF, ui::EN_CHANGE, &CQELTView::OnFormulaChanged);   // handler(int id)
//
// A command that the target itself does not handle is routed on (RouteCommand): a view passes it to its
// document's command target, a child frame to its view first, the main frame to the active child frame
// first and then to the application.
namespace ui {

// What the control told its parent.
enum Notification {
    BN_CLICKED, // push button, check box or radio button clicked (also a command of the same id)
    BN_DOUBLECLICKED,
    EN_CHANGE, // edit text changed: by the user, or set by code (also when set to the same text)
    EN_SETFOCUS,
    EN_KILLFOCUS,
    CBN_SELCHANGE,  // combo box selection changed by the user
    CBN_SELENDOK,   // the user chose an entry of a combo box
    CBN_EDITCHANGE, // the user typed into the edit part of a combo box
    CBN_SETFOCUS,
    CBN_KILLFOCUS,
    LBN_SELCHANGE, // list box selection changed by the user
    LBN_DBLCLK,
    LVN_ITEMCHANGED, // list view item state changed (by the user or by code): item, newState, oldState
    LVN_COLUMNCLICK, // list view column heading clicked: column
    NM_CLICK,
    NM_DBLCLK,
    STN_CLICKED, // static with the "notify" style clicked
};

// List view item states of LVN_ITEMCHANGED.
enum ItemState : unsigned { LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2 };

struct NotifyInfo {
    int id = 0;
    Notification code = BN_CLICKED;
    int item = -1;
    int column = -1;
    unsigned newState = 0;
    unsigned oldState = 0;
};

// The state of one command's user interface (menu item, tool bar button) while it is being updated.
class CmdUI {
public:
    explicit CmdUI(int id) : m_id(id) {}
    int GetID() const { return m_id; }
    void Enable(bool on = true) {
        m_enableSet = true;
        m_enabled = on;
    }
    // 0 unchecked, 1 checked.
    void SetCheck(int check = 1) {
        m_checkSet = true;
        m_check = check;
    }
    void SetText(const QString& text) {
        m_textSet = true;
        m_text = text;
    }

    bool EnableSet() const { return m_enableSet; }
    bool Enabled() const { return m_enabled; }
    bool CheckSet() const { return m_checkSet; }
    int Check() const { return m_check; }
    bool TextSet() const { return m_textSet; }
    const QString& Text() const { return m_text; }

private:
    int m_id;
    bool m_enableSet = false;
    bool m_enabled = true;
    bool m_checkSet = false;
    int m_check = 0;
    bool m_textSet = false;
    QString m_text;
};

class CommandTarget {
public:
    CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;
    virtual ~CommandTarget() = default;

    // Runs the command's handler, here or further along the route; false when nobody handles it.
    virtual bool RouteCommand(int id);
    // Runs the update handler for the command, here or further along; false when there is none.
    virtual bool RouteUpdate(CmdUI& cmdUi);
    // Whether a command handler exists for the id along the route (menu items without one are disabled).
    virtual bool RouteHasHandler(int id);

    // Runs the handler mapped for a control notification; false when there is none.
    bool DispatchNotification(const NotifyInfo& info);
    // Runs the handler mapped for a posted message (ui::PostMessage); false when there is none.
    bool DispatchMessage(int message);

    // This target's own maps only.
    bool HandleOwnCommand(int id);
    bool HandleOwnUpdate(CmdUI& cmdUi);
    bool HasOwnHandler(int id) const;

protected:
    template <class T> void MapCommand(int id, void (T::*handler)()) {
        T* self = Self<T>();
        AddCommand(id, id, [self, handler](int) { (self->*handler)(); });
    }
    template <class T> void MapCommandRange(int first, int last, void (T::*handler)(int)) {
        T* self = Self<T>();
        AddCommand(first, last, [self, handler](int id) { (self->*handler)(id); });
    }
    template <class T> void MapUpdateCommand(int id, void (T::*handler)(CmdUI&)) {
        T* self = Self<T>();
        AddUpdate(id, id, [self, handler](CmdUI& cmdUi) { (self->*handler)(cmdUi); });
    }
    template <class T> void MapUpdateCommandRange(int first, int last, void (T::*handler)(CmdUI&)) {
        T* self = Self<T>();
        AddUpdate(first, last, [self, handler](CmdUI& cmdUi) { (self->*handler)(cmdUi); });
    }
    template <class T> void MapNotify(int id, Notification code, void (T::*handler)()) {
        T* self = Self<T>();
        AddNotify(id, id, code, [self, handler](const NotifyInfo&) { (self->*handler)(); });
    }
    template <class T> void MapNotifyRange(int first, int last, Notification code, void (T::*handler)(int)) {
        T* self = Self<T>();
        AddNotify(first, last, code, [self, handler](const NotifyInfo& info) { (self->*handler)(info.id); });
    }
    // The handler receives the whole notification (list views: item, column, states).
    template <class T>
    void MapNotifyInfo(int first, int last, Notification code, void (T::*handler)(const NotifyInfo&)) {
        T* self = Self<T>();
        AddNotify(first, last, code, [self, handler](const NotifyInfo& info) { (self->*handler)(info); });
    }
    template <class T> void MapMessage(int message, void (T::*handler)()) {
        T* self = Self<T>();
        m_messages.push_back({message, [self, handler]() { (self->*handler)(); }});
    }

    void AddCommand(int first, int last, std::function<void(int)> handler);
    void AddUpdate(int first, int last, std::function<void(CmdUI&)> handler);
    void AddNotify(int first, int last, Notification code, std::function<void(const NotifyInfo&)> handler);

private:
    template <class T> T* Self() {
        T* self = dynamic_cast<T*>(this);
        if (self == nullptr)
            throw std::logic_error("handler mapped for a class the target is not");
        return self;
    }

    struct CommandEntry {
        int first, last;
        std::function<void(int)> handler;
    };
    struct UpdateEntry {
        int first, last;
        std::function<void(CmdUI&)> handler;
    };
    struct NotifyEntry {
        int first, last;
        Notification code;
        std::function<void(const NotifyInfo&)> handler;
    };
    struct MessageEntry {
        int message;
        std::function<void()> handler;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
    std::vector<NotifyEntry> m_notifies;
    std::vector<MessageEntry> m_messages;
};

} // namespace ui
