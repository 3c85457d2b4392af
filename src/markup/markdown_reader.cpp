// Markdown (CommonMark and its usual extensions): front matter, fenced and
// indented code blocks, HTML blocks, code spans, link and image targets,
// autolinks and inline tags are markup, and so are the marks of the blocks
// (indentation, list markers, block quotes, headings, table pipes, rules), which
// stay as they are. Backslash escapes and character references are read as the
// characters they stand for.
#include <string>

#include "markup/format_reader.h"

namespace tarnik::markup {

namespace {

size_t Indentation(std::string_view line) {
    size_t i = 0;
    size_t width = 0;
    while (i < line.size() && IsBlankByte(line[i])) {
        width += line[i] == '\t' ? 4 - width % 4 : 1;
        ++i;
    }
    return width;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A fence of three or more ` or ~ after at most three spaces: its character and
// length.
bool IsFence(std::string_view line, char& mark, size_t& length) {
    size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos || i > 3 || (line[i] != '`' && line[i] != '~'))
        return false;
    size_t j = i;
    while (j < line.size() && line[j] == line[i])
        ++j;
    if (j - i < 3)
        return false;
    // An info string of a backtick fence holds no backtick.
    if (line[i] == '`' && line.find('`', j) != std::string_view::npos)
        return false;
    mark = line[i];
    length = j - i;
    return true;
}

// A rule (*** --- ___) or a setext heading's underline (=== ---).
bool IsRuleOrUnderline(std::string_view line) {
    size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos || i > 3)
        return false;
    char mark = line[i];
    if (mark != '*' && mark != '-' && mark != '_' && mark != '=')
        return false;
    size_t count = 0;
    for (char c : line.substr(i)) {
        if (c == mark)
            ++count;
        else if (!IsBlankByte(c))
            return false;
    }
    return count >= 3 || (mark == '=' && count >= 1) || (mark == '-' && count >= 2);
}

// A table's delimiter row: | --- | :---: |
bool IsDelimiterRow(std::string_view line) {
    bool dash = false;
    bool pipe = false;
    for (char c : line) {
        if (c == '-')
            dash = true;
        else if (c == '|')
            pipe = true;
        else if (c != ':' && !IsBlankByte(c))
            return false;
    }
    return dash && pipe;
}

// A line that opens an HTML block: a tag of a block, or a comment, at its start.
bool OpensHtmlBlock(std::string_view line) {
    size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos || i > 3 || line[i] != '<')
        return false;
    std::string_view rest = line.substr(i + 1);
    if (rest.starts_with("!--") || rest.starts_with("?") || rest.starts_with("!"))
        return true;
    if (rest.starts_with("/"))
        rest.remove_prefix(1);
    std::string name;
    for (char c : rest) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c))
            break;
        name.push_back(LowerAscii(c));
    }
    return !name.empty() && HtmlTagKind(name) == SpanKind::kBreak;
}

bool IsAsciiPunctuation(char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

class MarkdownReader : public FormatReader {
  public:
    void Line(std::string_view line, SpanSink& out) override;

  private:
    size_t BlockMarks(std::string_view line, SpanSink& out);
    void Inline(std::string_view line, size_t from, size_t to, SpanSink& out);
    void TableRow(std::string_view line, size_t from, SpanSink& out);

    bool first_ = true;
    bool frontMatter_ = false;
    bool fenced_ = false;
    char fence_ = 0;
    size_t fenceLength_ = 0;
    bool htmlBlock_ = false;
    bool previousBlank_ = true;
    bool previousCode_ = false;
    bool inList_ = false;
    bool inTable_ = false;
    bool inParagraph_ = false;
    bool heading_ = false;
};

// The marks a line of prose starts with: indentation, block quotes, a list
// marker (with a task's box), a heading's #s. Returns where its text starts.
size_t MarkdownReader::BlockMarks(std::string_view line, SpanSink& out) {
    size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlankByte(line[i]))
            ++i;
        if (i < line.size() && line[i] == '>') {
            ++i;
            continue;
        }
        break;
    }
    // A list marker: - * + followed by a space, or digits and . or ).
    size_t j = i;
    if (j < line.size() && (line[j] == '-' || line[j] == '*' || line[j] == '+') &&
        j + 1 < line.size() && IsBlankByte(line[j + 1])) {
        i = j + 1;
        inList_ = true;
    } else {
        while (j < line.size() && IsAsciiDigit(line[j]) && j - i < 9)
            ++j;
        if (j > i && j < line.size() && (line[j] == '.' || line[j] == ')') &&
            (j + 1 == line.size() || IsBlankByte(line[j + 1]))) {
            i = j + 1;
            inList_ = true;
        }
    }
    while (i < line.size() && IsBlankByte(line[i]))
        ++i;
    // A task's box.
    if (line.substr(i).starts_with("[ ] ") || line.substr(i).starts_with("[x] ") ||
        line.substr(i).starts_with("[X] "))
        i += 4;
    // A heading's marks.
    size_t h = i;
    while (h < line.size() && line[h] == '#' && h - i < 7)
        ++h;
    heading_ = h > i && h - i <= 6 && (h == line.size() || IsBlankByte(line[h]));
    if (heading_) {
        i = h;
        while (i < line.size() && IsBlankByte(line[i]))
            ++i;
    }
    out.Add(0, i, SpanKind::kBreak);
    return i;
}

