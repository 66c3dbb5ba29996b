#include "image/CodecSettings.h"

namespace {

CodecSettings current;

}  // namespace

const CodecSettings& Codecs() {
    return current;
}

void SetCodecs(const CodecSettings& settings) {
    current = settings;
}
