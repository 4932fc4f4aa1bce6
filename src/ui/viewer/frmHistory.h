// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/viewer/ViewerLayout.h"
#include "ui/trend/TrendControls.h"
#include "ui/viewer/ToolbarButtons.h"
#include "ui/viewer/ViewerActions.h"

#include <QMdiSubWindow>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QTabWidget;
class QToolButton;

namespace tarvex {

class LedBar;
class PlotControl;
class SliderControl;
class SpreadGrid;
class ViewerFrameStyle;
class frmMain;
struct AuditTrailView;
struct DataLogView;
struct SharedState;

// The history viewer: the main window's one child, with the tab control DataTab and, on its
// five tabs, the toolbar buttons, grids, frames, labels, plot and sliders. It is the only part
// of the program that knows them: it keeps them fitted to the main window, sends every toolbar
// button to its procedure with the controls that procedure works on, and does the follow-ups
// (tab availability, plot title, the trend tab after a build). All its handlers ignore errors
// statement by statement.
//
// load() creates it; existing() only asks whether it is there. It stays until the program ends:
// the user can minimise, maximise and restore it, but not close it or move it out of the main
// window's inner area. Only unloading it (Forms::unload, when the program ends) closes it; the
// next load() would create a new one with empty grids. While a toolbar operation runs, an
// unloaded viewer is kept alive until the operation returns, so that nothing it runs meets a
// destroyed window.
class frmHistory : public QMdiSubWindow {
    Q_OBJECT
public:
    enum Tab { TabData, TabOperatorEvents, TabAuditTrail, TabAlarmHistory, TabTrendData, TabCount };

    // The viewer on `state`: created and loaded (hidden) inside the main window, which is
    // created first if need be, when there is none.
    static frmHistory& load(SharedState& state);
    static frmHistory* existing();
    ~frmHistory() override;

    // Shows the viewer; showing the child shows its frame, the main window, too.
    void showViewer();

    QTabWidget* DataTab = nullptr;

    std::array<QToolButton*, 6> DataBarBtn{};
    QLabel* DcryLabel = nullptr;
    LedBar* ProgBar = nullptr;
    QGroupBox* dataFrame = nullptr;
    SpreadGrid* vaGrid = nullptr;
    QGroupBox* sigFrame = nullptr;
    SpreadGrid* digiSigGrid = nullptr;

    std::array<QToolButton*, 2> opBarBtn{};
    SpreadGrid* opEvGrid = nullptr;

    std::array<QToolButton*, 4> auditBarBtn{};
    QLabel* auditNameLab = nullptr;
    QGroupBox* auditDataFrame = nullptr;
    SpreadGrid* auditGrid = nullptr;
    QGroupBox* auditSigFrame = nullptr;
    SpreadGrid* auditSigGrid = nullptr;

    std::array<QToolButton*, 3> almBarBtn{};
    QLabel* almNameLab = nullptr;
    SpreadGrid* alarmGrid = nullptr;

    std::array<QToolButton*, 4> histBarBtn{};
    PlotControl* iPlotX = nullptr;
    SliderControl* YSlider = nullptr;
    SliderControl* DateSlider = nullptr;

    // What the toolbar buttons call.
    ViewerActions actions;

    // Whether the user can open a tab (an unavailable tab is shown greyed out). A tab index
    // outside 0..4 raises error 5.
    [[nodiscard]] bool TabAvailable(int tab) const;
    void setTabAvailable(int tab, bool available);

    // The click handlers of the five button groups. An index outside the group does nothing.
    void DataBarBtn_Click(int Index);
    void opBarBtn_Click(int Index);
    void auditBarBtn_Click(int Index);
    void almBarBtn_Click(int Index);
    void histBarBtn_Click(int Index);
    void iPlotX_ExportRequested(PlotExport format);

    // After a mouse release over any toolbar button: the focus goes to DataTab, or to the plot on
    // the "Trend Data" tab.
    void BarBtn_MouseUp();

    // The control extents in twips, as last laid out.
    [[nodiscard]] const ViewerLayout& layout() const { return layout_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TabButton { Open, Print, Export };

    frmHistory(SharedState& state, frmMain& main);
    void bindActions();
    [[nodiscard]] DataLogView dataLogView() const;
    [[nodiscard]] AuditTrailView auditTrailView() const;
    [[nodiscard]] TrendControls trendControls() const;
    // Puts the loaded events, alarms and signatures within the built trend on its time line.
    void showTrendEvents();
    void buildControls();
    void nameControls();
    void buildDataTab(QWidget* page);
    void buildOperatorEventsTab(QWidget* page);
    void buildAuditTab(QWidget* page);
    void buildAlarmTab(QWidget* page);
    void buildTrendTab(QWidget* page);
    template <std::size_t N>
    void buildToolbar(std::array<QToolButton*, N>& group, ToolbarGroup which, QWidget* page,
                      void (frmHistory::*click)(int));
    void Form_Load();
    void Form_Resize();
    void removeWindowMenuClose();
    // Ctrl+O, Ctrl+P and Ctrl+E press the current tab's Open, Print and Export buttons; F5 opens
    // its file again as its Open button would. Files dropped on a tab that opens them open so.
    void addKeys();
    [[nodiscard]] QToolButton* tabButton(Tab tab, TabButton which) const;
    [[nodiscard]] QString tabFile(Tab tab) const;
    void openOnTab(Tab tab, const QString& path);
    bool pageDropEvent(Tab tab, QEvent* event);
    void placeControls();
    void run(ViewerActions::Action ViewerActions::*action);
    // Runs a click's procedures as one operation, unless one is already running.
    template <class F> void runOperation(F&& procedures);

    SharedState& state_;
    frmMain& main_;
    // The ranges of the last completed trend build; empty before the first one.
    std::optional<HistorySpans> history_;
    QWidget* client_ = nullptr;
    ViewerFrameStyle* frameStyle_ = nullptr; // owned as a child
    std::array<QWidget*, TabCount> pages_{};
    std::array<QWidget*, static_cast<std::size_t>(LayoutItem::Count)> laidOut_{};
    ViewerLayout layout_;
    bool resizing_ = false;
    // True while a toolbar button's procedures run (a load with its follow-up readers, an
    // export, a printout, a verification, a trend build or a trend output). They let pending
    // events run, so the buttons stay live meanwhile; the click handlers then start nothing,
    // except "Cancel History Plot", which stops a build.
    bool recordOperationRunning_ = false;
    bool deleteWhenOperationEnds_ = false;
};

} // namespace tarvex
