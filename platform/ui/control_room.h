#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

// Room for controls that need more than their template gives them. A template's places were drawn for the
// other platform's controls; a desktop style may draw a box taller, or a combo box that needs more width for
// its longest entry. Each control gets at least what its style needs (its height, and its width where its
// text would be cut), and where it then reaches into another control, the row or column it lies in grows:
// everything below or to the right moves on, a group box or panel around it grows with it, and so does the
// dialog. Controls the template lays on top of each other (a frame around its contents, controls shown in
// turn) stay as the template has them; a control that fits where it is moves nowhere, and a hidden one
// asks for no room.
namespace ui {

struct RoomRequest {
    QRect place;              // where the template puts the control, in page pixels
    QSize least;              // what the control needs at least (0 across or down: what the template gives)
    bool exactHeight = false; // the control is exactly least.height() high (a combo box: the template's
                              // height is that of its dropped-down list)
    bool hidden = false;      // a hidden control only moves with the rows and columns it lies in
};

struct RoomLayout {
    QList<QRect> places; // the controls' places, in the order of the requests
    QSize size;          // the page's size
};

// Places the controls on a page of the given size. Where a grown control reaches into a neighbour it did not
// overlap, the neighbour's row (or column) moves away by the overlap plus the template's gap between them, at
// most `spacing`.
RoomLayout MakeRoom(const QList<RoomRequest>& controls, const QSize& page, const QSize& spacing);

// What a control needs at least under its style: line edits, buttons, check boxes and combo boxes their
// height; combo boxes the width of their longest entry, buttons, check boxes and radio buttons the width of
// their text; word-wrapped texts the height of their lines at the control's width. Zero where the template's
// size stands (lists, group boxes, pictures, controls of other kinds).
QSize LeastControlSize(const QWidget* control, int width);

// Lays out the page's child widgets at their present places, as MakeRoom does (a combo box taken as
// `comboHeight` high), and returns the page's new size.
QSize MakeRoomOnPage(QWidget* page, const QSize& size, const QSize& spacing, int comboHeight);

} // namespace ui
