#include "app/TextKeys.h"

#include <cctype>

namespace {

constexpr TTextKey Registry[] = {
#define KQ9_TEXT_AS(Section, Name, Key, Default) TextKey::Section::Name,
#define KQ9_TEXT(Section, Key, Default) KQ9_TEXT_AS(Section, Key, #Key, Default)
#include "app/TextKeys.def"
#undef KQ9_TEXT
#undef KQ9_TEXT_AS
};

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::span<const TTextKey> AllTextKeys() {
    return Registry;
}

const TTextKey* FindTextKey(std::string_view section, std::string_view key) {
    for (const TTextKey& entry : Registry)
        if (SameNoCase(entry.Section, section) && SameNoCase(entry.Key, key))
            return &entry;
    return nullptr;
}
