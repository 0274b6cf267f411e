// menu.h -- the right-button menu tree: its labels and values as data, the callbacks.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

void onLampMenu(int value);
void onViewMenu(int value);
void onRenderingMenu(int value);
void onBowlMenu(int value);
void onMainMenu(int value);

// One item of a menu: an entry that hands `value` to the menu's callback, or a sub-menu,
// given by its position in menuTree() (always a menu built earlier).
struct MenuItem {
    std::string_view label;
    int value;         // the entry's value; unused for a sub-menu
    int subMenu = -1;  // index into menuTree(), or -1 for an entry
    bool isSubMenu() const { return subMenu >= 0; }
};

struct MenuSpec {
    std::string_view name;
    void (*callback)(int);
    std::span<const MenuItem> items;
};

// The five menus in the order they are built: lamp, view, rendering, aquarium, and last the main
// menu, which is attached to the right button.
std::span<const MenuSpec> menuTree();
