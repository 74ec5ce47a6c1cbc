#include "app/qelt_app.h"

#include "app/child_frames.h"
#include "app/command_line.h"
#include "app/dialogs/reaction_string_dialog.h"
#include "app/dialogs/stp_definition.h"
#include "app/main_frame.h"
#include "app/qelt_command_ids.h"
#include "app/reaction_document.h"
#include "app/reaction_views.h"
#include "app/tool_dialogs.h"
#include "model/element_table.h"
#include "model/program_database_file.h"
#include "model/substance_database.h"
#include "model/unicode_notation.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/doc_manager.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/message_box.h"
#include "platform/ui/settings.h"
#include "platform/ui/single_instance.h"
#include "platform/ui/text_codec.h"

#include <QMdiArea>
#include <stdexcept>

namespace {

const QString kSettings = QString::fromLatin1(CKestrolabApp::kSettings);

// The commands of the tools whose dialogs run through tool_dialogs.
const int kToolCommands[] = {qelt_cmd::IdealGasCalculator, qelt_cmd::ConcentrationCalculator,
                             qelt_cmd::SubstancesDatabase, qelt_cmd::Percentages,
                             qelt_cmd::ElementalAnalysis,  qelt_cmd::FormulaSort};

// Sets a flag for the duration of one File New.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

ModelHost* InstalledHost() {
    try {
        return &GetModelHost();
    } catch (const std::logic_error&) {
        return nullptr;
    }
}

} // namespace

CQELTApp::CQELTApp(QStringList arguments, SingleInstance* shellOpen)
    : m_arguments(std::move(arguments)), m_shellOpen(shellOpen) {
    m_previousHost = InstalledHost();
    SetModelHost(this);

    MapCommand(qelt_cmd::NewFromClipboard, &CQELTApp::OnNewFromClipboard);
    MapUpdateCommand(qelt_cmd::NewFromClipboard, &CQELTApp::OnUpdateNewFromClipboard);
    MapCommand(qelt_cmd::NewFromString, &CQELTApp::OnNewFromString);
    MapCommand(qelt_cmd::STPDefinition, &CQELTApp::OnSTPDefinition);
    MapCommand(qelt_cmd::MoietiesEditor, &CQELTApp::OnMoietiesEditor);
    MapUpdateCommand(qelt_cmd::MoietiesEditor, &CQELTApp::OnUpdateToolDialog);
    for (int id : kToolCommands) {
        MapCommandRange(id, id, &CQELTApp::OnToolDialog);
        MapUpdateCommand(id, &CQELTApp::OnUpdateToolDialog);
    }
}

CQELTApp::~CQELTApp() {
    // Documents and windows go while the model can still reach its host.
    DestroyMainFrame();
    m_docManager.reset();
    if (InstalledHost() == this)
        SetModelHost(m_previousHost);
}

CQELTApp* CQELTApp::GetApp() {
    return dynamic_cast<CQELTApp*>(CKestrolabApp::GetApp());
}

bool CQELTApp::InitInstance() {
    if (!CKestrolabApp::InitInstance())
        return false;

    CKestrolabCommandLineInfo info;
    info.ParseCommandLine(m_arguments);

    AddDocTemplates();

    if (!CreateMainFrame())
        return false;

    // Dropped files and the files of later starts open here.
    m_mainFrame->DragAcceptFiles();
    if (m_shellOpen != nullptr)
        QObject::connect(m_shellOpen, &SingleInstance::filesReceived, m_mainFrame.get(),
                         [this](const QStringList& files) { OnShellOpen(files); });

    // An empty settings section means this is the program's first start.
    if (!ui::ProfileSectionHasValues(kSettings))
        ui::WriteProfileInt(kSettings, QStringLiteral("FirstRun"), 1);

    m_database->LoadProgramDatabase(m_database->GetDatabasePath());
    LoadConfig();

    if (!ProcessShellCommand(info))
        return false;

    m_mainFrame->RestorePlacement();
    m_mainFrame->show();

    ShowStartupHelp();
    return true;
}

