// The reaction form view: the form, its rows of controls, the update hints between views and the data
// exchange. The edit handlers and commands are in qelt_view_handlers.cpp.
#include "app/qelt_view.h"

#include "app/controls/fedit.h"
#include "app/qelt_command_ids.h"
#include "app/readable_colour.h"
#include "model/float_numbers_string.h"
#include "model/model_host.h"
#include "model/qelt_doc.h"
#include "model/unicode_notation.h"
#include "platform/ui/child_frame.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/open_document.h"
#include "platform/ui/resource_icon.h"
#include "platform/ui/text_codec.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>

using namespace reaction_view;

namespace {

// The picture of the remove-row buttons.
constexpr int kRemoveIcon = 191;

// The template control of each common row kind, in the order of CQELTView's template kinds.
constexpr int kTemplateIds[] = {kRemoveBase, kFormulaBase,       kMolarMassBase,   kMolesBase,
                                kMassBase,   kComputedMolesBase, kComputedMassBase};

bool IsValidRow(int row) {
    return row >= 0 && row < kRowCount;
}

} // namespace

CQELTView::CQELTView(int formId, QWidget* parent)
    : ui::FormView(formId, parent), m_removeIcon(ResourceIconAtDefaultSize(kRemoveIcon)) {
    MapNotify(kClearAmountsButton, ui::BN_CLICKED, &CQELTView::OnClearAmounts);
    MapCommand(kAddReactantButton, &CQELTView::OnAddReactant);
    MapCommand(kAddProductButton, &CQELTView::OnAddProduct);
    MapNotify(kManualCoefficientsCheck, ui::BN_CLICKED, &CQELTView::OnManualCoefficients);
    MapUpdateCommand(ui::cmd::EditCopy, &CQELTView::OnUpdateEditCopyCut);
    MapUpdateCommand(ui::cmd::EditCut, &CQELTView::OnUpdateEditCopyCut);
    MapUpdateCommand(ui::cmd::EditPaste, &CQELTView::OnUpdateEditPaste);
    MapCommand(ui::cmd::EditCopy, &CQELTView::OnEditCopy);
    MapCommand(ui::cmd::EditCut, &CQELTView::OnEditCut);
    MapCommand(ui::cmd::EditPaste, &CQELTView::OnEditPaste);
    // The clipboard export of the reaction (193-196) and the balancing with H+ and OH- (216, 217).
    MapCommandRange(qelt_cmd::CopyHtml, qelt_cmd::CopyUbbc, &CQELTView::OnCopyReaction);
    MapUpdateCommandRange(qelt_cmd::CopyHtml, qelt_cmd::CopyUbbc, &CQELTView::OnUpdateCopyAs);
    MapCommand(qelt_cmd::BalanceWithH, &CQELTView::OnBalanceWithH);
    MapCommand(qelt_cmd::BalanceWithOH, &CQELTView::OnBalanceWithOH);
    MapNotifyRange(kRemoveBase, kRemoveBase + 0xFF, ui::BN_CLICKED, &CQELTView::OnRemoveRow);
    MapNotifyRange(kFormulaBase, kFormulaBase + 0xFF, ui::EN_CHANGE, &CQELTView::OnFormulaChanged);
    MapNotifyRange(kMolesBase, kMolesBase + 0xFF, ui::EN_CHANGE, &CQELTView::OnMolesChanged);
    MapNotifyRange(kMassBase, kMassBase + 0xFF, ui::EN_CHANGE, &CQELTView::OnMassChanged);
    MapNotifyRange(kMolesBase, kMassBase + 0xFF, ui::EN_KILLFOCUS, &CQELTView::OnAmountKillFocus);
    MapNotifyRange(kRemoveBase, kDatabaseBase + 0xFF, ui::EN_SETFOCUS, &CQELTView::OnEditSetFocus);
}