void MarkdownReader::TableRow(std::string_view line, size_t from, SpanSink& out) {
    size_t i = from;
    while (i < line.size()) {
        // The pipe and the spaces around it.
        size_t start = i;
        while (i < line.size() && (IsBlankByte(line[i]) || line[i] == '|'))
            ++i;
        out.Add(start, i, SpanKind::kBreak);
        size_t cell = i;
        while (i < line.size() && !(line[i] == '|' && line[i - 1] != '\\'))
            ++i;
        size_t end = i;
        while (end > cell && IsBlankByte(line[end - 1]))
            --end;
        Inline(line, cell, end, out);
        out.Add(end, i, SpanKind::kBreak);
    }
}

// Code spans, links, autolinks, inline tags, references, escapes and the marks of
// emphasis in [from, to).
void MarkdownReader::Inline(std::string_view line, size_t from, size_t to, SpanSink& out) {
    size_t i = from;
    while (i < to) {
        char c = line[i];
        if (c == '\\' && i + 1 < to && IsAsciiPunctuation(line[i + 1])) {
            out.Escape(i, i + 2, static_cast<char16_t>(line[i + 1]));
            i += 2;
            continue;
        }
        if (c == '`') {
            size_t run = i;
            while (run < to && line[run] == '`')
                ++run;
            std::string_view ticks = line.substr(i, run - i);
            size_t close = line.find(ticks, run);
            while (close != std::string_view::npos && close + ticks.size() < to &&
                   line[close + ticks.size()] == '`')
                close = line.find(ticks, close + ticks.size() + 1);
            if (close != std::string_view::npos && close < to) {
                out.Add(i, close + ticks.size(), SpanKind::kObject);
                i = close + ticks.size();
                continue;
            }
            out.Add(i, run, SpanKind::kText);
            i = run;
            continue;
        }
        if (c == '&') {
            if (size_t length = AddEntity(line, i, to, out)) {
                i += length;
                continue;
            }
        }
        if (c == '<' && i + 1 < to) {
            size_t close = line.find('>', i + 1);
            std::string_view inside = close == std::string_view::npos
                                          ? std::string_view()
                                          : line.substr(i + 1, close - i - 1);
            bool autolink = inside.find("://") != std::string_view::npos ||
                            inside.starts_with("mailto:") ||
                            (inside.find('@') != std::string_view::npos &&
                             inside.find(' ') == std::string_view::npos);
            bool tag = !inside.empty() &&
                       (IsAsciiLetter(inside[0]) ||
                        (inside[0] == '/' && inside.size() > 1 && IsAsciiLetter(inside[1])) ||
                        inside.starts_with("!--"));
            if (close != std::string_view::npos && close < to && (autolink || tag)) {
                out.Add(i, close + 1, autolink ? SpanKind::kObject : SpanKind::kInline);
                i = close + 1;
                continue;
            }
        }
        if (c == '!' && i + 1 < to && line[i + 1] == '[') {
            out.Add(i, i + 1, SpanKind::kInline);
            ++i;
            continue;
        }
        if (c == '[') {
            // A link's text: [ ... ] followed by (target), [label] or nothing
            // (a reference).
            size_t depth = 0;
            size_t close = std::string_view::npos;
            for (size_t k = i; k < to; ++k) {
                if (line[k] == '\\') {
                    ++k;
                    continue;
                }
                if (line[k] == '[')
                    ++depth;
                else if (line[k] == ']' && --depth == 0) {
                    close = k;
                    break;
                }
            }
            if (close != std::string_view::npos && close + 1 < to &&
                (line[close + 1] == '(' || line[close + 1] == '[')) {
                out.Add(i, i + 1, SpanKind::kInline);
                // The text inside is read as prose; the target after it is not.
                Inline(line, i + 1, close, out);
                char open = line[close + 1];
                char shut = open == '(' ? ')' : ']';
                size_t nested = 0;
                size_t end = close + 1;
                for (; end < to; ++end) {
                    if (line[end] == open)
                        ++nested;
                    else if (line[end] == shut && --nested == 0)
                        break;
                }
                end = end < to ? end + 1 : to;
                out.Add(close, end, SpanKind::kInline);
                i = end;
                continue;
            }
        }
        if (c == '*' || c == '_' || c == '~') {
            // The marks of emphasis: a run at a word's edge.
            size_t run = i;
            while (run < to && line[run] == c)
                ++run;
            bool before = i > from && !IsBlankByte(line[i - 1]);
            bool after = run < to && !IsBlankByte(line[run]);
            bool insideWord =
                before && after && c == '_' && LetterBefore(line, i) && LetterAt(line, run);
            if ((before || after) && run - i <= 3 && !insideWord && (c != '~' || run - i == 2)) {
                out.Add(i, run, SpanKind::kInline);
                i = run;
                continue;
            }
            out.Add(i, run, SpanKind::kText);
            i = run;
            continue;
        }
        out.Add(i, i + 1, SpanKind::kText);
        ++i;
    }
}

