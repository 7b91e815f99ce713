#pragma once

#include <functional>

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

#include "EarStyle.h"

class QPainter;

// Shared drawing helpers for the program's built-in pictures.
namespace picturegen {

// Draws with antialiasing at `supersample` times the final size on a
// background of `background`, then scales down with area averaging.
QImage renderPicture(QSize size, int supersample, QColor background, const std::function<void(QPainter&)>& draw);

// Three-pass box blur, close to a Gaussian of the given radius (device pixels).
void blurImage(QImage& image, int radius);

// A blurred copy of `path` filled with `color`, offset by `offset`, drawn
// under whatever the caller paints next. Blur is in logical pixels.
void drawSoftShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, QColor color);

// Paints `draw` into a transparent layer the size of the painter's device,
// blurs it by `blur` logical pixels and composites it with `opacity`.
void drawBlurredLayer(QPainter& p, qreal blur, qreal opacity, const std::function<void(QPainter&)>& draw);

// A wheat ear whose head starts at `headBase` and points along `angleDeg`
// (0 = straight up, positive leans right).
void drawEarHead(QPainter& p, QPointF headBase, qreal angleDeg, const EarStyle& style);

// A stalk from `ground` to `headBase`, bowed sideways by `bend`, with its ear
// oriented along the stalk's end tangent (plus `extraTiltDeg`).
void drawWheatStalk(QPainter& p, QPointF ground, QPointF headBase, qreal bend, const EarStyle& style,
                    qreal extraTiltDeg = 0.0);

// A curved, tapering leaf blade.
void drawLeaf(QPainter& p, QPointF base, QPointF tip, qreal width, qreal bend, QColor light, QColor dark);

// Mixes two colours; t = 0 gives a, t = 1 gives b.
QColor mix(QColor a, QColor b, qreal t);

// The same colour with a different alpha (0..1).
QColor withAlpha(QColor c, qreal alpha);

// A small deterministic generator so every run draws the same pictures.
double random01();
double randomRange(double lo, double hi);
void reseed(unsigned seed);

} // namespace picturegen
