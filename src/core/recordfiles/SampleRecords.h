// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The records that go with the sample data log, as plain text lines without line ends.
namespace tarvex::SampleRecords {

// "date,time,user full name,event message", deciphered form of the ".evt" lines.
QStringList operatorEvents();
// "date,time,user full name,user action"; no title line.
QStringList auditTrail();
// "description,m/d/yyyy,hh:mm:ss"; no title line.
QStringList alarmHistory();

// A signature: who signed when and why, and how many records of the data log existed then
// (-1: the whole file as written).
struct Signature {
    QString date;
    QString time;
    QString user;
    QString comment;
    int records = -1;
};
QList<Signature> dataLogSignatures();
QList<Signature> auditTrailSignatures();

} // namespace tarvex::SampleRecords
