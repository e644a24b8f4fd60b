#!/usr/bin/python3
"""Tests of tools/subset_font.py: which characters it finds in the sources,
and the face and licence it writes.

    /usr/bin/python3 web/test_subset_font.py
"""

import base64
import io
import os
import re
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tools"))

import subset_font as sf  # noqa: E402


def joined(literals):
    return "|".join(literals)


class CppLiterals(unittest.TestCase):
    def test_comments_are_not_texts(self):
        text = '// 注意 "無視"\nint x = 1; /* 説明 "これも" */ f("点を打つ");'
        self.assertEqual(sf.cpp_literals(text), ["点を打つ"])

    def test_a_comment_mark_inside_a_string_is_text(self):
        self.assertEqual(sf.cpp_literals('s("a//式"); // 不要'), ["a//式"])

    def test_escapes_and_prefixes(self):
        text = r'''char32_t c = U'\uFF10'; auto s = u8"\xEF\xBC\x91"; L"\U0001F600"; "\"引\"";'''
        self.assertEqual(sf.cpp_literals(text), ["０", "１", "\U0001F600", '"引"'])

    def test_an_incomplete_utf8_sequence_is_dropped(self):
        # A prefix of U+FF10 … U+FF19 whose last byte is added at run time.
        self.assertEqual(sf.cpp_literals(r'out += "\xEF\xBC"; out += "．";'), ["", "．"])

    def test_digit_separators_are_not_quotes(self):
        text = "const int n = 1'000'000; f(\"値\"); g('x');"
        self.assertEqual(sf.cpp_literals(text), ["値", "x"])

    def test_raw_strings(self):
        text = 'R"(一 " 二)" u8R"x(三 )" 四)x" "五"'
        self.assertEqual(sf.cpp_literals(text), ['一 " 二', '三 )" 四', "五"])


class JsLiterals(unittest.TestCase):
    def test_strings_templates_and_escapes(self):
        text = "a('終了'); b(\"\\u7D42\"); c(`x ${y} 線`); d('\\u{1F600}'); e('\\uD83D\\uDE00');"
        self.assertEqual(sf.js_literals(text), ["終了", "終", "x ${y} 線", "\U0001F600", "\U0001F600"])

    def test_comments_are_not_texts(self):
        self.assertEqual(sf.js_literals("// 説明 'a'\nx = 1; /* 'b' 注 */ y('点');"), ["点"])

    def test_a_quote_in_a_regular_expression_opens_no_string(self):
        text = "s.replace(/'/g, \"\"); t = /[\"/]/.test(u); v('数');"
        self.assertEqual(sf.js_literals(text), ["", "数"])

    def test_a_division_is_not_a_regular_expression(self):
        text = "var w = a / b / 2; f('式');"
        self.assertEqual(sf.js_literals(text), ["式"])


class CssAndHtml(unittest.TestCase):
    def test_css_strings_without_comments(self):
        text = '/* "注" */ a::before { content: "\\26A0  ※"; } b { font-family: \'x\'; }'
        self.assertEqual(sf.css_literals(text), ["\u26A0 ※", "x"])

    def test_html_without_comments_with_references(self):
        text = "<!-- 説明 --><p title='名'>終了&#x3000;&#12354;</p>"
        got = joined(sf.html_text(text))
        self.assertIn("終了\u3000あ", got)
        self.assertIn("名", got)
        self.assertNotIn("説", got)


