// main.cpp -- start-up: music, window, lights, textures, callbacks, timers, hint, menus, main loop.
#include <GL/freeglut.h>

#include "app/console.h"
#include "app/frame.h"
#include "app/menu.h"
#include "app/platform.h"
#include "app/scene_state.h"
#include "app/swap_interval.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "room/render_state.h"
#include "room/scene.h"
#include "room/textures.h"
#include "sound/sound_cue.h"
#include "view/projection.h"

int main(int argc, char** argv) {
    if (scene.soundOn != 0) playCue("musics/CHECKERS.wav", SoundMode::BackgroundLoop);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(scene.windowWidth, scene.windowHeight);
    scene.mainWindow = glutCreateWindow("Furniture");
    platformWindowOpen = true;
    requestSwapInterval(1);
    initLights();
    loadTextures();
    sharedQuadric = gluNewQuadric();
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(applyProjection);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutMotionFunc(onMouseMotion);
    glutIdleFunc(onIdle);
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    glutTimerFunc(40, onFlapTimer, 0);
    glutTimerFunc(20, onWaveTimer, 0);
    consoleLine("Press 'F1' or 'h' for help");
    buildMenus();
    glutMainLoop();
    gluDeleteQuadric(sharedQuadric);
    return 0;
}
