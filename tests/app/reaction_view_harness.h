#pragma once

// Reaction views as the program shows them: one document, its views in child frames of a document area, a
// model host that opens the frame kinds the document asks for, and helpers that type with real key events.
#include "app/child_frames.h"
#include "app/qelt_view1.h"
#include "app/qelt_view2.h"
#include "app/reaction_document.h"
#include "app_test_host.h"
#include "model/qelt_doc.h"
#include "platform/ui/document_area.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace view_test {

// The model's host: opens (or activates) the view frames the document asks for.
class ViewTestHost : public AppTestHost {
public:
    void OpenViewFrame(CQELTDoc& document, ViewKind kind) override {
        ++openRequests;
        if (opener)
            opener(document, kind);
    }
    bool IsNewFromString() const override { return newFromString; }
    bool AskReactionString(std::string& text) override {
        ++askedForString;
        if (answers.empty())
            return false;
        text = answers.front();
        answers.erase(answers.begin());
        return true;
    }
    void SetStatusText(const std::string& text) override { statusText = text; }

    std::function<void(CQELTDoc&, ViewKind)> opener;
    int openRequests = 0;
    bool newFromString = false;
    std::vector<std::string> answers;
    int askedForString = 0;
    std::string statusText;
};

// One reaction document with the frames that show it.
class ReactionWindows {
public:
    // An empty reaction (File/New), or one taken from a reaction string and balanced as New from string
    // does it.
    explicit ReactionWindows(const std::string& reaction = {}) {
        open = std::make_unique<ReactionDocument>();
        doc = &open->Reaction();
        if (!reaction.empty()) {
            host.newFromString = true;
            host.answers = {reaction};
            doc->OnNewDocument();
            host.newFromString = false;
        }
        area.resize(1600, 900);
        area.show();
        // As the application does: an existing frame of the kind is brought to the front, else one is made.
        host.opener = [this](CQELTDoc&, ModelHost::ViewKind kind) {
            if (DocumentFrame* frame = doc->GetViewFrame(kind)) {
                frame->Activate();
                return;
            }
            if (kind == ModelHost::ViewKind::DefaultForm)
                OpenDefault();
            else if (kind == ModelHost::ViewKind::AlternateForm)
                OpenAlternate();
        };
    }

    ~ReactionWindows() {
        for (CChildFrame* frame : frames)
            delete frame;
        open.reset();
    }

    ReactionWindows(const ReactionWindows&) = delete;
    ReactionWindows& operator=(const ReactionWindows&) = delete;

    CQELTView1* OpenDefault() { return Open(new CQELTView1, kDefaultTemplate); }
    CQELTView2* OpenAlternate() { return Open(new CQELTView2, kAlternateTemplate); }

    // A frame of the template with the view, joined to the document and initially updated.
    template <class View> View* Open(View* view, int templateId) {
        auto* frame = new CChildFrame(view, templateId);
        frames.push_back(frame);
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        area.addSubWindow(frame);
        open->AddFrame(frame);
        view->Create();
        frame->show();
        frame->Activate();
        QApplication::processEvents();
        return view;
    }

    static constexpr int kDefaultTemplate = 201;
    static constexpr int kAlternateTemplate = 202;

    ViewTestHost host;
    std::unique_ptr<ReactionDocument> open;
    CQELTDoc* doc = nullptr;
    ui::DocumentArea area;
    std::vector<CChildFrame*> frames;
};

inline QLineEdit* Edit(CQELTView& view, int row, int slot) {
    return qobject_cast<QLineEdit*>(view.RowControl(row, slot));
}

inline QString Text(CQELTView& view, int row, int slot) {
    QWidget* control = view.RowControl(row, slot);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    return QStringLiteral("<no control>");
}

// Types into an edit as the user does: the edit takes the focus, then each character is a key press.
inline void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(edit, text);
}

// Selects the whole text of an edit and types over it.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline QColor TextColor(QWidget* control) {
    return control->palette().color(QPalette::Active, QPalette::Text);
}

} // namespace view_test
