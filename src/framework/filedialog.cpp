#include "filedialog.h"
#include "translation.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "afxmsg.h"
#include "mainwidget.h"

namespace {
bool HasWildcard(const QString& name) { return name.contains(u'*') || name.contains(u'?'); }

// "Bitmaps|*.bmp|All|*.*||" -> {"Bitmaps (*.bmp)", "All (*.*)"}
QStringList NameFilters(const QString& filter)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}
}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, QWidget* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog != FALSE),
      m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFileName(lpszFileName ? lpszFileName : ""),
      m_dwFlags(dwFlags),
      m_strFilter(lpszFilter ? lpszFilter : ""),
      m_pParentWnd(pParentWnd)
{
}

int CFileDialog::DoModal()
{
    QFileDialog dialog(m_pParentWnd ? m_pParentWnd : AfxGetMainWidget());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!m_bOpenFileDialog && !(m_dwFlags & OFN_OVERWRITEPROMPT)) dialog.setOption(QFileDialog::DontConfirmOverwrite);

    // Windows uses at most three characters of the default extension.
    const QString defExt = QString::fromUtf8(m_strDefExt).left(3);
    if (!defExt.isEmpty()) dialog.setDefaultSuffix(defExt);

    QStringList filters = NameFilters(Pellin::tr(m_strFilter.c_str()));
    const QString fileName = QString::fromUtf8(m_strFileName);
    // A name with wildcards is the filter when there is no list of them.
    if (HasWildcard(fileName) && filters.isEmpty()) filters.prepend(fileName);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!fileName.isEmpty() && !HasWildcard(fileName)) dialog.selectFile(fileName);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
    m_strPathName = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return IDOK;
}
