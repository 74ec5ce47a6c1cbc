#include "app/tool_dialogs.h"

#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/elemental_analysis.h"
#include "app/dialogs/elements_editor.h"
#include "app/dialogs/formula_sort.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/dialogs/percentages.h"
#include "app/dialogs/substance_database_dlg.h"
#include "app/qelt_app.h"
#include "app/qelt_command_ids.h"

#include <functional>
#include <map>

namespace tool_dialogs {
namespace {

// One entry per tool whose dialog exists, for example
//     {qelt_cmd::IdealGasCalculator, [] { pVnRTCalc dialog; dialog.DoModal(); }},
const std::map<int, std::function<void()>>& Tools() {
    static const std::map<int, std::function<void()>> tools = {
        {qelt_cmd::IdealGasCalculator,
         [] {
             pVnRTCalc dialog;
             dialog.DoModal();
         }},
        {qelt_cmd::ConcentrationCalculator,
         [] {
             CConcentrationCalculator dialog;
             dialog.DoModal();
         }},
        {qelt_cmd::SubstancesDatabase,
         [] {
             CSubstanceDatabaseDlg dialog;
             dialog.DoModal();
         }},
        {qelt_cmd::MoietiesEditor,
         [] {
             CQELTApp& app = *CQELTApp::GetApp();
             CElementsEditor dialog(app.GetElementTable(), {[&app] { return app.GetUsedComposition(); },
                                                            [&app] { app.RefreshAllDocuments(); }});
             dialog.DoModal();
         }},
        {qelt_cmd::Percentages,
         [] {
             CPercentages dialog;
             dialog.DoModal();
         }},
        {qelt_cmd::ElementalAnalysis,
         [] {
             CElementalAnalysis dialog;
             dialog.DoModal();
         }},
        {qelt_cmd::FormulaSort,
         [] {
             CFormulaSort dialog;
             dialog.DoModal();
         }},
    };
    return tools;
}

} // namespace

bool IsAvailable(int commandId) {
    return Tools().count(commandId) != 0;
}

bool Run(int commandId) {
    const auto tool = Tools().find(commandId);
    if (tool == Tools().end())
        return false;
    tool->second();
    return true;
}

} // namespace tool_dialogs
