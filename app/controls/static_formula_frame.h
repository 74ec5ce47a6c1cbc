#pragma once

#include "model/chemical_formula.h"
#include "model/drawing_surface.h"

#include <QFont>
#include <QWidget>

#include <string>

class CSubstance;
class QPainter;

namespace ui {
class ControlHost;
}

// The large formula display of the dialogs: one chemical formula centred in big bold letters with real
// subscripts and superscripts, inside an etched frame whose caption shows the molar mass. The control keeps
// that molar mass, so a dialog that shows a substance here takes its molar mass from the control.
//
// A dialog template holds an empty group box where the control goes; the dialog keeps the control as a
// member and attaches it in OnInitDialog, which puts it in the group box's place (id + 0x1000) and hides
// the group box. A formula too wide for the control is drawn with smaller letters.
class CStaticFormulaFrame : public QWidget {
    Q_OBJECT
public:
    // Control id of the attached control: the group box's id plus this.
    static constexpr int kIdOffset = 0x1000;
    // String table entry of the caption's format.
    static constexpr int kCaptionFormat = 210;

    CStaticFormulaFrame();

    // Whether the molar mass is shown as the frame's caption, and whether the frame is drawn; set before
    // attaching (both on by default).
    void SetParams(int captionFlag, int frameFlag);
    // Takes the place of the host's group box `id`: its place, its text as the first caption, its font
    // for the caption and its caption alignment; the group box is hidden.
    void Attach(int id, ui::ControlHost& parent);

    // Shows the formula text, cut before its first ";" (what follows is a remark). With computeMass the
    // molar mass becomes the mixture molar mass of the formula; otherwise molar mass and caption stay.
    void SetFormula(const std::string& text, bool computeMass);
    // Shows the substance's formula (not cut). With computeMass the molar mass is computed from the formula
    // and also written into the substance; otherwise the control takes the substance's molar mass.
    void SetSubstance(CSubstance* substance, bool computeMass);
    // Stores the molar mass and shows it in the caption.
    void SetMolarMass(double molarMass);
    double GetMolarMass() const { return m_molarMass; }

    // The formula text as last set (8-bit, cut at ";" by SetFormula).
    const std::string& GetText() const { return m_text; }
    const ChemicalFormula& GetFormula() const { return m_formula; }
    // The caption text (the control's window text): the molar mass with two decimals, or empty.
    QString Caption() const { return m_windowText; }
    bool IsCaptionRightAligned() const { return m_rightCaption != 0; }

    QSize sizeHint() const override;

    // The text before the first ";" (the whole text when it has none).
    static std::string CutAtSemicolon(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawFrame(QRect rect, QPainter& painter);
    void UpdateCaption();

    FontSpec m_indexFont;
    FontSpec m_mainFont;
    QFont m_captionFont;
    double m_molarMass = 0.0;
    ChemicalFormula m_formula;
    std::string m_text;
    int m_caption = 1;
    int m_frame = 1;
    int m_rightCaption = 0;
    QString m_windowText;
};
