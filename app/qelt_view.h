#pragma once

#include "app/reaction_view_ids.h"
#include "platform/core/document.h"
#include "platform/ui/view.h"

#include <QIcon>

#include <array>
#include <cstdint>

class CQELTDoc;
class QLineEdit;
class QPainter;

namespace ui {
class CmdUI;
class DataExchange;
} // namespace ui

// The form view of a reaction document: a grid of reagent rows in which the user types formulas and
// amounts. It owns what the default and the alternate view share: the rows of controls (created and removed
// at run time, each control with id = its kind's base + the row index), the handlers that rebalance and
// recalculate the document, the update hints that keep several views of one document in step, the data
// exchange, "Clear amounts", manual coefficients, the red amounts of a reagent in excess and the Edit
// commands. The concrete views add their own controls to a row through four hooks.
//
// Several views of one document keep each other current: the view that changed the document sends a hint
// with itself as sender, and every other view applies it to its own controls only (see OnUpdate).
class CQELTView : public ui::FormView, public DocumentView {
    Q_OBJECT
public:
    ~CQELTView() override;

    // The reaction shown: the document of the open document the view's frame joined (null before).
    CQELTDoc* GetDocument() const;

    // Lays the form out and builds the rows from the document; the concrete views measure their pitch first.
    void OnInitialUpdate() override;
    // Receiver side of the update hints: a row added or removed by another view (or by SetRowCounts) is
    // added to or removed from this view's controls only; any other hint redraws everything.
    void OnUpdate(DocumentView* sender, std::uintptr_t hint) override;

    // After the document changed its rows itself (the counts from before the change given), sends the row
    // hints, with no sender, that bring every view of the document to the new counts.
    void SetRowCounts(int oldReactants, int oldProducts);

    // The rows shown.
    bool RowExists(int row) const;
    int ReactantRowCount() const;
    int ProductRowCount() const;
    // A control of a row (null when absent).
    QWidget* RowControl(int row, int slot) const;

    // Commands reach the view's handlers only while it shows a document.
    bool RouteCommand(int id) override;

    // The help context of the view's frame.
    virtual int HelpContextId() const = 0;

    // The form at its size, so that a frame can fit itself around the view.
    QSize sizeHint() const override;

protected:
    CQELTView(int formId, QWidget* parent);

    // The form's page paints what the view draws itself (PaintForm).
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A frame knows its own decoration only once it is shown: the frame fits the form again then.
    void showEvent(QShowEvent* event) override;
    CQELTDoc& Doc() const;

    // Hooks of the concrete views.
    // Grow or shrink the view's group boxes and move what lies below the rows by (dx, dy).
    virtual void ResizeGroupBoxes(int dx, int dy) = 0;
    // Create the view's own controls of a new row at the template places moved by (dx, dy).
    virtual void CreateRowExtras(int dx, int dy, int row) = 0;
    // Undo the layout growth of a removed row.
    virtual void DestroyRowExtras(int removeButtonId) = 0;
    // Data exchange of the view's own controls.
    virtual void ExchangeRowExtras(ui::DataExchange& dx) = 0;
    // Text colours of the view's controls, after every change of the document's state.
    virtual void UpdateColors();
    // Paints what the form draws itself, under its controls.
    virtual void PaintForm(QPainter&) {}
    // Invalidates the band where the view draws the equation (nothing where it draws none).
    virtual void InvalidateEquation() {}
    // The order in which a row's controls follow each other in the tab order.
    virtual const std::vector<int>& TabOrderSlots() const = 0;
    // Whether the dialog a row's "Database", "pV=nRT" or "n=CV" button opens is available.
    virtual bool RowDialogAvailable(int slot) const;

    void DoDataExchange(ui::DataExchange& dx) override;
    // Control notifications reach the handlers only while the view shows a document (a frame being
    // destroyed lets its document go before its controls lose the focus).
    bool OnControlNotify(const ui::NotifyInfo& info) override;

    // Row operations.
    // Creates the controls of the first free row of a side; returns the row, or -1 when the side is full.
    int AddRow(bool isReactant);
    void BuildRows();
    void MoveRow(int fromRow, int dx, int dy);
    void RenumberRowControls(int fromRow);
    void ShiftButtons(int n);
    void UpdateRemoveButtons();
    void UpdateRowStates();
    void Rebalance();
    void RefreshRows();
    static bool IsEditControl(const QWidget* window);
    // The edit that has the focus, which the Edit commands act on; null when the focus is elsewhere.
    static QLineEdit* FocusEdit();

