#pragma once

#include "app/kestrolab_app.h"
#include "model/model_host.h"
#include "model/stp.h"

#include <QStringList>

class CKestrolabCommandLineInfo;
class ReactionDocument;
class SingleInstance;
class SubstanceDatabase;

// The application object of QELT: the standard conditions, the two new-document flags, the reaction
// templates, the commands that start reactions from text and open the calculators and editors. It is the
// chemistry model's host: the model reaches the element table, the display digits, the standard
// conditions, the clipboard, the reaction-string dialog, the status bar and the view frames through it.
class CQELTApp : public CKestrolabApp, public ModelHost {
public:
    // arguments: the command line, the program name first. shellOpen: the single-instance listener whose
    // hand-overs (files given to a later start) this program opens; may be null.
    explicit CQELTApp(QStringList arguments = {}, SingleInstance* shellOpen = nullptr);
    ~CQELTApp() override;

    static CQELTApp* GetApp();

    bool InitInstance() override;
    int ExitInstance() override;

    // Hooks of the family.
    CompositionVector GetUsedComposition() override;
    void RefreshAllDocuments() override;
    void CreateDefaultDatabase() override;
    void LoadConfig() override;
    void SaveConfig() override;
    bool IsDatabaseModified() const override;

    STP& GetSTP() { return m_stp; }
    SubstanceDatabase& GetSubstanceDatabase();
    // The open reaction that holds the document, or null.
    ReactionDocument* FindReactionDocument(const CQELTDoc& document) const;

    // ModelHost.
    ElementTable& GetElementTable() override;
    int GetDisplayDigits() const override { return CKestrolabApp::GetDisplayDigits(); }
    const STP& GetStandardConditions() const override { return m_stp; }
    bool IsNewFromString() const override { return m_newFromString; }
    bool IsNewFromClipboard() const override { return m_newFromClipboard; }
    std::string GetClipboardText() override;
    bool AskReactionString(std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void SerializeEndMarker(bool& valid, bool check, Archive& ar) override;
    void OpenViewFrame(CQELTDoc& document, ViewKind kind) override;

    // Commands.
    void OnNewFromClipboard();
    void OnUpdateNewFromClipboard(ui::CmdUI& cmdUi);
    void OnNewFromString();
    void OnSTPDefinition();
    void OnMoietiesEditor();
    void OnToolDialog(int commandId);
    void OnUpdateToolDialog(ui::CmdUI& cmdUi);

    // Opens files handed over by a later start and brings the main window forward.
    void OnShellOpen(const QStringList& files);

private:
    void AddDocTemplates();
    bool ProcessShellCommand(const CKestrolabCommandLineInfo& info);

    QStringList m_arguments;
    SingleInstance* m_shellOpen;
    ModelHost* m_previousHost = nullptr;
    bool m_newFromClipboard = false;
    // Clipboard text that the model's bytes cannot hold: the reaction-string dialog shows it as it was.
    QString m_unencodedReaction;
    bool m_newFromString = false;
    STP m_stp;
};
