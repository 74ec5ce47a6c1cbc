#pragma once

#include "platform/ui/command_ids.h"
#include "platform/ui/control_host.h"
#include "platform/ui/data_exchange.h"

#include <QDialog>
#include <functional>
#include <optional>

// A dialog built from its template (resources/dialogs/<id>*.dlg):
//
//     class ReactionStringDialog : public ui::Dialog {
//     public:
//         explicit ReactionStringDialog(QWidget* parent = nullptr) : ui::Dialog(187, parent) {
//             MapNotify(158, ui::EN_CHANGE, &ReactionStringDialog::OnChangeText);
//         }
//     protected:
//         void DoDataExchange(ui::DataExchange& dx) override { ... }
//         bool OnInitDialog() override { ui::Dialog::OnInitDialog(); ...; return true; }
//     };
//
// DoModal builds the controls afresh, runs OnInitDialog and shows the dialog until EndDialog. The OK
// button (id 1) and Enter on the default button run OnOK, Cancel (id 2), Escape and the close box run
// OnCancel, unless the message map handles BN_CLICKED of that id itself.
namespace ui {

class Dialog : public QDialog, public ControlHost {
    Q_OBJECT
public:
    explicit Dialog(int templateId, QWidget* parent = nullptr);
    // A dialog from a template held in memory (generated dialogs, tests).
    explicit Dialog(DialogTemplate dialogTemplate, QWidget* parent = nullptr);
    ~Dialog() override;

    int TemplateId() const { return m_templateId; }

    // Shows the dialog modally; returns the value given to EndDialog (IDCANCEL when closed otherwise).
    int DoModal();
    // Builds and initialises the dialog and shows it without waiting (modeless use, tests).
    void Create();
    void EndDialog(int result);

    // Runs what pressing the button with the id does (message map, then OnOK/OnCancel for ids 1 and 2).
    void PressButton(int id);
    // Keys of accelerator table <tableId> (resources/accelerators) send their command ids to this dialog
    // as the button of that id would. False when the table is missing or faulty.
    bool LoadAccelerators(int tableId);

    // Tests run modal dialogs through a hook: DoModal builds, initialises and shows the dialog, then calls
    // the hook instead of waiting; the hook's answer is DoModal's result. An empty hook waits again.
    using ModalHook = std::function<int(Dialog&)>;
    static void SetModalHook(ModalHook hook);

protected:
    // Default: UpdateData(false); true puts the focus on the first control of the tab order.
    virtual bool OnInitDialog();
    // Default: UpdateData(true), and EndDialog(IDOK) when that succeeded.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL).
    virtual void OnCancel();

    bool OnControlNotify(const NotifyInfo& info) override;
    void reject() override;
    void accept() override;

private:
    void Build();

    int m_templateId;
    std::optional<DialogTemplate> m_ownTemplate;
};

} // namespace ui
