#include "app/qelt_view1.h"

#include "app/dialogs/substance_database_dlg.h"
#include "app/painter_surface.h"
#include "app/qelt_app.h"
#include "app/readable_colour.h"
#include "model/qelt_doc.h"
#include "model/qelt_reagent.h"

#include <QPainter>

using namespace reaction_view;

CQELTView1::CQELTView1(QWidget* parent) : CQELTView(kDefaultForm, parent) {
    setWindowTitle(tr("Default UI"));
    MapNotifyRange(kGasInputBase, kGasInputBase + 0xFF, ui::BN_CLICKED, &CQELTView1::OnGasInput);
    MapNotifyRange(kSolutionInputBase, kSolutionInputBase + 0xFF, ui::BN_CLICKED,
                   &CQELTView1::OnConcentrationInput);
    MapNotifyRange(kGasOutputBase, kGasOutputBase + 0xFF, ui::BN_CLICKED, &CQELTView1::OnGasOutput);
    MapNotifyRange(kSolutionOutputBase, kSolutionOutputBase + 0xFF, ui::BN_CLICKED,
                   &CQELTView1::OnConcentrationOutput);
    MapNotifyRange(kDatabaseBase, kDatabaseBase + 0xFF, ui::BN_CLICKED, &CQELTView1::OnDatabase);
}

CQELTView1::~CQELTView1() = default;

void CQELTView1::OnInitialUpdate() {
    const QRect input = ControlRect(kInputGroup);
    const QRect second = ControlRect(kSecondReactantMarker);
    const QRect product = ControlRect(kFirstProductMarker);
    m_pitchX = second.left() - input.left();
    m_productOffsetX = product.left() - input.left() - m_pitchX;
    m_pitchY = 0;
    m_productOffsetY = 0;
    // The input and output boxes span the first reactant and the first product column.
    for (int id : {kInputGroup, kOutputGroup}) {
        if (QWidget* box = GetDlgItem(id))
            box->resize(product.right() - box->x() + 1, box->height());
    }

    CQELTView::OnInitialUpdate();

    m_equationTemplate = TakeTemplate(kEquationBase);
    m_databaseTemplate = TakeTemplate(kDatabaseBase);
    m_gasInputTemplate = TakeTemplate(kGasInputBase);
    m_solutionInputTemplate = TakeTemplate(kSolutionInputBase);
    m_gasOutputTemplate = TakeTemplate(kGasOutputBase);
    m_solutionOutputTemplate = TakeTemplate(kSolutionOutputBase);
    m_molarMassUnitTemplate = TakeTemplate(kMolarMassUnitBase);
    m_massUnitTemplate = TakeTemplate(kMassUnitBase);
    m_molesUnitTemplate = TakeTemplate(kMolesUnitBase);
    TakeTemplate(kSecondReactantMarker);
    TakeTemplate(kFirstProductMarker);

    BuildRows();
}

void CQELTView1::ResizeGroupBoxes(int dx, int) {
    ResizeControl(kInputGroup, dx, 0);
    ResizeControl(kOutputGroup, dx, 0);
}

void CQELTView1::CreateRowExtras(int dx, int, int row) {
    const CQELTReagent* reagent = Doc().GetReagent(row);
    const bool parsed = reagent != nullptr && reagent->GetMolarMass() != 0.0;
    CreateRowControl(row, kDatabaseSlot, m_databaseTemplate, dx, 0, QStringLiteral("Database"), {"tabstop"},
                     RowDialogAvailable(kDatabaseSlot));
    CreateRowControl(row, kGasInputSlot, m_gasInputTemplate, dx, 0, QStringLiteral("pV=nRT"), {"tabstop"},
                     parsed);
    CreateRowControl(row, kSolutionInputSlot, m_solutionInputTemplate, dx, 0, QStringLiteral("n=CV"),
                     {"tabstop"}, parsed);
    CreateRowControl(row, kGasOutputSlot, m_gasOutputTemplate, dx, 0, QStringLiteral("pV=nRT"), {"tabstop"},
                     false);
    CreateRowControl(row, kSolutionOutputSlot, m_solutionOutputTemplate, dx, 0, QStringLiteral("n=CV"),
                     {"tabstop"}, false);
    CreateRowControl(row, kEquationSlot, m_equationTemplate, dx, 0, QStringLiteral("0.00"), {"hidden"}, true);
    CreateRowControl(row, kMolarMassUnitSlot, m_molarMassUnitTemplate, dx, 0, QStringLiteral("g/mol"), {},
                     true);
    CreateRowControl(row, kMassUnitSlot, m_massUnitTemplate, dx, 0, QStringLiteral("g"), {}, true);
    CreateRowControl(row, kMolesUnitSlot, m_molesUnitTemplate, dx, 0, QStringLiteral("mol"), {}, true);
}

