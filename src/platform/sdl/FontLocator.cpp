#include "platform/sdl/FontLocator.h"

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <utility>

namespace platform {
namespace {

void appendFile(FcPattern* font, std::vector<FontFile>& files) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return;
    int index = 0;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    FontFile found{reinterpret_cast<const char*>(file), index};
    // The best match leads the list and comes again in the sorted set.
    if (!files.empty() && files.front().path == found.path && files.front().index == found.index) return;
    files.push_back(std::move(found));
}

}  // namespace

void FontLocator::startLoading() {
    if (loaded_ || loading_.valid()) return;
    try {
        loading_ = std::async(std::launch::async, FcInitLoadConfigAndFonts);
    } catch (const std::system_error&) {
        // No thread to spare: the first look-up loads it.
    }
}

void FontLocator::finishLoading() const {
    if (loading_.valid()) config();
}

FontLocator::~FontLocator() {
    // A configuration never asked for is not read just to be thrown away.
    if (!loaded_ && !loading_.valid()) return;
    if (FcConfig* loaded = config()) FcConfigDestroy(loaded);
}

FcConfig* FontLocator::config() const {
    if (loading_.valid()) {
        config_ = loading_.get();
        loaded_ = true;
    } else if (!loaded_) {
        config_ = FcInitLoadConfigAndFonts();
        loaded_ = true;
    }
    return config_;
}

std::vector<FontFile> FontLocator::candidates(const std::string& face) const {
    std::vector<FontFile> files;
    FcConfig* const loaded = config();
    if (loaded == nullptr) return files;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return files;
    if (!face.empty()) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    }
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    // The desktop's aliases ("Times New Roman" -> Liberation Serif) live in the substitutions.
    FcConfigSubstitute(loaded, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    // The best match first, then every other font in order of likeness.
    FcResult result = FcResultNoMatch;
    if (FcPattern* best = FcFontMatch(loaded, pattern, &result)) {
        appendFile(best, files);
        FcPatternDestroy(best);
    }
    if (FcFontSet* sorted = FcFontSort(loaded, pattern, FcFalse, nullptr, &result)) {
        for (int i = 0; i < sorted->nfont; ++i) appendFile(sorted->fonts[i], files);
        FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return files;
}

}  // namespace platform
