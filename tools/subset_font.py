#!/usr/bin/python3
"""Makes the page's face: the glyphs of IPA P Gothic that the lesson can show.

The characters are those of the program's texts (every character outside
ASCII in a string or character literal of the C++ sources, in a string of the
page's scripts and style, in the page itself), printable ASCII (whatever the
learner types on an English keyboard) and the full-width forms a Japanese
input method types for numbers. fontTools' subsetter keeps their glyphs and
the face's layout features for horizontal text; the result, as WOFF2 (WOFF
where brotli is missing), is written as a classic script

    var LESSON_FONT = "<base64>";

which start.js turns into the FontFace "LessonGothic": a script, not a font
file, because a page opened from the disk (file://) may not fetch a file.

The IPA Font License treats a subset as a program derived from the face: it
must not carry the face's name, must be under the same licence, and must come
with the licence and a way back to the whole face. So the subset's own names
are LessonGothic, and --licence writes the licence with that note before it.

    subset_font.py --root SOURCE --out font.js [--licence LICENSE-font.txt]
    subset_font.py --root SOURCE --chars       the characters, one line

Run it with Debian's python3 (python3-fonttools, python3-brotli).
"""

import argparse
import base64
import json
import html
import importlib.util
import io
import os
import sys
import textwrap
import unicodedata

FACE = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
FACE_COPYRIGHT = "/usr/share/doc/fonts-ipafont-gothic/copyright"
NAME = "LessonGothic"

# Where the program's texts are, relative to the source folder: every file of
# these kinds below the shared folders and below every lesson's folders, as
# lessons.json lists them, whose own words (the lessons' titles, shown by
# their pages) count too. web/web.cmake lists the same files as the command's
# dependencies.
SHARED_DIRS = ("core", "platform")
LESSONS = "lessons.json"
SOURCE_KINDS = (".cpp", ".h", ".js")
PAGE_DIR = "web"
PAGE_KINDS = (".html", ".js", ".css")

# What the learner may type that no literal holds: printable ASCII, and what a
# Japanese input method types for a number (full-width digits, plus, minus,
# full stop, comma, space, and the 「ー」 and 「。」 of its Japanese mode) and
# for its exponent.
TYPED = (
    "".join(chr(c) for c in range(0x20, 0x7F))
    + "".join(chr(c) for c in range(0xFF10, 0xFF1A))
    + "＋－．，\u3000ｅＥー。ｰ｡"
)

# Vertical forms are never used: the page is written across.
VERTICAL_FEATURES = {"vert", "vrt2", "vkrn", "vpal", "valt", "vhal", "vchw"}


# --- Literals of C++ ---------------------------------------------------------

_SIMPLE_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b",
                   "f": "\f", "v": "\v", "\\": "\\", "'": "'", '"': '"', "?": "?"}
_IDENT = set("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_")
_HEX = set("0123456789abcdefABCDEF")


def _cpp_unescape(body):
    """The text of a literal's body: escapes resolved, \\x and octal escapes
    taken as the bytes of UTF-8 (as in "\\xEF\\xBC\\x90"), an incomplete
    sequence dropped."""
    out = bytearray()
    i, n = 0, len(body)
    while i < n:
        c = body[i]
        if c != "\\" or i + 1 >= n:
            out += c.encode("utf-8")
            i += 1
            continue
        e = body[i + 1]
        if e in "uU":
            width = 4 if e == "u" else 8
            digits = body[i + 2:i + 2 + width]
            if len(digits) == width and all(d in _HEX for d in digits):
                out += chr(int(digits, 16)).encode("utf-8", "ignore")
                i += 2 + width
                continue
            i += 2
        elif e == "x":
            j = i + 2
            while j < n and body[j] in _HEX:
                j += 1
            if j > i + 2:
                value = int(body[i + 2:j], 16)
                # Two digits are a byte of UTF-8; more, a code unit of a wide literal.
                out += bytes([value]) if j - i - 2 <= 2 else chr(value).encode("utf-8", "ignore")
            i = j
        elif e in "01234567":
            j = i + 1
            while j < n and j < i + 4 and body[j] in "01234567":
                j += 1
            out.append(int(body[i + 1:j], 8) & 0xFF)
            i = j
        else:
            out += _SIMPLE_ESCAPES.get(e, e).encode("utf-8")
            i += 2
    return out.decode("utf-8", "ignore")


