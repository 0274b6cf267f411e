// furniture_gltest.cpp -- the plant, tank and table, counted and measured through GL's feedback mode and state queries.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "gl/straightforward.h"
#include "room/draw/furniture.h"
#include "room/draw/room_shell.h"
#include "room/plant_layout.h"
#include "room/room_gl.h"

namespace {

// Feedback returns window coordinates; this projection and viewport make them object units again:
// a viewport of 2000 by 2000 pixels over an ortho box of +-20 gives 50 pixels per unit.
constexpr double halfBox = 20.0;
constexpr int viewportSize = 2000;

struct Primitive {
    GLenum token;
    std::vector<std::array<double, 3>> vertices;  // object coordinates
};

std::array<double, 3> toObject(const GLfloat* v) {
    double x = v[0] / viewportSize * 2 * halfBox - halfBox;
    double y = v[1] / viewportSize * 2 * halfBox - halfBox;
    double z = -(v[2] * 2 - 1) * halfBox;  // depth 0 is z = +halfBox under glOrtho(-h, h, ..., -h, h)
    return {x, y, z};
}

// Runs draw in feedback mode with a neutral view, no culling and no clipping to speak of.
template <typename Draw>
std::vector<Primitive> feedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glViewport(0, 0, viewportSize, viewportSize);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-halfBox, halfBox, -halfBox, halfBox, -halfBox, halfBox);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glPopAttrib();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    EXPECT_GE(used, 0) << "feedback buffer overflowed";

    std::vector<Primitive> out;
    for (GLint i = 0; i < used;) {
        GLenum token = static_cast<GLenum>(buffer[i++]);
        Primitive p{token, {}};
        int count = 0;
        if (token == GL_POLYGON_TOKEN)
            count = static_cast<int>(buffer[i++]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (token == GL_POINT_TOKEN)
            count = 1;
        else if (token == GL_PASS_THROUGH_TOKEN)
            ++i;
        for (int k = 0; k < count; ++k, i += 3) p.vertices.push_back(toObject(&buffer[i]));
        out.push_back(p);
    }
    return out;
}

// How far a blade corner GL places may lie from the plant layout's, in object units. GL composes a
// blade's placement in floats, up to 37 products deep (the plant's frame, then a scale, three turns
// and a shift per level), each rounding entries no larger than 3 by a few float steps (6e-8
// relative): at worst some 3e-5 units in all. The layout works in doubles and rounds each corner to a
// float once (1.2e-7 for corners within 3 units of the origin), and feedback hands back window
// coordinates between 850 and 1150 pixels as floats (half a step is 6e-5 pixels, 1.2e-6 units). The
// bound is 1e-4 units, 0.005 pixels here; measured at most 3.3e-6. A corner placed by a wrong step
// is off by far more: a blade's shift of 0.6002 instead of 0.6 moves corners by 8e-4.
constexpr double cornerBound = 1e-4;

long countTokens(const std::vector<Primitive>& prims, GLenum token) {
    return std::count_if(prims.begin(), prims.end(), [token](const Primitive& p) { return p.token == token; });
}

// GL may hand a quad back as more than one polygon (Mesa gives two triangles): count how many.
long polygonsPerQuad() {
    TexturedRect rect;
    return countTokens(feedback([&] { rect.draw(0, 1, 1, 1, 1); }), GL_POLYGON_TOKEN);
}

struct Box {
    std::array<double, 3> lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    void add(const std::array<double, 3>& v) {
        for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], v[i]), hi[i] = std::max(hi[i], v[i]);
    }
};

void expectBox(const Box& box, std::array<double, 3> lo, std::array<double, 3> hi, const char* what) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(box.lo[i], lo[i], 1e-3) << what << " low, axis " << i;
        EXPECT_NEAR(box.hi[i], hi[i], 1e-3) << what << " high, axis " << i;
    }
}

class FurnitureTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
    }
    void TearDown() override { glViewport(0, 0, 1200, 600); }
};

// ---- water plant

TEST_F(FurnitureTest, PlantBladeCountsGrowLevelByLevel) {
    const long expected[] = {3, 6, 21, 66, 201, 606, 1821};
    const long perQuad = polygonsPerQuad();
    ASSERT_GE(perQuad, 1);
    for (int levels = 1; levels <= 7; ++levels) {
        WaterPlant plant(levels, 2, 2, 2);
        auto prims = feedback([&] { plant.draw(sandTexture); });
        EXPECT_EQ(countTokens(prims, GL_POLYGON_TOKEN), expected[levels - 1] * perQuad) << levels << " levels";
        EXPECT_EQ(static_cast<long>(prims.size()), expected[levels - 1] * perQuad) << "nothing but blades";
    }
}

