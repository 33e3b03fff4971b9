// Start-up in the page: load the form, show its window, and return to the
// browser, which delivers the events from then on.
#include "WebPlatform.h"
#include "WebWindow.h"
#include "runtime/Runtime.h"

#include <emscripten.h>

#include <memory>

namespace
{
// The program's window, alive until the page goes.
rt::WebWindow* window = nullptr;
} // namespace

extern "C" {
// The page's buttons and close control call these, one event at a time.
EMSCRIPTEN_KEEPALIVE void sortbarsClick(int index)
{
    if (window)
        window->click(index);
}

EMSCRIPTEN_KEEPALIVE void sortbarsRedraw()
{
    if (window)
        window->drawIfChanged();
}

EMSCRIPTEN_KEEPALIVE void sortbarsClose()
{
    if (window)
        window->close();
}
}

namespace rt
{

int startUp(int, char**, const FormFactory& makeForm)
{
    static WebPlatform webPlatform;
    static std::unique_ptr<Form> form;
    static std::unique_ptr<WebWindow> webWindow;
    runEvent(webPlatform, [&] {
        form = makeForm(webPlatform);
        webWindow = std::make_unique<WebWindow>(*form, webPlatform);
        webPlatform.setWindow(webWindow.get());
        window = webWindow.get();
        webWindow->load();
    });
    return 0; // the page keeps the runtime, and the window, alive
}

} // namespace rt
