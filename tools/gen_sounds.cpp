// gen_sounds.cpp -- writes the eight wave files (short silences for now) as 16-bit PCM.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
bool writeWave(const std::string& path, uint32_t samples) {
    std::vector<unsigned char> b = {'R', 'I', 'F', 'F'};
    put32(b, 36 + samples * 2);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<unsigned char>(c));
    put32(b, 16);
    put16(b, 1);
    put16(b, 1);
    put32(b, 22050);
    put32(b, 44100);
    put16(b, 2);
    put16(b, 16);
    for (char c : std::string("data")) b.push_back(static_cast<unsigned char>(c));
    put32(b, samples * 2);
    b.resize(b.size() + samples * 2, 0);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::string mk = "mkdir -p '" + dir + "'";
    if (std::system(mk.c_str()) != 0) return 1;
    for (const char* name : {"CHECKERS", "CLAP", "realjbeq1", "CHIMES", "REMINDER", "goodbye", "correct", "5169"})
        if (!writeWave(dir + "/" + name + ".wav", 2205)) return 1;
    return 0;
}
