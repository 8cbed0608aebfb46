#include "study/studygeometry.h"

namespace StudyGeometry {

int mainDisplayHeight(int desktopHeight, bool fullScreen)
{
    if (desktopHeight == 480)
        return 300;
    if (desktopHeight == 600)
        return 396;
    return fullScreen ? 564 : 416;
}

QRect windowGeometry(const QRect &desktop, const QRect &available, int titleBarHeight)
{
    if (desktop.width() == 640 || desktop.width() == 800)
        return QRect(0, titleBarHeight, available.width(), available.height() - titleBarHeight);
    const int x = desktop.x() + (desktop.width() - kWindowWidth) / 2;
    const int y = desktop.y() + (desktop.height() - kWindowHeight) / 2;
    return QRect(x, y, kWindowWidth, kWindowHeight);
}

int questionHeight(int lineHeight, const QString &word)
{
    const int breaks = int(word.count(QLatin1Char('\n')));
    return breaks > 0 ? lineHeight * (breaks + 1) : lineHeight + 10;
}

bool compactStatistics(int frameWidth)
{
    return frameWidth <= kCompactStatisticsWidth;
}

} // namespace StudyGeometry
