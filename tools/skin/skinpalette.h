#pragma once

#include <QColor>

// The skin's colours: ivory paper, soft sage greens and one deep teal accent. Every
// picture draws from this one list so that the pictures and the style sheets agree.
namespace SkinPalette {

inline QColor paper()
{
    return QColor(0xF6, 0xF4, 0xEC);
} // study window background
inline QColor surface()
{
    return QColor(0xFD, 0xFC, 0xF8);
} // reading areas
inline QColor mist()
{
    return QColor(0xEE, 0xF4, 0xEF);
} // light sage
inline QColor sage()
{
    return QColor(0xD5, 0xE5, 0xDB);
} // sage
inline QColor line()
{
    return QColor(0xBF, 0xD3, 0xC8);
} // frames and separators
inline QColor accent()
{
    return QColor(0x2E, 0x7D, 0x6B);
} // teal
inline QColor accentDeep()
{
    return QColor(0x1F, 0x5A, 0x4D);
} // deep teal
inline QColor muted()
{
    return QColor(0x6B, 0x85, 0x7C);
} // grey green

} // namespace SkinPalette
