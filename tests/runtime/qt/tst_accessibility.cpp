// What a screen reader sees: the buttons by their captions, and the bars as
// one chart of sixteen children whose values follow every change.
#include "support/BoardHelpers.h"

#include "runtime/qt/BarsView.h"
#include "runtime/qt/FormWindow.h"

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
    void buttonsAreNamedByCaption();
    void barsAreSixteenChildrenTopToBottom();
    void valuesFollowRandomizeAndExchange();

private:
    QAccessibleInterface* board() const { return QAccessible::queryAccessibleInterface(window->barsView()); }
    void compareValues();

    std::unique_ptr<rt::ScriptedPlatform> platform;
    std::unique_ptr<Form1> form;
    std::unique_ptr<rt::FormWindow> window;
};

void TestAccessibility::init()
{
    platform = std::make_unique<rt::ScriptedPlatform>();
    form = std::make_unique<Form1>(*platform);
    window = std::make_unique<rt::FormWindow>(*form, *platform);
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

void TestAccessibility::buttonsAreNamedByCaption()
{
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 4);
    for (QPushButton* b : buttons)
        QCOMPARE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name), b->text());
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
