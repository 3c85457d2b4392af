// The yardstick of `tarnik hyph`: a plain libhyphen program. It reads words
// (UTF-8, one a line) on standard input, hyphenates each with Debian's Polish
// patterns and prints it with '-' at every break, as `tarnik hyph` does.
//
//   plain_hyphen [PATTERNS]   (default /usr/share/hyphen/hyph_pl_PL.dic)
#include <hyphen.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Converts `text` with `cd` (the patterns' ISO 8859-2 to and from UTF-8).
std::string Convert(iconv_t cd, const std::string& text) {
    std::string out(text.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* to = out.data();
    size_t toLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) {
        // A character the other side lacks: pass '?' and go on.
        ++in;
        --inLeft;
        if (toLeft > 0) {
            *to++ = '?';
            --toLeft;
        }
    }
    out.resize(out.size() - toLeft);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const char* patterns = argc > 1 ? argv[1] : "/usr/share/hyphen/hyph_pl_PL.dic";
    HyphenDict* dict = hnj_hyphen_load(patterns);
    if (!dict) {
        std::fprintf(stderr, "plain_hyphen: cannot load %s\n", patterns);
        return 2;
    }
    iconv_t toIso = iconv_open("ISO-8859-2", "UTF-8");
    iconv_t toUtf8 = iconv_open("UTF-8", "ISO-8859-2");
    char* line = nullptr;
    size_t capacity = 0;
    std::vector<char> hyphens;
    std::vector<char> hyphenated;
    for (ssize_t n; (n = getline(&line, &capacity, stdin)) > 0;) {
        std::string word(line, static_cast<size_t>(n));
        while (!word.empty() && (word.back() == '\n' || word.back() == '\r'))
            word.pop_back();
        std::string iso = Convert(toIso, word);
        hyphens.assign(iso.size() + 5, 0);
        hyphenated.assign(iso.size() * 2 + 5, 0);
        char** rep = nullptr;
        int* pos = nullptr;
        int* cut = nullptr;
        hnj_hyphen_hyphenate2(dict, iso.c_str(), static_cast<int>(iso.size()), hyphens.data(),
                              hyphenated.data(), &rep, &pos, &cut);
        std::string out(hyphenated.data());
        for (char& c : out) {
            if (c == '=')
                c = '-';
        }
        std::fputs(Convert(toUtf8, out).c_str(), stdout);
        std::fputc('\n', stdout);
        if (rep) {
            for (size_t i = 0; i < iso.size(); ++i)
                std::free(rep[i]);
            std::free(rep);
            std::free(pos);
            std::free(cut);
        }
    }
    std::free(line);
    hnj_hyphen_free(dict);
    return 0;
}
