// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QCustomPlot;
class QImage;

namespace tarvex {

// Writes `bytes` through a temporary file that replaces `fileName` only when complete. Raises
// error 76 when the folder does not exist, 75 when the name is something other than a regular
// file (a folder, a device, a FIFO) or the file cannot be created, and the matching file error
// when writing or replacing fails.
void writePlotFile(const QString& fileName, const QByteArray& bytes);

// Writes `image` as a JPEG file as writePlotFile does.
void writeJpegFile(const QImage& image, const QString& fileName, int quality);

// Prints the plot on a landscape page of the default printer, laid out `width` units wide with
// the page's proportions and scaled to fill the page. Raises the device error when there is no
// default printer or the job fails.
void printOnDefaultPrinter(QCustomPlot& plot, int width, const QString& jobName);

} // namespace tarvex
