#include "host/document_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

using nlohmann::json;

// Arrays and objects nest at most this deep (groups within groups about half as
// deep), so that no walk over the file goes deep.
constexpr int kMaxNesting = 100;
// Spreads and the members of a group: the host counts them in 16 bits.
constexpr size_t kMaxCount = INT16_MAX;

struct FileError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& place, const std::string& problem) {
    throw FileError{place + ": " + problem};
}

void OnlyKeys(const json& object, const std::string& place,
              std::initializer_list<const char*> known) {
    for (const auto& entry : object.items()) {
        const std::string& key = entry.key();
        if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; })) {
            Fail(place.empty() ? key : place + "." + key, "unknown key");
        }
    }
}

const json& Object(const json& value, const std::string& place) {
    if (!value.is_object())
        Fail(place, "not an object");
    return value;
}

const json& Array(const json& value, const std::string& place) {
    if (!value.is_array())
        Fail(place, "not an array");
    return value;
}

std::string String(const json& value, const std::string& place) {
    if (!value.is_string())
        Fail(place, "not a string");
    return value.get<std::string>();
}

bool Bool(const json& value, const std::string& place) {
    if (!value.is_boolean())
        Fail(place, "not true or false");
    return value.get<bool>();
}

int64_t Integer(const json& value, const std::string& place, int64_t low, int64_t high) {
    if (!value.is_number_integer())
        Fail(place, "not a whole number");
    auto outside = [&](const std::string& number) {
        Fail(place, number + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    };
    // Numbers past the signed range are read as unsigned.
    if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(INT64_MAX))
        outside(std::to_string(value.get<uint64_t>()));
    int64_t n = value.get<int64_t>();
    if (n < low || n > high)
        outside(std::to_string(n));
    return n;
}

// A [start, end] pair of positions within a story of `length` units.
std::pair<int32_t, int32_t> Range(const json& value, const std::string& place, int32_t length) {
    if (!value.is_array() || value.size() != 2)
        Fail(place, "not a pair [start, end]");
    auto start = static_cast<int32_t>(Integer(value[0], place + "[0]", 0, length));
    auto end = static_cast<int32_t>(Integer(value[1], place + "[1]", 0, length));
    if (start > end)
        Fail(place, "the start lies after the end");
    return {start, end};
}

class Reader {
  public:
    explicit Reader(const json& root) : root_(root) {}

    void Read(int16_t& language, int16_t& tool, std::optional<Document>& document) {
        Object(root_, "the file");
        OnlyKeys(root_, "", {"language", "tool", "hj", "stories", "spreads", "current"});
        language = XT_LANGUAGE_ENGLISH;
        if (root_.contains("language")) {
            std::string code = String(root_["language"], "language");
            if (code != "pl" && code != "en")
                Fail("language", "not \"pl\" or \"en\"");
            language = code == "pl" ? XT_LANGUAGE_POLISH : XT_LANGUAGE_ENGLISH;
        }
        tool = XT_TOOL_CONTENT;
        if (root_.contains("tool")) {
            std::string name = String(root_["tool"], "tool");
            if (name != "content" && name != "item")
                Fail("tool", "not \"content\" or \"item\"");
            tool = name == "content" ? XT_TOOL_CONTENT : XT_TOOL_ITEM;
        }
        if (!root_.contains("spreads")) {
            for (const char* key : {"hj", "stories", "current"}) {
                if (root_.contains(key))
                    Fail(key, "given, but there are no spreads (no document)");
            }
            document.reset();
            return;
        }
        ReadHj();
        ReadStories();
        const json& spreads = Array(root_["spreads"], "spreads");
        if (spreads.size() > kMaxCount)
            Fail("spreads", "more than " + std::to_string(kMaxCount) + " spreads");
        for (size_t s = 0; s < spreads.size(); ++s) {
            std::string place = "spreads[" + std::to_string(s) + "]";
            Object(spreads[s], place);
            OnlyKeys(spreads[s], place, {"items"});
            doc_.spreads.emplace_back();
            if (!spreads[s].contains("items"))
                continue;
            const json& items = Array(spreads[s]["items"], place + ".items");
            for (size_t i = 0; i < items.size(); ++i) {
                int item = ReadItem(items[i], place + ".items[" + std::to_string(i) + "]", -1);
                doc_.items[size_t(item)].spread = static_cast<int>(s);
                doc_.spreads[s].items.push_back(item);
            }
        }
        ReadAnchors();
        CheckAnchorCycles();
        if (root_.contains("current")) {
            std::string id = String(root_["current"], "current");
            auto it = ids_.find(id);
            if (it == ids_.end())
                Fail("current", "no item has the id \"" + id + "\"");
            doc_.current = it->second;
        }
        document = std::move(doc_);
    }

