#!/usr/bin/env python3
"""Prints the constants of src/core/Maths.cpp: pi/2 cut into pieces for the argument
reduction, and sin, cos and atan of j/64 each as a pair of doubles (value and
remainder), worked out with 80 decimal digits. Run it to check or remake them."""
from decimal import Decimal as D, getcontext
import math

getcontext().prec = 80
EPS = D(10) ** -78


def arctan_inv(n):
    x = D(1) / n
    s, t, k = x, x, 1
    while True:
        t *= -x * x
        k += 2
        if abs(t / k) < EPS:
            return s
        s += t / k


PI = 16 * arctan_inv(5) - 4 * arctan_inv(239)


def series(x, t, k):
    s = D(0)
    while t != 0 and abs(t) > EPS * abs(x):
        s += t
        t = -t * x * x / ((k + 1) * (k + 2))
        k += 2
    return s


def sin(x):
    return series(x, x, 1)


def cos(x):
    return series(x, D(1), 0)


def atan(x):
    # Halve the angle three times, then the series converges fast.
    y = x
    for _ in range(3):
        y = y / (1 + (1 + y * y).sqrt())
    s, t, k = D(0), y, 1
    while t != 0 and abs(t / k) > EPS * y:
        s += t / k
        t = -t * y * y
        k += 2
    return 8 * s


def pair(v):
    hi = float(v)
    return hi, float(v - D(hi))


def pieces(v, bits, count):
    out = []
    for _ in range(count - 1):
        m, e = math.frexp(float(v))
        q = D(int(m * (1 << bits))) * D(2) ** (e - bits)
        out.append(float(q))
        v -= q
    out.append(float(v))
    return out


def main():
    print("HalfPiPieces", ", ".join(p.hex() for p in pieces(PI / 2, 31, 4)))
    print("TwoOverPi", float(2 / PI).hex())
    print("Pi", ", ".join(x.hex() for x in pair(PI)))
    print("HalfPi", ", ".join(x.hex() for x in pair(PI / 2)))
    print("Third", ", ".join(x.hex() for x in pair(D(1) / 3)))
    print("Sixth", ", ".join(x.hex() for x in pair(D(1) / 6)))
    for name, f, n in (("SinTable", sin, 51), ("CosTable", cos, 51), ("AtanTable", atan, 65)):
        print(name)
        for j in range(n):
            hi, lo = pair(f(D(j) / 64))
            print("    {%s, %s}," % (hi.hex(), lo.hex()))


if __name__ == "__main__":
    main()
