// The three sorts as pure algorithms: the exact list of exchanges each makes,
// worked out by hand from the algorithms, and what every run must keep.
#include "board/Sorts.h"
#include "support/Doctest.h"

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <random>
#include <vector>

using rt::Int16;
using Board = std::array<int, BarSlots::kCount>;

namespace
{

enum Kind { Exchange, Gnome, RandomPair };

// Runs one sort over a board: the swap exchanges, records and calls
// afterSwap; the draw hands out the scripted numbers, then unscripted ones,
// and counts them.
struct Run {
    Sorts::Values values;
    Trace trace;
    std::function<void()> afterSwap = [] {};
    std::deque<float> numbers;
    int draws = 0;
    std::mt19937 unscripted { 1 };

    explicit Run(const Board& board)
    {
        for (int i = 0; i < BarSlots::kCount; ++i)
            values[i] = board[i];
    }
    void sort(Kind kind)
    {
        const Sorts::Swap swap = [this](const Int16& a, const Int16& b) {
            trace.push_back({ a.value(), b.value() });
            std::swap(values[a], values[b]);
            afterSwap();
        };
        const Sorts::Draw draw = [this] {
            ++draws;
            if (numbers.empty())
                return float(unscripted() >> 8) / 16777216.0f;
            const float r = numbers.front();
            numbers.pop_front();
            return r;
        };
        if (kind == Exchange)
            Sorts::exchangeSort(values, swap);
        else if (kind == Gnome)
            Sorts::gnomeSort(values, swap);
        else
            Sorts::randomPairSort(values, swap, draw);
    }
    Board board() const
    {
        Board b {};
        for (int i = 0; i < BarSlots::kCount; ++i)
            b[i] = values[i].value();
        return b;
    }
};

// A number that the random pair sort turns into index i.
float indexDraw(int i)
{
    return (float(i) + 0.5f) / BarSlots::kCount;
}

int inversions(const Board& values)
{
    int count = 0;
    for (int i = 0; i < BarSlots::kCount; ++i)
        for (int j = i + 1; j < BarSlots::kCount; ++j)
            count += values[j] < values[i];
    return count;
}

struct TraceRow {
    const char* name;
    Kind kind;
    Board input;
    std::vector<float> draws; // scripted numbers, all of which the sort must use
    Trace trace;
};

std::vector<TraceRow> traceRows()
{
    Board reversed {}, smallestLast {}, largestFirst {}, equal {}, sorted {};
    for (int i = 0; i < BarSlots::kCount; ++i) {
        reversed[i] = 15 - i;
        smallestLast[i] = (i + 1) % 16; // 1, 2, ..., 15, 0
        largestFirst[i] = i == 0 ? 15 : i - 1; // 15, 0, 1, ..., 14
        equal[i] = 777;
        sorted[i] = 100 * i;
    }
    const Board ties { 1, 0, 1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 };
    std::vector<TraceRow> rows;

    // Exchange sort: pass i exchanges slot i with each slot above it whose
    // value is larger, top first. On reversed input that is every slot above.
    Trace exchangeReversed, exchangeSmallestLast, exchangeLargestFirst;
    for (int i = 1; i < 16; ++i)
        for (int j = 0; j < i; ++j)
            exchangeReversed.push_back({ j, i });
    for (int j = 0; j < 15; ++j)
        exchangeSmallestLast.push_back({ j, 15 }); // the last pass walks 0 down through every slot
    for (int i = 1; i < 16; ++i)
        exchangeLargestFirst.push_back({ i - 1, i }); // the 15 is carried down one slot a pass
    rows.push_back({ "exchange, reversed", Exchange, reversed, {}, exchangeReversed });
    rows.push_back({ "exchange, smallest last", Exchange, smallestLast, {}, exchangeSmallestLast });
    rows.push_back({ "exchange, largest first", Exchange, largestFirst, {}, exchangeLargestFirst });
    rows.push_back({ "exchange, ties", Exchange, ties, {}, { { 0, 1 }, { 1, 3 } } });
    rows.push_back({ "exchange, all equal", Exchange, equal, {}, {} });
    rows.push_back({ "exchange, sorted", Exchange, sorted, {}, {} });

    // Gnome sort: each new value walks up one slot an exchange, (j, j - 1).
    Trace gnomeReversed, gnomeSmallestLast, gnomeLargestFirst;
    for (int i = 1; i < 16; ++i)
        for (int j = i; j >= 1; --j)
            gnomeReversed.push_back({ j, j - 1 });
    for (int j = 15; j >= 1; --j)
        gnomeSmallestLast.push_back({ j, j - 1 });
    for (int i = 1; i < 16; ++i)
        gnomeLargestFirst.push_back({ i, i - 1 }); // each value passes the 15 once
    rows.push_back({ "gnome, reversed", Gnome, reversed, {}, gnomeReversed });
    rows.push_back({ "gnome, smallest last", Gnome, smallestLast, {}, gnomeSmallestLast });
    rows.push_back({ "gnome, largest first", Gnome, largestFirst, {}, gnomeLargestFirst });
    rows.push_back({ "gnome, ties", Gnome, ties, {}, { { 1, 0 }, { 3, 2 }, { 2, 1 } } });
    rows.push_back({ "gnome, all equal", Gnome, equal, {}, {} });
    rows.push_back({ "gnome, sorted", Gnome, sorted, {}, {} });

    // Random pair sort: (5, 5) and (9, 3) are discarded with no check for
    // order; (2, 7) is accepted, and on sorted values the check stops it there.
    rows.push_back({ "random pair, sorted: stops at the first accepted pair", RandomPair, sorted,
        { indexDraw(5), indexDraw(5), indexDraw(9), indexDraw(3), indexDraw(2), indexDraw(7) }, {} });
    // Slots 3 and 10 exchanged: (10, 3) is discarded, (1, 2) is in order and
    // the check goes on, (3, 10) is out of order, so swap(10, 3), and it stops.
    Board oneOut = sorted;
    std::swap(oneOut[3], oneOut[10]);
    rows.push_back({ "random pair, one pair out of order", RandomPair, oneOut,
        { indexDraw(10), indexDraw(3), indexDraw(1), indexDraw(2), indexDraw(3), indexDraw(10) }, { { 10, 3 } } });
    // Only the top two out of order: the check must look at slots 0 and 1
    // too, so (2, 7) does not stop it; (1, 0) is discarded, (0, 1) exchanged.
    Board topTwoOut = sorted;
    std::swap(topTwoOut[0], topTwoOut[1]);
    rows.push_back({ "random pair, only the top two out of order", RandomPair, topTwoOut,
        { indexDraw(2), indexDraw(7), indexDraw(1), indexDraw(0), indexDraw(0), indexDraw(1) }, { { 1, 0 } } });
    rows.push_back({ "random pair, all equal", RandomPair, equal, { indexDraw(0), indexDraw(15) }, {} });
    return rows;
}

} // namespace

