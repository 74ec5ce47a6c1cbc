// Lists with the Delete key: the key reaches the dialog as a posted message once per key-down, the dialog
// deletes only while its Delete button is enabled, and the lists keep their usual keys.
#include "app/controls/delete_key_lists.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_template.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DeletingDialog : public ui::Dialog {
public:
    DeletingDialog()
        : ui::Dialog(ui::ParseDialogTemplate(R"(dialog 1 240 120 "Lists"
listview 131 5 5 110 80 "" singlesel fullrow
listbox 172 120 5 110 80 "" sort notify
button 128 150 90 50 14 "Delete"
)",
                                             "deleting.dlg")) {
        MapMessage(kDeleteKeyMessage, &DeletingDialog::OnDeleteKey);
    }
    CListCtrlD* view = nullptr;
    CListBoxD* box = nullptr;
    int messages = 0;
    // The list whose selected entry the Delete button removes.
    QWidget* deleteFrom = nullptr;

protected:
    bool OnInitDialog() override {
        view = CListCtrlD::Attach(*this, 131);
        box = CListBoxD::Attach(*this, 172);
        view->InsertColumn(0, "symbol", Qt::AlignLeft, 60);
        for (const char* symbol : {"Cit", "Ac", "Et", "Me"})
            new QTreeWidgetItem(view, QStringList{symbol});
        for (const char* name : {"water", "ammonia", "benzene"})
            box->AddString(name);
        return ui::Dialog::OnInitDialog();
    }

private:
    // What the dialogs do: delete the selected entries while the Delete button is enabled.
    void OnDeleteKey() {
        ++messages;
        if (!GetDlgItem(128)->isEnabled())
            return;
        if (QTreeWidgetItem* item = view->currentItem(); item != nullptr && deleteFrom == view)
            delete item;
        if (QListWidgetItem* item = box->currentItem(); item != nullptr && deleteFrom == box)
            delete item;
    }
};

void PressDelete(QWidget* list, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(list, &press);
}

TEST(DeleteKeyLists, AttachedListsKeepTheTemplatesSettingsAndId) {
    DeletingDialog dialog;
    dialog.Create();
    EXPECT_EQ(dialog.GetDlgItem(131), dialog.view);
    EXPECT_EQ(dialog.GetDlgItem(172), dialog.box);
    EXPECT_EQ(dialog.view->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(dialog.box->IsSorted());
    EXPECT_EQ(dialog.box->item(0)->text(), "ammonia");
}

TEST(DeleteKeyLists, DeleteIsPostedAndTheDialogDeletesLater) {
    DeletingDialog dialog;
    dialog.Create();
    dialog.deleteFrom = dialog.view;
    dialog.view->setCurrentItem(dialog.view->topLevelItem(1));
    PressDelete(dialog.view);
    // Posted, not sent: nothing happens until the event loop runs.
    EXPECT_EQ(dialog.messages, 0);
    EXPECT_EQ(dialog.view->topLevelItemCount(), 4);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.messages, 1);
    ASSERT_EQ(dialog.view->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.view->topLevelItem(1)->text(0), "Et");

    dialog.deleteFrom = dialog.box;
    dialog.box->setCurrentRow(0);
    PressDelete(dialog.box);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.messages, 2);
    ASSERT_EQ(dialog.box->count(), 2);
    EXPECT_EQ(dialog.box->item(0)->text(), "benzene");
}

TEST(DeleteKeyLists, HoldingDeletePostsOnePerKeyDownAndADisabledButtonDeletesNothing) {
    DeletingDialog dialog;
    dialog.Create();
    dialog.EnableControl(128, false);
    dialog.deleteFrom = dialog.box;
    dialog.box->setCurrentRow(0);
    PressDelete(dialog.box);
    PressDelete(dialog.box, true);
    PressDelete(dialog.box, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.messages, 3);
    EXPECT_EQ(dialog.box->count(), 3);

    dialog.EnableControl(128, true);
    PressDelete(dialog.box);
    PressDelete(dialog.box, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.messages, 5);
    EXPECT_EQ(dialog.box->count(), 1);
}

TEST(DeleteKeyLists, OtherKeysKeepTheirListBehaviourAndPostNothing) {
    DeletingDialog dialog;
    dialog.Create();
    dialog.view->setFocus();
    dialog.view->setCurrentItem(dialog.view->topLevelItem(0));
    QTest::keyClick(dialog.view, Qt::Key_Down);
    EXPECT_EQ(dialog.view->currentItem()->text(0), "Ac");
    QTest::keyClick(dialog.view, Qt::Key_End);
    EXPECT_EQ(dialog.view->currentItem()->text(0), "Me");
    QTest::keyClick(dialog.view, Qt::Key_Home);
    EXPECT_EQ(dialog.view->currentItem()->text(0), "Cit");

    dialog.box->setFocus();
    dialog.box->setCurrentRow(0);
    QTest::keyClick(dialog.box, Qt::Key_End);
    EXPECT_EQ(dialog.box->currentRow(), 2);
    QTest::keyClicks(dialog.box, "w");
    EXPECT_EQ(dialog.box->currentItem()->text(), "water");
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.messages, 0);
}

TEST(DeleteKeyLists, AttachingToAControlOfAnotherKindIsAProgrammingError) {
    DeletingDialog dialog;
    dialog.Create();
    EXPECT_THROW(CListBoxD::Attach(dialog, 131), std::logic_error);
    EXPECT_THROW(CListCtrlD::Attach(dialog, 128), std::logic_error);
}

} // namespace
