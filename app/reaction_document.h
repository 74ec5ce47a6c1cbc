#pragma once

#include "model/qelt_doc.h"
#include "platform/ui/open_document.h"

// A reaction open in the program: the CQELTDoc with its commands (Default UI, Alternate UI, Printout) and
// the record of which frame shows it in which view. The frames record themselves here, so views need not.
class ReactionDocument : public ui::OpenDocument {
public:
    ReactionDocument();

    CQELTDoc& Reaction() const { return static_cast<CQELTDoc&>(GetDocument()); }

protected:
    void OnFrameAdded(ui::DocFrame* frame) override;
    void OnFrameRemoved(ui::DocFrame* frame) override;

private:
    void OnDefaultUI();
    void OnAlternateUI();
    void OnPrintout();
};
