// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/EventPass.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <thread>

using namespace tarvex;
using namespace std::chrono_literals;

namespace {

// Counts the events it receives.
class Receiver : public QObject {
public:
    int received = 0;

protected:
    bool event(QEvent* e) override {
        received += e->type() == QEvent::User ? 1 : 0;
        return QObject::event(e);
    }
};

// Counts the full passes of the event dispatcher, each of which polls.
struct PollCounter {
    PollCounter() {
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                         &context, [this] { ++polls; });
    }
    QObject context;
    int polls = 0;
};

} // namespace

// Every pass delivers what was posted inside the process; a poll comes only once the last one is
// the interval old, and then runs what only a poll finds, such as a due timer.
TEST(EventPass, DeliversPostedEventsEveryPassAndPollsOncePerInterval) {
    Receiver receiver;
    PollCounter counter;
    EventPass rarely(1h);
    EXPECT_TRUE(rarely.run()) << "the first pass polls";
    for (int i = 0; i < 1000; ++i) {
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        EXPECT_FALSE(rarely.run());
        ASSERT_EQ(receiver.received, i + 1);
    }
    EXPECT_EQ(counter.polls, 1);

    // However long the work, no more polls than milliseconds went by.
    EventPass pass(1ms);
    counter.polls = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200000; ++i) {
        pass.run();
    }
    EXPECT_LE(counter.polls, clock.elapsed() + 1);
    std::this_thread::sleep_for(2ms);
    EXPECT_TRUE(pass.run()) << "a pass after the interval polls";

    bool fired = false;
    QTimer::singleShot(5, Qt::PreciseTimer, [&] { fired = true; });
    clock.restart();
    while (!fired && clock.elapsed() < 10000) {
        pass.run();
    }
    EXPECT_TRUE(fired) << "a due timer runs at a poll";
}
