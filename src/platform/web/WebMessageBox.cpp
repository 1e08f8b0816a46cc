#include "platform/web/WebMessageBox.h"

#include <emscripten/emscripten.h>

#include <cstdio>

namespace platform {
namespace {

// Built from text nodes, so the message can never be read as markup.
EM_JS(void, showPageBox, (const char* caption, const char* text), {
    var box = document.createElement('div');
    box.id = 'message-box';
    box.setAttribute('role', 'alertdialog');
    var title = document.createElement('div');
    title.className = 'caption';
    title.textContent = UTF8ToString(caption);
    var body = document.createElement('p');
    body.textContent = UTF8ToString(text);
    var ok = document.createElement('button');
    ok.textContent = 'OK';
    ok.addEventListener(
        'click', function() { box.remove(); });
    box.append(title, body, ok);
    document.body.classList.remove('playing');
    document.body.appendChild(box);
    ok.focus();
});

}  // namespace

void WebMessageBox::show(const char* caption, const char* text) {
    const char* shownCaption = caption != nullptr ? caption : "";
    const char* shownText = text != nullptr ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    showPageBox(shownCaption, shownText);
    shown_ = true;
}

}  // namespace platform