def cpp_literals(text):
    """The texts of the string and character literals of C++ source, comments
    and digit separators (1'000) left out."""
    found = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c == '"' or c == "'":
            # The identifier just before: a prefix (u8, u, U, L, R …) or, before
            # a quote, the digits of a number with separators.
            k = i
            while k > 0 and text[k - 1] in _IDENT:
                k -= 1
            prefix = text[k:i]
            if c == "'" and prefix not in ("", "u8", "u", "U", "L"):
                i += 1
                continue
            if c == '"' and prefix.endswith("R"):
                paren = text.find("(", i + 1)
                delimiter = text[i + 1:paren]
                end = text.find(")" + delimiter + '"', paren + 1)
                if paren < 0 or end < 0:
                    break
                found.append(text[paren + 1:end])
                i = end + len(delimiter) + 2
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            found.append(_cpp_unescape(text[i + 1:j]))
            i = j + 1
        else:
            i += 1
    return found


# --- Literals of JavaScript, CSS and HTML -----------------------------------

def _js_unescape(body):
    out = []
    i, n = 0, len(body)
    while i < n:
        c = body[i]
        if c != "\\" or i + 1 >= n:
            out.append(c)
            i += 1
            continue
        e = body[i + 1]
        if e == "u" and body.startswith("{", i + 2):
            j = body.find("}", i + 3)
            try:
                out.append(chr(int(body[i + 3:j], 16)))
                i = j + 1
                continue
            except ValueError:
                pass
        elif e == "u" and all(d in _HEX for d in body[i + 2:i + 6]) and len(body[i + 2:i + 6]) == 4:
            out.append(chr(int(body[i + 2:i + 6], 16)))
            i += 6
            continue
        elif e == "x" and all(d in _HEX for d in body[i + 2:i + 4]) and len(body[i + 2:i + 4]) == 2:
            out.append(chr(int(body[i + 2:i + 4], 16)))
            i += 4
            continue
        out.append(_SIMPLE_ESCAPES.get(e, e))
        i += 2
    # A surrogate pair written as two escapes is one character.
    return "".join(out).encode("utf-16", "surrogatepass").decode("utf-16", "ignore")


# After these a slash begins a regular expression, not a division.
_REGEX_AFTER = set("(,=:[!&|?{};+-*%<>~^")
_REGEX_KEYWORDS = ("return", "typeof", "case", "do", "else", "in", "of", "void", "throw", "delete", "new")


def js_literals(text):
    """The texts of the strings and template literals of a script, comments
    and regular expressions left out."""
    found = []
    i, n = 0, len(text)
    last = ""  # the last character of code before i that is not a blank
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c == "/":
            word_end = i
            while word_end > 0 and text[word_end - 1].isspace():
                word_end -= 1
            word_start = word_end
            while word_start > 0 and text[word_start - 1] in _IDENT:
                word_start -= 1
            if last == "" or last in _REGEX_AFTER or text[word_start:word_end] in _REGEX_KEYWORDS:
                j, in_class = i + 1, False
                while j < n and text[j] != "\n":
                    if text[j] == "\\":
                        j += 2
                        continue
                    if text[j] == "[":
                        in_class = True
                    elif text[j] == "]":
                        in_class = False
                    elif text[j] == "/" and not in_class:
                        break
                    j += 1
                i = j + 1
                last = "/"
            else:
                i += 1
                last = c
        elif c in "'\"`":
            j = i + 1
            while j < n and text[j] != c and (c == "`" or text[j] != "\n"):
                j += 2 if text[j] == "\\" else 1
            found.append(_js_unescape(text[i + 1:j]))
            i = j + 1
            last = c
        else:
            if not c.isspace():
                last = c
            i += 1
    return found


def css_literals(text):
    """The strings of a style sheet (what content: shows), comments left out."""
    found = []
    i, n = 0, len(text)
    while i < n:
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif text[i] in "'\"":
            q, j, out = text[i], i + 1, []
            while j < n and text[j] != q:
                if text[j] == "\\" and j + 1 < n:
                    k = j + 1
                    while k < n and k < j + 7 and text[k] in _HEX:
                        k += 1
                    if k > j + 1:
                        out.append(chr(int(text[j + 1:k], 16)))
                        j = k + (1 if k < n and text[k] == " " else 0)
                    else:
                        out.append(text[j + 1])
                        j += 2
                    continue
                out.append(text[j])
                j += 1
            found.append("".join(out))
            i = j + 1
        else:
            i += 1
    return found


