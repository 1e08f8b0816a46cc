// imagegen <outdir> [<icondir>]: draws every game picture and writes it as a
// bitmap into outdir; with icondir also the program's icon, as glintwake.png for
// desktops and glintwake.bmp for the window.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "BmpWriter.h"
#include "Images.h"
#include "PngWriter.h"

namespace {

int writeIcon(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const imagegen::Canvas icon = imagegen::drawIcon();
    int failures = 0;
    for (const auto& [name, write] : {std::pair{"/glintwake.png", &imagegen::writePng},
                                      std::pair{"/glintwake.bmp", &imagegen::writeBmp}}) {
        if (write(dir + name, icon)) continue;
        std::fprintf(stderr, "imagegen: cannot write %s%s\n", dir.c_str(), name);
        ++failures;
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> [<icon folder>]\n", argv[0]);
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
    if (argc == 3) failures += writeIcon(argv[2]);
    return failures == 0 ? 0 : 1;
}
