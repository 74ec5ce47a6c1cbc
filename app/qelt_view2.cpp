#include "app/qelt_view2.h"

#include "model/qelt_doc.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/text_codec.h"

#include <QLineEdit>

#include <cerrno>
#include <climits>
#include <cstdlib>

using namespace reaction_view;

CQELTView2::CQELTView2(QWidget* parent) : CQELTView(kAlternateForm, parent) {
    setWindowTitle(tr("Alternate UI"));
    MapNotifyRange(kCoefficientBase, kCoefficientBase + 0xFF, ui::EN_CHANGE,
                   &CQELTView2::OnCoefficientChanged);
}

CQELTView2::~CQELTView2() = default;

void CQELTView2::OnInitialUpdate() {
    m_coefficientTemplate = ControlRect(kCoefficientBase);
    const QRect reactants = ControlRect(kReactantsGroup);
    const QRect second = ControlRect(kSecondLineMarker);
    const QRect products = ControlRect(kProductsGroup);
    m_pitchX = 0;
    m_productOffsetX = 0;
    m_pitchY = second.top() - reactants.top();
    m_productOffsetY = products.top() - reactants.top() - m_pitchY;

    CQELTView::OnInitialUpdate();

    m_coefficientTemplate = TakeTemplate(kCoefficientBase);
    TakeTemplate(kSecondLineMarker);
    BuildRows();
}

void CQELTView2::ResizeGroupBoxes(int dx, int dy) {
    MoveControl(kManualCoefficientsCheck, dx, dy);
}

void CQELTView2::CreateRowExtras(int dx, int dy, int row) {
    CreateRowControl(row, kCoefficientSlot, m_coefficientTemplate, dx, dy, {}, {"autohscroll", "clientedge"},
                     Doc().IsManualCoefficients());
    if (row == 0 || row == kFirstProductRow)
        return;
    if (IsProductRow(row)) {
        ResizeControl(kProductsGroup, 0, m_pitchY);
    } else {
        ResizeControl(kReactantsGroup, 0, m_pitchY);
        MoveControl(kProductsGroup, 0, m_pitchY);
    }
}

void CQELTView2::DestroyRowExtras(int removeButtonId) {
    if (removeButtonId >= kRemoveBase + kFirstProductRow) {
        ResizeControl(kProductsGroup, 0, -m_pitchY);
    } else {
        ResizeControl(kReactantsGroup, 0, -m_pitchY);
        MoveControl(kProductsGroup, 0, -m_pitchY);
    }
}

int CQELTView2::ParseCoefficient(const std::string& text) {
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void CQELTView2::ExchangeRowExtras(ui::DataExchange& dx) {
    CQELTDoc& doc = Doc();
    const bool manual = doc.IsManualCoefficients();
    const std::vector<int>& balanced = doc.GetBalancedCoefficients();
    for (int row = 0; row < kRowCount; ++row) {
        QWidget* edit = RowControl(row, kCoefficientSlot);
        if (edit == nullptr || !RowExists(row))
            continue;
        if (edit->isEnabled() != manual)
            edit->setEnabled(manual);
        const int packed = doc.PackedIndex(row);
        if (packed < 0 || packed >= kRowCount)
            continue;
        if (!dx.IsSaving()) {
            QString text = QStringLiteral("?");
            if (doc.HasBalancedCoefficients() && packed < static_cast<int>(balanced.size()))
                text = QString::number(balanced[static_cast<std::size_t>(packed)]);
            else if (manual)
                text = QString::number(doc.GetManualCoefficient(packed));
            ui::SetWindowTextIfChanged(edit, text);
            continue;
        }
        const std::string typed = ui::ToCp1252(ui::GetWindowText(edit));
        if (manual && typed != "?")
            doc.SetManualCoefficient(packed, ParseCoefficient(typed));
        else
            edit->update();
    }
}

void CQELTView2::OnCoefficientChanged(int id) {
    CQELTDoc& doc = Doc();
    const int row = id - kCoefficientBase;
    if (!RowExists(row) || IsOwnChange())
        return;
    const KeptEdit kept = KeepEdit(RowControl(row, kCoefficientSlot));
    std::vector<int> before(kRowCount);
    for (int packed = 0; packed < kRowCount; ++packed)
        before[static_cast<std::size_t>(packed)] = doc.GetManualCoefficient(packed);
    if (!UpdateData(true))
        return;
    doc.VerifyBalance();
    doc.Recalculate();
    RefreshRows();
    {
        OwnChange own(*this);
        UpdateData(false);
        RestoreEdit(kept);
    }
    doc.UpdateAllViews(this, kHintRedraw);
    // Typed coefficients are part of the saved reaction; a coefficient typed as it stood changes nothing.
    for (int packed = 0; packed < kRowCount; ++packed) {
        if (doc.GetManualCoefficient(packed) != before[static_cast<std::size_t>(packed)])
            doc.SetModifiedFlag(true);
    }
}

void CQELTView2::UpdateColors() {
    CQELTView::UpdateColors();
    const CQELTDoc& doc = Doc();
    const bool manual = doc.IsManualCoefficients();
    static const QColor balancedColor(0, 0, 255);
    static const QColor unbalancedColor(255, 0, 0);
    const QColor* color = manual ? (doc.IsBalanced() ? &balancedColor : &unbalancedColor) : nullptr;
    for (int row = 0; row < kRowCount; ++row) {
        if (RowExists(row))
            SetTextColor(RowControl(row, kCoefficientSlot), color);
    }
}

const std::vector<int>& CQELTView2::TabOrderSlots() const {
    static const std::vector<int> order = {kCoefficientSlot, kFormulaSlot, kMolesSlot, kMassSlot};
    return order;
}
