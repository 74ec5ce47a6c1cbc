// The reaction string dialog: OK follows the text, the text crosses as the model's 8-bit bytes.
#include "app/dialogs/reaction_string_dialog.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ModalHookScope {
    explicit ModalHookScope(ui::Dialog::ModalHook hook) { ui::Dialog::SetModalHook(std::move(hook)); }
    ~ModalHookScope() { ui::Dialog::SetModalHook({}); }
};

TEST(ReactionStringDialog, OkFollowsWhetherThereIsText) {
    ReactionStringDialog dialog;
    dialog.Create();
    auto* edit = dialog.Control<QLineEdit>(ReactionStringDialog::kTextId);
    auto* ok = dialog.Control<QPushButton>(ui::IDOK);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->isEnabled()) << "opened with an empty text";
    EXPECT_TRUE(edit->text().isEmpty());

    QTest::keyClicks(edit, "H2 + O2 = H2O");
    EXPECT_TRUE(ok->isEnabled());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_FALSE(ok->isEnabled()) << "all text deleted";
    QTest::keyClicks(edit, "x");
    EXPECT_TRUE(ok->isEnabled());
    dialog.EndDialog(ui::IDCANCEL);
}

TEST(ReactionStringDialog, ShowsTheGivenTextAndReturnsTheEditedOne) {
    std::string seen;
    ModalHookScope scope([&seen](ui::Dialog& shown) {
        auto& dialog = static_cast<ReactionStringDialog&>(shown);
        auto* edit = dialog.Control<QLineEdit>(ReactionStringDialog::kTextId);
        EXPECT_TRUE(dialog.Control<QPushButton>(ui::IDOK)->isEnabled()) << "opened with text";
        seen = edit->text().toStdString();
        test_support::SaveScreenshot(dialog, QStringLiteral("reaction_string_dialog"));
        // The hydrate dot is typed as the middle dot and reaches the model as byte 0xB7.
        edit->setText(QString::fromUtf8("CuSO4\u00B75H2O = CuSO4 + 5H2O"));
        dialog.PressButton(ui::IDOK);
        return dialog.result();
    });

    ReactionStringDialog dialog;
    dialog.SetText("H2O");
    ASSERT_EQ(dialog.DoModal(), ui::IDOK);
    EXPECT_EQ(seen, "H2O");
    EXPECT_EQ(dialog.GetText(), "CuSO4\xB7"
                                "5H2O = CuSO4 + 5H2O");
}

} // namespace
