#include <gtest/gtest.h>

#include "sky/SkyCube.h"
#include "support/PictureBytes.h"
#include "support/ScopedRenderThreads.h"
#include "transforms/AmbivuePolar.h"
#include "transforms/HammerAitoff.h"
#include "transforms/RectPolar.h"
#include "util/CancelRequest.h"

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

// A cancelling signal stops every transform at its next row, on one thread or several: with
// the cancel already asked for, no row is filled.
TEST(TransformThreads, ACancellingSignalStopsATransformAtItsNextRow) {
    CImage source;
    sky::RenderFace(source, 4, 80, 60);
    XformSettings settings;
    const XformRoutine routines[] = {RectToPolar, PolarToRect, AmbivueToPolar, PolarToAmbivue,
                                     HammerAitoffToPolar};
    for (int threads : {1, 2}) {
        const ScopedRenderThreads count(threads);
        for (const XformRoutine routine : routines) {
            CImage output;
            output.Create(200, 400, 24, -1);
            output.Fill(1, 2, 3, 255);
            RequestCancel();
            routine(source, output, settings);
            ClearCancelRequest();
            int filledRows = 0;
            for (int y = 0; y < output.Height(); ++y) {
                for (int x = 0; x < output.Width(); ++x) {
                    uint8_t r = 0, g = 0, b = 0;
                    output.GetRGB(x, y, r, g, b);
                    if (r != 1 || g != 2 || b != 3) {
                        ++filledRows;
                        break;
                    }
                }
            }
            EXPECT_EQ(filledRows, 0) << threads << " threads";
        }
    }
}

}  // namespace
