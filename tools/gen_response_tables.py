#!/usr/bin/env python3
"""Generate and verify the built-in yield-response coefficient tables of Velmaro.

Writes src/data/response_20.txt, src/data/response_medio.txt and
src/data/response_80.txt: 384 fixed-column lines
each, "CODE a b c", yield = a + b*N + c*N^2 (N in kg/ha, yield in kg/ha).

Standard library only, fixed seed: two runs give identical bytes.  After
writing, the files are read back and every rule is verified; any failure is
reported and the exit status is non-zero.

Usage:  python3 tools/gen_response_tables.py [--out-dir DIR] [--check-only]
"""

import argparse
import math
import os
import random
import re
import sys
from decimal import Decimal, ROUND_HALF_EVEN
from fractions import Fraction

SEED = 20031107

# --------------------------------------------------------------------------
# Key space and line order of the scenario codes
# --------------------------------------------------------------------------
SITES = "ABCDE"
UNITS = {"A": "GYZFHEA", "B": "GJYFBA", "C": "OLMNPKR", "D": "#@DCI", "E": "STWUXVQ"}
CULTIVARS = "ABCD"
WATERS = "ABC"
FIRST_LINE = {"A": 0, "B": 84, "C": 156, "D": 240, "E": 300}
N_LINES = 384
LEVELS = ("20", "medio", "80")
LEVEL_NAMES = {"20": "20 %", "medio": "Medio", "80": "80 %"}
FILE_NAMES = {"20": "response_20.txt", "medio": "response_medio.txt", "80": "response_80.txt"}
COEFS = ("a", "b", "c")
COLS = {"a": (6, 11), "b": (13, 19), "c": (21, 27)}   # 1-based, inclusive
N_RANGE = range(40, 191)                               # whole N, 40..190 kg/ha
N_WATER = 120                                          # water ordering checked here
YIELD_CAP = 9000


def code_order():
    codes = []
    for s in SITES:
        for w in WATERS:
            for c in CULTIVARS:
                for u in UNITS[s]:
                    codes.append(s + u + c + w)
    return codes


CODES = code_order()
LINE_OF = {code: i for i, code in enumerate(CODES)}

# --------------------------------------------------------------------------
# Fixed content: telling rows (fields exactly as cut) and value ranges
# --------------------------------------------------------------------------
TELLING = {
    "AGAA": {"20": ("1885.9", "15.770 ", "-0.0529"), "medio": ("1965.1", "24.000 ", "-0.0820"), "80": ("2243.1", "27.210 ", "-0.0920")},
    "AFAA": {"20": ("2579.1", "15.310 ", "-0.0722"), "medio": ("3165.1", "12.660 ", "-0.0530"), "80": ("3679  ", "12.250 ", "-0.0440")},
    "AYDC": {"20": (" 948.2", "13.390 ", "-0.0523"), "medio": (" 850.3", "26.470 ", "-0.0990"), "80": ("692.8 ", "38.85  ", "-0.1390")},
    "CPAA": {"20": ("1208.4", "13.090 ", "-0.0440"), "medio": ("1686.3", "15.710 ", "-0.0530"), "80": ("1884.5", " 22.41 ", "-0.0760")},
    "D#AA": {"20": ("1404.4", "14.370 ", "-0.0499"), "medio": ("1619.3", "23.040 ", "-0.0670"), "80": ("1918.5", "27.9   ", "-0.0740")},
    "DDDB": {"20": ("2282.7", " 2.300 ", " 0.0001"), "medio": ("2325.8", "12.740 ", "-0.0540"), "80": ("2746.3", "18.62  ", "-0.0750")},
    "EQBA": {"20": ("1443.0", " 2.930 ", "-0.0000"), "medio": ("1582.2", "17.050 ", "-0.0470"), "80": ("1780.3", "27.64  ", "-0.0790")},
    "EQDC": {"20": (" 577.5", " 8.250 ", "-0.0348"), "medio": (" 861.6", "17.870 ", "-0.0660"), "80": ("1049.9", "28     ", "-0.0990")},
}
TELLING_LINE = {"AGAA": 0, "AFAA": 3, "AYDC": 78, "CPAA": 160, "D#AA": 240, "DDDB": 277, "EQBA": 313, "EQDC": 383}

RANGES = {  # (min, max) as written
    "20": {"a": ("342.0", "3305.1"), "b": ("0.600", "37.990"), "c": ("-0.1442", "0.0001")},
    "medio": {"a": ("327.4", "3749.4"), "b": ("7.590", "42.700"), "c": ("-0.1650", "-0.0330")},
    "80": {"a": ("206.4", "4423.1"), "b": ("8.11", "50.82"), "c": ("-0.1900", "-0.0190")},
}
POSITIVE_C = ("20", "DDDB")   # the only positive c
ZERO_C = ("20", "EQBA")       # the only zero c ("-0.0000")
LEADING_BLANK_B80 = "CPAA"    # the only 80 % b with a leading blank
TRAILING_BLANK_LINES = 5      # lines per table with one blank after column 27