CQELTView::~CQELTView() {
    // Frames let their view go before it is destroyed; a view used without one lets itself go.
    if (CQELTDoc* doc = GetDocument())
        doc->RemoveView(this);
    for (auto& row : m_rows) {
        for (QWidget*& control : row) {
            delete control;
            control = nullptr;
        }
    }
    for (QWidget*& box : m_rowBoxes) {
        delete box;
        box = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------------------
// Layout

void CQELTView::OnInitialUpdate() {
    m_formSize = FormSize();
    Page()->installEventFilter(this);
    for (int kind = 0; kind < kTemplateCount; ++kind)
        m_templates[static_cast<std::size_t>(kind)] = TakeTemplate(kTemplateIds[kind]);
    if (ui::ChildFrame* frame = Frame())
        frame->SetHelpContext(HelpContextId());
    FitFrame();
}

QRect CQELTView::TakeTemplate(int id) {
    QWidget* control = GetDlgItem(id);
    if (control == nullptr)
        return {};
    const QRect place = control->geometry();
    DestroyControl(control);
    return place;
}

CQELTDoc* CQELTView::GetDocument() const {
    const auto* open = dynamic_cast<const ui::OpenDocument*>(DocumentTarget());
    return open != nullptr ? dynamic_cast<CQELTDoc*>(&open->GetDocument()) : nullptr;
}

bool CQELTView::RouteCommand(int id) {
    return GetDocument() != nullptr && ui::FormView::RouteCommand(id);
}

bool CQELTView::OnControlNotify(const ui::NotifyInfo& info) {
    return GetDocument() != nullptr && ui::FormView::OnControlNotify(info);
}

CQELTDoc& CQELTView::Doc() const {
    CQELTDoc* doc = GetDocument();
    if (doc == nullptr)
        throw std::logic_error("reaction view without its document");
    return *doc;
}

QSize CQELTView::sizeHint() const {
    return m_formSize + QSize(m_pitchX, m_pitchY) * m_grownSteps;
}

bool CQELTView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Page() && event->type() == QEvent::Paint) {
        QPainter painter(Page());
        painter.setClipRect(static_cast<QPaintEvent*>(event)->rect());
        PaintForm(painter);
    }
    return ui::FormView::eventFilter(watched, event);
}

void CQELTView::showEvent(QShowEvent* event) {
    ui::FormView::showEvent(event);
    if (!m_shown && !m_formSize.isEmpty()) {
        m_shown = true;
        FitFrame();
    }
}

void CQELTView::FitFrame() {
    SetFormSize(sizeHint());
    updateGeometry();
    ui::ChildFrame* frame = Frame();
    if (frame == nullptr) {
        resize(sizeHint());
        return;
    }
    // The frame measures its decoration from where it placed the view: let it place the view first.
    if (QLayout* layout = frame->layout())
        layout->activate();
    ResizeParentToFit(false);
}

void CQELTView::GrowFrame(int steps) {
    m_grownSteps += steps;
    FitFrame();
}

void CQELTView::MoveControl(int id, int dx, int dy) {
    if (QWidget* control = GetDlgItem(id))
        control->move(control->pos() + QPoint(dx, dy));
}

void CQELTView::ResizeControl(int id, int dw, int dh) {
    if (QWidget* control = GetDlgItem(id))
        control->resize(control->size() + QSize(dw, dh));
}

// ---------------------------------------------------------------------------------------------------------
// Rows

bool CQELTView::RowExists(int row) const {
    return IsValidRow(row) && m_rows[static_cast<std::size_t>(row)][kFormulaSlot] != nullptr;
}

int CQELTView::ReactantRowCount() const {
    int n = 0;
    while (n < kMaxRowsPerSide && RowExists(n))
        ++n;
    return n;
}

int CQELTView::ProductRowCount() const {
    int n = 0;
    while (n < kMaxRowsPerSide && RowExists(kFirstProductRow + n))
        ++n;
    return n;
}

QWidget* CQELTView::RowControl(int row, int slot) const {
    if (!IsValidRow(row) || slot < 0 || slot >= kSlotCount)
        return nullptr;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)];
}

