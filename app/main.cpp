// QELT: a chemistry calculator. Start-up: a later start hands its files to the running program and ends;
// otherwise the application object starts, runs until its main window closes, and shuts down.
#include "app/command_line.h"
#include "app/qelt_app.h"
#include "platform/core/file_io.h"
#include "platform/ui/file_names.h"
#include "platform/ui/numeric_locale.h"
#include "platform/ui/single_instance.h"

#include <QApplication>

int main(int argc, char** argv) {
    KeepRunningPastFileSizeLimit();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kestrolab"));
    QApplication::setApplicationName(QStringLiteral("QELT"));
    QApplication::setDesktopFileName(QStringLiteral("qelt"));
    // The program stops when its main window closes, not when its last window does.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::UseCNumericLocale();

    CKestrolabCommandLineInfo commandLine;
    // The words as given: a file name need not be UTF-8.
    const QStringList arguments = ui::CommandLineWords(argc, argv);
    commandLine.ParseCommandLine(arguments);
    SingleInstance instance;
    if (instance.Start(commandLine.FileNames()) == SingleInstance::Role::HandedOver)
        return 0;

    CQELTApp app(arguments, &instance);
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 1;
    }
    return app.Run();
}
