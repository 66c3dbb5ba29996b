#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fiveview/FiveViewJob.h"
#include "headless/HeadlessDocuments.h"
#include "mapdoc/PanSettings.h"
#include "sequence/FramePattern.h"
#include "sky/SkyCube.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace batch_test {

// The panorama the fisheye tests map onto: --size 300x100 --azi -90,90 --alt 5,55.
inline PanSettings FisheyeTestPanorama() {
    PanSettings pan = NewDocumentPanSettings();
    pan.width = 300;
    pan.height = 100;
    pan.azimuthLeft = -90;
    pan.azimuthRight = 90;
    pan.altitudeBottom = 5;
    pan.altitudeTop = 55;
    return pan;
}

namespace fs = std::filesystem;

struct BatchRun {
    int status = -1;
    std::string out;
    std::string errors;
};

inline std::string ReadText(const std::string& name) {
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline constexpr const char* kViews[kFaceCount] = {"top", "left", "back", "right", "front"};

// mosa-batch against the same job run through the core with the same settings: the five
// sky faces as frame files in "seq/" (view.NNNN.bmp), outputs compared byte for byte.
class MosaBatch : public testing::Test {
  protected:
    void WriteFrames(std::initializer_list<int> frames, int holeView = -1, int holeFrame = -1) {
        fs::create_directories(dir.File("seq"));
        for (int t = 0; t < kFaceCount; ++t) {
            CImage face;
            sky::RenderFace(face, t, 40, 40);
            for (int frame : frames) {
                if (t == holeView && frame == holeFrame) continue;
                face.SetRGB(0, 0, frame, frame, frame);  // frames differ
                ASSERT_EQ(face.SaveAs(Face(t, frame)), 1);
            }
        }
    }
    std::string Face(int view, int frame) const {
        std::string error;
        return FramePattern::Parse(dir.File("seq/") + kViews[view] + ".####.bmp", error)
            ->NameOf(frame);
    }
    std::string Views() const {
        std::string text;
        for (int t = 0; t < kFaceCount; ++t) {
            text +=
                std::string(" --") + kViews[t] + " '" + dir.File("seq/") + kViews[t] + ".####.bmp'";
        }
        return text;
    }
    // The four-view job's view options for the seq/ sequences of one extension.
    std::string FourViews(const std::string& extension) const {
        const auto view = [&](const char* option, const char* name) {
            return std::string(" --") + option + " '" + dir.File("seq/") + name + ".####." +
                   extension + "'";
        };
        return view("left", "left") + view("center", "front") + view("right", "right") +
               view("up", "top");
    }
    BatchRun Batch(const std::string& arguments) {
        const std::string command = "cd '" + dir.Path().string() + "' && '" +
                                    MOSA_BATCH_EXECUTABLE + "' " + arguments +
                                    " >out.txt 2>errors.txt </dev/null";
        BatchRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadText(dir.File("out.txt"));
        run.errors = ReadText(dir.File("errors.txt"));
        return run;
    }
    // The core job on the frames, writing "core/dome.NNNNN.tga".
    void CoreJob(const std::vector<int>& frames, const FiveViewSettings& settings) {
        fs::create_directories(dir.File("core"));
        FiveViewSequences sequences;
        for (int t = 0; t < kFaceCount; ++t) {
            for (int frame : frames) sequences[t].entries.push_back({Face(t, frame), frame});
        }
        RecordingMessages messages;
        HeadlessDocuments documents;
        JobPorts ports{messages, documents, [] { return std::make_unique<SilentProgress>(); }};
        CImageDoc* document = NewDomeDocument(settings, ports);
        ASSERT_NE(document, nullptr);
        const FiveViewResult result = RenderFiveView(
            *document, settings, sequences, [this](int f) { return Output("core", f); }, ports);
        EXPECT_EQ(result.framesWritten, static_cast<int>(frames.size()));
    }
    std::string Output(const std::string& folder, int frame) const {
        char name[64];
        std::snprintf(name, sizeof name, "/dome.%05d.tga", frame);
        return dir.File(folder) + name;
    }
    void ExpectSameAsCore(const std::string& folder, const std::vector<int>& frames) {
        for (int frame : frames) {
            const std::vector<uint8_t> batch = ReadFileBytes(Output(folder, frame));
            EXPECT_FALSE(batch.empty()) << frame;
            EXPECT_TRUE(batch == ReadFileBytes(Output("core", frame))) << "frame " << frame;
        }
    }

    TempDir dir;
};

}  // namespace batch_test
