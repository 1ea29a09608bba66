// The single-document template: makes the one document and its frame.
#pragma once

#include <functional>
#include <memory>

#include "wintypes.h"

class CDocument;
class CFrameWnd;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDocument,
                       std::function<CFrameWnd*()> makeFrame);
    ~CSingleDocTemplate();

    // Creates the document and the frame with its views, runs the
    // document's new-document step and every view's initial update, and
    // shows the frame. Null (after the framework's message) on failure.
    CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE);
    CDocument* Document() const { return m_pDocument.get(); }
    CFrameWnd* Frame() const { return m_pFrame.get(); }
    void CloseAll();

private:
    UINT m_nIDResource;
    std::function<CDocument*()> m_makeDocument;
    std::function<CFrameWnd*()> m_makeFrame;
    // The frame goes before the document: its views point at the document.
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
