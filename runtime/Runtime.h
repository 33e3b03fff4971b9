#pragma once

// The platform operations the program runs on. Everything the window and the
// board need from the desktop goes through what this header lists:
//
//   start-up           startUp(): loads a form, raises load, shows it, runs the event loop
//   events             Form::Form_Load, Form::Form_Unload, Button::onClick, each run
//                      through runEvent() on the one UI thread
//   bar properties     Bar: top (read/write), width, fill colour (read/write), border colour
//   button properties  Button: enabled
//   clock              Platform::clock()
//   event pump         Platform::pump()
//   random numbers     Platform::random(), Platform::reseed()
//   colour             rgb()
//   message box        Platform::messageBox()
//   end                Platform::end()
//   runtime errors     Int16, CheckedArray, finite(), raise(), and the default report
//
// Nothing here depends on a toolkit. The rules every window follows, whatever
// its toolkit, are in FormHost.h (tab order, focus, close) and Pixels.h
// (twips to device pixels, repaint areas, paint order); PlatformBase.h holds
// what the platforms' services share. Behind it stand one platform per
// toolkit, the build choosing one: Qt (runtime/qt/), Win32 (runtime/win32/)
// and the page's DOM (runtime/web/); and a scripted one under which tests
// drive the clock, pump, generator and message box (tests/support/).

#include "CheckedArray.h"
#include "Colour.h"
#include "Controls.h"
#include "Int16.h"
#include "RuntimeError.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace rt
{

struct Message {
    enum class Icon { Critical };
    enum class Buttons { OkOnly };

    std::string text;
    std::string title;
    Icon icon = Icon::Critical;
    Buttons buttons = Buttons::OkOnly;

    friend bool operator==(const Message&, const Message&) = default;
};

class Platform
{
public:
    virtual ~Platform() = default;

    // Local time of day in seconds since midnight; it starts again from 0 at midnight.
    virtual float clock() = 0;
    // Handles every pending event (repaints, input, close) once, then returns.
    virtual void pump() = 0;
    // The next number of the one random sequence, uniform in [0, 1), never 1.
    virtual float random() = 0;
    // Restarts the random sequence from a number.
    virtual void reseed(float seed) = 0;
    // Shows a modal message box and returns once it is dismissed.
    virtual void messageBox(const Message& message) = 0;
    // Ends the program at once with the given exit status. It does not return.
    [[noreturn]] virtual void end(int status) = 0;
};

// A window's controls, in the order its layout lists them.
using Control = std::variant<Button*, Bar*>;

struct FormLayout {
    std::string caption;
    float clientWidth = 0; // twips
    float clientHeight = 0; // twips
    std::vector<Control> controls;
};

// A window as the program describes it: its layout, and handlers for the
// window's own events. The runtime raises load before the window is first
// shown, and unload when the user closes it; a handler that sets cancel to a
// non-zero value keeps the window open.
class Form
{
public:
    virtual ~Form() = default;
    virtual FormLayout layout() = 0;
    virtual void Form_Load() = 0;
    virtual void Form_Unload(Int16& cancel) = 0;
};

// Exit status after a runtime error's default report.
inline constexpr int kRuntimeErrorStatus = 1;

// Runs one event handler. A runtime error or any other exception it lets out
// is caught here and shown by the default report, a message box naming the
// error, after which the program ends; nothing escapes into the toolkit.
void runEvent(Platform& platform, const std::function<void()>& handler);

using FormFactory = std::function<std::unique_ptr<Form>(Platform&)>;

// Start-up: opens the display, makes the form, raises load, shows the window
// and runs the event loop until the program ends. Where no window can be
// opened it prints one line on stderr that says why and exits with status 1.
int startUp(int argc, char** argv, const FormFactory& makeForm);

} // namespace rt
