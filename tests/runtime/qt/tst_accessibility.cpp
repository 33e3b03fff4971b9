// What a screen reader sees: the buttons by their captions, and the bars as
// one chart of sixteen children whose values follow every change.
#include "support/BoardHelpers.h"

#include "runtime/qt/QtBarsView.h"
#include "runtime/qt/QtWindow.h"
#include "support/AccessibilityRecorder.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void barsAreSixteenChildrenTopToBottom();
    void valuesFollowRandomizeAndExchange();
    void exchangeTellsOfExactlyItsTwoBars_data();
    void exchangeTellsOfExactlyItsTwoBars();
    void randomizeTellsOfEveryChangedBar();

private:
    std::vector<int> barsTold() const;
    QAccessibleInterface* board() const { return QAccessible::queryAccessibleInterface(window->barsView()); }
    void compareValues();

    std::unique_ptr<rt::ScriptedPlatform> platform;
    std::unique_ptr<Form1> form;
    std::unique_ptr<rt::QtWindow> window;
};

void TestAccessibility::init()
{
    platform = std::make_unique<rt::ScriptedPlatform>();
    form = std::make_unique<Form1>(*platform);
    window = std::make_unique<rt::QtWindow>(*form, *platform);
    window->load();
}

void TestAccessibility::cleanup()
{
    window.reset();
    form.reset();
    platform.reset();
}

void TestAccessibility::compareValues()
{
    QAccessibleInterface* chart = board();
    for (int i = 0; i < BarSlots::kCount; ++i) {
        QAccessibleInterface* bar = chart->child(i);
        QCOMPARE(bar->valueInterface()->currentValue().toDouble(), double(form->Values[i].value()));
        QCOMPARE(bar->text(QAccessible::Value), QString::number(form->Values[i].value()));
    }
}

void TestAccessibility::barsAreSixteenChildrenTopToBottom()
{
    QAccessibleInterface* chart = board();
    QVERIFY(chart);
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(chart->childCount(), 16);
    int previousTop = -1;
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface* bar = chart->child(i);
        QCOMPARE(bar->text(QAccessible::Name), QString("Bar %1").arg(i + 1));
        QCOMPARE(chart->indexOfChild(bar), i);
        QCOMPARE(bar->parent(), chart);
        QVERIFY(!bar->state().focusable);
        QVERIFY(bar->rect().top() > previousTop);
        previousTop = bar->rect().top();
    }
    QCOMPARE(window->barsView()->focusPolicy(), Qt::NoFocus);
    compareValues();
}

void TestAccessibility::valuesFollowRandomizeAndExchange()
{
    setValues(*form, { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80 });
    compareValues();
    form->RN_Click();
    compareValues();
    setValues(*form, { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80 });
    const rt::Int16 a = 2, b = 11;
    form->SwapBars(a, b);
    compareValues();
    QCOMPARE(board()->child(2)->valueInterface()->currentValue().toDouble(), 60.0);
}

// The bars, by position, that value-change events named, in order.
std::vector<int> TestAccessibility::barsTold() const
{
    std::vector<int> bars;
    for (const AccessibilityRecorder::Event& e : AccessibilityRecorder::events())
        if (e.type == QAccessible::ValueChanged)
            bars.push_back(board()->indexOfChild(e.target));
    return bars;
}

void TestAccessibility::exchangeTellsOfExactlyItsTwoBars_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("neighbours") << 4 << 5;
    QTest::newRow("top and bottom") << 0 << 15;
    QTest::newRow("lower bar first") << 11 << 2;
}

void TestAccessibility::exchangeTellsOfExactlyItsTwoBars()
{
    QFETCH(int, a);
    QFETCH(int, b);
    setValues(*form, { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80 });
    AccessibilityRecorder recorder;

    const rt::Int16 ia = a, ib = b;
    form->SwapBars(ia, ib);

    std::vector<int> told = barsTold();
    std::sort(told.begin(), told.end());
    QCOMPARE(told, (std::vector<int> { std::min(a, b), std::max(a, b) }));
}

void TestAccessibility::randomizeTellsOfEveryChangedBar()
{
    setValues(*form, { 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80 });
    platform->randomNumbers.assign(16, 10.0f / 4096); // every bar 10 long
    AccessibilityRecorder recorder;

    form->RN_Click();

    std::vector<int> expected; // all but bar 1, which was 10 long already
    for (int i = 0; i < 16; ++i)
        if (i != 1)
            expected.push_back(i);
    QCOMPARE(barsTold(), expected);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
