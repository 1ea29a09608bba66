#include "resource.h"

void RegisterProgramStrings();
void RegisterProgramMenus();
void RegisterProgramToolbar();
void RegisterProgramIcon();

void RegisterProgramResources()
{
    RegisterProgramStrings();
    RegisterProgramMenus();
    RegisterProgramToolbar();
    RegisterProgramIcon();
}
