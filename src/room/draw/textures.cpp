// textures.cpp -- loads the twelve bitmaps and uploads them as texture objects.
#include "room/draw/textures.h"

#include <GL/gl.h>

#include <new>

#include "core/console.h"
#include "room/bitmap.h"
#include "room/draw/textures_testing.h"

unsigned int floorTexture = 0;
unsigned int woodTexture = 0;
unsigned int picture4Texture = 0;
unsigned int picture1Texture = 0;
unsigned int picture2Texture = 0;
unsigned int picture3Texture = 0;
unsigned int waterTexture = 0;
unsigned int sandTexture = 0;
unsigned int ceilingTexture = 0;
unsigned int wallPaperTexture = 0;
unsigned int wallPaper1Texture = 0;
unsigned int marbleTexture = 0;

namespace {

ImageRecordAllocator recordAllocator = nullptr;

constexpr int textureCount = 12;

struct TextureFile {
    const char* fileName;
    unsigned int* name;
};

// In creation order; the names are generated two at a time, so neighbours form pairs.
const TextureFile textureFiles[textureCount] = {
    {"texture/floor.bmp", &floorTexture},           {"texture/wood.bmp", &woodTexture},
    {"texture/picture4.bmp", &picture4Texture},     {"texture/picture1.bmp", &picture1Texture},
    {"texture/picture2.bmp", &picture2Texture},     {"texture/picture3.bmp", &picture3Texture},
    {"texture/waterSurface3.bmp", &waterTexture},   {"texture/sandSurface.bmp", &sandTexture},
    {"texture/ceiling.bmp", &ceilingTexture},       {"texture/wallPaper.bmp", &wallPaperTexture},
    {"texture/wallPaper1.bmp", &wallPaper1Texture}, {"texture/marble.bmp", &marbleTexture},
};

BitmapImage* allocateRecord() {
    return recordAllocator ? recordAllocator() : new (std::nothrow) BitmapImage;
}

// True when GL will take an image of this size: not empty, within the largest size, and
// accepted by the proxy target (which also answers for sizes that are not powers of two).
bool glTakesSize(const BitmapImage& image, GLint largest) {
    if (image.sizeX == 0 || image.sizeY == 0) return false;
    if (largest <= 0 || image.sizeX > static_cast<uint32_t>(largest) || image.sizeY > static_cast<uint32_t>(largest))
        return false;
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 3, static_cast<GLsizei>(image.sizeX), static_cast<GLsizei>(image.sizeY), 0,
                 GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width != 0;
}

void upload(unsigned int name, const BitmapImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(image.sizeX), static_cast<GLsizei>(image.sizeY), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, image.data);
}

}  // namespace

void setImageRecordAllocator(ImageRecordAllocator allocate) {
    recordAllocator = allocate;
}

bool loadTextures() {
    BitmapImage* images[textureCount] = {};
    // Every record and its pixels go, whichever way the loading ends.
    struct Release {
        BitmapImage** images;
        ~Release() {
            for (int i = 0; i < textureCount; ++i) {
                if (images[i] == nullptr) continue;
                freeBitmapPixels(images[i]);
                delete images[i];
            }
        }
    } release{images};
    for (auto& image : images) {
        image = allocateRecord();
        if (!image) {
            consoleWrite("Error allocating space for image");
            return false;
        }
    }

    for (int i = 0; i < textureCount; ++i)
        if (!loadBitmap(textureFiles[i].fileName, images[i])) return false;

    // Every size is checked before the first upload, so a refused file leaves no half-made set.
    for (int i = 0; i < textureCount; ++i) {
        const BitmapImage& image = *images[i];
        bool empty = image.sizeX == 0 || image.sizeY == 0;
        GLint largest = 0;  // asked only for non-empty images, so an empty one is refused without GL
        if (!empty) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        if (empty || !glTakesSize(image, largest)) {
            consolePrintf("Texture size from %s is not usable: %u by %u (largest this OpenGL takes: %d)\n",
                          textureFiles[i].fileName, static_cast<unsigned>(image.sizeX),
                          static_cast<unsigned>(image.sizeY), static_cast<int>(largest));
            return false;
        }
    }

    // The reader packs the rows, so any width uploads straight.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int pair = 0; pair < textureCount; pair += 2) {
        GLuint names[2] = {0, 0};
        glGenTextures(2, names);
        *textureFiles[pair].name = names[0];
        *textureFiles[pair + 1].name = names[1];
        upload(names[0], *images[pair]);
        upload(names[1], *images[pair + 1]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    return true;
}
