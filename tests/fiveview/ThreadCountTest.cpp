#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "fiveview/FiveViewRenderers.h"
#include "sky/SkyCube.h"
#include "support/FaceFixtures.h"
#include "support/PictureBytes.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"

namespace {

// Bands are 16 rows; 150 rows make ten of them, the last one short.
constexpr int kSize = 150;

using Renderer = std::function<void(CImage&, const FacePictures&, Progress&)>;

std::vector<uint8_t> RenderWith(int threads, const Renderer& render, const FacePictures& faces) {
    const ScopedRenderThreads count(threads);
    CImage output;
    output.Create(kSize, kSize, 24, -1);
    ScriptedProgress progress;
    render(output, faces, progress);
    EXPECT_EQ(progress.cancelled, 0);
    return PictureBytes(output);
}

class EveryRenderer : public testing::Test {
  protected:
    void SetUp() override {
        sky::RenderFaces(faces, 48, 48);
        settings = SettingsFor(200, kDomeMaster);
        BuildEwaWeights(weights, 4.0);
    }
    std::vector<std::pair<const char*, Renderer>> Renderers() {
        auto tablesOf = [this](auto build, auto render) {
            return [this, build, render](CImage& out, const FacePictures& f, Progress& p) {
                FiveViewTables tables;
                build(out, settings, f, tables, p);
                render(out, settings, f, tables, p);
            };
        };
        return {
            {"plain", [this](CImage& o, const FacePictures& f,
                             Progress& p) { RenderPlain(o, settings, f, p); }},
            {"5x", [this](CImage& o, const FacePictures& f,
                          Progress& p) { RenderSubsample5(o, settings, f, p); }},
            {"ewa", [this](CImage& o, const FacePictures& f,
                           Progress& p) { RenderEwaRGB(o, settings, f, weights, p); }},
            {"plain tables", tablesOf(BuildPlainTable, RenderPlainTable)},
            {"5x tables", tablesOf(BuildSubsample5Table, RenderSubsample5Table)},
        };
    }

    FacePictures faces;
    FiveViewSettings settings;
    EwaWeights weights;
};

TEST_F(EveryRenderer, GivesTheSameBytesOnAnyNumberOfThreads) {
    for (const auto& [name, render] : Renderers()) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> one = RenderWith(1, render, faces);
        for (int threads : {2, 3, 8}) {
            EXPECT_TRUE(RenderWith(threads, render, faces) == one) << threads << " threads";
        }
    }
}

// A cancel on the pumping thread reaches the workers: the render answers at once with the
// progress cancelled, well before the last row.
TEST_F(EveryRenderer, ACancelStopsTheThreadsMidFrame) {
    const ScopedRenderThreads threads(3);
    for (const auto& [name, render] : Renderers()) {
        SCOPED_TRACE(name);
        CImage output;
        output.Create(kSize, kSize, 24, -1);
        ScriptedProgress cancelling(20);
        render(output, faces, cancelling);
        EXPECT_EQ(cancelling.cancelled, 1);
        EXPECT_EQ(cancelling.steps, 19) << "one step per row stepped before the cancel";
    }
}

}  // namespace
