#include "platform/ui/eight_bit_input.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QToolTip>
#include <QValidator>

#include <algorithm>

namespace ui {

std::u32string RefusedCharacters(const QString& text, TextEncoder encode) {
    std::u32string refused;
    for (const char32_t code : text.toStdU32String()) {
        // Whether a character can be held does not depend on its neighbours: each is asked alone.
        if (encode(std::u32string_view(&code, 1)).refused)
            refused += code;
    }
    return refused;
}

namespace {

bool IsModifierKey(int key) {
    return key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock;
}

// The validator of a filtered edit. A change that comes in (a keystroke, a paste, an insertion, a drop, an
// input method's text) is refused when it adds a character the encoder cannot hold, counted against the text
// the edit had before, which may hold some that code put there.
//
// Changes that go in whatever the verdict (text set by code, undo, redo) are not judged: the edit keeps a
// verdict of invalid for such a change and then lets every later change through unjudged, so one refused
// character set by code would open the box to all. They are told apart by the edit's undo history: what
// comes in is recorded as an undo step before it is judged; setting the whole text clears the history, and
// an undo steps back along it, leaving a step to redo. The history holds only what code set and what was
// judged, so walking it never adds a character that came in. (A password box offers undo only after an
// insertion; its deletions, which add nothing, pass as unjudged.)
class EightBitValidator : public QValidator {
    Q_OBJECT

public:
    EightBitValidator(QLineEdit& edit, TextEncoder encode)
        : QValidator(&edit), m_edit(&edit), m_encode(encode) {
        QObject::connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            m_refusedBefore = RefusedCharacters(text, m_encode);
        });
        // The edit asks for a verdict whenever it likes (hasAcceptableInput() too), so the verdict changes
        // nothing: the refusal is told when the edit turns a change away, which it says while it still holds
        // the change, before it puts the text back.
        QObject::connect(&edit, &QLineEdit::inputRejected, this, [this] { Tell(); });
        m_refusedBefore = RefusedCharacters(edit.text(), m_encode);
        edit.installEventFilter(this);
    }

    void SetEncoder(TextEncoder encode) {
        if (encode == m_encode)
            return;
        m_encode = encode;
        m_refusedBefore = RefusedCharacters(m_edit->text(), m_encode);
    }

    State validate(QString& input, int&) const override { return Added(input) ? Invalid : Acceptable; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The edit is compared as the object it is, never through m_edit: it also sends events while it is
        // being destroyed, when it is no longer a QLineEdit.
        QObject* const edit = parent();
        if (watched == edit && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!IsModifierKey(key->key()) && !key->isAutoRepeat()) {
                // Any tool tip hides as a key goes down or comes up: the refusal's shows again once the key
                // that was refused comes up, and goes with the next one.
                if (event->type() == QEvent::KeyRelease && m_showAfterRelease)
                    Show();
                m_showAfterRelease = false;
            }
        } else if (watched == edit && event->type() == QEvent::FocusOut) {
            m_showAfterRelease = false;
        }
        return false;
    }

private:
    // The character a change that comes in would add (the first of which the text would have more than
    // before), or 0 when it adds none or is not judged.
    char32_t Added(const QString& input) const {
        if (m_edit == nullptr || !m_edit->isUndoAvailable() || m_edit->isRedoAvailable())
            return 0;
        const std::u32string refused = RefusedCharacters(input, m_encode);
        for (const char32_t code : refused) {
            if (std::count(refused.begin(), refused.end(), code) >
                std::count(m_refusedBefore.begin(), m_refusedBefore.end(), code))
                return code;
        }
        return 0;
    }

    void Tell() {
        const char32_t refused = m_edit != nullptr ? Added(m_edit->text()) : 0;
        if (refused == 0)
            return;
        m_message = RefusedCharacterMessage(refused);
        Show();
        m_showAfterRelease = true;
    }

    void Show() {
        if (m_edit == nullptr || m_message.isEmpty())
            return;
        // Below the edit, near the caret.
        const int caret =
            m_edit->fontMetrics().horizontalAdvance(m_edit->text().left(m_edit->cursorPosition()));
        const QPoint where(std::clamp(caret, 0, std::max(0, m_edit->width() - 1)), m_edit->height());
        QToolTip::showText(m_edit->mapToGlobal(where), m_message, m_edit);
    }

    QPointer<QLineEdit> m_edit;
    TextEncoder m_encode;
    std::u32string m_refusedBefore;
    QString m_message;
    bool m_showAfterRelease = false;
};

} // namespace

void FilterEightBitInput(QLineEdit& edit, TextEncoder encode) {
    // The edit hands its validator out as const; the filter is found as the edit's child instead.
    auto* filter = edit.findChild<EightBitValidator*>(QString(), Qt::FindDirectChildrenOnly);
    if (filter != nullptr && filter == edit.validator()) {
        filter->SetEncoder(encode);
        return;
    }
    if (edit.validator() == nullptr)
        edit.setValidator(new EightBitValidator(edit, encode));
}

} // namespace ui

#include "eight_bit_input.moc"
