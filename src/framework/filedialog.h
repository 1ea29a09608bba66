// The open and save file dialogs: always Qt's own widget dialog, so that a
// person on any desktop and the tests see the same window.
#pragma once

#include <string>

#include "wintypes.h"

class QWidget;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;

class CFileDialog {
public:
    // defExt: appended (its first three characters, as Windows does) to a
    // name typed without an extension. fileName: the initial name; one with
    // wildcards becomes the name filter instead. filter: "Text|*.a;*.b|...||".
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                         QWidget* pParentWnd = nullptr);

    int DoModal();                                             // IDOK or IDCANCEL
    std::string GetPathName() const { return m_strPathName; }  // UTF-8

private:
    bool m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFileName;
    DWORD m_dwFlags;
    std::string m_strFilter;
    QWidget* m_pParentWnd;
    std::string m_strPathName;
};
