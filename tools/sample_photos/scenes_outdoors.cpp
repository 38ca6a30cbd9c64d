// Outdoor scenes: the crow scarer hung from the balcony and the hut that has
// mostly fallen apart.

#include "paint_kit.h"
#include "scene_drawings.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace sample_photos {

namespace {

constexpr QRectF kPicture(0, 0, 640, 480);

void drawHills(QPainter &p, double baseY, const QColor &colour)
{
    QPainterPath hills(QPointF(0, baseY));
    hills.cubicTo(QPointF(90, baseY - 70), QPointF(170, baseY - 60), QPointF(250, baseY - 20));
    hills.cubicTo(QPointF(330, baseY - 80), QPointF(450, baseY - 90), QPointF(520, baseY - 30));
    hills.cubicTo(QPointF(570, baseY - 50), QPointF(620, baseY - 40), QPointF(640, baseY - 20));
    hills.lineTo(640, baseY + 10);
    hills.lineTo(0, baseY + 10);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(hills);
}

void drawRiceFields(QPainter &p, double top)
{
    const QPointF vanish(320, top - 20);
    const QRectF field(0, top, 640, 480 - top);
    QLinearGradient green(field.topLeft(), field.bottomLeft());
    green.setColorAt(0, QColor(0x9c, 0xcc, 0x6a));
    green.setColorAt(1, QColor(0x6c, 0xac, 0x4a));
    p.fillRect(field, green);
    // Rows of rice plants running away from the viewer.
    p.save();
    p.setClipRect(field);
    p.setPen(QPen(QColor(0x5a, 0x94, 0x3c), 2));
    for (int i = -12; i <= 12; ++i)
        p.drawLine(vanish, QPointF(320 + i * 70, 520));
    // Paths between the paddies.
    p.setPen(QPen(QColor(0xc8, 0xb8, 0x84), 4));
    for (const double y : {top + 18, top + 52, top + 120})
        p.drawLine(QPointF(0, y), QPointF(640, y));
    p.restore();
}

/// A far-off farmhouse: a wall and a dark tiled roof.
void drawFarmhouse(QPainter &p, QPointF base, double size)
{
    fillRect(p, QRectF(base.x() - size, base.y() - size * 0.9, size * 2, size * 0.9),
             QColor(0xee, 0xe8, 0xdc));
    fill(p,
         QPolygonF{
             base + QPointF(-size * 1.25, -size * 0.85), base + QPointF(-size * 0.7, -size * 1.5),
             base + QPointF(size * 0.7, -size * 1.5), base + QPointF(size * 1.25, -size * 0.85)},
         QColor(0x4a, 0x52, 0x62));
}

void drawBalconyRail(QPainter &p, double top)
{
    const QColor metal(0xa8, 0xae, 0xb4);
    for (double x = 12; x < 640; x += 40)
        fillRect(p, QRectF(x, top + 10, 7, 480 - top), metal.darker(108));
    QLinearGradient rail(QPointF(0, top), QPointF(0, top + 14));
    rail.setColorAt(0, metal.lighter(125));
    rail.setColorAt(1, metal.darker(115));
    p.setPen(QPen(metal.darker(140), 1));
    p.setBrush(rail);
    p.drawRect(QRectF(-2, top, 644, 14));
}

void drawBambooPole(QPainter &p, QPointF from, QPointF to)
{
    const QColor bamboo(0xb4, 0xbe, 0x5a);
    p.setPen(QPen(bamboo.darker(150), 15, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    p.setPen(QPen(bamboo, 12, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    p.setPen(QPen(bamboo.lighter(125), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from + QPointF(0, -3), to + QPointF(0, -3));
    // Joints along the stem.
    p.setPen(QPen(bamboo.darker(135), 3));
    for (int i = 1; i < 5; ++i) {
        const QPointF c = from + (to - from) * (i / 5.0);
        p.drawLine(c + QPointF(0, -6), c + QPointF(1, 6));
    }
}

/// A compact disc turned a little on its string: a shiny rainbow disc with a hole.
void drawDisc(QPainter &p, QPointF c, double rx, double ry)
{
    QPainterPath disc;
    disc.addEllipse(c, rx, ry);
    disc.addEllipse(c, rx * 0.11, ry * 0.11);
    disc.setFillRule(Qt::OddEvenFill);
    QRadialGradient silver(c - QPointF(rx * 0.3, ry * 0.3), rx * 1.3);
    silver.setColorAt(0, QColor(0xfa, 0xfc, 0xff));
    silver.setColorAt(1, QColor(0xa8, 0xb2, 0xbe));
    p.setPen(QPen(QColor(0x80, 0x88, 0x94), 1.5));
    p.setBrush(silver);
    p.drawPath(disc);
    QConicalGradient rainbow(c, 30);
    constexpr std::array<QRgb, 7> kSpectrum{0xff6060, 0xffd040, 0x70e070, 0x50d0ff,
                                            0x7070ff, 0xff70d0, 0xff6060};
    for (std::size_t i = 0; i < kSpectrum.size(); ++i) {
        QColor colour(kSpectrum[i]);
        colour.setAlpha(120);
        rainbow.setColorAt(static_cast<double>(i) / (kSpectrum.size() - 1), colour);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(rainbow);
    p.drawPath(disc);
    // The clear plastic ring round the hole.
    QPainterPath ring;
    ring.addEllipse(c, rx * 0.3, ry * 0.3);
    ring.addEllipse(c, rx * 0.11, ry * 0.11);
    ring.setFillRule(Qt::OddEvenFill);
    p.setBrush(QColor(0xe6, 0xee, 0xf4, 200));
    p.setPen(QPen(QColor(0x90, 0x98, 0xa4), 1));
    p.drawPath(ring);
}

void drawCrow(QPainter &p, QPointF at, double s)
{
    const QColor black(0x1e, 0x1f, 0x28);
    const QColor sheen(0x3c, 0x44, 0x62);
    p.save();
    p.translate(at);
    p.scale(s, s);
    // Local units: the crow stands on y = 0, facing left, about 100 long.
    p.setPen(QPen(QColor(0x3a, 0x3a, 0x40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-6, -22), QPointF(-10, 0));
    p.drawLine(QPointF(10, -22), QPointF(8, 0));
    for (const double x : {-10.0, 8.0}) {
        p.drawLine(QPointF(x, 0), QPointF(x - 7, 2));
        p.drawLine(QPointF(x, 0), QPointF(x + 5, 2));
    }
    fill(p, QPolygonF{{28, -38}, {66, -8}, {70, -18}, {36, -48}}, black);
    p.save();
    p.translate(2, -40);
    p.rotate(-18);
    fillEllipse(p, QRectF(-36, -21, 72, 42), black);
    fillEllipse(p, QRectF(-18, -14, 48, 28), sheen);
    p.setPen(QPen(black, 1.5));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(4 + i * 8, -6), QPointF(22 + i * 6, 8));
    p.restore();
    fillEllipse(p, QRectF(-46, -82, 38, 36), black);
    fill(p, QPolygonF{{-40, -70}, {-74, -62}, {-42, -56}}, QColor(0x34, 0x36, 0x3e));
    // Wide eyes and a drop of sweat: it has seen the disc.
    fillEllipse(p, QRectF(-36, -76, 13, 13), Qt::white);
    fillEllipse(p, QRectF(-33, -72, 5, 5), Qt::black);
    QPainterPath drop(QPointF(-2, -96));
    drop.cubicTo(QPointF(-10, -84), QPointF(-6, -76), QPointF(-2, -76));
    drop.cubicTo(QPointF(2, -76), QPointF(6, -84), QPointF(-2, -96));
    p.setPen(QPen(QColor(0x4a, 0x90, 0xc8), 1.5));
    p.setBrush(QColor(0xb8, 0xe0, 0xfa));
    p.drawPath(drop);
    // Trembling.
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.drawArc(QRectF(38 + i * 9, -78 + i * 4, 18, 34), -60 * 16, 120 * 16);
        p.drawArc(QRectF(-72 - i * 9, -46 + i * 4, 18, 34), 120 * 16, 120 * 16);
    }
    p.restore();
}

/// Birds far away, two strokes each.
void drawFarBird(QPainter &p, QPointF c, double s)
{
    p.setPen(QPen(QColor(0x22, 0x22, 0x2a), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath wings(c + QPointF(-s, -s * 0.3));
    wings.quadTo(c + QPointF(-s * 0.5, -s * 0.7), c);
    wings.quadTo(c + QPointF(s * 0.5, -s * 0.7), c + QPointF(s, -s * 0.3));
    p.drawPath(wings);
}

void drawGrassTuft(QPainter &p, QPointF base, double h)
{
    p.setPen(QPen(QColor(0x4c, 0x8a, 0x36), qMax(1.2, h * 0.08), Qt::SolidLine, Qt::RoundCap));
    for (int i = -3; i <= 3; ++i)
        p.drawLine(base + QPointF(i * h * 0.08, 0),
                   base + QPointF(i * h * 0.22, -h * (1 - std::abs(i) * 0.15)));
}

void drawPine(QPainter &p)
{
    const QColor bark(0x6a, 0x4a, 0x34);
    QPainterPath trunk(QPointF(60, 490));
    trunk.cubicTo(QPointF(120, 380), QPointF(40, 260), QPointF(130, 140));
    trunk.lineTo(QPointF(150, 150));
    trunk.cubicTo(QPointF(80, 270), QPointF(160, 380), QPointF(110, 490));
    trunk.closeSubpath();
    p.setPen(QPen(bark.darker(140), 1.5));
    p.setBrush(bark);
    p.drawPath(trunk);
    p.setPen(QPen(bark, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(98, 300), QPointF(190, 250));
    p.drawLine(QPointF(84, 220), QPointF(20, 190));
    // Pine foliage in flat, layered pads.
    const QColor needle(0x3a, 0x6c, 0x3a);
    const std::array<QRectF, 5> pads{QRectF(100, 96, 110, 50), QRectF(150, 218, 110, 44),
                                     QRectF(-30, 158, 110, 46), QRectF(60, 60, 80, 38),
                                     QRectF(40, 130, 90, 36)};
    for (const QRectF &pad : pads) {
        QPainterPath cloud;
        for (int i = 0; i < 4; ++i)
            cloud.addEllipse(QRectF(pad.left() + pad.width() * i * 0.2,
                                    pad.top() + (i % 2) * pad.height() * 0.15, pad.width() * 0.4,
                                    pad.height() * 0.8));
        cloud.setFillRule(Qt::WindingFill);
        const QPainterPath shape = cloud.simplified();
        p.setPen(QPen(needle.darker(140), 1.5));
        p.setBrush(needle);
        p.drawPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(needle.lighter(125));
        QPainterPath upper;
        upper.addRect(
            QRectF(pad.left() - 10, pad.top() - 10, pad.width() + 30, pad.height() * 0.45 + 10));
        p.drawPath(shape.intersected(upper));
    }
}

} // namespace

void drawCrowScarer(QPainter &p)
{
    drawSky(p, kPicture);
    drawCloud(p, QPointF(130, 110), 70);
    drawCloud(p, QPointF(540, 150), 50);
    drawHills(p, 300, QColor(0x7c, 0xa8, 0x8c));
    drawRiceFields(p, 298);
    drawFarmhouse(p, QPointF(80, 314), 16);
    drawFarmhouse(p, QPointF(560, 318), 20);
    drawFarBird(p, QPointF(470, 80), 9);
    drawFarBird(p, QPointF(500, 98), 7);
    drawBalconyRail(p, 372);

    const QPointF disc(290, 240);
    drawBambooPole(p, QPointF(-10, 44), QPointF(470, 70));
    drawDisc(p, disc, 62, 72);
    p.setPen(QPen(QColor(0x50, 0x48, 0x40), 1.5));
    p.drawLine(QPointF(disc.x(), 60), disc - QPointF(0, 72 * 0.11));
    p.drawLine(disc - QPointF(2, 72 * 0.11), disc + QPointF(-1, 72 * 0.11));
    for (const QPointF &glint :
         {QPointF(250, 200), QPointF(352, 196), QPointF(226, 300), QPointF(330, 320)})
        drawSparkle(p, glint, 10, QColor(255, 255, 255, 230));
    p.setPen(QPen(QColor(255, 255, 240, 150), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const double a = (-30 + i * 18) * std::numbers::pi / 180;
        p.drawLine(disc + QPointF(std::cos(a) * 84, std::sin(a) * 84),
                   disc + QPointF(std::cos(a) * 112, std::sin(a) * 112));
    }
    drawCrow(p, QPointF(528, 372), 0.95);
}

void drawRuinedHut(QPainter &p)
{
    // The hut stands left of the line of sight, so its side and depth show.
    const View v{420, 250, 160, 300};
    drawSky(p, QRectF(0, 0, 640, v.horizon));
    drawCloud(p, QPointF(400, 70), 60);
    drawCloud(p, QPointF(600, 120), 36);
    drawHills(p, v.horizon, QColor(0x86, 0xae, 0x9a));
    QLinearGradient grass(QPointF(0, v.horizon), QPointF(0, 480));
    grass.setColorAt(0, QColor(0x9c, 0xc4, 0x6c));
    grass.setColorAt(1, QColor(0x6e, 0xa0, 0x48));
    p.fillRect(QRectF(0, v.horizon, 640, 480 - v.horizon), grass);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        p.setBrush(i % 2 ? QColor(0x4e, 0x80, 0x4a) : QColor(0x5a, 0x8e, 0x50));
        p.drawEllipse(QPointF(180 + i * 58, v.horizon - 4), 34, 22);
    }

    const QColor timber(0x8e, 0x6a, 0x48);
    const QColor old = timber.darker(115);
    // The hut's footprint, the height of its posts and of its ridge, cm.
    constexpr double L = -260, R = -60, F = 250, B = 400, H = 190, Ridge = 255;
    constexpr double M = (L + R) / 2;
    drawFloorShadow(p, v, L, R, F, B);
    // Far side first: sills, the back wall's frame and its gable.
    drawStick(p, v, {L, 4, B}, {R, 4, B}, 10, old);
    drawStick(p, v, {L, 4, F}, {L, 4, B}, 10, old);
    drawStick(p, v, {R, 4, F}, {R, 4, B}, 10, old);
    drawStick(p, v, {L, 0, B}, {L, H, B}, 11, timber);
    drawStick(p, v, {R, 0, B}, {R, H, B}, 11, timber);
    drawStick(p, v, {L - 6, H, B}, {R + 6, H, B}, 9, timber);
    drawStick(p, v, {L - 10, H - 6, B}, {M, Ridge, B}, 9, timber);
    drawStick(p, v, {R + 10, H - 6, B}, {M, Ridge, B}, 9, timber);
    // A few roof boards still cling to the back of the left slope.
    fill(p,
         v.face({{L - 6, H + 2, B + 2},
                 {M, Ridge + 4, B + 2},
                 {M, Ridge + 4, B - 60},
                 {L - 6, H + 2, B - 60}}),
         QColor(0x6e, 0x52, 0x3a));
    p.setPen(QPen(QColor(0x50, 0x3a, 0x28), 1.2));
    for (int i = 1; i < 4; ++i) {
        const double z = B + 2 - i * 15.5;
        p.drawLine(v.at(L - 6, H + 2, z), v.at(M, Ridge + 4, z));
    }
    drawStick(p, v, {M, Ridge, B}, {M, Ridge, F}, 9, timber);
    drawStick(p, v, {L, H, B}, {L, H, F}, 9, timber);
    // The right-hand top beam broke off its front post and swung to the ground.
    drawStick(p, v, {R, H, B}, {R + 30, 0, F + 40}, 9, old);

    // Front: the left post still stands, the right one is a stump.
    drawStick(p, v, {L, 0, F}, {L, H, F}, 12, timber);
    drawStick(p, v, {R, 0, F}, {R, 95, F}, 12, timber);
    const QPointF stub = v.at(R, 95, F);
    const double w = 12 * v.scaleAt(F) / 2;
    fill(p,
         QPolygonF{stub + QPointF(-w, 0), stub + QPointF(-w * 0.2, -w * 2.4),
                   stub + QPointF(w * 0.3, -w * 0.6), stub + QPointF(w, -w * 1.8),
                   stub + QPointF(w, 0)},
         timber.lighter(115));
    drawStick(p, v, {L - 8, H, F}, {M + 10, H - 4, F}, 10, timber);
    drawStick(p, v, {M + 10, H - 4, F}, {M + 60, 20, F - 30}, 10, old);
    drawStick(p, v, {L - 12, H - 6, F}, {M, Ridge, F}, 10, timber);
    // A rusty corrugated sheet propped against the stump.
    const Vec3 sheet[] = {
        {R - 70, 0, F - 32}, {R + 5, 0, F - 24}, {R + 2, 72, F - 4}, {R - 72, 66, F - 10}};
    fill(p, v.face({sheet[0], sheet[1], sheet[2], sheet[3]}), QColor(0xa8, 0x66, 0x3c));
    p.setPen(QPen(QColor(0x7c, 0x44, 0x26), 1.5));
    for (int i = 1; i < 7; ++i) {
        const double t = i / 7.0;
        const auto mix = [t](Vec3 a, Vec3 b) {
            return Vec3{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
        };
        p.drawLine(v.at(mix(sheet[0], sheet[1])), v.at(mix(sheet[3], sheet[2])));
    }

    // The missing rafter and planks lying where they fell, weeds growing through.
    drawStick(p, v, {L + 10, 2, F - 60}, {L + 150, 2, F - 40}, 12, old.lighter(110));
    drawStick(p, v, {L - 60, 2, F - 20}, {L + 10, 2, F - 90}, 11, old);
    drawStick(p, v, {R + 40, 2, F - 80}, {R + 150, 2, F - 50}, 12, old.lighter(105));
    for (const Vec3 &at :
         {Vec3{L, 0, F}, Vec3{R + 10, 0, F - 30}, Vec3{R, 0, B}, Vec3{M, 0, F - 70},
          Vec3{R + 120, 0, F + 60}, Vec3{L - 80, 0, F - 40}, Vec3{L, 0, B}})
        drawGrassTuft(p, v.at(at), 50 * v.scaleAt(at.z));
    p.save();
    p.translate(640, 0);
    p.scale(-1, 1); // the pine stands on the right here
    drawPine(p);
    p.restore();
}

} // namespace sample_photos
