// startup.cpp -- the one start-up sequence: display check, music, window, room, callbacks, timers, hint, menus.
#include "app/shell/startup.h"

#include <GL/freeglut.h>

#include "app/commands/frame.h"
#include "app/shell/glut_window_calls.h"
#include "app/shell/menu_glut.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "core/console.h"
#include "core/window_calls.h"
#include "gl/buffer_calls.h"
#include "platform/platform.h"
#include "room/draw/render_state.h"
#include "room/draw/scene.h"
#include "room/draw/textures.h"
#include "sound/sound_cue.h"
#include "view/draw/projection.h"
#include "view/mouse_steering.h"

bool prepareRoom() {
    initLights();
    if (!loadTextures()) return false;
    if (sharedQuadric == nullptr) sharedQuadric = gluNewQuadric();
    return true;
}

bool startUp(const StartupSteps& steps) {
    if (!platformWindowSystemReachable(*steps.argc, steps.argv)) return false;
    if (steps.onceDisplayReached && !steps.onceDisplayReached()) return false;
    if (steps.music && scene.soundOn != 0) playCue("musics/CHECKERS.wav", SoundMode::BackgroundLoop);
    glutInit(steps.argc, steps.argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // Full screen: the window is made at the screen's size and then handed to GLUT's full-screen
    // call, so that even the first frame covers the screen.
    if (steps.fullScreen) {
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    } else {
        glutInitWindowSize(steps.width, steps.height);
    }
    scene.mainWindow = glutCreateWindow("Furniture");
    if (steps.fullScreen) glutFullScreen();
    if (steps.glutWindowCalls)
        installGlutWindowCalls();
    else
        installProjection(applyProjection);
    if (steps.swapInterval >= 0) platformRequestSwapInterval(steps.swapInterval);
    requireBufferCallsOrDrawStraightforwardly();
    if (steps.room && !prepareRoom()) return false;
    if (steps.beforeCallbacks) steps.beforeCallbacks();
    glutDisplayFunc(steps.display);
    if (steps.input) {
        glutReshapeFunc(applyProjection);
        glutKeyboardFunc(onKeyboard);
        glutSpecialFunc(onSpecialKey);
        glutMotionFunc(onMouseMotion);
        glutIdleFunc(onIdle);
        glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    }
    if (steps.timers) {
        glutTimerFunc(40, onFlapTimer, 0);
        glutTimerFunc(20, onWaveTimer, 0);
    }
    if (steps.hint) consoleLine("Press 'F1' or 'h' for help");
    if (steps.menus) buildMenus();
    return true;
}
