// The help text: the same 35 lines from 'h', 'H' and F1, in every view mode.
#include "controls/help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scene_state.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "support/capture.h"

namespace {

using Lines = std::vector<std::string>;

class HelpTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    ConsoleCapture console;
};

TEST_F(HelpTest, TextIs35LinesWithItsOwnWording) {
    printHelp();
    const Lines lines = console.lines();
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0], "--------********* Help Menu *********--------");
    EXPECT_EQ(lines[1], "Press 'F1' or'h' to display help.");
    EXPECT_EQ(lines[8], "Press 'Esc' 'Q' and 'q'  You can also quit the program.");
    EXPECT_EQ(lines[10], "Press '-' to remove a furniture, or add all furnitures.");
    EXPECT_EQ(lines[19], "*************under perspective view*************");
    EXPECT_EQ(lines[25], "Click left mouse key to drag and set the view angle");
    EXPECT_EQ(lines[26], "Press 'F2 & F3 or up/down arrow key' To zoom in/out.");
    EXPECT_EQ(lines[27], "*************under combined view*************");
    EXPECT_EQ(lines[34], "Press 'up/down arrow key' to move forward/backward.");
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