QPoint CQELTView::RowOffset(int row) const {
    const int steps = IsProductRow(row) ? ReactantRowCount() + (row - kFirstProductRow) : row;
    QPoint offset(steps * m_pitchX, steps * m_pitchY);
    if (IsProductRow(row))
        offset += QPoint(m_productOffsetX, m_productOffsetY);
    return offset;
}

QWidget* CQELTView::CreateRowControl(int row, int slot, const QRect& place, int dx, int dy,
                                     const QString& text, std::initializer_list<const char*> styles,
                                     bool enabled) {
    ui::ControlTemplate spec;
    spec.id = kSlotBase[slot] + row;
    spec.text = text;
    for (const char* style : styles)
        spec.styles.insert(QString::fromLatin1(style));
    switch (slot) {
    case kFormulaSlot:
    case kMolarMassSlot:
    case kMolesSlot:
    case kMassSlot:
    case kCoefficientSlot:
        spec.kind = ui::ControlKind::Edit;
        break;
    case kComputedMolesSlot:
    case kComputedMassSlot:
    case kMolarMassUnitSlot:
    case kMassUnitSlot:
    case kMolesUnitSlot:
        spec.kind = ui::ControlKind::Static;
        break;
    case kEquationSlot:
        spec.kind = ui::ControlKind::GroupBox;
        break;
    default:
        spec.kind = ui::ControlKind::Button;
        break;
    }
    QWidget* control = CreateControl(spec, place.translated(dx, dy), RowBox(row));
    if (slot == kMolarMassSlot || slot == kMolesSlot || slot == kMassSlot)
        control = CFEdit::Attach(*this, spec.id);
    if (slot == kRemoveSlot) {
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setIcon(m_removeIcon);
            button->setIconSize(place.size() - QSize(2, 2));
            button->setFlat(true);
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::NoFocus);
        }
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        button->setAutoDefault(false);
    }
    control->setEnabled(enabled);
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)] = control;
    return control;
}

int CQELTView::AddRow(bool isReactant) {
    const int first = isReactant ? 0 : kFirstProductRow;
    int row = -1;
    for (int r = first; r < first + kMaxRowsPerSide; ++r) {
        if (!RowExists(r)) {
            row = r;
            break;
        }
    }
    if (row < 0)
        return -1;
    if (row != first)
        GrowFrame(1);

    const QPoint offset = RowOffset(row);
    const int dx = offset.x();
    const int dy = offset.y();
    const bool hadReagent = Doc().GetReagent(row) != nullptr;
    const auto& t = m_templates;
    CreateRowControl(row, kFormulaSlot, t[kFormulaTemplate], dx, dy, {}, {"autohscroll", "clientedge"}, true);
    QWidget* remove = CreateRowControl(row, kRemoveSlot, t[kRemoveTemplate], dx, dy, {}, {"icon"}, true);
    remove->setToolTip(tr("Remove this reagent"));
    CreateRowControl(row, kMolarMassSlot, t[kMolarMassTemplate], dx, dy, {}, {"autohscroll", "clientedge"},
                     false);
    CreateRowControl(row, kMolesSlot, t[kMolesTemplate], dx, dy, {}, {"autohscroll", "clientedge"},
                     hadReagent);
    CreateRowControl(row, kMassSlot, t[kMassTemplate], dx, dy, {}, {"autohscroll", "clientedge"}, hadReagent);
    CreateRowControl(row, kComputedMolesSlot, t[kComputedMolesTemplate], dx, dy, QStringLiteral("n"),
                     {"center"}, true);
    CreateRowControl(row, kComputedMassSlot, t[kComputedMassTemplate], dx, dy, QStringLiteral("mass"),
                     {"center"}, true);
    if (!hadReagent)
        Doc().SetReagent(row, std::make_unique<CQELTReagent>());
    CreateRowExtras(dx, dy, row);
    FitRowBox(row);
    RebuildTabOrder();
    if (!IsUpdating())
        RowControl(row, kFormulaSlot)->setFocus(Qt::OtherFocusReason);
    return row;
}

