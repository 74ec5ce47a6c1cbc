#pragma once

#include "platform/ui/dialog.h"

#include <QString>

class CStaticLink;
class QLabel;

// Where the About box points: the project's web page and its mail address for help.
inline constexpr const char* kProjectWebAddress = "https://qelt.example.org/";
inline constexpr const char* kProjectMailAddress = "help@qelt.example.org";

// "About QELT": the program's name, its version as built, the copyright line and two links.
class CAboutDlg : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2038;
    static constexpr int kVersionText = 2047;
    static constexpr int kMailLink = 2048;
    static constexpr int kWebLink = 2049;
    static constexpr int kProductName = 2050;
    static constexpr int kCopyrightText = 2051;
    static constexpr int kIcon = 2053;

    explicit CAboutDlg(QWidget* parent = nullptr);

    CStaticLink* WebLink() const { return m_webLink; }
    CStaticLink* MailLink() const { return m_mailLink; }

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    CStaticLink* m_webLink = nullptr;
    CStaticLink* m_mailLink = nullptr;
    QString m_version;
    QString m_productName;
    QString m_copyright;
    QLabel* m_icon = nullptr;
};