TEST_F(FurnitureTest, PlantEndsInTheColourOfItsDeepestLevel) {
    WaterPlant plant(7, 2, 2, 2);
    glColor3f(0.5f, 0.5f, 0.5f);
    plant.draw(sandTexture);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0], 0.0857f, 1e-4);
    EXPECT_GE(colour[1], 1.0f) << "1.7, or 1 where GL clamps";
    EXPECT_NEAR(colour[2], 0.0571f, 1e-4);
    // It textures itself whatever the switch, and leaves texturing off with its texture bound.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), sandTexture);
}

TEST_F(FurnitureTest, OneLevelPlantIsThreePureGreenBlades) {
    WaterPlant plant(1, 1, 1, 1);
    auto prims = feedback([&] { plant.draw(sandTexture); });
    EXPECT_EQ(countTokens(prims, GL_POLYGON_TOKEN), 3 * polygonsPerQuad());
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.0f);
    EXPECT_FLOAT_EQ(colour[1], 1.0f);
    EXPECT_FLOAT_EQ(colour[2], 0.0f);
}

TEST_F(FurnitureTest, PlantScalesAlongItsOwnAxes) {
    // Arguments are (levels, z, y, x): stretching only x must widen only x.
    Box plain, wide;
    for (const auto& p : feedback([] { WaterPlant(3, 1, 1, 1).draw(sandTexture); }))
        for (const auto& v : p.vertices) plain.add(v);
    for (const auto& p : feedback([] { WaterPlant(3, 1, 1, 3).draw(sandTexture); }))
        for (const auto& v : p.vertices) wide.add(v);
    EXPECT_NEAR(wide.hi[0], plain.hi[0] * 3, 1e-2);
    EXPECT_NEAR(wide.lo[0], plain.lo[0] * 3, 1e-2);
    EXPECT_NEAR(wide.hi[1], plain.hi[1], 1e-2);
    EXPECT_NEAR(wide.hi[2], plain.hi[2], 1e-2);
}

// The program draws the plant from corners worked out once on the CPU; they must be the corners the
// plant's own transforms give, blade by blade. The scene's plant, and one scaled differently along
// each axis, since the layout takes the scales in the plant's odd order.
TEST_F(FurnitureTest, PlantLayoutPutsEveryCornerWhereThePlantsOwnTransformsDo) {
    const long perQuad = polygonsPerQuad();
    ASSERT_GE(perQuad, 1);
    struct Shape {
        const char* name;
        int levels;
        float scaleZ, scaleY, scaleX;
    };
    for (const Shape& shape : {Shape{"the scene's plant", 7, 2, 2, 2}, Shape{"an uneven plant", 4, 1, 2, 3}}) {
        SCOPED_TRACE(shape.name);
        const PlantLayout layout = layOutPlant(shape.levels, shape.scaleZ, shape.scaleY, shape.scaleX);
        setStraightforwardDrawing(true);
        const auto prims =
            feedback([&] { WaterPlant(shape.levels, shape.scaleZ, shape.scaleY, shape.scaleX).draw(sandTexture); });
        setStraightforwardDrawing(false);
        ASSERT_EQ(static_cast<long>(prims.size()), layout.bladeCount() * perQuad);

        // GL may hand a blade back split, so each corner is matched with the nearest of its blade's.
        double worst = 0;
        int worstBlade = -1;
        for (int blade = 0; blade < layout.bladeCount(); ++blade) {
            std::vector<std::array<double, 3>> fedBack;
            for (long k = blade * perQuad; k < (blade + 1) * perQuad; ++k)
                for (const auto& v : prims[static_cast<size_t>(k)].vertices) fedBack.push_back(v);
            auto distance = [](const std::array<double, 3>& a, const float* b) {
                return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
            };
            const float* corners = &layout.positions[static_cast<size_t>(blade) * 12];
            // Every corner GL drew lies on one of the layout's, and every corner of the layout is drawn.
            for (const auto& v : fedBack) {
                double nearest = 1e9;
                for (int c = 0; c < 4; ++c) nearest = std::min(nearest, distance(v, corners + c * 3));
                if (nearest > worst) worst = nearest, worstBlade = blade;
            }
            for (int c = 0; c < 4; ++c) {
                double nearest = 1e9;
                for (const auto& v : fedBack) nearest = std::min(nearest, distance(v, corners + c * 3));
                if (nearest > worst) worst = nearest, worstBlade = blade;
            }
        }
        EXPECT_LE(worst, cornerBound) << "blade " << worstBlade << " of " << layout.bladeCount();
    }
}

TEST_F(FurnitureTest, PlantWithoutLevelsDrawsNothing) {
    WaterPlant plant(0, 1, 1, 1);
    EXPECT_TRUE(feedback([&] { plant.draw(sandTexture); }).empty());
}

// ---- glass tank