TEST_CASE("each sort makes exactly the exchanges worked out by hand")
{
    for (const TraceRow& row : traceRows()) {
        INFO(std::string(row.name));
        Run run(row.input);
        run.numbers.assign(row.draws.begin(), row.draws.end());

        run.sort(row.kind);

        CHECK(run.trace == row.trace);
        CHECK(run.draws == int(row.draws.size())); // no draw after the stop, none left over
        Board expected = row.input;
        std::sort(expected.begin(), expected.end());
        CHECK(run.board() == expected);
    }
}

// Over many boards, some with many equal values: the result ascends, and
// every exchange removes at least one inversion, so the gnome sort makes
// exactly as many exchanges as there were inversions and the others no more.
TEST_CASE("over random boards every exchange removes an inversion and the values end ascending")
{
    for (const Kind kind : { Exchange, Gnome, RandomPair }) {
        CAPTURE(int(kind));
        std::mt19937 boards(2026);
        for (int n = 0; n < 500; ++n) {
            Board input {};
            const int range = n % 5 == 0 ? 4 : 4096;
            for (int& v : input)
                v = int(boards() % unsigned(range));
            Run run(input);
            std::vector<int> inversionsAfter;
            run.afterSwap = [&] { inversionsAfter.push_back(inversions(run.board())); };
            run.sort(kind);

            CAPTURE(n);
            Board expected = input;
            std::sort(expected.begin(), expected.end());
            REQUIRE(run.board() == expected);
            int before = inversions(input);
            for (int after : inversionsAfter) {
                REQUIRE(after < before);
                before = after;
            }
            if (kind == Gnome)
                REQUIRE(int(inversionsAfter.size()) == inversions(input));
        }
    }
}
