// The run-length tile code of the "DDSR" and "DDS2" containers (16-bit pixels).
#include "resources/SpriteRle.h"

#include <algorithm>
#include <cstring>

namespace tess {

void tRle::DecodeTile(std::span<uint8_t> out) {
    uint8_t* const dst = out.data();
    const size_t end = out.size();
    size_t o = 0;
    while (pos_ < data_.size()) {
        const uint8_t k = data_[pos_++];
        if (o >= end) return;  // a full tile takes any control byte as the end
        const size_t n = (k & 63u) + 1u;
        switch (k >> 6) {
            case 0:
                return;
            case 1: {
                const size_t want = n * 2;
                const size_t have = std::min(want, data_.size() - pos_);
                const size_t room = std::min(have, end - o);
                std::memcpy(dst + o, data_.data() + pos_, room);
                pos_ += have;
                o += have;
                if (have < want) return;
                break;
            }
            case 2: {
                if (data_.size() - pos_ < 2) {
                    pos_ = data_.size();
                    return;
                }
                const uint8_t lo = data_[pos_], hi = data_[pos_ + 1];
                pos_ += 2;
                const size_t stop = std::min(end, o + n * 2);
                size_t i = o;
                for (; i + 1 < stop; i += 2) {
                    dst[i] = lo;
                    dst[i + 1] = hi;
                }
                if (i < stop) dst[i] = lo;  // an odd-sized buffer keeps the low byte
                o += n * 2;
                break;
            }
            default: {  // zero (transparent) pixels
                const size_t stop = std::min(end, o + n * 2);
                std::memset(dst + o, 0, stop - o);
                o += n * 2;
                break;
            }
        }
    }
}

}  // namespace tess
