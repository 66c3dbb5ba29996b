#include "document/BatchPlan.h"

#include "document/OutputName.h"
#include "image/FileTypeTable.h"
#include "sequence/NumberedName.h"
#include "sequence/NumberedOutput.h"
#include "sequence/SequenceScan.h"

int CountBatchSequence(const std::string& frameFile, BatchPlan& plan, Messages& messages) {
    plan.sequenceName = SequenceNameOf(frameFile);
    plan.count = CountSequenceFiles(plan.sequenceName, plan.first, plan.last, plan.digitCount);
    if (plan.count == 0) {
        messages.Show(NoFilesInSequenceMessage(plan.sequenceName), MessageButtons::kOk);
    }
    return plan.count;
}

bool PrepareBatch(const std::string& frameFile, const std::string& outputName, BatchPlan& plan,
                  Messages& messages) {
    if (CountBatchSequence(frameFile, plan, messages) == 0) return false;
    if (!CheckOutputName(outputName, messages)) return false;
    const int n = ScanSequence(plan.sequence, plan.sequenceName);
    plan.output = SplitPath(outputName);
    const std::string question =
        SequenceRunMessage(n, plan.sequenceName, plan.first, plan.last,
                           NumberedDisplayName(plan.output, plan.digitCount));
    return messages.Show(question, MessageButtons::kOkCancel) == MessageAnswer::kOk;
}

BatchFrame TakeFrame(BatchPlan& plan) {
    const SequenceEntry entry = *RemoveFront(plan.sequence);
    return {entry.frame, plan.sequence.directory + entry.fileName,
            NumberedOutputName(plan.output, plan.digitCount, entry.frame)};
}

std::unique_ptr<Progress> OpenBatchProgress(const char* title, const BatchPlan& plan,
                                            JobPorts& ports) {
    std::unique_ptr<Progress> progress = ports.newProgress();
    progress->Open(title, 0);
    progress->SetRange(0, static_cast<int>(plan.sequence.entries.size()), 1);
    return progress;
}

bool FrameDone(Progress& progress) {
    progress.Step();
    progress.PumpMessages(1);
    return progress.cancelled != 0;
}
