#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

// The common file dialog for opening and saving documents.
namespace ui {

struct FileDialogRequest {
    bool open = true;         // open an existing file, or name a file to save as
    QString filter;           // "QELT reaction (*.equ)"
    QString defaultExtension; // ".equ": added to a typed name that has no extension
    QString suggestedName;    // the name the save dialog starts with
};

// The chosen file, or nothing when the user cancelled.
std::optional<std::filesystem::path> PromptFileName(const FileDialogRequest& request, QWidget* parent);

// Tests answer file dialogs through a hook; an empty hook restores the real dialog.
using FileDialogHook = std::function<std::optional<std::filesystem::path>(const FileDialogRequest&)>;
void SetFileDialogHook(FileDialogHook hook);

// File names cross between Qt and the standard library as their bytes (see file_names.h).
std::filesystem::path ToPath(const QString& fileName);
QString FromPath(const std::filesystem::path& path);

} // namespace ui
