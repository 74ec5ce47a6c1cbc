#pragma once

#include "app/qelt_view.h"

// "Alternate UI" (form 184): each reagent is a line of a table, with an editable stoichiometric coefficient
// in front for manual coefficients.
class CQELTView2 : public CQELTView {
    Q_OBJECT
public:
    explicit CQELTView2(QWidget* parent = nullptr);
    ~CQELTView2() override;

    void OnInitialUpdate() override;
    int HelpContextId() const override { return reaction_view::kAlternateViewHelpContext; }

    // The manual coefficient typed into an edit: leading blanks, a sign and digits, as far as they go; 0
    // when none; out-of-range values are held at the limits of an int.
    static int ParseCoefficient(const std::string& text);

protected:
    void ResizeGroupBoxes(int dx, int dy) override;
    void CreateRowExtras(int dx, int dy, int row) override;
    void DestroyRowExtras(int removeButtonId) override;
    void ExchangeRowExtras(ui::DataExchange& dx) override;
    void UpdateColors() override;
    const std::vector<int>& TabOrderSlots() const override;

    void OnCoefficientChanged(int id);

private:
    QRect m_coefficientTemplate;
};
