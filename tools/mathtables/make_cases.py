#!/usr/bin/env python3
"""Writes tests/core/MathsCases.h: arguments of sin, cos and atan2 with the true
result rounded to the nearest double, worked out with 80 decimal digits. The
arguments are where the game's angles fall, plus the awkward places: next to
multiples of pi/2, the table's half-steps, octant edges, tiny and huge ratios."""
import math
import random
import sys
from decimal import Decimal as D

from make_tables import PI, atan, cos, sin


def reduced(x):
    x = D(x)
    k = (x / (PI / 2)).to_integral_value()
    return x - k * PI / 2, int(k) % 4


def true_sin(x):
    r, q = reduced(x)
    return [sin(r), cos(r), -sin(r), -cos(r)][q]


def true_cos(x):
    r, q = reduced(x)
    return [cos(r), -sin(r), -cos(r), sin(r)][q]


def true_atan2(y, x):
    y, x = D(y), D(x)
    a = atan(abs(y) / abs(x)) if abs(y) <= abs(x) else PI / 2 - atan(abs(x) / abs(y))
    if x < 0:
        a = PI - a
    return -a if y < 0 else a


def neighbours(v):
    return [math.nextafter(v, -math.inf), v, math.nextafter(v, math.inf)]


def main(out):
    rng = random.Random(1987)
    angles = [rng.uniform(-720, 720) * 3.1415926535 / 180 for _ in range(80)]
    angles += [rng.uniform(0, 30000) for _ in range(40)]
    for k in (1, 2, 3, 4, 7, 100, 12345):
        angles += neighbours(k * math.pi / 2)
    for j in (1, 3, 25, 50):
        angles += neighbours((j + 0.5) / 64)
    angles += neighbours(math.pi / 4) + [2.0**-27, 2.0**-26, 1e-5, 6.5e6, -6.4e6]
    pairs = [(rng.uniform(-1000, 1000), rng.uniform(-1000, 1000)) for _ in range(80)]
    pairs += [(rng.uniform(-1, 1) * 1e-3, rng.uniform(-1, 1) * 1e6) for _ in range(20)]
    pairs += [(3.0, 3.0), (-7.5, 7.5), (5.0, -5.0), (1.0, 64.0), (33.0, 64.0), (1e300, 3e299),
              (1e-300, 7e-301), (2.5e-310, 1.0), (1.0, 2.5e-310), (1e308, -1e308), (-1e-5, -1e200)]
    out.write("#pragma once\n// Written by tools/mathtables/make_cases.py: arguments and the true results\n"
              "// rounded to the nearest double.\n#include <array>\n\n")
    out.write("struct AngleCase {\n    double x;\n    double sin;\n    double cos;\n};\n\n")
    out.write("struct RatioCase {\n    double y;\n    double x;\n    double atan2;\n};\n\n")
    out.write("constexpr std::array<AngleCase, %d> AngleCases{{\n" % len(angles))
    for a in angles:
        out.write("    {%s, %s, %s},\n" % (a.hex(), float(true_sin(a)).hex(), float(true_cos(a)).hex()))
    out.write("}};\n\nconstexpr std::array<RatioCase, %d> RatioCases{{\n" % len(pairs))
    for y, x in pairs:
        out.write("    {%s, %s, %s},\n" % (y.hex(), x.hex(), float(true_atan2(y, x)).hex()))
    out.write("}};\n")


if __name__ == "__main__":
    main(sys.stdout)
