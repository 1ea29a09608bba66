#include "mainwidget.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget>& MainWidget()
{
    static QPointer<QWidget> widget;
    return widget;
}
}  // namespace

QWidget* AfxGetMainWidget() { return MainWidget().data(); }

void AfxSetMainWidget(QWidget* widget) { MainWidget() = widget; }
