// What of a text is prose to be spell-checked. TeX, HTML and nroff markup, and
// addresses (URLs, e-mail addresses, file paths), are blanked: each of their
// characters becomes a space, every other character stays, so the words that
// remain keep their places and offsets stay right.
//
// A filter reads a text's lines in order, each line in one or more pieces, and
// keeps its state between them: a TeX group or an HTML tag may go on over several
// lines, and a piece may end anywhere inside one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik::cli {

enum class TextFormat { kPlain, kTex, kHtml, kNroff };

// "plain", "tex", "html", "nroff"; none for another name.
bool TextFormatFromName(std::string_view name, TextFormat& format);

class TextFilter {
  public:
    explicit TextFilter(TextFormat format = TextFormat::kPlain, bool checkAddresses = false);

    // Switches to `format`, starting its markup afresh (as at the start of a text).
    void SetFormat(TextFormat format);
    TextFormat Format() const { return format_; }

    // Blanks in place the internal codes of one piece of a line; `lineEnds` is
    // true for the last piece of the line.
    void Filter(std::u16string& codes, bool lineEnds);

  private:
    enum class TexLex { kNormal, kBackslash, kName, kComment, kVerbStart, kVerb, kArgs, kGroup };
    enum class TexMode { kText, kMath, kSkipEnv };
    enum class MathEnd { kDollar, kDoubleDollar, kParen, kBracket, kEnvironment };
    enum class HtmlState { kText, kEntity, kTagStart, kTag, kQuoted, kComment, kRaw };
    enum class RoffState {
        kText,
        kRequest,
        kSkipLine,
        kEscape,
        kEscName,
        kEscTwo,
        kEscBracket,
        kEscSize,
        kEscQuoteStart,
        kEscQuote
    };

    bool TexKeeps(uint16_t c);
    void TexCommand();
    void TexGroupDone();
    void TexLineEnd(bool emptyLine);
    bool HtmlKeeps(uint16_t c);
    void HtmlTagEnd();
    bool RoffKeeps(uint16_t c);
    void RoffEscape(uint16_t c);
    void BlankAddresses(std::u16string& codes) const;

    TextFormat format_;
    bool checkAddresses_;
    bool lineStarted_ = false;  // a piece of the current line was seen

    // TeX
    TexLex texLex_ = TexLex::kNormal;
    TexMode texMode_ = TexMode::kText;
    MathEnd mathEnd_ = MathEnd::kDollar;
    bool dollarPending_ = false;  // a '$' whose partner may follow
    std::string name_;            // the command being read; the argument kept
    std::string environment_;     // the math or verbatim environment being skipped
    int argsLeft_ = 0;
    int groupDepth_ = 0;
    char groupClose_ = '}';
    bool groupEscape_ = false;
    bool capture_ = false;  // keep the argument (of \begin and \end)
    std::string captured_;
    std::string command_;  // the command whose arguments are skipped
    uint16_t verbDelimiter_ = 0;

    // HTML
    HtmlState htmlState_ = HtmlState::kText;
    std::string tagStart_;  // the first characters after '<'
    std::string tagName_;
    bool closingTag_ = false;
    bool nameDone_ = false;
    std::string attribute_;
    bool inAttribute_ = false;
    bool checkValue_ = false;
    uint16_t quote_ = 0;
    int entityLength_ = 0;
    int commentDashes_ = 0;
    std::string raw_;  // the element whose content is not text
    size_t rawMatch_ = 0;

    // nroff
    RoffState roffState_ = RoffState::kText;
    RoffState roffBack_ = RoffState::kText;  // where an escape returns to
    std::string request_;
    int escLeft_ = 0;
    uint16_t escQuote_ = 0;
};

}  // namespace tarnik::cli
