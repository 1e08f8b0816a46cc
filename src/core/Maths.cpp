#include "core/Maths.h"

#include <cmath>
#include <cstdint>

#include "core/DoubleDouble.h"
#include "core/MathsTables.h"

namespace glintwake::maths {

namespace {

using tables::HalfPiPieces;

constexpr double TableSteps = 64.0;         // the tables hold f(j / 64)
constexpr double LargestMultiple = 0x1p22;  // multiples of pi/2 the reduction keeps exact
constexpr double QuarterPi = 0x1.921fb54442d18p-1;
constexpr double Tiny = 0x1p-27;  // below this sin x rounds to x and cos x to 1
constexpr int32_t Quadrants = 4;
// Ratios are worked out on numbers scaled into a range where exact products cannot
// overflow or lose bits.
constexpr double ScaleLimit = 0x1p500;

int32_t nearestIndex(double nonNegative) {
    return static_cast<int32_t>(nonNegative * TableSteps + 0.5);
}

// x - k * pi/2 for the nearest whole k, to about 100 bits, and k's quadrant.
DoubleDouble reduce(double x, int32_t& quadrant) {
    const double scaled = x * tables::TwoOverPi;
    const auto whole = static_cast<int64_t>(scaled + (scaled < 0.0 ? -0.5 : 0.5));
    const auto k = static_cast<double>(whole);
    quadrant = static_cast<int32_t>(whole & (Quadrants - 1));
    const double first = x - k * HalfPiPieces[0];  // exact: the two are within a factor of two
    const DoubleDouble second = twoSum(first, -k * HalfPiPieces[1]);
    const DoubleDouble third = twoSum(second.hi, -k * HalfPiPieces[2]);
    return twoSum(third.hi, (third.lo + second.lo) - k * HalfPiPieces[3]);
}

// r = a + b with a = j/64 the nearest table point, |b| <= 1/128: the parts of
// sin b and cos b beyond b and 1, small enough to be worked out in plain doubles.
struct Offset {
    int32_t index = 0;
    DoubleDouble b;
    double sinRest = 0.0;  // sin b - b
    double cosRest = 0.0;  // cos b - 1
};

Offset offsetFromTable(DoubleDouble r) {
    Offset o;
    o.index = nearestIndex(r.hi);
    o.b = twoSum(r.hi - o.index / TableSteps, r.lo);  // the subtraction is exact
    const double z = o.b.hi * o.b.hi;
    o.sinRest = o.b.hi * z * (-1.0 / 6 + z * (1.0 / 120 - z * (1.0 / 5040 - z * (1.0 / 362880))));
    o.cosRest = z * (-0.5 + z * (1.0 / 24 - z * (1.0 / 720 - z * (1.0 / 40320))));
    return o;
}

// big + small, rounded once: big a pair, the rest plain doubles far smaller.
double sumRounded(DoubleDouble big, double extra, double small) {
    const DoubleDouble s = twoSum(big.hi, extra);
    return s.hi + (s.lo + (big.lo + small));
}

// sin r for 0 <= r <= pi/4 (a little over): sin a + cos a * b + (the small terms).
double sinReduced(DoubleDouble r) {
    const Offset o = offsetFromTable(r);
    const DoubleDouble& s = tables::SinTable[static_cast<size_t>(o.index)];
    const DoubleDouble& c = tables::CosTable[static_cast<size_t>(o.index)];
    const DoubleDouble lead = twoProduct(c.hi, o.b.hi);
    const double small = lead.lo + c.lo * o.b.hi + c.hi * (o.b.lo + o.sinRest) + s.hi * o.cosRest;
    return sumRounded(s, lead.hi, small);
}

// cos r for 0 <= r <= pi/4: cos a - sin a * b + (the small terms).
double cosReduced(DoubleDouble r) {
    const Offset o = offsetFromTable(r);
    const DoubleDouble& s = tables::SinTable[static_cast<size_t>(o.index)];
    const DoubleDouble& c = tables::CosTable[static_cast<size_t>(o.index)];
    const DoubleDouble lead = twoProduct(-s.hi, o.b.hi);
    const double small = lead.lo - s.lo * o.b.hi - s.hi * (o.b.lo + o.sinRest) + c.hi * o.cosRest;
    return sumRounded(c, lead.hi, small);
}

bool beyondReduction(double x) {
    return !(std::fabs(x) < LargestMultiple * HalfPiPieces[0]);
}

// sin or cos of x, by the quadrant x falls in: the odd ones swap the two.
double sinOrCos(double x, bool wantCos) {
    int32_t quadrant = 0;
    DoubleDouble r{x, 0.0};
    if (std::fabs(x) > QuarterPi) r = reduce(x, quadrant);
    const bool negative = r.hi < 0.0;
    if (negative) r = negate(r);
    const bool useCos = wantCos != ((quadrant & 1) != 0);
    double v = useCos ? cosReduced(r) : sinReduced(r);
    if (!useCos && negative) v = -v;
    // sin: quadrants 2 and 3 negate; cos: quadrants 1 and 2.
    const bool flip = wantCos ? (quadrant == 1 || quadrant == 2) : (quadrant >= 2);
    return flip ? -v : v;
}

// atan(num / den) for 0 < num <= den, as a pair: atan c + atan u with c = j/64 the
// nearest table point and u = (t - c) / (1 + t c), |u| <= 1/128.
DoubleDouble atanRatio(double num, double den) {
    if (den > ScaleLimit || den < 1.0 / ScaleLimit) {
        const int exponent = std::ilogb(den);
        num = std::ldexp(num, -exponent);
        den = std::ldexp(den, -exponent);
    }
    const double th = num / den;
    const DoubleDouble back = twoProduct(th, den);
    const double tl = ((num - back.hi) - back.lo) / den;
    const int32_t j = nearestIndex(th);
    const double c = j / TableSteps;
    const DoubleDouble tc = twoProduct(th, c);
    const DoubleDouble d = quickTwoSum(1.0, tc.hi);
    const double dl = d.lo + tc.lo + tl * c;
    const double nh = th - c;  // exact
    const double uh = nh / d.hi;
    const DoubleDouble ud = twoProduct(uh, d.hi);
    const double ul = ((nh - ud.hi) - ud.lo + tl - uh * dl) / d.hi;
    const double z = uh * uh;
    const double rest = uh * z * (-1.0 / 3 + z * (1.0 / 5 - z * (1.0 / 7 - z * (1.0 / 9))));
    const DoubleDouble& a = tables::AtanTable[static_cast<size_t>(j)];
    const DoubleDouble s = twoSum(a.hi, uh);
    return quickTwoSum(s.hi, s.lo + (a.lo + (ul + rest)));
}

}  // namespace

double sin(double x) {
    if (std::fabs(x) < Tiny) return x;
    if (beyondReduction(x)) return std::sin(x);  // also infinities and NaN
    return sinOrCos(x, false);
}

double cos(double x) {
    if (std::fabs(x) < Tiny) return 1.0;
    if (beyondReduction(x)) return std::cos(x);
    return sinOrCos(x, true);
}

double atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const double ay = std::fabs(y);
    const double ax = std::fabs(x);
    DoubleDouble angle;
    if (std::isinf(ax) || std::isinf(ay)) {
        // Only the directions of the infinities count.
        if (std::isinf(ax) && std::isinf(ay))
            angle = {tables::HalfPi.hi / 2, tables::HalfPi.lo / 2};
        else if (std::isinf(ay))
            angle = tables::HalfPi;
    } else if (ay == 0.0 || ax == 0.0) {
        if (ay != 0.0) angle = tables::HalfPi;
    } else if (ay > ax) {
        angle = add(tables::HalfPi, negate(atanRatio(ax, ay)));
    } else {
        angle = atanRatio(ay, ax);
    }
    if (std::signbit(x)) angle = add(tables::Pi, negate(angle));
    const double result = angle.hi + angle.lo;
    return std::signbit(y) ? -result : result;
}

}  // namespace glintwake::maths
