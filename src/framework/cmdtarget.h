// Command handling: every object that can take a command keeps a map from
// command id to handler and from command id to update handler. The frame
// routes each command through the active view, its document, the frame and
// the application, and the first object with an entry takes it.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "wintypes.h"

// What an update handler sees: the user-interface element of one command.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE) = 0;
    virtual void SetCheck(int nCheck = 1) = 0;
    // The status-bar prompt of the element, for a command whose prompt
    // names what it would do now; the string table's prompt otherwise.
    virtual void SetPrompt(const std::string&) {}
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // With pUI null: runs the command's handler. With pUI: runs its update
    // handler. Returns TRUE when this object has such an entry.
    virtual BOOL OnCmdMsg(UINT nID, CCmdUI* pUI);

    // TRUE when this object has a command handler for nID (used to enable
    // commands that have a handler but no update handler).
    virtual BOOL HasCommandHandler(UINT nID) const;

protected:
    void OnCommand(UINT nID, std::function<void()> handler);
    void OnUpdateCommandUI(UINT nID, std::function<void(CCmdUI*)> handler);

private:
    std::map<UINT, std::function<void()>> m_commands;
    std::map<UINT, std::function<void(CCmdUI*)>> m_updates;
};
