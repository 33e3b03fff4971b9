#include "WebPlatform.h"

#include "WebWindow.h"

#include <emscripten.h>

// clang-format off
// The time in seconds since the Unix epoch, to the resolution of performance.now().
EM_JS(double, sbUnixSeconds, (), {
    return (performance.timeOrigin + performance.now()) / 1000;
});

// Yields to the browser once: it handles the input waiting, and draws when a
// frame of the display is due. Most yields are a message the page posts to
// itself, which comes back at once: a timeout would be clamped to 4 ms when
// nested, and a MessageChannel goes through another process in WebKit. But
// between such messages Firefox seldom renders, so when a frame is due the
// yield waits for the browser's frame callback, which comes as it renders,
// and goes on after the picture. It waits frameWait (1 ms) at most, so that
// the pace never follows the paint: where the engine paints late (WebKit
// compositing in software, a display or a power saving mode at 30 Hz, a
// hidden page) it waits no more until a callback comes.
EM_ASYNC_JS(void, sbYield, (), {
    const y = Module.sortbarsYield || (Module.sortbarsYield = (() => {
        const y = { frameWait: 1, waiting: [], asked: false, starved: false, last: 0, period: 1000 / 60,
                    onFrame: null };
        window.addEventListener('message', (e) => {
            if (e.source !== window || e.data !== 'sortbars-yield') return;
            e.stopImmediatePropagation();
            y.waiting.shift()();
        });
        y.post = (resolve) => {
            y.waiting.push(resolve);
            window.postMessage('sortbars-yield', '*');
        };
        // The display's frame period, from callbacks that follow each other.
        y.frame = (time) => {
            if (time - y.last < 50) y.period = Math.max(4, 0.9 * y.period + 0.1 * (time - y.last));
            y.last = time;
            y.asked = y.starved = false;
            const go = y.onFrame;
            y.onFrame = null;
            if (go) go();
        };
        return y;
    })());
    if (!y.asked) {
        y.asked = true;
        requestAnimationFrame(y.frame);
    }
    const due = !y.starved && !document.hidden && performance.now() - y.last >= y.period;
    await new Promise((resolve) => {
        if (!due) return y.post(resolve);
        const timer = setTimeout(() => { y.starved = true; y.onFrame = null; y.post(resolve); }, y.frameWait);
        y.onFrame = () => { clearTimeout(timer); y.post(resolve); };
    });
});

EM_JS(int, sbCloseRequested, (), {
    return Module.sortbars.closeRequested ? 1 : 0;
});

// A modal dialog with the critical icon, the text and OK; returns once it is
// dismissed, by OK or by Escape.
EM_ASYNC_JS(void, sbMessageBox, (const char* title, const char* text), {
    const dialog = document.createElement('dialog');
    dialog.className = 'message';
    dialog.setAttribute('role', 'alertdialog');
    dialog.setAttribute('aria-modal', 'true');
    const heading = document.createElement('div');
    heading.className = 'title';
    heading.id = 'sortbars-message-title';
    heading.textContent = UTF8ToString(title);
    const body = document.createElement('p');
    body.id = 'sortbars-message-text';
    const icon = document.createElement('span');
    icon.className = 'critical';
    icon.setAttribute('role', 'img');
    icon.setAttribute('aria-label', 'Error');
    icon.textContent = '\u2716';
    body.append(icon, UTF8ToString(text));
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    dialog.setAttribute('aria-labelledby', heading.id);
    dialog.setAttribute('aria-describedby', body.id);
    dialog.append(heading, body, ok);
    document.getElementById('sortbars').append(dialog);
    await new Promise((resolve) => {
        ok.onclick = () => dialog.close();
        dialog.onclose = () => resolve();
        dialog.showModal();
        ok.focus();
    });
    dialog.remove();
});

// The window goes, and the page says in one line that the program ended.
EM_JS(void, sbEnd, (int status), {
    const s = Module.sortbars;
    s.ended = true;
    s.window.remove();
    const line = document.createElement('p');
    line.className = 'ended';
    line.textContent = 'sortbars has ended' + (status ? " after an error" : "") + '. Reload the page to start it again.';
    document.getElementById('sortbars').append(line);
});
// clang-format on

namespace rt
{

double WebPlatform::unixSeconds() const
{
    return sbUnixSeconds();
}

void WebPlatform::pump()
{
    if (window_)
        window_->drawIfChanged();
    sbYield();
    // A close that came while the program was suspended here.
    if (window_ && sbCloseRequested())
        window_->close();
}

void WebPlatform::messageBox(const Message& message)
{
    // Message has one icon and one button set today: a critical stop with OK.
    if (window_)
        window_->drawIfChanged();
    sbMessageBox(message.title.c_str(), message.text.c_str());
}

void WebPlatform::end(int status)
{
    // No further program code runs: the runtime halts here.
    sbEnd(status);
    emscripten_force_exit(status);
    __builtin_unreachable();
}

} // namespace rt
