#pragma once

#include <string>
#include <vector>

#include "mapdoc/PanSettings.h"
#include "mapdoc/PatchParameters.h"

// A flat view of a shot list: its picture (a file or a frame pattern) and its camera.
struct ShotView {
    std::string file;
    PatchParameters camera;
};

// The "Add Flat" workflow as a file: the map document's parameters and the flat views to
// paint into it, in order. JSON:
//   {"width": 1800, "height": 486, "azimuth": [-100, 100], "altitude": [0, 60],
//    "eye": [0, 0, 0], "aa": "none|4x|7x",
//    "views": [{"file": "cam.####.png", "azimuth": 0, "elevation": 0, "roll": 0,
//               "fov": [90, 90]}, ...]}
// Everything but "views" and each view's "file" may be left out: the dialogs' defaults stand.
// Relative view files are taken from the list's folder.
struct ShotList {
    PanSettings pan;
    std::vector<ShotView> views;
};

enum class ShotListProblem { kNone, kUnreadable, kMalformed };

// Reads and checks the list (types, ranges, no unknown keys); on a problem its text names the
// file and the place in it.
ShotListProblem ReadShotList(const std::string& path, ShotList& list, std::string& problem);
