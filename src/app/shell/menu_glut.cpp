// menu_glut.cpp -- builds the GLUT menus from the menu tree and attaches the main one to the right button.
#include "app/shell/menu_glut.h"

#include <GL/freeglut.h>

#include <string>
#include <vector>

#include "app/commands/menu.h"

void buildMenus() {
    // GLUT hands out the menu identifiers; sub-menus are always built before the menus holding them.
    const std::span<const MenuSpec> tree = menuTree();
    std::vector<int> ids(tree.size());
    for (std::size_t m = 0; m < tree.size(); ++m) {
        const MenuSpec& menu = tree[m];
        ids[m] = glutCreateMenu(menu.callback);
        if (m + 1 == tree.size()) glutAttachMenu(GLUT_RIGHT_BUTTON);  // the main menu comes last
        for (const MenuItem& item : menu.items) {
            const std::string label(item.label);
            if (item.isSubMenu())
                glutAddSubMenu(label.c_str(), ids[static_cast<std::size_t>(item.subMenu)]);
            else
                glutAddMenuEntry(label.c_str(), item.value);
        }
    }
}
