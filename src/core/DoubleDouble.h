#pragma once
// A number held as the unevaluated sum of two doubles, good to about 106 bits, with
// the few error-free steps the portable maths is built from. Plain IEEE additions
// and multiplications only, so every machine gives the same bits.
namespace glintwake::maths {

struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

// a + b exactly, for any a and b.
inline DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bPart = s - a;
    const double aPart = s - bPart;
    return {s, (a - aPart) + (b - bPart)};
}

// a + b exactly, when |a| >= |b| or a is 0.
inline DoubleDouble quickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a * b exactly (Dekker's split, no fused multiply-add: not every target has one),
// for |a|, |b| below 2^996.
inline DoubleDouble twoProduct(double a, double b) {
    constexpr double Splitter = 134217729.0;  // 2^27 + 1
    const auto split = [](double v, double& high, double& low) {
        const double t = Splitter * v;
        high = t - (t - v);
        low = v - high;
    };
    double aHigh = 0.0, aLow = 0.0, bHigh = 0.0, bLow = 0.0;
    split(a, aHigh, aLow);
    split(b, bHigh, bLow);
    const double p = a * b;
    return {p, ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    const DoubleDouble u = quickTwoSum(s.hi, s.lo + t.hi);
    return quickTwoSum(u.hi, u.lo + t.lo);
}

inline DoubleDouble add(DoubleDouble a, double b) {
    const DoubleDouble s = twoSum(a.hi, b);
    return quickTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble negate(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

inline DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return quickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble multiply(DoubleDouble a, double b) {
    const DoubleDouble p = twoProduct(a.hi, b);
    return quickTwoSum(p.hi, p.lo + a.lo * b);
}

inline DoubleDouble divide(DoubleDouble a, DoubleDouble b) {
    const double q1 = a.hi / b.hi;
    const DoubleDouble rest = add(a, negate(multiply(b, q1)));
    const double q2 = rest.hi / b.hi;
    return quickTwoSum(q1, q2);
}

}  // namespace glintwake::maths
