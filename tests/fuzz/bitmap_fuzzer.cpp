// bitmap_fuzzer.cpp -- libFuzzer target for the bitmap reader: any bytes as a file. The reader must
// never read or write past a buffer, and every refused file must carry one of its messages.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/console.h"
#include "room/bitmap.h"

namespace {

std::string printed;

int memoryFile() {
    static int fd = [] {
        int made = memfd_create("bitmap", 0);
        if (made < 0) std::abort();
        setConsoleSink([](std::string_view text) { printed.append(text); });
        return made;
    }();
    return fd;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    int fd = memoryFile();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes, size, 0) != static_cast<ssize_t>(size)) std::abort();
    std::string path = "/proc/self/fd/" + std::to_string(fd);

    printed.clear();
    BitmapImage image;
    int ok = loadBitmap(path.c_str(), &image);
    if (ok == 1) {
        if (!printed.empty()) std::abort();  // a loaded file prints nothing
        uint64_t count = uint64_t{image.sizeX} * image.sizeY * 3;
        if (count > size) std::abort();  // never more pixels than the file could hold
        unsigned sum = 0;
        for (uint64_t i = 0; i < count; ++i) sum += image.data[i];  // every byte is ours to read
        if (count > 0 && image.data == nullptr) std::abort();
        (void)sum;
        freeBitmapPixels(&image);
    } else {
        if (image.data != nullptr) std::abort();
        static const char* messages[] = {"File Not Found : ",
                                         "Planes from ",
                                         "Bpp from ",
                                         "Info header from ",
                                         "Compression from ",
                                         "Pixel data offset from ",
                                         "Error allocating memory for color-corrected image data",
                                         "Error reading image data from "};
        bool known = false;
        for (const char* m : messages) known = known || startsWith(printed, m);
        if (!known) {
            std::fprintf(stderr, "refused without one of the reader's messages: %s\n", printed.c_str());
            std::abort();
        }
    }
    return 0;
}