  private:
    void ReadHj() {
        if (!root_.contains("hj")) {
            doc_.hj.push_back(HJSpec{"Standard", false, 0});
            return;
        }
        const json& hj = Array(root_["hj"], "hj");
        std::set<std::string> names;
        for (size_t i = 0; i < hj.size(); ++i) {
            std::string place = "hj[" + std::to_string(i) + "]";
            Object(hj[i], place);
            OnlyKeys(hj[i], place, {"name", "autoHyphenate"});
            if (!hj[i].contains("name"))
                Fail(place, "no name");
            HJSpec spec;
            spec.name = String(hj[i]["name"], place + ".name");
            if (spec.name.empty() || Utf8ToCp1250(spec.name).size() >= XT_HJ_NAME_SIZE) {
                Fail(place + ".name", "empty or longer than 63 characters");
            }
            if (!names.insert(spec.name).second)
                Fail(place + ".name", "used twice");
            if (hj[i].contains("autoHyphenate")) {
                spec.autoHyphenate = Bool(hj[i]["autoHyphenate"], place + ".autoHyphenate");
            }
            doc_.hj.push_back(spec);
        }
        if (doc_.hj.size() > INT16_MAX)
            Fail("hj", "too many specifications");
    }

    // The texts first, with their anchor characters, so that every position of the
    // story can be checked; anchored items are read once all stories exist.
    void ReadStories() {
        if (!root_.contains("stories"))
            return;
        const json& stories = Array(root_["stories"], "stories");
        for (size_t s = 0; s < stories.size(); ++s) {
            std::string place = "stories[" + std::to_string(s) + "]";
            const json& story = Object(stories[s], place);
            OnlyKeys(story, place, {"text", "noBreak", "paragraphs", "anchors"});
            if (!story.contains("text"))
                Fail(place, "no text");
            const std::string& utf8 = String(story["text"], place + ".text");
            if (FindBadUtf8(utf8) || utf8.size() > (1u << 30))
                Fail(place + ".text", "not usable text");
            std::u16string text = Utf8ToUtf16(utf8);
            std::vector<Anchor> anchors;
            if (story.contains("anchors"))
                text = WithAnchors(text, story["anchors"], s, place, anchors);
            doc_.stories.emplace_back(text, std::move(anchors));
            Story& target = doc_.stories.back();
            if (story.contains("noBreak"))
                ReadNoBreak(story["noBreak"], place + ".noBreak", target);
            if (story.contains("paragraphs")) {
                const json& paragraphs = Array(story["paragraphs"], place + ".paragraphs");
                if (paragraphs.size() > static_cast<size_t>(target.ParagraphCount())) {
                    Fail(place + ".paragraphs",
                         std::to_string(paragraphs.size()) + " numbers for " +
                             std::to_string(target.ParagraphCount()) + " paragraphs");
                }
                for (size_t p = 0; p < paragraphs.size(); ++p) {
                    auto hj =
                        Integer(paragraphs[p], place + ".paragraphs[" + std::to_string(p) + "]", 0,
                                static_cast<int64_t>(doc_.hj.size()) - 1);
                    target.SetParagraphHj(static_cast<int32_t>(p), static_cast<uint16_t>(hj));
                }
            }
        }
    }

