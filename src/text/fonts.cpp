#include "fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

const char* AfxKoreanFontFace()
{
    static const char* const face = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : {"NanumGothic", "NanumBarunGothic", "Noto Sans CJK KR", "UnDotum"}) {
            if (installed.contains(QString::fromUtf8(candidate))) return candidate;
        }
        return "NanumGothic";
    }();
    return face;
}

void AfxInstallKoreanFonts()
{
    const QString face = QString::fromUtf8(AfxKoreanFontFace());
    for (const char* windowsFace : {"Gulim", "굴림", "System", "MS Sans Serif", "MS Shell Dlg"}) {
        QFont::insertSubstitution(QString::fromUtf8(windowsFace), face);
    }
    QFont font = QGuiApplication::font();
    font.setFamily(face);
    QGuiApplication::setFont(font);
}

QFont AfxContextFont()
{
    // zellmap installs none of the editor's fonts: the face is mapped here.
    static const bool mapped = [] {
        QFont::insertSubstitution(QStringLiteral("System"), QString::fromUtf8(AfxKoreanFontFace()));
        return true;
    }();
    (void)mapped;
    QFont font(QStringLiteral("System"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}
