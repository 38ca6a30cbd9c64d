// Scenes with computers: the club's four best machines, two to a picture, and
// the computer classroom with its rows of desks.

#include "paint_kit.h"
#include "scene_drawings.h"

#include <QPainter>

namespace sample_photos {

namespace {

// Close up at a desk against the wall: the desk top runs from z 118 to the wall.
constexpr View kDeskView{320, 140, 140, 480};
constexpr double kDeskTop = 72;
constexpr double kWall = 200;

void drawDeskCorner(QPainter &p, const QColor &wall, const QColor &desk)
{
    const View &v = kDeskView;
    p.fillRect(QRectF(0, 0, 640, 480), wall);
    const QRectF skirting = v.front(-400, 400, 0, 10, kWall);
    p.fillRect(skirting, wall.darker(130));
    drawBox(p, v, {-400, 400, 0, kDeskTop, 118, kWall}, desk);
}

void drawCalendar(QPainter &p, const QRectF &r)
{
    fillRect(p, r, QColor(0xfb, 0xfb, 0xf6));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.3), QColor(0x6c, 0xa6, 0xd8));
    const double cw = r.width() / 7, ch = r.height() * 0.6 / 5;
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 7; ++col)
            p.fillRect(QRectF(r.left() + col * cw + cw * 0.25,
                              r.top() + r.height() * 0.36 + row * ch, cw * 0.5, ch * 0.5),
                       col == 0 ? QColor(0xd0, 0x40, 0x40) : QColor(0x60, 0x60, 0x60));
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.5));
    p.drawLine(r.topLeft() + QPointF(r.width() / 2, -6), r.topLeft() + QPointF(r.width() / 2, 0));
}

/// A stack of floppy disks in the gap between the two computers.
void drawFloppies(QPainter &p, const View &v, double x, double z)
{
    const QColor colours[] = {QColor(0x30, 0x30, 0x34), QColor(0x3a, 0x6e, 0xc8),
                              QColor(0x30, 0x30, 0x34), QColor(0xd0, 0x50, 0x40)};
    double y = kDeskTop;
    int i = 0;
    for (const QColor &c : colours) {
        const double shift = (i++ % 2) * 1.5;
        drawBox(p, v, {x - 5 + shift, x + 4.5 + shift, y, y + 0.9, z, z + 9.4}, c);
        y += 0.9;
    }
}

/// A wall poster of a starry sky with a planet.
void drawPoster(QPainter &p, const QRectF &r)
{
    fillRect(p, r, QColor(0x1c, 0x23, 0x4a));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xa0, 0x50));
    p.drawEllipse(r.center() + QPointF(r.width() * 0.1, r.height() * 0.1), r.width() * 0.25,
                  r.width() * 0.25);
    p.setPen(QPen(QColor(0xf8, 0xe0, 0xb0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.center() + QPointF(r.width() * 0.1, r.height() * 0.1), r.width() * 0.42,
                  r.width() * 0.1);
    for (int i = 0; i < 9; ++i)
        drawSparkle(p,
                    r.topLeft() + QPointF(r.width() * ((i * 37) % 100) / 100.0,
                                          r.height() * ((i * 61 + 13) % 100) / 100.0),
                    3, Qt::white);
}

void drawClassroomWindows(QPainter &p, const View &v, double x, double z0, double z1)
{
    const double y0 = 95, y1 = 235, step = (z1 - z0) / 4;
    for (int i = 0; i < 4; ++i) {
        const double a = z0 + i * step + 8, b = a + step - 16;
        const QPolygonF glass = v.face({{x, y0, a}, {x, y1, a}, {x, y1, b}, {x, y0, b}});
        QLinearGradient sky(glass.boundingRect().topLeft(), glass.boundingRect().bottomLeft());
        sky.setColorAt(0, QColor(0x7c, 0xbc, 0xea));
        sky.setColorAt(1, QColor(0xdc, 0xf0, 0xfb));
        p.setPen(QPen(QColor(0x9a, 0xa0, 0xa6), 3));
        p.setBrush(sky);
        p.drawPolygon(glass);
        p.setPen(QPen(QColor(0x9a, 0xa0, 0xa6), 2));
        p.drawLine(v.at(x, y0, (a + b) / 2), v.at(x, y1, (a + b) / 2));
        p.drawLine(v.at(x, (y0 + y1) / 2, a), v.at(x, (y0 + y1) / 2, b));
    }
}

void drawCorkBoard(QPainter &p, const QRectF &r)
{
    fillRect(p, r, QColor(0xb0, 0x80, 0x50));
    const QColor notes[] = {QColor(0xfb, 0xfb, 0xf4), QColor(0xf6, 0xe5, 0x8a),
                            QColor(0xfb, 0xfb, 0xf4), QColor(0xa8, 0xd8, 0xf0),
                            QColor(0xfb, 0xfb, 0xf4)};
    int i = 0;
    for (const QColor &c : notes) {
        const QRectF n(r.left() + r.width() * (0.05 + i * 0.19),
                       r.top() + r.height() * (0.15 + (i % 2) * 0.2), r.width() * 0.14,
                       r.height() * 0.5);
        fillRect(p, n, c);
        p.fillRect(QRectF(n.center().x() - 1.5, n.top() + 2, 3, 3), QColor(0xd0, 0x30, 0x30));
        ++i;
    }
}

} // namespace

