#include "image/PictureAllowance.h"

#include <algorithm>
#include <limits>

namespace allowance {

bool DataCanStandFor(int64_t declaredPixels, int64_t fillablePixels) {
    if (declaredPixels <= kAnyFilePixels) return true;
    const int64_t most = std::numeric_limits<int64_t>::max() / kShortFileFactor;
    return declaredPixels <=
           std::min(std::max<int64_t>(fillablePixels, 0), most) * kShortFileFactor;
}

int64_t PlainPixels(int64_t bytes, int64_t bytesPerPixel) {
    if (bytesPerPixel <= 0 || bytes <= 0) return 0;
    return bytes / bytesPerPixel;
}

}  // namespace allowance
