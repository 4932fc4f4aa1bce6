// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/trend/TrendMarker.h"
#include "core/trend/ZoomHistory.h"
#include "ui/trend/PlotAxis.h"
#include "ui/trend/PlotChannel.h"
#include "ui/trend/PlotExport.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QCustomPlot;
class QCPTextElement;

namespace tarvex {

class PlotDataCursor;
class PlotLegend;
class PlotMarkers;

// The trend plot component over QCustomPlot: channels of (date serial, value) points against a
// time axis and a value axis, a title, a background colour and one data cursor. The mouse wheel
// and a drag zoom and pan the axes, Shift with a drag zooms to a box (PlotNavigation); keys and
// a context menu reach every action (PlotActions); a double-click is left to the owner. The
// legend and the event markers are hidden until the user shows them.
//
// Changes do not draw at once: a hidden plot draws when it is shown, a visible one at most once per
// short interval, so adding many points costs no drawing. Channel, axis and cursor references stay
// valid until ClearPlot (channels) or the end of the plot (axes, cursor).
class PlotControl : public QWidget {
    Q_OBJECT
public:
    explicit PlotControl(QWidget* parent = nullptr);
    ~PlotControl() override;

    // Removes every channel and its points, and forgets the zoom history.
    void ClearPlot();
    // Appends a channel with a colour no earlier channel has; returns its index.
    int AddChannel();
    [[nodiscard]] int ChannelCount() const { return static_cast<int>(channels_.size()); }
    // Raises the subscript error for an index out of range.
    PlotChannel& Channel(int index);
    [[nodiscard]] const std::vector<std::unique_ptr<PlotChannel>>& channels() const {
        return channels_;
    }

    PlotAxis& XAxis() { return *xAxis_; }
    PlotAxis& YAxis() { return *yAxis_; }

    [[nodiscard]] QString TitleText() const;
    void setTitleText(const QString& title);
    [[nodiscard]] QColor BackGroundColor() const { return backGroundColor_; }
    void setBackGroundColor(const QColor& color);

    // There is one cursor, index 0; other indices raise the subscript error.
    PlotDataCursor& DataCursor(int index);

    // The ranges shown. Going back and forward runs through the views that rememberView
    // recorded, each zoom recording the view it leaves; false at either end.
    [[nodiscard]] PlotView view();
    void setView(const PlotView& view);
    void rememberView();
    bool viewBack();
    bool viewForward();
    [[nodiscard]] const ZoomHistory& zoomHistory() const { return history_; }
    // The value axis to the lowest and highest value of the shown channels within the visible
    // time range; false, with nothing changed, when there is none.
    bool fitValues();
    // Both axes to a rectangle of the plot area, in widget pixels.
    void zoomToBox(const QRectF& box);

    [[nodiscard]] bool legendVisible() const;
    void setLegendVisible(bool visible);
    [[nodiscard]] PlotLegend& legend() { return *legend_; }
    void setChannelVisible(int index, bool visible);

    void setMarkers(std::vector<TrendMarker> markers);
    [[nodiscard]] const std::vector<TrendMarker>& markers() const;
    [[nodiscard]] bool markersVisible() const;
    void setMarkersVisible(bool visible);
    [[nodiscard]] PlotMarkers& markerLayer() { return *markers_; }

    // Writes the plot's picture as a JPEG file of the given quality (0 to 100), all or nothing:
    // on failure an existing file keeps its content. With `screenSize` the picture has the plot's
    // size on screen (at least 640 x 480); otherwise 1280 x 720. Raises error 76 when the folder
    // does not exist and another file error when the file cannot be written; never replaces a
    // file of `neverReplace`.
    void SaveJpeg(const QString& fileName, int quality, bool screenSize,
                  const QStringList& neverReplace = {});
    // Prints the plot on a landscape page of the default printer, filling the page. Raises the
    // device error when there is no printer or the job fails.
    void PrintPlot();
    // Writes what is shown (PlotExport.h), all or nothing, with the same refusals as SaveJpeg.
    // The picture formats take `size` in pixels (a PDF page of that many 96ths of an inch).
    void exportVisibleData(const QString& fileName, const QStringList& neverReplace = {});
    void savePicture(const QString& fileName, PlotExport format, QSize size,
                     const QStringList& neverReplace = {});
    // The size a picture has when the user chooses none: the plot's on screen, at least 640 x 480.
    [[nodiscard]] QSize screenPictureSize() const { return pictureSize(true); }

    // The plot drawn into an image of the given size.
    QImage renderImage(QSize size);
    // Lays the plot out for a picture `width` pixels wide; draw it right after.
    void prepareToDraw(int width);
    // Draws now, whether or not a redraw is due.
    void replotNow();
    // Asks for a redraw within the replot interval.
    void requestReplot();
    [[nodiscard]] QCustomPlot* customPlot() const { return plot_; }
    [[nodiscard]] QSize sizeHint() const override;

signals:
    // A double-click with the left button in the plot, or "Whole Trend" from its menu.
    void DblClick();
    // The user asked for an export from the plot's menu; the owner asks for a file and writes it.
    void exportRequested(tarvex::PlotExport format);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpLook();
    [[nodiscard]] QSize pictureSize(bool screenSize) const;

    QCustomPlot* plot_;
    QCPTextElement* title_;
    std::unique_ptr<PlotAxis> xAxis_;
    std::unique_ptr<PlotAxis> yAxis_;
    std::vector<std::unique_ptr<PlotChannel>> channels_;
    PlotDataCursor* cursor_;
    PlotMarkers* markers_;
    std::unique_ptr<PlotLegend> legend_;
    ZoomHistory history_;
    QColor backGroundColor_;
    QTimer replotTimer_;
};

} // namespace tarvex
