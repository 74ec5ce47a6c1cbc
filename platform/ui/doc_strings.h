#pragma once

// String-table entries of the document framework's own texts (resources/strings/documents.txt).
namespace ui::str {
inline constexpr int AskToSave = 0xF120;    // "Save changes to %1?"
inline constexpr int FailedToOpen = 0xF121; // "Failed to open document \"%1\".\n%2"
inline constexpr int FailedToSave = 0xF122; // "Failed to save document \"%1\".\n%2"
inline constexpr int Untitled = 0xF123;     // "Untitled"
} // namespace ui::str
