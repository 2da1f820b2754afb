#include "app/TextKeys.h"

#include "params/DefIniFile.h"

namespace {

constexpr TTextKey Registry[] = {
#define KQ9_TEXT_AS(Section, Name, Key, Default) TextKey::Section::Name,
#define KQ9_TEXT(Section, Key, Default) KQ9_TEXT_AS(Section, Key, #Key, Default)
#include "app/TextKeys.def"
#undef KQ9_TEXT
#undef KQ9_TEXT_AS
};

} // namespace

std::span<const TTextKey> AllTextKeys() {
    return Registry;
}

const TTextKey* FindTextKey(std::string_view section, std::string_view key) {
    for (const TTextKey& entry : Registry)
        if (EqualNoCase(entry.Section, section) && EqualNoCase(entry.Key, key))
            return &entry;
    return nullptr;
}
