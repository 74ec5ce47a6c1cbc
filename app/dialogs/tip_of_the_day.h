#pragma once

#include "app/dialogs/tip_rotation.h"
#include "platform/ui/dialog.h"

#include <QString>
#include <optional>

class QLabel;

// "Tip of the day": one tip of the string table at a time (the strings from 10000 up to the one holding "*"),
// in the order of a TipRotation that is kept in the settings, so that each opening goes on where the last
// one stopped and every tip comes once before any repeats.
class CTipofTheDay : public ui::Dialog {
public:
    static constexpr int kTemplateId = 2001;
    static constexpr int kFirstTip = 10000;
    static constexpr int kTipText = 2013;
    static constexpr int kHeading = 2014;
    static constexpr int kIcon = 2015;
    static constexpr int kNextTipButton = 2011;
    static constexpr int kShowAtStartupBox = 2012;

    explicit CTipofTheDay(QWidget* parent = nullptr);

    const QString& TipText() const { return m_tipText; }
    const TipRotation& Rotation() const { return m_rotation; }

    // Whether the start-up shows the tip of the day (Settings/ShowTipOfTheDay, on by default).
    static bool ShowsAtStartup();

protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    static TipRotation MakeRotation();
    void ShowNextTip();
    void OnNextTip();
    void OnShowAtStartup();

    TipRotation m_rotation;
    QLabel* m_tipStatic = nullptr;
    QLabel* m_heading = nullptr;
    QString m_tipText;
    int m_showAtStartup = 0;
    QLabel* m_icon = nullptr;
};