void MarkdownReader::Line(std::string_view line, SpanSink& out) {
    bool first = first_;
    first_ = false;
    bool blank = IsBlank(line);
    auto whole = [&](SpanKind kind) { out.Add(0, line.size(), kind); };
    // Front matter: a YAML block at the very start.
    if (first && (line == "---" || line == "+++")) {
        frontMatter_ = true;
        whole(SpanKind::kBreak);
        return;
    }
    if (frontMatter_) {
        if (line == "---" || line == "..." || line == "+++")
            frontMatter_ = false;
        whole(SpanKind::kBreak);
        return;
    }
    char mark = 0;
    size_t length = 0;
    if (fenced_) {
        if (IsFence(line, mark, length) && mark == fence_ && length >= fenceLength_ &&
            line.find_first_not_of(std::string(1, mark) + " ", line.find(mark)) ==
                std::string_view::npos)
            fenced_ = false;
        whole(SpanKind::kBreak);
        previousBlank_ = false;
        return;
    }
    if (htmlBlock_) {
        if (blank) {
            htmlBlock_ = false;
        } else {
            whole(SpanKind::kBreak);
            return;
        }
    }
    if (blank) {
        whole(SpanKind::kBreak);
        previousBlank_ = true;
        inTable_ = false;
        inParagraph_ = false;
        return;
    }
    size_t indent = Indentation(line);
    bool listContinues = inList_ && indent >= 2;
    if (!listContinues && !(indent >= 2 && !previousBlank_))
        inList_ = false;
    if (IsFence(line, mark, length)) {
        fenced_ = true;
        fence_ = mark;
        fenceLength_ = length;
        whole(SpanKind::kBreak);
        previousBlank_ = false;
        return;
    }
    // Indented code: after a blank line or more code. (In a list, such a line
    // may be a paragraph of an item; it is left as it is all the same.)
    if (indent >= 4 && (previousBlank_ || previousCode_) && !inParagraph_) {
        whole(SpanKind::kBreak);
        previousCode_ = true;
        previousBlank_ = false;
        return;
    }
    previousCode_ = false;
    previousBlank_ = false;
    if (OpensHtmlBlock(line) && !inParagraph_) {
        htmlBlock_ = true;
        whole(SpanKind::kBreak);
        return;
    }
    if (IsRuleOrUnderline(line) || IsDelimiterRow(line)) {
        if (IsDelimiterRow(line))
            inTable_ = true;
        whole(SpanKind::kBreak);
        inParagraph_ = false;
        return;
    }
    // A link's reference: [label]: target
    size_t first_char = line.find_first_not_of(' ');
    if (line[first_char] == '[') {
        size_t close = line.find("]:", first_char);
        if (close != std::string_view::npos && line.find(']', first_char) == close) {
            whole(SpanKind::kBreak);
            return;
        }
    }
    size_t text = BlockMarks(line, out);
    bool tableRow = inTable_ || (line[first_char] == '|' &&
                                 line.find('|', first_char + 1) != std::string_view::npos);
    if (tableRow) {
        TableRow(line, text, out);
        return;
    }
    inParagraph_ = true;
    // A hard break: two spaces or more, or a backslash, at the end.
    size_t end = line.size();
    while (end > text && IsBlankByte(line[end - 1]))
        --end;
    size_t trailing = line.size() - end;
    if (trailing < 2)
        end = line.size();
    if (end > text && line[end - 1] == '\\' && end == line.size()) {
        Inline(line, text, end - 1, out);
        out.Add(end - 1, end, SpanKind::kBreak);
        return;
    }
    // A closing sequence of a heading: ## Title ##
    if (heading_) {
        size_t marks = end;
        while (marks > text && line[marks - 1] == '#')
            --marks;
        if (marks < end && (marks == text || IsBlankByte(line[marks - 1]))) {
            Inline(line, text, marks, out);
            out.Add(marks, line.size(), SpanKind::kBreak);
            return;
        }
    }
    Inline(line, text, end, out);
    out.Add(end, line.size(), SpanKind::kBreak);
}

}  // namespace

std::unique_ptr<FormatReader> MakeMarkdownReader() {
    return std::make_unique<MarkdownReader>();
}

}  // namespace tarnik::markup
