// Shared drawing pieces of the sample scenes; see paint_kit.h.

#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace sample_photos {

namespace {

// Outlines are the fill colour darkened, so they never look like black ink.
constexpr int kOutlineDarker = 135;

QPen outlineFor(const QColor &colour)
{
    return QPen(colour.darker(kOutlineDarker), 1.0);
}

// Text lines on a monitor as fractions of the screen width; repeated from the top.
constexpr std::array<double, 12> kTextLines{0.55, 0.8, 0.3, 0.0, 0.7,  0.45,
                                            0.9,  0.2, 0.0, 0.6, 0.35, 0.75};

void drawTextLines(QPainter &p, const QRectF &glass, const QColor &colour, bool prompt)
{
    const double lineHeight = glass.height() / 11.0;
    const double left = glass.left() + glass.width() * 0.08;
    const double usable = glass.width() * 0.84;
    for (int i = 0; i < 9; ++i) {
        const double y = glass.top() + lineHeight * (1.0 + i);
        double x = left;
        if (prompt) {
            p.fillRect(QRectF(x, y, lineHeight * 0.5, lineHeight * 0.55), colour);
            x += lineHeight;
        }
        const double length = kTextLines[static_cast<std::size_t>(i) % kTextLines.size()] * usable;
        if (length > 0)
            p.fillRect(QRectF(x, y, length * (prompt ? 0.8 : 1.0), lineHeight * 0.55), colour);
    }
    // The cursor on the last line.
    p.fillRect(QRectF(left, glass.top() + lineHeight * 10.0, lineHeight * 0.5, lineHeight * 0.55),
               colour.lighter(130));
}

void drawDesktop(QPainter &p, const QRectF &g)
{
    p.fillRect(g, QColor(0x2f, 0x8a, 0x8c));
    const double u = g.width() / 20.0;
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(g.left() + u, g.top() + u * (1 + 2.6 * i), u * 1.4, u * 1.4),
                   QColor(0xf2, 0xe2, 0x7a));
    const QRectF window(g.left() + u * 4.5, g.top() + u * 2, u * 13, u * 9);
    p.fillRect(window, QColor(0xd4, 0xd0, 0xc8));
    p.fillRect(QRectF(window.left(), window.top(), window.width(), u * 1.3),
               QColor(0x1c, 0x2e, 0x9c));
    p.fillRect(QRectF(window.left() + u * 0.6, window.top() + u * 2, window.width() - u * 1.2,
                      window.height() - u * 2.6),
               Qt::white);
    p.fillRect(QRectF(g.left(), g.bottom() - u * 1.4, g.width(), u * 1.4),
               QColor(0xc8, 0xc4, 0xbc));
    p.fillRect(QRectF(g.left() + u * 0.3, g.bottom() - u * 1.15, u * 3, u * 0.9),
               QColor(0x9a, 0x96, 0x8e));
}

void drawGame(QPainter &p, const QRectF &g)
{
    QLinearGradient sky(g.topLeft(), g.bottomLeft());
    sky.setColorAt(0, QColor(0x3a, 0x7b, 0xe8));
    sky.setColorAt(1, QColor(0x9c, 0xd4, 0xff));
    p.fillRect(g, sky);
    const double u = g.width() / 16.0;
    // Ground blocks, a floating row of bricks, a hero and a coin.
    for (int i = 0; i < 16; ++i) {
        p.fillRect(QRectF(g.left() + i * u, g.bottom() - u * 1.6, u, u * 1.6),
                   QColor(0xc0, 0x6a, 0x2a));
        p.fillRect(QRectF(g.left() + i * u, g.bottom() - u * 1.6, u * 0.92, u * 0.3),
                   QColor(0x4c, 0xb8, 0x3c));
    }
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(g.left() + (8 + i) * u, g.top() + u * 4.5, u * 0.92, u * 0.92),
                   i == 1 ? QColor(0xf5, 0xc0, 0x20) : QColor(0xb0, 0x50, 0x20));
    p.fillRect(QRectF(g.left() + u * 4, g.bottom() - u * 3.6, u * 1.0, u * 2.0),
               QColor(0xe0, 0x30, 0x30));
    p.fillRect(QRectF(g.left() + u * 4.15, g.bottom() - u * 4.3, u * 0.8, u * 0.75),
               QColor(0xf6, 0xc8, 0x9a));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x40));
    p.drawEllipse(QRectF(g.left() + u * 12.5, g.bottom() - u * 4, u * 0.8, u * 1.0));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(g.left() + u * 1.5, g.top() + u * 1.5, u * 3, u * 1.2));
}

} // namespace

