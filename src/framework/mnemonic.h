// Control texts mark their keyboard mnemonic with '&' ("&&" is a literal
// ampersand); Korean texts carry it in a suffix such as "예(&Y)". Accessible
// names and plain labels want the text without it.
#pragma once

#include <QString>

// "&Open" -> "Open", "A && B" -> "A & B", "예(&Y)" -> "예".
QString AfxStripMnemonic(const QString& text);
