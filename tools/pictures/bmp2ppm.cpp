// Reads a bitmap file with the renderer's loader and writes what it got as a
// binary PPM (top row first), or prints the loader's message and exits with 1.

#include <cstdio>
#include <cstdlib>

#include "bitmap_loader.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bmp2ppm IN.bmp OUT.ppm\n");
        return 2;
    }
    RgbImage* image = LoadCaptureImage(argv[1]);
    if (!image) {
        std::fprintf(stderr, "bmp2ppm: %s: no picture\n", argv[1]);
        return 1;
    }

    int status = 0;
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::perror(argv[2]);
        status = 1;
    } else {
        const size_t rowBytes = size_t{3} * image->width;
        std::fprintf(out, "P6\n%d %d\n255\n", image->width, image->height);
        for (int32_t row = image->height - 1; row >= 0; --row)
            std::fwrite(image->pixels + row * rowBytes, 1, rowBytes, out);
        if (std::fclose(out) != 0) {
            std::perror(argv[2]);
            status = 1;
        }
    }
    FreeRgbImage(image);
    return status;
}
