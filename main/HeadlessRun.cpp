#include "HeadlessRun.h"

#include "app/CommandLine.h"
#include "headless/ConsoleMessages.h"
#include "headless/ConsoleProgress.h"
#include "headless/HeadlessDocuments.h"
#include "platform/QtSettingsStore.h"

int RunHeadless(const std::vector<std::string>& arguments) {
    ConsoleMessages messages;
    SetLibraryMessages(&messages);
    HeadlessDocuments documents(messages);
    JobPorts ports{messages, documents, [] { return std::make_unique<ConsoleProgress>(); }};
    QtSettingsStore store;
    AppSettings settings;
    LoadSettings(settings, store);
    const CommandLineResult result = RunCommandLine(arguments, settings, ports);
    SaveSettings(settings, store);
    SetLibraryMessages(nullptr);
    switch (result.outcome) {
        case BatchOutcome::kDone:
            return kExitDone;
        case BatchOutcome::kBadCommandLine:
            return kExitBadCommandLine;
        case BatchOutcome::kJobFailed:
            break;
    }
    return kExitJobFailed;
}
