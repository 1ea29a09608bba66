#include "mnemonic.h"

#include <QRegularExpression>

QString AfxStripMnemonic(const QString& text)
{
    static const QRegularExpression suffix(QStringLiteral("\\s*\\(&[^&)]\\)$"));
    const QString withoutSuffix = QString(text).remove(suffix);
    QString plain;
    plain.reserve(withoutSuffix.size());
    for (qsizetype i = 0; i < withoutSuffix.size(); ++i) {
        // The marker goes and the character after it stays, so "&&" leaves one '&'.
        if (withoutSuffix[i] == u'&' && ++i >= withoutSuffix.size()) break;
        plain += withoutSuffix[i];
    }
    return plain;
}
