#pragma once

#include <QKeySequence>
#include <QList>
#include <QSize>
#include <QString>

// Menus, accelerator tables and tool bars as data, one file per resource:
//
//   resources/menus/<id>[_<name>].menu          resources/accelerators/<id>[_<name>].acc
//     menu 203                                     accelerators 203
//     popup "&File"                                # keys          command
//         item 57600 "&New\tCtrl+N"                Ctrl+N          57600
//         separator                                Shift+Delete    57635
//         popup "Digits"
//             item 2036 "&4\tCtrl+4" checked     resources/toolbars/<id>[_<name>].tb
//         end                                      toolbar 203 24 24
//         item 57616 "Recent File" grayed          strip "toolbar/107.png" "toolbar/109.png"
//         "toolbar/110.png"
//     end                                          button 57600
//                                                  separator
//
// Menu texts keep the tab before the shortcut text; the keys themselves come from the accelerator table.
// A tool bar's pictures are strips of button-sized images side by side, one per button in order
// (separators take none): the normal strip, then optionally the disabled and the hot (hovered) strip; a
// button may instead name a picture of its own (button 57600 "icons/new.png").
namespace ui {

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    int id = 0;
    QString text;
    bool checked = false;
    bool grayed = false;
    QList<MenuItem> children; // popups
};

struct MenuResource {
    int id = 0;
    QList<MenuItem> items; // the popups of the menu bar
};

struct Accelerator {
    QKeySequence keys;
    int command = 0;
};

struct AcceleratorTable {
    int id = 0;
    QList<Accelerator> entries;
};

struct ToolBarResource {
    int id = 0;
    QSize buttonSize;
    QList<int> buttons;   // command ids, 0 for a separator
    QList<QString> icons; // per button: resource path of its own picture, or empty
    QString normalStrip;  // resource paths of the strips, or empty
    QString disabledStrip;
    QString hotStrip;
};

MenuResource ParseMenu(const QString& text, const QString& fileName);
AcceleratorTable ParseAccelerators(const QString& text, const QString& fileName);
ToolBarResource ParseToolBar(const QString& text, const QString& fileName);

// Loaded from :/menus, :/accelerators and :/toolbars; throw ResourceError when missing or faulty.
MenuResource LoadMenu(int id);
AcceleratorTable LoadAccelerators(int id);
ToolBarResource LoadToolBar(int id);

} // namespace ui
