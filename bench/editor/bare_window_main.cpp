// The start-up baseline: a bare Qt Widgets program that shows one empty
// screen-sized window and reports its first paint the same way.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "firstpaint.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ExitAfterFirstPaint();
    QWidget window;
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
