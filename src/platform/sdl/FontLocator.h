#pragma once
// Finds font files by face name the way a desktop does, through fontconfig:
// "Times New Roman" gives its metric-compatible serif, unknown faces a default.
#include <future>
#include <string>
#include <vector>

// fontconfig's configuration type, declared as fontconfig declares it.
typedef struct _FcConfig FcConfig;

namespace platform {

struct FontFile {
    std::string path;
    int index = 0;  // face within a font collection
};

class FontLocator {
public:
    // Uses a private fontconfig configuration, leaving the process-wide one alone.
    // It is read by the first look-up, unless startLoading() began it earlier.
    FontLocator() = default;
    FontLocator(const FontLocator&) = delete;
    FontLocator& operator=(const FontLocator&) = delete;
    ~FontLocator();

    // Every font fontconfig knows, best match for `face` first, so that a caller
    // can fall back to any font that opens. Empty only when there are no fonts.
    std::vector<FontFile> candidates(const std::string& face) const;

    // Reads the configuration on a thread of its own (tens of milliseconds) while the
    // caller goes on; the first look-up waits for it. Nothing may fork meanwhile:
    // a child forked while that thread holds an allocator lock can hang before it execs.
    void startLoading();
    // Waits for a reading that startLoading() began; does nothing otherwise.
    void finishLoading() const;

private:
    FcConfig* config() const;

    mutable std::future<FcConfig*> loading_;
    mutable FcConfig* config_ = nullptr;
    mutable bool loaded_ = false;
};

}  // namespace platform
