#pragma once

#include "model/model_host.h"
#include "platform/ui/doc_frame.h"

// The frames of a reaction. CChildFrame holds a form view (default or alternate) and has no sizing border:
// it takes the size of its form. CChildFrame2 holds the printout and can be resized.
class CChildFrame : public ui::DocFrame {
    Q_OBJECT
public:
    // menuId: the template's (201 default form view, 202 alternate form view).
    CChildFrame(ui::View* view, int menuId, QWidget* parent = nullptr);

    // Which of the document's view frames this is.
    ModelHost::ViewKind Kind() const;
};

class CChildFrame2 : public ui::DocFrame {
    Q_OBJECT
public:
    // The printout frame shows the reaction's menu, so that Print and the document's commands are at hand.
    explicit CChildFrame2(ui::View* view, QWidget* parent = nullptr);
};

// The kind of view frame a frame of a reaction is.
ModelHost::ViewKind ViewKindOf(const ui::DocFrame& frame);
