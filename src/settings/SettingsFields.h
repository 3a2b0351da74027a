#pragma once
// The load/save mechanics shared by every feature section. A feature lists
// its keys once as bindings to its members; a bit word is bound to the member
// that keeps the whole word as loaded and to one named switch per known bit.
// Load splits the word into the switches; save rebuilds it from the switches
// over the loaded word, so bits that no switch names keep their value.
#include <cstdint>
#include <span>
#include <string>

#include "settings/SettingsStore.h"

namespace fern {

template <class S>
struct BitSwitch {
    std::uint32_t mask;
    bool S::*flag;
};

template <class S>
struct FieldBinding {
    Setting key;
    int S::*number = nullptr;        // integers, packed pairs, bit words
    std::string S::*text = nullptr;  // strings, structured strings
    std::span<const BitSwitch<S>> bits = {};
};

template <class S>
constexpr FieldBinding<S> IntField(Setting key, int S::*member) {
    return {key, member, nullptr, {}};
}

template <class S>
constexpr FieldBinding<S> TextField(Setting key, std::string S::*member) {
    return {key, nullptr, member, {}};
}

template <class S, std::size_t N>
constexpr FieldBinding<S> BitsField(Setting key, int S::*word, const BitSwitch<S> (&bits)[N]) {
    return {key, word, nullptr, std::span<const BitSwitch<S>>(bits)};
}

template <class S>
void SplitBits(S& s, int word, std::span<const BitSwitch<S>> bits) {
    for (const BitSwitch<S>& bit : bits) s.*(bit.flag) = (static_cast<std::uint32_t>(word) & bit.mask) != 0;
}

template <class S>
int JoinBits(const S& s, int loaded, std::span<const BitSwitch<S>> bits) {
    auto word = static_cast<std::uint32_t>(loaded);
    for (const BitSwitch<S>& bit : bits) {
        if (s.*(bit.flag)) word |= bit.mask;
        else word &= ~bit.mask;
    }
    return static_cast<int>(word);
}

template <class S>
void LoadFields(const SettingsStore& store, S& s, std::span<const FieldBinding<S>> fields) {
    for (const FieldBinding<S>& field : fields) {
        if (field.text) {
            s.*(field.text) = store.ReadString(field.key);
        } else {
            s.*(field.number) = store.ReadInt(field.key);
            SplitBits(s, s.*(field.number), field.bits);
        }
    }
}

// Writes every bound key; the bit words kept in `s` become what was written.
// One log line when any write failed.
template <class S>
bool SaveFields(SettingsStore& store, S& s, std::span<const FieldBinding<S>> fields) {
    bool ok = true;
    for (const FieldBinding<S>& field : fields) {
        if (field.text) {
            ok = store.WriteString(field.key, s.*(field.text)) && ok;
        } else {
            s.*(field.number) = JoinBits(s, s.*(field.number), field.bits);
            ok = store.WriteInt(field.key, s.*(field.number)) && ok;
        }
    }
    if (!ok && !fields.empty()) store.LogSaveFailure(fields.front().key);
    return ok;
}

template <class S, std::size_t N>
void LoadFields(const SettingsStore& store, S& s, const FieldBinding<S> (&fields)[N]) {
    LoadFields(store, s, std::span<const FieldBinding<S>>(fields));
}

template <class S, std::size_t N>
bool SaveFields(SettingsStore& store, S& s, const FieldBinding<S> (&fields)[N]) {
    return SaveFields(store, s, std::span<const FieldBinding<S>>(fields));
}

}  // namespace fern
