// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QCustomPlot;
class QImage;

namespace tarvex {

// Writes `bytes` through an AtomicFile: `fileName` is replaced only when the file is complete,
// and never when it is one of `neverReplace` or no regular file. Raises error 76 when the folder
// does not exist, 75 when the name is refused, 61 when the disk is full, 70 when writing is not
// permitted, 57 for any other failure.
void writePlotFile(const QString& fileName, const QByteArray& bytes,
                   const QStringList& neverReplace = {});

// Writes `image` as a JPEG file as writePlotFile does.
void writeJpegFile(const QImage& image, const QString& fileName, int quality,
                   const QStringList& neverReplace = {});

// Prints the plot on a landscape page of the default printer, laid out `width` units wide with
// the page's proportions and scaled to fill the page. Raises the device error when there is no
// default printer or the job fails.
void printOnDefaultPrinter(QCustomPlot& plot, int width, const QString& jobName);

} // namespace tarvex
