#include "WebWindow.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

// The page's side of the window. Its state lives in Module.sortbars.
// clang-format off
EM_JS(void, sbCreateWindow, (const char* caption, int width, int height), {
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
    s.client.style.width = width + 'px';
    s.client.style.height = height + 'px';
    s.canvas = document.createElement('canvas');
    s.canvas.style.width = width + 'px';
    s.canvas.style.height = height + 'px';
    s.canvas.setAttribute('aria-hidden', 'true');
    s.chart = document.createElement('div');
    s.chart.className = 'chart';
    s.chart.setAttribute('role', 'group');
    s.chart.setAttribute('aria-label', 'Bars');
    s.client.append(s.canvas, s.chart);
    s.window.append(title, s.client);
    root.append(s.window);
    s.size = [width, height];
    // Zooming, or moving to another screen, changes the device pixels per
    // CSS pixel: the bars are drawn again at the next chance, in a pump or
    // after a handler, or at once. A zoom resizes the viewport, and a media
    // query on the resolution tells of the rest; the new scale may arrive a
    // frame after either, so the canvas is checked for a few frames more.
    s.stale = false;
    const settle = (frames) => {
        if (s.canvas.width != Math.round(s.size[0] * (window.devicePixelRatio || 1))) {
            s.stale = true;
            if (!s.busy && !s.ended) s.run(() => Module._sortbarsRedraw());
        }
        if (frames > 0) requestAnimationFrame(() => settle(frames - 1));
    };
    window.addEventListener('resize', () => settle(30));
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

EM_JS(void, sbAddButton, (const char* caption, int x, int y, int w, int h, int tabIndex), {
    const s = Module.sortbars;
    const index = s.buttons.length;
    const b = document.createElement('button');
    b.textContent = UTF8ToString(caption);
    b.style.left = x + 'px';
    b.style.top = y + 'px';
    b.style.width = w + 'px';
    b.style.height = h + 'px';
    b.tabIndex = 0;
    b.dataset.tabIndex = tabIndex;
    b.onclick = () => s.run(() => Module.ccall('sortbarsClick', null, ['number'], [index], { async: true }));
    s.buttons.push(b);
    // Tab order is the order in the page: sorted by tab index.
    const ordered = s.buttons.slice().sort((a, c) => a.dataset.tabIndex - c.dataset.tabIndex);
    for (const button of ordered) s.client.append(button);
});

EM_JS(void, sbAddMeter, (int number), {
    const s = Module.sortbars;
    const m = document.createElement('div');
    m.setAttribute('role', 'meter');
    m.setAttribute('aria-label', 'Bar ' + number);
    m.setAttribute('aria-valuemin', '0');
    m.setAttribute('aria-valuemax', '4095');
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

// Sizes the canvas to the client area in device pixels and clears it;
// returns the device pixels per CSS pixel.
EM_JS(double, sbBeginDraw, (), {
    const s = Module.sortbars;
    const scale = window.devicePixelRatio || 1;
    const w = Math.round(s.size[0] * scale), h = Math.round(s.size[1] * scale);
    if (s.canvas.width != w || s.canvas.height != h) {
        s.canvas.width = w;
        s.canvas.height = h;
        s.context = s.canvas.getContext('2d', { alpha: false });
    }
    s.context.fillStyle = '#f0f0f0';
    s.context.fillRect(0, 0, w, h);
    return scale;
});

EM_JS(int, sbTakeStale, (), {
    const stale = Module.sortbars.stale;
    Module.sortbars.stale = false;
    return stale ? 1 : 0;
});

EM_JS(void, sbFill, (int x, int y, int w, int h, int rgb), {
    const c = Module.sortbars.context;
    c.fillStyle = 'rgb(' + (rgb & 255) + ',' + ((rgb >> 8) & 255) + ',' + ((rgb >> 16) & 255) + ')';
    c.fillRect(x, y, w, h);
});

EM_JS(void, sbShow, (), {
    Module.sortbars.busy = false;
    Module.sortbars.window.hidden = false;
    const first = Module.sortbars.client.querySelector('button');
    if (first) first.focus();
});
// clang-format on

namespace rt
{

namespace
{
constexpr float kTwipsPerPixel = 15; // at 96 dpi, a CSS pixel
constexpr int kValueMax = 4095;

int cssPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
} // namespace

WebWindow::WebWindow(Form& form, Platform& platform)
    : form_(form)
    , platform_(platform)
{
    const FormLayout layout = form.layout();
    sbCreateWindow(layout.caption.c_str(), cssPixels(layout.clientWidth), cssPixels(layout.clientHeight));
    for (const Control& control : layout.controls) {
        if (Button* const* button = std::get_if<Button*>(&control)) {
            const TwipRect& r = (*button)->rect();
            sbAddButton((*button)->caption().c_str(), cssPixels(r.left), cssPixels(r.top), cssPixels(r.width),
                cssPixels(r.height), (*button)->tabIndex());
            sbSetButtonEnabled(int(buttons_.size()), (*button)->enabled());
            buttons_.push_back(*button);
            (*button)->setObserver(this);
        } else {
            bars_.push_back(std::get<Bar*>(control));
            bars_.back()->setObserver(this);
        }
    }
    for (std::size_t i = 0; i < bars_.size(); ++i)
        sbAddMeter(int(i) + 1);
}

void WebWindow::load()
{
    runEvent(platform_, [this] { form_.Form_Load(); });
    drawIfChanged();
    sbShow();
}

void WebWindow::drawIfChanged()
{
    if (!sbTakeStale() && !dirty_)
        return;
    dirty_ = false;
    const double scale = sbBeginDraw();
    const auto edge = [scale](float twips) { return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel)); };
    const int border = std::max(1, static_cast<int>(std::lround(scale)));
    // Bars at rest first, in layout order; the sliding ones over them.
    for (const bool sliding : { false, true })
        for (const Bar* bar : bars_) {
            if (bar->atHome() == sliding || bar->width() <= 0)
                continue;
            const int x0 = edge(bar->left()), y0 = edge(bar->top());
            const int w = edge(bar->left() + bar->width()) - x0, h = edge(bar->top() + bar->height()) - y0;
            sbFill(x0, y0, w, h, int(bar->borderColor()));
            if (w > 2 * border && h > 2 * border)
                sbFill(x0 + border, y0 + border, w - 2 * border, h - 2 * border, int(bar->fillColor()));
        }
}

void WebWindow::unload()
{
    Int16 cancel = False;
    runEvent(platform_, [this, &cancel] { form_.Form_Unload(cancel); });
}

void WebWindow::click(int index)
{
    const int outer = clicking_;
    clicking_ = index;
    runEvent(platform_, [this, index] { buttons_.at(std::size_t(index))->click(); });
    clicking_ = outer;
    drawIfChanged();
}

void WebWindow::barChanged(const Bar& bar, float, float oldWidth)
{
    dirty_ = true;
    if (bar.width() == oldWidth)
        return;
    // The meters are numbered from the top: by home slot, not layout order.
    const auto above = std::count_if(
        bars_.begin(), bars_.end(), [&bar](const Bar* other) { return other->homeTop() < bar.homeTop(); });
    sbSetMeter(int(above), std::min(kValueMax, static_cast<int>(bar.width())));
}

void WebWindow::buttonChanged(const Button& button)
{
    if (!button.enabled() && focusAfterLock_ == -2) {
        // The lock begins. A disabled button that had the focus would send
        // it to the page's body, so note it first.
        const int focused = sbFocusedButton();
        focusAfterLock_ = focused >= 0 ? focused : clicking_;
        sbBlur();
    }
    sbSetButtonEnabled(indexOf(button), button.enabled());
    const bool allEnabled = std::all_of(buttons_.begin(), buttons_.end(), [](const Button* b) { return b->enabled(); });
    if (focusAfterLock_ != -2 && allEnabled) {
        if (focusAfterLock_ >= 0)
            sbFocusButton(focusAfterLock_);
        focusAfterLock_ = -2;
    }
}

int WebWindow::indexOf(const Button& button) const
{
    return int(std::find(buttons_.begin(), buttons_.end(), &button) - buttons_.begin());
}

} // namespace rt
