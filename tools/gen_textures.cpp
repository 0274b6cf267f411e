// gen_textures.cpp -- paints the twelve room textures procedurally and writes them as 24-bit bitmaps.
// Everything comes from integer hashes and arithmetic in this file, so two runs write the same bytes.
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

// ---------------------------------------------------------------- colours and the canvas

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Colour operator*(Colour a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Colour mix(Colour a, Colour b, double t) {
    return a * (1 - t) + b * t;
}
Colour rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
double smoothstep(double e0, double e1, double x) {
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
double fract(double v) {
    return v - std::floor(v);
}

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

// The part of the canvas a shape can touch, in unit coordinates; painting skips the rest.
struct Bounds {
    double u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};
Bounds around(double cx, double cy, double r) {
    return {cx - r - 0.01, cy - r - 0.01, cx + r + 0.01, cy + r + 0.01};
}

// A square image, row 0 at the bottom as the bitmap stores it.
class Canvas {
public:
    explicit Canvas(int size) : size_(size), pixels_(static_cast<size_t>(size) * size) {}
    int size() const { return size_; }
    Colour& at(int x, int y) { return pixels_[static_cast<size_t>(y) * size_ + x]; }

    // Paints every pixel from its centre in unit coordinates (u right, v up, both 0..1).
    void fill(const std::function<Colour(double u, double v)>& paint) {
        for (int y = 0; y < size_; ++y)
            for (int x = 0; x < size_; ++x) at(x, y) = paint((x + 0.5) / size_, (y + 0.5) / size_);
    }

    // Lays a colour over the pixels by a coverage function (0 nothing, 1 full), e.g. from a distance.
    void cover(Colour colour, const std::function<double(double u, double v)>& coverage, Bounds b = {}) {
        coverWith([colour](double, double) { return colour; }, coverage, b);
    }

    // Like cover, but the colour itself may vary over the shape.
    void coverWith(const std::function<Colour(double u, double v)>& paint,
                   const std::function<double(double u, double v)>& coverage, Bounds b = {}) {
        auto first = [this](double t) { return std::clamp(static_cast<int>(std::floor(t * size_)), 0, size_); };
        auto last = [this](double t) { return std::clamp(static_cast<int>(std::ceil(t * size_)), 0, size_); };
        for (int y = first(b.v0); y < last(b.v1); ++y)
            for (int x = first(b.u0); x < last(b.u1); ++x) {
                double u = (x + 0.5) / size_, v = (y + 0.5) / size_;
                double c = coverage(u, v);
                if (c > 0) at(x, y) = mix(at(x, y), paint(u, v), clamp01(c));
            }
    }

    // Coverage of a shape given by its signed distance in unit coordinates: soft over one pixel.
    double inside(double signedDistance) const { return clamp01(0.5 - signedDistance * size_); }

    // R, G, B bytes, bottom row first.
    std::vector<unsigned char> rgbBytes() const {
        std::vector<unsigned char> out;
        out.reserve(pixels_.size() * 3);
        auto byte = [](double v) { return static_cast<unsigned char>(std::lround(clamp01(v) * 255.0)); };
        for (const Colour& c : pixels_) {
            out.push_back(byte(c.r));
            out.push_back(byte(c.g));
            out.push_back(byte(c.b));
        }
        return out;
    }

private:
    int size_;
    std::vector<Colour> pixels_;
};

// ---------------------------------------------------------------- noise

uint32_t hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}
double hash01(uint32_t x, uint32_t y, uint32_t seed) {
    return (hash(x, y, seed) & 0xffffff) / double(0xffffff);
}

// Value noise on a lattice that wraps every `period` cells, so textures built from it tile.
double valueNoise(double x, double y, int period, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    double tx = x - fx, ty = y - fy;
    auto wrap = [period](double c) {
        long long i = static_cast<long long>(c) % period;
        return static_cast<uint32_t>(i < 0 ? i + period : i);
    };
    uint32_t x0 = wrap(fx), x1 = wrap(fx + 1), y0 = wrap(fy), y1 = wrap(fy + 1);
    double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    double a = hash01(x0, y0, seed), b = hash01(x1, y0, seed);
    double c = hash01(x0, y1, seed), d = hash01(x1, y1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Fractal noise over unit coordinates, tiling at u, v = 0..1; about 0..1.
double fbm(double u, double v, int baseCells, int octaves, uint32_t seed) {
    double sum = 0, amp = 0.5, norm = 0;
    int cells = baseCells;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(u * cells, v * cells, cells, seed + i * 101);
        norm += amp;
        amp *= 0.5;
        cells *= 2;
    }
    return sum / norm;
}

// ---------------------------------------------------------------- shapes (signed distances)

double circleDistance(double u, double v, double cx, double cy, double r) {
    return length(u - cx, v - cy) - r;
}

double boxDistance(double u, double v, double x0, double y0, double x1, double y1) {
    double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    double dx = std::fabs(u - cx) - hx, dy = std::fabs(v - cy) - hy;
    return length(std::max(dx, 0.0), std::max(dy, 0.0)) + std::min(std::max(dx, dy), 0.0);
}

// Convex polygon given counter-clockwise: the largest distance outside any edge (exact enough inside).
double convexDistance(double u, double v, const std::vector<std::pair<double, double>>& corners) {
    double d = -1e9;
    for (size_t i = 0; i < corners.size(); ++i) {
        auto [ax, ay] = corners[i];
        auto [bx, by] = corners[(i + 1) % corners.size()];
        double ex = bx - ax, ey = by - ay, len = length(ex, ey);
        d = std::max(d, ((u - ax) * ey - (v - ay) * ex) / len);
    }
    return d;
}

// A sphere-like shading for round fruit: lit from the upper left, with a small highlight.
Colour shadedBall(double u, double v, double cx, double cy, double r, Colour base) {
    double nx = (u - cx) / r, ny = (v - cy) / r;
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    double light = clamp01(-0.5 * nx + 0.55 * ny + 0.67 * nz);
    double sheen = std::pow(clamp01(-0.35 * nx + 0.45 * ny + 0.82 * nz), 40);
    return base * (0.25 + 0.85 * light) + Colour{1, 1, 1} * (0.6 * sheen);
}

// ---------------------------------------------------------------- surfaces

// Floor: two by two glazed tiles, terracotta and cream, with grout between them.
Canvas paintFloor() {
    Canvas c(256);
    const Colour terracotta = rgb(176, 92, 58), cream = rgb(228, 214, 186), grout = rgb(92, 86, 78);
    c.fill([&](double u, double v) {
        int tx = u < 0.5 ? 0 : 1, ty = v < 0.5 ? 0 : 1;
        Colour tile = (tx + ty) % 2 == 0 ? terracotta : cream;
        double mottle = fbm(u, v, 8, 4, 11 + tx * 2 + ty);
        tile = tile * (0.86 + 0.24 * mottle);
        // Distance to the nearest tile edge, in tile units (tiles are half the texture).
        double lu = fract(u * 2), lv = fract(v * 2);
        double edge = std::min(std::min(lu, 1 - lu), std::min(lv, 1 - lv));
        double bevel = smoothstep(0.012, 0.05, edge);
        // Light from the top left: lift the upper and left rims a little, shade the others.
        double rim = (lu < 0.06 || lv > 0.94) ? 1.08 : ((lu > 0.94 || lv < 0.06) ? 0.9 : 1.0);
        Colour glazed = tile * rim;
        return mix(grout, glazed, bevel);
    });
    return c;
}

// Wood: long grain running along u, with ring figure and fine pores.
Canvas paintWood() {
    Canvas c(256);
    const Colour light = rgb(196, 142, 86), dark = rgb(118, 70, 36);
    c.fill([&](double u, double v) {
        double warp = fbm(u, v, 2, 4, 21);
        double rings = fract(v * 9 + warp * 3.2 + 0.15 * std::sin(u * 2 * pi));
        double band = smoothstep(0.0, 0.35, rings) * (1 - smoothstep(0.65, 1.0, rings));
        double pores = valueNoise(u * 128, v * 12, 128, 23);
        Colour w = mix(dark, light, 0.25 + 0.65 * band);
        return w * (0.88 + 0.14 * pores);
    });
    return c;
}

// Ceiling: one acoustic tile, off-white, pin-holed, with a bevelled rim.
Canvas paintCeiling() {
    Canvas c(256);
    const Colour tile = rgb(234, 231, 222), groove = rgb(150, 146, 138);
    c.fill([&](double u, double v) {
        double speckle = fbm(u, v, 16, 3, 31);
        Colour t = tile * (0.94 + 0.08 * speckle);
        // Pinholes: a few dark dots per cell of a fine grid, placed by hash.
        int px = static_cast<int>(u * 48), py = static_cast<int>(v * 48);
        double hx = hash01(px, py, 33), hy = hash01(px, py, 34);
        if (hash01(px, py, 35) < 0.55) {
            double d = length(u * 48 - px - 0.2 - 0.6 * hx, v * 48 - py - 0.2 - 0.6 * hy);
            t = mix(t, rgb(120, 116, 110), 1 - smoothstep(0.12, 0.22, d));
        }
        double edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
        if (edge < 0.035) {
            double lift = (u < 0.035 || v > 0.965) ? 1.06 : 0.86;
            t = t * lift;
        }
        return mix(groove, t, smoothstep(0.004, 0.012, edge));
    });
    return c;
}

// Side-wall paper: cream with dusty-rose stripes and a row of small flowers between them.
Canvas paintWallPaper() {
    Canvas c(256);
    const Colour base = rgb(238, 226, 204), stripe = rgb(190, 122, 128), leaf = rgb(110, 140, 96);
    c.fill([&](double u, double v) {
        double paper = 0.95 + 0.07 * fbm(u, v, 8, 3, 41);
        Colour col = base * paper;
        double su = fract(u * 2);  // two stripes per tile
        double sd = std::fabs(su - 0.25);
        col = mix(col, stripe * paper, 1 - smoothstep(0.06, 0.07, sd));
        col = mix(col, stripe * paper, 1 - smoothstep(0.0, 0.012, std::fabs(sd - 0.1)));
        // A four-petal flower in each gap, twice per tile height.
        double fu = su - 0.75, fv = fract(v * 2) - 0.5;
        double r = length(fu, fv), a = std::atan2(fv, fu);
        double petal = 0.07 * (0.55 + 0.45 * std::cos(4 * a));
        col = mix(col, stripe * 0.92, 1 - smoothstep(petal - 0.006, petal + 0.006, r));
        col = mix(col, rgb(232, 196, 90), 1 - smoothstep(0.014, 0.02, r));
        double leafDistance = length((fu) / 0.02, (fv + 0.11) / 0.045) - 1;
        col = mix(col, leaf, clamp01(-leafDistance * 6));
        return col;
    });
    return c;
}

// End-wall paper: sage green with a gold diamond trellis and a dot in every diamond.
Canvas paintWallPaper1() {
    Canvas c(256);
    const Colour base = rgb(146, 170, 140), gold = rgb(214, 182, 96), deep = rgb(96, 122, 96);
    c.fill([&](double u, double v) {
        double paper = 0.94 + 0.08 * fbm(u, v, 8, 3, 51);
        Colour col = base * paper;
        // Diamonds: lines along both diagonals, three per tile.
        double d1 = fract((u + v) * 3), d2 = fract((u - v) * 3);
        double line = std::min(std::min(d1, 1 - d1), std::min(d2, 1 - d2));
        col = mix(col, gold, 1 - smoothstep(0.03, 0.05, line));
        // Centre of each diamond: where both diagonals sit half-way.
        double cu = std::fabs(d1 - 0.5), cv = std::fabs(d2 - 0.5);
        double dot = length(cu, cv);
        col = mix(col, deep, 1 - smoothstep(0.1, 0.13, dot));
        col = mix(col, gold, 1 - smoothstep(0.035, 0.05, dot));
        return col;
    });
    return c;
}

// Water: deep blue with the bright web of caustic ripples.
Canvas paintWater() {
    Canvas c(256);
    const Colour deep = rgb(18, 72, 128), shallow = rgb(48, 140, 190), crest = rgb(210, 240, 250);
    c.fill([&](double u, double v) {
        double wu = u + 0.08 * (fbm(u, v, 3, 3, 61) - 0.5);
        double wv = v + 0.08 * (fbm(u, v, 3, 3, 62) - 0.5);
        double body = fbm(wu, wv, 4, 4, 63);
        double ridge1 = 1 - std::fabs(2 * fbm(wu, wv, 6, 3, 64) - 1);
        double ridge2 = 1 - std::fabs(2 * fbm(wu + 0.37, wv, 10, 2, 65) - 1);
        double caustic = std::pow(ridge1, 10) + 0.6 * std::pow(ridge2, 14);
        Colour col = mix(deep, shallow, body);
        return mix(col, crest, clamp01(caustic));
    });
    return c;
}

// Sand: pale grains over soft ripple bands, with dark and light specks.
Canvas paintSand() {
    Canvas c(256);
    const Colour sand = rgb(222, 196, 146), shade = rgb(176, 148, 100);
    c.fill([&](double u, double v) {
        double bands = 0.5 + 0.5 * std::sin((v * 6 + 0.6 * fbm(u, v, 3, 3, 71)) * 2 * pi);
        Colour col = mix(shade, sand, 0.55 + 0.35 * bands);
        col = col * (0.9 + 0.18 * fbm(u, v, 16, 3, 72));
        int gx = static_cast<int>(u * 256), gy = static_cast<int>(v * 256);
        double grain = hash01(gx, gy, 73);
        col = col * (0.92 + 0.16 * grain);
        double speck = hash01(gx, gy, 74);
        if (speck < 0.02) col = col * 0.6;
        if (speck > 0.985) col = mix(col, Colour{1, 1, 1}, 0.6);
        return col;
    });
    return c;
}

// Marble: white stone with grey, branching veins.
Canvas paintMarble() {
    Canvas c(256);
    const Colour stone = rgb(238, 236, 230), vein = rgb(92, 96, 108), cloud = rgb(206, 204, 200);
    c.fill([&](double u, double v) {
        double turbulence = fbm(u, v, 3, 5, 81);
        double s = std::sin((u + v * 0.6) * 2 * pi * 2 + turbulence * 9);
        double veinStrength = std::pow(1 - std::fabs(s), 14);
        double fine = std::pow(1 - std::fabs(std::sin((u * 0.3 - v) * 2 * pi * 3 + fbm(u, v, 5, 4, 82) * 12)), 40);
        Colour col = mix(stone, cloud, fbm(u, v, 4, 4, 83));
        col = mix(col, vein, clamp01(0.85 * veinStrength + 0.45 * fine));
        return col;
    });
    return c;
}

// ---------------------------------------------------------------- paintings

// A gilt frame round every painting: a bevelled gold moulding with a dark inner lip.
void frame(Canvas& c) {
    const double width = 0.055;
    const Colour gold = rgb(200, 160, 72), shadow = rgb(96, 70, 26);
    c.coverWith(
        [&](double u, double v) {
            double edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
            double across = edge / width;  // 0 at the outside, 1 at the picture
            double bead = 0.75 + 0.35 * std::sin(across * pi);
            // Left and top mouldings catch the light.
            bool lit = (u < v) == (u < 1 - v) ? (u < 0.5) : (v > 0.5);
            Colour g = gold * (bead * (lit ? 1.1 : 0.82));
            g = g * (0.92 + 0.1 * fbm(u, v, 32, 2, 91));
            return across > 0.88 ? shadow : g;
        },
        [&](double u, double v) {
            double edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
            return edge < width ? 1.0 : 0.0;
        });
}

// Brush texture: faint horizontal strokes so the flat areas read as paint.
Colour brushed(Colour c, double u, double v, uint32_t seed) {
    return c * (0.95 + 0.07 * valueNoise(u * 20, v * 140, 20, seed));
}

// picture1: a landscape -- sky, sun, clouds, blue mountains, green hills and a tree.
Canvas paintLandscape() {
    Canvas c(512);
    c.fill([](double u, double v) {
        Colour sky = mix(rgb(238, 232, 206), rgb(92, 146, 214), smoothstep(0.45, 1.0, v));
        double cloud = smoothstep(0.55, 0.75, fbm(u * 1.5, v * 3, 3, 5, 101)) * smoothstep(0.55, 0.8, v);
        return brushed(mix(sky, Colour{1, 1, 1}, cloud * 0.9), u, v, 102);
    });
    c.cover(
        rgb(255, 236, 160), [&](double u, double v) { return c.inside(circleDistance(u, v, 0.74, 0.78, 0.06)); },
        around(0.74, 0.78, 0.06));
    // Far mountains, then two rolling hills, each a ragged horizon.
    c.coverWith([](double u, double v) { return brushed(mix(rgb(110, 128, 168), rgb(150, 164, 196), v), u, v, 103); },
                [&](double u, double v) {
                    double ridge = 0.52 + 0.12 * std::fabs(std::sin(u * 5.3)) + 0.06 * fbm(u, 0, 4, 4, 104);
                    return c.inside(v - ridge);
                });
    c.coverWith([](double u, double v) { return brushed(mix(rgb(96, 150, 70), rgb(140, 180, 90), v * 2), u, v, 105); },
                [&](double u, double v) { return c.inside(v - (0.42 + 0.07 * std::sin(u * 7 + 1.0))); });
    c.coverWith([](double u, double v) { return brushed(mix(rgb(60, 112, 46), rgb(104, 150, 64), v * 3), u, v, 106); },
                [&](double u, double v) { return c.inside(v - (0.28 + 0.06 * std::sin(u * 4.5 + 2.4))); });
    // A path winding down the near hill.
    c.cover(rgb(196, 170, 120), [&](double u, double v) {
        double centre = 0.42 + 0.1 * std::sin(v * 14);
        double halfWidth = 0.005 + 0.05 * (0.3 - v);
        return v < 0.3 ? c.inside(std::fabs(u - centre) - halfWidth) : 0.0;
    });
    // The tree: a trunk and a crown of overlapping leafy balls.
    c.cover(rgb(92, 60, 34), [&](double u, double v) { return c.inside(boxDistance(u, v, 0.235, 0.25, 0.265, 0.47)); },
            {0.22, 0.24, 0.28, 0.48});
    const double crown[][3] = {{0.25, 0.52, 0.075}, {0.2, 0.48, 0.06}, {0.3, 0.48, 0.06}, {0.25, 0.58, 0.055}};
    for (const auto& ball : crown)
        c.coverWith(
            [&](double u, double v) {
                return shadedBall(u, v, ball[0], ball[1], ball[2], rgb(52, 110, 44)) *
                       (0.85 + 0.3 * fbm(u, v, 64, 2, 107));
            },
            [&](double u, double v) { return c.inside(circleDistance(u, v, ball[0], ball[1], ball[2])); },
            around(ball[0], ball[1], ball[2]));
    frame(c);
    return c;
}

// picture2: a seascape at sunset -- glowing sky, setting sun, waves, its path of light, a sailing boat.
Canvas paintSeascape() {
    Canvas c(512);
    const double horizon = 0.45;
    c.fill([&](double u, double v) {
        if (v > horizon) {
            Colour sky = mix(rgb(250, 176, 90), rgb(120, 80, 150), smoothstep(horizon, 1.0, v));
            double streak = smoothstep(0.6, 0.8, fbm(u * 0.6, v * 6, 2, 4, 111)) * 0.5;
            return brushed(mix(sky, rgb(255, 214, 170), streak), u, v, 112);
        }
        double depth = (horizon - v) / horizon;
        Colour sea = mix(rgb(60, 80, 130), rgb(20, 40, 86), depth);
        double wave = std::pow(valueNoise(u * 40 * (1 + depth), v * 180, 1 << 20, 113), 6);
        double path = std::exp(-std::pow((u - 0.62) / (0.03 + 0.12 * depth), 2));
        sea = mix(sea, rgb(250, 200, 120), clamp01(wave * (0.5 + 1.5 * path)));
        return sea;
    });
    c.cover(
        rgb(255, 222, 140),
        [&](double u, double v) {
            return v > horizon ? c.inside(circleDistance(u, v, 0.62, horizon + 0.01, 0.07)) : 0.0;
        },
        around(0.62, horizon + 0.01, 0.07));
    // A low island on the left horizon.
    c.cover(rgb(70, 60, 90), [&](double u, double v) {
        double top = horizon + 0.05 * std::exp(-std::pow((u - 0.2) / 0.1, 2));
        return (v >= horizon - 0.003) ? c.inside(v - top) : 0.0;
    });
    // The boat: a dark hull and two pale sails.
    c.cover(rgb(50, 36, 30),
            [&](double u, double v) {
                return c.inside(convexDistance(u, v, {{0.3, 0.3}, {0.44, 0.3}, {0.47, 0.34}, {0.27, 0.34}}));
            },
            {0.26, 0.29, 0.48, 0.35});
    c.cover(rgb(60, 44, 34), [&](double u, double v) { return c.inside(boxDistance(u, v, 0.366, 0.34, 0.372, 0.6)); },
            {0.36, 0.33, 0.38, 0.61});
    c.coverWith([](double u, double) { return mix(rgb(246, 230, 206), rgb(255, 200, 150), u * 2 - 0.5); },
                [&](double u, double v) {
                    return c.inside(convexDistance(u, v, {{0.375, 0.36}, {0.45, 0.36}, {0.375, 0.58}}));
                },
                {0.36, 0.35, 0.46, 0.59});
    c.coverWith([](double, double v) { return mix(rgb(226, 210, 190), rgb(240, 190, 150), v); },
                [&](double u, double v) {
                    return c.inside(convexDistance(u, v, {{0.3, 0.37}, {0.363, 0.37}, {0.363, 0.55}}));
                },
                {0.29, 0.36, 0.37, 0.56});
    frame(c);
    return c;
}

// picture3: a still life -- a blue vase and a bowl of fruit on a draped table before a dark wall.
Canvas paintStillLife() {
    Canvas c(512);
    const double tableTop = 0.34;
    c.fill([&](double u, double v) {
        if (v > tableTop) {
            Colour wall = mix(rgb(48, 36, 30), rgb(96, 74, 52), clamp01(1.2 - length(u - 0.45, v - 0.6) * 1.6));
            return brushed(wall, u, v, 121);
        }
        double fold = 0.5 + 0.5 * std::sin(u * 38 + 3 * fbm(u, v, 3, 3, 122));
        Colour cloth = mix(rgb(150, 40, 36), rgb(196, 70, 56), fold);
        return brushed(cloth * (0.7 + 0.3 * (v / tableTop)), u, v, 123);
    });
    // The vase: its outline swells from a narrow foot to a round body and a flared neck.
    auto vaseHalfWidth = [](double v) {
        double t = (v - 0.32) / 0.4;  // 0 at the foot, 1 at the lip
        if (t < 0 || t > 1) return -1.0;
        double body = 0.09 * std::sin(std::min(t / 0.7, 1.0) * pi);
        double neck = t > 0.7 ? 0.03 + 0.04 * smoothstep(0.85, 1.0, t) : 0.0;
        return std::max(body, neck) + 0.025;
    };
    c.coverWith(
        [&](double u, double v) {
            double w = std::max(vaseHalfWidth(v), 1e-3);
            double nx = (u - 0.3) / w;
            double light = clamp01(0.55 - 0.45 * nx) + std::pow(clamp01(1 - std::fabs(nx + 0.45) * 6), 3) * 0.6;
            return rgb(44, 84, 160) * (0.4 + 0.9 * light);
        },
        [&](double u, double v) {
            double w = vaseHalfWidth(v);
            return w < 0 ? 0.0 : c.inside(std::fabs(u - 0.3) - w);
        },
        {0.15, 0.31, 0.45, 0.73});
    // The bowl, and the fruit in it: oranges, red apples and a green pear-ish ball.
    struct Fruit {
        double x, y, r;
        Colour colour;
    };
    const Fruit fruits[] = {
        {0.6, 0.39, 0.065, rgb(236, 140, 30)},  {0.72, 0.4, 0.06, rgb(190, 30, 34)},
        {0.66, 0.46, 0.062, rgb(120, 170, 50)}, {0.54, 0.45, 0.055, rgb(200, 36, 40)},
        {0.78, 0.46, 0.05, rgb(236, 150, 40)},
    };
    for (const Fruit& f : fruits)
        c.coverWith([&](double u, double v) { return shadedBall(u, v, f.x, f.y, f.r, f.colour); },
                    [&](double u, double v) { return c.inside(circleDistance(u, v, f.x, f.y, f.r)); },
                    around(f.x, f.y, f.r));
    c.coverWith(
        [](double u, double v) {
            return mix(rgb(230, 222, 200), rgb(150, 140, 120), clamp01((0.4 - v) * 8 + (u - 0.66) * 2));
        },
        [&](double u, double v) {
            double d = length((u - 0.66) / 0.17, (v - 0.4) / 0.1) - 1;
            return v < 0.4 ? c.inside(d * 0.1) : 0.0;
        },
        {0.48, 0.29, 0.84, 0.41});
    // A lemon lying on the cloth.
    c.coverWith([](double u, double v) { return shadedBall(u, v, 0.45, 0.28, 0.045, rgb(240, 214, 50)); },
                [&](double u, double v) { return c.inside((length((u - 0.45) / 1.3, v - 0.28) - 0.035)); },
                around(0.45, 0.28, 0.05));
    frame(c);
    return c;
}

// picture4: an abstract -- blocks of primary colour in a heavy black grid, crossed by rings.
Canvas paintAbstract() {
    Canvas c(512);
    c.fill([](double u, double v) { return brushed(rgb(240, 236, 224), u, v, 131); });
    struct Block {
        double x0, y0, x1, y1;
        Colour colour;
    };
    const Block blocks[] = {
        {0.0, 0.55, 0.42, 1.0, rgb(206, 40, 36)},   {0.72, 0.0, 1.0, 0.3, rgb(30, 70, 160)},
        {0.42, 0.0, 0.72, 0.18, rgb(244, 200, 30)}, {0.72, 0.78, 1.0, 1.0, rgb(244, 200, 30)},
        {0.0, 0.0, 0.18, 0.3, rgb(30, 30, 34)},
    };
    for (const Block& b : blocks)
        c.coverWith([&](double u, double v) { return brushed(b.colour, u, v, 132); },
                    [&](double u, double v) { return c.inside(boxDistance(u, v, b.x0, b.y0, b.x1, b.y1)); },
                    {b.x0 - 0.01, b.y0 - 0.01, b.x1 + 0.01, b.y1 + 0.01});
    const double columns[] = {0.18, 0.42, 0.72}, rows[] = {0.3, 0.55, 0.78};
    for (double x : columns)
        c.cover(rgb(20, 20, 22), [&](double u, double) { return c.inside(std::fabs(u - x) - 0.014); },
                {x - 0.02, 0, x + 0.02, 1});
    for (double y : rows)
        c.cover(rgb(20, 20, 22), [&](double, double v) { return c.inside(std::fabs(v - y) - 0.014); },
                {0, y - 0.02, 1, y + 0.02});
    // Concentric rings drifting over the grid.
    c.cover(
        rgb(30, 130, 110),
        [&](double u, double v) {
            double r = length(u - 0.6, v - 0.62);
            return r < 0.2 ? c.inside(std::fabs(fract(r * 20) - 0.5) / 20 - 0.012) * 0.85 : 0.0;
        },
        around(0.6, 0.62, 0.2));
    frame(c);
    return c;
}

// ---------------------------------------------------------------- files

// Uncompressed 24-bit with the classic 54-byte header, written by stb_image_write; square
// power-of-two sizes need no row padding. stb takes the rows top first unless told to flip, and
// the canvas keeps them bottom first, as the file does.
bool writeBitmap(const std::string& path, const Canvas& canvas) {
    const std::vector<unsigned char> pixels = canvas.rgbBytes();
    stbi_flip_vertically_on_write(1);
    return stbi_write_bmp(path.c_str(), canvas.size(), canvas.size(), 3, pixels.data()) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_textures DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "gen_textures: cannot create %s: %s\n", dir.c_str(), error.message().c_str());
        return 1;
    }
    struct Texture {
        const char* name;
        Canvas (*paint)();
    };
    const Texture textures[] = {
        {"floor", paintFloor},           {"wood", paintWood},
        {"picture4", paintAbstract},     {"picture1", paintLandscape},
        {"picture2", paintSeascape},     {"picture3", paintStillLife},
        {"waterSurface3", paintWater},   {"sandSurface", paintSand},
        {"ceiling", paintCeiling},       {"wallPaper", paintWallPaper},
        {"wallPaper1", paintWallPaper1}, {"marble", paintMarble},
    };
    for (const Texture& t : textures) {
        std::string path = dir + "/" + t.name + ".bmp";
        if (!writeBitmap(path, t.paint())) {
            std::fprintf(stderr, "gen_textures: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
