#include "WebWindow.h"

#include <emscripten.h>

// The page's side of the window. Its state lives in Module.sortbars.
// clang-format off
EM_JS(void, sbCreateWindow, (const char* caption, const char* chart), {
    // busy until start-up has shown the window.
    const s = Module.sortbars = { buttons: [], meters: [], busy: true, closeRequested: false, ended: false };
    const root = document.getElementById('sortbars');
    s.window = document.createElement('div');
    s.window.className = 'window';
    s.window.hidden = true;
    const title = document.createElement('div');
    title.className = 'title';
    s.caption = document.createElement('span');
    s.caption.textContent = UTF8ToString(caption);
    s.close = document.createElement('button');
    s.close.className = 'close';
    s.close.setAttribute('aria-label', 'Close');
    s.close.tabIndex = -1;
    s.close.textContent = '\u2715';
    title.append(s.caption, s.close);
    s.client = document.createElement('div');
    s.client.className = 'client';
    s.canvas = document.createElement('canvas');
    s.canvas.setAttribute('aria-hidden', 'true');
    s.chart = document.createElement('div');
    s.chart.className = 'chart';
    s.chart.setAttribute('role', 'group');
    s.chart.setAttribute('aria-label', UTF8ToString(chart));
    s.client.append(s.canvas, s.chart);
    s.window.append(title, s.client);
    root.append(s.window);
    // The room inside the window's borders: the viewport, or the iframe's,
    // less the page's margins. Measured when it may have changed, not at
    // every frame. A phone widens its viewport to a page wider than the
    // screen and zooms out; the visual viewport times its zoom is the screen
    // all the same.
    s.room = [0, 0];
    const measure = () => {
        const page = getComputedStyle(document.body), frame = getComputedStyle(s.window), view = window.visualViewport;
        const sides = (style, a, b) => parseFloat(style[a]) + parseFloat(style[b]);
        const size = view ? [view.width * view.scale, view.height * view.scale]
                          : [document.documentElement.clientWidth, document.documentElement.clientHeight];
        s.room = [size[0] - sides(page, 'paddingLeft', 'paddingRight') - sides(frame, 'borderLeftWidth', 'borderRightWidth'),
                  size[1] - sides(page, 'paddingTop', 'paddingBottom') - sides(frame, 'borderTopWidth', 'borderBottomWidth')];
    };
    measure();
    // Zooming, turning a phone, resizing an iframe or moving to another
    // screen changes the room or the device pixels per CSS pixel: the window
    // is laid out and drawn again at the next chance, in a pump or after a
    // handler, or at once. A zoom resizes the viewport, and a media query on
    // the resolution tells of the rest; the new scale may arrive a frame
    // after either, so it is looked at for a few frames more.
    s.stale = false;
    const settle = (frames) => {
        measure();
        if (s.busy) s.stale = true;
        else s.run(() => Module._sortbarsRedraw());
        if (frames > 0) requestAnimationFrame(() => settle(frames - 1));
    };
    window.addEventListener('resize', () => settle(30));
    if (window.visualViewport) visualViewport.addEventListener('resize', () => settle(30));
    const watchScale = () => {
        matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)').addEventListener('change', () => {
            settle(30);
            watchScale();
        }, { once: true });
    };
    watchScale();
    // Input reaches the program only while it is not inside a handler: a
    // handler suspended in a pump must not be entered again. A close is
    // noted then, and acted on when the pump returns.
    // The program's end stops it with an ExitStatus, which ends here.
    const ended = (e) => { if (!e || e.name != 'ExitStatus') throw e; };
    // Runs a call into the program, unless one is running; a change of scale
    // that came meanwhile is drawn once it is over.
    const idle = () => {
        s.busy = false;
        if (s.stale && !s.ended) s.run(() => Module._sortbarsRedraw());
    };
    s.run = (call) => {
        if (s.busy || s.ended) return;
        s.busy = true;
        s.stale = false;
        try {
            Promise.resolve(call()).catch(ended).finally(idle);
        } catch (e) {
            ended(e);
            idle();
        }
    };
    s.close.onclick = () => {
        if (s.ended) return;
        if (s.busy) { s.closeRequested = true; return; }
        s.run(() => Module._sortbarsClose());
    };
});

EM_JS(void, sbAddButton, (const char* caption), {
    // Added in tab order: the order in the page is the order of Tab.
    const s = Module.sortbars;
    const index = s.buttons.length;
    const b = document.createElement('button');
    b.textContent = UTF8ToString(caption);
    b.onclick = () => s.run(() => Module.ccall('sortbarsClick', null, ['number'], [index], { async: true }));
    s.buttons.push(b);
    s.client.append(b);
});

// Sizes the window for a layout in device pixels: the client area W by H,
// a title bar TITLE CSS pixels high, and text FIT times its designed size.
EM_JS(void, sbLayOut, (int w, int h, double ratio, double title, double fit), {
    const s = Module.sortbars;
    s.ratio = ratio;
    for (const e of [s.client, s.canvas]) {
        e.style.width = w / ratio + 'px';
        e.style.height = h / ratio + 'px';
    }
    s.window.style.setProperty('--fit', fit);
    s.window.style.setProperty('--title-height', title + 'px');
});

EM_JS(void, sbPlaceButton, (int index, int x, int y, int w, int h), {
    const s = Module.sortbars, b = s.buttons[index];
    b.style.left = x / s.ratio + 'px';
    b.style.top = y / s.ratio + 'px';
    b.style.width = w / s.ratio + 'px';
    b.style.height = h / s.ratio + 'px';
});