# --------------------------------------------------------------------------
# Effects model (log scale).  Every curve is built from a site effect, a
# landscape-unit effect within its site, a cultivar effect and a water
# effect, plus small deterministic noise:
#   score_a = site + unit + cultivar + water (+ noise)   -> intercept a
#   score_h = site + unit + cultivar + water (+ noise)   -> N response (b, -c)
#   score_p = site + cultivar + water (+ noise)          -> optimum N (b / -2c)
# The Medio level maps the scores to a, b and -c by calibrated maps; the
# 20 % and 80 % levels are the Medio curve times level ratios that again
# carry site, cultivar and water terms (LEVEL_REL below).
# --------------------------------------------------------------------------
SITE_EFF = {  # (a, h, p)
    "A": (0.05, 0.05, 0.00),
    "B": (0.10, 0.00, -0.02),
    "C": (-0.20, 0.05, -0.04),
    "D": (0.00, 0.04, 0.03),
    "E": (-0.15, -0.08, 0.02),
}
UNIT_EFF = {  # (a, h): fertile units have a high intercept and a low response
    "A": {"G": (0.00, 0.05), "Y": (-0.50, 0.40), "Z": (-0.15, 0.12), "F": (0.40, -0.35),
          "H": (0.15, -0.10), "E": (-0.30, 0.25), "A": (0.25, -0.20)},
    "B": {"G": (0.00, 0.05), "J": (-0.35, 0.30), "Y": (-0.50, 0.40), "F": (0.40, -0.35),
          "B": (0.18, -0.12), "A": (0.25, -0.20)},
    "C": {"O": (0.00, 0.00), "L": (-0.35, 0.30), "M": (0.25, -0.15), "N": (-0.55, 0.45),
          "P": (0.10, -0.05), "K": (0.42, -0.38), "R": (-0.18, 0.18)},
    "D": {"#": (-0.05, 0.08), "@": (0.22, -0.15), "D": (0.32, -0.28), "C": (-0.42, 0.35),
          "I": (-0.18, 0.18)},
    "E": {"S": (0.00, 0.00), "T": (-0.42, 0.35), "W": (0.25, -0.15), "U": (-0.20, 0.18),
          "X": (0.42, -0.35), "V": (-0.55, 0.42), "Q": (0.15, -0.10)},
}
# Productivity of each unit within its site (added to both scores); a unit
# listed at two sites keeps its effects at both.
UNIT_PROD = {
    "A": {"F": 0.14, "A": 0.10, "G": 0.05, "Y": 0.03, "H": -0.06, "Z": -0.11, "E": -0.16},
    "B": {"F": 0.14, "A": 0.10, "G": 0.05, "Y": 0.03, "B": -0.03, "J": -0.10},
    "C": {"K": 0.18, "M": 0.12, "N": 0.06, "R": 0.02, "P": -0.06, "O": -0.12, "L": -0.18},
    "D": {"D": 0.12, "@": 0.06, "#": 0.00, "C": -0.06, "I": -0.12},
    "E": {"X": 0.18, "V": 0.14, "T": 0.05, "W": -0.02, "Q": -0.08, "U": -0.12, "S": -0.18},
}
CULT_EFF = {  # (a, h, p): Guapo (B) > Escorpion (A) > Don Enrique (D) > Baguette 10 (C)
    "A": (0.00, 0.00, 0.00),
    "B": (0.07, 0.05, 0.03),
    "C": (-0.16, -0.08, -0.03),
    "D": (-0.08, -0.06, 0.00),
}
WATER_EFF = {  # (a, h, p): drier soil at sowing, lower yield and response
    "A": (0.00, 0.00, 0.02),
    "B": (-0.12, -0.08, 0.00),
    "C": (-0.22, -0.14, -0.05),
}
NOISE_LINE = 0.015     # sd of the per-line noise on each Medio score
NOISE_LEVEL = 0.012    # sd of the per-level noise on each 20 % / 80 % ratio
# Medio calibration: the model's extremes sit just inside the Medio ranges
# (a, b and -c); the exact extremes are pinned afterwards on the nearest
# lines.
# The map is log-linear in t ** power, t the score scaled to 0..1: a power
# below 1 keeps most intercepts in the upper part of the range, with the
# poorest units after a dry sowing as the low tail.
MAP_POWER = (0.6, 1.0, 1.0)
CAL_MEDIO = {"a": (340.0, 3680.0), "b": (7.9, 41.5), "nc": (0.0345, 0.160)}
# 20 % and 80 % curves are the Medio curve times level ratios (log scale):
#   log X_L = log X_M + alpha + beta * (log X_M - centre_X)
#             + site term + cultivar term + water term + noise
# for X = a and b; the optimum N (b / -2c) is Medio's times
#   exp(np_shift + np_beta_low * min(0, log b_M - centre_b)).
LEVEL_REL = {
    "20": {
        "a": {"alpha": -0.04, "beta": -0.075,
              "site": {"A": 0.0, "B": 0.0, "C": 0.0, "D": 0.01, "E": 0.0},
              "cult": {"A": 0.0, "B": 0.0, "C": 0.0, "D": 0.0},
              "water": {"A": 0.0, "B": -0.01, "C": -0.02}},
        "b": {"alpha": -0.33, "beta": 0.28,
              "site": {"A": 0.0, "B": -0.05, "C": 0.02, "D": -0.85, "E": -1.05},
              "cult": {"A": 0.0, "B": -0.08, "C": 0.0, "D": -0.08},
              "water": {"A": 0.0, "B": -0.06, "C": -0.15}},
        "np_shift": 0.015, "np_beta_low": 0.0,
    },
    "80": {
        "a": {"alpha": 0.095, "beta": 0.057,
              "site": {"A": 0.0, "B": 0.0, "C": -0.08, "D": 0.0, "E": 0.0},
              "cult": {"A": 0.0, "B": 0.0, "C": 0.0, "D": 0.0},
              "water": {"A": 0.0, "B": -0.03, "C": -0.10}},
        "b": {"alpha": 0.105, "beta": 0.09,
              "site": {"A": 0.0, "B": 0.0, "C": 0.02, "D": 0.02, "E": 0.03},
              "cult": {"A": 0.0, "B": 0.0, "C": 0.0, "D": 0.0},
              "water": {"A": 0.0, "B": 0.04, "C": 0.12}},
        "np_shift": 0.05, "np_beta_low": -0.60,
    },
}
# Lowest 20 % intercept a level-ordering blend may produce (just inside the
# 20 % range of a).
FLOOR_A20 = 345.0

