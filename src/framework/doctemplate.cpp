#include "doctemplate.h"

#include "app.h"
#include "cmdids.h"
#include "afxmsg.h"
#include "createcontext.h"
#include "document.h"
#include "frame.h"
#include "mainwidget.h"
#include "resources.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDocument,
                                       std::function<CFrameWnd*()> makeFrame)
    : m_nIDResource(nIDResource), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame))
{
}

CSingleDocTemplate::~CSingleDocTemplate() { CloseAll(); }

void CSingleDocTemplate::CloseAll()
{
    if (m_pFrame) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == m_pFrame.get()) app->m_pMainWnd = nullptr;
        m_pFrame->hide();
    }
    m_pFrame.reset();
    m_pDocument.reset();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    if (m_pDocument) {
        // One document for the life of the program: it is reused.
        if (!m_pDocument->OnNewDocument()) return nullptr;
        return m_pDocument.get();
    }
    std::unique_ptr<CDocument> doc(m_makeDocument ? m_makeDocument() : nullptr);
    std::unique_ptr<CFrameWnd> frame(doc && m_makeFrame ? m_makeFrame() : nullptr);
    auto fail = [&]() -> CDocument* {
        frame.reset();
        doc.reset();
        AfxSetMainWidget(nullptr);
        AfxMessageBox(AfxLoadString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_OK);
        return nullptr;
    };
    if (!doc || !frame) return fail();
    // The frame is the main window while it builds, so views can reach it.
    AfxSetMainWidget(frame.get());
    CCreateContext context;
    context.m_pCurrentDoc = doc.get();
    if (!frame->LoadFrame(m_nIDResource, &context)) return fail();
    if (!doc->OnNewDocument()) return fail();
    if (lpszPathName) doc->SetPathName(lpszPathName);
    m_pDocument = std::move(doc);
    m_pFrame = std::move(frame);
    if (CWinApp* app = AfxGetApp()) app->m_pMainWnd = m_pFrame.get();
    m_pFrame->InitialUpdateFrame(bMakeVisible);
    return m_pDocument.get();
}