def html_text(text):
    """What a page shows or names: everything but its comments, character
    references resolved."""
    parts, i = [], 0
    while True:
        j = text.find("<!--", i)
        if j < 0:
            parts.append(text[i:])
            break
        parts.append(text[i:j])
        k = text.find("-->", j + 4)
        if k < 0:
            break
        i = k + 3
    return [html.unescape("".join(parts))]


# --- The characters ----------------------------------------------------------

def lessons(root):
    with open(os.path.join(root, LESSONS), encoding="utf-8") as f:
        return json.load(f)["lessons"]


def source_dirs(root):
    """The shared folders, then each lesson's, once each."""
    dirs = list(SHARED_DIRS)
    for lesson in lessons(root):
        dirs += [d for d in lesson["folders"] if d not in dirs]
    return dirs


def source_files(root):
    """The files whose texts the lesson shows, sorted."""
    files = []
    for d in source_dirs(root):
        for base, _, names in os.walk(os.path.join(root, d)):
            files += [os.path.join(base, f) for f in names if f.endswith(SOURCE_KINDS)]
    page = os.path.join(root, PAGE_DIR)
    if os.path.isdir(page):
        files += [os.path.join(page, f) for f in os.listdir(page) if f.endswith(PAGE_KINDS)]
    return sorted(files)


def texts_of(path, text):
    if path.endswith((".cpp", ".h")):
        return cpp_literals(text)
    if path.endswith(".js"):
        return js_literals(text)
    if path.endswith(".css"):
        return css_literals(text)
    return html_text(text)


def shown(ch):
    """A character that takes a glyph: not a control or format character."""
    return unicodedata.category(ch) not in ("Cc", "Cf", "Cs", "Zl", "Zp")


def characters(root):
    """Every character the lesson can show, as a sorted string."""
    chars = set(TYPED)
    for lesson in lessons(root):
        for field in ("title", "short"):
            chars.update(ch for ch in lesson[field] if ord(ch) > 0x7F)
    for path in source_files(root):
        with open(path, encoding="utf-8") as f:
            for literal in texts_of(path, f.read()):
                chars.update(ch for ch in literal if ord(ch) > 0x7F)
    return "".join(sorted(ch for ch in chars if shown(ch)))


# --- The face ----------------------------------------------------------------

def subset(face_path, text, hinting):
    """The face's glyphs for text, renamed, as WOFF2 (or WOFF) bytes; and the
    characters of text the face lacks.

    Without hinting by default. Chromium on Linux draws the subset with and
    without its instructions pixel for pixel alike (FreeType's light hinting,
    as on ChromeOS, does not run them), and Safari does not use them; Windows
    may, and there the face's gasp table asks for no smoothing from 9 to 16
    pixels, where the form's 12-point texts (16 pixels) fall at its own size
    or smaller. Without them the face is smoothed alike everywhere, and
    font.js is 40 % smaller."""
    from fontTools import subset as fts
    from fontTools.ttLib import TTFont

    # Keep the face's own date, so that the same sources give the same bytes.
    font = TTFont(face_path, recalcTimestamp=False)
    cmap = font.getBestCmap()
    missing = "".join(ch for ch in text if ord(ch) not in cmap)

    options = fts.Options()
    options.flavor = "woff2" if importlib.util.find_spec("brotli") else "woff"
    features = set()
    for tag in ("GSUB", "GPOS"):
        if tag in font and font[tag].table.FeatureList:
            features.update(r.FeatureTag for r in font[tag].table.FeatureList.FeatureRecord)
    options.layout_features = sorted(features - VERTICAL_FEATURES)
    options.hinting = hinting
    options.drop_tables += ["vhea", "vmtx", "VORG"]
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    options.name_languages = [0x0409]
    options.name_legacy = False
    options.glyph_names = False

    subsetter = fts.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    if not hinting and "gasp" in font:
        # Smoothed at every size, without grid-fitting (the flags of version 1).
        font["gasp"].version = 1
        font["gasp"].gaspRange = {0xFFFF: 0x000A}
    rename(font)
    font.flavor = options.flavor
    out = io.BytesIO()
    font.save(out)
    return out.getvalue(), options.flavor, missing


