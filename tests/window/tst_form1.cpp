// Form1's start-up, close and event wiring, under the scripted runtime.
#include "support/BoardHelpers.h"

#include "runtime/Random.h"

#include <QTest>

using rt::Int16;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void loadReseedsBeforeDrawing_data();
    void loadReseedsBeforeDrawing();
    void sameClockGivesSameBoard();
    void unloadEndsWithoutCancelling();
    void clickReachesItsHandler_data();
    void clickReachesItsHandler();
    void disabledButtonDeliversNoClick();
};

void TestForm1::loadReseedsBeforeDrawing_data()
{
    QTest::addColumn<float>("clock");
    QTest::newRow("just after midnight") << 0.25f;
    QTest::newRow("noon") << 43200.5f;
    QTest::newRow("just before midnight") << 86399.99f;
}

void TestForm1::loadReseedsBeforeDrawing()
{
    QFETCH(float, clock);
    rt::ScriptedPlatform platform;
    platform.clockReadings = { clock };
    Form1 form(platform);

    form.Form_Load();

    QCOMPARE(platform.seeds, std::vector<float> { clock });
    QCOMPARE(platform.draws, BarSlots::kCount * 4); // one value and three channels per bar
    // Every draw came after the reseed: the board is the start of the reseeded sequence.
    rt::Random generator;
    generator.reseed(clock);
    for (int i = 0; i < BarSlots::kCount; ++i)
        QCOMPARE(form.Values[i], Int16::truncate(generator.next() * 4096));
    QVERIFY(everyBarAtRest(form));
    QVERIFY(valuesOf(form) != Board {}); // the zeros of the new window are gone
}

void TestForm1::sameClockGivesSameBoard()
{
    const auto boardAt = [](float clock) {
        rt::ScriptedPlatform platform;
        platform.clockReadings = { clock };
        Form1 form(platform);
        form.Form_Load();
        return valueColourPairs(form);
    };
    QCOMPARE(boardAt(3600.5f), boardAt(3600.5f));
    QVERIFY(boardAt(3600.5f) != boardAt(3601.5f));
}

void TestForm1::unloadEndsWithoutCancelling()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    Int16 cancel = 0;
    try {
        form.Form_Unload(cancel);
        QFAIL("unload returned instead of ending the program");
    } catch (const rt::ScriptedPlatform::Ended& ended) {
        QCOMPARE(ended.status, 0);
    }
    QCOMPARE(cancel, Int16(0));
}

void TestForm1::clickReachesItsHandler_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("sortKind");
    QTest::addColumn<int>("draws");
    QTest::newRow("Randomize") << "RN" << 0 << 16;
    QTest::newRow("Bubble-sort") << "BS" << 1 << 0;
    QTest::newRow("Push-sort") << "Command1" << 2 << 0;
    QTest::newRow("Random sort") << "PS" << 3 << 2; // draws one pair, accepted, on a sorted board
}

void TestForm1::clickReachesItsHandler()
{
    QFETCH(QString, button);
    QFETCH(int, sortKind);
    QFETCH(int, draws);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    platform.randomNumbers = { 0.1f, 0.9f };
    rt::Button& b = button == "RN" ? form.RN : button == "BS" ? form.BS : button == "PS" ? form.PS : form.Command1;

    b.click();

    QCOMPARE(form.SortKind, Int16(sortKind));
    QCOMPARE(platform.draws, draws);
}

void TestForm1::disabledButtonDeliversNoClick()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.EnableButtons(rt::False);

    form.RN.click();
    form.BS.click();

    QCOMPARE(platform.draws, 0);
    QCOMPARE(form.SortKind, Int16(0));
}

QTEST_GUILESS_MAIN(TestForm1)
#include "tst_form1.moc"
