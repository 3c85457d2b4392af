#include "typography/run_typography.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "charsets/char_classes.h"
#include "platform/host_api.h"
#include "text/story_text.h"
#include "typography/no_break_mark.h"
#include "typography/quote_messages.h"
#include "typography/typo_positions.h"
#include "typography/typo_tokens.h"
#include "typography/typography_state.h"

namespace tarnik {

namespace {

// A missing neighbour: no class, no letter, no digit.
constexpr uint16_t kNoChar = 0xFFFF;
// A host character that the neighbour searches pass over.
constexpr uint16_t kSkippedCode = 30;

bool IsAlnumCode(uint16_t code) {
    return code < 256 && IsAlnum(static_cast<uint8_t>(code));
}
bool IsDigitCode(uint16_t code) {
    return code < 256 && IsDigit(static_cast<uint8_t>(code));
}
bool IsAlphaCode(uint16_t code) {
    return code < 256 && IsAlpha(static_cast<uint8_t>(code));
}
bool IsAsciiLower(uint16_t code) {
    return code >= 'a' && code <= 'z';
}
bool IsAsciiAlnum(uint16_t code) {
    return IsAsciiLower(code) || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
}
bool IsApostrophe(uint16_t code) {
    return code == '\'' || code == kRightSingleQuote;
}

// Characters that make a run of punctuation an emoticon or an arrow (;->  :-)
// <=), which the spacing rules leave as written.
bool IsSymbol(uint16_t code) {
    return code < 128 && code != 0 && std::strchr("-<>=^*~|", static_cast<char>(code)) != nullptr;
}

// Longest segment of a file or domain name that the spacing rules look at, and
// longest run of punctuation taken for an emoticon.
constexpr int kNameSegmentMax = 64;
constexpr int kSymbolRunMax = 16;

// What a rule did with the current position.
enum class Act {
    None,     // the rule does not apply; the next one is tried
    Stay,     // the position (cur, possibly moved by the rule) is examined again
    Advance,  // on to the next character
    Stop,     // the run ends here, without giving the selection back
    Failed    // the host refused an edit; the run ends as at the end of the range
};

class TypographyRun {
  public:
    explicit TypographyRun(const TypographyState& state)
        : settings_(state.settings), classes_(state.classes), quoteLeft_(state.quoteLeft) {}

    void Run();
    void Run(TypoPiece& piece);

  private:
    bool ChooseRange();
    // Steps until the range ends (true) or a quotation mark ends the run (false).
    bool Steps();
    void FindNeighbours();
    Act Step();
    Act Spacing();
    Act Dash();
    Act AfterWord();
    Act AfterNumber();
    Act BeforeWord();
    Act BeforeNumber();
    Act BeforeRoman();
    Act Quote();
    Act Open();
    Act Close();
    // A mark the rules cannot place: the run stops at it, or, for a caller that
    // asked to be told, it is left and the run goes on as the caller says.
    Act Undecided(const char* message);
    Act StopAt(const char* message);

    // True when the full stop at cur stands inside a file or domain name
    // (debian.pl, config.txt, www.example.com.pl): a segment of ASCII letters and
    // digits before it and one after it that begins with a small letter or digit,
    // each ended by another full stop or slash, a blank or the punctuation around
    // a word. "koniec.Start" is a sentence end: its capital makes it one.
    bool InsideName() const;
    // True when cur stands in a run of two or more characters, none a letter,
    // digit or blank, that holds a symbol of IsSymbol (;->  :-)).
    bool InSymbolRun() const;
    // True when cur stands in an emoticon: a token (between blanks, sentence
    // marks after it aside) such as :P :D :) ;) ;> :-( =) <3 xD.
    bool InEmoticon() const;
    // True when `position` (a space) lies in a line's indentation: only spaces
    // and tabs stand between it and the line's start.
    bool InIndentation(int32_t position) const;
    // True when cur is a " right after a number (24", 5'30"): an inch or
    // second mark, not a quotation mark; a number that a quotation mark opened
    // just before ("5") is quoted instead.
    bool IsInchMark() const;
    // Ends the segment of a name: a full stop, a slash, a blank, the range's edge
    // or the punctuation around a word.
    bool EndsNameSegment(int32_t position) const;
    // True when cur is a full stop or colon at the start of a word, before a
    // small letter or digit: a part of the word (.bashrc, :help).
    bool BeginsName() const;
    // True when cur is the '(' of a manual-page reference or a call, right after
    // a name: mke2fs.conf(5), printf(3p), main().
    bool IsManualReference() const;
    // True when the word at `from` (letters, dashes, '.', '$', '%', '‰'; ended
    // by a blank, a sentence mark or the range end) has at most `max`
    // characters and is in `list`, as it stands or without a final full stop.
    bool UnitWordIn(int32_t from, int max, const TypoWordList& list);
    // Binds the space at `position` unless it is bound already.
    void Bind(int32_t position);

