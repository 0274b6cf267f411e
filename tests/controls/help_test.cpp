// help_test.cpp -- the help text: the same 35 lines from 'h', 'H' and F1, in every view mode.
#include "controls/help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "core/scene_state.h"
#include "support/capture.h"

namespace {

using Lines = std::vector<std::string>;

class HelpTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    ConsoleCapture console;
};

// The one home of the help text's wording; the end-to-end test only checks that the real keys
// print it.
TEST_F(HelpTest, TextIs35LinesWithItsOwnWording) {
    printHelp();
    const Lines expected{
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
    EXPECT_EQ(console.lines(), expected);
    EXPECT_EQ(console.text().back(), '\n');
}

TEST_F(HelpTest, AllThreeKeysPrintTheSameText) {
    printHelp();
    const std::string reference = console.text();
    for (int mode : {Combined, Perspective, Orthogonal}) {
        scene.viewMode = mode;
        console.clear();
        onKeyboard('h', 0, 0);
        EXPECT_EQ(console.text(), reference) << "'h' in view " << mode;
        console.clear();
        onKeyboard('H', 0, 0);
        EXPECT_EQ(console.text(), reference) << "'H' in view " << mode;
        console.clear();
        onSpecialKey(KeyF1, 0, 0);
        EXPECT_EQ(console.text(), reference) << "F1 in view " << mode;
    }
}

TEST_F(HelpTest, TwoPressesPrintItTwice) {
    onKeyboard('h', 0, 0);
    onSpecialKey(KeyF1, 0, 0);
    const Lines lines = console.lines();
    ASSERT_EQ(lines.size(), 70u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 35), Lines(lines.begin() + 35, lines.end()));
}

}  // namespace
