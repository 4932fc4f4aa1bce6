#include "trend/PlotOutput.h"

#include "common/TvError.h"

#include <qcustomplot.h>

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

void writeJpegFile(const QImage& image, const QString& fileName, int quality) {
    if (fileName.isEmpty()) {
        throw TvError(ErrBadFileName);
    }
    if (!QFileInfo(fileName).absoluteDir().exists()) {
        throw TvError(ErrPathNotFound);
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw TvError(ErrPathAccess);
    }
    QImageWriter writer(&file, "jpg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(image)) {
        const QFileDevice::FileError error = file.error();
        file.cancelWriting();
        throwFileError(error, fileName);
    }
    if (!file.commit()) {
        throwFileError(file.error(), fileName);
    }
}

void printOnDefaultPrinter(QCustomPlot& plot, QSize size, const QString& jobName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw TvError(ErrDeviceIo);
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(jobName);
    printer.setPageOrientation(QPageLayout::Landscape);
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        throw TvError(ErrDeviceIo);
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / size.width(), page.height() / size.height());
    painter.scale(scale, scale);
    plot.toPainter(&painter, size.width(), size.height());
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        throw TvError(ErrDeviceIo);
    }
}

} // namespace tarvex
