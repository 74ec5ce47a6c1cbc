#pragma once

// The modal tools the application opens by command: the calculators, the element and moiety editor, the
// substances database and the formula sort dialog. Each runs its dialog on the stack with no parent; its
// result is not used. A tool whose dialog is not part of the program yet is unavailable, and its command
// stays disabled (its menu item and tool-bar button are grayed).
namespace tool_dialogs {

bool IsAvailable(int commandId);
// Runs the tool's dialog; false when the tool is unavailable.
bool Run(int commandId);

} // namespace tool_dialogs
