#include "platform/ui/command_target.h"

namespace ui {

bool CommandTarget::RouteCommand(int id) {
    return HandleOwnCommand(id);
}

bool CommandTarget::RouteUpdate(CmdUI& cmdUi) {
    return HandleOwnUpdate(cmdUi);
}

bool CommandTarget::RouteHasHandler(int id) {
    return HasOwnHandler(id);
}

bool CommandTarget::HandleOwnCommand(int id) {
    // Later entries are the derived class's: they take precedence, as an override does.
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
        if (id >= it->first && id <= it->last) {
            auto handler = it->handler; // the handler may remap, so keep a copy while it runs
            handler(id);
            return true;
        }
    }
    return false;
}

bool CommandTarget::HandleOwnUpdate(CmdUI& cmdUi) {
    for (auto it = m_updates.rbegin(); it != m_updates.rend(); ++it) {
        if (cmdUi.GetID() >= it->first && cmdUi.GetID() <= it->last) {
            auto handler = it->handler;
            handler(cmdUi);
            return true;
        }
    }
    return false;
}

bool CommandTarget::HasOwnHandler(int id) const {
    for (const auto& entry : m_commands) {
        if (id >= entry.first && id <= entry.last)
            return true;
    }
    return false;
}

bool CommandTarget::DispatchNotification(const NotifyInfo& info) {
    for (auto it = m_notifies.rbegin(); it != m_notifies.rend(); ++it) {
        if (it->code == info.code && info.id >= it->first && info.id <= it->last) {
            auto handler = it->handler;
            handler(info);
            return true;
        }
    }
    return false;
}

bool CommandTarget::DispatchMessage(int message) {
    for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it) {
        if (it->message == message) {
            auto handler = it->handler;
            handler();
            return true;
        }
    }
    return false;
}

void CommandTarget::AddCommand(int first, int last, std::function<void(int)> handler) {
    m_commands.push_back({first, last, std::move(handler)});
}

void CommandTarget::AddUpdate(int first, int last, std::function<void(CmdUI&)> handler) {
    m_updates.push_back({first, last, std::move(handler)});
}

void CommandTarget::AddNotify(int first, int last, Notification code,
                              std::function<void(const NotifyInfo&)> handler) {
    m_notifies.push_back({first, last, code, std::move(handler)});
}

} // namespace ui
