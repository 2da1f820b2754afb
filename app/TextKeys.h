#pragma once
// The one registry of language-file keys. Every window names its texts through these constants
// (`Tekst(TextKey::Main::GroepActual)`), and the consistency test of the shipped language files
// walks the same list, so the keys the code reads and the keys the files hold cannot drift apart.
// The entries live in TextKeys.def.

#include <span>
#include <string_view>

struct TTextKey {
    const char* Section;
    const char* Key;
    // The built-in text, used when a loaded language file lacks the key.
    const char* Default;
};

// The same key with another built-in text, for the few keys whose built-in text depends on
// where they are read (the save dialog's filter, the setpoint print-out's column titles).
constexpr TTextKey WithDefault(const TTextKey& key, const char* defaultText) {
    return {key.Section, key.Key, defaultText};
}

#define KQ9_TEXT_AS(Section, Name, Key, Default)                                                   \
    namespace TextKey::Section {                                                                   \
    inline constexpr TTextKey Name{#Section, Key, Default};                                        \
    }
#define KQ9_TEXT(Section, Key, Default) KQ9_TEXT_AS(Section, Key, #Key, Default)
#include "app/TextKeys.def"
#undef KQ9_TEXT
#undef KQ9_TEXT_AS

// Every key of the registry, in the order of TextKeys.def.
std::span<const TTextKey> AllTextKeys();
// The registry entry of (section, key), compared without regard to letter case as the language
// files are; null when the program reads no such key.
const TTextKey* FindTextKey(std::string_view section, std::string_view key);
