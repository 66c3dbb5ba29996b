#include "image/TgaHeader.h"

#include <cstdio>

#include "util/FormatText.h"

TgaHeader UnpackTgaHeader(const uint8_t (&bytes)[TgaHeader::kSize]) {
    TgaHeader h;
    h.idLength = bytes[0];
    h.coMapType = bytes[1];
    h.imgType = bytes[2];
    h.indexLo = bytes[3];
    h.indexHi = bytes[4];
    h.lengthLo = bytes[5];
    h.lengthHi = bytes[6];
    h.coSize = bytes[7];
    h.xOrgLo = bytes[8];
    h.xOrgHi = bytes[9];
    h.yOrgLo = bytes[10];
    h.yOrgHi = bytes[11];
    h.widthLo = bytes[12];
    h.widthHi = bytes[13];
    h.heightLo = bytes[14];
    h.heightHi = bytes[15];
    h.pixelSize = bytes[16];
    const uint8_t descriptor = bytes[17];
    h.attBits = descriptor & 0x0F;
    h.rsrvd = (descriptor >> 4) & 1;
    h.orgBit = (descriptor >> 5) & 1;
    h.intrLve = descriptor >> 6;
    return h;
}

void DumpTgaHeader(const TgaHeader& h, std::vector<std::string>& notes) {
    const struct {
        const char* format;
        int value;
    } fields[] = {
        {"IDLength = %d\n", h.idLength},   {"CoMapType = %d\n", h.coMapType},
        {"ImgType = %d\n", h.imgType},     {"Index_lo = %d\n", h.indexLo},
        {"Index_hi = %d\n", h.indexHi},    {"Length_lo = %d\n", h.lengthLo},
        {"Length_hi = %d\n", h.lengthHi},  {"CoSize = %d\n", h.coSize},
        {"X_org_lo = %d\n", h.xOrgLo},     {"X_org_hi = %d\n", h.xOrgHi},
        {"Y_org_lo = %d\n", h.yOrgLo},     {"Y_org_hi = %d\n", h.yOrgHi},
        {"Width_lo = %d\n", h.widthLo},    {"Width_hi = %d\n", h.widthHi},
        {"Height_lo = %d\n", h.heightLo},  {"Height_hi = %d\n", h.heightHi},
        {"PixelSize = %d\n", h.pixelSize}, {"AttBits = %d\n", h.attBits},
        {"Rsrvd = %d\n", h.rsrvd},         {"OrgBit = %d\n", h.orgBit},
        {"IntrLve = %d\n", h.intrLve},
    };
    for (const auto& field : fields) notes.push_back(Format(field.format, field.value));
}
