// The bar board: drawing values, refreshing widths, and the initial colours.
#include "support/BoardHelpers.h"

#include <QTest>

using rt::Int16;

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void randomizeScalesEachDraw_data();
    void randomizeScalesEachDraw();
    void randomizeDrawsSixteenInOrder();
    void randomizeLeavesColoursAndTops();
    void colourChannelRounding_data();
    void colourChannelRounding();
    void colouringDrawsThreePerBarInOrder();
    void refreshMakesEveryWidthItsValue();
};

void TestBoard::randomizeScalesEachDraw_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << 0.0f << 0;
    QTest::newRow("one step") << 1.0f / 4096 << 1;
    QTest::newRow("just under one step") << std::nextafter(1.0f / 4096, 0.0f) << 0;
    QTest::newRow("half") << 0.5f << 2048;
    QTest::newRow("0.99999") << 0.99999f << 4095;
    QTest::newRow("largest number below 1") << std::nextafter(1.0f, 0.0f) << 4095;
}

void TestBoard::randomizeScalesEachDraw()
{
    QFETCH(float, r);
    QFETCH(int, value);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    platform.randomNumbers.assign(BarSlots::kCount, r);

    form.RN_Click();

    for (int i = 0; i < BarSlots::kCount; ++i) {
        QCOMPARE(form.Values[i].value(), value);
        QCOMPARE(form.Shape1[i].width(), float(value));
    }
}

void TestBoard::randomizeDrawsSixteenInOrder()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    for (int i = 0; i < BarSlots::kCount; ++i)
        platform.randomNumbers.push_back(float(i) / 16);
    platform.randomNumbers.push_back(0.75f); // must stay undrawn

    form.RN_Click();

    QCOMPARE(platform.draws, BarSlots::kCount);
    for (int i = 0; i < BarSlots::kCount; ++i)
        QCOMPARE(form.Values[i].value(), i * 256);
}

void TestBoard::randomizeLeavesColoursAndTops()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.SortKind = 2;
    form.Shape1[3].setFillColor(rt::rgb(1, 2, 3)); // as a sort might have moved it
    const auto before = valueColourPairs(form);

    form.RN_Click();

    const auto after = valueColourPairs(form);
    for (int i = 0; i < BarSlots::kCount; ++i) {
        QCOMPARE(after[i].second, before[i].second);
        QCOMPARE(form.Shape1[i].top(), float(BarSlots::homeTop(i)));
    }
    QVERIFY(after != before); // the values did change
    QCOMPARE(form.SortKind, Int16(2));
}

void TestBoard::colourChannelRounding_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<float>("product"); // r * 255 in single precision
    QTest::addColumn<int>("channel");
    // 6743783 / 2^24 is the smallest 24-bit number over 0.4 whose product lands on a tie.
    const float tieDown = 6743783.0f / 16777216.0f;
    QTest::newRow("tie goes down to even") << tieDown << 102.5f << 102;
    QTest::newRow("tie goes up to even") << 0.5f << 127.5f << 128;
    QTest::newRow("zero") << 0.0f << 0.0f << 0;
    QTest::newRow("largest number below 1") << std::nextafter(1.0f, 0.0f) << 255.0f << 255;
}

void TestBoard::colourChannelRounding()
{
    QFETCH(float, r);
    QFETCH(float, product);
    QFETCH(int, channel);
    QCOMPARE(r * 255.0f, product); // the row really is the case it names
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    platform.randomNumbers.assign(3 * BarSlots::kCount, r);

    form.colourBars();

    QCOMPARE(form.Shape1[0].fillColor(), rt::rgb(channel, channel, channel));
}

void TestBoard::colouringDrawsThreePerBarInOrder()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    // Bar i draws red i/64, green (i+16)/64, blue (i+32)/64, one bar after another.
    for (int i = 0; i < BarSlots::kCount; ++i)
        for (int channel = 0; channel < 3; ++channel)
            platform.randomNumbers.push_back(float(i + 16 * channel) / 64);

    form.colourBars();

    QCOMPARE(platform.draws, 3 * BarSlots::kCount);
    for (int i = 0; i < BarSlots::kCount; ++i) {
        const rt::Colour fill = form.Shape1[i].fillColor();
        QCOMPARE(rt::redOf(fill), qRound(float(i) / 64 * 255));
        QCOMPARE(rt::greenOf(fill), qRound(float(i + 16) / 64 * 255));
        QCOMPARE(rt::blueOf(fill), qRound(float(i + 32) / 64 * 255));
        QCOMPARE(form.Shape1[i].borderColor(), fill);
    }
}

void TestBoard::refreshMakesEveryWidthItsValue()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    const Board values { 0, 4095, 7, 7, 100, 2, 3000, 1, 0, 15, 16, 17, 4094, 1234, 999, 4095 };
    for (int i = 0; i < BarSlots::kCount; ++i)
        form.Values[i] = values[i];
    QCOMPARE(form.Shape1[1].width(), 0.0f); // nothing shows a value before the refresh

    form.RefreshBars();

    for (int i = 0; i < BarSlots::kCount; ++i)
        QCOMPARE(form.Shape1[i].width(), float(values[i]));
}

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_bars.moc"
