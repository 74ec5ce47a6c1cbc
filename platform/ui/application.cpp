#include "platform/ui/application.h"

#include "platform/ui/command_ids.h"
#include "platform/ui/window_on_screen.h"

#include <QPrinter>

namespace ui {
namespace {
Application* g_instance = nullptr;
}

Application::Application() : m_windowsOnScreen(std::make_unique<WindowsOnScreen>()) {
    g_instance = this;
    m_recentFiles.Load();
    MapCommandRange(cmd::RecentFileFirst, cmd::RecentFileLast, &Application::OnOpenRecentFile);
}

Application::~Application() {
    if (g_instance == this)
        g_instance = nullptr;
}

Application* Application::Instance() {
    return g_instance;
}

void Application::AddToRecentFileList(const QString& path) {
    m_recentFiles.Add(path);
    m_recentFiles.Save();
}

bool Application::OpenDocumentFile(const QString&) {
    return false;
}

QPrinter& Application::GetPrinter() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void Application::OnOpenRecentFile(int id) {
    const int index = id - cmd::RecentFileFirst;
    if (index < 0 || index >= m_recentFiles.Files().size())
        return;
    const QString path = m_recentFiles.Files()[index];
    if (OpenDocumentFile(path)) {
        AddToRecentFileList(path);
    } else {
        m_recentFiles.Remove(index);
        m_recentFiles.Save();
    }
}

} // namespace ui
