// Controls made by code at run time (rows of a form), list view and static notifications, and messages
// posted to a window.
#include "platform/ui/dialog.h"
#include "platform/ui/list_controls.h"
#include "platform/ui/view.h"
#include "ui_test_support.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ui::DialogTemplate RowsTemplate() {
    return ui::ParseDialogTemplate(R"(dialog 184 300 120 ""
font "MS Shell Dlg" 8
static -1 5 3 40 8 "formula"
edit 0x4100 5 12 60 12 ""
button 0x4000 70 12 12 12 ""
button 114 5 100 40 14 ">>"
)",
                                   "rows.dlg");
}

// A form that adds and removes rows of controls as a reaction view does.
class RowsView : public ui::FormView {
public:
    RowsView() : ui::FormView(RowsTemplate()) {
        MapNotifyRange(0x4100, 0x41FF, ui::EN_CHANGE, &RowsView::OnFormulaChanged);
        MapNotifyRange(0x4000, 0x40FF, ui::BN_CLICKED, &RowsView::OnRemoveRow);
    }
    QList<int> changed;
    QList<int> removed;
    QRect formulaTemplate, removeTemplate;

    void OnInitialUpdate() override {
        formulaTemplate = ControlRect(0x4100);
        removeTemplate = ControlRect(0x4000);
        DestroyControl(GetDlgItem(0x4100));
        DestroyControl(GetDlgItem(0x4000));
        for (int row = 0; row < 3; ++row)
            AddRow(row);
    }
    void AddRow(int row) {
        ui::ControlTemplate edit;
        edit.kind = ui::ControlKind::Edit;
        edit.id = 0x4100 + row;
        CreateControl(edit, formulaTemplate.translated(0, row * 20));
        ui::ControlTemplate remove;
        remove.kind = ui::ControlKind::Button;
        remove.id = 0x4000 + row;
        CreateControl(remove, removeTemplate.translated(0, row * 20));
    }
    // Removes a row and moves the later rows up, renumbering their controls.
    void OnRemoveRow(int id) {
        const int row = id - 0x4000;
        removed << row;
        DestroyControl(GetDlgItem(0x4100 + row));
        DestroyControl(GetDlgItem(0x4000 + row));
        QWidget* previous = nullptr;
        for (int later = row + 1; GetDlgItem(0x4100 + later) != nullptr; ++later) {
            for (int base : {0x4100, 0x4000}) {
                QWidget* control = GetDlgItem(base + later);
                control->move(control->pos() - QPoint(0, 20));
                SetControlId(control, base + later - 1);
                if (previous != nullptr)
                    PlaceInTabOrder(control, previous);
                previous = control;
            }
        }
    }

private:
    void OnFormulaChanged(int id) { changed << id; }
};

TEST(FormView, RowsOfControlsAreMadeFoundRenumberedAndRemoved) {
    RowsView view;
    view.Create();
    view.resize(view.FormSize());
    view.show();
    ASSERT_NE(view.GetDlgItem(0x4102), nullptr);
    EXPECT_EQ(view.ControlRect(0x4102), view.formulaTemplate.translated(0, 40));
    EXPECT_TRUE(view.GetDlgItem(0x4102)->isVisible());

    ui::SetWindowText(view.GetDlgItem(0x4101), "H2O");
    ui::SetWindowText(view.GetDlgItem(0x4102), "O2");
    EXPECT_EQ(view.changed, (QList<int>{0x4101, 0x4102}));

    // The click removes the control that is being clicked: it goes away after the notification.
    view.Control<QPushButton>(0x4000)->click();
    EXPECT_EQ(view.removed, QList<int>{0});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view.GetDlgItemText(0x4100), "H2O");
    EXPECT_EQ(view.GetDlgItemText(0x4101), "O2");
    EXPECT_EQ(view.GetDlgItem(0x4102), nullptr);
    EXPECT_EQ(view.ControlRect(0x4101), view.formulaTemplate.translated(0, 20));

    view.changed.clear();
    QTest::keyClicks(view.GetDlgItem(0x4101), "3");
    EXPECT_EQ(view.changed, QList<int>{0x4101});
    // The renumbered rows keep row order in the tab chain.
    EXPECT_EQ(view.GetDlgItem(0x4100)->nextInFocusChain(), view.GetDlgItem(0x4000));
    EXPECT_EQ(view.GetDlgItem(0x4000)->nextInFocusChain(), view.GetDlgItem(0x4101));
}

