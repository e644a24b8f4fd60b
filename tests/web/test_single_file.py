#!/usr/bin/python3
"""Tests of packaging/single_file.py on small folders of its own: what a page
made into one file holds, where, and what it refuses to make. (That the
lesson's own pages made so run from the disk is tests/web with LG_SINGLE.)

    /usr/bin/python3 tests/web/test_single_file.py
"""

import os
import re
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "packaging"))

import single_file  # noqa: E402

PAGE = """<!doctype html><html><head>
<link rel="icon" href="i.png"><link rel="manifest" href="m.webmanifest">
<link rel="stylesheet" href="s.css"></head><body><p>本文</p>
<script src="font.js"></script>
<script src="start.js"></script>
</body></html>
"""
START = "var s = document.createElement('script'); s.src = 'lesson.js'; navigator.serviceWorker.register('sw.js');"
FOLDER = {"index.html": PAGE, "i.png": b"\x89PNG", "m.webmanifest": "{}",
          "s.css": "b { background: url(i.png) } i { background: url(\"data:,'a'\") }",
          "font.js": "var F = 1;", "start.js": START, "lesson.js": "var L = '</script>';", "sw.js": "self;"}


def make(files, page="index.html"):
    with tempfile.TemporaryDirectory() as folder:
        for name, content in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content if isinstance(content, bytes) else content.encode())
        return single_file.single_file(os.path.join(folder, page))


def held(made):
    return re.findall(r'<script type="text/plain" id="([^"]+)">', made)


class Made(unittest.TestCase):
    def test_the_page_holds_all_it_uses(self):
        made = make(FOLDER)
        rows = [  # (what, found in the file)
            ("the style, its url() of a file a data: URL",
             '<style>b { background: url("data:image/png;base64,iVBORw==") }'
             ' i { background: url("data:,\'a\'") }</style>'),
            ("the scripts in their places", "<script>var F = 1;</script>\n<script>" + START + "</script>"),
            ("lesson.js held, its end tag written apart", "var L = '<\\/script>';</script>\n<script>var F"),
        ]
        for what, text in rows:
            with self.subTest(what):
                self.assertIn(text, made)
        self.assertEqual(held(made), ["lesson.js"])
        self.assertNotIn("manifest", made)
        self.assertNotIn('src="', made)
        self.assertEqual(made, make(FOLDER), "made twice, the same")

    def test_the_page_holds_the_program_its_meta_names(self):
        # A start that names no script: the page names its program, which names another.
        page = PAGE.replace("<link rel=\"icon\"", '<meta name="program" content="graph.js"><link rel="icon"')
        files = dict(FOLDER, **{"index.html": page, "start.js": "var p = document.querySelector('meta').content;",
                                "graph.js": "load('shared.js');", "shared.js": "var S;"})
        made = make(files)
        self.assertEqual(held(made), ["graph.js", "shared.js"])
        self.assertIn('<meta name="program" content="graph.js">', made)

    def test_the_scripts_named_are_held_whatever_their_names(self):
        # A start that loads its lesson's own script, which names another.
        files = dict(FOLDER, **{"start.js": "var p = {graph: 'graph.js'};", "graph.js": "load('shared.js');",
                                "shared.js": "var S;"})
        self.assertEqual(held(make(files)), ["graph.js", "shared.js"])


class Refused(unittest.TestCase):
    ROWS = [  # (what, the folder's changes, what the refusal says)
        ("a file the folder lacks", {"index.html": PAGE.replace("i.png", "j.png")}, "does not hold"),
        ("a file outside the folder", {"index.html": PAGE.replace('href="i.png"', 'href="../i.png"')}, "outside"),
        ("a link of an unknown kind", {"index.html": PAGE.replace('rel="icon"', 'rel="preload"')}, "cannot carry"),
        ("an image of the folder", {"index.html": PAGE.replace("<p>", '<img src="i.png"><p>')}, "does not carry"),
        ("a script that opens an HTML comment", {"font.js": "x = '<!--';"}, "<!--"),
        ("a deferred script", {"index.html": PAGE.replace('src="font.js"', 'src="font.js" defer')}, "defer"),
        ("an import in the style", {"s.css": "@import 'x.css';"}, "@import"),
        ("a program the folder lacks", {"index.html": PAGE.replace("<head>", '<head><meta name="program" content="x.js">')},
         "names x.js, which its folder does not hold"),
        ("a file of no known type", {"s.css": "b { background: url(m.webmanifest) }"}, "no known type"),
    ]

    def test_what_one_file_cannot_carry(self):
        for what, changes, says in self.ROWS:
            with self.subTest(what):
                with self.assertRaisesRegex(single_file.Fault, re.escape(says)):
                    make(dict(FOLDER, **changes))


if __name__ == "__main__":
    unittest.main()