void drawComputersLeft(QPainter &p)
{
    const View &v = kDeskView;
    drawDeskCorner(p, QColor(0xef, 0xe7, 0xd4), QColor(0xc9, 0xa4, 0x74));
    drawCalendar(p, v.front(-28, 28, 110, 160, kWall));
    drawFloppies(p, v, 0, 150);
    drawPc(p, v, -50, kDeskTop, 148, {false, PcScreen::BlueText, QColor(0xe6, 0xdc, 0xc2)});
    drawPc(p, v, 50, kDeskTop, 148, {false, PcScreen::GreenPrompt, QColor(0xea, 0xe2, 0xcc)});
}

void drawComputersRight(QPainter &p)
{
    const View &v = kDeskView;
    drawDeskCorner(p, QColor(0xdc, 0xe4, 0xea), QColor(0x9a, 0xa2, 0xa8));
    drawPoster(p, v.front(-30, 30, 96, 166, kWall));
    drawPc(p, v, -52, kDeskTop, 150, {true, PcScreen::Desktop, QColor(0xde, 0xda, 0xcc)});
    drawPc(p, v, 44, kDeskTop, 150, {true, PcScreen::Game, QColor(0xe4, 0xdc, 0xc6)});
}

void drawClassroom(QPainter &p)
{
    const View v{320, 200, 160, 300};
    const RoomStyle room{420,
                         290,
                         900,
                         QColor(0xee, 0xea, 0xdc),
                         QColor(0xe4, 0xdf, 0xcc),
                         QColor(0xf6, 0xf4, 0xee),
                         QColor(0xa9, 0xb2, 0xa0),
                         60};
    drawRoom(p, v, room);
    for (const double z : {150.0, 380.0, 610.0})
        for (const double x : {-200.0, 0.0, 200.0})
            drawCeilingLight(p, v, x, z, z + 150, room.height);
    drawClassroomWindows(p, v, -room.halfWidth + 1, 180, 880);
    drawCorkBoard(p, v.front(-260, 120, 110, 200, room.depth));
    const QPointF clock = v.at(250, 220, room.depth);
    fillEllipse(p, QRectF(clock.x() - 9, clock.y() - 9, 18, 18), Qt::white);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(clock, clock + QPointF(0, -6));
    p.drawLine(clock, clock + QPointF(4, 0));

    // Rows of desks from the back of the room to the front, three machines a desk.
    const QColor desk(0xd8, 0xcc, 0xb0), seat(0x3f, 0x6f, 0xa8);
    constexpr PcScreen screens[] = {PcScreen::BlueText, PcScreen::Desktop, PcScreen::BlueText,
                                    PcScreen::GreenPrompt, PcScreen::Desktop};
    int n = 0;
    for (double z = 730; z >= 190; z -= 135) {
        for (const double x0 : {-370.0, 40.0}) {
            for (int i = 0; i < 3; ++i)
                drawChair(p, v, x0 + 55 + i * 110, z + 82, false, seat);
            drawFloorShadow(p, v, x0, x0 + 330, z, z + 80);
            drawTable(p, v, {x0, x0 + 330, 68, 72, z, z + 80}, desk);
            // Outer machines first: the one nearest the middle may cover their sides.
            for (int k = 0; k < 3; ++k) {
                const int i = x0 < 0 ? k : 2 - k;
                const double x = x0 + 55 + i * 110;
                drawPc(p, v, x, 72, z + 32,
                       {false, screens[(n + i) % 5], QColor(0xe6, 0xdc, 0xc2)});
            }
            ++n;
        }
    }
}

} // namespace sample_photos
