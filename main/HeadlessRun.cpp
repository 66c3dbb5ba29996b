#include "HeadlessRun.h"

#include <cstdio>
#include <cstring>

#include "app/CommandLine.h"
#include "headless/ConsoleMessages.h"
#include "headless/ConsoleProgress.h"
#include "headless/HeadlessDocuments.h"
#include "headless/SignalCancel.h"
#include "platform/QtSettingsStore.h"
#include "util/RenderThreads.h"

int RunHeadless(const std::vector<std::string>& arguments) {
    const SignalCancel cancelOnSignal;
    ConsoleMessages messages;
    HeadlessDocuments documents;
    JobPorts ports{messages, documents, [] { return std::make_unique<ConsoleProgress>(); }};
    QtSettingsStore store;
    AppSettings settings;
    LoadSettings(settings, store);
    SetRenderThreads(settings.renderThreads);
    const CommandLineResult result = RunCommandLine(arguments, settings, ports);
    SaveSettings(settings, store);
    if (result.outcome == BatchOutcome::kCancelled && SignalCancel::Received()) {
        std::fprintf(stderr, "mosa: cancelled by SIG%s\n", sigabbrev_np(SignalCancel::Received()));
    }
    return ExitStatusOf(result.outcome, SignalCancel::Received());
}
