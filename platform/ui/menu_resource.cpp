#include "platform/ui/menu_resource.h"

#include "platform/ui/resource_text.h"

namespace ui {
namespace {

int Number(const ResourceLine& line, int index, const QString& fileName) {
    return ParseResourceNumber(line.words[index], fileName, line.number);
}

void ExpectHeader(const QList<ResourceLine>& lines, const char* keyword, int words, const QString& fileName) {
    if (lines.isEmpty() || lines[0].words[0] != QLatin1String(keyword) || lines[0].words.size() != words)
        ThrowResourceError(fileName, lines.isEmpty() ? 1 : lines[0].number,
                           QStringLiteral("the first line must be: %1 <id>%2")
                               .arg(QLatin1String(keyword), words > 2 ? QStringLiteral(" ...") : QString()));
}

} // namespace

MenuResource ParseMenu(const QString& text, const QString& fileName) {
    const QList<ResourceLine> lines = SplitResourceText(text, fileName);
    ExpectHeader(lines, "menu", 2, fileName);
    MenuResource menu;
    menu.id = Number(lines[0], 1, fileName);
    QList<QList<MenuItem>*> open{&menu.items};
    for (int i = 1; i < lines.size(); ++i) {
        const ResourceLine& line = lines[i];
        const QString& keyword = line.words[0];
        QList<MenuItem>& items = *open.last();
        if (keyword == QLatin1String("popup")) {
            if (line.words.size() != 2 || !line.quoted[1])
                ThrowResourceError(fileName, line.number, "expected: popup \"text\"");
            MenuItem popup;
            popup.kind = MenuItem::Kind::Popup;
            popup.text = line.words[1];
            items << popup;
            open << &items.last().children;
        } else if (keyword == QLatin1String("end")) {
            if (open.size() == 1)
                ThrowResourceError(fileName, line.number, "end without popup");
            open.removeLast();
        } else if (keyword == QLatin1String("separator")) {
            if (open.size() == 1)
                ThrowResourceError(fileName, line.number, "separator outside a popup");
            MenuItem separator;
            separator.kind = MenuItem::Kind::Separator;
            items << separator;
        } else if (keyword == QLatin1String("item")) {
            if (open.size() == 1)
                ThrowResourceError(fileName, line.number, "item outside a popup");
            if (line.words.size() < 3 || !line.quoted[2])
                ThrowResourceError(fileName, line.number, "expected: item <id> \"text\" [checked] [grayed]");
            MenuItem item;
            item.id = Number(line, 1, fileName);
            item.text = line.words[2];
            for (int w = 3; w < line.words.size(); ++w) {
                if (line.words[w] == QLatin1String("checked"))
                    item.checked = true;
                else if (line.words[w] == QLatin1String("grayed"))
                    item.grayed = true;
                else
                    ThrowResourceError(fileName, line.number,
                                       QStringLiteral("unknown item style \"%1\"").arg(line.words[w]));
            }
            items << item;
        } else {
            ThrowResourceError(fileName, line.number,
                               QStringLiteral("unknown menu line \"%1\"").arg(keyword));
        }
    }
    if (open.size() != 1)
        ThrowResourceError(fileName, lines.last().number, "popup without end");
    return menu;
}

AcceleratorTable ParseAccelerators(const QString& text, const QString& fileName) {
    const QList<ResourceLine> lines = SplitResourceText(text, fileName);
    ExpectHeader(lines, "accelerators", 2, fileName);
    AcceleratorTable table;
    table.id = Number(lines[0], 1, fileName);
    for (int i = 1; i < lines.size(); ++i) {
        const ResourceLine& line = lines[i];
        if (line.words.size() != 2)
            ThrowResourceError(fileName, line.number, "expected: <keys> <command>");
        const QKeySequence keys = QKeySequence::fromString(line.words[0], QKeySequence::PortableText);
        if (keys.isEmpty() || keys.count() != 1 || keys[0].key() == Qt::Key_unknown)
            ThrowResourceError(fileName, line.number,
                               QStringLiteral("\"%1\" are not keys").arg(line.words[0]));
        table.entries << Accelerator{keys, Number(line, 1, fileName)};
    }
    return table;
}

ToolBarResource ParseToolBar(const QString& text, const QString& fileName) {
    const QList<ResourceLine> lines = SplitResourceText(text, fileName);
    ExpectHeader(lines, "toolbar", 4, fileName);
    ToolBarResource bar;
    bar.id = Number(lines[0], 1, fileName);
    bar.buttonSize = QSize(Number(lines[0], 2, fileName), Number(lines[0], 3, fileName));
    for (int i = 1; i < lines.size(); ++i) {
        const ResourceLine& line = lines[i];
        if (line.words[0] == QLatin1String("strip") && line.words.size() >= 2 && line.words.size() <= 4) {
            bar.normalStrip = line.words[1];
            bar.disabledStrip = line.words.value(2);
            bar.hotStrip = line.words.value(3);
        } else if (line.words[0] == QLatin1String("separator") && line.words.size() == 1) {
            bar.buttons << 0;
            bar.icons << QString();
        } else if (line.words[0] == QLatin1String("button") &&
                   (line.words.size() == 2 || line.words.size() == 3)) {
            const int id = Number(line, 1, fileName);
            if (id == 0)
                ThrowResourceError(fileName, line.number, "command 0 is not a command");
            bar.buttons << id;
            bar.icons << (line.words.size() == 3 ? line.words[2] : QString());
        } else {
            ThrowResourceError(fileName, line.number,
                               "expected: button <id> [\"picture\"], separator or strip \"normal\" "
                               "[\"disabled\" [\"hot\"]]");
        }
    }
    return bar;
}

MenuResource LoadMenu(int id) {
    const QString path = FindResourceFile(QStringLiteral(":/menus"), id);
    MenuResource menu = ParseMenu(ReadResourceText(path), path);
    if (menu.id != id)
        ThrowResourceError(path, 1,
                           QStringLiteral("the file of menu %1 declares menu %2").arg(id).arg(menu.id));
    return menu;
}

AcceleratorTable LoadAccelerators(int id) {
    const QString path = FindResourceFile(QStringLiteral(":/accelerators"), id);
    AcceleratorTable table = ParseAccelerators(ReadResourceText(path), path);
    if (table.id != id)
        ThrowResourceError(path, 1,
                           QStringLiteral("the file of table %1 declares table %2").arg(id).arg(table.id));
    return table;
}

ToolBarResource LoadToolBar(int id) {
    const QString path = FindResourceFile(QStringLiteral(":/toolbars"), id);
    ToolBarResource bar = ParseToolBar(ReadResourceText(path), path);
    if (bar.id != id)
        ThrowResourceError(
            path, 1, QStringLiteral("the file of tool bar %1 declares tool bar %2").arg(id).arg(bar.id));
    return bar;
}

} // namespace ui
