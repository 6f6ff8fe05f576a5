// Fuzz target: the object catalogue cache "objects.kar". A file is either taken whole or
// refused with the catalogue untouched; what is taken writes and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "MemoryFile.h"
#include "map/ObjectsDat.h"
#include "resources/UiHost.h"

using namespace tess;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentUi ui;
    static const bool installed = (SetUi(&ui), true);
    (void)installed;
    static fuzz::MemoryFile file;
    static tObjects* const objects = [] {
        auto* catalogue = new tObjects();
        auto sentinel = std::make_unique<tObject>();
        sentinel->Id = 4242;
        sentinel->Name = "sentinel";
        catalogue->Put(std::move(sentinel));
        return catalogue;
    }();

    // Half of the inputs go through the file reader, the rest straight to the bytes.
    std::string why;
    const bool taken = (size % 2 == 0) ? objects->ReadCacheFile(file.Hold(data, size), why)
                                       : objects->ReadCacheBytes(std::span(data, size), why);
    if (!taken) {
        Require(!why.empty());
        const tObject* sentinel = objects->Item(4242);
        Require(sentinel && sentinel->Name == "sentinel" && objects->Count() == 1);
        return 0;
    }

    // A whole cache: 10,000 entries of 4 or 215 bytes, every string within its field.
    size_t expected = 0;
    for (int32_t id = 0; id < kObjectSlots; ++id) {
        const tObject* o = objects->Item(id);
        expected += o ? kCacheEntryBytes : kCacheEmptyBytes;
        if (!o) continue;
        Require(o->Name.size() <= kObjectNameChars);
        Require(o->FileName.size() <= kObjectFileChars);
        Require(o->Tree_idx.size() <= kTreeIdxChars);
        Require(o->TreeIdxPlain == ComputeTreeIdxPlain(o->Tree_idx));
        Require(o->State == PictureState::NotLoaded && o->Picture.Empty());
    }
    Require(expected == size);
    const std::vector<uint8_t> written = objects->CacheBytes();
    Require(written.size() == size);
    auto again = std::make_unique<tObjects>();
    Require(again->ReadCacheBytes(written, why));
    Require(again->CacheBytes() == written);

    // Put the sentinel catalogue back for the next input.
    objects->Clear();
    auto sentinel = std::make_unique<tObject>();
    sentinel->Id = 4242;
    sentinel->Name = "sentinel";
    objects->Put(std::move(sentinel));
    return 0;
}
