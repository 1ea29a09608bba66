#include "clipboardservice.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "cellclipboard.h"

CClipboardService::CClipboardService()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    m_pClipboard = QApplication::clipboard();
    connect(m_pClipboard, &QClipboard::dataChanged, this, &CClipboardService::Changed);
    Changed();
}

const QMimeData* CClipboardService::Data() const { return m_pClipboard ? m_pClipboard->mimeData() : nullptr; }

void CClipboardService::Put(QMimeData* data)
{
    if (!m_pClipboard) {
        delete data;
        return;
    }
    m_pClipboard->setMimeData(data);
    // Told by dataChanged as well; a platform that is late to tell it is not waited for.
    Changed();
}

void CClipboardService::Changed()
{
    const QMimeData* data = Data();
    // Text is read only when pasted: a large text would slow every change.
    m_bCanPaste = data && (data->hasFormat(kCellsMimeType) || data->hasText());
}
