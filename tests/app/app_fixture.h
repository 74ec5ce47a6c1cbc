#pragma once

// A whole program started in the test: fresh settings and data folder, message boxes, dialogs and file
// dialogs answered by the test, and the program's object and windows at hand.
#include "app/main_frame.h"
#include "app/qelt_app.h"
#include "app/reaction_document.h"
#include "platform/ui/dialog.h"
#include "platform/ui/doc_frame.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/help_window.h"
#include "platform/ui/open_document.h"
#include "platform/ui/settings.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace app_test {

// Outside a script, a message box or a modal dialog is a fault of the test: it is reported and cancelled
// instead of waiting for a user who is not there.
inline void RefuseUnexpectedBoxes() {
    ui::SetMessageBoxHook([](const QString& text, unsigned) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return int(ui::IDCANCEL);
    });
    ui::Dialog::SetModalHook([](ui::Dialog& dialog) {
        ADD_FAILURE() << "unexpected dialog " << dialog.TemplateId();
        dialog.PressButton(ui::IDCANCEL);
        return dialog.result();
    });
    ui::SetFileDialogHook([](const ui::FileDialogRequest&) -> std::optional<std::filesystem::path> {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    });
}

// Message boxes shown while it lives, answered from a script (OK, or Yes/No as the box offers: the first
// button, when the script has run out).
class MessageScript {
public:
    explicit MessageScript(std::deque<int> answers = {}) : m_answers(std::move(answers)) {
        ui::SetMessageBoxHook([this](const QString& text, unsigned style) {
            texts << text;
            styles << style;
            if (m_answers.empty())
                return (style & 0x0F) == ui::MB_YESNO || (style & 0x0F) == ui::MB_YESNOCANCEL ? int(ui::IDYES)
                                                                                              : int(ui::IDOK);
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~MessageScript() {
        ui::SetMessageBoxHook({});
        RefuseUnexpectedBoxes();
    }
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    QStringList texts;
    QList<unsigned> styles;

private:
    std::deque<int> m_answers;
};

// Dialogs shown modally, by template id, and the answer each gets: an answering function per template id,
// Cancel for the others.
class DialogScript {
public:
    DialogScript() {
        ui::Dialog::SetModalHook([this](ui::Dialog& dialog) {
            shown.push_back(dialog.TemplateId());
            auto answer = answers.find(dialog.TemplateId());
            if (answer != answers.end() && !answer->second.empty()) {
                auto respond = answer->second.front();
                answer->second.pop_front();
                return respond(dialog);
            }
            dialog.PressButton(ui::IDCANCEL);
            return dialog.result();
        });
    }
    ~DialogScript() { RefuseUnexpectedBoxes(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void Answer(int templateId, std::function<int(ui::Dialog&)> respond) {
        answers[templateId].push_back(std::move(respond));
    }
    int Count(int templateId) const {
        return static_cast<int>(std::count(shown.begin(), shown.end(), templateId));
    }

    std::vector<int> shown;
    std::map<int, std::deque<std::function<int(ui::Dialog&)>>> answers;
};

// File dialogs answered from a queue of paths (nothing: cancelled).
class FileDialogScript {
public:
    FileDialogScript() {
        ui::SetFileDialogHook(
            [this](const ui::FileDialogRequest& request) -> std::optional<std::filesystem::path> {
                requests.push_back(request);
                if (paths.empty())
                    return std::nullopt;
                auto path = paths.front();
                paths.pop_front();
                return path;
            });
    }
    ~FileDialogScript() { RefuseUnexpectedBoxes(); }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    std::deque<std::optional<std::filesystem::path>> paths;
    std::vector<ui::FileDialogRequest> requests;
};

// Deletes what closed windows and documents left for later.
inline void FlushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void CloseHelpWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<ui::HelpWindow*>(window))
            window->close();
    }
    FlushDeferredDeletes();
}

inline ui::HelpWindow* OpenHelpWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<ui::HelpWindow*>(window); help != nullptr && help->isVisible())
            return help;
    }
    return nullptr;
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetEverything();
        CloseHelpWindow();
        RefuseUnexpectedBoxes();
    }
    void TearDown() override {
        Stop();
        CloseHelpWindow();
        ForgetEverything();
        ui::SetMessageBoxHook({});
        ui::Dialog::SetModalHook({});
        ui::SetFileDialogHook({});
    }

    // No settings, no data folder: the machine of a first start.
    static void ForgetEverything() {
        QFile::remove(ui::ProfileFilePath());
        QDir(ui::UserDataFolder()).removeRecursively();
    }

    // Starts the program as from the command line; false when the start ended.
    bool Start(QStringList arguments = {}) {
        arguments.prepend(QStringLiteral("qelt"));
        app = std::make_unique<CQELTApp>(arguments);
        return app->InitInstance();
    }
    // Ends the program without its prompts (the windows are gone, the settings written).
    void Stop() {
        if (!app)
            return;
        {
            MessageScript noToAll({ui::IDNO, ui::IDNO, ui::IDNO});
            app->ExitInstance();
            app.reset();
        }
        FlushDeferredDeletes();
    }
    // A program that has run once already (no first-run page) and shows no tip at start-up.
    bool StartQuietly(QStringList arguments = {}) {
        ui::WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("ShowTipOfTheDay"), 0);
        MessageScript messages;
        return Start(std::move(arguments));
    }

    CMainFrame& Frame() { return *app->GetMainFrame(); }
    std::vector<ui::OpenDocument*> Documents() { return app->GetDocManager().GetDocuments(); }
    ReactionDocument* ActiveReaction() {
        auto* frame = qobject_cast<ui::DocFrame*>(Frame().ActiveChildFrame());
        return frame != nullptr ? dynamic_cast<ReactionDocument*>(frame->GetOpenDocument()) : nullptr;
    }
    bool Enabled(int id) { return Frame().QueryCommandState(id).enabled; }
    bool Run(int id) { return Frame().ExecuteCommand(id); }

    // A folder of this test's own files.
    std::filesystem::path TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::filesystem::path folder =
            std::filesystem::path(QDir::homePath().toStdString()) /
            (std::string("qelt-app-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::create_directories(folder);
        return folder;
    }

    std::unique_ptr<CQELTApp> app;
};

} // namespace app_test
