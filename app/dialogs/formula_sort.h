#pragma once

#include "app/controls/static_formula_frame.h"
#include "platform/ui/dialog.h"

#include <array>
#include <string>

class QPushButton;

// "Formula sort": the user types a formula; the dialog shows it as typed and, below, the same composition
// written in the order C, H, N, O, S, P and then the other elements, each with its molar mass. Either form
// goes to the clipboard as plain text or HTML (each with rich text beside it), as UBBC or as LaTeX.
class CFormulaSort : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2065;
    static constexpr int kFormulaEdit = 2054;
    static constexpr int kTypedFrame = 2055;
    static constexpr int kSortedFrame = 2056;
    static constexpr int kCopyOriginalText = 2061;
    static constexpr int kCopySortedText = 2062;
    static constexpr int kCopyOriginalHtml = 2057;
    static constexpr int kCopySortedHtml = 2058;
    static constexpr int kCopyOriginalUBBC = 2063;
    static constexpr int kCopySortedUBBC = 2064;
    static constexpr int kCopyOriginalLaTeX = 2059;
    static constexpr int kCopySortedLaTeX = 2060;

    explicit CFormulaSort(QWidget* parent = nullptr);
    ~CFormulaSort() override;

    // The formula as typed and as sorted (8-bit text).
    const std::string& TypedText() const { return m_typed; }
    const std::string& SortedText() const { return m_sorted; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnFormulaChanged();
    void OnCopyOriginalText();
    void OnCopyOriginalHtml();
    void OnCopyOriginalUBBC();
    void OnCopyOriginalLaTeX();
    void OnCopySortedText();
    void OnCopySortedHtml();
    void OnCopySortedUBBC();
    void OnCopySortedLaTeX();

    CStaticFormulaFrame m_typedFrame;
    CStaticFormulaFrame m_sortedFrame;
    std::string m_typed;
    std::string m_sorted;
    std::array<QPushButton*, 8> m_copyButtons{};
};
