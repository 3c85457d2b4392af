#!/usr/bin/env python3
"""Checks tarnik's commands on marked-up files nobody on the project wrote.

For each file given (or, without arguments, the TeX, HTML, Markdown and nroff
files Debian installs under /usr/share/doc, /usr/share/emacs and
/usr/share/man/pl): hyphenate, then remove, must give the file back byte for
byte; in HTML no soft hyphen may stand inside markup, and the file must parse
(python's html.parser) into the same tags, attributes, comments and code after
hyphenate and after typo, the text of prose aside; in TeX the control words,
braces, brackets, math shifts and comments must stay the same after hyphenate
and typo, and lacheck (when installed) must say the same of both. Prints one
line per file that fails and a summary; exit status 1 when any failed.

    scripts/verify_markup.py [--tarnik build/bin/tarnik] [FILE...]
"""
import argparse
import glob
import gzip
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile

SHY = "\u00ad"
PROSE_ATTRIBUTES = {"alt", "title", "placeholder", "aria-label"}
RAW = {"script", "style", "pre", "code", "kbd", "samp", "var", "tt", "textarea"}


def default_files():
    files = []
    files += sorted(glob.glob("/usr/share/emacs/*/etc/refcards/*.tex"))
    files += sorted(glob.glob("/usr/share/doc/**/*.tex.gz", recursive=True))
    files += sorted(glob.glob("/usr/share/doc/**/*.html", recursive=True))
    files += sorted(glob.glob("/usr/share/doc/**/*.md", recursive=True))
    files += sorted(glob.glob("/usr/share/doc/**/*.md.gz", recursive=True))
    files += sorted(glob.glob("/usr/share/man/pl/man*/*.gz"))
    return files


class Events(html.parser.HTMLParser):
    """The markup of a page: tags with their attributes (prose attributes with
    their soft hyphens taken out or their text dropped), comments, declarations,
    and the text of raw elements; soft hyphens in markup are counted."""

    def __init__(self, keep_prose):
        super().__init__(convert_charrefs=True)
        self.events = []
        self.keep_prose = keep_prose
        self.raw = 0
        self.shy_in_markup = 0

    def starttag_events(self, tag, attrs, kind):
        shown = []
        for name, value in attrs:
            value = value or ""
            if name in PROSE_ATTRIBUTES:
                value = value.replace(SHY, "") if self.keep_prose else ""
            else:
                self.shy_in_markup += value.count(SHY)
            shown.append((name, value))
        self.shy_in_markup += tag.count(SHY)
        self.events.append((kind, tag, tuple(shown)))

    def handle_starttag(self, tag, attrs):
        self.starttag_events(tag, attrs, "start")
        if tag in RAW:
            self.raw += 1

    def handle_startendtag(self, tag, attrs):
        self.starttag_events(tag, attrs, "startend")

    def handle_endtag(self, tag):
        self.shy_in_markup += tag.count(SHY)
        self.events.append(("end", tag))
        if tag in RAW and self.raw:
            self.raw -= 1

    def handle_comment(self, data):
        self.shy_in_markup += data.count(SHY)
        self.events.append(("comment", data))

    def handle_decl(self, decl):
        self.events.append(("decl", decl))

    def handle_pi(self, data):
        self.events.append(("pi", data))

    def handle_data(self, data):
        if self.raw:
            self.shy_in_markup += data.count(SHY)
            self.events.append(("raw", data))
        elif self.keep_prose:
            self.events.append(("data", data.replace(SHY, "")))


def html_events(text, keep_prose):
    parser = Events(keep_prose)
    parser.feed(text)
    parser.close()
    return parser


TEX_TOKEN = re.compile(r"\\[A-Za-z@]+|\\.|[{}\[\]$]|%[^\n]*")


VERB = re.compile(r"\\verb\*?([^A-Za-z\s{])(.*?)\1")


