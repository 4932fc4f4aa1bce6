// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotOutput.h"

#include "core/common/TvError.h"
#include "core/recordfiles/AtomicFile.h"

#include <qcustomplot.h>

#include <QImage>
#include <QImageWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace tarvex {

namespace {

void write(const QString& fileName, const QStringList& neverReplace, const auto& content) {
    if (fileName.isEmpty()) {
        throw TvError(ErrBadFileName);
    }
    if (const WriteFailure failure = writeFileAtomically(fileName, content, neverReplace)) {
        throw TvError(failure.errorCode());
    }
}

} // namespace

void writePlotFile(const QString& fileName, const QByteArray& bytes,
                   const QStringList& neverReplace) {
    write(fileName, neverReplace, QByteArrayView(bytes));
}

void writeJpegFile(const QImage& image, const QString& fileName, int quality,
                   const QStringList& neverReplace) {
    write(fileName, neverReplace, [&](QIODevice& device) {
        QImageWriter writer(&device, "jpg");
        writer.setQuality(std::clamp(quality, 0, 100));
        return writer.write(image);
    });
}

void printOnDefaultPrinter(QCustomPlot& plot, int width, const QString& jobName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw TvError(ErrDeviceIo);
    }
    // Screen resolution, so that fonts keep their size relative to the drawing when scaled.
    QPrinter printer(info, QPrinter::ScreenResolution);
    printer.setDocName(jobName);
    printer.setPageOrientation(QPageLayout::Landscape);
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        throw TvError(ErrDeviceIo);
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    // Lay the plot out with the page's proportions, then scale it to fill the page.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int height = static_cast<int>(width * page.height() / page.width());
    const double scale = page.width() / width;
    painter.scale(scale, scale);
    plot.toPainter(&painter, width, height);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        throw TvError(ErrDeviceIo);
    }
}

} // namespace tarvex
