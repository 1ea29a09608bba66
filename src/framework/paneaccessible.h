// Assistive technology finds a window's parts by walking the accessibility
// tree from the top-level windows down, and Qt leaves pop-up menus out of
// it: a context menu would be on screen yet not in the tree. A pane lists
// its open pop-up menus among its children, as the menu bar lists its menus.
#pragma once

// Installs the panes' accessibility; once, before any pane is made.
void AfxInstallPaneAccessibility();