# 20 % and Medio always use r1 for a and s3 (" 8.550 ", "15.770 ") for b.
A80_FORMS = ("r1", "int", "t1")            # "2243.1"/" 665.3", "3679  "/" 900  ", "692.8 "
B80_FORMS = ("f3", "l2", "l1", "l0")       # "27.210 ", "37.52  ", "11.2   ", "28     "
STEP = {"r1": Decimal("0.1"), "t1": Decimal("0.1"), "int": Decimal("1"),
        "s3": Decimal("0.001"), "f3": Decimal("0.001"), "l2": Decimal("0.01"), "l1": Decimal("0.1"), "l0": Decimal("1"),
        "c4": Decimal("0.0001")}


class GenError(Exception):
    pass


# --------------------------------------------------------------------------
# Small numeric helpers
# --------------------------------------------------------------------------
def q(x, step):
    """Round float x to a multiple of step (Decimal), half-even."""
    return Decimal(repr(x)).quantize(step, rounding=ROUND_HALF_EVEN)


def yld(coef, n):
    a, b, c = coef
    return a + b * n + c * n * n


def solve(m, v):
    """Gaussian elimination for a small dense system."""
    k = len(v)
    m = [row[:] + [v[i]] for i, row in enumerate(m)]
    for i in range(k):
        p = max(range(i, k), key=lambda r: abs(m[r][i]))
        m[i], m[p] = m[p], m[i]
        for r in range(k):
            if r != i:
                f = m[r][i] / m[i][i]
                for col in range(i, k + 1):
                    m[r][col] -= f * m[i][col]
    return [m[i][k] / m[i][i] for i in range(k)]


def refit(target, fixed):
    """Least squares over N 40..190 of a + bN + cN^2 against the curve
    `target`, with the coefficients in `fixed` (index -> value) held."""
    free = [i for i in range(3) if i not in fixed]
    if not free:
        return [fixed[i] for i in range(3)]
    rows, rhs = [], []
    for n in N_RANGE:
        basis = (1.0, float(n), float(n * n))
        r = yld(target, n) - sum(float(fixed[i]) * basis[i] for i in fixed)
        rows.append([basis[i] for i in free])
        rhs.append(r)
    k = len(free)
    ata = [[sum(row[i] * row[j] for row in rows) for j in range(k)] for i in range(k)]
    atb = [sum(row[i] * rhs[t] for t, row in enumerate(rows)) for i in range(k)]
    sol = solve(ata, atb)
    out = [None] * 3
    for i in fixed:
        out[i] = fixed[i]
    for j, i in enumerate(free):
        out[i] = sol[j]
    return out


# --------------------------------------------------------------------------
# Step 1: float curves from the effects model
# --------------------------------------------------------------------------
def build_model(rng):
    # Medio: scores from the effects, calibrated log-linear maps
    scores = {}
    for code in CODES:
        s, u, c, w = code
        up = UNIT_PROD[s][u]
        sa = SITE_EFF[s][0] + UNIT_EFF[s][u][0] + up + CULT_EFF[c][0] + WATER_EFF[w][0]
        sh = SITE_EFF[s][1] + UNIT_EFF[s][u][1] + up + CULT_EFF[c][1] + WATER_EFF[w][1]
        sp = SITE_EFF[s][2] + CULT_EFF[c][2] + WATER_EFF[w][2]
        sa += rng.gauss(0, NOISE_LINE)
        sh += rng.gauss(0, NOISE_LINE)
        sp += rng.gauss(0, NOISE_LINE)
        scores[code] = (sa, sh, sh - sp)
    maps = []
    for k, key in enumerate(("a", "b", "nc")):
        vals = [scores[code][k] for code in CODES]
        lo, hi = min(vals), max(vals)
        tlo, thi = (math.log(t) for t in CAL_MEDIO[key])
        maps.append((lo, hi, tlo, thi))
    centre = {"a": sum(maps[0][2:]) / 2, "b": sum(maps[1][2:]) / 2}
    model = {}
    for code in CODES:
        s, u, c, w = code
        logs = []
        for k in range(3):
            lo, hi, tlo, thi = maps[k]
            t = (scores[code][k] - lo) / (hi - lo)
            logs.append(tlo + t ** MAP_POWER[k] * (thi - tlo))
        la, lb, lnc = logs
        med = (math.exp(la), math.exp(lb), -math.exp(lnc))
        npt = math.exp(lb) / (2 * math.exp(lnc))       # Medio optimum N
        model[code] = {"medio": med}
        for lev in ("20", "80"):
            rel = LEVEL_REL[lev]
            out = {}
            for key, lx in (("a", la), ("b", lb)):
                r = rel[key]
                out[key] = math.exp(lx + r["alpha"] + r["beta"] * (lx - centre[key])
                                    + r["site"][s] + r["cult"][c] + r["water"][w]
                                    + rng.gauss(0, NOISE_LEVEL))
            # a good season (80 %) moves the optimum N of weakly responding
            # curves upwards: flatter curves where Medio's response is low
            npl = npt * math.exp(rel["np_shift"] + rel["np_beta_low"] * min(0.0, lb - centre["b"])
                                 + rng.gauss(0, NOISE_LEVEL))
            model[code][lev] = (out["a"], out["b"], -out["b"] / (2 * npl))
    return model


