// The program's icon: a dipole over its ladder line, with the yellow marks of
// two current maxima on the feeder. It is drawn here from vector shapes, so
// every size (the window's and the desktop's icon sizes) comes out sharp, and
// the same shapes give the scalable form.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The sizes the icon is drawn at, as the desktop's icon themes use them.
inline constexpr int ProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon drawn at size x size pixels on a transparent background.
QImage DrawProgramIcon(int size);
// The icon with one picture for each of ProgramIconSizes.
QIcon ProgramIcon();
// The icon as an SVG document on its 32 x 32 grid, for any size.
QByteArray ProgramIconSvg();
