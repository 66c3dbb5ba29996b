#include "app/CommandLine.h"

#include <unistd.h>

#include <cstdio>

#include "fiveview/FiveViewJob.h"
#include "image/FileTypeTable.h"
#include "mapdoc/FourViewPan.h"
#include "sequence/NumberedOutput.h"
#include "sequence/SequenceScan.h"
#include "util/CancelRequest.h"
#include "util/FormatText.h"
#include "util/NumberText.h"
#include "util/PathParts.h"

const char* const kUsageText =
    "usage:\n\tmosa [options] Left-file Center-file Right-file Up-file [output-file]\n\noptions "
    "are:\n"
    "\t-eye #x #y #z - set eyepoint; default [0, 0, 0]\n"
    "\t-res #w #h    - output file (default name: 'mosa.bmp') resolution; default [800 216]\n"
    "\t-azi #l #r    - left, right azimuth limits; default [-100 100]\n"
    "\t-alt #b #t    - bottom, top altitude limits; default [0 60]\n"
    "\t-4x           - turn on 4x anti-aliasing; default off\n\t\tor\n\n"
    "mosa -5viewPolar [options] Left-file Center-file Right-file Up-file Back-file "
    "[output-file]\n\n"
    "\twhere valid options are:\n\n\t-res #w #h\n\t-domeMaster\n\t-sweep #\n\t-4x\n"
    "\t-ewa\t- use elliptic weighted average filtering (this and following, 5 view polar only)\n"
    "\t-crop #\t- all source images have border of # pixels on all sides\n"
    "\t-halfPan - front, left, right, and back sources are half height\n"
    "\t\t\t\t(after crop border removed)";

namespace {

enum OptionId {
    kOptEye,
    kOptRes,
    kOptAzi,
    kOptAlt,
    kOpt4x,
    kOptEwa,
    kOptFiveView,
    kOptDomeMaster,
    kOptSweep,
    kOptHalfPan,
    kOptCrop
};

struct OptionSpec {
    const char* name;  // lower case
    int values;
};

// Tried in this order; the first whose name occurs anywhere in the argument wins.
constexpr OptionSpec kOptions[] = {
    {"-eye", 3},   {"-res", 2},     {"-azi", 2},        {"-alt", 2},
    {"-4x", 0},    {"-ewa", 0},     {"-5viewpolar", 0}, {"-domemaster", 0},
    {"-sweep", 1}, {"-halfpan", 0}, {"-crop", 1},
};

struct ScannedOptions {
    PanSettings pan;
    bool resolutionGiven = false;
    bool fiveView = false;
    bool domeMaster = false;
    double sweep = 0;
    bool sweepGiven = false;
    bool halfPans = false;
    int crop = 0;
    int unrecognised = 0;
    int lastUnrecognised = -3;
    std::vector<std::string> positional;
};

void ApplyOption(int id, const std::vector<std::string>& v, ScannedOptions& o) {
    switch (id) {
        case kOptEye:
            o.pan.eyeX = ParseDouble(v[0]);
            o.pan.eyeY = ParseDouble(v[1]);
            o.pan.eyeZ = ParseDouble(v[2]);
            break;
        case kOptRes:
            o.pan.width = TruncateToInt(ParseDouble(v[0]));
            o.pan.height = TruncateToInt(ParseDouble(v[1]));
            o.resolutionGiven = true;
            break;
        case kOptAzi:
            o.pan.azimuthLeft = ParseDouble(v[0]);
            o.pan.azimuthRight = ParseDouble(v[1]);
            break;
        case kOptAlt:
            o.pan.altitudeBottom = ParseDouble(v[0]);
            o.pan.altitudeTop = ParseDouble(v[1]);
            break;
        case kOpt4x:
            o.pan.antiAliasing = 1;
            break;
        case kOptEwa:
            o.pan.antiAliasing = 2;
            break;
        case kOptFiveView:
            o.fiveView = true;
            break;
        case kOptDomeMaster:
            o.domeMaster = true;
            break;
        case kOptSweep:
            o.sweep = ParseDouble(v[0]);
            o.sweepGiven = true;
            break;
        case kOptHalfPan:
            o.halfPans = true;
            break;
        default:
            o.crop = ParseInt(v[0]);
            break;
    }
}

int MatchOption(const std::string& argument) {
    const std::string lower = AsciiLower(argument);
    for (int id = 0; id < static_cast<int>(std::size(kOptions)); ++id) {
        if (lower.find(kOptions[id].name) != std::string::npos) return id;
    }
    return -1;
}

// Options come first; values are taken from the arguments after an option whatever they look
// like, but never from beyond the last argument. Answers false when the count of positional
// arguments is wrong or an option was not understood.
bool ScanOptions(const std::vector<std::string>& arguments, ScannedOptions& o) {
    o.pan.eyeX = o.pan.eyeY = o.pan.eyeZ = 0;
    o.pan.width = 800;
    o.pan.height = 216;
    o.pan.azimuthLeft = -100;
    o.pan.azimuthRight = 100;
    o.pan.altitudeBottom = 0;
    o.pan.altitudeTop = 60;
    o.pan.antiAliasing = 0;
    const int count = static_cast<int>(arguments.size());
    int n = count, i = 1;
    while (n > 1 && i < count && !arguments[i].empty() && arguments[i][0] == '-') {
        const int id = MatchOption(arguments[i]);
        if (id < 0) {
            ++o.unrecognised;
            o.lastUnrecognised = i;
            ++i;
            --n;
            continue;
        }
        const int values = kOptions[id].values;
        if (i + values >= count) return false;
        ApplyOption(
            id,
            std::vector<std::string>(arguments.begin() + i + 1, arguments.begin() + i + 1 + values),
            o);
        i += 1 + values;
        n -= 1 + values;
    }
    o.positional.assign(arguments.begin() + std::min(i, count), arguments.end());
    return o.unrecognised == 0 && n >= 5 && n <= 7;
}

std::string RawCommandLine(const std::vector<std::string>& arguments) {
    std::string text;
    for (size_t i = 1; i < arguments.size(); ++i) text += (i > 1 ? " " : "") + arguments[i];
    return text;
}

// The base name of the job's file while it is being made, beside the output and unique to
// this process: the job never writes over another file (an earlier render's frame 0, say),
// and the output itself is replaced only when the new file is complete.
std::string HiddenBaseName() {
    return ".mosa-" + std::to_string(getpid());
}

// The job names its file in its messages; the user knows it by the output's name.
class OutputNamingMessages : public Messages {
  public:
    OutputNamingMessages(Messages& inner, std::string hidden, std::string output)
        : inner(inner), hidden(std::move(hidden)), output(std::move(output)) {}
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override {
        std::string shown = text;
        for (size_t at = shown.find(hidden); at != std::string::npos;
             at = shown.find(hidden, at + output.size())) {
            shown.replace(at, hidden.size(), output);
        }
        return inner.Show(shown, buttons);
    }

