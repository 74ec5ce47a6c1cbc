#include "platform/ui/file_dialog.h"

#include "platform/ui/file_names.h"

#include <QFileDialog>

namespace ui {
namespace {

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path path, const QString& extension) {
    if (!path.empty() && !path.has_extension() && !extension.isEmpty())
        path += ToPath(extension);
    return path;
}

} // namespace

void SetFileDialogHook(FileDialogHook hook) {
    Hook() = std::move(hook);
}

std::filesystem::path ToPath(const QString& fileName) {
    return std::filesystem::path(EncodeFileName(fileName).toStdString());
}

QString FromPath(const std::filesystem::path& path) {
    return DecodeFileName(QByteArray::fromStdString(path.string()));
}

std::optional<std::filesystem::path> PromptFileName(const FileDialogRequest& request, QWidget* parent) {
    std::optional<std::filesystem::path> chosen;
    if (Hook()) {
        chosen = Hook()(request);
    } else {
        QFileDialog dialog(parent);
        dialog.setNameFilters({request.filter, QFileDialog::tr("All Files (*)")});
        if (request.open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.selectFile(request.suggestedName);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = ToPath(dialog.selectedFiles().first());
    }
    if (!chosen || chosen->empty())
        return std::nullopt;
    if (!request.open)
        *chosen = WithDefaultExtension(*chosen, request.defaultExtension);
    return chosen;
}

} // namespace ui
