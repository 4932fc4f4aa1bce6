// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/trend/PlotAxis.h"
#include "ui/trend/PlotChannel.h"

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

// The trend plot component over QCustomPlot: channels of (date serial, value) points against a
// time axis and a value axis, a title, a background colour and one data cursor. The mouse wheel
// and a drag zoom and pan the axes (PlotNavigation); a double-click is left to the owner.
//
// Changes do not draw at once: a hidden plot draws when it is shown, a visible one at most once per
// short interval, so adding many points costs no drawing. Channel, axis and cursor references stay
// valid until ClearPlot (channels) or the end of the plot (axes, cursor).
class PlotControl : public QWidget {
    Q_OBJECT
public:
    explicit PlotControl(QWidget* parent = nullptr);
    ~PlotControl() override;

    // Removes every channel and its points.
    void ClearPlot();
    // Appends a channel with a colour no earlier channel has; returns its index.
    int AddChannel();
    [[nodiscard]] int ChannelCount() const { return static_cast<int>(channels_.size()); }
    // Raises the subscript error for an index out of range.
    PlotChannel& Channel(int index);

    PlotAxis& XAxis() { return *xAxis_; }
    PlotAxis& YAxis() { return *yAxis_; }

    [[nodiscard]] QString TitleText() const;
    void setTitleText(const QString& title);
    [[nodiscard]] QColor BackGroundColor() const { return backGroundColor_; }
    void setBackGroundColor(const QColor& color);

    // There is one cursor, index 0; other indices raise the subscript error.
    PlotDataCursor& DataCursor(int index);

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

    // The plot drawn into an image of the given size.
    QImage renderImage(QSize size);
    // Draws now, whether or not a redraw is due.
    void replotNow();
    [[nodiscard]] QCustomPlot* customPlot() const { return plot_; }
    [[nodiscard]] QSize sizeHint() const override;

signals:
    // A double-click with the left button in the plot.
    void DblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpLook();
    void requestReplot();
    // Brings axes, traces and cursor up to date for a picture `width` pixels wide.
    void prepareToDraw(int width);
    [[nodiscard]] QSize pictureSize(bool screenSize) const;

    QCustomPlot* plot_;
    QCPTextElement* title_;
    std::unique_ptr<PlotAxis> xAxis_;
    std::unique_ptr<PlotAxis> yAxis_;
    std::vector<std::unique_ptr<PlotChannel>> channels_;
    PlotDataCursor* cursor_;
    QColor backGroundColor_;
    QTimer replotTimer_;
};

} // namespace tarvex
