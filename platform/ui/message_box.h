#pragma once

#include "platform/ui/command_ids.h"

#include <QString>
#include <functional>

// Message boxes with the program's name as title, answering with the ids of the pressed button.
//
//     if (ui::MessageBox(2088, ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES) ...
namespace ui {

enum MessageBoxStyle : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100, // the second button (No of Yes/No) is the default, not the first
};

// Shows the text and returns IDOK, IDCANCEL, IDYES or IDNO (see command_ids.h). Closing the box without a
// button gives IDCANCEL where there is a Cancel button, IDNO for Yes/No, IDOK for OK.
int MessageBox(const QString& text, unsigned style = MB_OK);
// The text of a string-table entry.
int MessageBox(int stringId, unsigned style = MB_OK);

// The program's name, the title of every message box.
QString ProgramName();

// Tests answer message boxes through a hook, which receives the text and the style and returns the answer;
// an empty hook restores the real boxes.
using MessageBoxHook = std::function<int(const QString& text, unsigned style)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace ui
