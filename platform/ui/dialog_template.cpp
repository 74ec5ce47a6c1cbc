#include "platform/ui/dialog_template.h"

#include "platform/ui/resource_text.h"

#include <QDir>
#include <QHash>
#include <map>

namespace ui {
namespace {

struct KindInfo {
    const char* word;
    ControlKind kind;
};

constexpr KindInfo kKinds[] = {
    {"static", ControlKind::Static},       {"icon", ControlKind::Icon},
    {"edit", ControlKind::Edit},           {"button", ControlKind::Button},
    {"defbutton", ControlKind::DefButton}, {"checkbox", ControlKind::CheckBox},
    {"radio", ControlKind::Radio},         {"groupbox", ControlKind::GroupBox},
    {"combo", ControlKind::ComboBox},      {"listbox", ControlKind::ListBox},
    {"listview", ControlKind::ListView},
};

// The styles each kind accepts, beyond the common ones.
const QSet<QString>& CommonStyles() {
    static const QSet<QString> styles = {"disabled",  "hidden", "group",     "tabstop",
                                         "notabstop", "border", "clientedge"};
    return styles;
}

QSet<QString> KindStyles(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return {"center", "right", "noprefix", "notify", "whiterect", "sunken", "etched"};
    case ControlKind::Icon:
        return {"notify", "sunken"};
    case ControlKind::Edit:
        return {"password", "readonly", "autohscroll", "number", "right", "center", "uppercase"};
    case ControlKind::Button:
    case ControlKind::DefButton:
        return {"icon", "multiline"};
    case ControlKind::CheckBox:
        return {"3state", "lefttext"};
    case ControlKind::Radio:
        return {"lefttext"};
    case ControlKind::GroupBox:
        return {};
    case ControlKind::ComboBox:
        return {"dropdownlist", "dropdown", "sort", "vscroll"};
    case ControlKind::ListBox:
        return {"sort", "notify", "vscroll", "nointegralheight", "multiple"};
    case ControlKind::ListView:
        return {"singlesel", "showselalways", "fullrow", "nosortheader", "noheader"};
    }
    return {};
}

} // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    for (const auto& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

DialogTemplate ParseDialogTemplate(const QString& text, const QString& fileName) {
    DialogTemplate dialog;
    dialog.fileName = fileName;
    bool haveHeader = false;
    QSet<int> seenIds;
    for (const ResourceLine& line : SplitResourceText(text, fileName)) {
        const QString keyword = line.words[0];
        auto number = [&](int index) {
            return ParseResourceNumber(line.words[index], fileName, line.number);
        };
        if (keyword == QLatin1String("dialog")) {
            // dialog <id> <width> <height> "<caption>" [styles]
            if (haveHeader || line.words.size() < 5 || !line.quoted[4])
                ThrowResourceError(fileName, line.number,
                                   "expected: dialog <id> <width> <height> \"caption\"");
            dialog.id = number(1);
            dialog.size = QSize(number(2), number(3));
            dialog.caption = line.words[4];
            for (int i = 5; i < line.words.size(); ++i)
                dialog.styles.insert(line.words[i].toLower());
            haveHeader = true;
            continue;
        }
        if (!haveHeader)
            ThrowResourceError(fileName, line.number, "the first line must be the dialog line");
        if (keyword == QLatin1String("font")) {
            if (line.words.size() != 3 || !line.quoted[1])
                ThrowResourceError(fileName, line.number, "expected: font \"face\" <points>");
            dialog.fontFace = line.words[1];
            dialog.fontPointSize = number(2);
            if (dialog.fontPointSize <= 0 || dialog.fontPointSize > 72)
                ThrowResourceError(fileName, line.number, "font size out of range");
            continue;
        }
        const KindInfo* kind = nullptr;
        for (const auto& info : kKinds) {
            if (keyword == QLatin1String(info.word))
                kind = &info;
        }
        if (kind == nullptr)
            ThrowResourceError(fileName, line.number,
                               QStringLiteral("unknown control kind \"%1\"").arg(keyword));
        // <kind> <id> <x> <y> <w> <h> "<text>" [styles]
        if (line.words.size() < 7 || !line.quoted[6])
            ThrowResourceError(fileName, line.number,
                               "expected: <kind> <id> <x> <y> <width> <height> \"text\" styles");
        ControlTemplate control;
        control.kind = kind->kind;
        control.id = number(1);
        control.place = QRect(number(2), number(3), number(4), number(5));
        control.text = line.words[6];
        control.line = line.number;
        if (control.place.width() < 0 || control.place.height() < 0)
            ThrowResourceError(fileName, line.number, "negative size");
        const QSet<QString> allowed = KindStyles(control.kind);
        for (int i = 7; i < line.words.size(); ++i) {
            const QString style = line.words[i].toLower();
            if (!allowed.contains(style) && !CommonStyles().contains(style))
                ThrowResourceError(fileName, line.number,
                                   QStringLiteral("style \"%1\" does not apply to %2").arg(style, keyword));
            control.styles.insert(style);
        }
        if (control.id != -1) {
            if (seenIds.contains(control.id))
                ThrowResourceError(fileName, line.number,
                                   QStringLiteral("control id %1 used twice").arg(control.id));
            seenIds.insert(control.id);
        }
        dialog.controls << control;
    }
    if (!haveHeader)
        ThrowResourceError(fileName, 1, "no dialog line");
    return dialog;
}

const DialogTemplate& LoadDialogTemplate(int id) {
    static std::map<int, DialogTemplate> cache;
    const auto found = cache.find(id);
    if (found != cache.end())
        return found->second;
    const QString path = FindResourceFile(QStringLiteral(":/dialogs"), id);
    DialogTemplate dialog = ParseDialogTemplate(ReadResourceText(path), path);
    if (dialog.id != id)
        ThrowResourceError(path, 1,
                           QStringLiteral("the file of dialog %1 declares dialog %2").arg(id).arg(dialog.id));
    return cache.emplace(id, std::move(dialog)).first->second;
}

} // namespace ui