void CQELTView1::DestroyRowExtras(int) {}

void CQELTView1::ExchangeRowExtras(ui::DataExchange&) {}

bool CQELTView1::RowDialogAvailable(int slot) const {
    (void)slot;
    return true;
}

void CQELTView1::OnDatabase(int id) {
    const int row = id - kDatabaseBase;
    CQELTReagent* reagent = Doc().GetReagent(row);
    if (reagent == nullptr || CQELTApp::GetApp() == nullptr)
        return;
    CSubstanceDatabaseDlg dialog(this);
    dialog.m_substance = *reagent;
    dialog.m_browseOnly = 0;
    if (dialog.DoModal() != ui::IDOK)
        return;
    // The picked substance becomes the row's, and its formula is taken as if typed.
    static_cast<CSubstance&>(*reagent) = dialog.m_substance;
    UpdateData(false);
    OnFormulaChanged(kFormulaBase + row);
}

const std::vector<int>& CQELTView1::TabOrderSlots() const {
    static const std::vector<int> order = {kDatabaseSlot,  kFormulaSlot,       kMolesSlot,
                                           kMassSlot,      kGasInputSlot,      kSolutionInputSlot,
                                           kGasOutputSlot, kSolutionOutputSlot};
    return order;
}

equation_line::Layout CQELTView1::EquationLayout() const {
    equation_line::Layout layout;
    const auto toSurface = [](const QRect& r) {
        return SurfaceRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    };
    for (int row = 0; row < kRowCount; ++row) {
        if (RowControl(row, kEquationSlot) != nullptr)
            layout.cells.push_back({row, toSurface(ControlRect(kEquationBase + row))});
    }
    layout.templateRect = toSurface(m_equationTemplate);
    layout.pitchX = m_pitchX;
    layout.productOffsetX = m_productOffsetX;
    layout.nReactants = ReactantRowCount();
    layout.nProducts = ProductRowCount();
    layout.pageWidth = Page()->width();
    const QColor face = Page()->palette().color(QPalette::Window);
    layout.background = MakeColorRef(face.red(), face.green(), face.blue());
    return layout;
}

void CQELTView1::PaintEquation(DrawingSurface& surface, const SurfaceRect* visible) {
    equation_line::Draw(surface, Doc(), EquationLayout(), visible);
}

void CQELTView1::PaintForm(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Text nobody coloured (the formulas and the signs) takes the form's text colour, as its labels do.
    PainterSurface surface(painter, false, Page()->palette().color(QPalette::WindowText));
    // The coefficients' colours read on the form's face at the size of the big equation.
    surface.DrawReadableOn(Page()->palette().color(QPalette::Window), readable::kLargeText);
    // Only the terms in the area being painted are drawn.
    if (painter.hasClipping()) {
        const QRect clip = painter.clipBoundingRect().toAlignedRect();
        const SurfaceRect visible{clip.left(), clip.top(), clip.left() + clip.width(),
                                  clip.top() + clip.height()};
        PaintEquation(surface, &visible);
    } else {
        PaintEquation(surface);
    }
}

void CQELTView1::InvalidateEquation() {
    const QRect band =
        RowControl(0, kEquationSlot) != nullptr ? ControlRect(kEquationBase) : m_equationTemplate;
    Page()->update(QRect(0, band.top(), Page()->width(), band.height()));
}
