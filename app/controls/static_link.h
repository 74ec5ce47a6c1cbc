#pragma once

#include <QColor>
#include <QLabel>

#include <functional>

namespace ui {
class ControlHost;
}

// A static text that is a link: drawn underlined in the link colour, with a hand pointer over it; a click
// opens the target with the desktop's program for it (a web address in the browser, "mailto:" in the mail
// program) and, when that worked, draws the text in the visited colour from then on; when no program took it,
// a message shows the address for copying. Without a target of its own the control's text is the target. A
// static that shows a picture is left as it is.
class CStaticLink : public QLabel {
    Q_OBJECT
public:
    explicit CStaticLink(QWidget* parent = nullptr);

    // Puts a link in place of the template's static with the id; returns it.
    static CStaticLink* Attach(ui::ControlHost& host, int id);

    QColor m_linkColour{0, 0, 255};
    QColor m_visitedColour{128, 0, 128};
    bool m_visited = false;
    // What a click opens; taken from the text at the first click when empty.
    QString m_target;

    // Runs what a click does.
    void OnClicked();
    // The colour the text is drawn in now: the link or visited colour; on a dark face the desktop's own link
    // colours, made readable there.
    QColor TextColour() const;

    // Opens targets (tests answer it; the default asks the desktop). True when the target was opened.
    using Opener = std::function<bool(const QString& target)>;
    static void SetOpener(Opener opener);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool IsTextStatic() const;
    void ApplyLook();
};
