// The person sound dialog without its window: eight sound slots, "Load" filling them from a
// directory of sounds by keyword, "Play", and the "Vidět" buttons that show the person's pictures.
#include "game/PersonSoundRules.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "game/GameTables.h"
#include "game/SoundPlayer.h"
#include "game/SoundTables.h"
#include "map/ObjectsDat.h"
#include "resources/Utils.h"

namespace tess {

namespace {

namespace fs = std::filesystem;

constexpr int32_t kFacings = 8;
constexpr int32_t kFirstBody = 24;  // bodies follow the facings in a person's object numbers

// The slot a sound file's name belongs to: -1 for none (a "CREATE" sound included).
int32_t SlotOf(const std::string& fileNameUtf8) {
    const std::string name = UpperCaseCz(Utf8ToCp1250(fileNameUtf8));
    static const std::pair<const char*, int32_t> kKeywords[] = {
        {"CLICK", 0}, {"MOVE", 1}, {"WORK", 2}, {"ATTACK", 3}, {"ANGRY", 7}, {"CREATE", -1}};
    for (const auto& [keyword, slot] : kKeywords)
        if (name.find(keyword) != std::string::npos) return slot;
    return -1;
}

bool IsWav(const fs::path& path) {
    return UpperCaseCz(path.extension().string()) == ".WAV";
}

}  // namespace

PersonSoundRules::PersonSoundRules(SoundPlayer& player, tObjects* objects)
    : player_(player), objects_(objects) {
    Edit.fill("0");
}

void PersonSoundRules::SetDisplaySize(int32_t width, int32_t height) {
    display_.SetSize(width, height);
}

void PersonSoundRules::Fill(int32_t personId) {
    personId_ = personId;
    Edit.fill("0");
    CheckBox1 = false;
    GameTable persons(tables::kPerson);
    if (persons.FindId(personId)) {
        Label1 = Cp1250ToUtf8(persons.Text("Name"));
        objectBase_ = persons.Integer("Id_obj_chu");
    }
}

void PersonSoundRules::SlotEdited(int32_t slot, std::string_view text) {
    if (slot < 0 || slot >= kSlots) return;
    Edit[size_t(slot)] = std::string(text);
    CheckBox1 = true;
    CurrentSlot = slot;
}

int32_t PersonSoundRules::LoadDirectory(const std::string& chosenFile,
                                        std::string_view gameDirectory) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(chosenFile).parent_path(), error))
        if (entry.is_regular_file(error) && IsWav(entry.path())) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    int32_t filled = 0;
    for (const fs::path& file : files) {
        const int32_t slot = SlotOf(file.filename().string());
        if (slot < 0 || AllTrim(Edit[size_t(slot)]) != "0") continue;
        const std::optional<std::string> name = SoundNameFromPath(file.string(), gameDirectory);
        SlotEdited(slot, name ? *name : file.filename().string());
        ++filled;
    }
    return filled;
}

void PersonSoundRules::Play() {
    const std::string& name = Edit[size_t(std::clamp(CurrentSlot, 0, kSlots - 1))];
    if (AllTrim(name) != "0") PlayTableSound(player_, name);
}

const tObject* PersonSoundRules::Picture(int32_t id) {
    tObject* entry = objects_ ? objects_->Item(id) : nullptr;
    if (entry == nullptr || !objects_->LoadPicture(*entry)) return nullptr;
    return entry;
}

void PersonSoundRules::See(Section section, bool looping) {
    looping_ = looping;
    strip_ = tSurface();
    count_ = frame_ = frameWidth_ = frameHeight_ = 0;
    if (section == Section::Turn) {
        std::vector<const tObject*> facings;
        for (int32_t k = 0; k < kFacings; ++k)
            if (const tObject* o = Picture(objectBase_ + k)) facings.push_back(o);
        for (const tObject* o : facings) {
            frameWidth_ = std::max(frameWidth_, o->Picture.Width());
            frameHeight_ = std::max(frameHeight_, o->Height);
        }
        if (!facings.empty() && int64_t(frameHeight_) * kFacings <= tSurface::kMaxSide) {
            strip_.SetSize(frameWidth_, frameHeight_ * int32_t(facings.size()));
            const uint16_t key = facings[0]->Picture.TransparentColor();
            strip_.SetTransparentColor(key);
            strip_.Fill(key);
            for (const tObject* o : facings)
                strip_.Draw(0, count_++ * frameHeight_, o->Picture,
                            {0, 0, o->Picture.Width(), o->Height});
        }
    } else if (const tObject* o =
                   Picture(objectBase_ + (section == Section::Fall ? kFirstBody : 0))) {
        strip_ = o->Picture;
        frameWidth_ = o->Picture.Width();
        frameHeight_ = o->Height;
        if (frameHeight_ > 0)
            count_ = std::min<int32_t>(std::max<int32_t>(o->Anim_Count, 1),
                                       o->Picture.Height() / frameHeight_);
    }
    timerEnabled_ = count_ > 0;
    Tick();
}

void PersonSoundRules::Tick() {
    if (count_ <= 0) {
        timerEnabled_ = false;
        return;
    }
    display_.Fill(0);
    display_.DrawTransparent(display_.Width() / 2 - frameWidth_ / 2,
                             display_.Height() / 2 - frameHeight_ / 2, strip_,
                             {0, frame_ * frameHeight_, frameWidth_, (frame_ + 1) * frameHeight_});
    if (++frame_ < count_) return;
    frame_ = 0;
    if (!looping_) timerEnabled_ = false;
}

void PersonSoundRules::Close() {
    player_.Close();
    timerEnabled_ = false;
}

}  // namespace tess