    // The text with an anchor character at each anchor's position. Positions count the
    // anchor characters before them, so each lies at most one past the text so far.
    std::u16string WithAnchors(const std::u16string& text, const json& value, size_t s,
                               const std::string& place, std::vector<Anchor>& anchors) {
        const json& list = Array(value, place + ".anchors");
        std::vector<std::pair<int64_t, size_t>> order;
        for (size_t a = 0; a < list.size(); ++a) {
            std::string at = place + ".anchors[" + std::to_string(a) + "]";
            Object(list[a], at);
            OnlyKeys(list[a], at, {"at", "item"});
            if (!list[a].contains("at") || !list[a].contains("item"))
                Fail(at, "needs \"at\" and \"item\"");
            order.emplace_back(Integer(list[a]["at"], at + ".at", 0, INT32_MAX), a);
        }
        std::sort(order.begin(), order.end());
        std::u16string result;
        result.reserve(text.size() + order.size());
        size_t taken = 0;  // units of `text` copied so far
        for (size_t k = 0; k < order.size(); ++k) {
            auto [position, a] = order[k];
            std::string at = place + ".anchors[" + std::to_string(a) + "].at";
            if (k > 0 && order[k - 1].first == position)
                Fail(at, std::to_string(position) + " holds another anchor");
            if (static_cast<size_t>(position) > text.size() + k)
                Fail(at, std::to_string(position) + " is past the end of the text");
            size_t before = static_cast<size_t>(position) - k;
            if (before > 0 && before < text.size() && IsHighSurrogate(text[before - 1]) &&
                IsLowSurrogate(text[before])) {
                Fail(at, std::to_string(position) + " lies within a character");
            }
            result.append(text, taken, before - taken);
            result.push_back(XT_ANCHOR_CHAR);
            taken = before;
            // No item yet: the anchored items are read once all stories exist.
            anchors.push_back({static_cast<int32_t>(position), -1});
            pendingAnchors_.push_back({s, a, static_cast<int32_t>(position)});
        }
        result.append(text, taken);
        return result;
    }

    // Marks the no-break ranges in one pass over the story, however many overlap.
    static void ReadNoBreak(const json& value, const std::string& place, Story& target) {
        const json& ranges = Array(value, place);
        std::vector<int32_t> change(size_t(target.Length()) + 1, 0);
        for (size_t r = 0; r < ranges.size(); ++r) {
            auto [start, end] =
                Range(ranges[r], place + "[" + std::to_string(r) + "]", target.Length());
            ++change[size_t(start)];
            --change[size_t(end)];
        }
        int32_t open = 0;
        for (int32_t p = 0; p < target.Length(); ++p) {
            open += change[size_t(p)];
            if (open > 0)
                target.SetStyle(p, static_cast<uint16_t>(target.StyleAt(p) | XT_STYLE_NO_BREAK));
        }
    }

    void ReadAnchors() {
        if (pendingAnchors_.empty())
            return;  // a document without stories has none
        const json& stories = root_.at("stories");
        for (const auto& pending : pendingAnchors_) {
            std::string place = "stories[" + std::to_string(pending.story) + "].anchors[" +
                                std::to_string(pending.anchor) + "].item";
            int item = ReadItem(stories[pending.story]["anchors"][pending.anchor]["item"], place,
                                static_cast<int>(pending.story));
            doc_.stories[pending.story].SetAnchorItem(pending.position, item);
        }
    }

    // An item and, when it is a group, its members depth first in file order. The
    // groups being read are kept on a stack of their own, not on the call stack.
    int ReadItem(const json& value, const std::string& place, int anchorStory) {
        struct OpenGroup {
            const json* members;
            size_t next;
            int group;
            std::string place;
        };
        std::vector<OpenGroup> open;
        auto read = [&](const json& item, const std::string& at) {
            int index = ReadOneItem(item, at, anchorStory);
            if (doc_.items[size_t(index)].type == ItemType::Group && item.contains("items")) {
                const json& members = Array(item["items"], at + ".items");
                if (members.size() > kMaxCount)
                    Fail(at + ".items", "more than " + std::to_string(kMaxCount) + " items");
                open.push_back({&members, 0, index, at + ".items"});
            }
            return index;
        };
        int top = read(value, place);
        while (!open.empty()) {
            OpenGroup& group = open.back();
            if (group.next == group.members->size()) {
                open.pop_back();
                continue;
            }
            size_t m = group.next++;
            int index = group.group;
            int member = read((*group.members)[m], group.place + "[" + std::to_string(m) + "]");
            doc_.items[size_t(member)].parent = index;
            doc_.items[size_t(index)].members.push_back(member);
        }
        return top;
    }

