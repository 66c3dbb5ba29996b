#include <gtest/gtest.h>

#include <cstring>

#include "fiveview/FiveViewRenderers.h"
#include "support/FaceFixtures.h"
#include "support/ScopedRenderThreads.h"
#include "support/ScriptedProgress.h"

namespace {

bool SamePixels(const CImage& a, const CImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const size_t bytes = static_cast<size_t>(a.RowBytes()) * a.Height();
    return std::memcmp(a.Bits(), b.Bits(), bytes) == 0;
}

struct TableCase {
    double sweep;
    PolarFormat format;
    int width;
    int height;
};

class TableRender : public testing::TestWithParam<TableCase> {
  protected:
    void SetUp() override {
        // Faces of unequal sizes, so that a table mixing up faces or axes shows.
        MakeCoordinateFaces(faces, {{{200, 180}, {256, 256}, {150, 250}, {97, 64}, {233, 222}}});
    }
    FacePictures faces;
};

TEST_P(TableRender, PlainTableEqualsDirectRenderByteForByte) {
    const TableCase c = GetParam();
    const FiveViewSettings settings = SettingsFor(c.sweep, c.format);
    CImage direct = MarkedOutput(c.width, c.height), viaTable = MarkedOutput(c.width, c.height);
    ScriptedProgress progress;
    RenderPlain(direct, settings, faces, progress);
    FiveViewTables tables;
    ScriptedProgress building;
    BuildPlainTable(viaTable, settings, faces, tables, building);
    EXPECT_EQ(building.steps, c.height);
    EXPECT_EQ(tables.faceTable.size(), static_cast<size_t>(c.width) * c.height);
    ScriptedProgress rendering;
    RenderPlainTable(viaTable, settings, faces, tables, rendering);
    EXPECT_EQ(rendering.steps, c.height);
    EXPECT_TRUE(SamePixels(direct, viaTable));
}

TEST_P(TableRender, Subsample5TableEqualsDirectRenderByteForByte) {
    const TableCase c = GetParam();
    const FiveViewSettings settings = SettingsFor(c.sweep, c.format);
    CImage direct = MarkedOutput(c.width, c.height), viaTable = MarkedOutput(c.width, c.height);
    ScriptedProgress progress;
    RenderSubsample5(direct, settings, faces, progress);
    FiveViewTables tables;
    BuildSubsample5Table(viaTable, settings, faces, tables, progress);
    EXPECT_EQ(tables.rowTable.size(), 5u * c.width * c.height);
    RenderSubsample5Table(viaTable, settings, faces, tables, progress);
    EXPECT_TRUE(SamePixels(direct, viaTable));
}

INSTANTIATE_TEST_SUITE_P(Sweeps, TableRender,
                         testing::Values(TableCase{180, kDomeMaster, 211, 211},
                                         TableCase{212.58, kAllSky, 257, 199},
                                         TableCase{212.58, kDomeMaster, 120, 300},
                                         TableCase{300, kAllSky, 151, 151},
                                         TableCase{360, kDomeMaster, 64, 64}),
                         [](const testing::TestParamInfo<TableCase>& info) {
                             const TableCase& c = info.param;
                             return (c.format == kDomeMaster ? "DomeMaster" : "AllSky") +
                                    std::to_string(static_cast<int>(c.sweep)) + "_" +
                                    std::to_string(c.width) + "x" + std::to_string(c.height);
                         });

TEST(TableRenderGuards, MismatchedTablesAreNotUsed) {
    FacePictures faces;
    MakeUniformFaces(faces, 8, 9, 9, 9);
    CImage small = MarkedOutput(20, 20), large = MarkedOutput(30, 30);
    FiveViewTables tables;
    ScriptedProgress progress;
    BuildPlainTable(small, SettingsFor(180, kDomeMaster), faces, tables, progress);
    RenderPlainTable(large, SettingsFor(180, kDomeMaster), faces, tables, progress);
    EXPECT_TRUE(Untouched(large, 15, 15));
    RenderSubsample5Table(small, SettingsFor(180, kDomeMaster), faces, tables, progress);
    EXPECT_TRUE(Untouched(small, 10, 10)) << "a plain table is no 5x table";
}

TEST(TableRenderCancel, StopsAtTheRowWhereCancelWasSeen) {
    const ScopedRenderThreads oneThread(1);
    FacePictures faces;
    MakeUniformFaces(faces, 8, 9, 9, 9);
    CImage output = MarkedOutput(20, 20);
    FiveViewTables tables;
    ScriptedProgress building;
    BuildSubsample5Table(output, SettingsFor(180, kDomeMaster), faces, tables, building);
    ScriptedProgress cancelling(6);
    RenderSubsample5Table(output, SettingsFor(180, kDomeMaster), faces, tables, cancelling);
    EXPECT_EQ(cancelling.steps, 5);
    EXPECT_FALSE(Untouched(output, 10, 4));
    EXPECT_TRUE(Untouched(output, 10, 5));
}

// Tables are built over the last ones without clearing them first, so every entry must be
// written: a 360-degree sweep has samples below every side face, where 180 degrees had hits.
TEST(TableRenderGuards, RebuiltTablesKeepNothingOfTheLastOnes) {
    FacePictures faces;
    MakeUniformFaces(faces, 16, 9, 9, 9);
    CImage output = MarkedOutput(41, 41);
    ScriptedProgress progress;
    FiveViewTables reused, fresh;
    BuildSubsample5Table(output, SettingsFor(180, kDomeMaster), faces, reused, progress);
    BuildSubsample5Table(output, SettingsFor(360, kDomeMaster), faces, reused, progress);
    BuildSubsample5Table(output, SettingsFor(360, kDomeMaster), faces, fresh, progress);
    EXPECT_TRUE(reused.faceTable == fresh.faceTable);
    EXPECT_TRUE(reused.rowTable == fresh.rowTable);
    EXPECT_TRUE(reused.columnTable == fresh.columnTable);
}

TEST(TableRenderCancel, CancelledBuildLeavesNoTables) {
    FacePictures faces;
    MakeUniformFaces(faces, 8, 9, 9, 9);
    CImage output = MarkedOutput(20, 20);
    FiveViewTables tables;
    ScriptedProgress cancelling(6);
    BuildPlainTable(output, SettingsFor(180, kDomeMaster), faces, tables, cancelling);
    EXPECT_TRUE(tables.faceTable.empty() && tables.rowTable.empty() && tables.columnTable.empty());
    ScriptedProgress progress;
    RenderPlainTable(output, SettingsFor(180, kDomeMaster), faces, tables, progress);
    EXPECT_TRUE(Untouched(output, 10, 10));
}

}  // namespace
