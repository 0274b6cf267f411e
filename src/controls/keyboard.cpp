// keyboard.cpp -- character keys: quit, help, the light switches, the automatic orbit and the eye.
#include "controls/keyboard.h"

#include <string_view>

#include "app/commands/frame.h"
#include "controls/help.h"
#include "core/console.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "view/walk.h"

namespace {
// The lights are applied at every frame, but the projection is re-applied after each switch
// all the same, as every lighting command does.
void flipLight(uint8_t& flag) {
    flip(flag);
    reproject();
}
}  // namespace

void onKeyboard(unsigned char key, int, int) {
    switch (key) {
        case 27:
        case 'Q':
        case 'q':
            exitProgram();
        case 'H':
        case 'h':
            printHelp();
            break;
        case 'P':
        case 'p':
            flipLight(scene.lightingOn);
            break;
        case 'O':
        case 'o':
            flipLight(scene.ceilingLightOff);
            break;
        case '[':
        case '{':
            flipLight(scene.leftLampOff);
            break;
        case ']':
        case '}':
            flipLight(scene.rightLampOff);
            break;
        case '+':
        case '=':
            flipLight(scene.frontLampOff);
            break;
        case 'L':
        case 'l':
            // Turning the other way starts again from a standstill rather than slowing down.
            if (scene.orbitRate > 0) scene.orbitRate = 0;
            scene.orbitRate -= 0.5;
            break;
        case 'R':
        case 'r':
            if (scene.orbitRate < 0) scene.orbitRate = 0;
            scene.orbitRate += 0.5;
            break;
        case 'S':
        case 's':
            scene.orbitRate = 0;
            break;
        case 'T':
        case 't':
            raiseEye();
            break;
        case 'V':
        case 'v':
            lowerEye();
            break;
        case 'F':
        case 'f':
            increaseHeading();
            break;
        case 'G':
        case 'g':
            decreaseHeading();
            break;
        default: {
            // Any other byte goes back out as it came, so the user sees what was pressed.
            const char raw = static_cast<char>(key);
            consoleLine(std::string_view(&raw, 1));
            break;
        }
    }
}
