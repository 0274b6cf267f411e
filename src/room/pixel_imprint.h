// pixel_imprint.h -- keeps the pixels an unchanging drawing leaves, and lays them down again while
// nothing that shapes them has changed.
//
// With depth test, blending, alpha test and the other per-fragment operations off, every pixel a
// drawing covers simply takes the colour the drawing gives it, whatever lay there before. So as
// long as the drawing, its transforms and every piece of GL state it reads stay the same, it leaves
// exactly the same pixels each time, and these can be written back instead of drawing it again.
// Two drawings go this way: the room, lamp and table, which fill the window behind everything
// else and would otherwise be painted in several full-window layers every frame, and the water
// plant, 1,821 separately placed blades. In a still view each is laid down as one image; the
// first still frame draws it three times to take the imprint.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class PixelImprint {
public:
    // The imprint is taken once the same drawing has come `stillFrames` frames running. Taking it
    // costs about three plain drawings, so something that changes now and then (the worms hop once
    // a second) waits longer: on a machine too slow to draw that many frames a second, it is never
    // taken at all.
    explicit PixelImprint(int stillFrames = 2) : stillFrames(stillFrames) {}

    // Draws with `draw`, or lays down the imprint of an earlier identical drawing. `identity`
    // tells apart drawings that differ in ways the GL state does not show: the scene switches and
    // texture names the drawing reads, the plant's levels.
    void draw(const std::vector<uint32_t>& identity, const std::function<void()>& draw);

    // How the last draw went, for tests: drawn plainly, drawn and imprinted, or laid down.
    enum class Outcome { Drawn, Imprinted, LaidDown };
    Outcome lastOutcome() const { return outcome; }

private:
    struct Key {
        std::vector<uint32_t> bits;  // every value by its bit pattern, so -0 and NaN count as changes
        bool operator==(const Key&) const = default;
    };
    // The GL state a drawing may leave changed behind it, put back as it left it.
    struct Leftovers {
        float colour[4], normal[3], texCoord[4];
        float ambient[4], diffuse[4], specular[4], emission[4], shininess;
        float lineWidth, pointSize;
        int binding, polygonMode[2], matrixMode, shadeModel;
        bool texturing, normalize, depthMask, blend, lighting, culling, depthTest;
        static Leftovers read();
        void restore() const;
    };
    static Key readKey(const std::vector<uint32_t>& identity);
    void imprint(const std::function<void()>& draw);
    void layDown() const;

    int stillFrames;
    Key previous;  // the state of the previous draw, to imprint only once a view holds still
    bool previousValid = false;
    int sameFrames = 0;  // frames running that came with the previous state

    Key key;  // the state the imprint was taken under
    bool valid = false;
    const void* context = nullptr;
    int x = 0, y = 0, width = 0, height = 0;  // window rectangle of the imprint
    std::vector<uint8_t> rgba;                // its pixels, alpha 255 where the drawing covered
    Leftovers leftovers{};                    // what the drawing left behind
    Outcome outcome = Outcome::Drawn;
};
