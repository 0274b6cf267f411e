// menu.cpp -- the menu tree as a table and the five menu callbacks; menu_glut.cpp builds the GLUT menus.
#include "app/commands/menu.h"

#include "app/commands/frame.h"
#include "app/commands/scene_reset.h"
#include "aquarium/feeder.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "sound/sound_cue.h"

namespace {

enum MenuIndex { LampMenu = 0, ViewMenu, RenderingMenu, BowlMenu, MainMenu };

constexpr MenuItem lampItems[] = {
    {"Turn ceiling light", 1},
    {"Turn on left lamp (blue)", 2},
    {"Turn on right lamp (red)", 3},
    {"Turn on front lamp (green)", 4},
};

constexpr MenuItem viewItems[] = {
    {"Perspective view", 1},
    {"combined view with lookAt function", 2},
    {"Orthogonal projection", 3},
};

constexpr MenuItem renderingItems[] = {
    {"1.Wireframe/Filled rendering", 1},
    {"2.Flat/Smooth shading", 2},
    {"3.Paste/Remove texture", 3},
    {"4.Polished/Dull", 4},
};

// The automatic/manual switch was added first and kept its value when it moved to the top.
constexpr MenuItem bowlItems[] = {
    {"1.Automatic/Manual", 4},
    {"2.Add a fish", 1},
    {"3.Add fifteen worms", 2},
    {"4.Clear worm", 3},
};

constexpr MenuItem mainItems[] = {
    {"1.View control", 0, ViewMenu},
    {"2.Rendering", 0, RenderingMenu},
    {"3.Glintmere", 0, BowlMenu},
    {"4.Enable/Disable lighting", 1},
    {"5.Turn on/off", 0, LampMenu},
    {"6.Enable/Disable collision check", 2},
    {"7.Change view volume", 3},
    {"8.Play/Stop music", 4},
    {"9.Reset", 5},
    {"10.Exit", 6},
};

constexpr MenuSpec menus[] = {
    {"lamp", onLampMenu, lampItems},
    {"view", onViewMenu, viewItems},
    {"rendering", onRenderingMenu, renderingItems},
    {"aquarium", onBowlMenu, bowlItems},
    {"main", onMainMenu, mainItems},
};

}  // namespace

std::span<const MenuSpec> menuTree() {
    return menus;
}

void onLampMenu(int value) {
    switch (value) {
        case 1:
            flip(scene.ceilingLightOff);
            break;
        case 2:
            flip(scene.leftLampOff);
            break;
        case 3:
            flip(scene.rightLampOff);
            break;
        case 4:
            flip(scene.frontLampOff);
            break;
        default:
            return;
    }
    reproject();
}

void onViewMenu(int value) {
    switch (value) {
        case 1:
            scene.viewMode = Perspective;
            break;
        case 2:
            scene.viewMode = Combined;
            break;
        case 3:
            scene.viewMode = Orthogonal;
            break;
        default:
            return;
    }
    reproject();
}

void onRenderingMenu(int value) {
    switch (value) {
        case 1:
            scene.polygonFill = (scene.polygonFill == 1) ? 2 : 1;
            reproject();
            break;
        case 2:
            flip(scene.flatShading);
            requestRedisplay();
            break;
        case 3:
            flip(scene.texturesOn);
            requestRedisplay();
            break;
        case 4:
            flip(scene.polishedOn);
            requestRedisplay();
            break;
        default:
            break;
    }
}

void onBowlMenu(int value) {
    switch (value) {
        case 1:
            bowlFeeder.addFish();
            break;
        case 2:
            bowlFeeder.addFifteenWorms();
            break;
        case 3:
            bowlFeeder.clearWorms();
            break;
        case 4:
            // The one switch that flips on 0 rather than on 1.
            scene.autoFeed = (scene.autoFeed == 0) ? 1 : 0;
            break;
        default:
            return;
    }
    reproject();
}

void onMainMenu(int value) {
    switch (value) {
        case 1:
            flip(scene.lightingOn);
            reproject();
            break;
        case 2:
            flip(scene.collisionCheckOn);
            requestRedisplay();
            break;
        case 3:
            // Exact comparisons: any other bounds fall to (6, 15) on the first choice.
            scene.nearPlane = (scene.nearPlane == 6.0) ? 0.0 : 6.0;
            scene.farPlane = (scene.farPlane == 15.0) ? 20.0 : 15.0;
            reproject();
            break;
        case 4:
            // Switching off plays one last cue, which also silences the music loop; switching
            // back on plays nothing, so the music waits for the next looping cue.
            if (scene.soundOn == 1) {
                scene.soundOn = 0;
                playCue("musics/realjbeq1.wav", SoundMode::Background);
            } else {
                scene.soundOn = 1;
            }
            break;
        case 5:
            resetScene();
            break;
        case 6:
            exitProgram();
        default:
            break;
    }
}
