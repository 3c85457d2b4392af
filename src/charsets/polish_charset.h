// PolishCharset: a converter between two of the four Polish character sets the
// system knows, with the case maps and sort orders of the first.
//
//   index  name   what it is
//   0      "bez"  Polish without diacritics (ą -> a, Ż -> Z ...)
//   1      "iso"  ISO-8859-2 letters, cp1250 typographic characters
//   2      "win"  cp1250
//   3      "mac"  Mac Central European
//
// Each set is known by its 18 Polish letters (ą ć ę ł ń ó ś ź ż, then the
// capitals) and, except "bez", 13 typographic characters « » ’ „ ” “ ” — – ™ ® © •.
// Only those bytes are converted; every other byte passes unchanged. The internal
// set is the one the text is in; the external set the one it goes to or comes
// from. An index outside 0-3, or a name that names no set, means "bez".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik {

class PolishCharset {
  public:
    static constexpr int SetCount = 4;

    // Class flags of the internal set: its 18 Polish letters (in "bez" the base
    // letters a c e l n o s z and their capitals) and its typographic characters.
    static constexpr uint32_t kPolishLetter = 0x100;
    static constexpr uint32_t kTypographic = 0x200;

    // CaseSensitive: A a Ą ą B b ... Ż ż, after every ASCII non-letter.
    // CaseInsensitive: the same with each capital equal to its small letter.
    // Bytes from 0x80 up that are no Polish letter rank 0, as does NUL when case
    // is ignored.
    enum class Order { CaseSensitive, CaseInsensitive };

    PolishCharset(int internalSet, int externalSet);
    PolishCharset(std::string_view internalName, std::string_view externalName);

    // The first set, in the order bez, iso, win, mac, whose name occurs anywhere
    // in `name` with ASCII case ignored ("WINDOWS-1250" and "win" give 2,
    // "x-mac-ce" 3, "ISO-8859-2" 1); -1 when none does.
    static int FindSet(std::string_view name);
    static std::string_view SetName(int set);
    // The set's Polish letters, then its typographic characters.
    static std::string_view SetLetters(int set);

    // Changing the internal set rebuilds everything; changing the external set
    // only the conversion maps. Setting the current set does nothing.
    void SetInternal(int set);
    void SetInternal(std::string_view name);
    void SetExternal(int set);
    void SetExternal(std::string_view name);

    int InternalSet() const { return internalSet; }
    int ExternalSet() const { return externalSet; }
    std::string_view InternalName() const { return SetName(internalSet); }
    std::string_view ExternalName() const { return SetName(externalSet); }

    uint32_t Flags(uint8_t c) const { return flags[c]; }

    // Conversions. Text in "bez" is never converted (its letters stand for more
    // than one letter each), so internal "bez" copies text out unchanged and
    // external "bez" copies it in unchanged; text coming into internal "bez"
    // loses every diacritic (ź and ż both become z). The in-place forms take a counted
    // run of exactly `count` bytes (no NUL added), or the text up to its NUL when
    // count is 0 or less; a null text is left alone. The copying forms convert
    // every byte of `source`.
    uint8_t ToExternal(uint8_t c) const;
    uint8_t ToInternal(uint8_t c) const;
    void ToExternalInPlace(char* text, int count = 0) const;
    void ToInternalInPlace(char* text, int count = 0) const;
    std::string ToExternal(std::string_view source) const;
    std::string ToInternal(std::string_view source) const;

    // Case maps of the internal set: a-z <-> A-Z and each Polish letter <-> its
    // partner. The in-place forms stop at the NUL; a null text is left alone.
    uint8_t Lower(uint8_t c) const { return lowerMap[c]; }
    uint8_t Upper(uint8_t c) const { return upperMap[c]; }
    void LowerInPlace(char* text) const;
    void UpperInPlace(char* text) const;

    uint8_t Rank(uint8_t c, Order order) const;

    // Compares NUL-terminated strings rank by rank: stops at the first position
    // where the ranks differ or either string ends, and returns rank(a) - rank(b)
    // there (negative when a sorts first). After `maxLength` equal positions the
    // strings are equal. Characters of `ignore` (NUL-terminated) are skipped on
    // both sides. A null string or a maxLength of 0 or less compares as 0.
    int Compare(const char* a, const char* b, Order order, int maxLength = 65535,
                const char* ignore = nullptr) const;

  private:
    using ByteMap = std::array<uint8_t, 256>;

    void BuildClassesCaseMapsAndOrders();
    void BuildConversionMaps();
    static void MapBytes(char* text, std::size_t length, const ByteMap& map);

    int internalSet = -1;
    int externalSet = -1;
    std::array<uint32_t, 256> flags{};
    ByteMap lowerMap{};
    ByteMap upperMap{};
    ByteMap caseSensitiveOrder{};
    ByteMap caseInsensitiveOrder{};
    ByteMap toExternalMap{};
    ByteMap toInternalMap{};
};

}  // namespace tarnik
