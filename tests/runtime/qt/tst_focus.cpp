// Keyboard focus through a sort: the buttons are locked while it runs, and
// the focus comes back to where it was (or to the sort's own button) after.
#include "support/BoardHelpers.h"

#include "runtime/qt/QtWindow.h"
#include "support/AccessibilityRecorder.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestFocus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void focusComesBackAfterSort_data();
    void focusComesBackAfterSort();
    void focusSetQuietlyInInactiveWindow();

private:
    QPushButton* widget(const QString& name) const;

    std::unique_ptr<rt::ScriptedPlatform> platform;
    std::unique_ptr<Form1> form;
    std::unique_ptr<rt::QtWindow> window;
    std::unique_ptr<AccessibilityRecorder> recorder;
};

namespace
{

enum class Start { Keyboard, Click, AccessiblePress };

const Board kReversed { 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0 };

} // namespace

void TestFocus::init()
{
    platform = std::make_unique<rt::ScriptedPlatform>();
    platform->tick = 0.01f;
    form = std::make_unique<Form1>(*platform);
    window = std::make_unique<rt::QtWindow>(*form, *platform);
    window->load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    setValues(*form, kReversed);
    recorder = std::make_unique<AccessibilityRecorder>();
}

void TestFocus::cleanup()
{
    recorder.reset();
    window.reset();
    form.reset();
    platform.reset();
}

QPushButton* TestFocus::widget(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    const rt::Button& button = name == "RN" ? form->RN
        : name == "BS"                      ? form->BS
        : name == "PS"                      ? form->PS
                                            : form->Command1;
    for (QPushButton* widget : window->findChildren<QPushButton*>())
        if (widget->text().toStdString() == button.caption())
            return widget;
    return nullptr;
}

void TestFocus::focusComesBackAfterSort_data()
{
    QTest::addColumn<Start>("start");
    QTest::addColumn<QString>("focusBefore"); // the button with the focus as the sort starts; "" for none
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("focusAfter");
    // Where the focus goes is the host's rule, whichever the sort (the core's
    // focus table); here each way Qt starts one, each through a sort of its own.
    QTest::addRow("BS by Space") << Start::Keyboard << "BS"
                                 << "BS"
                                 << "BS";
    QTest::addRow("Command1 by click") << Start::Click << "RN"
                                       << "Command1"
                                       << "Command1";
    QTest::addRow("PS by accessible press, no focus") << Start::AccessiblePress << ""
                                                      << "PS"
                                                      << "PS";
    QTest::addRow("Command1 by accessible press, focus on Randomize") << Start::AccessiblePress << "RN"
                                                                      << "Command1"
                                                                      << "RN";
}

void TestFocus::focusComesBackAfterSort()
{
    QFETCH(Start, start);
    QFETCH(QString, focusBefore);
    QFETCH(QString, pressed);
    QFETCH(QString, focusAfter);
    if (QWidget* focus = widget(focusBefore))
        focus->setFocus(Qt::TabFocusReason);
    else
        QApplication::focusWidget()->clearFocus();
    QCOMPARE(QApplication::focusWidget(), widget(focusBefore));
    std::vector<QWidget*> focusDuringSort;
    platform->onPump = [&] { focusDuringSort.push_back(QApplication::focusWidget()); };
    AccessibilityRecorder::events().clear();

    QPushButton* button = widget(pressed);
    if (start == Start::Keyboard)
        QTest::keyClick(button, Qt::Key_Space);
    else if (start == Start::Click)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(!focusDuringSort.empty()); // an accessible press clicks a moment later

    QVERIFY(std::all_of(focusDuringSort.begin(), focusDuringSort.end(), [](QWidget* w) { return w == nullptr; }));
    QCOMPARE(QApplication::focusWidget(), widget(focusAfter));
    QVERIFY(valuesOf(*form) != kReversed);
    // Screen readers hear the focus come back, and hear of no other button on the way.
    const std::vector<AccessibilityRecorder::Event>& events = AccessibilityRecorder::events();
    const auto focusEvents = std::count_if(events.begin(), events.end(), [&](const AccessibilityRecorder::Event& e) {
        return e.type == QAccessible::Focus && e.object == widget(focusAfter);
    });
    const auto allFocusEvents = std::count_if(events.begin(), events.end(),
        [](const AccessibilityRecorder::Event& e) { return e.type == QAccessible::Focus; });
    QVERIFY(focusEvents >= 1);
    QCOMPARE(allFocusEvents, focusEvents);
}

void TestFocus::focusSetQuietlyInInactiveWindow()
{
    QPushButton* bs = widget("BS");
    bs->setFocus(Qt::TabFocusReason);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    form->BS_Click(); // as if from a pump after the user moved to another window
    const Board sorted { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 };
    QCOMPARE(valuesOf(*form), sorted);
    QCoreApplication::processEvents(); // an activation asked for in the sort would arrive here

    QVERIFY(other.isActiveWindow()); // nothing was stolen
    QCOMPARE(QGuiApplication::focusWindow(), other.windowHandle());

    window->activateWindow(); // the user comes back: the focus waited for them on Bubble-sort
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), bs);
}

QTEST_MAIN(TestFocus)
#include "tst_focus.moc"
