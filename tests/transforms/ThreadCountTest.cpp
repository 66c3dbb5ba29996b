#include <gtest/gtest.h>

#include "sky/SkyCube.h"
#include "support/PictureBytes.h"
#include "support/ScopedRenderThreads.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"

namespace {

// Every transform fills its rows in bands on the render threads: the same bytes for any count.
TEST(TransformThreads, EveryTransformGivesTheSameBytesOnAnyNumberOfThreads) {
    CImage source;
    sky::RenderFace(source, 4, 80, 60);
    XformSettings settings;
    settings.offMap = {10, 20, 30};
    const struct {
        const char* name;
        XformRoutine routine;
    } transforms[] = {{"rect to polar", RectToPolar},
                      {"polar to rect", PolarToRect},
                      {"ambivue to polar", AmbivueToPolar},
                      {"polar to ambivue", PolarToAmbivue},
                      {"hammer-aitoff", HammerAitoffToPolar}};
    for (const auto& t : transforms) {
        SCOPED_TRACE(t.name);
        std::vector<uint8_t> one;
        for (int threads : {1, 2, 3, 8}) {
            const ScopedRenderThreads count(threads);
            CImage output;
            output.Create(130, 97, 24, -1);
            t.routine(source, output, settings);
            if (threads == 1) {
                one = PictureBytes(output);
            } else {
                EXPECT_TRUE(PictureBytes(output) == one) << threads << " threads";
            }
        }
    }
}

}  // namespace