QPolygonF View::face(std::initializer_list<Vec3> corners) const
{
    QPolygonF shape;
    for (const Vec3 &c : corners)
        shape << at(c);
    return shape;
}

QRectF View::front(double x0, double x1, double y0, double y1, double z) const
{
    return QRectF(at(x0, y1, z), at(x1, y0, z));
}

void fill(QPainter &p, const QPolygonF &shape, const QColor &colour)
{
    p.setPen(outlineFor(colour));
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void fillRect(QPainter &p, const QRectF &rect, const QColor &colour)
{
    p.setPen(outlineFor(colour));
    p.setBrush(colour);
    p.drawRect(rect);
}

void fillEllipse(QPainter &p, const QRectF &rect, const QColor &colour)
{
    p.setPen(outlineFor(colour));
    p.setBrush(colour);
    p.drawEllipse(rect);
}

void drawBox(QPainter &p, const View &v, const Box &b, const QColor &colour)
{
    if (b.y1 < v.eye)
        fill(p,
             v.face(
                 {{b.x0, b.y1, b.z0}, {b.x1, b.y1, b.z0}, {b.x1, b.y1, b.z1}, {b.x0, b.y1, b.z1}}),
             colour.lighter(112));
    if (b.y0 > v.eye)
        fill(p,
             v.face(
                 {{b.x0, b.y0, b.z0}, {b.x1, b.y0, b.z0}, {b.x1, b.y0, b.z1}, {b.x0, b.y0, b.z1}}),
             colour.darker(125));
    if (b.x0 > 0)
        fill(p,
             v.face(
                 {{b.x0, b.y0, b.z0}, {b.x0, b.y1, b.z0}, {b.x0, b.y1, b.z1}, {b.x0, b.y0, b.z1}}),
             colour.darker(108));
    if (b.x1 < 0)
        fill(p,
             v.face(
                 {{b.x1, b.y0, b.z0}, {b.x1, b.y1, b.z0}, {b.x1, b.y1, b.z1}, {b.x1, b.y0, b.z1}}),
             colour.darker(125));
    fillRect(p, v.front(b.x0, b.x1, b.y0, b.y1, b.z0), colour);
}

void drawStick(QPainter &p, const View &v, Vec3 a, Vec3 b, double thickness, const QColor &colour)
{
    const QPointF pa = v.at(a), pb = v.at(b);
    const double wa = thickness * v.scaleAt(a.z) / 2, wb = thickness * v.scaleAt(b.z) / 2;
    const QPointF d = pb - pa;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF n(-d.y() / length, d.x() / length);
    fill(p, QPolygonF{pa + n * wa, pb + n * wb, pb - n * wb, pa - n * wa}, colour);
}

void drawFloorShadow(QPainter &p, const View &v, double x0, double x1, double z0, double z1)
{
    const QPointF a = v.at(x0, 0, z0), b = v.at(x1, 0, z0);
    const QPointF c = v.at(x0, 0, z1);
    const QRectF r(QPointF(a.x() - 4, c.y()), QPointF(b.x() + 4, a.y() + 4));
    QRadialGradient shade(r.center(), r.width() / 2);
    shade.setColorAt(0, QColor(0, 0, 0, 70));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.translate(r.center());
    p.scale(1.0, r.height() / r.width());
    p.drawEllipse(QPointF(0, 0), r.width() / 2, r.width() / 2);
    p.restore();
}

void drawRoom(QPainter &p, const View &v, const RoomStyle &room)
{
    constexpr double kNear = 20; // close enough to the camera to reach past the picture's edges
    const double w = room.halfWidth, h = room.height, d = room.depth;

    fill(p, v.face({{-w, h, kNear}, {w, h, kNear}, {w, h, d}, {-w, h, d}}), room.ceiling);

    QLinearGradient floorShade(v.at(0, 0, kNear * 4), v.at(0, 0, d));
    floorShade.setColorAt(0, room.floor.lighter(106));
    floorShade.setColorAt(1, room.floor.darker(112));
    p.setPen(Qt::NoPen);
    p.setBrush(floorShade);
    p.drawPolygon(v.face({{-w, 0, kNear}, {w, 0, kNear}, {w, 0, d}, {-w, 0, d}}));
    p.setPen(QPen(room.floor.darker(118), 1.2));
    for (double x = -w + room.plank; x < w; x += room.plank)
        p.drawLine(v.at(x, 0, kNear), v.at(x, 0, d));
    // Board ends, staggered so the floor does not read as a grid.
    for (int row = 0; row * 60.0 + 60 < d; ++row) {
        const double z = 60 + row * 60.0;
        for (double x = -w + (row % 2 ? 0.0 : room.plank / 2); x < w; x += room.plank * 2)
            p.drawLine(v.at(x, 0, z), v.at(x + room.plank, 0, z));
    }

    fill(p, v.face({{-w, 0, kNear}, {-w, h, kNear}, {-w, h, d}, {-w, 0, d}}), room.sideWall);
    fill(p, v.face({{w, 0, kNear}, {w, h, kNear}, {w, h, d}, {w, 0, d}}),
         room.sideWall.darker(104));
    fillRect(p, v.front(-w, w, 0, h, d), room.backWall);

    // Skirting boards.
    const QColor skirting = room.backWall.darker(135);
    fill(p, v.face({{-w, 0, kNear}, {-w, 10, kNear}, {-w, 10, d}, {-w, 0, d}}), skirting);
    fill(p, v.face({{w, 0, kNear}, {w, 10, kNear}, {w, 10, d}, {w, 0, d}}), skirting);
    fillRect(p, v.front(-w, w, 0, 10, d), skirting);
}

void drawCeilingLight(QPainter &p, const View &v, double x, double z0, double z1, double height)
{
    drawBox(p, v, {x - 14, x + 14, height - 8, height, z0, z1}, QColor(0xf8, 0xf8, 0xf2));
    fill(p,
         v.face({{x - 10, height - 8, z0 + 4},
                 {x + 10, height - 8, z0 + 4},
                 {x + 10, height - 8, z1 - 4},
                 {x - 10, height - 8, z1 - 4}}),
         QColor(0xff, 0xff, 0xf0));
}

void drawSky(QPainter &p, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(0x6c, 0xb4, 0xe6));
    sky.setColorAt(1, QColor(0xd6, 0xee, 0xfb));
    p.fillRect(area, sky);
}

