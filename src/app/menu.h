// menu.h -- the right-button menu tree and its callbacks.
#pragma once

void onLampMenu(int value);
void onViewMenu(int value);
void onRenderingMenu(int value);
void onBowlMenu(int value);
void onMainMenu(int value);

// Builds the five menus in order and attaches the main one to the right button.
void buildMenus();
