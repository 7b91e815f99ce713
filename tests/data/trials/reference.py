#!/usr/bin/python3
"""Reference values for the trial statistics tests (tests/core/tst_trialstatistics.cpp).

Run once by hand with Debian's python3-numpy and python3-scipy; CI never runs it:

    /usr/bin/python3 tests/data/trials/reference.py

It works the same trials a second way, on purpose unlike the program's own:
- the quadratic by numpy's lstsq on the raw design (1, N, N^2), the covariance from the
  inverse of X'X, Fieller's interval from scipy's t quantile, and the same interval
  again from the profile likelihood of N*, found numerically;
- the quadratic-plateau by brute force over the join (every 0.01 kg/ha over the rates,
  P and c by lstsq for each, c <= 0), polished with scipy's bounded scalar minimiser, and
  checked against scipy's nonlinear least squares from there;
- its interval by the profile residual sum of squares on a grid of N*, each point
  minimised over the join, the crossings found with brentq, against F(1, n - 3).
Prices are the economic chart's opening ones: grain 115 U$S/t, nitrogen 600 U$S/t.
"""
import csv
import math
import os
import sys

import numpy as np
from scipy import optimize, stats

R = 600.0 / 115.0
HERE = os.path.dirname(os.path.abspath(__file__))


def read(name):
    with open(os.path.join(HERE, name)) as f:
        rows = list(csv.DictReader(f))
    n = np.array([float(r["n_disponible"]) for r in rows])
    y = np.array([float(r["rendimiento"]) for r in rows])
    return n, y


def aicc(sse, n, k=4):
    if n - k - 1 <= 0:
        return float("nan")
    return n * math.log(sse / n) + 2 * k + 2 * k * (k + 1) / (n - k - 1)


def quadratic(n, y, level):
    X = np.column_stack([np.ones_like(n), n, n * n])
    beta, _, _, _ = np.linalg.lstsq(X, y, rcond=None)
    a, b, c = beta
    e = y - X @ beta
    sse = float(e @ e)
    df = len(y) - 3
    s2 = sse / df
    V = s2 * np.linalg.inv(X.T @ X)
    t = stats.t.ppf(1 - (1 - level) / 2, df)
    nstar = (R - b) / (2 * c)
    A = 4 * (c * c - t * t * V[2, 2])
    B = 4 * (c * (b - R) - t * t * V[1, 2])
    C = (b - R) ** 2 - t * t * V[1, 1]
    if A > 0:
        r = np.roots([A, B, C])
        interval = (float(min(r.real)), float(max(r.real)))
    else:
        interval = None
    # The same interval from the profile: the least SSE with (R - b)/(2c) held at x,
    # i.e. with b = R - 2c x, the model y - R N = a + c (N^2 - 2 x N).
    def prof(x):
        Z = np.column_stack([np.ones_like(n), n * n - 2 * x * n])
        g, _, _, _ = np.linalg.lstsq(Z, y - R * n, rcond=None)
        r = y - R * n - Z @ g
        return float(r @ r)
    if interval:
        limit = sse + s2 * t * t
        lo = optimize.brentq(lambda x: prof(x) - limit, nstar - 2000, nstar)
        hi = optimize.brentq(lambda x: prof(x) - limit, nstar, nstar + 2000)
        assert abs(lo - interval[0]) < 1e-6 and abs(hi - interval[1]) < 1e-6, (lo, hi, interval)
    return dict(a=a, b=b, c=c, sse=sse, rse=math.sqrt(s2), aicc=aicc(sse, len(y)), nstar=nstar,
                interval=interval, A=A)


def plateau_at(n, y, join):
    g = np.where(n < join, (n - join) ** 2, 0.0)
    Z = np.column_stack([np.ones_like(n), g])
    if np.ptp(g) == 0:
        P, c = y.mean(), 0.0
    else:
        (P, c), _, _, _ = np.linalg.lstsq(Z, y, rcond=None)
        if c > 0:
            P, c = y.mean(), 0.0
    r = y - P - c * g
    return float(r @ r), P, c