void CQELTView::BuildRows() {
    CQELTDoc& doc = Doc();
    const int nReactants = std::min(doc.GetReactantCount(), kMaxRowsPerSide);
    const int nProducts = std::min(doc.GetProductCount(), kMaxRowsPerSide);
    const bool empty = nReactants + nProducts == 0;
    {
        // The document already holds these rows: only the controls are made. A side it leaves empty (a new
        // reaction) gets one row with a new reagent.
        Updating updating(*this);
        for (int k = 0; k < std::max(nReactants, 1); ++k)
            AddRow(true);
        for (int j = 0; j < std::max(nProducts, 1); ++j)
            AddRow(false);
    }
    doc.SetReagentCounts(ReactantRowCount(), ProductRowCount());
    const int rows = ReactantRowCount() + ProductRowCount();
    MoveControl(kAddProductButton, (rows - 2) * m_pitchX, (rows - 2) * m_pitchY);
    MoveControl(kAddReactantButton, (ReactantRowCount() - 1) * m_pitchX, (ReactantRowCount() - 1) * m_pitchY);
    ShiftButtons(rows - 2);
    if (!empty) {
        Rebalance();
        doc.Recalculate();
        RefreshRows();
    }
    UpdateRemoveButtons();
    UpdateRowStates();
    if (QWidget* first = RowControl(0, kFormulaSlot))
        first->setFocus(Qt::OtherFocusReason);
    UpdateData(false);
}

QWidget* CQELTView::RowBox(int row) {
    QWidget*& box = m_rowBoxes[static_cast<std::size_t>(row)];
    if (box == nullptr) {
        // Hidden until it fits its controls; it draws nothing, so the form shows through around them.
        box = new QWidget(Page());
        box->hide();
    }
    return box;
}

void CQELTView::FitRowBox(int row) {
    QWidget* box = m_rowBoxes[static_cast<std::size_t>(row)];
    if (box == nullptr)
        return;
    // The box covers the shown controls only, so that it takes no click meant for another control.
    QRect bounds;
    for (QWidget* control : m_rows[static_cast<std::size_t>(row)]) {
        if (control != nullptr && control->parentWidget() == box && !control->isHidden())
            bounds |= control->geometry();
    }
    const QPoint shift = bounds.topLeft();
    for (QWidget* control : m_rows[static_cast<std::size_t>(row)]) {
        if (control != nullptr && control->parentWidget() == box)
            control->move(control->pos() - shift);
    }
    box->setGeometry(bounds.translated(box->pos()));
    box->show();
}

void CQELTView::MoveRow(int fromRow, int dx, int dy) {
    for (int row = std::max(fromRow, 0); row < kRowCount; ++row) {
        if (QWidget* box = m_rowBoxes[static_cast<std::size_t>(row)])
            box->move(box->pos() + QPoint(dx, dy));
    }
    RenumberRowControls(fromRow);
}

void CQELTView::RenumberRowControls(int fromRow) {
    for (int row = std::max(fromRow, 0); row < kRowCount; ++row) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (QWidget* control = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)])
                SetControlId(control, kSlotBase[slot] + row);
        }
    }
    RebuildTabOrder();
}

void CQELTView::RebuildTabOrder() {
    // Rows in row order, each row's controls in the view's order, then the fixed controls of the form.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* control) {
        if (control == nullptr || control->focusPolicy() == Qt::NoFocus)
            return;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    };
    for (int row = 0; row < kRowCount; ++row) {
        if (!RowExists(row))
            continue;
        for (int slot : TabOrderSlots())
            chain(RowControl(row, slot));
    }
    for (int id : {kAddReactantButton, kAddProductButton, kManualCoefficientsCheck, kClearAmountsButton})
        chain(GetDlgItem(id));
}

void CQELTView::ShiftButtons(int n) {
    MoveControl(kClearAmountsButton, n * m_pitchX, n * m_pitchY);
    ResizeGroupBoxes(n * m_pitchX, n * m_pitchY);
}

