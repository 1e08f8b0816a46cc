#include "platform/TextCache.h"

#include <utility>

namespace platform {

const RenderedText* TextCache::find(FontHandle font, std::string_view text) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->font != font || it->text != text) continue;
        entries_.splice(entries_.begin(), entries_, it);
        return &entries_.front().rendered;
    }
    return nullptr;
}

const RenderedText& TextCache::insert(FontHandle font, std::string_view text, RenderedText rendered) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->font == font && it->text == text) {
            entries_.erase(it);
            break;
        }
    }
    while (capacity_ > 0 && entries_.size() >= capacity_) entries_.pop_back();
    entries_.push_front(Entry{font, std::string(text), std::move(rendered)});
    return entries_.front().rendered;
}

void TextCache::eraseFont(FontHandle font) {
    entries_.remove_if([font](const Entry& e) { return e.font == font; });
}

}  // namespace platform