EM_JS(double, sbRoomWidth, (), {
    return Module.sortbars.room[0];
});

EM_JS(double, sbRoomHeight, (), {
    return Module.sortbars.room[1];
});

EM_JS(void, sbSetBusy, (int busy), {
    Module.sortbars.chart.setAttribute('aria-busy', busy ? 'true' : 'false');
});

EM_JS(void, sbAddMeter, (const char* name, int max), {
    const s = Module.sortbars;
    const m = document.createElement('div');
    m.setAttribute('role', 'meter');
    m.setAttribute('aria-label', UTF8ToString(name));
    m.setAttribute('aria-valuemin', '0');
    m.setAttribute('aria-valuemax', max);
    m.setAttribute('aria-valuenow', '0');
    s.meters.push(m);
    s.chart.append(m);
});

EM_JS(void, sbSetMeter, (int index, int value), {
    Module.sortbars.meters[index].setAttribute('aria-valuenow', value);
});

EM_JS(void, sbSetButtonEnabled, (int index, int enabled), {
    Module.sortbars.buttons[index].disabled = !enabled;
});

EM_JS(int, sbFocusedButton, (), {
    return Module.sortbars.buttons.indexOf(document.activeElement);
});

EM_JS(void, sbFocusButton, (int index), {
    Module.sortbars.buttons[index].focus();
});

EM_JS(void, sbBlur, (), {
    if (document.activeElement) document.activeElement.blur();
});

EM_JS(double, sbScale, (), {
    return window.devicePixelRatio || 1;
});

// Sizes the canvas to the client area in device pixels, W by H, and clears
// the part that is drawn again to the ground.
EM_JS(void, sbBeginDraw, (int w, int h, int x, int y, int dw, int dh), {
    const s = Module.sortbars;
    if (s.canvas.width != w || s.canvas.height != h) {
        s.canvas.width = w;
        s.canvas.height = h;
        s.context = s.canvas.getContext('2d', { alpha: false });
    }
    s.context.fillStyle = '#f0f0f0';
    s.context.fillRect(x, y, dw, dh);
});

EM_JS(void, sbFill, (int x, int y, int w, int h, int rgb), {
    const c = Module.sortbars.context;
    c.fillStyle = 'rgb(' + (rgb & 255) + ',' + ((rgb >> 8) & 255) + ',' + ((rgb >> 16) & 255) + ')';
    c.fillRect(x, y, w, h);
});

EM_JS(void, sbShow, (), {
    Module.sortbars.busy = false;
    Module.sortbars.window.hidden = false;
});
// clang-format on

namespace rt
{

WebWindow::WebWindow(Form& form, Platform& platform)
    : host_(form, platform)
{
    sbCreateWindow(host_.layout().caption.c_str(), FormHost::kChartName);
    int index = 0;
    for (const Button* button : host_.buttons()) {
        sbAddButton(button->caption().c_str());
        sbSetButtonEnabled(index++, button->enabled());
    }
    for (std::size_t i = 0; i < host_.bars().size(); ++i)
        sbAddMeter(FormHost::barName(int(i)).c_str(), FormHost::kBarValueMax);
    host_.attach(*this);
}

void WebWindow::load()
{
    host_.load();
    drawIfChanged();
    sbShow();
    shown_ = true;
    host_.activated(true); // the first button in tab order gets the focus
}

void WebWindow::drawIfChanged()
{
    // The window as designed, in CSS pixels, and what fits in the room the page has.
    const double ratio = sbScale();
    const PixelRect designed = host_.clientRect(1);
    const double fit = fitScale(sbRoomWidth(), sbRoomHeight(), designed.width(), designed.height() + kTitleBarHeight);
    const double scale = ratio * fit;
    const PixelRect client = host_.clientRect(scale);
    if (scale != scale_) { // zoomed, turned, or moved to another screen: all of it again
        scale_ = scale;
        layOut(ratio, fit);
        dirty_ = client;
    }
    dirty_ = intersected(dirty_, client);
    if (dirty_.empty())
        return;
    sbBeginDraw(client.width(), client.height(), dirty_.left, dirty_.top, dirty_.width(), dirty_.height());
    host_.paint(
        dirty_, scale_, [](const PixelRect& r, Colour c) { sbFill(r.left, r.top, r.width(), r.height(), int(c)); });
    dirty_ = {};
}

void WebWindow::layOut(double ratio, double fit)
{
    const PixelRect client = host_.clientRect(scale_);
    sbLayOut(client.width(), client.height(), ratio, kTitleBarHeight * fit, fit);
    int index = 0;
    for (const Button* button : host_.buttons()) {
        const PixelRect r = controlRect(button->rect(), scale_);
        sbPlaceButton(index++, r.left, r.top, r.width(), r.height());
    }
}

void WebWindow::showBusy(bool busy)
{
    sbSetBusy(busy);
}

void WebWindow::click(int index)
{
    host_.click(index);
    drawIfChanged(); // the last picture of a sort shows now, not at the next event
}

void WebWindow::dropFocus()
{
    sbBlur();
}

void WebWindow::focusButton(int button)
{
    sbFocusButton(button);
}

int WebWindow::focusedButton() const
{
    return sbFocusedButton();
}

void WebWindow::showEnabled(int button, bool enabled)
{
    sbSetButtonEnabled(button, enabled);
}

void WebWindow::repaint(const PixelRect& area)
{
    dirty_ = united(dirty_, area);
}

void WebWindow::barValueChanged(int bar)
{
    sbSetMeter(bar, FormHost::barValue(*host_.bars()[std::size_t(bar)]));
}

} // namespace rt
