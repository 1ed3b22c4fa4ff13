// Modal message boxes in the page: the text, the caption and the buttons in a dialog over the
// canvas, answered by a click, Return (the default button), Escape (OK or No) or N (No); each
// box is also written to the console.
#include <emscripten.h>

#include "platform/backend.h"
#include "platform/message_box.h"
#include "platform/web/web_internal.h"

namespace platform {

namespace {

// clang-format off
// Resolves with the button pressed. The page's stylesheet dresses the elements (#message-box).
EM_ASYNC_JS(int, showPageBox, (const char* textPointer, const char* captionPointer, int yesNo, int warning), {
    var text = UTF8ToString(textPointer);
    var caption = UTF8ToString(captionPointer);
    console.log('[' + caption + '] ' + text);
    var IDOK = 1, IDYES = 6, IDNO = 7;
    return await new Promise(function(resolve) {
        var box = document.createElement('div');
        box.id = 'message-box';
        box.setAttribute('role', 'alertdialog');
        box.setAttribute('aria-modal', 'true');
        if (warning) box.className = 'warning';
        var title = document.createElement('div');
        title.className = 'caption';
        title.textContent = caption;
        var body = document.createElement('pre');
        body.className = 'text';
        body.textContent = text;
        var buttons = document.createElement('div');
        buttons.className = 'buttons';
        box.append(title, body, buttons);
        var shade = document.createElement('div');
        shade.id = 'message-box-shade';
        shade.append(box);
        function close(answer) {
            window.removeEventListener('keydown', onKey, true);
            shade.remove();
            resolve(answer);
        }
        function onKey(event) {
            var answer = 0;
            if (event.key === 'Enter') answer = yesNo ? IDYES : IDOK;
            else if (event.key === 'Escape') answer = yesNo ? IDNO : IDOK;
            else if (yesNo && (event.key === 'n' || event.key === 'N')) answer = IDNO;
            else if (yesNo && (event.key === 'y' || event.key === 'Y')) answer = IDYES;
            event.stopPropagation();
            event.preventDefault();
            if (answer) close(answer);
        }
        var labels = yesNo ? [['Yes', IDYES], ['No', IDNO]] : [['OK', IDOK]];
        labels.forEach(function(label) {
            var button = document.createElement('button');
            button.textContent = label[0];
            button.dataset.answer = label[1];
            button.addEventListener('click', function() { close(label[1]); });
            buttons.append(button);
        });
        window.addEventListener('keydown', onKey, true);
        document.body.append(shade);
        buttons.firstChild.focus();
    });
});
// clang-format on

}  // namespace

int backendMessageBox(Window*, const char* text, const char* caption, unsigned type) {
    const bool yesNo = (type & buttonGroupMask) == MB_YESNO;
    const bool warning = (type & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION;
    setMessageBoxOpen(true);
    const int pressed = showPageBox(text, caption, yesNo ? 1 : 0, warning ? 1 : 0);
    setMessageBoxOpen(false);
    if (pressed == IDOK || pressed == IDYES || pressed == IDNO) return pressed;
    return yesNo ? IDNO : IDOK;
}

}  // namespace platform
