// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotOutput.h"

#include "core/common/TvError.h"
#include "core/recordfiles/FileKind.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>

namespace tarvex {

namespace {

[[noreturn]] void throwFileError(QFileDevice::FileError error, const QString& fileName) {
    const std::int32_t number = fileErrorNumber(error, QFileInfo::exists(fileName));
    throw TvError(number == 0 ? ErrDeviceIo : number);
}

} // namespace

void writePlotFile(const QString& fileName, const QByteArray& bytes) {
    if (fileName.isEmpty()) {
        throw TvError(ErrBadFileName);
    }
    if (!QFileInfo(fileName).absoluteDir().exists()) {
        throw TvError(ErrPathNotFound);
    }
    // The file is replaced through a temporary file: never a device or a FIFO.
    if (!isWritableTarget(fileName)) {
        throw TvError(ErrPathAccess);
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw TvError(ErrPathAccess);
    }
    if (file.write(bytes) != bytes.size()) {
        const QFileDevice::FileError error = file.error();
        file.cancelWriting();
        throwFileError(error, fileName);
    }
    if (!file.commit()) {
        throwFileError(file.error(), fileName);
    }
}

void writeJpegFile(const QImage& image, const QString& fileName, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(image)) {
        throw TvError(ErrDeviceIo);
    }
    writePlotFile(fileName, bytes);
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
