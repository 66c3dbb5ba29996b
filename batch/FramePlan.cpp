#include "batch/FramePlan.h"

#include <cctype>
#include <filesystem>
#include <set>

#include "sequence/FrameList.h"

namespace fs = std::filesystem;

namespace {

// The frame numbers of the files on disk that the pattern names.
std::vector<int> FramesOnDisk(const FramePattern& pattern) {
    const fs::path sample(pattern.NameOf(0));
    const fs::path directory = sample.has_parent_path() ? sample.parent_path() : ".";
    std::set<int> frames;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        // Every digit run in the place of the token is tried as a frame number.
        for (size_t at = 0; at < name.size(); ++at) {
            size_t end = at;
            while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
            if (end == at || end - at > 9) continue;
            const int frame = std::stoi(name.substr(at, end - at));
            if (fs::path(pattern.NameOf(frame)).filename() == name) frames.insert(frame);
            at = end;
        }
    }
    return {frames.begin(), frames.end()};
}

std::string ListOf(const std::vector<int>& frames) {
    std::string text;
    for (size_t i = 0; i < frames.size() && i < 20; ++i) {
        text += (i ? ", " : "") + std::to_string(frames[i]);
    }
    if (frames.size() > 20) text += " and " + std::to_string(frames.size() - 20) + " more";
    return text;
}

bool AllFrames(const std::vector<NamedInput>& inputs, const FrameOptions& options,
               std::vector<int>& frames, std::string& problem, bool& commandLineFault) {
    commandLineFault = true;
    if (!options.frames.empty()) {
        const auto parsed = ParseFrameList(options.frames, problem);
        if (!parsed) {
            problem = "--frames: " + problem;
            return false;
        }
        frames = *parsed;
    } else {
        frames = {0};
        for (const NamedInput& input : inputs) {
            if (!input.pattern.Numbered()) continue;
            frames = FramesOnDisk(input.pattern);
            if (frames.empty()) {
                problem = input.option + ": no files match " + input.pattern.Text();
                commandLineFault = false;
                return false;
            }
            break;
        }
    }
    if (!options.chunk.empty()) {
        const auto chunk = ParseChunk(options.chunk, problem);
        if (!chunk) {
            problem = "--chunk: " + problem;
            return false;
        }
        frames = ChunkOf(frames, chunk->first, chunk->second);
    }
    return true;
}

}  // namespace

bool MakeFramePlan(const std::vector<NamedInput>& inputs, const FramePattern& output,
                   const FrameOptions& options, FramePlan& plan, std::string& problem,
                   bool& commandLineFault) {
    std::vector<int> frames;
    if (!AllFrames(inputs, options, frames, problem, commandLineFault)) return false;
    if (frames.size() > 1 && !output.Numbered()) {
        problem = "--out: " + output.Text() + " names one file for " +
                  std::to_string(frames.size()) + " frames; give it a frame number (%04d or ####)";
        commandLineFault = true;
        return false;
    }
    commandLineFault = false;
    std::string firstMissing;
    for (int frame : frames) {
        std::string absent;
        for (const NamedInput& input : inputs) {
            if (!fs::exists(input.pattern.NameOf(frame))) absent = input.pattern.NameOf(frame);
        }
        if (!absent.empty()) {
            if (firstMissing.empty()) firstMissing = absent;
            plan.missing.push_back(frame);
        } else if (options.skipExisting && fs::exists(output.NameOf(frame))) {
            plan.existing.push_back(frame);
        } else {
            plan.frames.push_back(frame);
        }
    }
    if (!plan.missing.empty() && !options.skipMissing) {
        problem = "missing frames " + ListOf(plan.missing) + " (" + firstMissing +
                  " does not exist); --skip-missing renders the others";
        return false;
    }
    return true;
}
