#include <gtest/gtest.h>

#include "document/ImageDoc.h"
#include "headless/HeadlessDocuments.h"
#include "ports/RowBands.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedProgress.h"
#include "support/TempDir.h"
#include "transforms/XformDriver.h"
#include "util/VectorState.h"

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>

namespace {

// The processor says (XGETBV with ECX = 1) whether the AVX registers' upper halves are in use:
// the state in which every call between SSE and AVX code pays a transition.
bool CanTell() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__builtin_cpu_supports("avx") || !__get_cpuid_count(0xD, 1, &a, &b, &c, &d)) return false;
    return (a & (1u << 2)) != 0;
}

__attribute__((target("xsave"))) bool UpperHalvesInUse() {
    return (_xgetbv(1) & 0x4) != 0;
}

// What foreign code (QtCore's settings, for one) leaves behind: a 256-bit register written and
// no vzeroupper after it. Written in assembly so that no compiler adds the vzeroupper.
void DirtyUpperHalves() {
    asm volatile("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1");
}

bool upperHalvesSeenInUse = true;

void ProbeRoutine(const CImage&, CImage&, const XformSettings&) {
    upperHalvesSeenInUse = UpperHalvesInUse();
}

class VectorState : public testing::Test {
  protected:
    void SetUp() override {
        if (!CanTell()) GTEST_SKIP() << "this processor cannot tell its AVX state";
        DirtyUpperHalves();
        ASSERT_TRUE(UpperHalvesInUse()) << "the probe itself must see the dirty state";
    }
};

TEST_F(VectorState, ClearingLeavesTheUpperHalvesUnused) {
    ClearUpperVectorState();
    EXPECT_FALSE(UpperHalvesInUse());
}

TEST_F(VectorState, EveryRowOfARenderLoopStartsClean) {
    ScriptedProgress progress;
    int dirtyRows = 0;
    ForEachRow(0, 3, progress, [&](int) {
        dirtyRows += UpperHalvesInUse() ? 1 : 0;
        DirtyUpperHalves();  // as a pump running the desktop's code would
    });
    EXPECT_EQ(dirtyRows, 0);
}

TEST_F(VectorState, TransformsStartClean) {
    RecordingMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ScriptedProgress>(); }};
    TempDir dir;
    CImage source;
    source.Create(4, 4, 24, -1);
    XformSettings settings;
    settings.outputWidth = settings.outputHeight = 4;
    DirtyUpperHalves();
    TransformInto(ProbeRoutine, settings, source, dir.File("out.bmp"), ports, nullptr);
    EXPECT_FALSE(upperHalvesSeenInUse);
}

}  // namespace

#endif
