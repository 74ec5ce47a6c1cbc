// The copy commands put the reaction on the clipboard: plain text in the chosen syntax, with RTF beside
// the text and HTML forms.
#include "app/qelt_command_ids.h"
#include "app/reaction_copy.h"

#include "app_test_host.h"
#include "model/qelt_doc.h"
#include "platform/ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

TEST(ReactionCopy, TextAndHtmlPutRichTextBesideThemUbbcAndLatexOnlyText) {
    AppTestHost host;
    CQELTDoc document;
    ASSERT_TRUE(document.SetFromString("H2 + O2 = H2O"));
    ASSERT_TRUE(document.BalanceReaction());
    const QByteArray rtf = "{\\rtf1\\ansi{2H{\\sub 2} + O{\\sub 2} -> 2H{\\sub 2}O}}";

    reaction_copy::CopyReaction(document, qelt_cmd::CopyText);
    EXPECT_EQ(ui::ClipboardTextBytes(), "2H2 + O2 -> 2H2O");
    EXPECT_EQ(ui::ClipboardRichText(), rtf);

    reaction_copy::CopyReaction(document, qelt_cmd::CopyUbbc);
    EXPECT_EQ(ui::ClipboardTextBytes(), "2H[sub]2[/sub] + O[sub]2[/sub] -> 2H[sub]2[/sub]O");
    // The earlier rich text is gone.
    EXPECT_TRUE(ui::ClipboardRichText().isEmpty());

    reaction_copy::CopyReaction(document, qelt_cmd::CopyHtml);
    EXPECT_EQ(ui::ClipboardTextBytes(), "2H<sub>2</sub> + O<sub>2</sub> &rarr; 2H<sub>2</sub>O");
    EXPECT_EQ(ui::ClipboardRichText(), rtf);

    reaction_copy::CopyReaction(document, qelt_cmd::CopyLatex);
    EXPECT_EQ(ui::ClipboardTextBytes(),
              "2\\textrm{H}_{2}+\\textrm{O}_{2}\\rightarrow2\\textrm{H}_{2}\\textrm{O}");
    EXPECT_TRUE(ui::ClipboardRichText().isEmpty());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{QStringLiteral("text/plain")});
    // A text copy holds the text and the rich text (under both of its names), nothing else.
    reaction_copy::CopyReaction(document, qelt_cmd::CopyText);
    data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    QStringList formats = data->formats();
    formats.sort();
    EXPECT_EQ(formats, (QStringList{QStringLiteral("application/rtf"), QStringLiteral("text/plain"),
                                    QStringLiteral("text/rtf")}));

    // Another command id is not a copy command: the clipboard stays as it is.
    reaction_copy::CopyReaction(document, 197);
    EXPECT_EQ(ui::ClipboardTextBytes(), "2H2 + O2 -> 2H2O");
}

} // namespace