void drawCloud(QPainter &p, QPointF c, double s)
{
    QPainterPath cloud;
    cloud.addEllipse(c + QPointF(-0.55 * s, 0.05 * s), 0.45 * s, 0.32 * s);
    cloud.addEllipse(c + QPointF(-0.1 * s, -0.18 * s), 0.48 * s, 0.42 * s);
    cloud.addEllipse(c + QPointF(0.45 * s, -0.02 * s), 0.42 * s, 0.34 * s);
    cloud.addRoundedRect(QRectF(c.x() - 0.85 * s, c.y() - 0.05 * s, 1.7 * s, 0.32 * s), 0.15 * s,
                         0.15 * s);
    cloud.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdd, 0xe8, 0xf2));
    p.drawPath(cloud.simplified().translated(0, 0.06 * s));
    p.setBrush(Qt::white);
    p.drawPath(cloud.simplified());
}

void drawApartments(QPainter &p, const QRectF &r, const QColor &colour)
{
    fillRect(p, r, colour);
    fillRect(p, QRectF(r.left() - 2, r.top(), r.width() + 4, r.height() * 0.03),
             colour.darker(120));
    const int floors = qMax(2, static_cast<int>(r.height() / 22));
    const int bays = qMax(2, static_cast<int>(r.width() / 26));
    const double fh = r.height() / (floors + 0.5), bw = r.width() / bays;
    for (int f = 0; f < floors; ++f) {
        const double y = r.top() + fh * (0.6 + f);
        for (int b = 0; b < bays; ++b)
            p.fillRect(QRectF(r.left() + b * bw + bw * 0.2, y, bw * 0.6, fh * 0.5),
                       (b + f) % 5 == 2 ? QColor(0xf3, 0xe2, 0x9c) : QColor(0x8f, 0xa9, 0xbd));
        p.fillRect(QRectF(r.left(), y + fh * 0.5, r.width(), fh * 0.18), colour.lighter(112));
    }
}

