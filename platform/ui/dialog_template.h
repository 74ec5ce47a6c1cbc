#pragma once

#include <QList>
#include <QRect>
#include <QSet>
#include <QString>

// A dialog or form template as data: resources/dialogs/<id>[_<name>].dlg, one file per dialog.
//
//     # The reaction string dialog.
//     dialog 187 437 57 "Enter correct reaction string"
//     font "MS Sans Serif" 8
//     # kind       id    x   y    w   h  "text"        styles...
//     static       -1    4   4  413   8  "Enter ..."
//     edit        158    4  20  429  12  ""            autohscroll
//     button        2  328  39   50  14  "Cancel"
//     defbutton     1  383  39   50  14  "OK"
//
// Places and sizes are dialog units of the template's font. The order of the control lines is the tab
// order (and the stacking order: later controls lie on top). See platform/ui/README.md for the kinds and
// styles.
namespace ui {

enum class ControlKind {
    Static,    // text, left-aligned (styles center, right, noprefix, notify, whiterect, sunken, etched)
    Icon,      // picture from resources/icons/<text>.png
    Edit,      // single-line edit (password, readonly, autohscroll, number, right, center)
    Button,    // push button
    DefButton, // default push button (Enter activates it)
    CheckBox,  // automatic check box (3state)
    Radio,     // automatic radio button; a group runs up to the next control with the group style
    GroupBox,  // frame with a caption
    ComboBox,  // drop-down list (dropdownlist, the default) or editable (dropdown); sort
    ListBox,   // list box (sort, notify, vscroll, nointegralheight, multiple)
    ListView,  // report list view (singlesel, showselalways, fullrow, sortascending)
};

struct ControlTemplate {
    ControlKind kind = ControlKind::Static;
    int id = -1;
    QRect place; // dialog units
    QString text;
    QSet<QString> styles; // lower-case style words
    int line = 0;         // line in the template file, for messages

    bool Has(const char* style) const { return styles.contains(QLatin1String(style)); }
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QSize size; // dialog units
    QString fontFace = QStringLiteral("MS Shell Dlg");
    int fontPointSize = 8;
    QSet<QString> styles; // dialog styles (none used yet; kept for forms)
    QList<ControlTemplate> controls;
    QString fileName;

    const ControlTemplate* Find(int controlId) const;
};

// Parses a template text; throws ResourceError naming file and line on any fault.
DialogTemplate ParseDialogTemplate(const QString& text, const QString& fileName);

// Loads the template with the given id from :/dialogs (cached after the first load); throws ResourceError
// when there is none or it does not parse.
const DialogTemplate& LoadDialogTemplate(int id);

} // namespace ui