def plateau(n, y, level):
    lo, hi = n.min(), n.max()
    grid = np.arange(lo, hi + 0.005, 0.01)
    sses = np.array([plateau_at(n, y, j)[0] for j in grid])
    i = int(np.argmin(sses))
    res = optimize.minimize_scalar(lambda j: plateau_at(n, y, j)[0],
                                   bounds=(grid[max(i - 1, 0)], grid[min(i + 1, len(grid) - 1)]),
                                   method="bounded", options={"xatol": 1e-9})
    join = res.x if res.fun < sses[i] else grid[i]
    sse, P, c = plateau_at(n, y, join)
    # Joins beyond the highest rate leave no plot on the plateau: quadratics with their
    # maximum out there and, in the limit, rising straight lines.
    far = hi + (hi - lo) * np.logspace(-4, 4, 4000)
    beyond = min(plateau_at(n, y, j)[0] for j in far)
    slope = np.polyfit(n, y, 1)[0]
    line = y - (np.poly1d(np.polyfit(n, y, 1))(n) if slope > 0 else y.mean())
    beyond = min(beyond, float(line @ line))
    identified = c < 0 and join < hi - 1e-6 and sse < beyond
    df = len(y) - 3
    out = dict(join=join, P=P, c=c, sse=sse, rse=math.sqrt(sse / df), aicc=aicc(sse, len(y)),
               a=P + c * join * join, b=-2 * c * join, identified=identified)
    if not identified:
        out["nstar"] = float("nan")
        out["interval"] = None
        return out
    # Nonlinear least squares from there finds no better point.
    def resid(p):
        P_, c_, j_ = p
        return y - P_ - c_ * np.where(n < j_, (n - j_) ** 2, 0.0)
    nl = optimize.least_squares(resid, [P, c, join], xtol=1e-14, ftol=1e-14, gtol=1e-14)
    assert float(nl.fun @ nl.fun) >= sse - 1e-6 * sse, (float(nl.fun @ nl.fun), sse)
    out["nstar"] = join + R / (2 * c)
    f = stats.f.ppf(level, 1, df)
    limit = sse + sse / df * f

    def prof(theta):
        # the join over (theta, far), c = -R / (2 (join - theta)), P free; and the far limit
        def at(j):
            c_ = -R / (2 * (j - theta))
            g = np.where(n < j, (n - j) ** 2, 0.0)
            r = y - c_ * g
            r = r - r.mean()
            return float(r @ r)
        # Joins evenly over the rates, and at distances from theta spread evenly in their
        # logarithm: a join a hair past theta (a curve all but a step) is as possible as any.
        start = max(theta + 1e-6, lo)
        joins = np.concatenate([np.linspace(start, hi, 1500), hi + (hi - lo) * np.logspace(-3, 3, 300),
                                theta + (hi - lo) * np.logspace(-14, 4, 3000)])
        joins = np.sort(joins)
        vals = np.array([at(j) for j in joins])
        k = int(np.argmin(vals))
        best = vals[k]
        a_, b_ = joins[max(k - 1, 0)], joins[min(k + 1, len(joins) - 1)]
        if b_ > a_:
            r = optimize.minimize_scalar(at, bounds=(a_, b_), method="bounded", options={"xatol": 1e-10})
            best = min(best, r.fun)
        line = y - R * n
        line = line - line.mean()
        return min(best, float(line @ line))

    assert abs(prof(out["nstar"]) - sse) < 1e-6 * sse
    # Out from N* one kg/ha at a time until the profile passes the limit, then brentq.
    span = hi - lo
    bounds = []
    for step, reach in [(-1.0, lo - 4 * span), (1.0, hi + 4 * span)]:
        t = out["nstar"]
        while (reach - t) * step > 0 and prof(t + step) <= limit:
            t += step
        if (reach - t) * step <= 0:
            break
        bounds.append(optimize.brentq(lambda x: prof(x) - limit, min(t, t + step), max(t, t + step), xtol=1e-9))
    out["interval"] = tuple(bounds) if len(bounds) == 2 else None
    return out


def show(name, level=0.90):
    n, y = read(name)
    q = quadratic(n, y, level)
    p = plateau(n, y, level)
    print(f"== {name}, {level:.0%}, R = {R:.12g}, n = {len(y)}, highest N {n.max():g}")
    print(f"quadratic a {q['a']:.10g} b {q['b']:.10g} c {q['c']:.10g} sse {q['sse']:.10g} "
          f"rse {q['rse']:.10g} aicc {q['aicc']:.10g} A {q['A']:.6g}")
    print(f"  N* {q['nstar']:.10g} interval {q['interval']}")
    print(f"plateau identified {p['identified']} join {p['join']:.10g} P {p['P']:.10g} c {p['c']:.10g} "
          f"sse {p['sse']:.10g} rse {p['rse']:.10g} aicc {p['aicc']:.10g}")
    print(f"  a {p['a']:.10g} b {p['b']:.10g} N* {p['nstar']:.10g} interval {p['interval']}")


if __name__ == "__main__":
    for name, level in [("replicada.csv", 0.90), ("replicada.csv", 0.95), ("sin_curvatura.csv", 0.90),
                        ("optimo_lejano.csv", 0.90), ("medias.csv", 0.90), ("union_cercana.csv", 0.95)]:
        show(name, level)
    sys.exit(0)
