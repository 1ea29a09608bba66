// The base of the program's document: a command target that knows its
// views. A change to the document reaches the views through
// UpdateAllViews: each view's OnUpdate reads the hint (what changed) and
// decides what to redraw, so the document never reaches a pane directly.
#pragma once

#include <string>
#include <vector>

#include "cmdtarget.h"

class CScrollView;

using LPARAM = long;

// The base of the objects that a hint may carry.
class CObject {
public:
    virtual ~CObject() = default;
};

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Called by the document template when the document is created.
    virtual BOOL OnNewDocument();

    // Whether the document differs from what was last loaded or saved.
    virtual BOOL IsModified() const { return FALSE; }
    // Before the document's content is discarded (closing, a new or another
    // file): TRUE to go on, FALSE to keep everything as it is. The base
    // never holds unsaved changes.
    virtual BOOL SaveModified() { return TRUE; }

    // Files dropped on the main window; the base takes none.
    virtual void OnDropFiles(const std::vector<std::string>&) {}

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }

    // Views attach themselves (CScrollView::AttachDocument) and leave when
    // they go; a document that goes first lets its views go.
    void AddView(CScrollView* pView);
    void RemoveView(CScrollView* pView);

    // Calls OnUpdate of every view but the sender, in the order they attached.
    void UpdateAllViews(CScrollView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

private:
    std::string m_strPathName;
    std::vector<CScrollView*> m_views;
};
