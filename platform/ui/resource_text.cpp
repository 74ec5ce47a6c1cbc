#include "platform/ui/resource_text.h"

#include <QDir>
#include <QFile>

namespace ui {

void ThrowResourceError(const QString& fileName, int line, const QString& message) {
    throw ResourceError(QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(message).toStdString());
}

QList<ResourceLine> SplitResourceText(const QString& text, const QString& fileName) {
    QList<ResourceLine> lines;
    const QStringList rawLines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < rawLines.size(); ++n) {
        const QString& raw = rawLines[n];
        ResourceLine line;
        line.number = n + 1;
        int i = 0;
        const int size = raw.size();
        while (i < size) {
            const QChar c = raw[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            if (c == QLatin1Char('#'))
                break;
            if (c == QLatin1Char('"')) {
                QString word;
                ++i;
                bool closed = false;
                while (i < size) {
                    const QChar d = raw[i++];
                    if (d == QLatin1Char('"')) {
                        closed = true;
                        break;
                    }
                    if (d != QLatin1Char('\\')) {
                        word += d;
                        continue;
                    }
                    if (i >= size)
                        break;
                    const QChar e = raw[i++];
                    if (e == QLatin1Char('n'))
                        word += QLatin1Char('\n');
                    else if (e == QLatin1Char('t'))
                        word += QLatin1Char('\t');
                    else if (e == QLatin1Char('"') || e == QLatin1Char('\\'))
                        word += e;
                    else
                        ThrowResourceError(fileName, line.number,
                                           QStringLiteral("unknown escape \\%1").arg(e));
                }
                if (!closed)
                    ThrowResourceError(fileName, line.number, QStringLiteral("unterminated text"));
                line.words << word;
                line.quoted << true;
                continue;
            }
            const int start = i;
            while (i < size && !raw[i].isSpace() && raw[i] != QLatin1Char('"'))
                ++i;
            line.words << raw.mid(start, i - start);
            line.quoted << false;
        }
        if (!line.words.isEmpty())
            lines << line;
    }
    return lines;
}

QString ReadResourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ResourceError(QStringLiteral("cannot read resource %1").arg(path).toStdString());
    return QString::fromUtf8(file.readAll());
}

QString FindResourceFile(const QString& folder, int id) {
    const QDir dir(folder);
    const QString idText = QString::number(id);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        const QString stem = name.section(QLatin1Char('.'), 0, 0);
        if (stem == idText || stem.startsWith(idText + QLatin1Char('_')))
            return dir.filePath(name);
    }
    throw ResourceError(QStringLiteral("no resource %1 in %2").arg(id).arg(folder).toStdString());
}

int ParseResourceNumber(const QString& word, const QString& fileName, int line) {
    bool ok = false;
    int value = 0;
    if (word.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = word.mid(2).toInt(&ok, 16);
    else
        value = word.toInt(&ok, 10);
    if (!ok)
        ThrowResourceError(fileName, line, QStringLiteral("\"%1\" is not a number").arg(word));
    return value;
}

} // namespace ui
