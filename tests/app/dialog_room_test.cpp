// Every dialog of the program under a style whose controls need more room than the templates give: each
// control gets its room, and no two visible controls lie on top of each other.
#include "app/dialogs/about_dlg.h"
#include "app/dialogs/concentration_calculator.h"
#include "app/dialogs/database_password_dlg.h"
#include "app/dialogs/database_path_dlg.h"
#include "app/dialogs/elemental_analysis.h"
#include "app/dialogs/elements_editor.h"
#include "app/dialogs/formula_sort.h"
#include "app/dialogs/ideal_gas_calculator.h"
#include "app/dialogs/percentages.h"
#include "app/dialogs/reaction_string_dialog.h"
#include "app/dialogs/stp_definition.h"
#include "app/dialogs/substance_database_dlg.h"
#include "app/dialogs/tip_of_the_day.h"
#include "app/program_database.h"
#include "app/program_database_desktop.h"
#include "app_test_host.h"
#include "model/substance_database.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Controls clearly larger than the default style's, as some desktop styles draw them: taller boxes and
// buttons, wider combo boxes, larger check marks.
class LargeControlsStyle : public QProxyStyle {
public:
    LargeControlsStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
        switch (type) {
        case CT_LineEdit:
        case CT_ComboBox:
        case CT_PushButton:
            return base + QSize(24, 14);
        case CT_CheckBox:
        case CT_RadioButton:
            return base + QSize(12, 10);
        default:
            return base;
        }
    }
};

// The application's style for as long as it lives; the style it had comes back after.
class StyleScope {
public:
    explicit StyleScope(QStyle* style) : m_previous(QApplication::style()->name()) {
        QApplication::setStyle(style);
    }
    ~StyleScope() { QApplication::setStyle(QStyleFactory::create(m_previous)); }

private:
    QString m_previous;
};

// A group box or a framed panel: what it contains lies on it by design.
bool Frames(const QWidget* control) {
    const auto* frame = qobject_cast<const QFrame*>(control);
    return qobject_cast<const QGroupBox*>(control) != nullptr ||
           (frame != nullptr && frame->frameShape() != QFrame::NoFrame);
}

// Where a dialog's visible controls lie on top of each other (a frame around what it holds aside), or
// one gets less than its style asks for.
QStringList Collisions(const ui::Dialog& dialog) {
    QList<const QWidget*> controls;
    for (const QObject* child : dialog.children()) {
        const auto* control = qobject_cast<const QWidget*>(child);
        if (control != nullptr && !control->isWindow() && control->isVisibleTo(&dialog))
            controls << control;
    }
    const auto name = [](const QWidget* control) {
        return QStringLiteral("%1 %2 \"%3\"")
            .arg(QString::fromLatin1(control->metaObject()->className()))
            .arg(ui::ControlHost::ControlId(control))
            .arg(ui::GetWindowText(control));
    };
    QStringList found;
    for (const QWidget* control : controls) {
        const QRect place = control->geometry();
        if (!dialog.rect().contains(place))
            found << name(control) + QStringLiteral(" lies outside the dialog");
        const QSize wanted = control->sizeHint();
        const bool box = qobject_cast<const QLineEdit*>(control) != nullptr ||
                         qobject_cast<const QComboBox*>(control) != nullptr ||
                         qobject_cast<const QPushButton*>(control) != nullptr;
        if (box && place.height() < wanted.height())
            found << name(control) + QStringLiteral(" is lower than its style asks");
        if (qobject_cast<const QComboBox*>(control) != nullptr && place.width() < wanted.width())
            found << name(control) + QStringLiteral(" is too narrow for its longest entry");
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect a = controls[i]->geometry();
            const QRect b = controls[j]->geometry();
            if (!a.intersects(b))
                continue;
            if ((Frames(controls[i]) && a.contains(b)) || (Frames(controls[j]) && b.contains(a)))
                continue;
            found << name(controls[i]) + QStringLiteral(" overlaps ") + name(controls[j]);
        }
    }
    return found;
}

struct DialogCase {
    int templateId;
    std::function<std::unique_ptr<ui::Dialog>()> make;
};

TEST(DialogRoom, NoControlsOverlapUnderAStyleWithLargeControls) {
    AppTestHost host;
    STP conditions;
    bool defaultsModified = false;
    ProgramDatabaseDesktop desktop;
    ProgramDatabase files(desktop);
    SubstanceDatabase substances;
    const std::vector<DialogCase> dialogs = {
        {180, [] { return std::make_unique<CConcentrationCalculator>(); }},
        {181, [] { return std::make_unique<CElementalAnalysis>(); }},
        {185, [] { return std::make_unique<CPercentages>(); }},
        {186, [] { return std::make_unique<pVnRTCalc>(); }},
        {187, [] { return std::make_unique<ReactionStringDialog>(); }},
        {188, [&] { return std::make_unique<CSTPDefinition>(conditions, defaultsModified); }},
        {189, [&] { return std::make_unique<CSubstanceDatabaseDlg>(substances); }},
        {2000,
         [&] {
             return std::make_unique<CElementsEditor>(host.GetElementTable(), CElementsEditor::Application{});
         }},
        {2001, [] { return std::make_unique<CTipofTheDay>(); }},
        {2038, [] { return std::make_unique<CAboutDlg>(); }},
        {2065, [] { return std::make_unique<CFormulaSort>(); }},
        {2078, [] { return std::make_unique<CDatabasePasswordDlg>(); }},
        {2079, [&] { return std::make_unique<CDatabasePathDlg>(files); }},
    };
    // Every template of the program is a dialog here, but the two reaction forms.
    QList<int> covered = {183, 184};
    for (const DialogCase& c : dialogs)
        covered << c.templateId;
    for (const QString& file : QDir(QStringLiteral(":/dialogs")).entryList(QDir::Files))
        EXPECT_TRUE(covered.contains(file.section('_', 0, 0).toInt())) << file.toStdString();

    for (const bool large : {false, true}) {
        std::unique_ptr<StyleScope> style;
        if (large)
            style = std::make_unique<StyleScope>(new LargeControlsStyle);
        for (const DialogCase& c : dialogs) {
            SCOPED_TRACE((large ? "large controls, dialog " : "default style, dialog ") +
                         std::to_string(c.templateId));
            const std::unique_ptr<ui::Dialog> dialog = c.make();
            dialog->Create();
            EXPECT_EQ(Collisions(*dialog), QStringList());
            // Where the template's room is enough, the dialog keeps the template's size.
            if (!large) {
                EXPECT_EQ(dialog->size(),
                          dialog->Units().ToPixels(ui::LoadDialogTemplate(c.templateId).size));
            } else if (c.templateId == 180) {
                test_support::SaveScreenshot(*dialog,
                                             QStringLiteral("concentration_calculator_large_controls"));
            }
            dialog->hide();
        }
    }
}

} // namespace
