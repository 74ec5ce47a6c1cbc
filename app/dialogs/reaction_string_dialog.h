#pragma once

#include "platform/ui/dialog.h"

#include <QPushButton>
#include <string>

// Asks for a reaction typed as one line of text. A new reaction started from a string shows it empty; one
// started from the clipboard shows it with the clipboard text when that does not parse. OK is enabled only
// while there is text.
class ReactionStringDialog : public ui::Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 187;
    static constexpr int kTextId = 158;

    explicit ReactionStringDialog(QWidget* parent = nullptr);

    // The reaction text as the model holds it (Windows-1252 bytes): set before DoModal, read after OK. OK
    // takes chemistry written with Unicode in the formula notation (see unicode_notation.h), and refuses,
    // naming it, a character that has no equivalent there; the text stays as the user wrote it.
    void SetText(const std::string& text) { m_text = text; }
    const std::string& GetText() const { return m_text; }
    // Shows a text that the model's bytes cannot hold, as it is (clipboard text the user is to mend).
    void SetShownText(const QString& text) { m_shownText = text; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnChangeText();
    void EnableOk();

    QPushButton* m_ok = nullptr;
    std::string m_text;
    QString m_shownText;
};
