#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QTextCodec;
class QWidget;

// Pieces of the trainer's start-up that main runs in order.
namespace Startup {

// Creates the data folder, logs where it is (and why, for a portable set-up that cannot
// be written) and moves the udata folder of an earlier run in the program folder there.
// Nothing to do under MEMORA_ROOT, where both folders are the same.
void prepareDataFolder();

// The codec for the GB18030 files the trainer reads; the locale's codec when missing.
QTextCodec *gb18030Codec();
// "SimSun" 9 pt, falling back to an installed CJK font.
void installApplicationFont();

// Where the main window goes: for a 640- or 800-pixel-wide desktop the available area
// below the title bar; otherwise centred horizontally, with a 635-pixel height centred
// vertically. desktop: whole desktop; available: default screen's available geometry.
QRect mainWindowGeometry(const QRect &desktop, const QRect &available, int titleBarHeight,
                         const QSize &windowSize);
// Applies mainWindowGeometry to window from the screens' geometry.
void placeMainWindow(QWidget *window);

// The operating-system user: USERNAME, else USER, else LOGNAME, else the home folder's name.
QString systemUserName();
// Makes "/udata", "/cache" and "/temp", in that order.
void ensureDataFolders();

} // namespace Startup