void CQELTView::UpdateRemoveButtons() {
    if (QWidget* button = RowControl(0, kRemoveSlot))
        button->setVisible(ReactantRowCount() != 1);
    if (QWidget* button = RowControl(kFirstProductRow, kRemoveSlot))
        button->setVisible(ProductRowCount() != 1);
}

bool CQELTView::RowDialogAvailable(int) const {
    return true;
}

void CQELTView::UpdateRowStates() {
    const CQELTDoc& doc = Doc();
    const bool manual = doc.IsManualCoefficients();
    const bool results = doc.HasComputedAmounts();
    bool anyMass = false;
    const auto enable = [](QWidget* control, bool on) {
        if (control != nullptr && control->isEnabled() != on)
            control->setEnabled(on);
    };
    for (int row = 0; row < kRowCount; ++row) {
        if (!RowExists(row))
            continue;
        const CQELTReagent* reagent = doc.GetReagent(row);
        if (reagent == nullptr)
            continue;
        const bool noAmount = reagent->enteredMoles == 0.0;
        const bool parsed = reagent->GetMolarMass() != 0.0;
        enable(RowControl(row, kFormulaSlot), noAmount);
        enable(RowControl(row, kDatabaseSlot), noAmount && RowDialogAvailable(kDatabaseSlot));
        enable(RowControl(row, kMolarMassSlot), false);
        enable(RowControl(row, kMolesSlot), parsed);
        enable(RowControl(row, kMassSlot), parsed);
        enable(RowControl(row, kCoefficientSlot), manual);
        enable(RowControl(row, kGasInputSlot), parsed && RowDialogAvailable(kGasInputSlot));
        enable(RowControl(row, kSolutionInputSlot), parsed && RowDialogAvailable(kSolutionInputSlot));
        enable(RowControl(row, kGasOutputSlot), results && RowDialogAvailable(kGasOutputSlot));
        enable(RowControl(row, kSolutionOutputSlot), results && RowDialogAvailable(kSolutionOutputSlot));
        if (reagent->enteredMass != 0.0)
            anyMass = true;
    }
    EnableControl(kClearAmountsButton, anyMass);
    UpdateColors();
}

void CQELTView::SetTextColor(QWidget* control, const QColor* color) {
    if (control == nullptr)
        return;
    const QPalette& form = control->parentWidget()->palette();
    // An edit's text stands on its base colour.
    const QColor wanted = color != nullptr ? readable::ReadableColour(*color, form.color(QPalette::Base))
                                           : form.color(QPalette::Text);
    if (control->palette().color(QPalette::Active, QPalette::Text) == wanted &&
        control->palette().color(QPalette::Disabled, QPalette::Text) ==
            form.color(QPalette::Disabled, QPalette::Text))
        return;
    QPalette palette = form;
    palette.setColor(QPalette::Active, QPalette::Text, wanted);
    palette.setColor(QPalette::Inactive, QPalette::Text, wanted);
    control->setPalette(palette);
}

void CQELTView::UpdateColors() {
    static const QColor excess(255, 0, 0);
    for (int row = 0; row < kRowCount; ++row) {
        if (!RowExists(row))
            continue;
        const bool inExcess = Doc().IsInExcess(row);
        SetTextColor(RowControl(row, kMolesSlot), inExcess ? &excess : nullptr);
        SetTextColor(RowControl(row, kMassSlot), inExcess ? &excess : nullptr);
    }
}

void CQELTView::Rebalance() {
    Doc().BalanceReaction();
    InvalidateEquation();
}

void CQELTView::RefreshRows() {
    // The amounts take the colours that follow the document's new results (and repaint when they change).
    UpdateRowStates();
}

