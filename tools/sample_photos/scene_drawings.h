#pragma once
// One drawing function per sample picture. Each paints a whole 640 × 480
// picture from scratch; the file-name label is added by the caller.

class QPainter;

namespace sample_photos {

void drawRoomDoor(QPainter &p);       ///< the club room, entrance door at the back
void drawRoomWindow(QPainter &p);     ///< the club room, window at the back
void drawTelescope(QPainter &p);      ///< a telescope at a window
void drawTelevision(QPainter &p);     ///< wide-screen TV and the sofa set
void drawComputersLeft(QPainter &p);  ///< first two of the four computers
void drawComputersRight(QPainter &p); ///< the other two
void drawCrowScarer(QPainter &p);     ///< a CD on a string, and a frightened crow
void drawRuinedHut(QPainter &p);      ///< what is left of a small hut
void drawAltar(QPainter &p);          ///< a small altar
void drawClassroom(QPainter &p);      ///< a classroom full of computers

} // namespace sample_photos
