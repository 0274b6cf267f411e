// menu_test.cpp -- the menu tree: its table of labels and values, and what each menu callback does.
#include "app/commands/menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands/scene_reset.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "core/window_calls_testing.h"
#include "support/capture.h"
#include "support/process_state.h"

namespace {

struct Row {
    std::string label;
    int value;
    std::string subMenu;  // the sub-menu's name, empty for an entry
    bool operator==(const Row&) const = default;
};

std::vector<Row> rowsOf(const MenuSpec& menu) {
    std::vector<Row> rows;
    for (const MenuItem& item : menu.items) {
        Row row{std::string(item.label), item.isSubMenu() ? 0 : item.value, ""};
        if (item.isSubMenu()) row.subMenu = std::string(menuTree()[static_cast<size_t>(item.subMenu)].name);
        rows.push_back(row);
    }
    return rows;
}

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.label << "=" << row.value << row.subMenu;
}

TEST(MenuTreeTable, FiveMenusInBuildingOrderWithTheirCallbacks) {
    const auto tree = menuTree();
    ASSERT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree[0].callback, &onLampMenu);
    EXPECT_EQ(tree[1].callback, &onViewMenu);
    EXPECT_EQ(tree[2].callback, &onRenderingMenu);
    EXPECT_EQ(tree[3].callback, &onBowlMenu);
    EXPECT_EQ(tree[4].callback, &onMainMenu);
}

TEST(MenuTreeTable, LabelsAndValues) {
    const auto tree = menuTree();
    EXPECT_EQ(rowsOf(tree[0]), (std::vector<Row>{{"Turn ceiling light", 1, ""},
                                                 {"Turn on left lamp (blue)", 2, ""},
                                                 {"Turn on right lamp (red)", 3, ""},
                                                 {"Turn on front lamp (green)", 4, ""}}));
    EXPECT_EQ(rowsOf(tree[1]), (std::vector<Row>{{"Perspective view", 1, ""},
                                                 {"combined view with lookAt function", 2, ""},
                                                 {"Orthogonal projection", 3, ""}}));
    EXPECT_EQ(rowsOf(tree[2]), (std::vector<Row>{{"1.Wireframe/Filled rendering", 1, ""},
                                                 {"2.Flat/Smooth shading", 2, ""},
                                                 {"3.Paste/Remove texture", 3, ""},
                                                 {"4.Polished/Dull", 4, ""}}));
    EXPECT_EQ(rowsOf(tree[3]), (std::vector<Row>{{"1.Automatic/Manual", 4, ""},
                                                 {"2.Add a fish", 1, ""},
                                                 {"3.Add fifteen worms", 2, ""},
                                                 {"4.Clear worm", 3, ""}}));
    EXPECT_EQ(rowsOf(tree[4]), (std::vector<Row>{{"1.View control", 0, std::string(tree[1].name)},
                                                 {"2.Rendering", 0, std::string(tree[2].name)},
                                                 {"3.Glintmere", 0, std::string(tree[3].name)},
                                                 {"4.Enable/Disable lighting", 1, ""},
                                                 {"5.Turn on/off", 0, std::string(tree[0].name)},
                                                 {"6.Enable/Disable collision check", 2, ""},
                                                 {"7.Change view volume", 3, ""},
                                                 {"8.Play/Stop music", 4, ""},
                                                 {"9.Reset", 5, ""},
                                                 {"10.Exit", 6, ""}}));
}

TEST(MenuTreeTable, SubMenusAreBuiltBeforeTheMenuHoldingThem) {
    const auto tree = menuTree();
    for (size_t m = 0; m < tree.size(); ++m)
        for (const MenuItem& item : tree[m].items)
            if (item.isSubMenu()) {
                EXPECT_LT(static_cast<size_t>(item.subMenu), m) << item.label;
            }
}

// Chooses an entry by its label, the way the user does, and hands its value to the menu's callback.
void choose(const std::string& label) {
    for (const MenuSpec& menu : menuTree())
        for (const MenuItem& item : menu.items)
            if (!item.isSubMenu() && item.label == label) {
                menu.callback(item.value);
                return;
            }
    FAIL() << "no entry " << label;
}

class MenuCommandTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    ConsoleCapture console;
};

TEST_F(MenuCommandTest, LampEntriesToggleTheirLight) {
    choose("Turn on left lamp (blue)");
    EXPECT_EQ(scene.leftLampOff, 0);
    choose("Turn on left lamp (blue)");
    EXPECT_EQ(scene.leftLampOff, 1);
    choose("Turn ceiling light");
    choose("Turn on right lamp (red)");
    choose("Turn on front lamp (green)");
    EXPECT_EQ(scene.ceilingLightOff, 0);
    EXPECT_EQ(scene.rightLampOff, 0);
    EXPECT_EQ(scene.frontLampOff, 0);
    EXPECT_EQ(scene.leftLampOff, 1);
}

TEST_F(MenuCommandTest, ViewEntriesSetTheMode) {
    choose("Perspective view");
    EXPECT_EQ(scene.viewMode, Perspective);
    choose("Orthogonal projection");
    EXPECT_EQ(scene.viewMode, Orthogonal);
    choose("combined view with lookAt function");
    EXPECT_EQ(scene.viewMode, Combined);
}

