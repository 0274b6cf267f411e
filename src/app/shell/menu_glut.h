// menu_glut.h -- builds the menu tree as GLUT menus.
#pragma once

// Builds the five menus in order and attaches the main one to the right button.
void buildMenus();
