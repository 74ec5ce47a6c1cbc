#include "platform/ui/string_table.h"

#include "platform/ui/resource_text.h"
#include "platform/ui/text_codec.h"

#include <QDir>

namespace ui {

StringTable& StringTable::Instance() {
    static StringTable* table = [] {
        auto* loaded = new StringTable;
        loaded->LoadFolder(QStringLiteral(":/strings"));
        return loaded;
    }();
    return *table;
}

void StringTable::LoadFolder(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        LoadText(ReadResourceText(path), path);
    }
}

void StringTable::LoadText(const QString& text, const QString& fileName) {
    for (const ResourceLine& line : SplitResourceText(text, fileName)) {
        if (line.words.size() != 2 || line.quoted[0] || !line.quoted[1])
            ThrowResourceError(fileName, line.number, "expected: <id> \"text\"");
        const int id = ParseResourceNumber(line.words[0], fileName, line.number);
        if (m_entries.contains(id))
            ThrowResourceError(
                fileName, line.number,
                QStringLiteral("string %1 is already defined in %2").arg(id).arg(m_origin.value(id)));
        m_entries.insert(id, line.words[1]);
        m_origin.insert(id, fileName);
    }
}

QString LoadString(int id) {
    return StringTable::Instance().Get(id);
}

std::string LoadStringBytes(int id) {
    return ToCp1252(LoadString(id));
}

QString FormatText(const QString& pattern, const QStringList& arguments) {
    QString result;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1].isDigit() &&
            pattern[i + 1] != QLatin1Char('0')) {
            const int index = pattern[i + 1].digitValue() - 1;
            if (index < arguments.size()) {
                result += arguments[index];
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

QString FormatString(int id, const QStringList& arguments) {
    return FormatText(LoadString(id), arguments);
}

} // namespace ui
