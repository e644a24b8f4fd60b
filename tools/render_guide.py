#!/usr/bin/python3
"""Makes the teachers' guide of the lesson's folder: docs/guide.md as one page,
guide.html, with its style inside, and the pictures it shows beside it, at
the same relative paths (guide/start.png), so that the folder holds the guide
as the code host shows it.

    render_guide.py GUIDE.md STYLE.css SITE

Python-Markdown (python3-markdown) renders it, with its tables and its table
of contents' ids. The ids are the ones the code host gives a heading, which
the guide's links within itself use: lower case, blanks to hyphens, every
other sign left out, Japanese kept; the second heading of the same words
gets "-1", the third "-2". Raw HTML passes through as it is written: the
line breaks in the tables' cells and the comments that
scripts/publish-guide.sh fills in.

Besides, each picture carries its size (the page does not jump while the
pictures load, so a link within the guide lands on its heading), and a link
to another address is marked "external" unless its text is already the
address: the printed guide writes the address after it.
"""

import os
import re
import shutil
import struct
import sys
import unicodedata
import xml.etree.ElementTree as etree

import markdown
from markdown.extensions import Extension
from markdown.treeprocessors import Treeprocessor


def anchor(text):
    """A heading's id as the code host makes it from the heading's text."""
    kept = "".join(c for c in text.strip().lower()
                   if c.isspace() or c in "_-" or unicodedata.category(c)[0] in "LNM")
    return re.sub(r"\s", "-", kept)


def anchors():
    """The slugify of Python-Markdown's table of contents, for one page: the
    code host's ids, a heading's words seen again numbered from -1."""
    seen = {}

    def slugify(text, separator):
        base = slug = anchor(text)
        while slug in seen:
            seen[base] += 1
            slug = f"{base}-{seen[base]}"
        seen[slug] = 0
        return slug

    return slugify


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"render_guide.py: {path} is not a PNG picture")
    return struct.unpack(">II", head[16:24])


class Pictures(Treeprocessor):
    """Collects the pictures the page shows (relative to the guide), gives
    each its size, and marks the links that leave the page."""

    def __init__(self, md, source):
        super().__init__(md)
        self.source = source
        self.shown = []

    def run(self, root):
        for img in root.iter("img"):
            src = img.get("src", "")
            # A picture of the guide's own, below its folder (guide/start.png).
            if not re.fullmatch(r"[\w-]+(\.[\w-]+)*(/[\w-]+(\.[\w-]+)*)*", src, re.ASCII):
                raise SystemExit(f"render_guide.py: the guide shows {src}, not a picture below its folder")
            width, height = png_size(os.path.join(self.source, src))
            img.set("width", str(width))
            img.set("height", str(height))
            self.shown.append(src)
        for a in root.iter("a"):
            href = a.get("href", "")
            if re.match(r"^https?://", href) and "".join(a.itertext()).strip() != href:
                a.set("class", "external")


class GuideExtension(Extension):
    def __init__(self, source):
        super().__init__()
        self.pictures = None
        self.source = source

    def extendMarkdown(self, md):
        self.pictures = Pictures(md, self.source)
        # After the inline patterns have made the links and the pictures.
        md.treeprocessors.register(self.pictures, "guide-pictures", 6)


def render(text, style, source):
    guide = GuideExtension(source)
    md = markdown.Markdown(extensions=["tables", "sane_lists", "toc", guide],
                           extension_configs={"toc": {"slugify": anchors(), "permalink": False}},
                           output_format="html")
    body = md.convert(text)
    title = next((t["name"] for t in md.toc_tokens), "")
    page = f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title}</title>
<style>
{style.strip()}
</style>
</head>
<body>
<main>
{body}
</main>
</body>
</html>
"""
    return page, guide.pictures.shown


def main(argv):
    if len(argv) != 4:
        raise SystemExit("usage: render_guide.py GUIDE.md STYLE.css SITE")
    source_md, style_css, site = argv[1:]
    with open(source_md, encoding="utf-8") as f:
        text = f.read()
    with open(style_css, encoding="utf-8") as f:
        style = f.read()
    source = os.path.dirname(os.path.abspath(source_md))
    page, shown = render(text, style, source)

    # The pictures anew, those the guide shows and no other.
    folders = sorted({os.path.dirname(src) for src in shown if os.path.dirname(src)})
    for folder in folders:
        shutil.rmtree(os.path.join(site, folder), ignore_errors=True)
    for src in sorted(set(shown)):
        os.makedirs(os.path.dirname(os.path.join(site, src)), exist_ok=True)
        shutil.copyfile(os.path.join(source, src), os.path.join(site, src))
    with open(os.path.join(site, "guide.html"), "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main(sys.argv)
