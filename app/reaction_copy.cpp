#include "app/reaction_copy.h"

#include "app/reaction_export.h"
#include "platform/ui/clipboard.h"

namespace reaction_copy {

std::optional<ReactionSyntax> SyntaxOfCommand(int commandId) {
    switch (commandId) {
    case kCopyText:
        return ReactionSyntax::Text;
    case kCopyHtml:
        return ReactionSyntax::Html;
    case kCopyUbbc:
        return ReactionSyntax::Ubbc;
    case kCopyLatex:
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
    if (commandId == kCopyText || commandId == kCopyHtml)
        ui::PutOnClipboard(ReactionText(document, ReactionSyntax::Rtf), ui::ClipboardFormat::RichText, true);
}

} // namespace reaction_copy
