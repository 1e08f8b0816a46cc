#pragma once
// sin, cos and atan2 that give the same bits on every machine and compiler: the C
// libraries of Linux, Windows and the browser round some results differently, and
// one bit of a direction can move a shot by a pixel frames later. Each result is
// the true value rounded to the nearest double but in cases far rarer than those
// libraries' own slips, so on Linux the game moves as it did with the C library.
namespace glintwake::maths {

// Arguments in radians. Beyond about 6.5 million radians (never reached in play)
// these fall back to the C library's.
double sin(double x);
double cos(double x);
double atan2(double y, double x);

}  // namespace glintwake::maths
