#include <QPixmap>

#include "icon.h"
#include "resource.h"
#include "resources.h"

void RegisterProgramStrings();
void RegisterProgramMenus();
void RegisterProgramToolbar();

void RegisterProgramResources()
{
    RegisterProgramStrings();
    RegisterProgramMenus();
    RegisterProgramToolbar();
    AfxRegisterAppIcon([] {
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(32)));
        icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(16)));
        return icon;
    });
}
