// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/SampleDataLog.h"

#include <QString>

#include <array>
#include <cmath>
#include <optional>
#include <random>

namespace tarvex {
namespace {

constexpr std::array<int, 3> kBatchStarts = {30, 510, 990};
constexpr std::array<const char*, 3> kBatchIds = {"B2403-041", "B2403-042", "B2403-043"};
constexpr std::array<const char*, 3> kOperators = {"Maria Keller", "Daniel Okafor",
                                                   "Priya Natarajan"};

// Minutes after a batch start at which each phase begins.
enum class Phase { Idle, Fill, Heat, Hold, Cool, Discharge };
constexpr int kHeatAt = 20;
constexpr int kHoldAt = 80;
constexpr int kCoolAt = 320;
constexpr int kDischargeAt = 380;
constexpr int kEndAt = 410;

struct Moment {
    Phase phase = Phase::Idle;
    int batch = -1;
    int intoPhase = 0;
};

Moment momentAt(int minute) {
    for (int b = 0; b < static_cast<int>(kBatchStarts.size()); ++b) {
        const int t = minute - kBatchStarts[b];
        if (t < 0 || t >= kEndAt) {
            continue;
        }
        if (t < kHeatAt) {
            return {Phase::Fill, b, t};
        }
        if (t < kHoldAt) {
            return {Phase::Heat, b, t - kHeatAt};
        }
        if (t < kCoolAt) {
            return {Phase::Hold, b, t - kHoldAt};
        }
        if (t < kDischargeAt) {
            return {Phase::Cool, b, t - kCoolAt};
        }
        return {Phase::Discharge, b, t - kDischargeAt};
    }
    return {};
}

struct Targets {
    double reactor = 24.0;
    double jacketOffset = 0.5;
    double pressure = 1.01;
    double flow = 0.0;
    double level = 6.0;
    double ph = 7.02;
};

Targets targetsAt(const Moment& m, double level) {
    Targets t;
    const double x = m.intoPhase;
    switch (m.phase) {
    case Phase::Idle:
        break;
    case Phase::Fill:
        t.flow = 118.0;
        t.level = 6.0 + 76.0 * (x + 1) / kHeatAt;
        break;
    case Phase::Heat:
        t.reactor = 24.0 + (78.0 - 24.0) * x / (kHoldAt - kHeatAt);
        t.jacketOffset = 14.0;
        t.level = level;
        break;
    case Phase::Hold:
        t.reactor = 78.0;
        t.jacketOffset = 2.5;
        t.pressure = 1.01 + 1.4 * (1.0 - std::exp(-x / 30.0));
        t.level = level;
        t.ph = 7.02 - 0.57 * (1.0 - std::exp(-x / 60.0));
        break;
    case Phase::Cool:
        t.reactor = 78.0 - (78.0 - 32.0) * x / (kDischargeAt - kCoolAt);
        t.jacketOffset = -12.0;
        t.pressure = 1.05;
        t.level = level;
        t.ph = 6.6;
        break;
    case Phase::Discharge:
        t.reactor = 32.0;
        t.level = 82.0 - 76.0 * (x + 1) / (kEndAt - kDischargeAt);
        t.ph = 6.8;
        break;
    }
    return t;
}

// Notes that the operators entered in the record of a minute: batch, operator, event.
std::array<QString, 3> notesAt(int minute) {
    const Moment m = momentAt(minute);
    std::array<QString, 3> notes;
    if (minute == 641) {
        return {QString(), QString::fromLatin1(kOperators[1]), QStringLiteral("High pressure")};
    }
    if (minute == 1145) {
        return {QString(), QString::fromLatin1(kOperators[2]), QStringLiteral("pH probe fault")};
    }
    if (m.batch < 0 || m.intoPhase != 0) {
        return notes;
    }
    static constexpr std::array<const char*, 6> kEvents = {"",     "Batch start", "Heating",
                                                           "Hold", "Cooling",     "Discharge"};
    notes[1] = QString::fromLatin1(kOperators[m.batch]);
    notes[2] = QString::fromLatin1(kEvents[static_cast<int>(m.phase)]);
    if (m.phase == Phase::Fill) {
        notes[0] = QString::fromLatin1(kBatchIds[m.batch]);
    }
    return notes;
}

// The channels' state, moved a step towards their targets each minute with a little noise.
class Plant {
public:
    QStringList recordAt(int minute) {
        const Targets t = targetsAt(momentAt(minute), level_);
        reactor_ += (t.reactor - reactor_) * 0.35 + noise(0.12);
        jacket_ += (t.reactor + t.jacketOffset - jacket_) * 0.4 + noise(0.2);
        pressure_ += (t.pressure - pressure_) * 0.3 + noise(0.01);
        level_ += (t.level - level_) * 0.6 + noise(0.1);
        ph_ += (t.ph - ph_) * 0.2 + noise(0.01);
        const double flow = t.flow > 0 ? t.flow + noise(1.5) : 0.0;
        const double pressure = excursion(minute).value_or(pressure_);

        const bool commsLost = minute >= 1032 && minute <= 1034;
        const bool probeFault = minute >= 1145 && minute <= 1152;
        return {fixed(reactor_, 1),
                fixed(jacket_, 1),
                pressure > 4.0 ? QStringLiteral("OVR") : fixed(pressure, 2),
                commsLost ? QString() : fixed(flow, 1),
                commsLost ? QString() : fixed(std::max(level_, 0.0), 1),
                probeFault ? QStringLiteral("Bad Input") : fixed(ph_, 2)};
    }

private:
    // A reactor pressure excursion during the second batch, vented by hand.
    static std::optional<double> excursion(int minute) {
        static constexpr std::array<double, 8> kPeak = {2.9, 3.4, 3.9, 9.9, 9.9, 3.6, 2.9, 2.5};
        const int i = minute - 638;
        if (i < 0 || i >= static_cast<int>(kPeak.size())) {
            return std::nullopt;
        }
        return kPeak[i];
    }

    double noise(double spread) { return std::normal_distribution<double>(0.0, spread)(random_); }
    static QString fixed(double value, int decimals) {
        return QString::number(value, 'f', decimals);
    }

    std::mt19937 random_{20240304};
    double reactor_ = 24.0;
    double jacket_ = 24.5;
    double pressure_ = 1.01;
    double level_ = 6.0;
    double ph_ = 7.02;
};

} // namespace

QStringList SampleDataLog::lines() {
    QStringList lines;
    lines.reserve(kRecords + 1);
    lines.append(QStringLiteral("Date,Time,Batch,Operator,Event,Reactor Temp \u00B0C,"
                                "Jacket Temp \u00B0C,Pressure bar,Feed Flow l/min,Level %,pH"));
    Plant plant;
    for (int minute = 0; minute < kRecords; ++minute) {
        QStringList fields = {QStringLiteral("3/4/2024"),
                              QStringLiteral("%1:%2:00")
                                  .arg(minute / 60, 2, 10, QChar(u'0'))
                                  .arg(minute % 60, 2, 10, QChar(u'0'))};
        for (const QString& note : notesAt(minute)) {
            fields.append(note);
        }
        fields.append(plant.recordAt(minute));
        lines.append(fields.join(u','));
    }
    return lines;
}

} // namespace tarvex
