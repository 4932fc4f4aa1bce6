// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/viewer/DroppedFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

// One local file is taken, even one that cannot be read (the reader says why); anything else is
// refused with a message that names what was dropped.
TEST(DroppedFile, TakesOneLocalFileAndRefusesEverythingElse) {
    QTemporaryDir dir;
    const QString file = dir.filePath("plant.csv");
    QFile(file).open(QIODevice::WriteOnly);
    const QUrl fileUrl = QUrl::fromLocalFile(file);
    struct Case {
        QList<QUrl> urls;
        QString path;
        QString refusalPart;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{fileUrl}, QDir::toNativeSeparators(file), {}},
             {{QUrl::fromLocalFile(dir.filePath("gone.csv"))},
              QDir::toNativeSeparators(dir.filePath("gone.csv")),
              {}},
             {{fileUrl, fileUrl}, {}, "one file at a time"},
             {{}, {}, "one file at a time"},
             {{QUrl::fromLocalFile(dir.path())}, {}, "is a folder"},
             {{QUrl("https://example.org/plant.csv")}, {}, "https://example.org/plant.csv"},
         }) {
        const DroppedFile dropped = droppedFile(c.urls);
        EXPECT_EQ(dropped.path, c.path);
        EXPECT_EQ(dropped.refusal.isEmpty(), c.refusalPart.isEmpty());
        EXPECT_TRUE(dropped.refusal.contains(c.refusalPart)) << dropped.refusal.toStdString();
    }
}
