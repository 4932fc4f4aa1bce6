// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recordfiles/SampleRecords.h"

#include <algorithm>
#include <array>

namespace tarvex::SampleRecords {
namespace {

const QString kMaria = QStringLiteral("Maria Keller");
const QString kDaniel = QStringLiteral("Daniel Okafor");
const QString kPriya = QStringLiteral("Priya Natarajan");
const QString kAna = QStringLiteral("Ana Ruiz");
const QString kJose = QStringLiteral("Jos\u00E9 Ferreira");

QString onDay(const QString& date, const QString& time, const QString& user, const QString& text) {
    return QStringList{date, time, user, text}.join(u',');
}

QString on4th(const char* time, const QString& user, const QString& text) {
    return onDay(QStringLiteral("3/4/2024"), QString::fromLatin1(time), user, text);
}

// Start, setpoint, hold, sample, cooling, discharge and end of one batch.
QStringList batchEvents(const QString& user, const QString& batch,
                        const std::array<const char*, 8>& times) {
    const QString sample = QStringLiteral("S-") + batch.right(3) + QStringLiteral("-1");
    return {
        on4th(times[0], user, QStringLiteral("Recipe PVA-12 loaded for batch ") + batch),
        on4th(times[1], user, QStringLiteral("Batch ") + batch + QStringLiteral(" started")),
        on4th(times[2], user,
              QStringLiteral("Reactor setpoint TIC-101 changed from 25.0 \u00B0C to 78.0 "
                             "\u00B0C")),
        on4th(times[3], user, QStringLiteral("Hold phase confirmed")),
        on4th(times[4], user, QStringLiteral("Lab sample ") + sample + QStringLiteral(" taken")),
        on4th(times[5], user, QStringLiteral("Cooling started")),
        on4th(times[6], user, QStringLiteral("Discharge valve XV-104 opened")),
        on4th(times[7], user, QStringLiteral("Batch ") + batch + QStringLiteral(" ended"))};
}

} // namespace

QStringList operatorEvents() {
    QStringList events{
        on4th("00:02:10", kMaria, QStringLiteral("Logged in at station OS-1")),
        on4th("07:58:47", kDaniel, QStringLiteral("Shift handover accepted")),
        on4th("10:41:12", kDaniel,
              QStringLiteral("Alarm acknowledged Reactor Pressure High High PT-101")),
        on4th("10:44:30", kDaniel, QStringLiteral("Vent valve XV-110 opened by hand")),
        on4th("10:52:02", kDaniel, QStringLiteral("Vent valve XV-110 closed")),
        on4th("15:57:33", kPriya, QStringLiteral("Shift handover accepted")),
        on4th("17:13:20", kPriya, QStringLiteral("Alarm acknowledged Communication Loss FT-102")),
        on4th("19:06:02", kPriya, QStringLiteral("Alarm acknowledged pH Probe Failure AI-07")),
        on4th("19:14:40", kPriya, QStringLiteral("pH probe AI-07 recalibrated")),
    };
    events += batchEvents(kMaria, QStringLiteral("B2403-041"),
                          {"00:29:41", "00:30:05", "00:50:12", "01:50:30", "03:45:00", "05:50:08",
                           "06:50:02", "07:20:15"});
    events += batchEvents(kDaniel, QStringLiteral("B2403-042"),
                          {"08:29:55", "08:30:03", "08:50:09", "09:50:21", "11:45:00", "13:50:11",
                           "14:50:04", "15:20:18"});
    events += batchEvents(kPriya, QStringLiteral("B2403-043"),
                          {"16:29:50", "16:30:04", "16:50:10", "17:50:25", "19:45:00", "21:50:06",
                           "22:50:03", "23:20:12"});
    // All on one day with two-digit times: the time field orders them.
    std::sort(events.begin(), events.end(), [](const QString& a, const QString& b) {
        return a.section(u',', 1, 1) < b.section(u',', 1, 1);
    });
    return events;
}

QStringList auditTrail() {
    const QString on5th = QStringLiteral("3/5/2024");
    return {
        on4th("00:01:52", kMaria, QStringLiteral("Logged in")),
        on4th("00:29:30", kMaria, QStringLiteral("Loaded recipe PVA-12")),
        on4th("00:49:58", kMaria, QStringLiteral("Changed setpoint TIC-101 from 25.0 to 78.0")),
        on4th("07:59:10", kMaria, QStringLiteral("Logged out")),
        on4th("07:59:25", kDaniel, QStringLiteral("Logged in")),
        on4th("08:29:44", kDaniel, QStringLiteral("Loaded recipe PVA-12")),
        on4th("08:49:57", kDaniel, QStringLiteral("Changed setpoint TIC-101 from 25.0 to 78.0")),
        on4th("10:41:12", kDaniel, QStringLiteral("Acknowledged alarm PAHH-101")),
        on4th("10:44:30", kDaniel, QStringLiteral("Set vent valve XV-110 to manual")),
        on4th("10:52:02", kDaniel, QStringLiteral("Set vent valve XV-110 to auto")),
        on4th("11:02:40", kAna, QStringLiteral("Logged in")),
        on4th("11:03:15", kAna, QStringLiteral("Changed alarm limit PAH-101 from 3.0 to 3.2 bar")),
        on4th("11:04:01", kAna, QStringLiteral("Logged out")),
        on4th("15:56:10", kDaniel, QStringLiteral("Signed data log plant.csv")),
        on4th("15:58:02", kDaniel, QStringLiteral("Logged out")),
        on4th("15:58:20", kPriya, QStringLiteral("Logged in")),
        on4th("16:29:40", kPriya, QStringLiteral("Loaded recipe PVA-12")),
        on4th("16:49:59", kPriya, QStringLiteral("Changed setpoint TIC-101 from 25.0 to 78.0")),
        on4th("17:13:20", kPriya, QStringLiteral("Acknowledged alarm FT-102 communication loss")),
        on4th("19:06:02", kPriya, QStringLiteral("Acknowledged alarm AI-07 probe failure")),
        on4th("19:14:40", kPriya, QStringLiteral("Calibrated pH probe AI-07")),
        onDay(on5th, QStringLiteral("00:04:12"), kPriya,
              QStringLiteral("Signed data log plant.csv")),
        onDay(on5th, QStringLiteral("00:06:30"), kPriya, QStringLiteral("Logged out")),
        onDay(on5th, QStringLiteral("08:15:02"), kJose, QStringLiteral("Logged in")),
        onDay(on5th, QStringLiteral("08:17:45"), kJose,
              QStringLiteral("Signed data log plant.csv")),
    };
}

QStringList alarmHistory() {
    return {
        QStringLiteral("Jacket Temp High TT-102,3/4/2024,01:48:05"),
        QStringLiteral("Level Low LT-103,3/4/2024,07:14:20"),
        QStringLiteral("Jacket Temp High TT-102,3/4/2024,09:48:52"),
        QStringLiteral("Reactor Pressure High PT-101,3/4/2024,10:39:48"),
        QStringLiteral("Reactor Pressure High High PT-101,3/4/2024,10:40:37"),
        QStringLiteral("Level Low LT-103,3/4/2024,15:14:09"),
        QStringLiteral("Jacket Temp High TT-102,3/4/2024,17:48:30"),
        QStringLiteral("Communication Loss FT-102,3/4/2024,17:12:00"),
        QStringLiteral("pH Probe Failure AI-07,3/4/2024,19:05:00"),
        QStringLiteral("Level Low LT-103,3/4/2024,23:14:31"),
    };
}

QList<Signature> dataLogSignatures() {
    // The first was made in the afternoon, when the log ended at 15:56; the log grew since.
    return {{QStringLiteral("3/4/2024"), QStringLiteral("15:56:10"), kDaniel,
             QStringLiteral("Shift B review"), 957},
            {QStringLiteral("3/5/2024"), QStringLiteral("00:04:12"), kPriya,
             QStringLiteral("Shift C review - day complete"), -1},
            {QStringLiteral("3/5/2024"), QStringLiteral("08:17:45"), kJose,
             QStringLiteral("QA release of batches B2403-041 to B2403-043"), -1}};
}

QList<Signature> auditTrailSignatures() {
    return {{QStringLiteral("3/5/2024"), QStringLiteral("08:19:30"), kJose,
             QStringLiteral("QA approval of audit trail"), -1},
            {QStringLiteral("3/5/2024"), QStringLiteral("08:40:12"), kAna,
             QStringLiteral("Supervisor review"), -1}};
}

} // namespace tarvex::SampleRecords
