// Scenes inside the club room: the room towards its door and towards its
// window, the telescope, the television corner and the altar.

#include "paint_kit.h"
#include "scene_drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace sample_photos {

namespace {

constexpr std::array<QRgb, 7> kBookColours{0xc0504d, 0x4f81bd, 0x9bbb59, 0xf2c14e,
                                           0x8064a2, 0x4bacc6, 0xe46c0a};

constexpr View kRoomView{320, 215, 140, 330};
constexpr RoomStyle kClubRoom{};

void drawRoomShell(QPainter &p, const View &v, const RoomStyle &room)
{
    drawRoom(p, v, room);
    drawCeilingLight(p, v, -110, 140, 260, room.height);
    drawCeilingLight(p, v, 110, 140, 260, room.height);
    drawCeilingLight(p, v, -110, 300, 420, room.height);
    drawCeilingLight(p, v, 110, 300, 420, room.height);
}

/// A bookcase against the right-hand wall; its shelves face into the room.
void drawBookcase(QPainter &p, const View &v, double z0, double z1)
{
    const double x = kClubRoom.halfWidth - 40;
    const QColor wood(0x9c, 0x6b, 0x3f);
    drawBox(p, v, {x, kClubRoom.halfWidth, 0, 180, z0, z1}, wood);
    for (int shelf = 0; shelf < 4; ++shelf) {
        const double y = 8 + shelf * 43.0;
        int k = shelf * 3;
        for (double z = z0 + 4; z < z1 - 8; z += 7 + (k % 3) * 2) {
            const double w = 5 + (k % 3) * 2, h = 30 + (k % 4) * 2;
            fill(p, v.face({{x, y, z}, {x, y + h, z}, {x, y + h, z + w}, {x, y, z + w}}),
                 QColor(kBookColours[static_cast<std::size_t>(k) % kBookColours.size()]));
            ++k;
        }
        fill(p, v.face({{x, y - 3, z0}, {x, y, z0}, {x, y, z1}, {x, y - 3, z1}}), wood.darker(115));
    }
}

/// A whiteboard hanging on the left-hand wall.
void drawWhiteboard(QPainter &p, const View &v, double z0, double z1)
{
    const double x = -kClubRoom.halfWidth + 1;
    fill(p, v.face({{x, 90, z0}, {x, 200, z0}, {x, 200, z1}, {x, 90, z1}}),
         QColor(0xa0, 0xa4, 0xa8));
    fill(p, v.face({{x, 94, z0 + 4}, {x, 196, z0 + 4}, {x, 196, z1 - 4}, {x, 94, z1 - 4}}),
         QColor(0xfb, 0xfb, 0xf8));
    p.setPen(QPen(QColor(0x3a, 0x6e, 0xc8), 2));
    for (int i = 0; i < 3; ++i) {
        const double y = 175 - i * 22.0;
        p.drawLine(v.at(x, y, z0 + 20), v.at(x, y, z0 + 60 + i * 25.0));
    }
    p.setPen(QPen(QColor(0xd0, 0x40, 0x40), 2));
    p.drawEllipse(QRectF(v.at(x, 150, z1 - 70), v.at(x, 115, z1 - 30)).normalized());
}

void drawWallClock(QPainter &p, QPointF c, double r)
{
    fillEllipse(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QColor(0x5a, 0x5a, 0x60));
    fillEllipse(p, QRectF(c.x() - r * 0.82, c.y() - r * 0.82, 1.64 * r, 1.64 * r), Qt::white);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), qMax(1.0, r * 0.12), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(r * 0.35, -r * 0.35));
    p.drawLine(c, c + QPointF(0, -r * 0.65));
}

/// Papers and a mug on a table top at height y.
void drawDeskClutter(QPainter &p, const View &v, double x, double y, double z)
{
    fill(p, v.face({{x, y, z}, {x + 30, y, z + 2}, {x + 28, y, z + 40}, {x - 2, y, z + 38}}),
         QColor(0xfa, 0xfa, 0xf6));
    fill(p,
         v.face({{x + 8, y, z + 6}, {x + 38, y, z + 4}, {x + 40, y, z + 42}, {x + 10, y, z + 44}}),
         QColor(0xf4, 0xf0, 0xe4));
    drawCylinder(p, v, {x + 60, y, z + 20}, 4.5, 10, QColor(0xd9, 0x5b, 0x43),
                 QColor(0x5a, 0x3a, 0x28));
}

