#include "app/dialogs/about_dlg.h"

#include "app/controls/static_link.h"
#include "app/program_version.h"
#include "platform/ui/string_table.h"

#include <QLabel>

namespace {

constexpr const char* kProductWord = "QELT";
constexpr int kCopyrightString = 204;
constexpr int kVersionFormatString = 2068;

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : ui::Dialog(kTemplateId, parent) {}

void CAboutDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Text(dx, kVersionText, m_version);
    ui::DDX_Text(dx, kProductName, m_productName);
    ui::DDX_Text(dx, kCopyrightText, m_copyright);
    ui::DDX_Control(dx, kIcon, m_icon);
}

bool CAboutDlg::OnInitDialog() {
    m_webLink = CStaticLink::Attach(*this, kWebLink);
    m_mailLink = CStaticLink::Attach(*this, kMailLink);
    m_webLink->setText(QString::fromLatin1(kProjectWebAddress));
    m_mailLink->setText(QString::fromLatin1(kProjectMailAddress));
    m_mailLink->m_target = QStringLiteral("mailto:") + QString::fromLatin1(kProjectMailAddress);
    ui::Dialog::OnInitDialog();

    m_productName = QString::fromLatin1(kProductWord);
    m_copyright = ui::LoadString(kCopyrightString);
    setWindowTitle(QStringLiteral("About ") + m_productName);
    m_version = QString::fromStdString(
        FormatVersionText(ui::LoadStringBytes(kVersionFormatString), ProgramVersionParts()));
    UpdateData(false);
    return true;
}
