#pragma once
// The sample pictures that stand in for the guide's photographs, so the program
// shows something out of the box. Each carries its own file name in a corner,
// so a user knows which file to replace with a real photograph.

#include "scene_drawings.h"

#include <QStringList>

#include <array>

class QImage;

namespace sample_photos {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;
inline constexpr int kJpegQuality = 90;

struct Scene
{
    const char *fileName; ///< bare name the program looks for beside itself
    void (*draw)(QPainter &);
};

inline constexpr std::array<Scene, 10> kScenes{{
    {"room1.jpg", drawRoomDoor},
    {"room2.jpg", drawRoomWindow},
    {"kita.jpg", drawTelescope},
    {"tv.jpg", drawTelevision},
    {"paso1.jpg", drawComputersLeft},
    {"paso2.jpg", drawComputersRight},
    {"karasu.jpg", drawCrowScarer},
    {"matsu.jpg", drawRuinedHut},
    {"saidan.jpg", drawAltar},
    {"higashi.jpg", drawClassroom},
}};

/// The scene with its file-name label, kWidth × kHeight. Needs a QGuiApplication (for the font).
QImage renderScene(const Scene &scene);

/// Writes every scene as a JPEG into `folder`, creating it if needed.
/// Returns the file names that could not be written; empty on success.
QStringList writeAll(const QString &folder);

} // namespace sample_photos
