#include <gtest/gtest.h>

#include <algorithm>

#include "mapdoc/MosaDoc.h"
#include "sky/SkyCube.h"
#include "support/PictureBytes.h"
#include "support/RecordingMessages.h"
#include "support/ScopedRenderThreads.h"

namespace {

std::vector<uint8_t> MapWith(int threads, int antiAliasing, bool fisheye) {
    const ScopedRenderThreads count(threads);
    RecordingMessages messages;
    PanSettings settings = NewDocumentPanSettings();
    settings.width = 300;
    settings.height = 83;
    settings.antiAliasing = antiAliasing;
    CMosaDoc map;
    EXPECT_TRUE(map.OnNewDocument(settings, messages));
    auto view = std::make_unique<CImage>();
    sky::RenderFace(*view, 4, 64, 48);
    if (fisheye) {
        map.MapFisheye(*view, FisheyeParams{});
    } else {
        map.AddFlat(std::move(view), 5, 20, 10, 90, 70);
    }
    return PictureBytes(map.Image());
}

// A flat view (none, 4x, 7x) and a fisheye map the same bytes whatever the thread count.
TEST(MapThreads, FlatViewsAndFisheyesGiveTheSameBytesOnAnyNumberOfThreads) {
    for (const auto& [antiAliasing, fisheye] :
         {std::pair{kMapNoAA, false}, {kMap4x, false}, {kMap7x, false}, {kMapNoAA, true}}) {
        SCOPED_TRACE(antiAliasing + 10 * fisheye);
        const std::vector<uint8_t> one = MapWith(1, antiAliasing, fisheye);
        EXPECT_GT(std::count_if(one.begin(), one.end(), [](uint8_t v) { return v != 0; }), 5000)
            << "the view covers part of the map";
        for (int threads : {2, 3, 8}) {
            EXPECT_TRUE(MapWith(threads, antiAliasing, fisheye) == one) << threads << " threads";
        }
    }
}

}  // namespace
