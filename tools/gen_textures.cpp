// gen_textures.cpp -- writes the twelve textures (plain colours for now) as 24-bit bitmaps.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {
void put16(std::vector<unsigned char>& b, uint16_t v) {
    b.push_back(v & 0xff);
    b.push_back(v >> 8);
}
void put32(std::vector<unsigned char>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xff);
}

bool writeBitmap(const std::string& path, int size, unsigned char r, unsigned char g, unsigned char bl) {
    std::vector<unsigned char> b;
    uint32_t pixels = static_cast<uint32_t>(size * size * 3);
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + pixels);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<uint32_t>(size));
    put32(b, static_cast<uint32_t>(size));
    put16(b, 1);
    put16(b, 24);
    for (int i = 0; i < 6; ++i) put32(b, 0);
    for (int i = 0; i < size * size; ++i) {
        b.push_back(bl);
        b.push_back(g);
        b.push_back(r);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_textures DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::string mk = "mkdir -p '" + dir + "'";
    if (std::system(mk.c_str()) != 0) return 1;
    const char* names[] = {"floor",         "wood",        "picture4", "picture1",  "picture2",   "picture3",
                           "waterSurface3", "sandSurface", "ceiling",  "wallPaper", "wallPaper1", "marble"};
    int shade = 40;
    for (const char* name : names) {
        if (!writeBitmap(dir + "/" + name + ".bmp", 256, static_cast<unsigned char>(shade), 128,
                         static_cast<unsigned char>(255 - shade)))
            return 1;
        shade += 15;
    }
    return 0;
}
