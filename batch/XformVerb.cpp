#include "batch/XformVerb.h"

#include <cstdio>

#include "batch/VerbRun.h"
#include "document/ImageDoc.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/DeepTransforms.h"
#include "transforms/HammerAitoff.h"
#include "transforms/HammerAitoffCommand.h"
#include "transforms/RectPolar.h"
#include "transforms/XformCommands.h"
#include "transforms/XformDriver.h"
#include "util/CancelRequest.h"

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

// The output names of one frame: one per transform, two for both Hammer-Aitoff hemispheres.
std::vector<std::string> OutputsOf(const std::string& kind, Hemisphere hemisphere,
                                   const std::string& name) {
    if (kind == "hammer-to-polar" && hemisphere == kBothHemispheres) {
        return {HemisphereOutputName(name, kNorthHemisphere),
                HemisphereOutputName(name, kSouthHemisphere)};
    }
    return {name};
}

void TransformFrame(const std::string& kind, XformSettings settings, const CImage& source,
                    const std::string& name, JobPorts& ports, JobResult& result) {
    const bool hammer = kind == "hammer-to-polar";
    if (!hammer) ApplySourceSize(settings, source);
    const XformRoutine routine =
        hammer ? HammerAitoffToPolar : XformCommandOf(kKinds.at(kind)).routine;
    const std::vector<std::string> names = OutputsOf(kind, settings.hemisphere, name);
    for (size_t n = 0; n < names.size(); ++n) {
        const std::string& outputName = names[n];
        XformSettings one = settings;
        if (names.size() == 2) one.hemisphere = n == 0 ? kNorthHemisphere : kSouthHemisphere;
        const XformOutput output = TransformInto(routine, one, source, outputName, ports);
        if (!output.document) {
            result.Skipped(outputName);
            continue;
        }
        ports.documents.CloseDocument(output.document);
        if (CancelRequested()) {
            result.cancelled = true;
            return;
        }
        output.saved ? result.Written(outputName) : result.SaveFailed(outputName);
    }
}

}  // namespace

int XformVerb::RunDeep(const RunOptions& options, const DeepWriteOptions& write,
                       const XformSettings& settings, const FramePattern& source,
                       const FramePattern& output, const FramePlan& plan) const {
    const bool hammer = kind == "hammer-to-polar";
    const OutputsOfFrame outputsOf = [&](int frame) {
        return OutputsOf(kind, settings.hemisphere, output.NameOf(frame));
    };
    return RunJob(options, plan, outputsOf, [&](JobPorts& ports) {
        JobResult result;
        DeepPicture transformed;
        ForEachDeepInputFrame(
            plan, source, outputsOf, ports, result, [&](int frame, const DeepPicture& picture) {
                const std::vector<std::string> names = outputsOf(frame);
                for (size_t n = 0; n < names.size(); ++n) {
                    XformSettings one = settings;
                    if (names.size() == 2) {
                        one.hemisphere = n == 0 ? kNorthHemisphere : kSouthHemisphere;
                    }
                    const DeepXformRoutine routine =
                        hammer ? HammerAitoffToPolarDeep : DeepRoutineOf(kKinds.at(kind));
                    std::string problem;
                    if (!TransformDeep(routine, one, picture, transformed, problem)) {
                        ports.messages.Show(problem, MessageButtons::kOk);
                        result.Skipped(names[n]);
                    } else if (!SaveDeepFrame(transformed, names[n], write, ports.messages,
                                              result)) {
                        return false;
                    }
                }
                return true;
            });
        return result;
    });
}

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
    deep.AddTo(*verb);
    AddFrameOptions(*verb, frames);
}

int XformVerb::Run(const RunOptions& options) const {
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
    bool deepPath = false;
    DeepWriteOptions write;
    if (const auto status = deep.Choose({input, out}, out, deepPath, write)) return *status;
    if (const auto status =
            PrepareRun({{"input", input}}, out, frames, inputs, output, plan, deepPath)) {
        return *status;
    }
    const FramePattern& source = inputs[0].pattern;
    if (deepPath) return RunDeep(options, write, settings, source, *output, plan);
    const OutputsOfFrame outputsOf = [&](int frame) {
        return OutputsOf(kind, settings.hemisphere, output->NameOf(frame));
    };
    return RunJob(options, plan, outputsOf, [&](JobPorts& ports) {
        JobResult result;
        ForEachInputFrame(
            plan, source, outputsOf, ports, result, [&](int frame, const CImage& picture) {
                TransformFrame(kind, settings, picture, output->NameOf(frame), ports, result);
                return !result.cancelled;
            });
        return result;
    });
}