int CQELTApp::ExitInstance() {
    const int code = CKestrolabApp::ExitInstance();
    // The element table and the substance database go with the program.
    m_docManager->CloseAllDocuments();
    m_database.reset();
    return code;
}

void CQELTApp::AddDocTemplates() {
    const auto makeDocument = [] { return std::make_unique<ReactionDocument>(); };
    m_docManager->AddDocTemplate(std::make_unique<ui::DocTemplate>(
        qelt_res::ReactionTemplate, makeDocument,
        [](ui::View* view, int menuId) { return new CChildFrame(view, menuId); },
        [] { return CreateReactionView(ViewKind::DefaultForm); }));
    m_docManager->AddDocTemplate(std::make_unique<ui::DocTemplate>(
        qelt_res::AlternateTemplate, makeDocument,
        [](ui::View* view, int menuId) { return new CChildFrame(view, menuId); },
        [] { return CreateReactionView(ViewKind::AlternateForm); }));
}

bool CQELTApp::ProcessShellCommand(const CKestrolabCommandLineInfo& info) {
    if (info.Command() == CKestrolabCommandLineInfo::ShellCommand::FileNew) {
        OnFileNew();
        return true;
    }
    // The start goes on when any of the files could be opened.
    bool opened = false;
    for (const QString& file : info.FileNames())
        opened = OpenDocumentFile(file) || opened;
    return opened;
}

void CQELTApp::OnShellOpen(const QStringList& files) {
    for (const QString& file : files)
        OpenDocumentFile(file);
    if (m_mainFrame) {
        if (m_mainFrame->isMinimized())
            m_mainFrame->showNormal();
        m_mainFrame->raise();
        m_mainFrame->activateWindow();
    }
}

CompositionVector CQELTApp::GetUsedComposition() {
    CompositionVector used(GetElementTable().GetCount() + 1);
    const auto& templates = m_docManager->GetTemplates();
    if (!templates.empty()) {
        for (ui::OpenDocument* document : templates.front()->GetDocuments()) {
            if (auto* reaction = dynamic_cast<ReactionDocument*>(document))
                used += reaction->Reaction().GetUsedComposition();
        }
    }
    used += GetSubstanceDatabase().GetTotalComposition();
    return used;
}

void CQELTApp::RefreshAllDocuments() {
    const auto& templates = m_docManager->GetTemplates();
    if (templates.empty())
        return;
    for (ui::OpenDocument* document : templates.front()->GetDocuments()) {
        if (auto* reaction = dynamic_cast<ReactionDocument*>(document))
            reaction->Reaction().RefreshCompositions();
    }
}

void CQELTApp::CreateDefaultDatabase() {
    m_database->CreateDefaultDatabase();
}

void CQELTApp::LoadConfig() {
    m_database->LoadConfig(m_stp);
}

void CQELTApp::SaveConfig() {
    m_database->SaveConfig(m_stp);
}

bool CQELTApp::IsDatabaseModified() const {
    return m_database != nullptr && m_database->HasTables() && m_database->IsDatabaseModified();
}

SubstanceDatabase& CQELTApp::GetSubstanceDatabase() {
    if (!m_database || !m_database->HasTables())
        throw std::logic_error("the program database is not loaded");
    return m_database->GetSubstanceDatabase();
}

ElementTable& CQELTApp::GetElementTable() {
    if (!m_database || !m_database->HasTables())
        throw std::logic_error("the program database is not loaded");
    return m_database->GetElementTable();
}

ReactionDocument* CQELTApp::FindReactionDocument(const CQELTDoc& document) const {
    for (ui::OpenDocument* open : m_docManager->GetDocuments()) {
        auto* reaction = dynamic_cast<ReactionDocument*>(open);
        if (reaction != nullptr && &reaction->Reaction() == &document)
            return reaction;
    }
    return nullptr;
}

