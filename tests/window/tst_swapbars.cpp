// The animated exchange, frame by frame, under a scripted clock and pump.
#include "support/BoardHelpers.h"

#include <QTest>

#include <vector>

using rt::Int16;

class TestSwapBars : public QObject
{
    Q_OBJECT

private slots:
    void framesSlideBothBars_data();
    void framesSlideBothBars();
    void framePacing_data();
    void framePacing();
    void dataMovesOnlyAfterTheLastPump();
};

namespace
{

const Board kBoard { 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160 };

// Every bar's top edge, as the picture shows it at one pump.
using Tops = std::array<float, BarSlots::kCount>;

Tops topsOf(const Form1& form)
{
    Tops tops {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        tops[i] = form.Shape1[i].top();
    return tops;
}

} // namespace

void TestSwapBars::framesSlideBothBars_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("neighbours") << 4 << 5;
    QTest::newRow("top and bottom") << 0 << 15;
    QTest::newRow("lower bar first") << 9 << 2;
}

void TestSwapBars::framesSlideBothBars()
{
    QFETCH(int, a);
    QFETCH(int, b);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    setValues(form, kBoard);
    const auto before = valueColourPairs(form);
    std::vector<Tops> frames;
    platform.onPump = [&] { frames.push_back(topsOf(form)); };

    const Int16 ia = a, ib = b;
    form.SwapBars(ia, ib);

    QCOMPARE(int(frames.size()), 30);
    const float step = 8.0f * float(b - a);
    for (int f = 0; f < 30; ++f) {
        for (int i = 0; i < BarSlots::kCount; ++i) {
            float expected = float(BarSlots::homeTop(i));
            if (i == a)
                expected += float(f + 1) * step;
            else if (i == b)
                expected -= float(f + 1) * step;
            QCOMPARE(frames[f][i], expected);
        }
    }
    // The last frame leaves each bar exactly on the other's slot.
    QCOMPARE(frames.back()[a], float(BarSlots::homeTop(b)));
    QCOMPARE(frames.back()[b], float(BarSlots::homeTop(a)));

    const auto after = valueColourPairs(form);
    QCOMPARE(after[a], before[b]);
    QCOMPARE(after[b], before[a]);
    for (int i = 0; i < BarSlots::kCount; ++i)
        if (i != a && i != b)
            QCOMPARE(after[i], before[i]);
    QVERIFY(everyBarAtRest(form));
}

void TestSwapBars::framePacing_data()
{
    QTest::addColumn<std::vector<float>>("readings"); // start, then the readings that follow it
    QTest::addColumn<int>("readsInFirstFrame");
    QTest::newRow("5000.0073 waits, 5000.0078125 ends")
        << std::vector<float> { 5000.0f, 5000.0073f, 5000.0078125f } << 3;
    QTest::newRow("threshold reached at once") << std::vector<float> { 5000.0f, 5000.0078125f } << 2;
    QTest::newRow("early morning: 0.008 is not rounded to 1/128")
        << std::vector<float> { 100.0f, 100.0078125f, 100.008f } << 3;
    QTest::newRow("past midnight ends the wait") << std::vector<float> { 86399.99f, 0.001f } << 2;
    QTest::newRow("clock set back ends the wait") << std::vector<float> { 5000.0f, 4000.0f } << 2;
}

void TestSwapBars::framePacing()
{
    QFETCH(std::vector<float>, readings);
    QFETCH(int, readsInFirstFrame);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    platform.clockReadings.assign(readings.begin(), readings.end());
    platform.now = 7000.0f; // later frames read the running clock
    int readsAtFirstPump = -1;
    platform.onPump = [&] {
        if (readsAtFirstPump < 0)
            readsAtFirstPump = platform.clockReads;
    };

    const Int16 a = 3, b = 4;
    form.SwapBars(a, b);

    QCOMPARE(readsAtFirstPump, readsInFirstFrame);
}

void TestSwapBars::dataMovesOnlyAfterTheLastPump()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    setValues(form, kBoard);
    const auto before = valueColourPairs(form);
    bool unchangedAtEveryPump = true;
    platform.onPump = [&] { unchangedAtEveryPump = unchangedAtEveryPump && valueColourPairs(form) == before; };

    const Int16 a = 7, b = 12;
    form.SwapBars(a, b);

    QVERIFY(unchangedAtEveryPump);
    QCOMPARE(platform.pumps, 30);
    QCOMPARE(valuesOf(form)[7], kBoard[12]);
}

QTEST_GUILESS_MAIN(TestSwapBars)
#include "tst_swapbars.moc"
