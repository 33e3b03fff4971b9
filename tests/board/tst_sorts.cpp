// The three sorts and the button lock, under the scripted runtime.
#include "Board.h"

#include <QTest>

#include <vector>

using rt::Int16;

class TestSorts : public QObject
{
    Q_OBJECT

private slots:
    void sortsRandomBoards_data();
    void sortsRandomBoards();
    void exchangesOnSpecialBoards_data();
    void exchangesOnSpecialBoards();
    void randomPairSortStopsAtFirstAcceptedPair();
    void buttonsLockedWhileSorting_data();
    void buttonsLockedWhileSorting();
    void unknownSortKindShowsError_data();
    void unknownSortKindShowsError();
};

namespace
{

constexpr int kSeeds = 200;

// Records the order in which the buttons' enabled states are written.
class EnabledLog final : public rt::ControlObserver
{
public:
    explicit EnabledLog(Form1& form)
    {
        for (rt::Button* b : { &form.RN, &form.BS, &form.PS, &form.Command1 })
            b->setObserver(this);
    }
    void barChanged(const rt::Bar&, float, float) override { }
    void buttonChanged(const rt::Button& button) override { writes.push_back({ &button, button.enabled() }); }

    std::vector<std::pair<const rt::Button*, bool>> writes;
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

// Counts exchanges by their first frame: bar positions move only inside SwapBars.
struct ExchangeCounter {
    explicit ExchangeCounter(rt::ScriptedPlatform& platform, Form1& form)
    {
        platform.onPump = [this, &platform, &form] {
            if ((platform.pumps - 1) % 30 == 0)
                inversionsAtEachStart.push_back(inversions(valuesOf(form)));
        };
    }
    int exchanges() const { return int(inversionsAtEachStart.size()); }
    std::vector<int> inversionsAtEachStart;
};

} // namespace

void TestSorts::sortsRandomBoards_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("Bubble-sort") << 1;
    QTest::newRow("Push-sort") << 2;
    QTest::newRow("Random sort") << 3;
}

void TestSorts::sortsRandomBoards()
{
    QFETCH(int, kind);
    for (int seed = 0; seed < kSeeds; ++seed) {
        rt::ScriptedPlatform platform;
        platform.tick = 0.01f; // one clock read per frame wait
        platform.clockReadings = { float(seed) };
        Form1 form(platform);
        form.Form_Load();
        if (seed % 10 == 0) // some boards with many equal values
            for (int i = 0; i < BarSlots::kCount; ++i)
                form.Values[i] = form.Values[i].value() % 4;
        const Board input = valuesOf(form);
        auto pairsBefore = valueColourPairs(form);
        ExchangeCounter counter(platform, form);

        buttonFor(form, kind).click();

        const Board output = valuesOf(form);
        QVERIFY2(std::is_sorted(output.begin(), output.end()), qPrintable(QString("seed %1").arg(seed)));
        auto pairsAfter = valueColourPairs(form);
        std::sort(pairsBefore.begin(), pairsBefore.end());
        std::sort(pairsAfter.begin(), pairsAfter.end());
        QVERIFY2(pairsAfter == pairsBefore, "values and colours stay together, and nothing is lost");
        QVERIFY(everyBarAtRest(form));
        QVERIFY(allButtonsEnabled(form, true));

        // Each exchange removes at least one inversion.
        std::vector<int> steps = counter.inversionsAtEachStart;
        steps.push_back(0);
        for (std::size_t e = 1; e < steps.size(); ++e)
            QVERIFY2(steps[e] < steps[e - 1], qPrintable(QString("seed %1, exchange %2").arg(seed).arg(e)));
        QCOMPARE(platform.pumps, 30 * counter.exchanges());
        if (kind == 2)
            QCOMPARE(counter.exchanges(), inversions(input));
        else
            QVERIFY(counter.exchanges() <= inversions(input));
    }
}

void TestSorts::exchangesOnSpecialBoards_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Board>("input");
    QTest::addColumn<int>("exchanges");
    Board ascending {}, equal {}, descending {};
    for (int i = 0; i < BarSlots::kCount; ++i) {
        ascending[i] = 100 * i;
        equal[i] = 777;
        descending[i] = 4000 - 200 * i;
    }
    const int reversedInversions = inversions(descending);
    QVERIFY(reversedInversions == 120);
    const char* names[] = { "", "Bubble-sort", "Push-sort", "Random sort" };
    for (int kind = 1; kind <= 3; ++kind) {
        QTest::addRow("%s, sorted", names[kind]) << kind << ascending << 0;
        QTest::addRow("%s, all equal", names[kind]) << kind << equal << 0;
    }
    QTest::addRow("Bubble-sort, reversed") << 1 << descending << reversedInversions;
    QTest::addRow("Push-sort, reversed") << 2 << descending << reversedInversions;
}

void TestSorts::exchangesOnSpecialBoards()
{
    QFETCH(int, kind);
    QFETCH(Board, input);
    QFETCH(int, exchanges);
    rt::ScriptedPlatform platform;
    platform.tick = 0.01f;
    Form1 form(platform);
    form.Form_Load();
    setValues(form, input);
    ExchangeCounter counter(platform, form);

    buttonFor(form, kind).click();

    QCOMPARE(counter.exchanges(), exchanges);
    const Board output = valuesOf(form);
    QVERIFY(std::is_sorted(output.begin(), output.end()));
    QCOMPARE(form.SortKind, Int16(kind));
}

void TestSorts::randomPairSortStopsAtFirstAcceptedPair()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    Board sorted {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        sorted[i] = i;
    setValues(form, sorted);
    const auto index = [](int i) { return (float(i) + 0.5f) / 16; };
    // (5, 5) and (9, 3) are discarded without a check; (2, 7) is accepted.
    platform.randomNumbers = { index(5), index(5), index(9), index(3), index(2), index(7), index(0), index(1) };

    form.PS_Click();

    QCOMPARE(platform.draws, 6);
    QCOMPARE(platform.pumps, 0);
    QCOMPARE(valuesOf(form), sorted);
}

void TestSorts::buttonsLockedWhileSorting_data()
{
    sortsRandomBoards_data();
}

void TestSorts::buttonsLockedWhileSorting()
{
    QFETCH(int, kind);
    rt::ScriptedPlatform platform;
    platform.tick = 0.01f;
    Form1 form(platform);
    form.Form_Load();
    EnabledLog log(form);
    bool lockedAtEveryPump = true;
    platform.onPump = [&] { lockedAtEveryPump = lockedAtEveryPump && allButtonsEnabled(form, false); };
    Board descending {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        descending[i] = 15 - i;
    setValues(form, descending);

    buttonFor(form, kind).click();

    QVERIFY(platform.pumps > 0);
    QVERIFY(lockedAtEveryPump);
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
    QVERIFY(log.writes == expected);
}

void TestSorts::unknownSortKindShowsError_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("initial 0") << 0;
    QTest::newRow("4") << 4;
    QTest::newRow("-1") << -1;
}

void TestSorts::unknownSortKindShowsError()
{
    QFETCH(int, kind);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    const Board before = valuesOf(form);
    EnabledLog log(form);
    form.SortKind = kind;

    form.RunSort();

    const rt::Message expected { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical,
        rt::Message::Buttons::OkOnly };
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QVERIFY(platform.messages[0] == expected);
    QCOMPARE(valuesOf(form), before);
    QCOMPARE(platform.pumps, 0);
    QCOMPARE(int(log.writes.size()), 8);
    QVERIFY(allButtonsEnabled(form, true));
}

QTEST_GUILESS_MAIN(TestSorts)
#include "tst_sorts.moc"