void drawOutsideView(QPainter &p, const QRectF &g)
{
    p.save();
    p.setClipRect(g);
    drawSky(p, g);
    drawCloud(p, QPointF(g.left() + g.width() * 0.25, g.top() + g.height() * 0.22),
              g.width() * 0.12);
    drawCloud(p, QPointF(g.left() + g.width() * 0.78, g.top() + g.height() * 0.14),
              g.width() * 0.09);
    drawApartments(p,
                   QRectF(g.left() + g.width() * 0.05, g.top() + g.height() * 0.45,
                          g.width() * 0.45, g.height() * 0.6),
                   QColor(0xd8, 0xd2, 0xc6));
    drawApartments(p,
                   QRectF(g.left() + g.width() * 0.58, g.top() + g.height() * 0.55,
                          g.width() * 0.35, g.height() * 0.5),
                   QColor(0xc9, 0xcf, 0xd4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5f, 0x9e, 0x4e));
    for (int i = 0; i < 7; ++i)
        p.drawEllipse(QPointF(g.left() + g.width() * (0.07 + i * 0.15), g.bottom()),
                      g.width() * 0.09, g.height() * 0.1);
    p.restore();
}

void drawWindow(QPainter &p, const QRectF &o, int panes, bool curtains)
{
    drawOutsideView(p, o);
    // Reflections on the glass.
    p.save();
    p.setClipRect(o);
    p.setPen(QPen(QColor(255, 255, 255, 70), o.width() * 0.04));
    for (int i = 0; i < panes; ++i) {
        const double x = o.left() + o.width() * (i + 0.3) / panes;
        p.drawLine(QPointF(x, o.top() + o.height() * 0.6), QPointF(x + o.width() * 0.08, o.top()));
    }
    p.restore();

    const QColor frame(0xb8, 0xbe, 0xc4);
    const double t = qMax(3.0, o.width() * 0.018);
    p.setPen(QPen(frame.darker(kOutlineDarker), 1.0));
    p.setBrush(frame);
    QPainterPath sash;
    sash.setFillRule(Qt::OddEvenFill);
    sash.addRect(o.adjusted(-t, -t, t, t));
    sash.addRect(o);
    p.drawPath(sash);
    for (int i = 1; i < panes; ++i) {
        const double x = o.left() + o.width() * i / panes;
        fillRect(p, QRectF(x - t * 0.6, o.top(), t * 1.2, o.height()), frame);
    }
    fillRect(p, QRectF(o.left() - t * 2, o.bottom() + t, o.width() + t * 4, t * 1.5),
             QColor(0xe8, 0xe4, 0xdc));

    if (!curtains)
        return;
    const QColor cloth(0x9c, 0xc2, 0x8c);
    const double cw = o.width() * 0.14;
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? o.left() - t * 3 : o.right() + t * 3 - cw;
        const QRectF c(x, o.top() - t * 3, cw, o.height() + t * 8);
        QLinearGradient folds(c.topLeft(), c.topRight());
        for (int k = 0; k <= 6; ++k)
            folds.setColorAt(k / 6.0, k % 2 ? cloth.darker(112) : cloth.lighter(108));
        p.setPen(outlineFor(cloth));
        p.setBrush(folds);
        p.drawRect(c);
    }
    fillRect(p, QRectF(o.left() - t * 5, o.top() - t * 4, o.width() + t * 10, t * 1.3),
             QColor(0x8a, 0x7a, 0x6a));
}

void drawTable(QPainter &p, const View &v, const Box &top, const QColor &colour)
{
    const QColor leg = colour.darker(150);
    const double legW = 4;
    const std::array<double, 2> xs{top.x0 + 2, top.x1 - 2 - legW};
    // Far legs first, then near ones; the top covers their upper ends.
    for (double z : {top.z1 - 2 - legW, top.z0 + 2})
        for (double x : xs)
            drawBox(p, v, {x, x + legW, 0, top.y0, z, z + legW}, leg);
    drawBox(p, v, top, colour);
}

