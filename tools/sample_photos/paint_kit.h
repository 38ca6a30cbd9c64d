#pragma once
// Drawing helpers shared by the sample scenes: a one-point perspective camera,
// boxes, sticks and flat faces seen through it, and a few stock pieces (sky,
// clouds, window views, tables, old desktop computers) that several scenes use.
//
// World units are centimetres: x to the right, y up from the floor, z away from
// the camera. With one-point perspective every face that looks at the camera
// is an upright rectangle on the picture, which the stock pieces rely on.

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <initializer_list>

class QPainter;

namespace sample_photos {

struct Vec3
{
    double x, y, z;
};

struct View
{
    double cx = 320;      ///< picture x of the vanishing point
    double horizon = 200; ///< picture y of the vanishing point
    double eye = 140;     ///< camera height, cm
    double focal = 320;   ///< pixels per cm at a depth of 1 cm

    QPointF at(double x, double y, double z) const
    {
        return {cx + x * focal / z, horizon + (eye - y) * focal / z};
    }
    QPointF at(Vec3 p) const { return at(p.x, p.y, p.z); }
    double scaleAt(double z) const { return focal / z; }
    QPolygonF face(std::initializer_list<Vec3> corners) const;
    /// The camera-facing rectangle x0..x1, y0..y1 at depth z.
    QRectF front(double x0, double x1, double y0, double y1, double z) const;
};

/// An axis-aligned block, cm.
struct Box
{
    double x0, x1, y0, y1, z0, z1;
};

struct RoomStyle
{
    double halfWidth = 300, height = 260, depth = 450;
    QColor backWall{0xef, 0xe6, 0xd2};
    QColor sideWall{0xe4, 0xd8, 0xbd};
    QColor ceiling{0xf6, 0xf3, 0xec};
    QColor floor{0xc8, 0x9b, 0x6a};
    double plank = 50; ///< spacing of the floor boards, cm
};

/// Flat fill with a slightly darker outline, the look every scene shares.
void fill(QPainter &p, const QPolygonF &shape, const QColor &colour);
void fillRect(QPainter &p, const QRectF &rect, const QColor &colour);
void fillEllipse(QPainter &p, const QRectF &rect, const QColor &colour);

/// The faces of the block that the camera sees, shaded as if lit from above left.
void drawBox(QPainter &p, const View &v, const Box &b, const QColor &colour);
/// A round-ended stick of `thickness` cm from a to b, thinning with distance.
void drawStick(QPainter &p, const View &v, Vec3 a, Vec3 b, double thickness, const QColor &colour);
/// A soft shadow ellipse on the floor under the given footprint.
void drawFloorShadow(QPainter &p, const View &v, double x0, double x1, double z0, double z1);

/// Ceiling, floor boards, side walls and back wall of a room around the camera.
void drawRoom(QPainter &p, const View &v, const RoomStyle &room);
/// A long light fitting on the ceiling.
void drawCeilingLight(QPainter &p, const View &v, double x, double z0, double z1, double height);

void drawSky(QPainter &p, const QRectF &area);
void drawCloud(QPainter &p, QPointF centre, double size);
/// A block of flats with rows of windows and balconies.
void drawApartments(QPainter &p, const QRectF &rect, const QColor &colour);
/// What the club sees out of its windows: sky, clouds, the flats across the way.
void drawOutsideView(QPainter &p, const QRectF &glass);
/// An aluminium sash window with curtains on the wall plane (a camera-facing rectangle).
void drawWindow(QPainter &p, const QRectF &opening, int panes, bool curtains);

/// A table with four legs under the given top slab.
void drawTable(QPainter &p, const View &v, const Box &top, const QColor &colour);
void drawChair(QPainter &p, const View &v, double x, double z, bool facingAway,
               const QColor &colour);

enum class PcScreen { BlueText, GreenPrompt, Desktop, Game, Off };

struct PcLook
{
    bool tower = false; ///< a tower case beside the monitor instead of a flat case under it
    PcScreen screen = PcScreen::BlueText;
    QColor body{0xe6, 0xdc, 0xc2};
};

/// An old beige personal computer on a desk: case, CRT monitor and keyboard,
/// centred on x, standing on the desk top at height y, front at depth z.
void drawPc(QPainter &p, const View &v, double x, double y, double z, const PcLook &look);
/// Something on a monitor, filling the glass rectangle.
void drawScreen(QPainter &p, const QRectF &glass, PcScreen screen);

/// An upright cylinder (cup, candle, vase body) standing at height y, centred on x, z.
void drawCylinder(QPainter &p, const View &v, Vec3 base, double radius, double height,
                  const QColor &colour, const QColor &inside);

/// A four-pointed glint.
void drawSparkle(QPainter &p, QPointF centre, double size, const QColor &colour);

} // namespace sample_photos
