// The three sorts as pure algorithms: the exact list of exchanges each makes,
// worked out by hand from the algorithms, and what every run must keep.
#include "board/Sorts.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <random>
#include <vector>

using rt::Int16;
using Board = std::array<int, BarSlots::kCount>;
using Trace = std::vector<std::pair<int, int>>; // (a, b) of each swap(a, b), in order
Q_DECLARE_METATYPE(Trace)
Q_DECLARE_METATYPE(std::vector<float>)

class TestSorts : public QObject
{
    Q_OBJECT

private slots:
    void traces_data();
    void traces();
    void randomBoards_data();
    void randomBoards();
};

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

} // namespace

void TestSorts::traces_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Board>("input");
    QTest::addColumn<std::vector<float>>("draws"); // scripted numbers, all of which the sort must use
    QTest::addColumn<Trace>("trace");

    Board reversed {}, smallestLast {}, largestFirst {}, equal {}, sorted {};
    for (int i = 0; i < BarSlots::kCount; ++i) {
        reversed[i] = 15 - i;
        smallestLast[i] = (i + 1) % 16; // 1, 2, ..., 15, 0
        largestFirst[i] = i == 0 ? 15 : i - 1; // 15, 0, 1, ..., 14
        equal[i] = 777;
        sorted[i] = 100 * i;
    }
    const Board ties { 1, 0, 1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 };

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
    QTest::newRow("exchange, reversed") << int(Exchange) << reversed << std::vector<float> {} << exchangeReversed;
    QTest::newRow("exchange, smallest last")
        << int(Exchange) << smallestLast << std::vector<float> {} << exchangeSmallestLast;
    QTest::newRow("exchange, largest first")
        << int(Exchange) << largestFirst << std::vector<float> {} << exchangeLargestFirst;
    QTest::newRow("exchange, ties") << int(Exchange) << ties << std::vector<float> {} << Trace { { 0, 1 }, { 1, 3 } };
    QTest::newRow("exchange, all equal") << int(Exchange) << equal << std::vector<float> {} << Trace {};
    QTest::newRow("exchange, sorted") << int(Exchange) << sorted << std::vector<float> {} << Trace {};

    // Gnome sort: each new value walks up one slot an exchange, (j, j - 1).
    Trace gnomeReversed, gnomeSmallestLast, gnomeLargestFirst;
    for (int i = 1; i < 16; ++i)
        for (int j = i; j >= 1; --j)
            gnomeReversed.push_back({ j, j - 1 });
    for (int j = 15; j >= 1; --j)
        gnomeSmallestLast.push_back({ j, j - 1 });
    for (int i = 1; i < 16; ++i)
        gnomeLargestFirst.push_back({ i, i - 1 }); // each value passes the 15 once
    QTest::newRow("gnome, reversed") << int(Gnome) << reversed << std::vector<float> {} << gnomeReversed;
    QTest::newRow("gnome, smallest last") << int(Gnome) << smallestLast << std::vector<float> {} << gnomeSmallestLast;
    QTest::newRow("gnome, largest first") << int(Gnome) << largestFirst << std::vector<float> {} << gnomeLargestFirst;
    QTest::newRow("gnome, ties") << int(Gnome) << ties << std::vector<float> {}
                                 << Trace { { 1, 0 }, { 3, 2 }, { 2, 1 } };
    QTest::newRow("gnome, all equal") << int(Gnome) << equal << std::vector<float> {} << Trace {};
    QTest::newRow("gnome, sorted") << int(Gnome) << sorted << std::vector<float> {} << Trace {};

    // Random pair sort: (5, 5) and (9, 3) are discarded with no check for
    // order; (2, 7) is accepted, and on sorted values the check stops it there.
    QTest::newRow("random pair, sorted: stops at the first accepted pair")
        << int(RandomPair) << sorted
        << std::vector<float> { indexDraw(5), indexDraw(5), indexDraw(9), indexDraw(3), indexDraw(2), indexDraw(7) }
        << Trace {};
    // Slots 3 and 10 exchanged: (10, 3) is discarded, (1, 2) is in order and
    // the check goes on, (3, 10) is out of order, so swap(10, 3), and it stops.
    Board oneOut = sorted;
    std::swap(oneOut[3], oneOut[10]);
    QTest::newRow("random pair, one pair out of order")
        << int(RandomPair) << oneOut
        << std::vector<float> { indexDraw(10), indexDraw(3), indexDraw(1), indexDraw(2), indexDraw(3), indexDraw(10) }
        << Trace { { 10, 3 } };
    QTest::newRow("random pair, all equal")
        << int(RandomPair) << equal << std::vector<float> { indexDraw(0), indexDraw(15) } << Trace {};
}

void TestSorts::traces()
{
    QFETCH(int, kind);
    QFETCH(Board, input);
    QFETCH(std::vector<float>, draws);
    QFETCH(Trace, trace);
    Run run(input);
    run.numbers.assign(draws.begin(), draws.end());

    run.sort(Kind(kind));

    QCOMPARE(run.trace, trace);
    QCOMPARE(run.draws, int(draws.size())); // no draw after the stop, none left over
    Board expected = input;
    std::sort(expected.begin(), expected.end());
    QCOMPARE(run.board(), expected);
}

void TestSorts::randomBoards_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("exchange") << int(Exchange);
    QTest::newRow("gnome") << int(Gnome);
    QTest::newRow("random pair") << int(RandomPair);
}

// Over many boards, some with many equal values: the result ascends, and
// every exchange removes at least one inversion, so the gnome sort makes
// exactly as many exchanges as there were inversions and the others no more.
void TestSorts::randomBoards()
{
    QFETCH(int, kind);
    std::mt19937 boards(2026);
    for (int n = 0; n < 500; ++n) {
        Board input {};
        const int range = n % 5 == 0 ? 4 : 4096;
        for (int& v : input)
            v = int(boards() % unsigned(range));
        Run run(input);
        std::vector<int> inversionsAfter;
        run.afterSwap = [&] { inversionsAfter.push_back(inversions(run.board())); };
        run.sort(Kind(kind));

        Board expected = input;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(run.board(), expected);
        int before = inversions(input);
        for (int after : inversionsAfter) {
            QVERIFY2(after < before, qPrintable(QString("board %1").arg(n)));
            before = after;
        }
        if (kind == Gnome)
            QCOMPARE(int(inversionsAfter.size()), inversions(input));
    }
}

QTEST_GUILESS_MAIN(TestSorts)
#include "tst_sorts.moc"
