#!/usr/bin/env bash
# Whole processes on marked-up Polish text, each mode on a document of its own:
# tarnik list beside hunspell -l and aspell list (each in its mode for the
# markup), tarnik hyphenate beside a plain libhyphen loop (bench/cli's
# plain_hyphen, which reads words one a line, so it is given the prose's words),
# and tarnik typo; wall and CPU time (user + system) and peak memory from
# /usr/bin/time, the median of RUNS runs.
#
# The documents are made from Polish prose that nobody on the project wrote
# (bench/typography/polish_prose.sh: the Polish message catalogues and manual
# pages), cut into paragraphs of about 600 bytes and written in each mode's
# markup: TeX (a LaTeX article, sections, \emph, \cite, $math$, comments), HTML
# (head, style, paragraphs with <b>, <a href>, entities), Markdown (headings,
# lists, code spans, links, a fenced block now and then) and nroff (.TH, .SH,
# .PP, \fB...\fR). The manual pages of /usr/share/man/pl are the nroff sample.
#
#   bench/markup/compare.sh [BYTES] [RUNS]   (defaults: 2000000 and 3)
set -euo pipefail
cd "$(dirname "$0")/../.."
bytes=${1:-2000000}
runs=${2:-3}
tarnik=build/bin/tarnik
plain_hyphen=build/bin/plain_hyphen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash bench/typography/polish_prose.sh "$bytes" > "$work/prose.txt"
python3 - "$work" <<'PY'
import sys, os, re, random
work = sys.argv[1]
text = open(os.path.join(work, "prose.txt"), encoding="utf-8").read()
words = text.split()
paras, cur, size = [], [], 0
for w in words:
    cur.append(w); size += len(w) + 1
    if size > 600:
        paras.append(" ".join(cur)); cur, size = [], 0
if cur:
    paras.append(" ".join(cur))
rnd = random.Random(1)
def esc_tex(s):
    return re.sub(r"([%$&#_{}~^\\])", lambda m: "\\" + m.group(1) if m.group(1) not in "~^\\" else " ", s)
def esc_html(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
tex = ["\\documentclass[a4paper]{article}", "\\usepackage[utf8]{inputenc}", "\\usepackage{polski}",
       "\\begin{document}"]
html = ["<!DOCTYPE html>", "<html lang=\"pl\"><head><meta charset=\"utf-8\"><title>Tekst</title>",
        "<style>p { margin: 0 } .a { color: red }</style></head><body>"]
md = ["---", "title: Tekst", "---", ""]
roff = [".TH TEKST 7 2024", ".SH NAZWA"]
for n, p in enumerate(paras):
    ws = p.split()
    i = rnd.randrange(len(ws))
    if n % 10 == 0:
        tex.append("\\section{%s}" % esc_tex(" ".join(ws[:3])))
        html.append("<h2 id=\"s%d\">%s</h2>" % (n, esc_html(" ".join(ws[:3]))))
        md.append("## " + " ".join(ws[:3]).replace("`", "'"))
        roff.append(".SH " + " ".join(ws[:3]).upper().replace("\\", "\\e"))
    t = esc_tex(p).split()
    t[i] = "\\emph{%s}" % t[i]
    tex.append(" ".join(t) + " \\cite{zrodlo%d} $a_%d$ %% uwaga" % (n, n))
    tex.append("")
    h = esc_html(p).split()
    h[i] = "<b>%s</b>" % h[i]
    html.append("<p class=\"a\">%s <a href=\"http://example.org/%d\">link</a>&nbsp;tu.</p>" % (" ".join(h), n))
    m = p.replace("`", "'").replace("*", "").split()
    m[i] = "**%s** `kod_%d`" % (m[i], n)
    md.append(("- " if n % 3 == 0 else "") + " ".join(m) + " [link](http://example.org/%d)" % n)
    md.append("")
    if n % 25 == 0:
        md += ["```sh", "echo przedszkole", "```", ""]
    r = p.replace("\\", "\\e").split()
    r[i] = "\\fB%s\\fR" % r[i]
    roff.append(".PP")
    roff.append(" ".join(r).replace("\n.", "\n\\&."))
tex.append("\\end{document}")
html.append("</body></html>")
for name, lines in (("doc.tex", tex), ("doc.html", html), ("doc.md", md), ("doc.7", roff)):
    open(os.path.join(work, name), "w", encoding="utf-8").write("\n".join(lines) + "\n")
open(os.path.join(work, "words.txt"), "w", encoding="utf-8").write("\n".join(words) + "\n")
PY

# The median of `runs` runs of a command: wall s, CPU s, peak KiB.
measure() {
    local results=()
    for ((r = 0; r < runs; r++)); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null 2> /dev/null || true
        # The last line: a failing command's first says how it exited.
        read -r wall user sys peak < <(tail -n 1 "$work/time")
        results+=("$wall $(echo "$user + $sys" | bc) $peak")
    done
    printf '%s\n' "${results[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

row() {  # label, command...
    local label=$1
    shift
    read -r wall cpu peak <<< "$(measure "$@")"
    printf '| %s | %s s | %s s | %s MiB |\n' "$label" "$wall" "$cpu" "$((peak / 1024))"
}

echo "Documents: $(for f in doc.tex doc.html doc.md doc.7; do printf '%s %s bytes; ' $f $(stat -c %s "$work/$f"); done)"
echo
echo "| run | wall | CPU | peak |"
echo "|---|---|---|---|"
for mode in tex html markdown nroff; do
    case $mode in
        tex) file=doc.tex; hflag=-t; aflag=tex ;;
        html) file=doc.html; hflag=-H; aflag=html ;;
        markdown) file=doc.md; hflag=""; aflag=markdown ;;
        nroff) file=doc.7; hflag=-n; aflag=nroff ;;
    esac
    row "\`tarnik list\`, $mode" "$tarnik" list "$work/$file"
    row "\`hunspell -l ${hflag:-(plain)}\`, $mode" hunspell -d pl_PL -i utf-8 -l $hflag "$work/$file"
    row "\`aspell list --mode=$aflag\`, $mode" sh -c "aspell --lang=pl --encoding=utf-8 --mode=$aflag list < '$work/$file'"
done
row "\`tarnik hyphenate\`, plain prose" "$tarnik" hyphenate "$work/prose.txt"
if [ -x "$plain_hyphen" ]; then
    row "\`plain_hyphen\` (libhyphen), its words" sh -c "'$plain_hyphen' < '$work/words.txt'"
fi
for mode in tex html markdown nroff; do
    case $mode in tex) file=doc.tex ;; html) file=doc.html ;; markdown) file=doc.md ;; nroff) file=doc.7 ;; esac
    row "\`tarnik hyphenate\`, $mode" "$tarnik" hyphenate "$work/$file"
done
row "\`tarnik typo\`, plain prose" "$tarnik" typo "$work/prose.txt"
for mode in tex html markdown nroff; do
    case $mode in tex) file=doc.tex ;; html) file=doc.html ;; markdown) file=doc.md ;; nroff) file=doc.7 ;; esac
    row "\`tarnik typo\`, $mode" "$tarnik" typo "$work/$file"
done
