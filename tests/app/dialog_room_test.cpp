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
#include "platform/ui/control_room.h"
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

// The rule on small pages: a control grows into free room without moving anything; where it reaches into a
// neighbour, that neighbour's row or column moves on by the overlap plus the template's gap (at most the
// spacing), a frame around it grows, and so does the page; hidden controls and what the template lays on
// top of each other ask for nothing.
TEST(DialogRoom, RowsFramesAndThePageGrowOnlyWhereAControlReachesIntoAnother) {
    struct Case {
        const char* name;
        QList<ui::RoomRequest> controls;
        QList<QRect> places;
        QSize size;
    };
    const QSize page(100, 100);
    const Case cases[] = {
        {"room enough below",
         {{QRect(0, 0, 50, 20), QSize(0, 25)}, {QRect(0, 30, 50, 20), {}}},
         {QRect(0, 0, 50, 25), QRect(0, 30, 50, 20)},
         page},
        {"the next row moves by overlap and gap",
         {{QRect(0, 0, 50, 20), QSize(0, 40)}, {QRect(0, 30, 50, 20), {}}, {QRect(60, 30, 20, 10), {}}},
         {QRect(0, 0, 50, 40), QRect(0, 48, 50, 20), QRect(60, 48, 20, 10)},
         QSize(100, 118)},
        {"a wider combo box moves its column",
         {{QRect(0, 0, 40, 20), QSize(55, 22), true}, {QRect(45, 0, 20, 20), {}}},
         {QRect(0, 0, 55, 22), QRect(60, 0, 20, 20)},
         QSize(115, 100)},
        {"a frame grows around what grew",
         {{QRect(0, 0, 80, 40), {}}, {QRect(5, 10, 50, 20), QSize(0, 35)}, {QRect(0, 50, 50, 10), {}}},
         {QRect(0, 0, 80, 53), QRect(5, 10, 50, 35), QRect(0, 63, 50, 10)},
         QSize(100, 113)},
        {"a hidden control asks for nothing",
         {{QRect(0, 0, 50, 20), QSize(0, 40), false, true}, {QRect(0, 30, 50, 20), {}}},
         {QRect(0, 0, 50, 20), QRect(0, 30, 50, 20)},
         page},
        {"controls laid on each other stay so",
         {{QRect(0, 0, 50, 20), QSize(0, 30)}, {QRect(10, 10, 50, 20), {}}},
         {QRect(0, 0, 50, 30), QRect(10, 10, 50, 20)},
         page},
    };
    for (const Case& c : cases) {
        const ui::RoomLayout layout = ui::MakeRoom(c.controls, page, QSize(8, 8));
        EXPECT_EQ(layout.places, c.places) << c.name;
        EXPECT_EQ(layout.size, c.size) << c.name;
    }
}

} // namespace