def telling_values(code, lev):
    return tuple(Fraction(f.strip()) for f in TELLING[code][lev])


def build_around_telling(model):
    """Lines sharing site, unit and cultivar with a telling row keep their
    model curves unless the water ordering against the telling row needs
    room: then the whole line (all three levels) is scaled by the smallest
    factor that restores it with a 2 % margin, working outwards from the
    telling row's water."""
    margin = 0.02
    for code in TELLING:
        s, u, c, w0 = code
        model[code] = {lev: tuple(float(x) for x in telling_values(code, lev)) for lev in LEVELS}
        i0 = WATERS.index(w0)
        # wetter waters (earlier letters) must give at least the next drier one
        ref = yld(model[code]["medio"], N_WATER)
        for i in range(i0 - 1, -1, -1):
            other = s + u + c + WATERS[i]
            y = yld(model[other]["medio"], N_WATER)
            if y < ref * (1 + margin):
                f = ref * (1 + margin) / y
                model[other] = {lev: tuple(f * x for x in model[other][lev]) for lev in LEVELS}
            ref = yld(model[other]["medio"], N_WATER)
        ref = yld(model[code]["medio"], N_WATER)
        for i in range(i0 + 1, len(WATERS)):
            other = s + u + c + WATERS[i]
            y = yld(model[other]["medio"], N_WATER)
            if y > ref * (1 - margin):
                f = ref * (1 - margin) / y
                model[other] = {lev: tuple(f * x for x in model[other][lev]) for lev in LEVELS}
            ref = yld(model[other]["medio"], N_WATER)


# Level ordering.  The level ratios differ between a and b, so a few lines
# (mostly Reconquista after a dry sowing) can have an 80 % curve that is not
# above Medio by ORDER_MARGIN at N = 40 (or, in principle, a 20 % curve not
# below it).  Such a curve is blended, by the smallest weight t in steps of
# 0.05, with a Medio-relative curve (80 %: 1.12 x Medio; 20 %: 0.85 x Medio,
# intercept not below FLOOR_A20).  Every result is re-checked afterwards.
ORDER_MARGIN = 30.0   # kg/ha on the float curves, before rounding
BLEND_80 = 1.12
BLEND_20 = 0.85


def min_gap(lower, upper):
    return min(yld(upper, n) - yld(lower, n) for n in N_RANGE)


def repair_order(model):
    repaired = {"20": 0, "80": 0}
    for code in CODES:
        if code in TELLING:
            continue
        med = model[code]["medio"]
        anchor = {"80": tuple(BLEND_80 * x for x in med),
                  "20": (max(BLEND_20 * med[0], FLOOR_A20), BLEND_20 * med[1], BLEND_20 * med[2])}
        for lev in ("80", "20"):
            cur = model[code][lev]
            for step in range(0, 21):
                t = step / 20.0
                cand = tuple((1 - t) * x + t * y for x, y in zip(cur, anchor[lev]))
                gap = min_gap(med, cand) if lev == "80" else min_gap(cand, med)
                if gap >= ORDER_MARGIN:
                    break
            else:
                raise GenError("%s %s: cannot order against Medio" % (LEVEL_NAMES[lev], code))
            if step:
                repaired[lev] += 1
            model[code][lev] = cand
    return repaired


# --------------------------------------------------------------------------
# Step 2: text forms and quantisation
# --------------------------------------------------------------------------
def choose_forms(rng, model):
    """Text form of each 80 % field, drawn with the fixed generator: a is
    mostly "2243.1", about 14 % integers ("3679  ") and, below 1000, about
    half "692.8 "; b is about 12 % "27.210 " (only when b >= 10.5, so no
    leading blank), 14 % whole numbers, 22 % one decimal, the rest two
    decimals, left-aligned (trailing zeros of the rounded value dropped)."""
    forms = {}
    for code in CODES:
        a80, b80, _ = model[code]["80"]
        r = rng.random()
        if r < 0.14:
            fa = "int"
        elif r < 0.60 and a80 < 995.0:
            fa = "t1"
        else:
            fa = "r1"
        r = rng.random()
        if r < 0.12 and b80 >= 10.5:
            fb = "f3"
        elif r < 0.26:
            fb = "l0"
        elif r < 0.48:
            fb = "l1"
        else:
            fb = "l2"
        forms[code] = {"20": ("r1", "s3", "c4"), "medio": ("r1", "s3", "c4"), "80": (fa, fb, "c4")}
    return forms


def quantise(target, forms, fixed=None):
    """Round a float curve to the written steps, coarsest term first; after
    each rounding the still-free coefficients are re-fitted (least squares
    over N 40..190) to the original curve."""
    fixed = dict(fixed or {})
    steps = [STEP[f] for f in forms]
    while len(fixed) < 3:
        cur = refit(target, {i: float(v) for i, v in fixed.items()})
        free = [i for i in range(3) if i not in fixed]
        impact = {i: float(steps[i]) * (190 ** i) for i in free}
        i = max(free, key=lambda j: (impact[j], -j))
        fixed[i] = q(cur[i], steps[i])
    return tuple(fixed[i] for i in range(3))


def representable(vals, forms):
    a, b, _ = vals
    fa, fb, _ = forms
    if fa == "t1" and a >= Decimal("1000"):
        return False
    if fb == "f3" and b < Decimal("10"):
        return False
    return True


