#include "app/dialogs/tip_of_the_day.h"

#include "platform/ui/settings.h"
#include "platform/ui/string_table.h"

#include <QLabel>
#include <chrono>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kShowEntry = QStringLiteral("ShowTipOfTheDay");
const QString kCurrentEntry = QStringLiteral("CurrentTip");
const QString kIncrementEntry = QStringLiteral("TipIncrement");
// More tips than this means the end marker is missing.
constexpr int kMostTips = 1000;

std::optional<std::string> TipString(int id) {
    if (!ui::StringTable::Instance().Contains(id))
        return std::nullopt;
    return ui::LoadStringBytes(id);
}

} // namespace

bool CTipofTheDay::ShowsAtStartup() {
    return ui::GetProfileInt(kSection, kShowEntry, 1) != 0;
}

TipRotation CTipofTheDay::MakeRotation() {
    const int count = CountTips(TipString, kFirstTip, kMostTips);
    const int current = ui::GetProfileInt(kSection, kCurrentEntry, -1);
    const int increment = ui::GetProfileInt(kSection, kIncrementEntry, -1);
    const auto seed = static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    TipRotation rotation(count, current, increment, seed);
    if (rotation.IncrementDrawn())
        ui::WriteProfileInt(kSection, kIncrementEntry, rotation.Increment());
    return rotation;
}

CTipofTheDay::CTipofTheDay(QWidget* parent) : ui::Dialog(kTemplateId, parent), m_rotation(MakeRotation()) {
    m_showAtStartup = ShowsAtStartup() ? 1 : 0;
    MapNotify(kNextTipButton, ui::BN_CLICKED, &CTipofTheDay::OnNextTip);
    MapNotify(kShowAtStartupBox, ui::BN_CLICKED, &CTipofTheDay::OnShowAtStartup);
}

void CTipofTheDay::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, kTipText, m_tipStatic);
    ui::DDX_Control(dx, kHeading, m_heading);
    ui::DDX_Control(dx, kIcon, m_icon);
    ui::DDX_Text(dx, kTipText, m_tipText);
    ui::DDX_Check(dx, kShowAtStartupBox, m_showAtStartup);
}

bool CTipofTheDay::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    QFont tipFont(QStringLiteral("Arial"));
    tipFont.setStyleHint(QFont::SansSerif);
    tipFont.setPixelSize(16);
    tipFont.setWeight(QFont::Medium);
    m_tipStatic->setFont(tipFont);
    m_tipStatic->setWordWrap(true);
    m_tipStatic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The tip stands on white, as the frame around it, in black whatever the desktop's colours.
    QPalette white = m_tipStatic->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_tipStatic->setPalette(white);
    m_tipStatic->setAutoFillBackground(true);
    ShowNextTip();
    UpdateData(false);
    return true;
}

// Shows the tip the rotation stands at and moves the rotation on, so that Next and the next opening show the
// following tip.
void CTipofTheDay::ShowNextTip() {
    const int shown = m_rotation.Advance();
    m_tipText = shown < 0 ? QString() : ui::LoadString(kFirstTip + shown);
    if (shown >= 0)
        ui::WriteProfileInt(kSection, kCurrentEntry, m_rotation.Current());
}

void CTipofTheDay::OnNextTip() {
    ShowNextTip();
    UpdateData(false);
    update();
}

void CTipofTheDay::OnShowAtStartup() {
    UpdateData(true);
    ui::WriteProfileInt(kSection, kShowEntry, m_showAtStartup);
}
