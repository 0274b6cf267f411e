// furniture.h -- the table that carries the aquarium, the glass tank and the water plant.
#pragma once

class TexturedRect;

// A wooden-topped table; the scene builds one per frame from the current polygon mode.
class Table {
public:
    explicit Table(int fillMode);
    virtual ~Table();
    Table(const Table&) = delete;  // owns its rectangle
    Table& operator=(const Table&) = delete;

    void draw(unsigned char withTexture);
    void drawTop(unsigned char withTexture);
    void drawLeg();

    int fillMode;  // 1: wire cubes, anything else: solid
    TexturedRect* rect;
};

// An open-topped tank of five thin wire panels. Note the argument order differs from the fields'.
class GlassTank {
public:
    GlassTank(float width, float height, float depth);
    ~GlassTank() {}

    void draw();
    void drawPanel();

    float width;
    float depth;
    float height;
};

// A plant of textured blades branching three ways per level, each level 0.7 the size of its parent.
class WaterPlant {
public:
    WaterPlant(int levels, float scaleZ, float scaleY, float scaleX);
    ~WaterPlant() {}

    void draw(unsigned int texture);
    void drawBranches(int level);

    int levels;
    float scaleZ;
    float scaleY;
    float scaleX;
};
