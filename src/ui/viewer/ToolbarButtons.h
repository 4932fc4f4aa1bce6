// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <span>

class QToolButton;
class QWidget;

namespace tarvex {

// The five toolbar button groups of the viewer, one per tab.
enum class ToolbarGroup { Data, Op, Audit, Alarm, Hist };

struct ToolbarButtonInfo {
    const char* tooltip;
    const char* themeIcon;   // freedesktop icon name; empty when there is none that fits
    const char* bundledIcon; // our own icon under :/icons/
};

// The buttons of a group, by index.
std::span<const ToolbarButtonInfo> toolbarButtons(ToolbarGroup group);

// The group's control array name ("DataBarBtn", "opBarBtn", ...).
QString toolbarGroupName(ToolbarGroup group);

// A picture button: a 16 x 16 icon (the desktop theme's, else our own), no caption, the tooltip
// as its only text (and accessible name); reachable with Tab and pressed with Space.
QToolButton* makeToolbarButton(const ToolbarButtonInfo& info, QWidget* parent);

} // namespace tarvex
