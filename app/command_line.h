#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: with file names, open each of them; without, start with a new empty
// reaction. Options (words beginning with "-") are left to Qt; "--" ends them, so that a file whose name
// begins with "-" can be given.
class CKestrolabCommandLineInfo {
public:
    enum class ShellCommand { FileNew, FileOpen };

    // arguments: the whole command line, the program name first (ui::CommandLineWords).
    void ParseCommandLine(const QStringList& arguments);

    ShellCommand Command() const {
        return m_fileNames.isEmpty() ? ShellCommand::FileNew : ShellCommand::FileOpen;
    }
    const QStringList& FileNames() const { return m_fileNames; }

private:
    QStringList m_fileNames;
};
