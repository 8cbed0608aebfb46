#pragma once

#include <QRect>
#include <QString>

// Sizes and places of the study window, as pure functions of the screen and the texts.
namespace StudyGeometry {

// Width and height of the study window outside full screen on ordinary desktops.
constexpr int kWindowWidth = 723;
constexpr int kWindowHeight = 620;
// Frame widths up to this one show the compact statistics page.
constexpr int kCompactStatisticsWidth = 662;

// Height of the main display: 300 on a 480-pixel desktop, 396 on a 600-pixel one,
// otherwise 564 in full screen and 416 in a window.
int mainDisplayHeight(int desktopHeight, bool fullScreen);
// The window's geometry outside full screen: on a 640- or 800-pixel-wide desktop the
// available area below one title bar, otherwise 723x620 centred on the desktop.
QRect windowGeometry(const QRect &desktop, const QRect &available, int titleBarHeight);
// Height of the question area for word: one line per line of the word, or one line
// and 10 pixels for a word on one line.
int questionHeight(int lineHeight, const QString &word);
// Whether a window whose frame is frameWidth wide shows the compact statistics page.
bool compactStatistics(int frameWidth);

} // namespace StudyGeometry
