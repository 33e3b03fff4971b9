#include "Form1.h"

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
struct ButtonRow {
    rt::Button Form1::*button;
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