TEST_F(MenuCommandTest, RenderingEntries) {
    choose("1.Wireframe/Filled rendering");
    EXPECT_EQ(scene.polygonFill, 1);
    choose("1.Wireframe/Filled rendering");
    EXPECT_EQ(scene.polygonFill, 2);
    const long before = redisplayRequestCount();
    choose("2.Flat/Smooth shading");
    choose("3.Paste/Remove texture");
    choose("4.Polished/Dull");
    EXPECT_EQ(scene.flatShading, 0);
    EXPECT_EQ(scene.texturesOn, 0);
    EXPECT_EQ(scene.polishedOn, 1);
    EXPECT_EQ(redisplayRequestCount(), before + 3);
}

int presentFish() {
    int n = 0;
    for (const Fish& f : fishes) n += f.alive == 1.0f ? 1 : 0;
    return n;
}

int presentWorms() {
    int n = 0;
    for (const Worm& w : worms) n += w.alive == 1.0f ? 1 : 0;
    return n;
}

TEST_F(MenuCommandTest, AutomaticManualArrivesWithValue4) {
    const int fish = presentFish();
    const int wormCount = presentWorms();
    onBowlMenu(4);
    EXPECT_EQ(scene.autoFeed, 0);
    EXPECT_EQ(presentFish(), fish);
    EXPECT_EQ(presentWorms(), wormCount);
    choose("1.Automatic/Manual");
    EXPECT_EQ(scene.autoFeed, 1);
    scene.autoFeed = 5;  // anything but 0 counts as on
    choose("1.Automatic/Manual");
    EXPECT_EQ(scene.autoFeed, 0);
    EXPECT_TRUE(playedCues().empty());
}

TEST_F(MenuCommandTest, AquariumCommands) {
    onBowlMenu(1);  // "2.Add a fish"
    EXPECT_EQ(presentFish(), 5);
    EXPECT_EQ(playedCues().back(), (PlayedCue{"musics/CHIMES.wav", SoundMode::Background}));
    choose("4.Clear worm");
    EXPECT_EQ(presentWorms(), 0);
    EXPECT_EQ(playedCues().back(), (PlayedCue{"musics/CHECKERS.wav", SoundMode::BackgroundLoop}));
    choose("3.Add fifteen worms");
    EXPECT_EQ(presentWorms(), 15);
}

TEST_F(MenuCommandTest, LightingAndCollisionEntries) {
    choose("4.Enable/Disable lighting");
    EXPECT_EQ(scene.lightingOn, 1);
    const long before = redisplayRequestCount();
    choose("6.Enable/Disable collision check");
    EXPECT_EQ(scene.collisionCheckOn, 0);
    EXPECT_EQ(redisplayRequestCount(), before + 1);
}

TEST_F(MenuCommandTest, ViewVolumeAlternatesBetweenItsTwoBoxes) {
    std::vector<std::pair<double, double>> seen;
    for (int i = 0; i < 4; ++i) {
        choose("7.Change view volume");
        seen.emplace_back(scene.nearPlane, scene.farPlane);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<double, double>>{{6, 15}, {0, 20}, {6, 15}, {0, 20}}));
}

TEST_F(MenuCommandTest, PlayStopMusicSwitchesSoundOffWithOneLastCueAndOnSilently) {
    choose("8.Play/Stop music");
    EXPECT_EQ(scene.soundOn, 0);
    EXPECT_EQ(playedCues(), (std::vector<PlayedCue>{{"musics/realjbeq1.wav", SoundMode::Background}}));
    choose("8.Play/Stop music");
    EXPECT_EQ(scene.soundOn, 1);
    EXPECT_EQ(playedCues().size(), 1u);
}

TEST_F(MenuCommandTest, ResetEntryRunsTheReset) {
    // What the reset writes is pinned by scene_reset_test.cpp; the entry must run exactly that.
    choose("Perspective view");
    scene.orbitAngle = 200;
    scene.eyeX = 4;
    const SceneState changed = scene;
    resetScene();
    const SceneState expected = scene;
    scene = changed;
    choose("9.Reset");
    EXPECT_EQ(sceneDifferences(scene, expected), "");
}

TEST_F(MenuCommandTest, UnlistedValuesDoNothing) {
    const long redisplays = redisplayRequestCount();
    for (int value : {0, 5, 7, -1, 99}) {
        onLampMenu(value);
        onViewMenu(value);
        onRenderingMenu(value);
        onBowlMenu(value);
    }
    for (int value : {0, 7, -1, 99}) onMainMenu(value);
    EXPECT_EQ(scene.viewMode, Combined);
    EXPECT_EQ(scene.autoFeed, 1);
    EXPECT_EQ(scene.polygonFill, 2);
    EXPECT_EQ(scene.ceilingLightOff, 1);
    EXPECT_EQ(scene.flatShading, 1);
    EXPECT_EQ(scene.farPlane, 33.1);
    EXPECT_EQ(scene.soundOn, 1);
    EXPECT_EQ(presentFish(), 4);
    EXPECT_EQ(presentWorms(), 15);
    EXPECT_EQ(redisplayRequestCount(), redisplays);
    EXPECT_TRUE(playedCues().empty());
    EXPECT_TRUE(console.text().empty());
}

}  // namespace