    // Handlers.
    void OnAddReactant();
    void OnAddProduct();
    void OnRemoveRow(int id);
    void OnFormulaChanged(int id);
    void OnMolesChanged(int id);
    void OnMassChanged(int id);
    void OnAmountKillFocus(int id);
    void OnEditSetFocus(int id);
    void OnClearAmounts();
    void OnManualCoefficients();
    void OnUpdateEditCopyCut(ui::CmdUI& cmdUi);
    void OnUpdateEditPaste(ui::CmdUI& cmdUi);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // The reaction to the clipboard (commands 193-196), enabled while it has coefficients.
    void OnCopyReaction(int id);
    void OnUpdateCopyAs(ui::CmdUI& cmdUi);
    // Balancing with H+ (216) and OH- (217), water and electrons.
    void OnBalanceWithH();
    void OnBalanceWithOH();

    // A control of the form moved by (dx, dy), or resized by (dw, dh).
    void MoveControl(int id, int dx, int dy);
    void ResizeControl(int id, int dw, int dh);
    // The place of a control, taken as the template of its kind, and the control destroyed.
    QRect TakeTemplate(int id);
    // Creates a row control of the kind at the template place moved by (dx, dy) and puts it in its slot.
    QWidget* CreateRowControl(int row, int slot, const QRect& place, int dx, int dy, const QString& text,
                              std::initializer_list<const char*> styles, bool enabled);
    // The offset of a row from the template row, in pixels, with this view's row counts.
    QPoint RowOffset(int row) const;
    // Sets a control's text colour (null: the form's own), made readable on the form's colours.
    static void SetTextColor(QWidget* control, const QColor* color);
    // The form grows and shrinks by whole pitches with its rows, and its frame with it.
    void GrowFrame(int steps);
    // The frame takes the size of the whole form.
    void FitFrame();

    // The one-shot suppressions, scoped to what they suppress.
    // Held while the view rewrites its own edits: their change notifications are the view's, not the user's.
    class OwnChange {
    public:
        explicit OwnChange(CQELTView& view) : m_view(view) { ++m_view.m_ownChange; }
        ~OwnChange() { --m_view.m_ownChange; }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;

    private:
        CQELTView& m_view;
    };
    // Held while the view applies a row change that another view (or the document) already made.
    class Updating {
    public:
        explicit Updating(CQELTView& view) : m_view(view), m_previous(view.m_updating) {
            m_view.m_updating = true;
        }
        ~Updating() { m_view.m_updating = m_previous; }
        Updating(const Updating&) = delete;
        Updating& operator=(const Updating&) = delete;

    private:
        CQELTView& m_view;
        bool m_previous;
    };
    bool IsOwnChange() const { return m_ownChange > 0; }
    bool IsUpdating() const { return m_updating; }
    // True (and forgotten) when the change notification of an amount edit is the one its own reformatting
    // raises as it loses the focus.
    bool AbsorbLeaving(int id);
    void ForgetLeaving() { m_leavingId = -1; }

    // An edit's text, caret and selection, kept across a data exchange that rewrites it.
    struct KeptEdit {
        QWidget* edit = nullptr;
        QString text;
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    static KeptEdit KeepEdit(QWidget* edit);
    static void RestoreEdit(const KeptEdit& kept);

    // The geometry every view measures.
    int m_pitchX = 0;
    int m_productOffsetX = 0;
    int m_pitchY = 0;
    int m_productOffsetY = 0;

private:
    // The kinds of the common template controls.
    enum TemplateKind {
        kRemoveTemplate,
        kFormulaTemplate,
        kMolarMassTemplate,
        kMolesTemplate,
        kMassTemplate,
        kComputedMolesTemplate,
        kComputedMassTemplate,
        kTemplateCount
    };

    // The widget that holds a row's controls, made on first use: a repaint of one control then looks at its
    // row's neighbours only, not at every control of the form. FitRowBox shrinks it around its controls.
    QWidget* RowBox(int row);
    void FitRowBox(int row);
    void DestroyRow(int row);
    void MoveRowTo(int from, int to);
    void RebuildTabOrder();
    void HandleAmountChanged(int id, bool massChanged);
    void RedrawAll();

    QIcon m_removeIcon;
    int m_ownChange = 0;
    bool m_updating = false;
    int m_leavingId = -1;
    int m_currentRow = -1;
    std::array<std::array<QWidget*, reaction_view::kSlotCount>, reaction_view::kRowCount> m_rows{};
    std::array<QWidget*, reaction_view::kRowCount> m_rowBoxes{};
    std::array<QRect, kTemplateCount> m_templates{};
    QSize m_formSize;
    int m_grownSteps = 0;
    bool m_shown = false;
};
