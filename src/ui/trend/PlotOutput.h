#pragma once

#include <QSize>
#include <QString>

class QCustomPlot;
class QImage;

namespace tarvex {

// Writes `image` as a JPEG file through a temporary file that replaces `fileName` only when
// complete. Raises error 76 when the folder does not exist, 75 when the file cannot be created,
// and the matching file error when writing or replacing fails.
void writeJpegFile(const QImage& image, const QString& fileName, int quality);

// Prints the plot as drawn at `size`, scaled to fit a landscape page of the default printer.
// Raises the device error when there is no default printer or the job fails.
void printOnDefaultPrinter(QCustomPlot& plot, QSize size, const QString& jobName);

} // namespace tarvex