void CQELTView::SetRowCounts(int oldReactants, int oldProducts) {
    CQELTDoc& doc = Doc();
    Updating updating(*this);
    for (int n = oldReactants; n > doc.GetReactantCount(); --n)
        doc.UpdateAllViews(nullptr, kHintRowRemoved + kRemoveBase + 0);
    for (int n = oldProducts; n > doc.GetProductCount(); --n)
        doc.UpdateAllViews(nullptr, kHintRowRemoved + kRemoveBase + kFirstProductRow);
    for (int n = oldReactants; n < doc.GetReactantCount(); ++n)
        doc.UpdateAllViews(nullptr, kHintReactantAdded);
    for (int n = oldProducts; n < doc.GetProductCount(); ++n)
        doc.UpdateAllViews(nullptr, kHintProductAdded);
    // Removing always takes the first row of a side: every row shows its new contents now.
    doc.UpdateAllViews(nullptr, kHintRedraw);
}

bool CQELTView::IsEditControl(const QWidget* window) {
    return qobject_cast<const QLineEdit*>(window) != nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// Update hints

void CQELTView::OnUpdate(DocumentView* sender, std::uintptr_t hint) {
    if (sender == this)
        return;
    Updating updating(*this);
    switch (hint & kHintActionMask) {
    case kHintReactantAdded:
        OnAddReactant();
        break;
    case kHintProductAdded:
        OnAddProduct();
        break;
    case kHintRowRemoved:
        OnRemoveRow(static_cast<int>(hint & 0xFFFF));
        break;
    default:
        RedrawAll();
        return;
    }
    UpdateRowStates();
    Page()->update();
}

void CQELTView::RedrawAll() {
    // The controls repaint what changed in them; the form itself draws only the equation.
    UpdateData(false);
    InvalidateEquation();
    UpdateRowStates();
}

// ---------------------------------------------------------------------------------------------------------
// Data exchange

void CQELTView::DoDataExchange(ui::DataExchange& dx) {
    CQELTDoc& doc = Doc();
    if (dx.IsSaving() && RowExists(m_currentRow) && doc.GetReagent(m_currentRow) != nullptr) {
        CQELTReagent& reagent = *doc.GetReagent(m_currentRow);
        std::string formula = reagent.GetFormula();
        ui::DDX_Text(dx, kFormulaBase + m_currentRow, formula, UnicodeToNotation);
        reagent.SetFormulaText(formula);
        DDX_FEdit(dx, kMolesBase + m_currentRow, reagent.enteredMoles);
        DDX_FEdit(dx, kMassBase + m_currentRow, reagent.enteredMass);
    } else {
        const int digits = GetModelHost().GetDisplayDigits();
        const bool results = doc.HasComputedAmounts();
        for (int row = 0; row < kRowCount; ++row) {
            if (!RowExists(row) || doc.GetReagent(row) == nullptr)
                continue;
            CQELTReagent& reagent = *doc.GetReagent(row);
            std::string formula = reagent.GetFormula();
            ui::DDX_Text(dx, kFormulaBase + row, formula, UnicodeToNotation);
            if (dx.IsSaving()) {
                reagent.SetFormulaText(formula);
            } else {
                double molarMass = reagent.GetMolarMass();
                DDX_FEdit(dx, kMolarMassBase + row, molarMass);
            }
            DDX_FEdit(dx, kMolesBase + row, reagent.enteredMoles);
            DDX_FEdit(dx, kMassBase + row, reagent.enteredMass);
            if (!dx.IsSaving()) {
                QString moles;
                QString mass;
                if (results) {
                    CFloatNumbersString text;
                    text.Format(doc.GetComputedMoles(row), digits);
                    moles = ui::FromCp1252(text) + QStringLiteral(" mol");
                    text.Format(doc.GetComputedMass(row), digits);
                    mass = ui::FromCp1252(text) + QStringLiteral(" g");
                }
                ui::SetWindowTextIfChanged(RowControl(row, kComputedMolesSlot), moles);
                ui::SetWindowTextIfChanged(RowControl(row, kComputedMassSlot), mass);
            }
        }
    }
    int manual = doc.IsManualCoefficients() ? 1 : 0;
    ui::DDX_Check(dx, kManualCoefficientsCheck, manual);
    if (dx.IsSaving())
        doc.SetManualCoefficients(manual != 0);
    ExchangeRowExtras(dx);
}
