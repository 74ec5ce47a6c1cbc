#pragma once

#include "app/equation_line.h"
#include "app/qelt_view.h"

class DrawingSurface;

// "Default UI" (form 183): each reagent is a column with its database and calculator buttons; the balanced
// equation is drawn across the columns between the input and the output boxes.
class CQELTView1 : public CQELTView {
    Q_OBJECT
public:
    explicit CQELTView1(QWidget* parent = nullptr);
    ~CQELTView1() override;

    void OnInitialUpdate() override;
    int HelpContextId() const override { return reaction_view::kDefaultViewHelpContext; }

    // Where the equation line goes, and the line itself drawn on a surface.
    equation_line::Layout EquationLayout() const;
    void PaintEquation(DrawingSurface& surface, const SurfaceRect* visible = nullptr);

protected:
    void ResizeGroupBoxes(int dx, int dy) override;
    void CreateRowExtras(int dx, int dy, int row) override;
    void DestroyRowExtras(int removeButtonId) override;
    void ExchangeRowExtras(ui::DataExchange& dx) override;
    void PaintForm(QPainter& painter) override;
    void InvalidateEquation() override;
    const std::vector<int>& TabOrderSlots() const override;
    bool RowDialogAvailable(int slot) const override;

private:
    // The row's calculators ("pV=nRT" and "n=CV" of the input and of the output), by button id.
    void OnGasInput(int id);
    void OnConcentrationInput(int id);
    void OnGasOutput(int id);
    void OnConcentrationOutput(int id);
    // "Database" of a row: the substances dialog picks a substance for the row.
    void OnDatabase(int id);

    // Template places of the view's own row controls.
    QRect m_equationTemplate;
    QRect m_databaseTemplate;
    QRect m_gasInputTemplate;
    QRect m_solutionInputTemplate;
    QRect m_gasOutputTemplate;
    QRect m_solutionOutputTemplate;
    QRect m_molarMassUnitTemplate;
    QRect m_massUnitTemplate;
    QRect m_molesUnitTemplate;
};
