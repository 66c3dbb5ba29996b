#include "transforms/HammerAitoffCommand.h"

#include "transforms/HammerAitoff.h"
#include "util/PathParts.h"

std::string HemisphereOutputName(const std::string& outputName, int hemisphere) {
    const PathParts parts = SplitPath(outputName);
    return parts.drive + parts.directory + parts.name +
           (hemisphere == kNorthHemisphere ? "North" : "South") + parts.extension;
}

std::vector<XformOutput> RunHammerAitoff(XformSettings& settings, const CImage& source,
                                         const std::string& outputName, JobPorts& ports) {
    std::vector<XformOutput> outputs;
    const int asked = settings.hemisphere;
    if (asked == kNorthHemisphere || asked > kSouthHemisphere) {
        settings.hemisphere = kNorthHemisphere;
        const XformOutput north =
            TransformInto(HammerAitoffToPolar, settings, source,
                          HemisphereOutputName(outputName, kNorthHemisphere), ports);
        if (!north.document) return outputs;
        outputs.push_back(north);
    }
    if (asked != kNorthHemisphere) {
        settings.hemisphere = kSouthHemisphere;
        const XformOutput south =
            TransformInto(HammerAitoffToPolar, settings, source,
                          HemisphereOutputName(outputName, kSouthHemisphere), ports);
        if (south.document) outputs.push_back(south);
    }
    return outputs;
}
