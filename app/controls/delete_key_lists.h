#pragma once

#include "platform/ui/list_controls.h"

class QKeyEvent;
class QWidget;

namespace ui {
class ControlHost;
}

// Lists that let their dialog delete the selected entry with the Delete key. The key posts
// kDeleteKeyMessage to the dialog (or form) that holds the list and is then handled by the list as usual;
// the dialog maps the message to its delete handler, which deletes only while its Delete button is enabled:
//
//     MapMessage(kDeleteKeyMessage, &CSubstancesDialog::OnDeleteKey);
//     m_list = CListBoxD::Attach(*this, 172);
//
// Every key-down posts once, auto-repeat included; every other key keeps its usual list behaviour.
inline constexpr int kDeleteKeyMessage = 0x401; // WM_USER + 1

// A report-style list view with the Delete key.
class CListCtrlD : public ui::ListView {
    Q_OBJECT
public:
    explicit CListCtrlD(QWidget* parent = nullptr) : ui::ListView(parent) {}

    // Puts a CListCtrlD in place of the template's list view with the id (which must be a ui::ListView);
    // it takes over the template's columns settings, selection mode and notifications. Returns it.
    static CListCtrlD* Attach(ui::ControlHost& host, int id);

protected:
    // Puts the given list (of this class or a subclass) in place of the template's list view with the id,
    // with the template's settings; the host takes it over (and it is deleted when the id names no list
    // view).
    static void ReplaceTemplateList(ui::ControlHost& host, int id, CListCtrlD* list);

    void keyPressEvent(QKeyEvent* event) override;
};

// A list box with the Delete key.
class CListBoxD : public ui::ListBox {
    Q_OBJECT
public:
    explicit CListBoxD(QWidget* parent = nullptr) : ui::ListBox(parent) {}

    // Puts a CListBoxD in place of the template's list box with the id; it takes over the template's
    // sorting, selection mode and notifications. Returns it.
    static CListBoxD* Attach(ui::ControlHost& host, int id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// What both lists do with a key before the list handles it: Delete posts kDeleteKeyMessage to the window
// of the message map that holds the list.
void PostDeleteKeyMessage(QWidget* list, const QKeyEvent* event);