    // One item without its members.
    int ReadOneItem(const json& value, const std::string& place, int anchorStory) {
        Object(value, place);
        OnlyKeys(value, place, {"id", "type", "story", "selection", "items", "suppress"});
        if (!value.contains("type"))
            Fail(place, "no type");
        std::string type = String(value["type"], place + ".type");
        Item item;
        item.anchorStory = anchorStory;
        if (type == "text") {
            item.type = ItemType::Text;
        } else if (type == "picture") {
            item.type = ItemType::Picture;
        } else if (type == "group") {
            item.type = ItemType::Group;
        } else if (type == "other") {
            item.type = ItemType::Other;
        } else {
            Fail(place + ".type", "unknown item type \"" + type + "\"");
        }
        if (item.type != ItemType::Text &&
            (value.contains("story") || value.contains("selection"))) {
            Fail(place, "only text boxes have a story and a selection");
        }
        if (item.type != ItemType::Group && value.contains("items")) {
            Fail(place + ".items", "only groups have items");
        }
        if (value.contains("suppress"))
            item.suppressed = Bool(value["suppress"], place + ".suppress");
        int index = static_cast<int>(doc_.items.size());
        item.id = value.contains("id") ? String(value["id"], place + ".id")
                                       : "item" + std::to_string(index + 1);
        if (item.id.empty())
            Fail(place + ".id", "empty");
        if (!ids_.emplace(item.id, index).second) {
            Fail(place + ".id", "\"" + item.id + "\" is used by another item");
        }
        if (item.type == ItemType::Text) {
            if (!value.contains("story"))
                Fail(place, "a text box needs a story");
            item.story = static_cast<int>(Integer(value["story"], place + ".story", 0,
                                                  static_cast<int64_t>(doc_.stories.size()) - 1));
        }
        doc_.items.push_back(item);
        if (item.type == ItemType::Text && value.contains("selection")) {
            Story& story = doc_.stories[size_t(item.story)];
            auto [start, end] = Range(value["selection"], place + ".selection", story.Length());
            auto [it, fresh] = selections_.emplace(item.story, std::make_pair(start, end));
            if (!fresh && it->second != std::make_pair(start, end)) {
                Fail(place + ".selection", "differs from the selection another box of story " +
                                               std::to_string(item.story) + " gives");
            }
            story.selectionStart = start;
            story.selectionEnd = end;
        }
        return index;
    }

    // The stories a story's anchored items show, directly or through groups.
    std::vector<int> AnchoredStories(int story) const {
        std::vector<int> anchored;
        for (const auto& anchor : doc_.stories[size_t(story)].Anchors())
            anchored.push_back(anchor.item);
        std::vector<int> result;
        for (int item : doc_.ItemWalk(anchored)) {
            if (doc_.items[size_t(item)].type == ItemType::Text)
                result.push_back(doc_.items[size_t(item)].story);
        }
        return result;
    }

    // A story on the path of the cycle check, with the stories it shows and how many
    // of them are done.
    struct StoryStep {
        int story;
        std::vector<int> next;
        size_t taken;
    };

    // A story may not show, through its anchored items, a box of itself. Depth first
    // over the stories with a stack of its own: a chain of anchored boxes may be as
    // long as the file allows.
    void CheckAnchorCycles() const {
        enum { Unseen, Open, Done };
        std::vector<char> state(doc_.stories.size(), Unseen);
        std::vector<StoryStep> path;
        for (size_t s = 0; s < doc_.stories.size(); ++s) {
            if (state[s] != Unseen)
                continue;
            state[s] = Open;
            path.push_back({static_cast<int>(s), AnchoredStories(static_cast<int>(s)), 0});
            while (!path.empty()) {
                StoryStep& step = path.back();
                if (step.taken == step.next.size()) {
                    state[size_t(step.story)] = Done;
                    path.pop_back();
                    continue;
                }
                int next = step.next[step.taken++];
                if (state[size_t(next)] == Open)
                    FailCycle(path, next);
                if (state[size_t(next)] == Unseen) {
                    state[size_t(next)] = Open;
                    path.push_back({next, AnchoredStories(next), 0});
                }
            }
        }
    }

