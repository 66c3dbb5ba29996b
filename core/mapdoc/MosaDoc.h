#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/JobResult.h"
#include "image/Image.h"
#include "mapdoc/FisheyeParams.h"
#include "mapdoc/FlatMapping.h"
#include "mapdoc/PanSettings.h"
#include "mapdoc/Patch.h"
#include "ports/Documents.h"
#include "sequence/ImageSequence.h"

// What became of a run of the mapping driver.
struct MapViewsResult : JobResult {
    int unreadableViews = 0;
};

// A rectangular equidistant panorama under construction: its grid, eyepoint and
// anti-aliasing, the picture, and the flat views painted into it so far.
class CMosaDoc : public CDocument {
  public:
    // Takes the parameters; an eyepoint on or outside the dome is moved inside (with a message)
    // by dividing it by its squared distance. Answers false when the picture cannot be made.
    bool OnNewDocument(const PanSettings& settings, Messages& messages);
    // The parameters the document was made with, as they were given.
    const PanSettings& Settings() const { return settings; }

    // Paints one flat view, then lets the views repaint (not after a cancel). A running job
    // passes its progress display, which the mapping pumps and which can cancel it.
    void MapPatch(const Patch& patch, Progress* progress = nullptr);
    // Rewrites the whole rectangle from a fisheye picture, then lets the views repaint. The
    // patches stay listed; their pixels are overwritten.
    void MapFisheye(const CImage& fisheye, const FisheyeParams& params);
    // Keeps a new flat view and paints it.
    void AddFlat(std::unique_ptr<CImage> image, double roll, double elevation, double azimuth,
                 double horizontalFov, double verticalFov);
    // Maps the views' sequences frame by frame (one patch and one sequence per view, in
    // order), naming frames "mosa%05d.<extension>" and saving each when asked.
    MapViewsResult MapViews(std::span<Patch> patches, std::span<ImageSequence> sequences,
                            const std::string& extension, bool saveEachFrame, JobPorts& ports);
    // The same, saving every frame under the name the caller gives it.
    MapViewsResult MapViews(std::span<Patch> patches, std::span<ImageSequence> sequences,
                            const std::function<std::string(int frame)>& outputName,
                            JobPorts& ports);

    CImage& Image() override { return image; }
    const CImage& Image() const override { return image; }
    const MapGrid& Grid() const { return grid; }
    const std::vector<std::unique_ptr<Patch>>& Patches() const { return patches; }

  private:
    MapViewsResult MapFrames(std::span<Patch> patches, std::span<ImageSequence> sequences,
                             const std::function<std::string(int frame)>& frameName,
                             bool saveEachFrame, JobPorts& ports);

    CImage image;
    std::vector<std::unique_ptr<Patch>> patches;
    PanSettings settings;
    MapGrid grid;
};

// A new map document with these parameters, handed to the front end; none (after the
// document's message) when its picture cannot be made.
CMosaDoc* NewMapDocument(const PanSettings& settings, Messages& messages, Documents& documents);
