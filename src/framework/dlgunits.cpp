#include "dlgunits.h"

#include <QFontMetrics>
#include <QString>

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

DialogBaseUnits AfxGetDialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogBaseUnits base;
    base.cx = qMax(1, (letters + 26) / 52);
    base.cy = qMax(1, metrics.height());
    return base;
}

QRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits base)
{
    // Each of the four numbers is scaled on its own, as controls are placed
    // from a template: the width does not depend on where the control starts.
    return QRect(MulDivRound(x, base.cx, 4), MulDivRound(y, base.cy, 8), MulDivRound(cx, base.cx, 4),
                 MulDivRound(cy, base.cy, 8));
}

QSize AfxMapDialogSize(int cx, int cy, DialogBaseUnits base)
{
    return QSize(MulDivRound(cx, base.cx, 4), MulDivRound(cy, base.cy, 8));
}