/// The club's long table with chairs around it.
void drawMeetingTable(QPainter &p, const View &v, double x0, double x1, double z0, double z1)
{
    const QColor seat(0x4f, 0x7f, 0xb8);
    for (double x = x0 + 40; x < x1 - 20; x += 70)
        drawChair(p, v, x, z1 + 6, false, seat);
    drawFloorShadow(p, v, x0, x1, z0, z1);
    drawTable(p, v, {x0, x1, 68, 72, z0, z1}, QColor(0xdc, 0xcb, 0xa4));
    drawDeskClutter(p, v, x0 + 30, 72, z0 + 20);
    for (double x = x0 + 40; x < x1 - 20; x += 70)
        drawChair(p, v, x, z0 - 40, true, seat);
}

void drawExitSign(QPainter &p, const QRectF &r)
{
    fillRect(p, r, QColor(0x1e, 0x9e, 0x5a));
    const double u = r.height() / 10;
    // A running figure heading for a doorway.
    p.fillRect(QRectF(r.right() - u * 5, r.top() + u * 1.5, u * 3.5, u * 7), Qt::white);
    p.fillRect(QRectF(r.right() - u * 4.3, r.top() + u * 2.3, u * 2.1, u * 6.2),
               QColor(0x1e, 0x9e, 0x5a));
    p.setPen(QPen(Qt::white, u * 1.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF hip(r.left() + u * 6, r.top() + u * 6);
    p.drawLine(hip, hip + QPointF(u * 1.8, -u * 3));
    p.drawLine(hip, hip + QPointF(-u * 1.6, u * 2.6));
    p.drawLine(hip, hip + QPointF(u * 2.0, u * 2.5));
    p.drawLine(hip + QPointF(u * 1.4, -u * 2.3), hip + QPointF(u * 3.6, -u * 1.2));
    p.drawLine(hip + QPointF(u * 1.4, -u * 2.3), hip + QPointF(-u * 1.0, -u * 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(hip + QPointF(u * 2.6, -u * 4.1), u * 0.9, u * 0.9);
}

void drawDoor(QPainter &p, const View &v, double z)
{
    const QColor frame(0x8c, 0x92, 0x98);
    const QColor leaf(0xb7, 0x84, 0x52);
    fillRect(p, v.front(-58, 58, 0, 214, z), frame);
    const QRectF door = v.front(-50, 50, 0, 206, z);
    fillRect(p, door, leaf);
    const double u = door.width() / 100;
    fillRect(p, QRectF(door.left() + u * 14, door.top() + u * 100, u * 72, u * 80),
             leaf.darker(108));
    fillRect(p, QRectF(door.left() + u * 14, door.top() + u * 120, u * 72, u * 60),
             leaf.lighter(104));
    const QRectF glass(door.left() + u * 22, door.top() + u * 18, u * 56, u * 60);
    fillRect(p, glass, QColor(0xbf, 0xdc, 0xec));
    p.setPen(QPen(QColor(255, 255, 255, 150), u * 5));
    p.drawLine(glass.bottomLeft() + QPointF(u * 10, -u * 5),
               glass.topLeft() + QPointF(u * 30, u * 5));
    fillRect(p, QRectF(door.right() - u * 26, door.top() + u * 104, u * 18, u * 5),
             QColor(0xd8, 0xd8, 0xdc));
    fillEllipse(p, QRectF(door.right() - u * 12, door.top() + u * 102, u * 8, u * 8),
                QColor(0xd8, 0xd8, 0xdc));
    drawExitSign(p, v.front(-26, 26, 222, 246, z));
}

// The telescope, drawn flat in its own frame: x runs along the tube towards the
// objective, y across it.
void drawTelescopeTube(QPainter &p, QPointF mount, double angle)
{
    p.save();
    p.translate(mount);
    p.rotate(angle);
    QLinearGradient round(QPointF(0, -22), QPointF(0, 22));
    round.setColorAt(0, QColor(0xc8, 0xcc, 0xd2));
    round.setColorAt(0.7, QColor(0xfb, 0xfb, 0xf8));
    round.setColorAt(1, QColor(0xd4, 0xd6, 0xda));
    p.setPen(QPen(QColor(0x80, 0x84, 0x8a), 1));
    p.setBrush(round);
    p.drawRoundedRect(QRectF(-110, -21, 260, 42), 4, 4);
    const QColor navy(0x2b, 0x3a, 0x66);
    fillRect(p, QRectF(150, -25, 62, 50), navy);
    fillRect(p, QRectF(-20, -23, 26, 46), QColor(0x5a, 0x60, 0x6a));
    fillRect(p, QRectF(70, -22, 8, 44), navy);
    fillEllipse(p, QRectF(206, -24, 10, 48), QColor(0x6a, 0x8c, 0xb8));
    // Focuser and eyepiece at the back end.
    fillRect(p, QRectF(-140, -11, 32, 22), QColor(0x44, 0x48, 0x50));
    fillRect(p, QRectF(-162, -8, 24, 16), QColor(0x22, 0x22, 0x26));
    // The small finder rides on top of the tube, which is the +y side here.
    fillRect(p, QRectF(-10, 22, 8, 8), QColor(0x44, 0x48, 0x50));
    fillRect(p, QRectF(34, 22, 8, 8), QColor(0x44, 0x48, 0x50));
    fillRect(p, QRectF(-24, 28, 80, 13), QColor(0xee, 0xee, 0xea));
    fillRect(p, QRectF(56, 26, 10, 17), navy);
    p.restore();
}

} // namespace

void drawRoomDoor(QPainter &p)
{
    const View &v = kRoomView;
    drawRoomShell(p, v, kClubRoom);
    drawDoor(p, v, kClubRoom.depth);
    const double s = v.scaleAt(kClubRoom.depth);
    drawWallClock(p, v.at(170, 190, kClubRoom.depth), 16 * s);
    drawWhiteboard(p, v, 220, 420);
    drawBookcase(p, v, 250, 420);
    drawMeetingTable(p, v, -200, 20, 230, 320);
}

void drawRoomWindow(QPainter &p)
{
    const View &v = kRoomView;
    drawRoomShell(p, v, kClubRoom);
    drawWindow(p, v.front(-190, 190, 80, 215, kClubRoom.depth), 4, true);
    // A potted plant in the corner under the window.
    const Vec3 pot{200, 0, 400};
    drawCylinder(p, v, pot, 18, 34, QColor(0xc0, 0x6a, 0x3c), QColor(0x5a, 0x40, 0x2c));
    const QPointF top = v.at(pot.x, 34, pot.z);
    const double s = v.scaleAt(pot.z);
    p.setPen(QPen(QColor(0x2f, 0x6b, 0x2f), 1));
    p.setBrush(QColor(0x4f, 0x9a, 0x45));
    for (int i = 0; i < 7; ++i) {
        const double dx = (i - 3) * 9 * s, lift = (60 - std::abs(i - 3) * 12) * s;
        p.drawEllipse(top + QPointF(dx, -lift), 8 * s, 18 * s);
    }
    drawWhiteboard(p, v, 200, 400);
    drawMeetingTable(p, v, -90, 150, 230, 320);
}

void drawTelescope(QPainter &p)
{
    const View v{320, 200, 150, 400};
    const RoomStyle room{230,
                         250,
                         270,
                         QColor(0xee, 0xe6, 0xd6),
                         QColor(0xe2, 0xd8, 0xc4),
                         QColor(0xf6, 0xf3, 0xec),
                         QColor(0xb8, 0x8a, 0x5c),
                         40};
    drawRoom(p, v, room);
    drawWindow(p, v.front(-150, 150, 80, 225, room.depth), 2, true);

    // Tripod: three legs from the head to the floor, a tray between them.
    const QPointF head(352, 292);
    const QColor leg(0x9a, 0xa0, 0xa8);
    const QPointF feet[] = {{250, 452}, {372, 470}, {468, 444}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    for (const QPointF &foot : feet)
        p.drawEllipse(foot + QPointF(0, 3), 16, 5);
    for (const QPointF &foot : feet) {
        p.setPen(QPen(leg.darker(140), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(head, foot);
        p.setPen(QPen(leg, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(head, foot);
    }
    fill(p, QPolygonF{{316, 388}, {388, 392}, {404, 378}, {330, 376}}, QColor(0x60, 0x64, 0x6c));
    fillRect(p, QRectF(head.x() - 18, head.y() - 16, 36, 26), QColor(0x3c, 0x40, 0x48));
    drawTelescopeTube(p, QPointF(head.x(), head.y() - 26), 207);
}

void drawTelevision(QPainter &p)
{
    const View v{320, 215, 120, 340};
    const RoomStyle room{300,
                         250,
                         400,
                         QColor(0xf1, 0xe4, 0xd0),
                         QColor(0xe6, 0xd6, 0xbc),
                         QColor(0xf6, 0xf3, 0xec),
                         QColor(0xa8, 0x7a, 0x52),
                         45};
    drawRoom(p, v, room);
    drawCeilingLight(p, v, 0, 160, 300, room.height);

    // A rug, then the sofa against the back wall on the left.
    fill(p, v.face({{-280, 0.5, 210}, {-20, 0.5, 210}, {-20, 0.5, 385}, {-280, 0.5, 385}}),
         QColor(0xd9, 0xb9, 0x7a));
    const QColor sofa(0xb4, 0x4a, 0x3e);
    drawBox(p, v, {-250, -50, 40, 100, 372, 396}, sofa.darker(105));
    drawBox(p, v, {-250, -50, 0, 40, 318, 396}, sofa.darker(112));
    drawBox(p, v, {-222, -152, 40, 52, 320, 372}, sofa);
    drawBox(p, v, {-148, -78, 40, 52, 320, 372}, sofa);
    drawBox(p, v, {-256, -222, 0, 66, 316, 396}, sofa.darker(108));
    drawBox(p, v, {-78, -44, 0, 66, 316, 396}, sofa.darker(108));

    // A framed picture over the sofa.
    const QRectF frame = v.front(-200, -100, 130, 195, room.depth);
    fillRect(p, frame, QColor(0x8a, 0x60, 0x38));
    const QRectF art = frame.adjusted(4, 4, -4, -4);
    drawSky(p, art);
    fill(p, QPolygonF{art.bottomLeft(), art.center() + QPointF(-6, 0), art.bottomRight()},
         QColor(0x6c, 0x9c, 0x5a));

    // The television glows; the halo goes behind its cabinet.
    const QRectF tvFront = v.front(40, 260, 50, 180, 335);
    QRadialGradient halo(tvFront.center(), tvFront.width() * 0.8);
    halo.setColorAt(0, QColor(255, 250, 210, 190));
    halo.setColorAt(0.55, QColor(255, 245, 200, 80));
    halo.setColorAt(1, QColor(255, 245, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(tvFront.center(), tvFront.width() * 0.8, tvFront.width() * 0.55);
    drawBox(p, v, {20, 280, 0, 45, 320, 395}, QColor(0x6e, 0x4a, 0x30));
    drawBox(p, v, {40, 260, 45, 180, 335, 385}, QColor(0x34, 0x36, 0x3c));
    const double u = tvFront.width() / 220;
    const QRectF screen(tvFront.left() + u * 8, tvFront.top() + u * 8, u * 204, u * 114.75);
    drawSky(p, screen);
    p.save();
    p.setClipRect(screen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x4a));
    p.drawEllipse(screen.topLeft() + QPointF(u * 160, u * 30), u * 14, u * 14);
    fill(p,
         QPolygonF{screen.bottomLeft(), screen.bottomLeft() + QPointF(u * 70, -u * 70),
                   screen.bottomLeft() + QPointF(u * 140, 0)},
         QColor(0x6a, 0x8f, 0xc0));
    fill(p,
         QPolygonF{screen.bottomLeft() + QPointF(u * 90, 0),
                   screen.bottomLeft() + QPointF(u * 150, -u * 50), screen.bottomRight()},
         QColor(0x5c, 0x9a, 0x58));
    p.restore();
    p.fillRect(QRectF(tvFront.left() + u * 20, tvFront.bottom() - u * 8, u * 180, u * 3),
               QColor(0x50, 0x52, 0x58));
    p.setPen(QPen(QColor(0xff, 0xe8, 0x80), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 14; ++i) {
        const double a = (i * 360.0 / 14 + 8) * std::numbers::pi / 180;
        const QPointF dir(std::cos(a), std::sin(a) * 0.7);
        const QPointF from = tvFront.center() + dir * tvFront.width() * 0.62;
        p.drawLine(from, from + dir * tvFront.width() * 0.12);
    }
    for (const QPointF &c :
         {screen.topRight() + QPointF(-u * 6, u * 4), screen.topLeft() + QPointF(-u * 12, -u * 10),
          screen.bottomRight() + QPointF(u * 14, -u * 20)})
        drawSparkle(p, c, u * 9, QColor(255, 255, 230));

    // The low table in front of the sofa, cups and the flask that is never full.
    drawFloorShadow(p, v, -215, -85, 232, 290);
    drawTable(p, v, {-215, -85, 36, 40, 232, 290}, QColor(0x8a, 0x5a, 0x36));
    const QColor cup(0xfa, 0xfa, 0xf4);
    for (const double x : {-195.0, -168.0, -112.0}) {
        const QPointF saucer = v.at(x, 40, 250);
        const double s = v.scaleAt(250);
        fillEllipse(p, QRectF(saucer.x() - 8 * s, saucer.y() - 2.5 * s, 16 * s, 5 * s),
                    cup.darker(104));
        drawCylinder(p, v, {x, 40, 250}, 5, 8, cup, QColor(0xe4, 0xe2, 0xdc));
    }
    const Vec3 flask{-140, 40, 270};
    drawCylinder(p, v, flask, 9, 24, QColor(0xf0, 0xe8, 0xd4), QColor(0xe0, 0xd8, 0xc4));
    drawCylinder(p, v, {flask.x, flask.y + 24, flask.z}, 9.5, 5, QColor(0x5a, 0x5c, 0x64),
                 QColor(0x7a, 0x7c, 0x84));
    drawBox(p, v, {flask.x - 3, flask.x + 3, flask.y + 17, flask.y + 22, flask.z - 13, flask.z - 8},
            QColor(0x5a, 0x5c, 0x64));
}

void drawAltar(QPainter &p)
{
    const View v{320, 250, 130, 430};
    // A dim room: the candles give most of the light.
    p.fillRect(QRectF(0, 0, 640, 480), QColor(0x5a, 0x44, 0x34));
    QRadialGradient warm(QPointF(320, 200), 420);
    warm.setColorAt(0, QColor(0xb8, 0x92, 0x64));
    warm.setColorAt(1, QColor(0x4a, 0x36, 0x2a));
    p.fillRect(QRectF(0, 0, 640, 480), warm);
    p.setPen(QPen(QColor(0, 0, 0, 40), 2));
    for (int x = 40; x < 640; x += 80)
        p.drawLine(QPointF(x, 0), QPointF(x, 480));

    // Table, two red-clothed steps and a small shrine on top.
    drawBox(p, v, {-110, 110, 0, 80, 200, 270}, QColor(0x5e, 0x3a, 0x24));
    const QRectF runner = v.front(-40, 40, 30, 80, 200);
    fillRect(p, runner, QColor(0xf4, 0xf0, 0xe6));
    p.fillRect(QRectF(runner.left(), runner.bottom() - 6, runner.width(), 3),
               QColor(0xc8, 0xa0, 0x40));
    const QColor red(0xb8, 0x32, 0x2e);
    drawBox(p, v, {-85, 85, 80, 102, 218, 268}, red);
    drawBox(p, v, {-60, 60, 102, 126, 235, 268}, red.darker(105));
    const QColor wood(0xdb, 0xbd, 0x86);
    drawBox(p, v, {-36, 36, 126, 178, 242, 266}, wood);
    const QRectF shrine = v.front(-36, 36, 126, 178, 242);
    fill(p,
         QPolygonF{v.at(-50, 176, 240), v.at(50, 176, 240), v.at(36, 192, 242), v.at(0, 202, 242),
                   v.at(-36, 192, 242)},
         QColor(0x4e, 0x6a, 0x5c));
    // Inside: a framed portrait of the guardian, a familiar face.
    const QRectF portrait = shrine.adjusted(shrine.width() * 0.2, shrine.height() * 0.1,
                                            -shrine.width() * 0.2, -shrine.height() * 0.05);
    fillRect(p, portrait, QColor(0x22, 0x1c, 0x18));
    const QRectF photo = portrait.adjusted(5, 5, -5, -5);
    fillRect(p, photo, QColor(0xd8, 0xd4, 0xc8));
    p.save();
    p.setClipRect(photo);
    const QPointF face(photo.center().x(), photo.top() + photo.height() * 0.4);
    const double r = photo.width() * 0.22;
    fillEllipse(p, QRectF(face.x() - r * 2.2, photo.bottom() - r * 1.3, r * 4.4, r * 3),
                QColor(0x40, 0x40, 0x48));
    fillEllipse(p, QRectF(face.x() - r, face.y() - r * 1.15, 2 * r, 2.3 * r),
                QColor(0xe8, 0xc4, 0xa0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x28, 0x24));
    p.drawEllipse(face + QPointF(-r * 0.38, -r * 0.1), r * 0.1, r * 0.12);
    p.drawEllipse(face + QPointF(r * 0.38, -r * 0.1), r * 0.1, r * 0.12);
    p.setPen(QPen(QColor(0x30, 0x28, 0x24), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(face.x() - r * 0.4, face.y() + r * 0.1, r * 0.8, r * 0.5), 200 * 16, 140 * 16);
    p.restore();

    // The sacred rope across the shrine, with its zigzag papers.
    QPainterPath rope(v.at(-46, 176, 238));
    rope.quadTo(v.at(0, 160, 238), v.at(46, 176, 238));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x8a, 0x74, 0x3a), 11, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rope);
    p.setPen(QPen(QColor(0xe0, 0xc8, 0x7a), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rope);
    for (const double t : {0.2, 0.5, 0.8}) {
        const QPointF a = rope.pointAtPercent(t);
        const double k = 6;
        fill(p,
             QPolygonF{a, a + QPointF(k, 0), a + QPointF(k, k * 2), a + QPointF(k * 2, k * 2),
                       a + QPointF(k * 2, k * 4.5), a + QPointF(k, k * 4.5),
                       a + QPointF(k, k * 2.6), a + QPointF(0, k * 2.6)},
             QColor(0xfa, 0xfa, 0xf6));
    }

    // Offerings: the round rice cakes with an orange, a sake flask, candles, branches.
    const QPointF mochi = v.at(0, 102, 226);
    const double s = v.scaleAt(226);
    fillRect(p, QRectF(mochi.x() - 11 * s, mochi.y() - 4 * s, 22 * s, 4 * s), wood);
    fillEllipse(p, QRectF(mochi.x() - 9 * s, mochi.y() - 11 * s, 18 * s, 8 * s),
                QColor(0xf6, 0xf4, 0xec));
    fillEllipse(p, QRectF(mochi.x() - 7 * s, mochi.y() - 16.5 * s, 14 * s, 6.5 * s),
                QColor(0xf6, 0xf4, 0xec));
    fillEllipse(p, QRectF(mochi.x() - 3.5 * s, mochi.y() - 21.5 * s, 7 * s, 6 * s),
                QColor(0xf2, 0x94, 0x20));
    drawCylinder(p, v, {-42, 102, 232}, 5, 16, QColor(0xf2, 0xf0, 0xe8), QColor(0x40, 0x40, 0x40));
    drawCylinder(p, v, {42, 102, 232}, 5, 16, QColor(0xf2, 0xf0, 0xe8), QColor(0x40, 0x40, 0x40));

    for (const double x : {-68.0, 68.0}) {
        drawCylinder(p, v, {x, 80, 226}, 3, 26, QColor(0xfb, 0xf8, 0xee), QColor(0xe8, 0xe0, 0xc8));
        const QPointF wick = v.at(x, 106, 226);
        QRadialGradient glow(wick, 70);
        glow.setColorAt(0, QColor(255, 220, 140, 150));
        glow.setColorAt(1, QColor(255, 200, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(wick, 70, 70);
        auto flame = [&](double h) {
            QPainterPath f(wick);
            f.cubicTo(wick + QPointF(-h * 0.35, -h * 0.25), wick + QPointF(-h * 0.12, -h * 0.75),
                      wick + QPointF(0, -h));
            f.cubicTo(wick + QPointF(h * 0.12, -h * 0.75), wick + QPointF(h * 0.35, -h * 0.25),
                      wick);
            return f;
        };
        p.setBrush(QColor(0xff, 0xb8, 0x30));
        p.drawPath(flame(26));
        p.setBrush(QColor(0xff, 0xf4, 0xb0));
        p.drawPath(flame(14));
    }
    for (const double x : {-96.0, 96.0}) {
        const QPointF neck = v.at(x, 106, 210);
        const double k = v.scaleAt(210);
        p.setPen(QPen(QColor(0x1f, 0x4a, 0x26), 1));
        p.setBrush(QColor(0x3c, 0x8a, 0x46));
        for (int i = 0; i < 6; ++i) {
            const double dx = (i - 2.5) * 5 * k, up = (26 - std::abs(i - 2.5) * 5) * k;
            p.drawEllipse(neck + QPointF(dx, -up), 5 * k, 10 * k);
        }
        drawCylinder(p, v, {x, 80, 210}, 7, 26, QColor(0xe8, 0xe8, 0xe4), QColor(0x30, 0x50, 0x30));
    }
}

} // namespace sample_photos
