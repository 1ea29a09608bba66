#include "cmdtarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT nID, CCmdUI* pUI)
{
    if (pUI) {
        const auto it = m_updates.find(nID);
        if (it == m_updates.end()) return FALSE;
        it->second(pUI);
        return TRUE;
    }
    const auto it = m_commands.find(nID);
    if (it == m_commands.end()) return FALSE;
    // Copy first: a handler may replace the map entry while it runs.
    const auto handler = it->second;
    handler();
    return TRUE;
}

BOOL CCmdTarget::HasCommandHandler(UINT nID) const { return m_commands.count(nID) != 0; }

void CCmdTarget::OnCommand(UINT nID, std::function<void()> handler) { m_commands[nID] = std::move(handler); }

void CCmdTarget::OnUpdateCommandUI(UINT nID, std::function<void(CCmdUI*)> handler)
{
    m_updates[nID] = std::move(handler);
}