    // Names the stories of the cycle that closes at `story`, the first few of a long one.
    [[noreturn]] static void FailCycle(const std::vector<StoryStep>& path, int story) {
        constexpr size_t kNamed = 8;
        auto from = std::find_if(path.begin(), path.end(),
                                 [story](const StoryStep& step) { return step.story == story; });
        auto length = static_cast<size_t>(path.end() - from);
        std::string cycle;
        for (auto it = from; it != path.end() && it - from < static_cast<long>(kNamed); ++it)
            cycle += "story " + std::to_string(it->story) + " -> ";
        if (length > kNamed)
            cycle += "(" + std::to_string(length - kNamed) + " more) -> ";
        Fail("stories[" + std::to_string(story) + "].anchors",
             "anchored boxes form a cycle: " + cycle + "story " + std::to_string(story));
    }

    struct PendingAnchor {
        size_t story;
        size_t anchor;
        int32_t position;
    };

    const json& root_;
    Document doc_;
    std::map<std::string, int> ids_;
    std::map<int, std::pair<int32_t, int32_t>> selections_;
    std::vector<PendingAnchor> pendingAnchors_;
};

// The line and column of the first bracket nested more than kMaxNesting deep, found
// before parsing, so that the parser never builds the nesting. Brackets within
// strings do not count; up to the first fault of a malformed file this sees the
// nesting as the parser does.
std::optional<std::pair<size_t, size_t>> TooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    size_t line = 1;
    size_t column = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
        } else if (inString) {
            if (c == '\\') {
                ++i;
                ++column;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting)
                return std::make_pair(line, column);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return std::nullopt;
}

// Refuses a key given twice in one object, with its place: the parser would
// keep only the last value and drop the text of the first without a word.
// A pass of its own over the text, as events: the parser's callbacks cost a
// walk of the enclosing array for every object that ends in it.
class DuplicateKeys : public nlohmann::json_sax<json> {
  public:
    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(false); }
    bool start_array(std::size_t) override { return Open(true); }
    bool key(string_t& name) override {
        Frame& object = frames_.back();
        object.key = name;
        if (!object.keys.insert(name).second)
            Fail(ChildPlace(), "the key is given twice");
        return true;
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;  // the parser proper reports it
    }

  private:
    struct Frame {
        std::string place;
        bool array = false;
        size_t index = 0;
        std::string key;
        std::set<std::string> keys;
    };

    bool Open(bool array) {
        frames_.push_back({ChildPlace(), array, 0, {}, {}});
        return true;
    }

    bool Close() {
        frames_.pop_back();
        return Value();
    }

    // A value ends: the next one of an array has the next index.
    bool Value() {
        if (!frames_.empty() && frames_.back().array)
            ++frames_.back().index;
        return true;
    }

    // The place of the value that comes next in the innermost container.
    std::string ChildPlace() const {
        if (frames_.empty())
            return "";
        const Frame& frame = frames_.back();
        if (frame.array)
            return frame.place + "[" + std::to_string(frame.index) + "]";
        return frame.place.empty() ? frame.key : frame.place + "." + frame.key;
    }

    std::vector<Frame> frames_;
};

json WriteItem(const Document& document, int index, std::set<int>& storiesWithSelection) {
    const Item& item = document.items[size_t(index)];
    json out;
    out["id"] = item.id;
    switch (item.type) {
        case ItemType::Text: {
            out["type"] = "text";
            out["story"] = item.story;
            const Story& story = document.stories[size_t(item.story)];
            if (storiesWithSelection.insert(item.story).second &&
                (story.selectionStart != 0 || story.selectionEnd != 0)) {
                out["selection"] = {story.selectionStart, story.selectionEnd};
            }
            break;
        }
        case ItemType::Picture:
            out["type"] = "picture";
            break;
        case ItemType::Group: {
            out["type"] = "group";
            json members = json::array();
            for (int member : item.members) {
                if (document.IsItem(member)) {
                    members.push_back(WriteItem(document, member, storiesWithSelection));
                }
            }
            out["items"] = members;
            break;
        }
        case ItemType::Other:
            out["type"] = "other";
            break;
    }
    if (item.suppressed)
        out["suppress"] = true;
    return out;
}

}  // namespace

