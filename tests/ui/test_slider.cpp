#include "trend/SliderControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>

using namespace tarvex;

namespace {

void press(SliderControl& control, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(control.slider(), &event);
}

void mouse(QSlider& slider, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, slider.mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&slider, &event);
}

} // namespace

TEST(SliderControl, CodeChangesAreKeptInRangeAndSignalledOnce) {
    SliderControl slider(Qt::Horizontal);
    QSignalSpy changes(&slider, &SliderControl::PositionChange);
    EXPECT_DOUBLE_EQ(slider.PositionMin(), -100.0);
    EXPECT_DOUBLE_EQ(slider.PositionMax(), 100.0);
    EXPECT_DOUBLE_EQ(slider.Position(), 0.0);

    slider.setPosition(50.0);
    slider.setPosition(50.0);
    ASSERT_EQ(changes.size(), 1) << "no event without a change";
    EXPECT_DOUBLE_EQ(changes[0][0].toDouble(), 50.0);
    EXPECT_EQ(slider.slider()->value(), 50);

    slider.setPosition(37.5);
    EXPECT_DOUBLE_EQ(slider.Position(), 37.5) << "code may put a fraction";
    slider.setPosition(250.0);
    EXPECT_DOUBLE_EQ(slider.Position(), 100.0);
    slider.setPosition(-1000.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -100.0);
    EXPECT_EQ(changes.size(), 4);

    slider.setPositionMin(-10.0);
    EXPECT_DOUBLE_EQ(slider.Position(), -10.0) << "a narrower range moves the position";
    EXPECT_EQ(changes.size(), 5);
}

TEST(SliderControl, ChangingThePositionInsideTheEventWorks) {
    // The zoom handler turns 100 into 99 from inside the event.
    SliderControl slider(Qt::Horizontal);
    QList<double> seen;
    QObject::connect(&slider, &SliderControl::PositionChange, [&](double p) {
        seen << p;
        if (slider.Position() == 100.0) {
            slider.setPosition(99.0);
        }
    });
    press(slider, Qt::Key_End);
    EXPECT_EQ(seen, (QList<double>{100.0, 99.0}));
    EXPECT_DOUBLE_EQ(slider.Position(), 99.0);
    EXPECT_EQ(slider.slider()->value(), 99);
}

TEST(SliderControl, KeyboardMovesItInSteps) {
    SliderControl slider(Qt::Vertical);
    QSignalSpy changes(&slider, &SliderControl::PositionChange);
    press(slider, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(slider.Position(), 1.0) << "up is towards the maximum";
    press(slider, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(slider.Position(), 11.0);
    press(slider, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(slider.Position(), -100.0);
    press(slider, Qt::Key_Down);
    EXPECT_DOUBLE_EQ(slider.Position(), -100.0) << "stops at the minimum";
    EXPECT_EQ(changes.size(), 3);
}

TEST(SliderControl, VerticalDragsToItsMaximumAtTheTop) {
    SliderControl control(Qt::Vertical);
    control.resize(40, 300);
    control.show();
    QSlider& slider = *control.slider();
    const QPoint grip = slider.rect().center(); // the handle, at position 0
    mouse(slider, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse(slider, QEvent::MouseMove, QPoint(grip.x(), 0), Qt::LeftButton);
    mouse(slider, QEvent::MouseButtonRelease, QPoint(grip.x(), 0), Qt::NoButton);
    EXPECT_DOUBLE_EQ(control.Position(), 100.0);
}
