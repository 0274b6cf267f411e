// gen_icon.cpp -- paints Glintmere's desktop icon (a fish in a tank of water) as a square PNG.
// Usage: gen_icon SIZE FILE.png
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

Rgba over(Rgba top, Rgba below) {
    double a = top.a + below.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mixChannel = [&](double t, double u) { return (t * top.a + u * below.a * (1 - top.a)) / a; };
    return {mixChannel(top.r, below.r), mixChannel(top.g, below.g), mixChannel(top.b, below.b), a};
}

double smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Signed distance to a rounded square centred on (0.5, 0.5).
double roundedSquare(double u, double v, double half, double radius) {
    double qx = std::fabs(u - 0.5) - half + radius, qy = std::fabs(v - 0.5) - half + radius;
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// The icon at one point of the unit square, v running downwards.
Rgba paint(double u, double v) {
    Rgba colour{0, 0, 0, 0};
    double tank = roundedSquare(u, v, 0.46, 0.12);
    if (tank > 0.012) return colour;

    // Water: light at the surface, deep below, with a few bright caustic bands.
    double depth = std::clamp((v - 0.1) / 0.8, 0.0, 1.0);
    Rgba water{0.35 - 0.25 * depth, 0.75 - 0.35 * depth, 0.95 - 0.3 * depth, 1};
    double caustic = std::pow(std::fabs(std::sin(18 * u + 6 * std::sin(9 * v))), 24) * (1 - depth) * 0.35;
    water.r += caustic;
    water.g += caustic;
    water.b += caustic;
    colour = water;

    // Sand: a wavy band along the bottom.
    double sandTop = 0.8 + 0.025 * std::sin(14 * u);
    double sand = smooth(sandTop - 0.008, sandTop + 0.008, v);
    colour = over({0.93, 0.80, 0.52, sand}, colour);

    // A plant of three swaying blades on the left.
    for (int blade = 0; blade < 3; ++blade) {
        double base = 0.17 + 0.06 * blade, height = 0.38 + 0.1 * (blade % 2);
        double t = (sandTop - v) / height;
        if (t < 0 || t > 1) continue;
        double centre = base + 0.04 * std::sin(6 * t + blade) * t;
        double width = 0.022 * (1 - 0.7 * t);
        double cover = 1 - smooth(width - 0.006, width + 0.006, std::fabs(u - centre));
        colour = over({0.20, 0.62 + 0.1 * blade, 0.25, cover}, colour);
    }

    // The fish: an orange body facing left, a forked tail, a fin, an eye with a glint.
    double fx = (u - 0.50) / 0.20, fy = (v - 0.47) / 0.13;
    double body = std::hypot(fx, fy) - 1;
    double tailX = (u - 0.64) / 0.20, tailY = (v - 0.47) / 0.17;
    bool inTail = tailX > 0 && tailX < 1 && std::fabs(tailY) < tailX && std::fabs(tailY) > 0.25 * tailX - 0.05;
    double fish = std::min(body * 0.13, inTail ? -0.01 : 0.05);
    double fishCover = 1 - smooth(-0.006, 0.006, fish);
    double stripe = std::fabs(u - 0.54) < 0.025 && body < 0 ? 1.0 : 0.0;
    Rgba fishColour = stripe > 0 ? Rgba{1, 0.95, 0.88, 1} : Rgba{0.98, 0.50 - 0.15 * fy, 0.12, 1};
    colour = over({fishColour.r, fishColour.g, fishColour.b, fishCover}, colour);
    double eye = std::hypot(u - 0.38, v - 0.44);
    colour = over({0.05, 0.05, 0.08, 1 - smooth(0.022, 0.03, eye)}, colour);
    colour = over({1, 1, 1, 1 - smooth(0.006, 0.011, std::hypot(u - 0.373, v - 0.432))}, colour);

    // Bubbles rising from the fish's mouth: thin bright rings.
    const double bubbles[3][3] = {{0.25, 0.35, 0.028}, {0.22, 0.24, 0.022}, {0.26, 0.14, 0.017}};
    for (const auto& b : bubbles) {
        double ring = std::fabs(std::hypot(u - b[0], v - b[1]) - b[2]);
        colour = over({0.92, 0.98, 1, 0.9 * (1 - smooth(0.004, 0.008, ring))}, colour);
    }

    // Glass: a pale rim, and the whole icon cut to the rounded square.
    double rim = 1 - smooth(0.0, 0.02, std::fabs(tank + 0.012));
    colour = over({0.85, 0.95, 1, 0.8 * rim}, colour);
    colour.a *= 1 - smooth(0.0, 0.012, tank);
    return colour;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_icon SIZE FILE.png\n");
        return 2;
    }
    int size = std::atoi(argv[1]);
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "gen_icon: size %s is not between 16 and 1024\n", argv[1]);
        return 2;
    }
    // Four by four samples per pixel keep the edges smooth at small sizes.
    constexpr int samples = 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(size) * static_cast<size_t>(size) * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    Rgba c = paint((x + (sx + 0.5) / samples) / size, (y + (sy + 0.5) / samples) / size);
                    sum[0] += c.r * c.a;
                    sum[1] += c.g * c.a;
                    sum[2] += c.b * c.a;
                    sum[3] += c.a;
                }
            }
            unsigned char* out =
                &pixels[(static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)) * 4];
            double alpha = sum[3] / (samples * samples);
            for (int k = 0; k < 3; ++k) {
                double straight = sum[3] > 0 ? sum[k] / sum[3] : 0;
                out[k] = static_cast<unsigned char>(std::lround(std::clamp(straight, 0.0, 1.0) * 255));
            }
            out[3] = static_cast<unsigned char>(std::lround(alpha * 255));
        }
    }
    if (stbi_write_png(argv[2], size, size, 4, pixels.data(), size * 4) == 0) {
        std::fprintf(stderr, "gen_icon: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
