#include "resources.h"

#include <QIcon>
#include <map>

#include "translation.h"

namespace {
struct Registry {
    std::map<UINT, std::string> strings;
    std::map<UINT, std::vector<MenuItemDef>> menus;
    std::map<UINT, std::vector<AccelDef>> accels;
    std::map<UINT, ToolbarDef> toolbars;
    std::function<QIcon()> makeIcon;
};

Registry& Reg()
{
    static Registry registry;
    return registry;
}

std::string PartOf(const std::string& s, bool second)
{
    const auto nl = s.find('\n');
    if (nl == std::string::npos) return second ? std::string() : s;
    return second ? s.substr(nl + 1) : s.substr(0, nl);
}
}  // namespace

void AfxRegisterString(UINT id, const std::string& text) { Reg().strings[id] = text; }

std::string AfxLoadString(UINT id)
{
    const auto it = Reg().strings.find(id);
    // Translated as a whole: the prompt and the tooltip keep their "\n".
    return it == Reg().strings.end() ? std::string() : Pellin::trStd(it->second);
}

std::string AfxCommandPrompt(UINT id) { return PartOf(AfxLoadString(id), false); }
std::string AfxCommandTooltip(UINT id) { return PartOf(AfxLoadString(id), true); }

void AfxRegisterMenu(UINT id, std::vector<MenuItemDef> items) { Reg().menus[id] = std::move(items); }

const std::vector<MenuItemDef>* AfxFindMenu(UINT id)
{
    const auto it = Reg().menus.find(id);
    return it == Reg().menus.end() ? nullptr : &it->second;
}

void AfxRegisterAccelerators(UINT id, std::vector<AccelDef> accels) { Reg().accels[id] = std::move(accels); }

const std::vector<AccelDef>* AfxFindAccelerators(UINT id)
{
    const auto it = Reg().accels.find(id);
    return it == Reg().accels.end() ? nullptr : &it->second;
}

void AfxRegisterToolbar(UINT id, ToolbarDef def) { Reg().toolbars[id] = std::move(def); }

const ToolbarDef* AfxFindToolbar(UINT id)
{
    const auto it = Reg().toolbars.find(id);
    return it == Reg().toolbars.end() ? nullptr : &it->second;
}

void AfxRegisterAppIcon(std::function<QIcon()> makeIcon) { Reg().makeIcon = std::move(makeIcon); }

QIcon AfxGetAppIcon() { return Reg().makeIcon ? Reg().makeIcon() : QIcon(); }
