// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendCsv.h"

#include <QByteArray>
#include <QSize>

#include <memory>
#include <vector>

class QCustomPlot;

namespace tarvex {

class PlotChannel;

// What the plot can write out: the visible data, or its picture in one of three formats.
enum class PlotExport { Csv, Png, Svg, Pdf };

// The records of the shown channels from `lower` to `upper`, with their sources' texts.
[[nodiscard]] std::vector<CsvChannel>
visibleRecords(const std::vector<std::unique_ptr<PlotChannel>>& channels, double lower,
               double upper);

// The plot, laid out for `size`, drawn as a PNG (pixels), an SVG or a PDF (vectors: the lines
// stay sharp at any zoom; the PDF page is `size` in 96ths of an inch). Raises the device error
// when the picture cannot be made.
[[nodiscard]] QByteArray plotPicture(QCustomPlot& plot, PlotExport format, QSize size);

} // namespace tarvex