void drawChair(QPainter &p, const View &v, double x, double z, bool facingAway,
               const QColor &colour)
{
    const QColor frame(0x70, 0x74, 0x78);
    const double back = facingAway ? z : z + 38;
    auto backrest = [&] {
        for (double px : {x - 19, x + 16})
            drawBox(p, v, {px, px + 3, 44, 80, back, back + 3}, frame);
        drawBox(p, v, {x - 20, x + 20, 60, 82, back, back + 3}, colour);
    };
    if (!facingAway)
        backrest();
    for (double lz : {z + 37.0, z + 1.0})
        for (double lx : {x - 19, x + 16})
            drawBox(p, v, {lx, lx + 3, 0, 42, lz, lz + 2}, frame);
    drawBox(p, v, {x - 20, x + 20, 42, 46, z, z + 40}, colour);
    if (facingAway)
        backrest();
}

void drawScreen(QPainter &p, const QRectF &g, PcScreen screen)
{
    p.save();
    QPainterPath glass;
    glass.addRoundedRect(g, g.width() * 0.06, g.height() * 0.08);
    p.setClipPath(glass);
    switch (screen) {
    case PcScreen::BlueText:
        p.fillRect(g, QColor(0x1b, 0x2f, 0x8f));
        drawTextLines(p, g, QColor(0xd8, 0xdc, 0xf0), false);
        break;
    case PcScreen::GreenPrompt:
        p.fillRect(g, QColor(0x0a, 0x14, 0x0c));
        drawTextLines(p, g, QColor(0x4c, 0xe0, 0x6a), true);
        break;
    case PcScreen::Desktop:
        drawDesktop(p, g);
        break;
    case PcScreen::Game:
        drawGame(p, g);
        break;
    case PcScreen::Off:
        p.fillRect(g, QColor(0x3a, 0x40, 0x3e));
        break;
    }
    // The bulge of the tube catches the room's light.
    QRadialGradient glare(g.topLeft() + QPointF(g.width() * 0.3, g.height() * 0.25),
                          g.width() * 0.5);
    glare.setColorAt(0, QColor(255, 255, 255, 70));
    glare.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(g, glare);
    p.restore();
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
}

void drawPc(QPainter &p, const View &v, double x, double y, double z, const PcLook &look)
{
    const QColor body = look.body;
    const QColor dark = body.darker(170);
    const double caseTop = look.tower ? y + 4 : y + 14;
    const double mx = look.tower ? x - 12 : x; // the monitor makes room for the tower

    auto desktopCase = [&] {
        drawBox(p, v, {x - 23, x + 23, y, y + 14, z, z + 42}, body);
        const QRectF f = v.front(x - 23, x + 23, y, y + 14, z);
        const double u = f.width() / 46;
        for (int i = 0; i < 2; ++i)
            p.fillRect(QRectF(f.left() + u * 26, f.top() + u * (3 + i * 5), u * 15, u * 1.2), dark);
        for (int i = 0; i < 5; ++i)
            p.fillRect(QRectF(f.left() + u * (3 + i * 2), f.top() + u * 3, u * 0.8, u * 8),
                       body.darker(120));
        p.fillRect(QRectF(f.left() + u * 16, f.top() + u * 8, u * 3, u * 3), body.darker(130));
        p.fillRect(QRectF(f.left() + u * 20, f.top() + u * 9, u * 1.5, u * 1),
                   QColor(0x3c, 0xd0, 0x50));
    };
    auto towerCase = [&] {
        const double tx = x + 12;
        drawBox(p, v, {tx, tx + 20, y, y + 44, z + 4, z + 46}, body);
        const QRectF f = v.front(tx, tx + 20, y, y + 44, z + 4);
        const double u = f.width() / 20;
        for (int i = 0; i < 3; ++i)
            fillRect(p, QRectF(f.left() + u * 2, f.top() + u * (3 + i * 5), u * 16, u * 4),
                     body.darker(112));
        p.fillRect(QRectF(f.left() + u * 5, f.top() + u * 19, u * 10, u * 1), dark);
        fillEllipse(p, QRectF(f.left() + u * 8, f.top() + u * 30, u * 4, u * 4), body.darker(125));
        p.fillRect(QRectF(f.left() + u * 9.3, f.top() + u * 36, u * 1.5, u * 1),
                   QColor(0x3c, 0xd0, 0x50));
    };
    auto monitor = [&] {
        if (look.tower)
            drawBox(p, v, {mx - 10, mx + 10, y, caseTop, z + 10, z + 30}, body.darker(110));
        drawBox(p, v, {mx - 14, mx + 14, caseTop + 3, caseTop + 30, z + 10, z + 38},
                body.darker(104));
        drawBox(p, v, {mx - 18, mx + 18, caseTop, caseTop + 34, z + 2, z + 10}, body);
        const QRectF f = v.front(mx - 18, mx + 18, caseTop, caseTop + 34, z + 2);
        const double u = f.width() / 36;
        drawScreen(p, QRectF(f.left() + u * 3.5, f.top() + u * 3, u * 29, u * 23), look.screen);
        p.fillRect(QRectF(f.left() + u * 4, f.bottom() - u * 3.5, u * 8, u * 1.2),
                   body.darker(125));
        fillEllipse(p, QRectF(f.right() - u * 6, f.bottom() - u * 4.5, u * 2.5, u * 2.5),
                    body.darker(125));
    };

    if (!look.tower) {
        desktopCase();
        monitor();
    } else if (x + 22 > 0) {
        // Nearer the middle of the picture goes last: it may cover the other's side.
        towerCase();
        monitor();
    } else {
        monitor();
        towerCase();
    }

    // Keyboard with a grid of keys on its top, and the mouse beside it.
    const double kz0 = z - 24, kz1 = z - 8, ky = y + 3;
    drawBox(p, v, {x - 24, x + 22, y, ky, kz0, kz1}, body.lighter(104));
    p.setPen(QPen(body.darker(130), 0.8));
    for (int r = 1; r < 5; ++r) {
        const double kz = kz0 + (kz1 - kz0) * r / 5.5;
        p.drawLine(v.at(x - 22, ky, kz), v.at(x + 20, ky, kz));
    }
    for (int c = 0; c <= 14; ++c) {
        const double kx = x - 22 + 42.0 * c / 14;
        p.drawLine(v.at(kx, ky, kz0 + 1.5), v.at(kx, ky, kz1 - 2));
    }
    const QPointF mouse = v.at(x + 30, y + 2, z - 14);
    const double ms = v.scaleAt(z - 14);
    fillEllipse(p, QRectF(mouse.x() - ms * 3.5, mouse.y() - ms * 2.5, ms * 7, ms * 5),
                body.lighter(104));
}

