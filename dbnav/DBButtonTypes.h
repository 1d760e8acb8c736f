#pragma once
// What each kind of navigation button does by default: the dataset conditions that disable
// it, the suffix of its picture resource, whether it repeats while held, and its hint in
// each of the five languages.

#include <QString>
#include <cstdint>

enum TDBButtonType {
    nbCustom, nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbAppend,
    nbDelete, nbEdit, nbPost, nbCancel, nbRefresh
};

enum TDBBDisableReason { drBOF, drEOF, drReadonly, drNotEditing, drEditing, drEmpty };

// A set of TDBBDisableReason (bit n = reason n).
class TDBBDisableReasons {
public:
    constexpr TDBBDisableReasons() = default;
    constexpr TDBBDisableReasons(std::initializer_list<TDBBDisableReason> reasons)
    {
        for (TDBBDisableReason r : reasons)
            bits_ |= bit(r);
    }
    constexpr bool contains(TDBBDisableReason r) const { return (bits_ & bit(r)) != 0; }
    constexpr void include(TDBBDisableReason r) { bits_ |= bit(r); }
    constexpr bool intersects(TDBBDisableReasons other) const { return (bits_ & other.bits_) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr std::uint8_t bits() const { return bits_; }
    constexpr bool operator==(const TDBBDisableReasons&) const = default;

private:
    static constexpr std::uint8_t bit(TDBBDisableReason r) { return std::uint8_t(1u << r); }
    std::uint8_t bits_ = 0;
};

enum TDBButtonLanguage { blUSEnglish, blHebrew, blPortugues, blGerman, blSpanish };

namespace DBButtonDefaults {

// The type's default reasons; nbCustom has none of its own (its reasons stay as they are).
TDBBDisableReasons disableReasons(TDBButtonType type);
bool hasDefaultReasons(TDBButtonType type);
// "FIRST", "PRIOR", ...; empty for nbCustom. nbAppend shares "INSERT".
QString pictureSuffix(TDBButtonType type);
// The resource that holds the default picture: "dbn_" + suffix, looked up without regard
// to case among the program's resources. Empty for nbCustom.
QString pictureResourceName(TDBButtonType type);
// Prior and Next repeat while the mouse is held on them.
bool repeats(TDBButtonType type);
// The default hint of a type in a language; empty for nbCustom.
QString hint(TDBButtonType type, TDBButtonLanguage language);
// True when `text` is the default hint of some type in `language` (or empty).
bool isDefaultHint(const QString& text, TDBButtonLanguage language);

}