TEST_F(FurnitureTest, TankPanelsLieOnItsBoundaryWithAnOpenTop) {
    // Width 6 (x), height 4 (y), depth 2 (z): the constructor takes them in that order.
    GlassTank tank(6, 4, 2);
    EXPECT_FLOAT_EQ(tank.width, 6);
    EXPECT_FLOAT_EQ(tank.height, 4);
    EXPECT_FLOAT_EQ(tank.depth, 2);
    auto prims = feedback([&] { tank.draw(); });
    ASSERT_FALSE(prims.empty());
    ASSERT_EQ(prims.size() % 5, 0u) << "five identical wire boxes";
    const size_t perPanel = prims.size() / 5;

    const std::array<double, 3> lows[5] = {{-3, -2, 0.9}, {-3, -2, -1}, {-3, -2, -1}, {2.9, -2, -1}, {-3, -2, -1}};
    const std::array<double, 3> highs[5] = {{3, 2, 1}, {3, 2, -0.9}, {-2.9, 2, 1}, {3, 2, 1}, {3, -1.9, 1}};
    const char* names[5] = {"+z side", "-z side", "-x side", "+x side", "bottom"};
    Box whole;
    for (int panel = 0; panel < 5; ++panel) {
        Box box;
        for (size_t k = panel * perPanel; k < (panel + 1) * perPanel; ++k) {
            EXPECT_NE(prims[k].token, static_cast<GLenum>(GL_POLYGON_TOKEN)) << "panels are wire";
            for (const auto& v : prims[k].vertices) box.add(v), whole.add(v);
        }
        expectBox(box, lows[panel], highs[panel], names[panel]);
    }
    expectBox(whole, {-3, -2, -1}, {3, 2, 1}, "whole tank");
}

TEST_F(FurnitureTest, TankMaterialStaysAfterItIsDrawn) {
    glDisable(GL_COLOR_MATERIAL);
    GlassTank(6, 6, 6).draw();
    GLfloat specular[4] = {}, shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(specular[0], 0.8f);
    EXPECT_FLOAT_EQ(specular[3], 0.8f);
    EXPECT_FLOAT_EQ(shininess, 100.0f);
    glEnable(GL_COLOR_MATERIAL);
}

// ---- table

TEST_F(FurnitureTest, TableStandsOnItsLegsAndLeavesTheLegPictureBound) {
    const long perQuad = polygonsPerQuad();
    Table table(2);
    Box box;
    auto prims = feedback([&] { table.draw(0); });
    for (const auto& p : prims)
        for (const auto& v : p.vertices) box.add(v);
    // Legs from y 0 to the slab; slab 1.5 by 0.05 by 1 centred 0.8 up and 0.5 forward.
    expectBox(box, {-0.75, 0, 0}, {0.75, 0.825, 1}, "table");
    EXPECT_EQ(countTokens(prims, GL_POLYGON_TOKEN), 5 * 6 * perQuad) << "slab and four legs, six faces each";
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), picture4Texture);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(FurnitureTest, WoodenFacesCoverAllButTheUnderside) {
    auto bare = feedback([] { Table(2).draw(0); });
    auto wooden = feedback([] { Table(2).draw(1); });
    const size_t perQuad = static_cast<size_t>(polygonsPerQuad());
    ASSERT_EQ(wooden.size(), bare.size() + 5 * perQuad);
    // The five wooden faces come first, over the slab's top and its four edges.
    Box faces;
    for (size_t i = 0; i < 5 * perQuad; ++i) {
        ASSERT_EQ(wooden[i].token, static_cast<GLenum>(GL_POLYGON_TOKEN));
        for (const auto& v : wooden[i].vertices) faces.add(v);
    }
    expectBox(faces, {-0.75, 0.775, 0}, {0.75, 0.825, 1}, "wooden faces");
    Box top;
    for (size_t i = 0; i < perQuad; ++i)
        for (const auto& v : wooden[i].vertices) top.add(v);
    expectBox(top, {-0.75, 0.825, 0}, {0.75, 0.825, 1}, "top face");
}

TEST_F(FurnitureTest, WireTableIsLinesButItsWoodStaysFilledInWireframe) {
    GLint modes[2] = {};
    auto prims = feedback([&] {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Table(1).draw(1);
        glGetIntegerv(GL_POLYGON_MODE, modes);
    });
    // Only the five textured faces are polygons: each rectangle sets front faces to fill.
    EXPECT_GE(countTokens(prims, GL_POLYGON_TOKEN), 1);
    EXPECT_LE(countTokens(prims, GL_POLYGON_TOKEN), 5 * polygonsPerQuad());
    EXPECT_GT(countTokens(prims, GL_LINE_TOKEN) + countTokens(prims, GL_LINE_RESET_TOKEN), 0);
    EXPECT_EQ(modes[0], GL_FILL) << "front faces";
    EXPECT_EQ(modes[1], GL_LINE) << "back faces";

    auto bare = feedback([] {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Table(1).draw(0);
    });
    EXPECT_EQ(countTokens(bare, GL_POLYGON_TOKEN), 0) << "no wood, no filled face";
}

}  // namespace