def quantise_line(target, forms, fixed=None):
    """quantise(), falling back to the standard forms when a chosen 80 %
    form cannot hold the rounded value ("692.8 " needs a < 1000, "27.210 "
    needs b >= 10 so that no leading blank appears)."""
    forms = tuple(forms)
    vals = quantise(target, forms, fixed)
    if not representable(vals, forms):
        fa, fb, fc = forms
        forms = ("r1" if fa == "t1" else fa, "l2" if fb == "f3" else fb, fc)
        vals = quantise(target, forms, fixed)
    return vals, forms


# --------------------------------------------------------------------------
# Step 3: field and line formatting
# --------------------------------------------------------------------------
def strip_zeros(d):
    s = format(d, "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return s


def fmt_a(v, form):
    if form == "r1":
        return "%6s" % format(v, "f")
    if form == "t1":
        return "%5s " % format(v, "f")
    if form == "int":
        return "%4s  " % format(v, "f")
    raise GenError("bad a form " + form)


def fmt_b(v, form, lev):
    if lev != "80" or form == "f3":
        return "%6s " % format(v, "f")
    return "%-7s" % strip_zeros(v)


def fmt_c(v):
    s = format(v, "f")
    if v == 0:
        return "-0.0000"
    if not s.startswith("-"):
        s = " " + s
    return s


def render(values, forms, trailing):
    tables = {}
    for lev in LEVELS:
        lines = []
        for i, code in enumerate(CODES):
            if code in TELLING:
                fa, fb, fc = TELLING[code][lev]
            else:
                a, b, c = values[code][lev]
                fa = fmt_a(a, forms[code][lev][0])
                fb = fmt_b(b, forms[code][lev][1], lev)
                fc = fmt_c(c)
            line = "%s %s %s %s" % (code, fa, fb, fc)
            if i in trailing[lev]:
                line += " "
            lines.append(line)
        tables[lev] = "".join(l + "\n" for l in lines)
    return tables


# --------------------------------------------------------------------------
# Rules on values (used both while building and when verifying)
# --------------------------------------------------------------------------
def frac3(vals):
    return tuple(Fraction(str(v)) if not isinstance(v, Fraction) else v for v in vals)


def line_problems(code, vals):
    """Rule 5 level ordering and bounds for one code; vals[lev] = Fractions."""
    probs = []
    for n in N_RANGE:
        y = [yld(vals[lev], n) for lev in LEVELS]
        if not (0 < y[0] < y[1] < y[2] < YIELD_CAP):
            probs.append("%s: yields at N=%d not 0 < %s < %s < %s < %d"
                         % (code, n, float(y[0]), float(y[1]), float(y[2]), YIELD_CAP))
            break
    return probs


def group_problems(vals_of, s, u, c):
    ys = [yld(vals_of(s + u + c + w)["medio"], N_WATER) for w in WATERS]
    if not (ys[0] >= ys[1] >= ys[2]):
        return ["%s%s%s?: Medio yield at N=120 not A >= B >= C: %s"
                % (s, u, c, [float(y) for y in ys])]
    return []


def sign_problems(code, lev, cval):
    if (lev, code) == POSITIVE_C:
        return [] if cval > 0 else ["%s %s: c must be positive" % (LEVEL_NAMES[lev], code)]
    if (lev, code) == ZERO_C:
        return [] if cval == 0 else ["%s %s: c must be zero" % (LEVEL_NAMES[lev], code)]
    return [] if cval < 0 else ["%s %s: c must be negative, is %s" % (LEVEL_NAMES[lev], code, float(cval))]


def range_problems(code, lev, vals):
    probs = []
    for k, coef in enumerate(COEFS):
        lo, hi = (Fraction(x) for x in RANGES[lev][coef])
        if not (lo <= vals[k] <= hi):
            probs.append("%s %s: %s = %s outside [%s, %s]"
                         % (LEVEL_NAMES[lev], code, coef, float(vals[k]), float(lo), float(hi)))
    return probs


# --------------------------------------------------------------------------
# Step 4: pin the range extremes on the nearest suitable lines
# --------------------------------------------------------------------------
PIN_LOOKAHEAD = 12   # among this many nearest lines, take the least disturbed


def pin_extremes(model, values, forms):
    """For each range extreme not yet attained, take the line whose written
    coefficient is nearest to it, set the coefficient to the extreme and
    re-fit the other coefficients of that level (least squares over
    N 40..190 against the line's original curve), then re-check the rules
    for that line and its water group; on failure try the next line.  The
    quadratic term is pinned first, then b, then a.  Among the nearest
    PIN_LOOKAHEAD lines that pass, the one whose curve moves least is used.
    A line may carry two
    extremes of one level (37.990 with -0.1442 is a natural pair), the
    earlier one then stays fixed in the re-fit."""
    pinned = {}   # (code, lev) -> {coefficient index: Decimal}
    report = []
    for lev in LEVELS:
        for k in (2, 1, 0):
            coef = COEFS[k]
            for which, bound_txt in zip(("min", "max"), RANGES[lev][coef]):
                bound = Fraction(bound_txt)
                if any(Fraction(str(values[code][lev][k])) == bound for code in CODES):
                    report.append("%s %s %s %s: already attained" % (LEVEL_NAMES[lev], coef, which, bound_txt))
                    continue
                cands = [code for code in CODES if code not in TELLING
                         and k not in pinned.get((code, lev), {}) and len(pinned.get((code, lev), {})) < 2]
                cands.sort(key=lambda cd: (abs(Fraction(str(values[cd][lev][k])) - bound), LINE_OF[cd]))
                best = None
                for tried, code in enumerate(cands):
                    if best is not None and tried >= PIN_LOOKAHEAD:
                        break
                    f = list(forms[code][lev])
                    if lev == "80" and coef == "a":
                        f[0] = "r1"
                    if lev == "80" and coef == "b":
                        f[1] = "l2"
                    fixed = dict(pinned.get((code, lev), {}))
                    fixed[k] = Decimal(bound_txt)
                    new, f = quantise_line(model[code][lev], f, fixed)
                    trial = dict(values[code])
                    trial[lev] = new
                    fr = {lv: frac3(trial[lv]) for lv in LEVELS}
                    probs = line_problems(code, fr)
                    probs += range_problems(code, lev, fr[lev])
                    probs += sign_problems(code, lev, fr[lev][2])
                    s, u, c, _ = code

                    def vals_of(cd, code=code, fr=fr):
                        return fr if cd == code else {lv: frac3(values[cd][lv]) for lv in LEVELS}
                    probs += group_problems(vals_of, s, u, c)
                    if os.environ.get("GEN_DEBUG") and tried < PIN_LOOKAHEAD:
                        print("DEBUG", LEVEL_NAMES[lev], coef, which, code, [str(x) for x in values[code][lev]],
                              [str(x) for x in new], probs[:3], file=sys.stderr)
                    if probs:
                        continue
                    dev = max(abs(yld([float(x) for x in new], n) - yld(model[code][lev], n)) for n in N_RANGE)
                    if best is None or dev < best[0]:
                        best = (dev, tried, code, new, f, fixed)
                done = best is not None
                if done:
                    dev, tried, code, new, f, fixed = best
                    old = values[code][lev]
                    values[code][lev] = new
                    forms[code][lev] = tuple(f)
                    pinned[(code, lev)] = fixed
                    report.append("%s %s %s %s: line %d %s, %s %s %s -> %s %s %s (nearest #%d, curve moved <= %.0f kg/ha)"
                                  % (LEVEL_NAMES[lev], coef, which, bound_txt, LINE_OF[code], code,
                                     old[0], old[1], old[2], new[0], new[1], new[2], tried + 1, dev))
                if not done:
                    raise GenError("no line can carry %s %s %s %s" % (LEVEL_NAMES[lev], coef, which, bound_txt))
    return report


# --------------------------------------------------------------------------
# Generation
# --------------------------------------------------------------------------
def generate():
    rng = random.Random(SEED)
    model = build_model(rng)
    build_around_telling(model)
    repaired = repair_order(model)
    forms = choose_forms(rng, model)
    values = {}
    for code in CODES:
        if code in TELLING:
            values[code] = {lev: tuple(Decimal(x.strip()) for x in TELLING[code][lev]) for lev in LEVELS}
        else:
            values[code] = {}
            for lev in LEVELS:
                values[code][lev], forms[code][lev] = quantise_line(model[code][lev], forms[code][lev])
    # values must be legal before pinning (pinning only moves single lines)
    probs = []
    for code in CODES:
        if code in TELLING:
            continue
        fr = {lv: frac3(values[code][lv]) for lv in LEVELS}
        probs += line_problems(code, fr)
        for lev in LEVELS:
            probs += range_problems(code, lev, fr[lev]) + sign_problems(code, lev, fr[lev][2])
    if probs:
        raise GenError("model out of bounds before pinning:\n  " + "\n  ".join(probs[:30]))
    pin_report = pin_extremes(model, values, forms)
    trailing = {}
    for lev in LEVELS:
        pool = [i for i in range(1, N_LINES)]
        picks = sorted(rng.sample(pool, TRAILING_BLANK_LINES - (1 if lev == "20" else 0)))
        trailing[lev] = set(picks) | ({0} if lev == "20" else set())
    pin_report.append("level-ordering blends: 20 %% %d lines, 80 %% %d lines" % (repaired["20"], repaired["80"]))
    return render(values, forms, trailing), pin_report


# --------------------------------------------------------------------------
# Verification: reads the written text only
# --------------------------------------------------------------------------
RE_A_STD = re.compile(r"^ *\d+\.\d$")          # right-aligned, one decimal, 6 wide
RE_B_STD = re.compile(r"^ *\d+\.\d{3} $")      # three decimals + trailing blank
RE_C = re.compile(r"^[- ]\d\.\d{4}$")          # sign + four decimals
RE_A80_INT = re.compile(r"^ *\d+  $")          # "3679  ", " 900  "
RE_A80_T1 = re.compile(r"^\d{3}\.\d $")        # "692.8 "
RE_B80_LEFT = re.compile(r"^\d+(\.\d{1,2})? *$")  # "37.52  ", "11.2   ", "28     ", "8.11   "
RE_B80_F3 = re.compile(r"^\d\d\.\d{3} $")      # "27.210 "
RE_NUMBER = re.compile(r"^-?\d+(\.\d+)?$")


def classify_a80(f):
    if RE_A_STD.match(f):
        return "a 1 decimal right-aligned"
    if RE_A80_INT.match(f):
        return "a integer + trailing blanks"
    if RE_A80_T1.match(f):
        return "a 1 decimal + trailing blank"
    return None


def classify_b80(f, code):
    if code == LEADING_BLANK_B80 and f == " 22.41 ":
        return "b leading blank"
    if RE_B80_F3.match(f):
        return "b 3 decimals + trailing blank"
    if RE_B80_LEFT.match(f):
        s = f.rstrip()
        if len(s.split(".")[0]) == 1:
            return "b one-digit left-aligned"
        dec = len(s.split(".")[1]) if "." in s else 0
        return "b left-aligned, " + ("%d decimals" % dec if dec != 1 else "1 decimal")
    return None


def verify(texts):
    errs = []
    parsed = {}
    fields = {}
    variants = {lev: {} for lev in LEVELS}
    for lev in LEVELS:
        text = texts[lev]
        name = LEVEL_NAMES[lev]
        try:
            text.encode("ascii")
        except UnicodeEncodeError:
            errs.append("%s: not ASCII" % name)
        if "\r" in text:
            errs.append("%s: contains CR" % name)
        if not text.endswith("\n"):
            errs.append("%s: last line not ended by \\n" % name)
        lines = text.split("\n")[:-1]
        if len(lines) != N_LINES:
            errs.append("%s: %d lines, expected %d" % (name, len(lines), N_LINES))
            continue
        trailing = 0
        parsed[lev], fields[lev] = {}, {}
        for r, line in enumerate(lines):
            where = "%s line %d" % (name, r)
            if len(line) < 27:
                errs.append("%s: shorter than 27 characters" % where)
                continue
            if line[:4] != CODES[r]:
                errs.append("%s: code %r, expected %r" % (where, line[:4], CODES[r]))
            for col in (5, 12, 20):
                if line[col - 1] != " ":
                    errs.append("%s: column %d not blank" % (where, col))
            rest = line[27:]
            if rest == " ":
                trailing += 1
            elif rest != "":
                errs.append("%s: unexpected characters after column 27: %r" % (where, rest))
            if r == 0 and lev == "20" and rest != " ":
                errs.append("%s: must carry one trailing blank" % where)
            fs = tuple(line[c0 - 1:c1] for c0, c1 in (COLS[k] for k in COEFS))
            vals = []
            for coef, f in zip(COEFS, fs):
                if not RE_NUMBER.match(f.strip()):
                    errs.append("%s: field %s %r is not one whole number" % (where, coef, f))
                    vals.append(Fraction(0))
                else:
                    vals.append(Fraction(f.strip()))
            code = CODES[r]
            parsed[lev][code] = tuple(vals)
            fields[lev][code] = fs
            # formats
            fa, fb, fc = fs
            if not RE_C.match(fc):
                errs.append("%s: c %r not sign + four decimals" % (where, fc))
            elif fc[0] == " " and vals[2] == 0:
                errs.append("%s: zero c must be written -0.0000" % where)
            if lev in ("20", "medio"):
                if not RE_A_STD.match(fa):
                    errs.append("%s: a %r not right-aligned one decimal" % (where, fa))
                if not RE_B_STD.match(fb):
                    errs.append("%s: b %r not three decimals + blank" % (where, fb))
                kinds = ["a 1 decimal right-aligned", "b 3 decimals + trailing blank"]
            else:
                ka, kb = classify_a80(fa), classify_b80(fb, code)
                if ka is None:
                    errs.append("%s: a %r has no allowed 80 %% form" % (where, fa))
                if kb is None:
                    errs.append("%s: b %r has no allowed 80 %% form" % (where, fb))
                kinds = [ka, kb]
            for kd in kinds + ["c " + ("positive" if vals[2] > 0 else ("zero" if vals[2] == 0 else "negative"))]:
                if kd:
                    variants[lev][kd] = variants[lev].get(kd, 0) + 1
            errs += sign_problems(code, lev, vals[2])
        if not 3 <= trailing <= 8:
            errs.append("%s: %d lines with a trailing blank, expected 3..8" % (name, trailing))
        variants[lev]["line with one trailing blank"] = trailing
    if errs:
        return errs, None
    # telling rows
    for code, line_no in TELLING_LINE.items():
        if CODES[line_no] != code:
            errs.append("telling row %s not on line %d" % (code, line_no))
        for lev in LEVELS:
            if fields[lev][code] != TELLING[code][lev]:
                errs.append("%s %s: fields %r, expected %r" % (LEVEL_NAMES[lev], code, fields[lev][code], TELLING[code][lev]))
    # 80 %: exactly one b with a leading blank, and a healthy mix of forms
    lead = [cd for cd in CODES if fields["80"][cd][1].startswith(" ")]
    if lead != [LEADING_BLANK_B80]:
        errs.append("80 %%: b with a leading blank on %s, expected only %s" % (lead, LEADING_BLANK_B80))
    for kd, need in (("a integer + trailing blanks", 5), ("a 1 decimal + trailing blank", 5),
                     ("a 1 decimal right-aligned", 100), ("b 3 decimals + trailing blank", 5),
                     ("b left-aligned, 2 decimals", 50), ("b left-aligned, 1 decimal", 20),
                     ("b left-aligned, 0 decimals", 10), ("b one-digit left-aligned", 3)):
        if variants["80"].get(kd, 0) < need:
            errs.append("80 %%: only %d fields of form '%s', want >= %d" % (variants["80"].get(kd, 0), kd, need))
    # ranges: within, and both ends attained exactly
    stats = {}
    for lev in LEVELS:
        for k, coef in enumerate(COEFS):
            lo, hi = (Fraction(x) for x in RANGES[lev][coef])
            vs = [parsed[lev][cd][k] for cd in CODES]
            stats[(lev, coef)] = (min(vs), max(vs))
            if min(vs) != lo or max(vs) != hi:
                errs.append("%s %s: range %s..%s, expected %s..%s"
                            % (LEVEL_NAMES[lev], coef, float(min(vs)), float(max(vs)), RANGES[lev][coef][0], RANGES[lev][coef][1]))
            for which, bound in (("min", lo), ("max", hi)):
                hits = [cd for cd in CODES if parsed[lev][cd][k] == bound]
                stats[(lev, coef, which)] = hits
    # agronomy
    for code in CODES:
        errs += line_problems(code, {lev: parsed[lev][code] for lev in LEVELS})
    for s in SITES:
        for u in UNITS[s]:
            for c in CULTIVARS:
                errs += group_problems(lambda cd: {lev: parsed[lev][cd] for lev in LEVELS}, s, u, c)
    # robustness margin for double-precision readers (>= 1 kg/ha everywhere,
    # for the level ordering and below for the water ordering)
    for code in CODES:
        for n in N_RANGE:
            y = [yld(parsed[lev][code], n) for lev in LEVELS]
            if min(y[0], y[1] - y[0], y[2] - y[1], YIELD_CAP - y[2]) < 1:
                errs.append("%s: margin below 1 kg/ha at N=%d" % (code, n))
                break
    for s in SITES:
        for u in UNITS[s]:
            for c in CULTIVARS:
                ys = [yld(parsed["medio"][s + u + c + w], N_WATER) for w in WATERS]
                if min(ys[0] - ys[1], ys[1] - ys[2]) < 1:
                    errs.append("%s%s%s?: water ordering margin below 1 kg/ha" % (s, u, c))
    # consistency of effects: cultivar ranking (mean Medio yield at N=120 over
    # units and waters) identical at every site; unit ranking within a site
    # identical for every cultivar (mean over waters); water A > B > C means.
    def med120(cd):
        return yld(parsed["medio"][cd], N_WATER)
    rankings = {}
    for s in SITES:
        means = {c: sum(med120(s + u + c + w) for u in UNITS[s] for w in WATERS) for c in CULTIVARS}
        rankings[s] = "".join(sorted(CULTIVARS, key=lambda c: -means[c]))
    if len(set(rankings.values())) != 1:
        errs.append("cultivar ranking differs between sites: %s" % rankings)
    unit_rank = {}
    for s in SITES:
        per_c = set()
        for c in CULTIVARS:
            means = {u: sum(med120(s + u + c + w) for w in WATERS) for u in UNITS[s]}
            per_c.add("".join(sorted(UNITS[s], key=lambda u: -means[u])))
        if len(per_c) != 1:
            errs.append("site %s: unit ranking differs between cultivars: %s" % (s, sorted(per_c)))
        unit_rank[s] = per_c.pop()
    return errs, {"stats": stats, "variants": variants, "cultivar_rank": rankings["A"],
                  "unit_rank": unit_rank, "parsed": parsed}


def summary(info, pin_report):
    out = []
    out.append("Ranges (as written) and the lines that attain them:")
    for lev in LEVELS:
        for coef in COEFS:
            lo, hi = RANGES[lev][coef]
            st = info["stats"]
            out.append("  %-6s %s  min %-8s (%s)  max %-8s (%s)" % (
                LEVEL_NAMES[lev], coef, lo, ",".join(st[(lev, coef, "min")]),
                hi, ",".join(st[(lev, coef, "max")])))
    out.append("Pinned extremes:")
    out += ["  " + r for r in pin_report]
    out.append("Format variants (fields per table):")
    for lev in LEVELS:
        out.append("  %s:" % LEVEL_NAMES[lev])
        for kd in sorted(info["variants"][lev]):
            out.append("    %-40s %3d" % (kd, info["variants"][lev][kd]))
    # optimum N of the written curves (b / -2c), for a plausibility glance
    for lev in LEVELS:
        opts = sorted(float(-v[1] / (2 * v[2])) for v in info["parsed"][lev].values() if v[2] < 0)
        out.append("  %s optimum N (b/-2c): min %.0f, median %.0f, max %.0f kg/ha"
                   % (LEVEL_NAMES[lev], opts[0], opts[len(opts) // 2], opts[-1]))
    out.append("Cultivar ranking (Medio, N=120) at every site: %s" % info["cultivar_rank"])
    out.append("Unit ranking per site (same for every cultivar): %s"
               % ", ".join("%s:%s" % (s, info["unit_rank"][s]) for s in SITES))
    return "\n".join(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out-dir", default=os.path.join(here, "..", "src", "data"))
    ap.add_argument("--check-only", action="store_true", help="verify the existing files, write nothing")
    args = ap.parse_args()
    out_dir = os.path.normpath(args.out_dir)
    pin_report = []
    try:
        if not args.check_only:
            texts, pin_report = generate()
            again, _ = generate()
            if texts != again:
                raise GenError("generation is not deterministic")
            os.makedirs(out_dir, exist_ok=True)
            for lev in LEVELS:
                with open(os.path.join(out_dir, FILE_NAMES[lev]), "w", encoding="ascii", newline="") as fh:
                    fh.write(texts[lev])
        read = {}
        for lev in LEVELS:
            with open(os.path.join(out_dir, FILE_NAMES[lev]), "rb") as fh:
                read[lev] = fh.read().decode("latin-1")
    except (GenError, OSError) as e:
        print("gen_response_tables: FAILED: %s" % e, file=sys.stderr)
        return 1
    errs, info = verify(read)
    if errs:
        print("gen_response_tables: verification FAILED (%d problems):" % len(errs), file=sys.stderr)
        for e in errs[:60]:
            print("  " + e, file=sys.stderr)
        return 1
    print(summary(info, pin_report))
    print("gen_response_tables: OK, %d lines x 3 tables in %s" % (N_LINES, out_dir))
    return 0


if __name__ == "__main__":
    sys.exit(main())