bool LoadDocumentText(std::string_view text, MemoryHost& host, std::string& error) {
    int16_t language = 0;
    int16_t tool = 0;
    std::optional<Document> document;
    try {
        if (auto place = TooDeep(text)) {
            error = "bad JSON: arrays and objects nested more than " + std::to_string(kMaxNesting) +
                    " deep at line " + std::to_string(place->first) + ", column " +
                    std::to_string(place->second);
            return false;
        }
        json root = json::parse(text);
        DuplicateKeys duplicates;
        json::sax_parse(text, &duplicates);
        Reader(root).Read(language, tool, document);
    } catch (const json::exception& e) {
        // Malformed JSON, and numbers too large for any number type.
        std::string what = e.what();
        auto cut = what.find("] ");
        error = "bad JSON: " + (cut == std::string::npos ? what : what.substr(cut + 2));
        return false;
    } catch (const FileError& e) {
        error = e.message;
        return false;
    } catch (const std::bad_alloc&) {
        error = "not enough memory to read the document";
        return false;
    }
    host.language = language;
    host.toolMode = tool;
    host.document = std::move(document);
    return true;
}

std::string SaveDocumentText(const MemoryHost& host) {
    json root;
    root["language"] = host.language == XT_LANGUAGE_POLISH ? "pl" : "en";
    root["tool"] = host.toolMode == XT_TOOL_CONTENT ? "content" : "item";
    if (host.document) {
        const Document& document = *host.document;
        json hj = json::array();
        for (const auto& spec : document.hj) {
            hj.push_back({{"name", spec.name}, {"autoHyphenate", spec.autoHyphenate}});
        }
        root["hj"] = hj;
        // Selections go with the first box of each story that the spreads or anchors show.
        std::set<int> storiesWithSelection;
        json spreads = json::array();
        for (const auto& spread : document.spreads) {
            json items = json::array();
            for (int item : spread.items) {
                if (document.IsItem(item))
                    items.push_back(WriteItem(document, item, storiesWithSelection));
            }
            spreads.push_back({{"items", items}});
        }
        json stories = json::array();
        for (const auto& story : document.stories) {
            std::u16string full = story.Text();
            std::u16string text;
            json anchors = json::array();
            size_t next = 0;
            for (int32_t p = 0; p < story.Length(); ++p) {
                const auto& list = story.Anchors();
                if (next < list.size() && list[next].position == p) {
                    anchors.push_back(
                        {{"at", p},
                         {"item", WriteItem(document, list[next].item, storiesWithSelection)}});
                    ++next;
                    continue;
                }
                text.push_back(full[size_t(p)]);
            }
            json out;
            out["text"] = Utf16ToUtf8(text);
            json noBreak = json::array();
            for (int32_t p = 0; p < story.Length();) {
                if (!(story.StyleAt(p) & XT_STYLE_NO_BREAK)) {
                    ++p;
                    continue;
                }
                int32_t start = p;
                while (p < story.Length() && (story.StyleAt(p) & XT_STYLE_NO_BREAK))
                    ++p;
                noBreak.push_back({start, p});
            }
            if (!noBreak.empty())
                out["noBreak"] = noBreak;
            json paragraphs = json::array();
            bool any = false;
            for (int32_t i = 0; i < story.ParagraphCount(); ++i) {
                paragraphs.push_back(story.ParagraphHj(i));
                any = any || story.ParagraphHj(i) != 0;
            }
            if (any)
                out["paragraphs"] = paragraphs;
            if (!anchors.empty())
                out["anchors"] = anchors;
            stories.push_back(out);
        }
        root["stories"] = stories;
        root["spreads"] = spreads;
        if (document.IsItem(document.current))
            root["current"] = document.items[size_t(document.current)].id;
    }
    return root.dump(2) + "\n";
}

bool LoadDocumentFile(const std::string& path, MemoryHost& host, std::string& error) {
    // A folder opens as a stream that reads nothing: named as what it is, not as bad JSON.
    std::error_code folder;
    if (std::filesystem::is_directory(path, folder)) {
        error = "cannot read " + path + ": " + std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), {});
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to read the document";
        return false;
    } catch (const std::ios_base::failure&) {
        // A read that fails part-way.
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!LoadDocumentText(text, host, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool SaveDocumentFile(const std::string& path, const MemoryHost& host, std::string& error) {
    SaveResult saved = SaveFileSafely(path, SaveDocumentText(host));
    error = saved.Ok() ? "" : saved.Describe(path);
    return saved.Ok();
}

}  // namespace tarnik::host
