#include "platform/ui/message_box.h"

#include "platform/ui/command_ids.h"
#include "platform/ui/string_table.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {
namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

} // namespace

QString ProgramName() {
    return QStringLiteral("QELT");
}

void SetMessageBoxHook(MessageBoxHook hook) {
    Hook() = std::move(hook);
}

int MessageBox(const QString& text, unsigned style) {
    if (Hook())
        return Hook()(text, style);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ProgramName());
    box.setText(text);
    // What a box says can be copied: a path, an address.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    switch (style & 0xF0) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    int closed = IDOK;
    switch (style & 0x0F) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        closed = IDCANCEL;
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton((style & MB_DEFBUTTON2) != 0 ? QMessageBox::No : QMessageBox::Yes);
        closed = IDCANCEL;
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton((style & MB_DEFBUTTON2) != 0 ? QMessageBox::No : QMessageBox::Yes);
        closed = IDNO;
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        return closed;
    switch (box.standardButton(clicked)) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return closed;
    }
}

int MessageBox(int stringId, unsigned style) {
    return MessageBox(LoadString(stringId), style);
}

} // namespace ui
