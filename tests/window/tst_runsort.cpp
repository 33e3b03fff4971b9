// What Form1 adds around the sorts: each button runs its algorithm with every
// exchange animated through SwapBars, the four buttons stay locked for the
// whole sort, and a selector outside 1..3 shows the error box.
#include "support/BoardHelpers.h"
#include "support/Doctest.h"

#include "board/Sorts.h"
#include "runtime/Random.h"

#include <vector>

using rt::Int16;

namespace
{

// Watches the controls: the order in which bars leave their home slots (the
// first two of an exchange are its a and b, in the order SwapBars moves
// them), and the order in which the buttons' enabled states are written.
class ControlLog final : public rt::ControlObserver
{
public:
    explicit ControlLog(Form1& form)
        : form_(form)
    {
        for (rt::Bar& bar : form.Shape1)
            bar.setObserver(this);
        for (rt::Button* b : { &form.RN, &form.BS, &form.PS, &form.Command1 })
            b->setObserver(this);
    }
    void barChanged(const rt::Bar& bar, float oldTop, float) override
    {
        if (oldTop == bar.homeTop() && !bar.atHome())
            leaving.push_back(int(&bar - &form_.Shape1[0]));
    }
    void buttonChanged(const rt::Button& button) override { writes.push_back({ &button, button.enabled() }); }

    Trace exchanges() const
    {
        Trace trace;
        for (std::size_t i = 0; i + 1 < leaving.size(); i += 2)
            trace.push_back({ leaving[i], leaving[i + 1] });
        return trace;
    }

    std::vector<int> leaving;
    std::vector<std::pair<const rt::Button*, bool>> writes;

private:
    Form1& form_;
};

bool allButtonsEnabled(const Form1& form, bool enabled)
{
    return form.RN.enabled() == enabled && form.BS.enabled() == enabled && form.PS.enabled() == enabled
        && form.Command1.enabled() == enabled;
}

rt::Button& buttonFor(Form1& form, int kind)
{
    return kind == 1 ? form.BS : kind == 2 ? form.Command1 : form.PS;
}

Board reversed()
{
    Board values {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        values[i] = 4000 - 200 * i;
    return values;
}

// The exchanges the algorithm itself makes on a board, drawing from a
// generator in the state the scripted platform's starts in.
Trace algorithmTrace(int kind, const Board& board)
{
    Sorts::Values values;
    for (int i = 0; i < BarSlots::kCount; ++i)
        values[i] = board[i];
    Trace trace;
    const Sorts::Swap swap = [&](const Int16& a, const Int16& b) {
        trace.push_back({ a.value(), b.value() });
        std::swap(values[a], values[b]);
    };
    rt::Random generator;
    if (kind == 1)
        Sorts::exchangeSort(values, swap);
    else if (kind == 2)
        Sorts::gnomeSort(values, swap);
    else
        Sorts::randomPairSort(values, swap, [&] { return generator.next(); });
    return trace;
}

} // namespace

TEST_CASE("each sort button runs its algorithm with every exchange through SwapBars")
{
    for (const int kind : { 1, 2, 3 }) { // Bubble-sort, Push-sort, Random sort
        CAPTURE(kind);
        rt::ScriptedPlatform platform;
        platform.tick = 0.01f; // one clock read per frame wait
        Form1 form(platform);
        for (int i = 0; i < BarSlots::kCount; ++i)
            form.Shape1[i].setFillColor(rt::rgb(i, 255 - i, 7 * i));
        setValues(form, reversed());
        auto pairsBefore = valueColourPairs(form);
        ControlLog log(form);

        buttonFor(form, kind).click();

        const Trace expected = algorithmTrace(kind, reversed());
        CHECK(!expected.empty());
        CHECK(log.exchanges() == expected);
        CHECK(int(log.leaving.size()) == 2 * int(expected.size())); // no other bar moved
        CHECK(form.SortKind == Int16(kind));
        const Board output = valuesOf(form);
        CHECK(std::is_sorted(output.begin(), output.end()));
        auto pairsAfter = valueColourPairs(form);
        std::sort(pairsBefore.begin(), pairsBefore.end());
        std::sort(pairsAfter.begin(), pairsAfter.end());
        CHECK_MESSAGE(pairsAfter == pairsBefore, "values and colours stay together,and nothing is lost");
        CHECK(everyBarAtRest(form));
        CHECK(allButtonsEnabled(form, true));
    }
}

TEST_CASE("all four buttons stay locked for the whole sort, written RN, BS, PS, Command1")
{
    for (const int kind : { 1, 2, 3 }) {
        CAPTURE(kind);
        rt::ScriptedPlatform platform;
        platform.tick = 0.01f;
        Form1 form(platform);
        form.Form_Load();
        setValues(form, reversed());
        ControlLog log(form);
        bool lockedAtEveryPump = true;
        platform.onPump = [&] { lockedAtEveryPump = lockedAtEveryPump && allButtonsEnabled(form, false); };

        buttonFor(form, kind).click();

        CHECK(platform.pumps > 0);
        CHECK(lockedAtEveryPump);
        const std::vector<std::pair<const rt::Button*, bool>> expected {
            { &form.RN, false },
            { &form.BS, false },
            { &form.PS, false },
            { &form.Command1, false },
            { &form.RN, true },
            { &form.BS, true },
            { &form.PS, true },
            { &form.Command1, true },
        };
        CHECK(log.writes == expected);
    }
}

TEST_CASE("a selector outside 1..3 shows the error box and moves nothing")
{
    for (const int kind : { 0, 4, -1 }) { // the initial 0, and two others
        CAPTURE(kind);
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        form.Form_Load();
        const Board before = valuesOf(form);
        ControlLog log(form);
        form.SortKind = kind;

        form.RunSort();

        const rt::Message expected { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical,
            rt::Message::Buttons::OkOnly };
        REQUIRE(platform.messages.size() == 1);
        CHECK(platform.messages[0] == expected);
        CHECK(valuesOf(form) == before);
        CHECK(platform.pumps == 0);
        CHECK(int(log.writes.size()) == 8);
        CHECK(allButtonsEnabled(form, true));
    }
}
