// The system clipboard as the document sees it: what is on it is looked at
// once each time it changes (QClipboard::dataChanged), never at idle, so
// that the paste commands' update costs nothing. Without an application
// that has a clipboard (a command-line tool) it holds nothing.
#pragma once

#include <QObject>

class QClipboard;
class QMimeData;

class CClipboardService : public QObject {
    Q_OBJECT
public:
    CClipboardService();

    // The clipboard holds cells in the editor's own form or text.
    bool CanPaste() const { return m_bCanPaste; }
    // What is on the clipboard now; none without a clipboard.
    const QMimeData* Data() const;
    // Puts data on the clipboard, which takes it.
    void Put(QMimeData* data);

private:
    void Changed();

    QClipboard* m_pClipboard = nullptr;
    bool m_bCanPaste = false;
};
