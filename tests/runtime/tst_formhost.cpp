// The window's rules that every platform shares: tab order, bar numbering,
// close, a destroyed window, and where the keyboard focus goes around the
// lock of the buttons, with the window active or not.
#include "runtime/FormHost.h"
#include "support/FakeWindow.h"
#include "support/ScriptedPlatform.h"

#include <doctest/doctest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace
{

using rt::PlatformWindow;
constexpr int kNone = PlatformWindow::kNoButton;

// A form laid out as the program's: buttons listed against their tab order
// (tab indices 3, 2, 1, 0), bars listed from the bottom up. Button `sorter`
// locks all four, runs `duringLock`, and frees them in the program's order.
class TestForm final : public rt::Form
{
public:
    explicit TestForm(rt::ScriptedPlatform& platform)
        : platform_(platform)
    {
        const char* captions[] = { "Push-sort", "Random sort", "Bubble-sort", "Randomize" };
        for (int i = 0; i < 4; ++i) {
            buttons[i].place({ 4800, 360.0f + 720 * float(3 - i), 1335, 495 }, captions[i], 3 - i);
            buttons[i].onClick = [this] { lock(); };
        }
        for (int i = 0; i < 3; ++i)
            bars[i].place({ 360, 240.0f + 240 * float(2 - i), 100, 255 });
    }
    rt::FormLayout layout() override
    {
        rt::FormLayout layout { "Form1", 6315, 4650, {} };
        for (rt::Button& b : buttons)
            layout.controls.emplace_back(&b);
        for (rt::Bar& b : bars)
            layout.controls.emplace_back(&b);
        return layout;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload(rt::Int16& cancel) override
    {
        ++unloads;
        if (refuseClose)
            cancel = rt::True;
        else if (endInUnload)
            platform_.end(0);
    }
    void lock()
    {
        for (int i : { 3, 2, 1, 0 }) // RN, BS, PS, Command1, as EnableButtons goes
            buttons[i].setEnabled(rt::False);
        if (duringLock)
            duringLock();
        for (int i : { 3, 2, 1, 0 })
            buttons[i].setEnabled(rt::True);
    }

    std::array<rt::Button, 4> buttons;
    std::array<rt::Bar, 3> bars;
    std::function<void()> duringLock;
    bool refuseClose = false;
    bool endInUnload = true; // as the program's form does
    int loads = 0, unloads = 0;

private:
    rt::ScriptedPlatform& platform_;
};

struct Host {
    rt::ScriptedPlatform platform;
    TestForm form { platform };
    rt::FormHost host { form, platform };
    FakeWindow window;

    void leave() { window.leave(host); }
    void comeBack() { window.comeBack(host); }
};

// The status the program ended with in ACTION, or -1 where it went on.
int endStatus(const std::function<void()>& action)
{
    try {
        action();
    } catch (const rt::ScriptedPlatform::Ended& ended) {
        return ended.status;
    }
    return -1;
}

std::vector<std::string> captions(const rt::FormHost& host)
{
    std::vector<std::string> out;
    for (const rt::Button* b : host.buttons())
        out.push_back(b->caption());
    return out;
}

} // namespace

TEST_CASE("buttons go in tab order and bars from the top, whatever order the layout lists them in")
{
    Host h;
    CHECK(captions(h.host) == std::vector<std::string> { "Randomize", "Bubble-sort", "Random sort", "Push-sort" });
    REQUIRE(h.host.bars().size() == 3);
    CHECK(h.host.bars()[0] == &h.form.bars[2]);
    CHECK(h.host.bars()[2] == &h.form.bars[0]);
    CHECK(h.host.clientRect(1) == rt::PixelRect { 0, 0, 421, 310 });
}

TEST_CASE("the focus around the lock of the buttons")
{
    // Buttons by tab order: 0 Randomize, 1 Bubble-sort, 2 Random sort, 3 Push-sort.
    enum class During { Nothing, LeaveAndReturn, LeaveForGood, MessageBoxWithReturn };
    const struct {
        std::string name;
        bool activeAtStart;
        int focusBefore; // with the window active; or the one it had when the user left
        int clicked; // the button whose click runs the lock
        During during;
        int focusAfter; // once the window is active again
    } rows[] = {
        { "Bubble-sort from the keyboard", true, 1, 1, During::Nothing, 1 },
        { "Push-sort by a click that takes no focus", true, kNone, 3, During::Nothing, 3 },
        { "Push-sort pressed by a screen reader, focus on Randomize", true, 0, 3, During::Nothing, 0 },
        { "left and back during the lock", true, 2, 2, During::LeaveAndReturn, 2 },
        { "left during the lock, back after it", true, 1, 1, During::LeaveForGood, 1 },
        { "a message box during the lock", true, 3, 3, During::MessageBoxWithReturn, 3 },
        { "the lock runs while the window is inactive", false, 1, 3, During::Nothing, 1 },
        { "inactive, and no button had the focus", false, kNone, 2, During::Nothing, 2 },
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        Host h;
        h.host.attach(h.window);
        h.window.focus = row.focusBefore;
        if (!row.activeAtStart)
            h.leave();
        std::vector<int> focusDuringLock; // where the user's keys would go, while the window is active
        const auto noteFocus = [&] {
            CHECK(h.window.busyTold == std::vector<bool> { true }); // screen readers wait for the end
            if (h.window.isActive)
                focusDuringLock.push_back(h.window.focus);
        };
        h.form.duringLock = [&] {
            noteFocus();
            if (row.during == During::LeaveAndReturn || row.during == During::LeaveForGood
                || row.during == During::MessageBoxWithReturn) {
                h.leave(); // a message box takes the input from its owner while it shows
                if (row.during == During::MessageBoxWithReturn)
                    h.platform.messageBox({ "Error in algorithm design!", "Error!" });
                if (row.during != During::LeaveForGood)
                    h.comeBack();
                noteFocus();
            }
        };
        const int given = h.window.focusGiven;

        h.host.click(row.clicked);

        CHECK(focusDuringLock == std::vector<int>(focusDuringLock.size(), kNone));
        CHECK(h.window.shownEnabled == std::array<bool, 4> { true, true, true, true });
        CHECK(h.window.busyTold == std::vector<bool> { true, false }); // once for the whole lock
        if (!h.window.isActive) {
            CHECK(h.window.focus == kNone); // nothing taken while away
            h.comeBack();
        }
        CHECK(h.window.focus == row.focusAfter);
        CHECK(h.window.focusGiven == given + 1); // straight there, not along the tab order
    }
}

TEST_CASE("the first button in tab order starts with the focus, once the window is active")
{
    Host active;
    active.host.attach(active.window);
    CHECK(active.window.focus == 0);

    Host inactive;
    inactive.window.isActive = false;
    inactive.host.attach(inactive.window);
    CHECK(inactive.window.focus == kNone);
    inactive.comeBack();
    CHECK(inactive.window.focus == 0);
}

TEST_CASE("a window left and activated again gives the focus back to the button that had it")
{
    Host h;
    h.host.attach(h.window);
    h.window.focus = 2;
    h.leave();
    h.comeBack();
    CHECK(h.window.focus == 2);
}

TEST_CASE("a close ends the program unless the form refuses it; a destroyed window ends it all the same")
{
    enum class Unload { Ends, LetsClose, Refuses }; // what the form's unload handler does
    const struct {
        std::string name;
        Unload unload;
        bool destroyed, duringLock;
        int status; // -1: the program goes on
    } rows[] = {
        { "a close, as the program's form ends it", Unload::Ends, false, false, 0 },
        { "a close in the middle of a lock", Unload::Ends, false, true, 0 },
        { "a close the form lets happen without ending", Unload::LetsClose, false, false, 0 },
        { "a close the form refuses", Unload::Refuses, false, false, -1 },
        { "a window destroyed, though the form would refuse a close", Unload::Refuses, true, false, 0 },
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        Host h;
        h.host.attach(h.window);
        h.form.endInUnload = row.unload == Unload::Ends;
        h.form.refuseClose = row.unload == Unload::Refuses;
        const auto closeNow = [&] { row.destroyed ? h.host.destroyed() : h.host.close(); };
        h.form.duringLock = closeNow;
        CHECK(endStatus([&] { row.duringLock ? h.host.click(1) : closeNow(); }) == row.status);
        CHECK(h.form.unloads == 1);
        if (row.duringLock) // nothing ran after the close: no button was enabled or focused again
            CHECK(h.window.shownEnabled == std::array<bool, 4> {});
    }
}

TEST_CASE("a click reaches an enabled button only, and a runtime error in it gets the default report")
{
    Host h;
    h.host.attach(h.window);
    h.host.load();
    CHECK(h.form.loads == 1);
    int clicks = 0;
    h.form.buttons[3].onClick = [&] { ++clicks; };
    h.form.buttons[3].setEnabled(rt::False);
    h.host.click(0);
    h.form.buttons[3].setEnabled(rt::True);
    h.host.click(0);
    CHECK(clicks == 1);

    h.form.buttons[3].onClick = [] { rt::raise(rt::ErrorKind::Overflow); };
    CHECK(endStatus([&] { h.host.click(0); }) == rt::kRuntimeErrorStatus);
    REQUIRE(h.platform.messages.size() == 1);
    CHECK(h.platform.messages[0].text == "Run-time error: Overflow");
}

TEST_CASE("a bar's change repaints where it was and is, and screen readers hear of widths by the bar's number")
{
    Host h;
    h.host.attach(h.window);
    rt::Bar& top = h.form.bars[2];
    top.setTop(top.top() + 30); // 3 device pixels down at the window's scale of 1.5
    REQUIRE(h.window.repainted.size() == 1);
    CHECK(h.window.repainted[0] == rt::PixelRect { 36, 24, 46, 53 }); // rows 24..49 before, 27..52 now
    CHECK(h.window.valuesTold.empty());
    top.setWidth(5000);
    CHECK(h.window.valuesTold == std::vector<int> { 0 });
    CHECK(rt::FormHost::barValue(top) == rt::FormHost::kBarValueMax);
}
