#pragma once

#include "platform/ui/command_target.h"
#include "platform/ui/control_host.h"

#include <QScrollArea>
#include <optional>

// Views of a document shown in child frames. A view routes the commands it does not handle to its
// document's command target, which the application sets: the documents of the model know nothing of the
// user interface, so their commands live in a small command target beside each document.
namespace ui {

class ChildFrame;

class View : public virtual CommandTarget {
public:
    ~View() override = default;

    // The widget the child frame shows.
    virtual QWidget* Widget() = 0;
    // Called when the view's frame becomes (true) or stops being (false) the active child frame.
    virtual void OnActivateView(bool active) { (void)active; }
    // Called when Print Setup has changed the printer's paper or margins.
    virtual void OnPageSetupChanged() {}

    void SetDocumentTarget(CommandTarget* target) { m_documentTarget = target; }
    CommandTarget* DocumentTarget() const { return m_documentTarget; }
    // The frame that shows the view (null while it has none).
    ChildFrame* Frame() const;

    bool RouteCommand(int id) override;
    bool RouteUpdate(CmdUI& cmdUi) override;
    bool RouteHasHandler(int id) override;

private:
    CommandTarget* m_documentTarget = nullptr;
};

// A view whose controls come from a form template (resources/dialogs/<id>*.dlg), with the controls,
// notifications and data exchange of a dialog, scrolled when the frame is smaller than the form.
class FormView : public QScrollArea, public ControlHost, public View {
    Q_OBJECT
public:
    explicit FormView(int templateId, QWidget* parent = nullptr);
    // A form from a template held in memory.
    explicit FormView(const DialogTemplate& form, QWidget* parent = nullptr);
    ~FormView() override;

    QWidget* Widget() override { return this; }
    int TemplateId() const { return m_templateId; }

    // Builds the form's controls (once) and runs OnInitialUpdate.
    void Create();
    // Default: UpdateData(false).
    virtual void OnInitialUpdate();

    // The form's size in pixels; SetFormSize grows or shrinks the page the controls lie on.
    QSize FormSize() const;
    void SetFormSize(const QSize& size);
    // Sizes the frame so that it shows the whole form (shrinkOnly: never make it larger).
    void ResizeParentToFit(bool shrinkOnly = true);

private:
    QWidget* m_page;
    int m_templateId = 0;
    std::optional<DialogTemplate> m_ownTemplate;
    bool m_created = false;
};

} // namespace ui
