// The dictionary (LZW) tile code of the "DDSL" container, with zero runs above the dictionary.
#include "resources/SpriteLzw.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "resources/Bytes.h"
#include "resources/UiHost.h"

namespace tess {

void tTabulka::Arena::Reserve(size_t need, size_t cap) {
    if (need <= room) return;
    const size_t grown = std::max(need, std::min(room * 2, cap));
    std::unique_ptr<uint8_t[]> larger(new uint8_t[grown]);
    if (used) std::memcpy(larger.get(), bytes.get(), used);
    bytes = std::move(larger);
    room = grown;
}

void tTabulka::Reset(int32_t symbolBits) {
    if (symbolBits < 1 || symbolBits > 8) throw std::invalid_argument("symbol bits out of range");
    const int32_t symbols = 1 << symbolBits;
    CodeWidth = symbolBits + 1;
    Capacity = 1 << CodeWidth;
    slots_.assign(static_cast<size_t>(Capacity), Slot{});
    strings_.used = 0;
    strings_.Reserve(1 << 16, 1 << 16);
    for (int32_t i = 0; i < symbols; ++i) {
        slots_[static_cast<size_t>(i)] = {static_cast<uint32_t>(i), 1};
        strings_.bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
    strings_.used = static_cast<size_t>(symbols);
    EndCode = symbols;
    WidenCode = symbols + 1;
    LastIndex = symbols + 1;
}

std::span<const uint8_t> tTabulka::Entry(int32_t code) const {
    if (code < 0 || code > LastIndex) return {};
    const Slot& s = slots_[static_cast<size_t>(code)];
    return {strings_.data() + s.Offset, s.Length};
}

bool tTabulka::PreviousDefined() const {
    return Previous >= 0 && Previous <= LastIndex && Previous != EndCode && Previous != WidenCode;
}

bool tTabulka::AddExtended(int32_t from, uint8_t last) {
    const Slot source = slots_[static_cast<size_t>(from)];
    const size_t need = strings_.used + source.Length + 1;
    if (LastIndex + 1 >= maxEntries_ || need > maxStringBytes_) return false;
    strings_.Reserve(need, maxStringBytes_);
    const size_t at = strings_.used;
    uint8_t* const base = strings_.data();
    std::memcpy(base + at, base + source.Offset, source.Length);
    base[at + source.Length] = last;
    strings_.used = need;
    ++LastIndex;
    if (LastIndex >= Capacity) {
        Capacity *= 2;
        slots_.resize(static_cast<size_t>(Capacity));
    }
    slots_[static_cast<size_t>(LastIndex)] = {static_cast<uint32_t>(at), source.Length + 1};
    return true;
}

int32_t tTabulka::AddEntry(std::span<const uint8_t> string) {
    const size_t need = strings_.used + string.size();
    if (Capacity == 0 || LastIndex + 1 >= maxEntries_ || need > maxStringBytes_) return -1;
    // The string may lie in the dictionary itself: copy it before the buffer can move.
    const std::vector<uint8_t> copy(string.begin(), string.end());
    strings_.Reserve(need, maxStringBytes_);
    const size_t at = strings_.used;
    if (!copy.empty()) std::memcpy(strings_.data() + at, copy.data(), copy.size());
    strings_.used = need;
    ++LastIndex;
    if (LastIndex >= Capacity) {
        Capacity *= 2;
        slots_.resize(static_cast<size_t>(Capacity));
    }
    slots_[static_cast<size_t>(LastIndex)] = {static_cast<uint32_t>(at),
                                              static_cast<uint32_t>(copy.size())};
    return LastIndex;
}

uint32_t tTabulka::NextCode() {
    const uint64_t byte = BitPos >> 3;
    const size_t size = Data.size();
    uint32_t window = 0;
    if (byte + 4 <= size) {
        window = LeU32(Data.data() + byte);
    } else {
        for (uint64_t i = 0; i < 4 && byte + i < size; ++i)
            window |= uint32_t(Data[static_cast<size_t>(byte + i)]) << (8 * i);
    }
    const uint32_t code = window >> (BitPos & 7) & ((1u << CodeWidth) - 1u);
    BitPos += static_cast<uint64_t>(CodeWidth);
    return code;
}

tTabulka::Status tTabulka::Decode(Piece& piece) {
    piece = {};
    int64_t code = NextCode();
    if (code == WidenCode) {
        CodeWidth = std::min(CodeWidth + 1, kMaxCodeWidth);
        code = NextCode();
    }
    if (code == EndCode) return Status::Ok;
    if (code > int64_t(LastIndex) + 1) {
        Previous = -1;
        piece.Length = static_cast<uint32_t>(code - LastIndex - 1);
        return Status::Ok;
    }
    const int32_t c = static_cast<int32_t>(code);
    const bool havePrevious = PreviousDefined();
    if (c == LastIndex + 1) {
        if (!havePrevious) {
            ErrorBox("Porusena integrita dat");
            return Status::Broken;
        }
        const uint8_t first = strings_.bytes[slots_[static_cast<size_t>(Previous)].Offset];
        if (!AddExtended(Previous, first)) return Status::TooLarge;
    } else {
        // A second widen code in a row would name the widen code's missing string.
        if (c == WidenCode) {
            ErrorBox("Porusena integrita dat");
            return Status::Broken;
        }
        if (havePrevious) {
            const uint8_t first = strings_.bytes[slots_[static_cast<size_t>(c)].Offset];
            if (!AddExtended(Previous, first)) return Status::TooLarge;
        }
    }
    const Slot& s = slots_[static_cast<size_t>(c)];
    piece.Bytes = strings_.data() + s.Offset;
    piece.Length = s.Length;
    Previous = c;
    return Status::Ok;
}

tTabulka::Status tTabulka::DecodeTile(std::span<uint8_t> out, uint32_t rowLength) {
    if (rowLength == 0) return Status::Ok;
    const uint64_t row = rowLength;
    const uint64_t total = out.size();
    uint64_t o = 0;
    // The end of the row that holds position o (rowEnd - row <= o < rowEnd): the row rules
    // without a division per code.
    uint64_t rowEnd = row;
    bool overflowReported = false;
    for (;;) {
        Piece piece;
        const Status status = Decode(piece);
        if (status != Status::Ok) return status;
        const uint64_t n = piece.Length;
        if (n >= 1) {
            if (o + n - 1 >= rowEnd) ErrorBox("podezrela delka");
            if (o < total) {
                const size_t m = static_cast<size_t>(std::min(n, total - o));
                if (piece.Bytes)
                    std::memcpy(out.data() + o, piece.Bytes, m);
                else
                    std::memset(out.data() + o, 0, m);
            }
            o += n;
            if (o >= rowEnd) rowEnd = o < rowEnd + row ? rowEnd + row : (o / row + 1) * row;
        }
        // No dictionary string spans two rows: the first code of a row adds no entry.
        if (o == rowEnd - row) Previous = -1;
        if (o > total && !overflowReported) {
            ErrorBox("pretekl zasobnik");
            overflowReported = true;
        }
        if (BitPos / 8 > Data.size()) {
            ErrorBox("cteme z neaspravne pozice");
            return Status::Ok;
        }
        if (n == 0) return Status::Ok;
    }
}

}  // namespace tess
