// imagegen <outdir>: draws every game picture and writes it as a bitmap into outdir.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "BmpWriter.h"
#include "Images.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string outDir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(outDir, error);  // an existing folder is fine
    int failures = 0;
    for (const imagegen::ImageDef& image : imagegen::allImages()) {
        const imagegen::Canvas canvas = image.draw();
        const std::string path = outDir + "/" + image.fileName;
        if (!imagegen::writeBmp(path, canvas)) {
            std::fprintf(stderr, "imagegen: cannot write %s\n", path.c_str());
            ++failures;
            continue;
        }
        std::printf("%-26s %3d x %3d, %d frame(s)\n", image.fileName, canvas.width(), canvas.height(),
                    image.frameCount);
    }
    return failures == 0 ? 0 : 1;
}