  private:
    Messages& inner;
    const std::string hidden;
    const std::string output;
};

// Puts the job's file under the name asked for. The rename replaces an existing file in one
// step, so the old file is never gone before the new one is in place. A file that cannot go
// there stays under the job's numbered name, unless another file has that name.
bool PlaceOutput(const std::string& written, const std::string& output, const std::string& numbered,
                 Messages& messages) {
    if (std::rename(written.c_str(), output.c_str()) == 0) return true;
    std::string kept = written;
    if (link(written.c_str(), numbered.c_str()) == 0) {
        unlink(written.c_str());
        kept = numbered;
    }
    messages.Show(Format("Couldn't rename '%s' to be '%s' !", kept.c_str(), output.c_str()),
                  MessageButtons::kOk);
    return false;
}

CommandLineResult InvalidOutputType(const std::string& extension, Messages& messages) {
    messages.Show(Format("Invalid output file type: '%s'", extension.c_str()), MessageButtons::kOk);
    return {0, BatchOutcome::kBadCommandLine};
}

CommandLineResult RunFourView(const ScannedOptions& o, JobPorts& ports) {
    ChannelFiles files;
    files.left = o.positional[0];
    files.center = o.positional[1];
    files.right = o.positional[2];
    files.top = o.positional[3];
    files.outputBaseName = "mosa";
    files.outputType = 1;
    const std::string output = o.positional.size() > 4 ? o.positional[4] : "mosa.bmp";
    if (SaveTypeOfName(output) < 0) {
        return InvalidOutputType(SplitPath(output).extension, ports.messages);
    }

    CubeViewPatches patches = MakeCubeViewPatches();
    CubeViewSequences sequences;
    if (!ResolveCubeViews(files, false, sequences, ports.messages)) return {};
    CMosaDoc* document = NewMapDocument(o.pan, ports.messages, ports.documents);
    if (!document) return {1, BatchOutcome::kJobFailed};
    const MapViewsResult mapped = document->MapViews(patches, sequences, "bmp", false, ports);
    JobResult saved;
    if (!mapped.cancelled) {
        SilentProgress noDisplay;
        SaveFrame(*document, output, noDisplay, ports.messages, saved);
    }
    BatchOutcome outcome = BatchOutcome::kJobFailed;
    if (mapped.cancelled || saved.cancelled) {
        outcome = BatchOutcome::kCancelled;
    } else if (saved.framesWritten == 1 && mapped.unreadableViews == 0) {
        outcome = BatchOutcome::kDone;
    }
    ports.documents.CloseDocument(document);
    return {1, outcome};
}

// The five-view job on the resolved settings, into a document of its own.
CommandLineResult RenderDome(const FiveViewSettings& settings, const std::string& extension,
                             JobPorts& ports) {
    FiveViewSequences sequences;
    if (!ResolveFiveViews(settings, sequences, ports.messages)) return {};
    CImageDoc* document = NewDomeDocument(settings, ports);
    if (!document) return {};
    const FiveViewResult rendered =
        RenderFiveView(*document, settings, sequences, extension, ports);
    ports.documents.CloseDocument(document);
    if (rendered.cancelled) return {0, BatchOutcome::kCancelled};
    return {0, rendered.Succeeded() ? BatchOutcome::kDone : BatchOutcome::kJobFailed};
}

CommandLineResult RunFiveView(const ScannedOptions& o, const AppSettings& app, JobPorts& ports) {
    FiveViewSettings settings;
    settings.directory = app.fiveViewDir;
    settings.baseName = app.fiveViewBase;
    settings.polarSweep = app.fiveViewSweep;
    if (o.positional.size() < 5) {
        ports.messages.Show(Format("Not enough files specified:\n\n%s", kUsageText),
                            MessageButtons::kOk);
        return {0, BatchOutcome::kBadCommandLine};
    }
    std::string extension = ".tga";
    const bool outputGiven = o.positional.size() > 5;
    if (outputGiven) {
        const PathParts parts = SplitPath(o.positional[5]);
        settings.directory = parts.drive + parts.directory;
        settings.baseName = HiddenBaseName();
        extension = parts.extension;
    }
    settings.outputFormat = static_cast<FiveViewOutputFormat>(OutputFormatOfExtension(extension));
    if (settings.outputFormat < 0) return InvalidOutputType(extension, ports.messages);
    settings.crop = o.crop;
    settings.halfPans = o.halfPans;
    settings.polarFormat = o.domeMaster ? kDomeMaster : kAllSky;
    // The command line shares one anti-aliasing number between the two jobs.
    settings.samplingMode = static_cast<SamplingMode>(o.pan.antiAliasing);
    settings.sameSize = 0;
    if (o.resolutionGiven) {
        settings.width = o.pan.width;
        settings.height = o.pan.height;
    }
    if (o.sweepGiven) settings.polarSweep = o.sweep;
    settings.inputKind = 0;
    settings.topFile = o.positional[3];
    settings.leftFile = o.positional[0];
    settings.backFile = o.positional[4];
    settings.rightFile = o.positional[2];
    settings.frontFile = o.positional[1];

    if (!outputGiven) return RenderDome(settings, extension, ports);
    const std::string output = o.positional[5];
    const PathParts parts = SplitPath(output);
    const std::string written =
        FiveViewOutputName(settings.directory, settings.baseName, 0, extension);
    OutputNamingMessages messages(ports.messages, written, output);
    JobPorts named{messages, ports.documents, ports.newProgress};
    CommandLineResult result = RenderDome(settings, extension, named);
    if (result.outcome == BatchOutcome::kDone &&
        !PlaceOutput(written, output,
                     FiveViewOutputName(settings.directory, parts.name, 0, extension),
                     ports.messages)) {
        result.outcome = BatchOutcome::kJobFailed;
    }
    return result;
}

}  // namespace

CommandLineResult RunCommandLine(const std::vector<std::string>& arguments,
                                 const AppSettings& appSettings, JobPorts& ports) {
    ScannedOptions options;
    if (!ScanOptions(arguments, options)) {
        ports.messages.Show(
            Format("Bad command line at / near arg %d:\n   '%s'\n \n%s",
                   options.lastUnrecognised - 1, RawCommandLine(arguments).c_str(), kUsageText),
            MessageButtons::kOk);
        return {0, BatchOutcome::kBadCommandLine};
    }
    return options.fiveView ? RunFiveView(options, appSettings, ports)
                            : RunFourView(options, ports);
}

int ExitStatusOf(BatchOutcome outcome, int cancelSignal) {
    switch (outcome) {
        case BatchOutcome::kDone:
            return 0;
        case BatchOutcome::kBadCommandLine:
            return 2;
        case BatchOutcome::kCancelled:
            return cancelSignal > 0 ? 128 + cancelSignal : 1;
        case BatchOutcome::kJobFailed:
            break;
    }
    return 1;
}

std::optional<std::vector<std::string>> FilesToOpen(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments[1] != "--open") return std::nullopt;
    return std::vector<std::string>(arguments.begin() + 2, arguments.end());
}
