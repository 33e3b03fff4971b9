#pragma once

#include "board/BarSlots.h"
#include "runtime/Runtime.h"

// The program's one window. It owns all of the program's state, the sixteen
// values and the sort selector, and all of its controls, for the whole run,
// and all of the program's code: the layout and lifecycle, the bar board, the
// animated exchange and the sort runner. The sorts themselves are in board/.
//
// The buttons keep their short names, which do not say what they do:
//
//   caption        control    tab  handler          SortKind  runs
//   "Randomize"    RN          0   RN_Click         -         sixteen new values
//   "Bubble-sort"  BS          1   BS_Click         1         exchangeSort
//   "Push-sort"    Command1    3   Command1_Click   2         gnomeSort
//   "Random sort"  PS          2   PS_Click         3         randomPairSort
//
// From the top the column reads Randomize, Bubble-sort, Push-sort, Random
// sort; Tab goes Randomize, Bubble-sort, Random sort, Push-sort.
class Form1 final : public rt::Form
{
public:
    explicit Form1(rt::Platform& platform);

    // Controls, in the order the window's layout lists them.
    rt::Button Command1; // "Push-sort"
    rt::Button PS; // "Random sort"
    rt::Button BS; // "Bubble-sort"
    rt::Button RN; // "Randomize"
    rt::CheckedArray<rt::Bar, BarSlots::kCount> Shape1;

    // Values(i) is the width of bar i in twips. All 0 until the first draw.
    rt::CheckedArray<rt::Int16, BarSlots::kCount> Values;
    // Which sort RunSort runs: 1 exchange, 2 gnome, 3 random pair.
    rt::Int16 SortKind = 0;

    // The window.
    rt::FormLayout layout() override;
    void Form_Load() override;
    void Form_Unload(rt::Int16& cancel) override;

    // The bar board: bar i always shows Values(i) as its width, and each bar
    // carries its own colour, which moves with its value.
    void RefreshBars();
    void RN_Click();
    void colourBars();

    // The animated exchange of two bars.
    void SwapBars(const rt::Int16& a, const rt::Int16& b);

    // The sort buttons and the lock around a sort.
    void BS_Click();
    void Command1_Click();
    void PS_Click();
    void EnableButtons(const rt::Int16& flag);
    void RunSort();

private:
    void waitOneFrame();

    rt::Platform& platform_;
};
