#include "gui/app/DialogMemory.h"

#include <string>
#include <utility>

#include "fiveview/FiveViewSettings.h"
#include "mapdoc/FourViewPan.h"

namespace {

using TextFields = std::pair<const char*, std::string*>;
using NumberFields = std::pair<const char*, int*>;

void Recall(SettingsStore& store, std::initializer_list<TextFields> texts,
            std::initializer_list<NumberFields> numbers) {
    for (const auto& [key, field] : texts) {
        if (const auto value = store.ReadString(key)) *field = *value;
    }
    for (const auto& [key, field] : numbers) {
        if (const auto value = store.ReadInt(key)) *field = *value;
    }
}

void Remember(SettingsStore& store, std::initializer_list<TextFields> texts,
              std::initializer_list<NumberFields> numbers) {
    for (const auto& [key, field] : texts) store.WriteString(key, *field);
    for (const auto& [key, field] : numbers) store.WriteInt(key, *field);
}

// The dialogs' fields and their keys, for reading and writing alike.
template <typename Settings, typename Action>
void FiveViewFields(Settings& s, SettingsStore& store, Action action) {
    action(store,
           {{"FiveViewBack", &s.backFile},
            {"FiveViewFront", &s.frontFile},
            {"FiveViewLeft", &s.leftFile},
            {"FiveViewRight", &s.rightFile},
            {"FiveViewTop", &s.topFile}},
           {{"FiveViewInputKind", &s.inputKind},
            {"FiveViewFrameRange", &s.frameRange},
            {"FiveViewFirstFrame", &s.firstFrame},
            {"FiveViewLastFrame", &s.lastFrame}});
}

template <typename Files, typename Action>
void ChannelFields(Files& f, SettingsStore& store, Action action) {
    action(store,
           {{"ChannelLeft", &f.left},
            {"ChannelCenter", &f.center},
            {"ChannelRight", &f.right},
            {"ChannelUp", &f.top}},
           {{"ChannelOutputType", &f.outputType}});
}

}  // namespace

void RecallFiveViewFiles(FiveViewSettings& settings, SettingsStore& store) {
    FiveViewFields(settings, store, Recall);
}

void RememberFiveViewFiles(const FiveViewSettings& settings, SettingsStore& store) {
    FiveViewSettings copy = settings;
    FiveViewFields(copy, store, Remember);
}

void RecallChannelFiles(ChannelFiles& files, SettingsStore& store) {
    ChannelFields(files, store, Recall);
}

void RememberChannelFiles(const ChannelFiles& files, SettingsStore& store) {
    ChannelFiles copy = files;
    ChannelFields(copy, store, Remember);
}