TEST(FormView, AStaticWithAMnemonicFocusesTheNextControl) {
    RowsView view;
    view.Create();
    const auto labels = view.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), "formula");
    EXPECT_EQ(labels[0]->buddy(), nullptr);

    ui::Dialog dialog(ui::ParseDialogTemplate("dialog 1 100 50 \"\"\nstatic -1 0 0 30 8 \"&Name\"\n"
                                              "edit 10 30 0 60 12 \"\"\nstatic -1 0 20 30 8 \"R&&D\"",
                                              "m.dlg"));
    dialog.Create();
    const auto dialogLabels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(dialogLabels.size(), 2);
    EXPECT_EQ(dialogLabels[0]->buddy(), dialog.GetDlgItem(10));
    EXPECT_EQ(dialogLabels[1]->text(), "R&D");
}

class ListDialog : public ui::Dialog {
public:
    ListDialog()
        : ui::Dialog(ui::ParseDialogTemplate(R"(dialog 181 240 120 "Lists"
listview 131 5 5 200 80 "" singlesel fullrow
static 179 5 90 100 8 "status" notify
button 128 150 90 50 14 "Delete"
)",
                                             "lists.dlg")) {
        MapNotifyInfo(131, 131, ui::LVN_ITEMCHANGED, &ListDialog::OnItemChanged);
        MapNotifyInfo(131, 131, ui::LVN_COLUMNCLICK, &ListDialog::OnColumnClick);
        MapNotify(179, ui::STN_CLICKED, &ListDialog::OnStatusClicked);
        MapMessage(0x401, &ListDialog::OnListDeleteKey);
    }
    QStringList events;

protected:
    bool OnInitDialog() override {
        auto* list = Control<ui::ListView>(131);
        list->InsertColumn(0, "element", Qt::AlignRight, 60);
        list->InsertColumn(1, "as", Qt::AlignLeft, 80);
        for (const char* symbol : {"C", "H", "N"})
            new QTreeWidgetItem(list, QStringList{symbol, symbol});
        return ui::Dialog::OnInitDialog();
    }

private:
    void OnItemChanged(const ui::NotifyInfo& info) {
        events << QString("item %1 %2->%3").arg(info.item).arg(info.oldState).arg(info.newState);
    }
    void OnColumnClick(const ui::NotifyInfo& info) { events << QString("column %1").arg(info.column); }
    void OnStatusClicked() { events << "status"; }
    void OnListDeleteKey() { events << "delete key"; }
};

TEST(ListView, SelectionChangesAndHeadingClicksReachTheDialog) {
    ListDialog dialog;
    dialog.Create();
    auto* list = dialog.Control<ui::ListView>(131);
    ASSERT_EQ(list->columnCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), "element");
    EXPECT_EQ(list->header()->sectionSize(1), 80);

    // The user's click selects and focuses; a selection made by code only selects.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    list->topLevelItem(2)->setSelected(true);
    EXPECT_EQ(dialog.events, (QStringList{"item 1 0->3", "item 1 2->1", "item 2 0->2"}));

    dialog.events.clear();
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                      QPoint(list->header()->sectionPosition(1) + 5, list->header()->height() / 2));
    QTest::mouseClick(dialog.GetDlgItem(179), Qt::LeftButton);
    EXPECT_EQ(dialog.events, (QStringList{"column 1", "status"}));
}

