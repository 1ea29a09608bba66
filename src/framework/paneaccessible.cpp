#include "paneaccessible.h"

#include <QAccessibleWidget>
#include <QMenu>

namespace {
class CPaneAccessible : public QAccessibleWidget {
public:
    explicit CPaneAccessible(QWidget* pane) : QAccessibleWidget(pane, QAccessible::Client) {}

    int childCount() const override { return QAccessibleWidget::childCount() + int(OpenMenus().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own) return QAccessibleWidget::child(index);
        const QList<QMenu*> menus = OpenMenus();
        return index - own < menus.size() ? QAccessible::queryAccessibleInterface(menus[index - own]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const int own = QAccessibleWidget::indexOfChild(child);
        if (own >= 0 || !child) return own;
        const int menu = int(OpenMenus().indexOf(qobject_cast<QMenu*>(child->object())));
        return menu < 0 ? -1 : QAccessibleWidget::childCount() + menu;
    }

private:
    QList<QMenu*> OpenMenus() const
    {
        QList<QMenu*> open;
        for (QMenu* menu : widget()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            if (menu->isVisible()) open << menu;
        return open;
    }
};

QAccessibleInterface* PaneFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("CScrollView") || !object || !object->isWidgetType()) return nullptr;
    return new CPaneAccessible(static_cast<QWidget*>(object));
}
}  // namespace

void AfxInstallPaneAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(PaneFactory);
        return true;
    }();
    (void)installed;
}
