#pragma once

#include <optional>

class CQELTDoc;
enum class ReactionSyntax;

// The four "Copy reaction to clipboard" commands of the reaction views (ids in app/qelt_command_ids.h): 195
// plain text, 193 HTML, 196 UBBC and 194 LaTeX. The plain-text and HTML commands put the reaction as rich
// text beside the text.
namespace reaction_copy {

// The syntax a command writes; nothing for another command.
std::optional<ReactionSyntax> SyntaxOfCommand(int commandId);

// Whether the commands are enabled: the reaction is balanced or its coefficients are typed.
bool CanCopy(const CQELTDoc& document);

// Replaces the clipboard's content with the reaction in the command's syntax (and, for 195 and 193, the
// same as rich text). A clipboard that cannot be used is passed over without a message.
void CopyReaction(const CQELTDoc& document, int commandId);

} // namespace reaction_copy
