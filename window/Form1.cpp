#include "window/Form1.h"

#include "board/Sorts.h"

using rt::Int16;

namespace
{

constexpr const char* kCaption = "Form1";
constexpr float kClientWidth = 6315; // twips: 421 pixels
constexpr float kClientHeight = 4650; // twips: 310 pixels

constexpr float kButtonLeft = 4800;
constexpr float kButtonWidth = 1335;
constexpr float kButtonHeight = 495;

// The buttons, in layout order, with their top edges, tab indices and click
// handlers. The column reads Randomize, Bubble-sort, Push-sort, Random sort
// from the top; the tab order puts Random sort before Push-sort.
using ButtonOfForm = rt::Button Form1::*;
struct ButtonRow {
    ButtonOfForm button;
    const char* caption;
    float top;
    int tabIndex;
    void (Form1::*click)();
};

constexpr ButtonRow kButtons[] = {
    { &Form1::Command1, "Push-sort", 1800, 3, &Form1::Command1_Click },
    { &Form1::PS, "Random sort", 2520, 2, &Form1::PS_Click },
    { &Form1::BS, "Bubble-sort", 1080, 1, &Form1::BS_Click },
    { &Form1::RN, "Randomize", 360, 0, &Form1::RN_Click },
};

constexpr float kChannelScale = 255;

constexpr int kFrames = 30;
constexpr int kStepPerSlot = 8; // twips per frame for each slot of distance: 30 * 8 = one pitch
constexpr double kFrameSeconds = 0.008;

// SortKind's meanings.
constexpr Int16 kExchangeSort = 1;
constexpr Int16 kGnomeSort = 2;
constexpr Int16 kRandomPairSort = 3;

} // namespace

Form1::Form1(rt::Platform& platform)
    : platform_(platform)
{
    for (const ButtonRow& row : kButtons) {
        rt::Button& button = this->*row.button;
        button.place({ kButtonLeft, row.top, kButtonWidth, kButtonHeight }, row.caption, row.tabIndex);
        button.onClick = [this, click = row.click] { (this->*click)(); };
    }
    for (Int16 i = 0; i <= BarSlots::kLast; ++i)
        Shape1[i].place({ BarSlots::kLeft, float(BarSlots::homeTop(i)), float(Values[i]), BarSlots::kHeight });
}

rt::FormLayout Form1::layout()
{
    rt::FormLayout layout { kCaption, kClientWidth, kClientHeight, {} };
    for (const ButtonRow& row : kButtons)
        layout.controls.emplace_back(&(this->*row.button));
    for (Int16 i = BarSlots::kLast; i >= 0; --i)
        layout.controls.emplace_back(&Shape1[i]);
    return layout;
}

void Form1::Form_Load()
{
    // Reseed first, so that every draw below depends on the start time.
    platform_.reseed(platform_.clock());
    RN_Click();
    colourBars();
}

void Form1::Form_Unload(Int16& /*cancel*/)
{
    // A close is never refused, not even in the middle of a sort: the sort is
    // simply abandoned.
    platform_.end(0);
}

void Form1::RefreshBars()
{
    for (Int16 i = 0; i <= BarSlots::kLast; ++i)
        Shape1[i].setWidth(float(Values[i]));
}

void Form1::RN_Click()
{
    // Only widths change: colours stay where they are, also those a sort moved.
    for (Int16 i = 0; i <= BarSlots::kLast; ++i)
        Values[i] = Int16::truncate(platform_.random() * float(BarSlots::kValueRange));
    RefreshBars();
}

void Form1::colourBars()
{
    for (Int16 i = 0; i <= BarSlots::kLast; ++i) {
        const float red = platform_.random();
        const float green = platform_.random();
        const float blue = platform_.random();
        Shape1[i].setFillColor(rt::rgb(Int16::roundHalfEven(red * kChannelScale).value(),
            Int16::roundHalfEven(green * kChannelScale).value(), Int16::roundHalfEven(blue * kChannelScale).value()));
        Shape1[i].setBorderColor(Shape1[i].fillColor());
    }
}

void Form1::SwapBars(const Int16& a, const Int16& b)
{
    // The two bars slide past each other into each other's slot in 30 paced
    // frames, then go home while their values and colours change places, so
    // the picture stays the same across that switch.
    const float step = float(Int16(kStepPerSlot) * (b - a));
    for (Int16 frame = 0; frame <= kFrames - 1; ++frame) {
        Shape1[a].setTop(rt::finite(Shape1[a].top() + step));
        Shape1[b].setTop(rt::finite(Shape1[b].top() - step));
        waitOneFrame();
        platform_.pump(); // repaints the bars here, and acts on a close here
    }

    // Each bar now covers the other's slot. With no pump in between, put both
    // home and move the data instead.
    Shape1[a].setTop(float(BarSlots::homeTop(a)));
    Shape1[b].setTop(float(BarSlots::homeTop(b)));

    const Int16 value = Values[a];
    Values[a] = Values[b];
    Values[b] = value;

    const rt::Colour colour = Shape1[a].fillColor();
    Shape1[a].setFillColor(Shape1[b].fillColor());
    Shape1[a].setBorderColor(Shape1[b].fillColor());
    Shape1[b].setFillColor(colour);
    Shape1[b].setBorderColor(colour);

    RefreshBars();
}

void Form1::waitOneFrame()
{
    // Spins on the clock rather than sleeping, so the pacing holds to the
    // clock's resolution. Start and threshold are single-precision seconds.
    // The clock is a time of day: a reading below the start means it passed
    // midnight (or was set back), and that ends the wait too.
    const float start = platform_.clock();
    const auto threshold = static_cast<float>(start + kFrameSeconds);
    float now = 0;
    do {
        now = platform_.clock();
    } while (now < threshold && now >= start);
}

void Form1::BS_Click()
{
    SortKind = kExchangeSort;
    RunSort();
}

void Form1::Command1_Click()
{
    SortKind = kGnomeSort;
    RunSort();
}

void Form1::PS_Click()
{
    SortKind = kRandomPairSort;
    RunSort();
}

void Form1::EnableButtons(const Int16& flag)
{
    RN.setEnabled(flag);
    BS.setEnabled(flag);
    PS.setEnabled(flag);
    Command1.setEnabled(flag);
}

void Form1::RunSort()
{
    // All four buttons stay locked for the whole sort: the pumps inside
    // SwapBars are the only re-entry, so no second sort or randomize can
    // start inside one. Every exchange the sort makes goes through SwapBars.
    EnableButtons(rt::False);
    const Sorts::Swap swap = [this](const Int16& a, const Int16& b) { SwapBars(a, b); };
    if (SortKind == kExchangeSort)
        Sorts::exchangeSort(Values, swap);
    else if (SortKind == kGnomeSort)
        Sorts::gnomeSort(Values, swap);
    else if (SortKind == kRandomPairSort)
        Sorts::randomPairSort(Values, swap, [this] { return platform_.random(); });
    else
        platform_.messageBox(
            { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical, rt::Message::Buttons::OkOnly });
    EnableButtons(rt::True);
}