def rename(font):
    """The derived face's own names (the licence forbids the face's)."""
    names = font["name"]
    version = names.getDebugName(5) or ""
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 17, 18, 21, 22):
            names.removeNames(nameID=record.nameID)
    number = version.replace("Version", "").strip()
    for name_id, value in ((1, NAME), (2, "Regular"), (3, f"{NAME} {number}".strip()),
                           (4, NAME), (6, NAME)):
        names.setName(value, name_id, 3, 1, 0x0409)


def font_script(data, flavor, chars):
    b64 = base64.b64encode(data).decode("ascii")
    return (
        f"// The face {NAME}: the {len(chars)} characters the lesson shows, from the\n"
        f"// IPA P Gothic face, as {flavor.upper()} (made by tools/subset_font.py; licence\n"
        f"// in LICENSE-font.txt).\n"
        f'var LESSON_FONT = "{b64}";\n'
    )


# --- The licence -------------------------------------------------------------

LICENCE_NOTE = """\
The face of this lesson
=======================

font.js holds the face {name}: the glyphs of the characters the lesson can
show, taken from IPA P Gothic, version 003.03 (IPAfont00303; in Debian, the
package fonts-ipafont-gothic) by tools/subset_font.py of the lesson's source
with fontTools' subsetter. The outlines are unchanged; the other glyphs, the
vertical metrics and the face's names were left out{hint}. It is a Derived
Program in the sense of the IPA Font License Agreement v1.0 below and is
licensed under that Agreement. It is the only file made from the face; no
other file was made in the course.

To use the whole original face instead: install IPA P Gothic on the computer
(https://moji.or.jp/ipafont/, or on Debian `apt-get install
fonts-ipafont-gothic`) and delete font.js from this folder; the page then
draws with the installed face (start.js asks for it by its name).

The IPA Font License Agreement v1.0, in Japanese and in English, as Debian's
package fonts-ipafont-gothic gives it (/usr/share/doc/fonts-ipafont-gothic/copyright):

"""


def licence_text(copyright_path):
    """The IPA-1 licence paragraph of a Debian copyright file, as plain text."""
    with open(copyright_path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    # The paragraph with the text; a Files paragraph names the licence only.
    out = []
    for start, line in enumerate(lines):
        if line.strip() != "License: IPA-1":
            continue
        body = []
        for row in lines[start + 1:]:
            if not row.startswith(" "):
                break
            body.append("" if row.strip() == "." else row[1:])
        if len(body) > len(out):
            out = body
    while out and not out[-1].strip():
        out.pop()
    if not any("IPA" in line for line in out):
        raise ValueError(f"no IPA Font License in {copyright_path}")
    return "\n".join(out) + "\n"


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", required=True, help="the lesson's source folder")
    parser.add_argument("--out", help="the script to write (font.js)")
    parser.add_argument("--licence", help="the licence file to write (LICENSE-font.txt)")
    parser.add_argument("--face", default=FACE, help="the face to take the glyphs from")
    parser.add_argument("--copyright", default=FACE_COPYRIGHT, help="Debian's copyright file of the face")
    parser.add_argument("--hinting", action="store_true",
                        help="keep the face's hinting instructions (see subset())")
    parser.add_argument("--chars", action="store_true", help="print the characters and stop")
    args = parser.parse_args(argv)

    text = characters(args.root)
    if args.chars:
        print(text)
        return 0
    if not args.out:
        parser.error("--out is needed")
    data, flavor, missing = subset(args.face, text, args.hinting)
    if missing:
        print("subset_font.py: not in the face (drawn with the system's): "
              + " ".join(f"{ch} U+{ord(ch):04X}" for ch in missing), file=sys.stderr)
    write(args.out, font_script(data, flavor, text))
    if args.licence:
        hint = "" if args.hinting else ", and so were the hinting instructions"
        note = LICENCE_NOTE.format(name=NAME, hint=hint).split("\n\n")
        # The paragraphs filled again, the heading as it is.
        note[1:-1] = [textwrap.fill(" ".join(p.split()), 76, break_on_hyphens=False,
                                    break_long_words=False) for p in note[1:-1]]
        write(args.licence, "\n\n".join(note) + licence_text(args.copyright))
    return 0


def write(path, content):
    """Writes through a new file, so that a build never sees half of it."""
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)
    os.replace(tmp, path)


if __name__ == "__main__":
    sys.exit(main())