std::string CQELTApp::GetClipboardText() {
    const QString text = ui::ClipboardText();
    cp1252::Encoded reaction = ui::EncodeUserText(text, UnicodeToNotation);
    if (!reaction.refused)
        return reaction.bytes;
    // Not a reaction the model can take as it is: say why, and let the user mend the text in the reaction
    // string dialog, which the empty text brings up.
    ui::MessageBox(ui::RefusedCharacterMessage(*reaction.refused), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    m_unencodedReaction = text;
    return {};
}

bool CQELTApp::AskReactionString(std::string& text) {
    ReactionStringDialog dialog(m_mainFrame.get());
    dialog.SetText(text);
    if (text.empty())
        dialog.SetShownText(m_unencodedReaction);
    m_unencodedReaction.clear();
    if (dialog.DoModal() != ui::IDOK)
        return false;
    text = dialog.GetText();
    return true;
}

void CQELTApp::SetStatusText(const std::string& text) {
    if (m_mainFrame)
        m_mainFrame->SetStatusText(ui::FromCp1252(text));
}

void CQELTApp::ShowMessage(const std::string& text) {
    ui::MessageBox(ui::FromCp1252(text), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void CQELTApp::SerializeEndMarker(bool& valid, bool check, Archive& ar) {
    SerializeDatabaseEndMarker(valid, check, ar);
}

void CQELTApp::OpenViewFrame(CQELTDoc& document, ViewKind kind) {
    ReactionDocument* open = FindReactionDocument(document);
    if (open == nullptr)
        return;
    if (DocumentFrame* frame = document.GetViewFrame(kind)) {
        frame->Activate();
        return;
    }
    if (kind != ViewKind::Printout) {
        // The frame of the template that bears the view's document name.
        const QString name = kind == ViewKind::DefaultForm ? QStringLiteral("Reaction equation")
                                                           : QStringLiteral("Alternate UI");
        ui::DocTemplate* docTemplate = m_docManager->FindTemplateByDocName(name);
        if (docTemplate == nullptr)
            return;
        if (ui::DocFrame* frame = docTemplate->CreateNewFrame(*open))
            ui::DocTemplate::InitialUpdateFrame(frame, *open, true);
        return;
    }
    ui::View* view = CreateReactionView(ViewKind::Printout);
    if (view == nullptr) {
        ui::MessageBox(qelt_res::CantCreateView, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    auto* frame = new CChildFrame2(view);
    frame->SetAutoTitle(false);
    frame->SetTitle(QStringLiteral("%1 - printout").arg(open->GetTitle()));
    m_docManager->AddFrameWindow(frame);
    open->AddFrame(frame);
    if (m_mainFrame)
        frame->resize(m_mainFrame->MdiArea()->size() * 3 / 4);
    ui::DocTemplate::InitialUpdateFrame(frame, *open, true);
}

void CQELTApp::OnNewFromClipboard() {
    FlagScope scope(m_newFromClipboard);
    m_docManager->OnFileNew();
}

void CQELTApp::OnUpdateNewFromClipboard(ui::CmdUI& cmdUi) {
    cmdUi.Enable(ui::ClipboardHasText());
}

void CQELTApp::OnNewFromString() {
    FlagScope scope(m_newFromString);
    m_docManager->OnFileNew();
}

void CQELTApp::OnSTPDefinition() {
    CSTPDefinition dialog(m_stp, ProgramDefaultsModified());
    dialog.DoModal();
}

void CQELTApp::OnMoietiesEditor() {
    tool_dialogs::Run(qelt_cmd::MoietiesEditor);
    // Whatever the editor returned, the documents follow the table.
    RefreshAllDocuments();
}

void CQELTApp::OnToolDialog(int commandId) {
    tool_dialogs::Run(commandId);
}

void CQELTApp::OnUpdateToolDialog(ui::CmdUI& cmdUi) {
    cmdUi.Enable(tool_dialogs::IsAvailable(cmdUi.GetID()));
}
