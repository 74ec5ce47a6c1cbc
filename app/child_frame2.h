#pragma once

#include "platform/ui/doc_frame.h"

class CQELTDoc;
class CQELTPrintout;

namespace ui {
class OpenDocument;
}

// The window of a reaction's printout: a resizable document window titled "<document> - printout" that
// holds a CQELTPrintout. The document remembers it as its printout frame until it closes.
class CChildFrame2 : public ui::DocFrame {
    Q_OBJECT
public:
    // The menu shown while the printout is active is the reaction menu, whose File menu prints.
    static constexpr int kMenuId = 201;

    explicit CChildFrame2(CQELTPrintout* view, QWidget* parent = nullptr);
    ~CChildFrame2() override;

    // The document's Printout command: activates the document's printout frame, or opens a new one in the
    // main window's document area and records it with the document. Returns the frame.
    static CChildFrame2* ShowPrintout(ui::OpenDocument& document);

    CQELTPrintout* Printout() const { return m_printout; }

private:
    CQELTDoc* ReactionDocument() const;

    CQELTPrintout* m_printout;
};