    // Edits, keeping end, len and the user's selection in step with the text.
    bool Delete(int32_t position);
    bool InsertSpace(int32_t selected, int32_t at);
    bool Replace(int32_t position, uint16_t code, bool isDash);
    void ShiftBounds(int32_t from, int32_t by);
    void EndOfRun();

    bool Is(uint16_t code, uint16_t classes) const { return classes_.Is(code, classes); }
    bool HasPrevious() const { return prevpos_ >= 0; }
    bool HasNext() const { return nextpos_ >= 0; }
    uint16_t CharAt(int32_t position) const { return GetChar(story_, position); }
    int32_t Next(int32_t position) const { return StepForward(story_, position); }
    int32_t Previous(int32_t position) const { return StepBackward(story_, position); }

    const TypoSettings& settings_;
    const TypoCharClasses& classes_;
    const TypoQuoteLeft& quoteLeft_;
    XTBox box_ = 0;
    XTStory story_ = 0;
    int32_t cur_ = 0;
    int32_t end_ = 0;
    int32_t stop_ = 0;  // stepping ends here; the range's end in a whole run
    int32_t len_ = 0;
    int32_t origStart_ = 0;
    int32_t origEnd_ = 0;
    int32_t prevpos_ = -1;
    int32_t nextpos_ = -1;
    uint16_t p_ = kNoChar;
    uint16_t c_ = kNoChar;
    uint16_t n_ = kNoChar;
    int depth_ = 0;
    // The last position InIndentation answered for, and its answer.
    mutable int32_t indentQuery_ = -1;
    mutable bool indentAnswer_ = false;
};

void TypographyRun::Run() {
    if (!ChooseRange())
        return;
    if (Steps())
        EndOfRun();
}

void TypographyRun::Run(TypoPiece& piece) {
    box_ = Host().GetCurrentBox();
    BoxTextInfo info = Host().GetBoxTextInfo(box_);
    piece.halted = false;
    if (info.story == 0)
        return;
    story_ = info.story;
    len_ = end_ = info.length;
    cur_ = piece.start;
    stop_ = piece.stop;
    depth_ = piece.depth;
    piece.halted = !Steps();
    // A step the host refused ends the piece as the end of the text would.
    piece.start = piece.halted ? cur_ : cur_ < 0 || cur_ < stop_ ? len_ : cur_;
    piece.depth = depth_;
}

bool TypographyRun::Steps() {
    while (len_ > 0 && cur_ < end_ && cur_ < stop_) {
        Act act = Step();
        if (act == Act::Stop)
            return false;
        if (act == Act::Failed)
            break;
        if (act == Act::Advance) {
            cur_ = Next(cur_);
            if (cur_ < 0)
                break;
        }
    }
    return true;
}

bool TypographyRun::ChooseRange() {
    box_ = Host().GetCurrentBox();
    BoxTextInfo info = Host().GetBoxTextInfo(box_);
    if (info.story == 0)
        return false;
    story_ = info.story;
    len_ = info.length;
    origStart_ = info.selectionStart;
    origEnd_ = info.selectionEnd;
    if (origStart_ == origEnd_ || (origStart_ == 0 && origEnd_ == len_)) {
        cur_ = 0;
        end_ = len_;
    } else {
        int32_t a = Next(origStart_);
        int32_t b = Previous(origEnd_);
        if (a < 0 || b < 0)
            return false;
        cur_ = a == origStart_ + 1 ? origStart_ : a;
        end_ = b == origEnd_ - 1 ? origEnd_ : b;
        if (cur_ > end_)
            return false;
        if (cur_ == end_) {
            cur_ = 0;
            end_ = len_;
        }
    }
    stop_ = end_;
    Host().SetTextSelection(story_, 0, 0, true);
    depth_ = 0;
    return true;
}

void TypographyRun::FindNeighbours() {
    prevpos_ = -1;
    p_ = kNoChar;
    for (int32_t q = cur_ > 0 ? Previous(cur_) : -1; q >= 0; q = q > 0 ? Previous(q) : -1) {
        uint16_t code = CharAt(q);
        if (code != kSkippedCode) {
            prevpos_ = q;
            p_ = code;
            break;
        }
    }
    c_ = CharAt(cur_);
    // The next character is looked for inside the range only.
    nextpos_ = -1;
    n_ = kNoChar;
    for (int32_t q = cur_ < end_ - 1 ? Next(cur_) : -1; q >= 0 && q < end_;
         q = q < end_ - 1 ? Next(q) : -1) {
        uint16_t code = CharAt(q);
        if (code != kSkippedCode) {
            nextpos_ = q;
            n_ = code;
            break;
        }
    }
}

Act TypographyRun::Step() {
    FindNeighbours();
    if (Is(c_, kTypoRemoveChar))
        return Delete(cur_) ? Act::Stay : Act::Failed;
    if (c_ == ' ' && settings_.removeRepeatedSpaces && HasPrevious() && p_ == ' ' &&
        !InIndentation(cur_))
        return Delete(cur_) ? Act::Stay : Act::Failed;
    if (Is(c_, kTypoSpacing))
        return Spacing();
    for (Act (TypographyRun::*rule)() :
         {&TypographyRun::Dash, &TypographyRun::AfterWord, &TypographyRun::AfterNumber,
          &TypographyRun::BeforeWord, &TypographyRun::BeforeNumber, &TypographyRun::BeforeRoman}) {
        Act act = (this->*rule)();
        if (act != Act::None)
            return act;
    }
    return Quote();
}

Act TypographyRun::Spacing() {
    // Numbers stay closed: 3,14  1.5  10-20, and times, scores and ratios 10:30.
    bool digitGuard =
        (c_ == ',' || c_ == '-' || c_ == '.' || c_ == ':') && IsDigitCode(p_) && IsDigitCode(n_);
    std::optional<bool> excepted;
    auto isExcepted = [&] {
        if (!excepted) {
            excepted =
                settings_.useSpaceExceptions &&
                IsSpaceException(story_, len_, cur_, classes_, settings_.spaceExceptionsList);
        }
        return *excepted;
    };
    auto isUrl = [&] { return IsUrlToken(story_, len_, cur_, classes_); };
    // A full stop or colon that begins a word is part of it, not punctuation:
    // .bashrc  .tar.gz  :help
    if (BeginsName())
        return Act::Advance;
    // Tested only where a rule would act: most punctuation has no neighbour
    // that asks for an edit.
    std::optional<bool> symbols;
    auto isLeftAlone = [&] {
        if (!symbols)
            symbols = InSymbolRun() || InEmoticon() || isExcepted();
        return *symbols;
    };

    if (Is(c_, kTypoRemoveSpaceAfter) && HasNext() && nextpos_ > 0 && Is(n_, kTypoSpace) &&
        !isLeftAlone()) {
        return Delete(nextpos_) ? Act::Stay : Act::Failed;
    }
    if (Is(c_, kTypoInsertSpaceAfter) && !Is(c_, kTypoRemoveSpaceAfter) && HasNext() &&
        IsAlnumCode(n_) && !digitGuard && !(c_ == '.' && InsideName()) && !isUrl() &&
        !isLeftAlone()) {
        return InsertSpace(cur_, Next(cur_)) ? Act::Stay : Act::Failed;
    }
    if (Is(c_, kTypoRemoveSpaceBefore) && HasPrevious() && Is(p_, kTypoSpace) && !isLeftAlone()) {
        if (!Delete(prevpos_))
            return Act::Failed;
        --cur_;  // where c now stands
        return Act::Stay;
    }
    if (Is(c_, kTypoInsertSpaceBefore) && !Is(c_, kTypoRemoveSpaceBefore) && HasPrevious() &&
        IsAlnumCode(p_) && !digitGuard && !IsManualReference() && !isUrl() && !isLeftAlone()) {
        return InsertSpace(prevpos_, cur_) ? Act::Stay : Act::Failed;
    }
    return Act::Advance;
}

bool TypographyRun::EndsNameSegment(int32_t position) const {
    if (position < 0 || position >= end_)
        return true;
    uint16_t code = CharAt(position);
    // Beyond cp1250 lie the angle brackets (⟨…⟩) that often enclose addresses.
    return code >= 256 || code == '.' || code == '/' || code == '\'' || code == '<' ||
           code == '>' || code == kEllipsis ||
           Is(code,
              kTypoBlank | kTypoSentencePunct | kTypoOpenBracket | kTypoCloseBracket | kTypoQuote);
}

bool TypographyRun::BeginsName() const {
    bool wordStart = !HasPrevious() || Is(p_, kTypoBlank | kTypoOpenBracket | kTypoQuote) ||
                     p_ == '\'' || p_ == '<';
    if (!(c_ == '.' || c_ == ':') || !wordStart)
        return false;
    if (IsAsciiLower(n_) || IsDigitCode(n_))
        return true;
    // .NET, .XFree86: a name in capitals (or with a capital after its first
    // letter) after a full stop at a word's start; ".Potem", a capitalised word,
    // is a sentence's start after a stray space instead.
    if (c_ != '.' || !(n_ >= 'A' && n_ <= 'Z'))
        return false;
    int32_t q = Next(nextpos_);
    for (int length = 0; q >= 0 && q < end_ && length < kNameSegmentMax; q = Next(q), ++length) {
        uint16_t code = CharAt(q);
        if (code >= 'A' && code <= 'Z')
            return true;
        if (!IsAsciiAlnum(code))
            return false;
    }
    return false;
}

bool TypographyRun::IsManualReference() const {
    if (c_ != '(' || !IsAlnumCode(p_) || !HasNext())
        return false;
    if (n_ == ')')
        return true;  // a call: main()
    // A section: one digit and at most three small letters (5, 3p, 1ssl), so
    // that "roku(2000)" is still spaced.
    if (!IsDigitCode(n_))
        return false;
    int32_t q = Next(nextpos_);
    for (int length = 0; q >= 0 && q < end_ && length <= 3; q = Next(q), ++length) {
        uint16_t code = CharAt(q);
        if (code == ')')
            return true;
        if (!IsAsciiLower(code))
            return false;
    }
    return false;
}

bool TypographyRun::InsideName() const {
    if (!IsAsciiAlnum(p_) || !(IsAsciiLower(n_) || IsDigitCode(n_)))
        return false;
    auto nameChar = [](uint16_t code) {
        return IsAsciiAlnum(code) || code == '_' || code == '-' || code == '~' || code == '+';
    };
    // After the full stop: a small letter or digit first (so camelCase keys
    // pass), then letters, digits and the joiners of names.
    int32_t q = nextpos_;
    for (int length = 0; !EndsNameSegment(q); q = Next(q), ++length) {
        uint16_t code = CharAt(q);
        if (length == kNameSegmentMax || !nameChar(code))
            return false;
    }
    // Before it: ASCII letters and digits of either case, after a blank or a
    // character that starts a name of a file, host or address (<stdio.h>
    // #debian.pl server=themes.org kodzak%mtl.pl user@host.pl ~/x.conf).
    q = prevpos_;
    for (int length = 0; q >= 0; q = q > 0 ? Previous(q) : -1, ++length) {
        uint16_t code = CharAt(q);
        if (code == '.' || code == '/' || code == '\'' || code == '<' || code == '#' ||
            code == '=' || code == '%' || code == '@' || code == '~' ||
            Is(code, kTypoBlank | kTypoOpenBracket | kTypoQuote))
            return true;
        if (length == kNameSegmentMax || !nameChar(code))
            return false;
    }
    return true;
}

bool TypographyRun::InSymbolRun() const {
    auto inRun = [&](uint16_t code) {
        return code < 256 && !IsAlnumCode(code) && !Is(code, kTypoBlank) && code != 0;
    };
    int length = 1;
    bool symbol = IsSymbol(c_);
    for (int32_t q = prevpos_; q >= 0 && length<kSymbolRunMax; q = q> 0 ? Previous(q) : -1) {
        uint16_t code = CharAt(q);
        if (!inRun(code))
            break;
        symbol = symbol || IsSymbol(code);
        ++length;
    }
    for (int32_t q = nextpos_; q >= 0 && q < end_ && length < 2 * kSymbolRunMax; q = Next(q)) {
        uint16_t code = CharAt(q);
        if (!inRun(code))
            break;
        symbol = symbol || IsSymbol(code);
        ++length;
    }
    return symbol && length >= 2;
}

bool TypographyRun::InEmoticon() const {
    // The token around cur, at most a few characters.
    constexpr int kMost = 8;
    uint16_t token[2 * kMost + 2];
    int32_t start = cur_;
    for (int length = 0; start > 0 && length < kMost; ++length) {
        int32_t q = Previous(start);
        if (q < 0 || Is(CharAt(q), kTypoBlank))
            break;
        start = q;
    }
    int count = 0;
    int32_t q = start;
    for (; q >= 0 && q < end_ && count < 2 * kMost + 1; q = Next(q)) {
        uint16_t code = CharAt(q);
        if (Is(code, kTypoBlank))
            break;
        token[count++] = code;
    }
    if (count > 2 * kMost || (start > 0 && !Is(CharAt(Previous(start)), kTypoBlank) &&
                              Previous(start) >= 0))
        return false;
    // Sentence marks after it and an opening bracket before it are not its own.
    int first = 0;
    while (count > 2 && (token[count - 1] == '.' || token[count - 1] == ',' ||
                         token[count - 1] == '!' || token[count - 1] == '?'))
        --count;
    if (count - first >= 3 && token[first] == '(')
        ++first;
    auto in = [](uint16_t code, const char* set) {
        return code < 128 && code != 0 && std::strchr(set, static_cast<char>(code)) != nullptr;
    };
    int i = first;
    if (count - first < 2)
        return false;
    // xD, XD, xP
    if ((token[i] == 'x' || token[i] == 'X') && count - first <= 3) {
        for (int k = i + 1; k < count; ++k) {
            if (token[k] != 'D' && token[k] != 'P')
                return false;
        }
        return true;
    }
    if (token[i] == '<' && count - first == 2 && token[i + 1] == '3')
        return true;  // <3
    // Eyes, a nose perhaps, then a mouth: :P :-( ;> =) 8-) :'(
    if (!in(token[i], ":;=8"))
        return false;
    ++i;
    if (i < count && in(token[i], "-'^o"))
        ++i;
    if (i == count)
        return false;
    for (; i < count; ++i) {
        if (!in(token[i], "()[]DPpOo/|*>\\<3$@SsXx{}"))
            return false;
    }
    return true;
}

bool TypographyRun::InIndentation(int32_t position) const {
    // The walk goes forward: a space right after one found in the indentation
    // is in it too, without walking back over the whole indentation again.
    if (position > 0 && indentQuery_ >= 0 && Previous(position) == indentQuery_) {
        uint16_t code = CharAt(indentQuery_);
        if (code == ' ' || code == '\t') {
            indentQuery_ = position;
            return indentAnswer_;
        }
    }
    bool answer = true;
    for (int32_t q = position; q > 0;) {
        q = Previous(q);
        if (q < 0)
            break;
        uint16_t code = CharAt(q);
        if (code == ' ' || code == '\t')
            continue;
        answer = Is(code, kTypoBreak);
        break;
    }
    indentQuery_ = position;
    indentAnswer_ = answer;
    return answer;
}

bool TypographyRun::IsInchMark() const {
    if (c_ != '"' || !IsDigitCode(p_))
        return false;
    // The number's start: a quotation mark opened it ("5"), or it is measured.
    int32_t q = prevpos_;
    for (int length = 0; q >= 0 && length < 32; ++length) {
        uint16_t code = CharAt(q);
        if (!IsDigitCode(code) && code != '.' && code != ',' && code != '\'')
            return !Is(code, kTypoQuote);
        q = q > 0 ? Previous(q) : -1;
    }
    return true;
}

Act TypographyRun::Dash() {
    if (!Is(c_, kTypoDash) || !settings_.fixDashes)
        return Act::None;
    if (HasPrevious() && !(nextpos_ > 0 && Is(p_, kTypoBlank)))
        return Act::None;
    if (!HasNext() || !Is(n_, kTypoBlank))
        return Act::None;
    if (!Replace(cur_, classes_.dash, true))
        return Act::Failed;
    if (settings_.nbspAfterDashes && Is(n_, kTypoSpace) &&
        !(IsNoBreakMarked(story_, cur_) && IsNoBreakMarked(story_, nextpos_))) {
        MarkNoBreak(story_, cur_, nextpos_ + 1);
    }
    return Act::Advance;
}

Act TypographyRun::AfterWord() {
    if (!settings_.nbspAfterWords || !IsAlnumCode(c_) || (HasPrevious() && IsAlnumCode(p_)))
        return Act::None;
    // An inflection after an apostrophe (Dave'a, Bush’a) is no word of its own.
    if (IsApostrophe(p_) && prevpos_ > 0 && IsAlphaCode(CharAt(Previous(prevpos_))))
        return Act::None;
    const TypoWordList& list = settings_.afterWordsList;
    const int max = list.Longest() + 1;
    char key[TypoWordList::kCapacity + 2];
    key[0] = ' ';
    int length = 0;
    int32_t q = cur_;
    uint16_t t = kNoChar;
    while (q >= 0 && q < end_) {
        t = CharAt(q);
        if (!IsAlnumCode(t) && t != '.' && t != '$' && t != '%' && t != kPerMille)
            break;
        if (length == max)
            return Act::None;  // too long to be in the list
        key[++length] = static_cast<char>(t);
        q = Next(q);
    }
    // A word that runs to the end of the range is never bound.
    if (q < 0 || q >= end_ || !Is(t, kTypoBlank))
        return Act::None;
    key[length + 1] = ' ';
    if (!list.ContainsKey(std::string_view(key, static_cast<std::size_t>(length) + 2)))
        return Act::None;
    if (Is(t, kTypoSpace))
        Bind(q);
    return Act::Advance;
}

bool TypographyRun::UnitWordIn(int32_t from, int max, const TypoWordList& list) {
    char key[TypoWordList::kCapacity + 2];
    key[0] = ' ';
    int length = 0;
    uint16_t t = ' ';  // the range end counts as a space
    for (int32_t q = from; q >= 0 && q < end_; q = Next(q)) {
        uint16_t code = CharAt(q);
        bool inWord = (code < 256 && IsAlpha(static_cast<uint8_t>(code))) || Is(code, kTypoDash) ||
                      code == '.' || code == '$' || code == '%' || code == kPerMille;
        if (!inWord) {
            t = code;
            break;
        }
        if (length == max)
            return false;  // too long to be in the list
        key[++length] = static_cast<char>(code);
    }
    if (length < 1 || !Is(t, kTypoBlank | kTypoSentencePunct))
        return false;
    key[length + 1] = ' ';
    if (list.ContainsKey(std::string_view(key, static_cast<std::size_t>(length) + 2)))
        return true;
    // "zł." is the list's "zł" at the end of a sentence.
    if (key[length] != '.' || length < 2)
        return false;
    key[length] = ' ';
    return list.ContainsKey(std::string_view(key, static_cast<std::size_t>(length) + 1));
}

void TypographyRun::Bind(int32_t position) {
    // A line's indentation is the writer's layout, not a space between words.
    if (InIndentation(position))
        return;
    if (!IsNoBreakMarked(story_, position))
        MarkNoBreak(story_, position, position + 1);
}

Act TypographyRun::AfterNumber() {
    if (!settings_.nbspAfterDigits || !IsDigitCode(c_) || !HasNext() || !Is(n_, kTypoSpace))
        return Act::None;
    if (!UnitWordIn(Next(nextpos_), settings_.afterDigitsList.Longest() + 1,
                    settings_.afterDigitsList)) {
        return Act::None;
    }
    Bind(nextpos_);
    return Act::Advance;
}

Act TypographyRun::BeforeWord() {
    if (!settings_.nbspBeforeWords || !Is(c_, kTypoSpace) || !HasNext())
        return Act::None;
    if (!UnitWordIn(nextpos_, settings_.beforeWordsList.Longest(), settings_.beforeWordsList))
        return Act::None;
    Bind(cur_);
    return Act::Advance;
}

Act TypographyRun::BeforeNumber() {
    if (!settings_.nbspBeforeDigits || !Is(c_, kTypoSpace) || !HasNext() || !IsDigitCode(n_))
        return Act::None;
    Bind(cur_);
    return Act::Advance;
}

Act TypographyRun::BeforeRoman() {
    if (!settings_.nbspBeforeRoman || !Is(c_, kTypoSpace) || !HasNext())
        return Act::None;
    int32_t q = nextpos_;
    uint16_t t = ' ';  // the range end counts as a space
    int length = 0;
    for (; q >= 0 && q < end_; q = Next(q), ++length) {
        t = CharAt(q);
        if (!Is(t, kTypoRomanDigit))
            break;
        t = ' ';
    }
    if (length < 1 || !Is(t, kTypoBlank | kTypoSentencePunct | kTypoDash))
        return Act::None;
    Bind(cur_);
    return Act::Advance;
}

Act TypographyRun::Quote() {
    if (!settings_.fixQuotes || !Is(c_, kTypoQuote))
        return Act::Advance;
    if (IsInchMark()) {
        if (!quoteLeft_)
            return Act::Advance;  // the plug-in's run leaves it without a word
        return quoteLeft_(cur_, kInchMark) ? Act::Advance : Act::Stop;
    }
    if (Is(p_, kTypoBlank) && Is(n_, kTypoBlank)) {
        if (!settings_.guessQuotes)
            return Undecided(kQuoteBetweenSpaces);
        if (depth_ <= 0 && Is(n_, kTypoSpace) && settings_.quoteSpaceFix)
            return Delete(nextpos_) ? Act::Stay : Act::Failed;
        if (depth_ >= 1 && Is(p_, kTypoSpace) && settings_.quoteSpaceFix) {
            if (!Delete(prevpos_))
                return Act::Failed;
            --cur_;  // where the mark now stands
            return Act::Stay;
        }
        // A mark that guessing cannot place either: the user is told, as
        // without guessing, rather than left with a run stopped unnoticed.
        return Undecided(kQuoteBetweenSpaces);
    }
    bool betweenDashes = Is(p_, kTypoDash) && Is(n_, kTypoDash);
    bool betweenWords = IsAlnumCode(p_) && IsAlnumCode(n_);
    if (betweenDashes || betweenWords) {
        if (betweenWords && c_ == kRightSingleQuote)
            return Act::Advance;  // an apostrophe: rock’n’roll
        if (!settings_.guessQuotes)
            return Undecided(kQuoteBetweenNonSpaces);
        if (depth_ <= 0) {
            if (!settings_.quoteSpaceFix)
                return Open();
            return InsertSpace(cur_, cur_) ? Act::Stay : Act::Failed;
        }
        if (!settings_.quoteSpaceFix)
            return Close();
        return InsertSpace(nextpos_, nextpos_) ? Act::Stay : Act::Failed;
    }
    bool opensHere = !HasPrevious() || Is(p_, kTypoBlank | kTypoDash);
    bool closesHere = !HasNext() || Is(n_, kTypoBlank | kTypoDash);
    bool bracket = Is(p_, kTypoOpenBracket) || Is(n_, kTypoOpenBracket);
    bool punct = Is(p_, kTypoCloseBracket | kTypoSentencePunct) ||
                 Is(n_, kTypoCloseBracket | kTypoSentencePunct);
    if (opensHere || bracket)
        return Open();
    if (Is(p_, kTypoQuote) && !closesHere)
        return Open();
    if (punct || closesHere || Is(n_, kTypoQuote))
        return Close();
    return Undecided(kQuoteBetweenNonSpaces);
}

Act TypographyRun::Open() {
    uint16_t mark = depth_ == 0 ? kLowDoubleQuote : classes_.innerOpen;
    ++depth_;
    return Replace(cur_, mark, false) ? Act::Advance : Act::Failed;
}

Act TypographyRun::Close() {
    --depth_;
    uint16_t mark = depth_ == 0 ? kRightDoubleQuote : classes_.innerClose;
    return Replace(cur_, mark, false) ? Act::Advance : Act::Failed;
}

Act TypographyRun::Undecided(const char* message) {
    if (!quoteLeft_)
        return StopAt(message);
    return quoteLeft_(cur_, message) ? Act::Advance : Act::Stop;
}

Act TypographyRun::StopAt(const char* message) {
    ShowTextRange(cur_, cur_ + 1);
    ShowQuoteMessage(message);
    return Act::Stop;
}

bool TypographyRun::Delete(int32_t position) {
    indentQuery_ = -1;
    if (DeleteBoxText(box_, position, position + 1) != 0)
        return false;
    --end_;
    --len_;
    if (position < stop_)
        --stop_;
    ShiftBounds(position + 1, -1);
    return true;
}

bool TypographyRun::InsertSpace(int32_t selected, int32_t at) {
    indentQuery_ = -1;
    // The space takes the style of the selected character beside it.
    Host().SetTextSelection(story_, selected, selected + 1, false);
    if (PutCharInCurrentBox(at, ' ') != 0)
        return false;
    ++len_;
    ++end_;
    if (at < stop_)
        ++stop_;
    if (at <= cur_)
        ++cur_;
    ShiftBounds(at, 1);
    return true;
}

bool TypographyRun::Replace(int32_t position, uint16_t code, bool isDash) {
    // The old character stays selected while the new one goes in beside it, so
    // the new one takes its style.
    Host().SetTextSelection(story_, position, position + 1, false);
    if (isDash) {
        return PutCharInCurrentBox(position + 1, code) == 0 &&
               DeleteBoxText(box_, position, position + 1) == 0;
    }
    return PutCharInCurrentBox(position, code) == 0 &&
           DeleteBoxText(box_, position + 1, position + 2) == 0;
}

void TypographyRun::ShiftBounds(int32_t from, int32_t by) {
    if (origStart_ >= from)
        origStart_ += by;
    if (origEnd_ >= from)
        origEnd_ += by;
}

void TypographyRun::EndOfRun() {
    Host().TextUpdateOff();
    Host().SetTextSelection(story_, 0, 0, false);
    Host().TextUpdateOn();
    Host().SetTextSelection(story_, origStart_, origEnd_, true);
}

}  // namespace

void RunTypography() {
    TypographyRun(Typography()).Run();
}

void RunTypographyPiece(TypoPiece& piece) {
    TypographyRun(Typography()).Run(piece);
}

}  // namespace tarnik