void drawCylinder(QPainter &p, const View &v, Vec3 base, double radius, double height,
                  const QColor &colour, const QColor &inside)
{
    const double s = v.scaleAt(base.z);
    const double top = v.at(base.x, base.y + height, base.z).y();
    const double bottom = v.at(base.x, base.y, base.z).y();
    const double cx = v.at(base.x, base.y, base.z).x(), rx = radius * s;
    // The rim's height on the picture: how far its near and far edges drift apart.
    const double ryTop = std::abs(v.at(base.x, base.y + height, base.z - radius).y() -
                                  v.at(base.x, base.y + height, base.z + radius).y()) /
                         2;
    const double ryBottom = std::abs(v.at(base.x, base.y, base.z - radius).y() -
                                     v.at(base.x, base.y, base.z + radius).y()) /
                            2;
    QPainterPath body;
    body.addRect(QRectF(cx - rx, top, rx * 2, bottom - top));
    body.addEllipse(QPointF(cx, bottom), rx, ryBottom);
    body.setFillRule(Qt::WindingFill);
    QLinearGradient shade(QPointF(cx - rx, 0), QPointF(cx + rx, 0));
    shade.setColorAt(0, colour.darker(108));
    shade.setColorAt(0.35, colour.lighter(106));
    shade.setColorAt(1, colour.darker(125));
    p.setPen(outlineFor(colour));
    p.setBrush(shade);
    p.drawPath(body.simplified());
    if (base.y + height < v.eye) {
        fillEllipse(p, QRectF(cx - rx, top - ryTop, rx * 2, ryTop * 2), colour.lighter(104));
        fillEllipse(p, QRectF(cx - rx * 0.8, top - ryTop * 0.75, rx * 1.6, ryTop * 1.5), inside);
    }
}

void drawSparkle(QPainter &p, QPointF c, double s, const QColor &colour)
{
    const double k = s * 0.18;
    QPolygonF star{c + QPointF(0, -s), c + QPointF(k, -k), c + QPointF(s, 0),  c + QPointF(k, k),
                   c + QPointF(0, s),  c + QPointF(-k, k), c + QPointF(-s, 0), c + QPointF(-k, -k)};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(star);
}

} // namespace sample_photos