class Characters(unittest.TestCase):
    def tree(self, files):
        root = tempfile.mkdtemp()
        for name, text in files.items():
            path = os.path.join(root, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        return root

    def test_what_the_program_and_the_page_show(self):
        root = self.tree({
            "app/a.cpp": '// 注釈\nf("式を表示");',
            "platform/web/b.js": "x('閉');",
            "plot/c.h": 'constexpr auto k = "\\u2212";',
            "web/index.html": "<!-- 説明 --><p>終了しました。</p>",
            "web/lesson.css": 'a::before { content: "※"; }',
            "tests/t.cpp": 'f("試験");',
            "app/notes.txt": "文書",
            "lessons.json": '{"lessons": [{"folders": ["app", "plot"], "title": "題名", "short": "略"}]}',
            "other/d.cpp": 'f("外");',
        })
        chars = sf.characters(root)
        for ch in "式を表示閉−終了しました。※題名略":
            self.assertIn(ch, chars)
        for ch in "注釈説明試験文書外":
            self.assertNotIn(ch, chars)
        # Typed ones: ASCII, the full-width number forms and space.
        for ch in "09azAZ+-.e~ ０９＋－．，\u3000":
            self.assertIn(ch, chars)
        self.assertEqual(chars, "".join(sorted(set(chars))))

    def test_control_and_format_characters_take_no_glyph(self):
        root = self.tree({"app/a.cpp": 'f("\\u200B\\uFEFF\\n点");',
                          "lessons.json": '{"lessons": [{"folders": ["app"], "title": "", "short": ""}]}'})
        chars = sf.characters(root)
        self.assertIn("点", chars)
        for ch in "\u200b\ufeff\n":
            self.assertNotIn(ch, chars)

    def test_the_lessons_own_texts(self):
        chars = sf.characters(ROOT)
        for ch in "２元１次方程式のグラフ点を打つ終了しました。もう一度はじめるｂが０なので":
            self.assertIn(ch, chars)
        # The second lesson's: its title, its steps, what it says of the lines.
        for ch in "連立方程式のグラフ交点を求める①②（ｘ，ｙ）＝２つの式のグラフは平行です解はありません同じ座標":
            self.assertIn(ch, chars)


class Licence(unittest.TestCase):
    def test_the_paragraph_with_the_text(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as f:
            f.write("Files: *.ttf\nLicense: IPA-1\n\nFiles: debian/*\nLicense: GPL-3+\n\n"
                    "License: IPA-1\n IPA Font License Agreement v1.0\n .\n Article 1\n  1. text\n"
                    "\nLicense: GPL-3+\n GPL\n")
        self.assertEqual(sf.licence_text(f.name), "IPA Font License Agreement v1.0\n\nArticle 1\n 1. text\n")

    @unittest.skipUnless(os.path.exists(sf.FACE_COPYRIGHT), "fonts-ipafont-gothic is not installed")
    def test_debians_copyright_file(self):
        text = sf.licence_text(sf.FACE_COPYRIGHT)
        self.assertTrue(text.startswith("IPAフォントライセンスv1.0\n"))
        self.assertIn("IPA Font License Agreement v1.0", text)
        self.assertIn("2.This Agreement shall be construed under the laws of Japan.", text)
        self.assertNotIn("GPL", text)


@unittest.skipUnless(os.path.exists(sf.FACE), "fonts-ipafont-gothic is not installed")
class Face(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        cls.out = os.path.join(cls.dir, "font.js")
        cls.licence = os.path.join(cls.dir, "LICENSE-font.txt")
        sf.main(["--root", ROOT, "--out", cls.out, "--licence", cls.licence])
        with open(cls.out, encoding="ascii") as f:
            cls.script = f.read()
        from fontTools.ttLib import TTFont
        match = re.search(r'^var LESSON_FONT = "([A-Za-z0-9+/=]+)";$', cls.script, re.M)
        cls.data = base64.b64decode(match.group(1))
        cls.font = TTFont(io.BytesIO(cls.data))

    def test_a_woff2_face_with_every_character_the_face_has(self):
        self.assertEqual(self.data[:4], b"wOF2")
        cmap = self.font.getBestCmap()
        original = __import__("fontTools.ttLib", fromlist=["TTFont"]).TTFont(sf.FACE).getBestCmap()
        wanted = [ch for ch in sf.characters(ROOT) if ord(ch) in original]
        self.assertEqual([ch for ch in wanted if ord(ch) not in cmap], [])
        # Nothing else: the subset is the lesson's alone.
        self.assertLess(len(cmap), len(wanted) + 8)

    def test_the_derived_face_has_names_of_its_own(self):
        names = self.font["name"]
        for name_id in (1, 4, 6):
            self.assertEqual(names.getDebugName(name_id), "LessonGothic")
        for record in names.names:
            if record.nameID in (1, 2, 3, 4, 6, 16, 17):
                self.assertNotIn("IPA", record.toUnicode())
        self.assertIn("IPA", names.getDebugName(0))  # the copyright stays

    def test_unhinted_smoothed_horizontal(self):
        for table in ("fpgm", "prep", "cvt ", "vhea", "vmtx"):
            self.assertNotIn(table, self.font)
        self.assertEqual(self.font["gasp"].gaspRange, {0xFFFF: 0x000A})

    def test_the_same_sources_give_the_same_bytes(self):
        again = os.path.join(self.dir, "again.js")
        sf.main(["--root", ROOT, "--out", again])
        with open(again, encoding="ascii") as f:
            self.assertEqual(f.read(), self.script)

    def test_the_licence_file(self):
        with open(self.licence, encoding="utf-8") as f:
            text = f.read()
        self.assertTrue(text.startswith("The face of this lesson\n"))
        self.assertIn("Derived Program", text)
        self.assertIn("delete font.js", text)
        self.assertIn("Article 3 (Restriction)", text)
        self.assertTrue(all(len(line) <= 80 for line in text.split("\n")[:20]))


if __name__ == "__main__":
    unittest.main()
