// What Form1 adds around the sorts: each button runs its algorithm with every
// exchange animated through SwapBars, the four buttons stay locked for the
// whole sort, and a selector outside 1..3 shows the error box.
#include "support/BoardHelpers.h"
#include "support/Doctest.h"

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

// A number that the random pair sort turns into index i.
float indexDraw(int i)
{
    return (float(i) + 0.5f) / BarSlots::kCount;
}

// Boards each sort puts in order with a short list of exchanges, worked out
// by hand, whose order tells a (first) from b.
struct SortRow {
    const char* name;
    int kind;
    Board board;
    std::vector<float> draws;
    Trace trace;
};

std::vector<SortRow> sortRows()
{
    Board largestFirst {}, smallestLast {}, oneOut {};
    for (int i = 0; i < BarSlots::kCount; ++i) {
        largestFirst[i] = i == 0 ? 1500 : 100 * (i - 1); // 1500, 0, 100, ..., 1400
        smallestLast[i] = i == 15 ? 0 : 100 * (i + 1); // 100, 200, ..., 1500, 0
        oneOut[i] = 100 * i;
    }
    std::swap(oneOut[3], oneOut[10]);
    // Exchange sort carries the 1500 down a slot each pass, (i - 1, i).
    Trace bubble, push;
    for (int i = 1; i < 16; ++i)
        bubble.push_back({ i - 1, i });
    // Gnome sort walks the 0 up from the bottom, (j, j - 1).
    for (int j = 15; j >= 1; --j)
        push.push_back({ j, j - 1 });
    // Random pair sort: (10, 3) is discarded; (3, 10) is out of order, so
    // the lower bar slides up, swap(10, 3), and the board is in order.
    return {
        { "Bubble-sort, the largest first", 1, largestFirst, {}, bubble },
        { "Push-sort, the smallest last", 2, smallestLast, {}, push },
        { "Random sort, one pair out of order", 3, oneOut, { indexDraw(10), indexDraw(3), indexDraw(3), indexDraw(10) },
            { { 10, 3 } } },
    };
}

} // namespace

TEST_CASE("each sort button makes its algorithm's exchanges, each one through SwapBars")
{
    for (const SortRow& row : sortRows()) {
        INFO(std::string(row.name));
        rt::ScriptedPlatform platform;
        platform.tick = 0.01f; // one clock read per frame wait
        platform.randomNumbers.assign(row.draws.begin(), row.draws.end());
        Form1 form(platform);
        for (int i = 0; i < BarSlots::kCount; ++i) {
            form.Shape1[i].setFillColor(rt::rgb(i, 255 - i, 7 * i));
            form.Shape1[i].setBorderColor(form.Shape1[i].fillColor());
        }
        setValues(form, row.board);
        auto pairsBefore = valueColourPairs(form);
        ControlLog log(form);

        buttonFor(form, row.kind).click();

        CHECK(log.exchanges() == row.trace);
        CHECK(int(log.leaving.size()) == 2 * int(row.trace.size())); // no other bar moved
        CHECK(platform.pumps == 30 * int(row.trace.size()));
        CHECK(platform.draws == int(row.draws.size()));
        CHECK(form.SortKind == Int16(row.kind));
        const Board output = valuesOf(form);
        CHECK(std::is_sorted(output.begin(), output.end()));
        auto pairsAfter = valueColourPairs(form);
        std::sort(pairsBefore.begin(), pairsBefore.end());
        std::sort(pairsAfter.begin(), pairsAfter.end());
        CHECK_MESSAGE(pairsAfter == pairsBefore, "values and colours stay together, and nothing is lost");
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
