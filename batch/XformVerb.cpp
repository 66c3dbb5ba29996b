#include "batch/XformVerb.h"

#include <cstdio>

#include "batch/VerbRun.h"
#include "document/ImageDoc.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/HammerAitoffCommand.h"
#include "transforms/RectPolar.h"
#include "transforms/XformCommands.h"
#include "transforms/XformDriver.h"

namespace {

const std::map<std::string, XformKind> kKinds = {
    {"rect-to-polar", XformKind::kRectToPolar},
    {"polar-to-rect", XformKind::kPolarToRect},
    {"ambivue-to-polar", XformKind::kAmbivueToPolar},
    {"polar-to-ambivue", XformKind::kPolarToAmbivue},
};

bool ParseColour(const std::string& text, OffMapColour& colour) {
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d%c", &colour.red, &colour.green, &colour.blue, &rest) !=
        3) {
        return false;
    }
    for (int c : {colour.red, colour.green, colour.blue}) {
        if (c < 0 || c > 255) return false;
    }
    return true;
}

// The outputs of one frame: one per transform, two for both Hammer-Aitoff hemispheres.
void TransformFrame(const std::string& kind, XformSettings settings, const CImage& source,
                    const std::string& name, JobPorts& ports, JobResult& result) {
    std::vector<XformOutput> outputs;
    if (kind == "hammer-to-polar") {
        const bool both = settings.hemisphere == kBothHemispheres;
        for (const Hemisphere h : {kNorthHemisphere, kSouthHemisphere}) {
            if (!both && settings.hemisphere != h) continue;
            XformSettings one = settings;
            one.hemisphere = h;
            outputs.push_back(TransformInto(HammerAitoffToPolar, one, source,
                                            both ? HemisphereOutputName(name, h) : name, ports));
        }
    } else {
        const XformCommand& command = XformCommandOf(kKinds.at(kind));
        ApplySourceSize(settings, source);
        outputs.push_back(TransformInto(command.routine, settings, source, name, ports));
    }
    for (const XformOutput& output : outputs) {
        if (!output.document) {
            ++result.framesSkipped;
            continue;
        }
        output.saved ? ++result.framesWritten : ++result.saveFailures;
        ports.documents.CloseDocument(output.document);
    }
}

}  // namespace

void XformVerb::AddTo(CLI::App& app) {
    CLI::App* verb = app.add_subcommand("xform", "Re-project pictures between dome formats");
    verb->add_option("kind", kind, "The transform")
        ->required()
        ->check(CLI::IsMember({"rect-to-polar", "polar-to-rect", "ambivue-to-polar",
                               "polar-to-ambivue", "hammer-to-polar"}));
    verb->add_option("input", input, "The picture: a file or a frame pattern")->required();
    verb->add_option("--out", out, "The result of every frame: a file or a frame pattern")
        ->required();
    verb->add_option("--size", size,
                     "Output size W or WxH (default: the source's for rect and polar, else 512)");
    verb->add_option("--rotation", rotation, "Rect and polar: additional rotation in degrees")
        ->capture_default_str();
    verb->add_option("--azi", azimuths, "Ambivue: azimuths FROM,TO in degrees")
        ->capture_default_str();
    verb->add_option("--alt", elevations, "Ambivue: elevations FROM,TO in degrees")
        ->capture_default_str();
    verb->add_option("--span", span, "Ambivue: zenith distance of the disc's rim")
        ->check(CLI::Range(kMinPolarSpan, kMaxPolarSpan))
        ->capture_default_str();
    verb->add_option("--turn", turn, "Ambivue: clockwise turn of the disc in degrees")
        ->capture_default_str();
    verb->add_option("--off-map", offMap, "Ambivue to polar: colour R,G,B outside the band")
        ->capture_default_str();
    verb->add_option("--hemisphere", hemisphere,
                     "Hammer-Aitoff: north, south, or both (NAMENorth and NAMESouth)")
        ->check(CLI::IsMember({"north", "south", "both"}))
        ->capture_default_str();
    AddFrameOptions(*verb, frames);
}

int XformVerb::Run(bool quiet) const {
    const bool hammer = kind == "hammer-to-polar";
    XformSettings settings =
        hammer ? XformSettings{} : NewXformSettings(kKinds.at(kind), AppSettings{});
    std::string problem;
    if (!size.empty()) {
        int width = 0, height = 0;
        if (!ParseSize(size, width, height, problem)) return BadValue("--size", problem);
        settings.useSourceSize = 0;
        settings.outputWidth = static_cast<unsigned>(width);
        settings.outputHeight = static_cast<unsigned>(height);
    }
    settings.rotation = rotation;
    if (!ParsePair(azimuths, settings.azimuthFrom, settings.azimuthTo)) {
        return BadValue("--azi", "'" + azimuths + "' is no pair of degrees FROM,TO");
    }
    if (!ParsePair(elevations, settings.elevationFrom, settings.elevationTo)) {
        return BadValue("--alt", "'" + elevations + "' is no pair of degrees FROM,TO");
    }
    settings.polarSpan = static_cast<unsigned>(span);
    settings.clockwiseRotation = turn;
    if (!ParseColour(offMap, settings.offMap)) {
        return BadValue("--off-map", "'" + offMap + "' is no colour R,G,B with each 0 to 255");
    }
    settings.hemisphere = hemisphere == "north"   ? kNorthHemisphere
                          : hemisphere == "south" ? kSouthHemisphere
                                                  : kBothHemispheres;
    std::vector<NamedInput> inputs;
    std::optional<FramePattern> output;
    FramePlan plan;
    if (const auto status = PrepareRun({{"input", input}}, out, frames, inputs, output, plan)) {
        return *status;
    }
    const FramePattern& source = inputs[0].pattern;
    return RunJob(quiet, plan, *output, [&](JobPorts& ports) {
        JobResult result;
        ForEachInputFrame(plan, source, ports, result, [&](int frame, const CImage& picture) {
            TransformFrame(kind, settings, picture, output->NameOf(frame), ports, result);
            return true;
        });
        return result;
    });
}
