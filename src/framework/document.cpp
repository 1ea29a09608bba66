#include "document.h"

#include "cmdids.h"
#include "resources.h"

CDocument::CDocument() = default;

BOOL CDocument::OnNewDocument()
{
    m_strPathName.clear();
    m_strTitle = AfxLoadString(AFX_IDS_UNTITLED);
    return TRUE;
}