def tex_tokens(text):
    # Control words, braces, brackets, math shifts, comments, \verb whole; \-
    # and the escapes of prose are no markup of their own.
    tokens = []
    for line in text.split("\n"):
        at = 0
        for verb in VERB.finditer(line):
            tokens += TEX_TOKEN.findall(line[at:verb.start()])
            tokens.append(verb.group(0))
            at = verb.end()
        tokens += TEX_TOKEN.findall(line[at:])
    return [t for t in tokens if t not in ("\\-",)]


def lacheck(path):
    if not shutil.which("lacheck"):
        return None
    out = subprocess.run(["lacheck", path], capture_output=True, text=True, errors="replace").stdout
    # Positions aside, and the words it quotes (a soft hyphen ends one early).
    return sorted(re.sub(r'"[^"]*"', '""', re.sub(r'^"[^"]*", line \d+: ', "", line))
                  for line in out.splitlines())


def run(tarnik, args, inp=None):
    return subprocess.run([tarnik] + args, capture_output=True, input=inp)


def mode_of(path):
    name = path[:-3] if path.endswith(".gz") else path
    if name.endswith(".tex"):
        return "tex"
    if name.endswith(".html"):
        return "html"
    if name.endswith(".md"):
        return "markdown"
    return "nroff"


def check(tarnik, path, work):
    raw = gzip.open(path).read() if path.endswith(".gz") else open(path, "rb").read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        return "skipped (not UTF-8)"
    mode = mode_of(path)
    base = os.path.join(work, "f." + {"tex": "tex", "html": "html", "markdown": "md", "nroff": "1"}[mode])
    with open(base, "wb") as f:
        f.write(raw)
    problems = []
    hyph = run(tarnik, ["hyphenate", base])
    if hyph.returncode != 0:
        return "hyphenate failed: " + hyph.stderr.decode(errors="replace").strip()
    back = run(tarnik, ["hyphenate", "--remove", "--mode", mode], hyph.stdout)
    if back.stdout != raw:
        problems.append("hyphenate then --remove does not give the file back")
    typo = run(tarnik, ["typo", base])
    if typo.returncode not in (0, 1):
        problems.append("typo failed: " + typo.stderr.decode(errors="replace").strip())
    hyphenated = hyph.stdout.decode("utf-8")
    typeset = typo.stdout.decode("utf-8")
    def soft(t):
        return t.count(SHY) + t.count("&shy;") + t.count("&#173;") + t.count("&#xad;")

    added = soft(hyphenated) - soft(text)
    if mode == "html":
        original = html_events(text, False)
        for name, out in (("hyphenate", hyphenated), ("typo", typeset)):
            events = html_events(out, False)
            if events.events != original.events:
                problems.append(name + " changes the markup")
            if events.shy_in_markup > original.shy_in_markup:
                problems.append(name + " puts soft hyphens into markup")
        if html_events(hyphenated, True).events != html_events(text, True).events:
            problems.append("hyphenate changes more than soft hyphens")
    if mode == "tex":
        tokens = tex_tokens(text)
        for name, out in (("hyphenate", hyphenated), ("typo", typeset)):
            if tex_tokens(out) != tokens:
                problems.append(name + " changes the TeX markup")
            # Hyphenation must leave lacheck nothing new to say (typography
            # corrects some of what it says, so it is judged by the markup).
            if name == "hyphenate":
                out_path = os.path.join(work, "out.tex")
                with open(out_path, "w") as f:
                    f.write(out)
                if lacheck(base) != lacheck(out_path):
                    problems.append(name + ": lacheck says otherwise")
    status = "ok" if not problems else "; ".join(problems)
    return "%s (%d soft hyphens put in)" % (status, added)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tarnik", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin", "tarnik"))
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    files = [f for f in (args.files or default_files()) if os.path.isfile(f)]
    failed = passed = skipped = 0
    with tempfile.TemporaryDirectory() as work:
        for path in files:
            result = check(args.tarnik, path, work)
            if result.startswith("skipped"):
                skipped += 1
            elif result.startswith("ok"):
                passed += 1
            else:
                failed += 1
                print(path + ": " + result)
    print("%d passed, %d failed, %d skipped" % (passed, failed, skipped))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
