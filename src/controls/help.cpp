// help.cpp -- the fixed help text, written line by line to the console.
#include "controls/help.h"

#include "core/console.h"

namespace {
// Written once and never generated from the key tables, so it keeps its own wording.
constexpr const char* helpLines[] = {
    "--------********* Help Menu *********--------",
    "Press 'F1' or'h' to display help.",
    "Click right mouse key to have a menu.",
    "Press 'p' and 'P' to enable/disable lighting.",
    "Press 'o' and 'O' to turn on/off ceiling light.",
    "Press '[' and '{' to turn on/off left lamp light.",
    "Press ']' and '}' to turn on/off right lamp light.",
    "Press HOME key to reset.",
    "Press 'Esc' 'Q' and 'q'  You can also quit the program.",
    "Press '+' to add a furniture, or clear all furnitures.",
    "Press '-' to remove a furniture, or add all furnitures.",
    "Press 'F4' to enable/disable depth test.",
    "Press 'F5' to toggle wireframe/filled rendering.",
    "Press 'F6' to enable/disable backface culling.",
    "Press 'F7' to enable/disable polished item.",
    "Press 'F8' to toggle flat/smooth rendering.",
    "Press 'F9' to enable/disable texture.",
    "Press 'F10' to enable/disable collision check.",
    "Press 'F11' to toggle view model.",
    "*************under perspective view*************",
    "Press 'l' and 'L' to let left turning under perspective view.",
    "Press 'r' and 'R' to let right turning under perspective view.",
    "Press 's' and 'S' to stop turning under perspective view.",
    "Press 'left arrow key' to manually turn left.",
    "Press 'right arrow key' to manually turn right.",
    "Click left mouse key to drag and set the view angle",
    "Press 'F2 & F3 or up/down arrow key' To zoom in/out.",
    "*************under combined view*************",
    "Press 't' and 'T' to lift up eye position.",
    "Press 'v' and 'V' to lower down eye position.",
    "Press 'f' and 'F' to turn left.",
    "Press 'g' and 'G' to turn right.",
    "Press 'left arrow key' to move left.",
    "Press 'right arrow key' to move right.",
    "Press 'up/down arrow key' to move forward/backward.",
};
}  // namespace

void printHelp() {
    for (const char* line : helpLines) consoleLine(line);
}
