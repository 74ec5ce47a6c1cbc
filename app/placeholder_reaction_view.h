#pragma once

#include "model/model_host.h"
#include "platform/core/document.h"
#include "platform/ui/view.h"

#include <QLabel>

// TEMPORARY: stands in for the reaction form views and the printout until they are built. It shows the
// reaction as one line ("2 H2 + O2 = 2 H2O") and nothing else.
class PlaceholderReactionView : public QLabel, public ui::View, public DocumentView {
    Q_OBJECT
public:
    explicit PlaceholderReactionView(ModelHost::ViewKind kind);

    QWidget* Widget() override { return this; }
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override;

    // The line shown for the document.
    QString ReactionLine() const;

private:
    ModelHost::ViewKind m_kind;
};