// A handler that recomputes while the user types: it rewrites every box, then puts the typed text and the
// caret back, swallowing the one change notification that raises.
class TwinBoxesDialog : public ui::Dialog {
public:
    TwinBoxesDialog()
        : ui::Dialog(ui::ParseDialogTemplate("dialog 1 200 60 \"\"\nedit 170 5 5 80 12 \"\"\n"
                                             "edit 148 5 25 80 12 \"\"",
                                             "twin.dlg")) {
        MapNotify(170, ui::EN_CHANGE, &TwinBoxesDialog::OnMassChange);
    }
    double mass = 0.0;
    double moles = 0.0;
    int recomputed = 0;

protected:
    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Text(dx, 170, mass);
        ui::DDX_Text(dx, 148, moles);
    }

private:
    void OnMassChange() {
        if (m_ownChange) {
            m_ownChange = false;
            return;
        }
        auto* edit = Control<QLineEdit>(170);
        const QString typed = edit->text();
        const ui::EditSelection selection = ui::GetEditSelection(edit);
        UpdateData(true);
        moles = mass / 18.015;
        ++recomputed;
        m_ownChange = true;
        UpdateData(false);
        ui::SetWindowText(edit, typed);
        ui::SetEditSelection(edit, selection.start, selection.end);
    }
    bool m_ownChange = false;
};

TEST(Notifications, AHandlerRewritesTheBoxesAndTheCaretStaysWhereTheUserTypes) {
    TwinBoxesDialog dialog;
    dialog.Create();
    auto* edit = dialog.Control<QLineEdit>(170);
    edit->setFocus();
    QTest::keyClicks(edit, "36.03");
    EXPECT_EQ(dialog.recomputed, 5);
    EXPECT_EQ(edit->text(), "36.03");
    EXPECT_EQ(edit->cursorPosition(), 5);
    EXPECT_EQ(dialog.GetDlgItemText(148), "2");
    // Typing in the middle keeps the caret in the middle.
    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "0");
    EXPECT_EQ(edit->text(), "360.03");
    EXPECT_EQ(edit->cursorPosition(), 3);
    ui::SetEditSelection(edit, 1, -1);
    EXPECT_EQ(edit->selectedText(), "60.03");
    EXPECT_EQ(edit->cursorPosition(), 6);
    const ui::EditSelection selection = ui::GetEditSelection(edit);
    EXPECT_EQ(selection.start, 1);
    EXPECT_EQ(selection.end, 6);
}

TEST(Messages, ADialogsAcceleratorTableSendsItsCommands) {
    class DeleteDialog : public ui::Dialog {
    public:
        DeleteDialog()
            : ui::Dialog(ui::ParseDialogTemplate("dialog 1 100 60 \"\"\nlistbox 172 5 5 60 40 \"\"\n"
                                                 "button 128 70 5 25 14 \"Delete\"",
                                                 "del.dlg")) {
            MapNotify(128, ui::BN_CLICKED, &DeleteDialog::OnDelete);
        }
        int deletes = 0;
        void OnDelete() { ++deletes; }
    };
    DeleteDialog dialog;
    dialog.Create();
    ASSERT_TRUE(dialog.LoadAccelerators(105));
    EXPECT_FALSE(dialog.LoadAccelerators(4711));
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.GetDlgItem(172), Qt::Key_Delete);
    EXPECT_EQ(dialog.deletes, 1);
}

TEST(Messages, APostedMessageArrivesLaterFromTheEventLoop) {
    ListDialog dialog;
    dialog.Create();
    ui::PostMessage(&dialog, 0x401);
    EXPECT_TRUE(dialog.events.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.events, QStringList{"delete key"});

    // A message to a window that is gone by then is dropped.
    auto* gone = new ListDialog;
    ui::PostMessage(gone, 0x401);
    delete gone;
    QCoreApplication::processEvents();
}

} // namespace
