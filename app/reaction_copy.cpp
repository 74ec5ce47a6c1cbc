#include "app/reaction_copy.h"

#include "app/qelt_command_ids.h"
#include "model/reaction_export.h"
#include "platform/ui/clipboard.h"

namespace reaction_copy {

std::optional<ReactionSyntax> SyntaxOfCommand(int commandId) {
    switch (commandId) {
    case qelt_cmd::CopyText:
        return ReactionSyntax::Text;
    case qelt_cmd::CopyHtml:
        return ReactionSyntax::Html;
    case qelt_cmd::CopyUbbc:
        return ReactionSyntax::Ubbc;
    case qelt_cmd::CopyLatex:
        return ReactionSyntax::LaTeX;
    default:
        return std::nullopt;
    }
}

bool CanCopy(const CQELTDoc& document) {
    return CanExportReaction(document);
}

void CopyReaction(const CQELTDoc& document, int commandId) {
    const std::optional<ReactionSyntax> syntax = SyntaxOfCommand(commandId);
    if (!syntax)
        return;
    ui::PutOnClipboard(ReactionText(document, *syntax), ui::ClipboardFormat::Text, false);
    if (commandId == qelt_cmd::CopyText || commandId == qelt_cmd::CopyHtml)
        ui::PutOnClipboard(ReactionText(document, ReactionSyntax::Rtf), ui::ClipboardFormat::RichText, true);
}

} // namespace reaction_copy
