// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/trend/PlotExport.h"

#include "core/common/TvError.h"
#include "ui/trend/PlotChannel.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QImageWriter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

namespace tarvex {

namespace {

const QString kTitle = QStringLiteral("Historical Trend");
constexpr double kPointsPerPixel = 72.0 / 96.0;

// Draws the plot into `device` as vectors.
void paintVectors(QCustomPlot& plot, QPaintDevice& device, QSize size) {
    QCPPainter painter;
    if (!painter.begin(&device)) {
        throw TvError(ErrDeviceIo);
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot.toPainter(&painter, size.width(), size.height());
    if (!painter.end()) {
        throw TvError(ErrDeviceIo);
    }
}

QByteArray png(QCustomPlot& plot, QSize size) {
    const QImage image = plot.toPixmap(size.width(), size.height()).toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !QImageWriter(&buffer, "png").write(image)) {
        throw TvError(ErrDeviceIo);
    }
    return bytes;
}

QByteArray svg(QCustomPlot& plot, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(kTitle);
    paintVectors(plot, generator, size);
    return bytes;
}

QByteArray pdf(QCustomPlot& plot, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(kTitle);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setResolution(96);
        writer.setPageMargins(QMarginsF());
        writer.setPageSize(QPageSize(QSizeF(size) * kPointsPerPixel, QPageSize::Point));
        paintVectors(plot, writer, size);
    }
    return bytes;
}

} // namespace

std::vector<CsvChannel> visibleRecords(const std::vector<std::unique_ptr<PlotChannel>>& channels,
                                       double lower, double upper) {
    std::vector<CsvChannel> records;
    for (const auto& channel : channels) {
        if (!channel->visible()) {
            continue;
        }
        CsvChannel& out = records.emplace_back();
        out.title = channel->TitleText();
        const QCPGraphDataContainer& data = *channel->graph()->data();
        const auto first = data.findBegin(lower, false);
        const auto end = data.findEnd(upper, false);
        out.times.reserve(static_cast<std::size_t>(end - first));
        out.texts.reserve(end - first);
        for (auto it = first; it != end; ++it) {
            out.times.push_back(it->key);
            out.texts << channel->textAt(static_cast<int>(it - data.constBegin()));
        }
    }
    return records;
}

QByteArray plotPicture(QCustomPlot& plot, PlotExport format, QSize size) {
    switch (format) {
    case PlotExport::Png:
        return png(plot, size);
    case PlotExport::Svg:
        return svg(plot, size);
    case PlotExport::Pdf:
        return pdf(plot, size);
    case PlotExport::Csv:
        break;
    }
    throw TvError(ErrInvalidCall);
}

} // namespace tarvex
