// The base of the program's document: a command target with a title.
#pragma once

#include <string>

#include "cmdtarget.h"

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override = default;

    // Called by the document template when the document is created.
    virtual BOOL OnNewDocument();

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    BOOL IsModified() const { return FALSE; }

private:
    std::string m_strTitle;
    std::string m_strPathName;
};
