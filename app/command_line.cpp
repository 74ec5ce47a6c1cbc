#include "app/command_line.h"

void CKestrolabCommandLineInfo::ParseCommandLine(const QStringList& arguments) {
    m_fileNames.clear();
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (!optionsEnded && word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (word.isEmpty() || (!optionsEnded && word.startsWith(QLatin1Char('-'))))
            continue;
        m_fileNames << word;
    }
}
