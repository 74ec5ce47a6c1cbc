#pragma once

// Identifiers the platform layer itself knows: the standard commands that menus, tool bars and
// accelerators name by number, the dialog results, and the string-table entries of the layer's own texts.
namespace ui {

// Dialog results, also the ids of the OK and Cancel buttons of every dialog template.
enum DialogResult { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Control id of template controls nobody refers to.
inline constexpr int kNoControlId = -1;

namespace cmd {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintDirect = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int RecentFileFirst = 57616; // up to 16 recent files: 57616-57631
inline constexpr int RecentFileLast = 57631;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditUndo = 57643;
inline constexpr int WindowArrange = 57649;
inline constexpr int WindowCascade = 57650;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int HelpFinder = 57667;
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;
inline constexpr int DefaultHelp = 57671;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
inline constexpr int ViewToolBar = 59392;
inline constexpr int ViewStatusBar = 59393;
} // namespace cmd

// String-table entries of the layer's own texts (resources/strings/platform.txt).
namespace str {
inline constexpr int IdleMessage = 0xE001;      // "Ready"
inline constexpr int RecentFilePrompt = 0xE002; // status prompt of every recent-file item
inline constexpr int ParseInt = 0xF110;         // "Enter an integer."
inline constexpr int ParseReal = 0xF111;        // "Enter a number."
inline constexpr int ParseRealRange = 0xF113;   // "Enter a number between %1 and %2."
inline constexpr int RefusedCharacter = 0xF115; // a character the model's text cannot hold (%1, U+%2)
inline constexpr int LinkNotOpened = 0xF130;    // no program opens the address %1
} // namespace str

} // namespace ui
