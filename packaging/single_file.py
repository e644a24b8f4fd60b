#!/usr/bin/python3
"""Makes one page of the lesson's folder into one HTML file that holds all it
uses, for a teacher to hand out where a folder does not travel (a learning
platform, a mail): opened from the disk, it runs the lesson with no network.

    single_file.py FOLDER/PAGE.html OUT.html

What the page names from its folder goes inside it:

- each <script src>, as the script itself;
- the stylesheet (<link rel=stylesheet>), as a <style>, the files its url()s
  name as data: URLs;
- the icons (<link rel=icon>, <link rel=apple-touch-icon>), as data: URLs;
- the scripts that those scripts load at run time: the page's program, named
  by <meta name="program" content="graph.js">, and every .js file of the
  folder that one of them names in quotes ('lesson.js'), but the service
  worker (serviceWorker.register('sw.js')), which only works served. Such a
  script is held, not run, in a <script type="text/plain" id="NAME"> before
  the page's first script: start.js runs it from there where it finds it, and
  loads NAME from the folder where it does not.

The manifests, which start.js adds only where the page is served, are left
out with the service worker. Anything else the page names from its folder
stops the making: the file would not work without it. The same folder makes
the same file, byte for byte.
"""

import base64
import html
import html.parser
import os
import re
import sys

# The types of what the page may carry as a data: URL, fixed here rather than
# read from the machine's own table, so that every machine writes the same.
TYPES = {".png": "image/png", ".svg": "image/svg+xml", ".ico": "image/x-icon", ".jpg": "image/jpeg",
         ".webp": "image/webp", ".woff2": "font/woff2", ".woff": "font/woff"}
ICON_RELS = {"icon", "apple-touch-icon", "shortcut"}
# Links that serve an installed app and nothing else: of no use in one file.
SERVED_ONLY_RELS = {"manifest"}

QUOTED_SCRIPT = re.compile(r"""(['"])([\w.-]+\.js)\1""")
WORKER = re.compile(r"""serviceWorker\.register\(\s*(['"])([^'"]+)\1""")
URL_IN_CSS = re.compile(r"""url\(\s*(?:"([^"]*)"|'([^']*)'|([^'")\s]+))\s*\)""")


class Fault(Exception):
    pass


class Tags(html.parser.HTMLParser):
    """The page's start tags: (start, end, name, attributes) by offset in the text."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        # Where each line starts: the parser counts lines by "\n" alone.
        self.lines = [0] + [m.end() for m in re.finditer("\n", text)]
        self.found = []
        self.feed(text)
        self.close()

    def handle_starttag(self, tag, attrs):
        line, column = self.getpos()
        start = self.lines[line - 1] + column
        self.found.append((start, start + len(self.get_starttag_text()), tag, dict(attrs)))

    handle_startendtag = handle_starttag


def local(folder, ref):
    """The file of the folder that a reference of the page names, or None where it names no file of it."""
    if re.match(r"^[a-z][a-z0-9+.-]*:|^/|^#", ref, re.I) or not ref:
        return None
    path = os.path.normpath(os.path.join(folder, ref.split("#")[0].split("?")[0]))
    if os.path.commonpath([path, folder]) != folder:
        raise Fault(f"the page names {ref}, outside its folder")
    if not os.path.isfile(path):
        raise Fault(f"the page names {ref}, which its folder does not hold")
    return path


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def data_url(path):
    kind = TYPES.get(os.path.splitext(path)[1].lower())
    if not kind:
        raise Fault(f"{os.path.basename(path)}: no known type to carry it as a data: URL")
    with open(path, "rb") as f:
        return f"data:{kind};base64," + base64.b64encode(f.read()).decode("ascii")


def script_text(name, text):
    """A script's text as the content of a <script> element: its end tag
    written so that the page's parser does not take it for the element's."""
    if "<!--" in text:
        raise Fault(f"{name} holds '<!--', which would change how the page reads the script")
    return re.sub(r"</(script)", r"<\\/\1", text, flags=re.I)


def style_text(name, folder, text):
    if re.search(r"</style", text, re.I) or re.search(r"@import", text):
        raise Fault(f"{name} holds '</style' or an @import, which one file cannot carry")
    def carried(match):
        path = local(folder, next(g for g in match.groups() if g is not None))
        return f'url("{data_url(path)}")' if path else match.group(0)
    return URL_IN_CSS.sub(carried, text)


def attributes(attrs, drop=(), **changed):
    """A tag's attributes written again, those named in drop left out, those in changed changed."""
    merged = {**attrs, **changed}
    return "".join(f" {key}" if value is None else f' {key}="{html.escape(value)}"'
                   for key, value in merged.items() if key not in drop)


def run_time_scripts(folder, texts, loaded, named=()):
    """The .js files of the folder that the page names as its program and that
    the scripts name, and the scripts those name in turn, but the service
    worker and what the page already loads; in the order they are first
    named."""
    held, queue = [], []
    for name in named:
        path = local(folder, name)
        if not path or not os.path.isfile(path):
            raise Fault(f"the page's program {name} is not in the folder")
        if name not in held:
            held.append(name)
            queue.append(read(path))
    queue += list(texts)
    while queue:
        text = queue.pop(0)
        workers = {m.group(2) for m in WORKER.finditer(text)}
        for match in QUOTED_SCRIPT.finditer(text):
            name = match.group(2)
            path = os.path.join(folder, name)
            if name in workers or name in loaded or name in held or not os.path.isfile(path):
                continue
            held.append(name)
            queue.append(read(path))
    return held


def single_file(page):
    folder = os.path.dirname(os.path.abspath(page))
    text = read(page)
    edits = []  # (start, end, replacement), in the text's order
    scripts, loaded, first_script, programs = [], set(), None, []
    for start, end, tag, attrs in Tags(text).found:
        if tag == "meta" and (attrs.get("name") or "").lower() == "program":
            programs.append(attrs.get("content") or "")
            continue
        if tag == "script" and attrs.get("src") is not None:
            path = local(folder, attrs["src"])
            if not path:
                raise Fault(f"the page loads {attrs['src']} from elsewhere")
            closing = re.compile(r"\s*</script\s*>", re.I).match(text, end)
            if not closing:
                raise Fault(f"the <script src={attrs['src']}> has content of its own")
            if "async" in attrs or "defer" in attrs:
                raise Fault(f"{attrs['src']} is loaded async or defer, which a script inside the page cannot be")
            body = read(path)
            scripts.append(body)
            loaded.add(os.path.relpath(path, folder))
            first_script = start if first_script is None else first_script
            edits.append((start, closing.end(),
                          f"<script{attributes(attrs, drop={'src'})}>{script_text(attrs['src'], body)}</script>"))
        elif tag == "script":
            first_script = start if first_script is None else first_script
        elif tag == "link":
            rels = set((attrs.get("rel") or "").lower().split())
            path = local(folder, attrs.get("href") or "")
            if not path:
                continue
            if "stylesheet" in rels:
                edits.append((start, end, f"<style{attributes(attrs, drop={'rel', 'href'})}>"
                                          f"{style_text(attrs['href'], folder, read(path))}</style>"))
            elif rels & ICON_RELS:
                edits.append((start, end, f"<link{attributes(attrs, href=data_url(path))}>"))
            elif rels & SERVED_ONLY_RELS:
                edits.append((start, end, ""))
            else:
                raise Fault(f"the page links {attrs['href']} (rel={attrs.get('rel')}), which one file cannot carry")
        else:
            for key in ("src", "href", "poster", "data"):
                if attrs.get(key) is not None and local(folder, attrs[key]):
                    raise Fault(f"<{tag} {key}={attrs[key]}> names a file of the folder, which one file does not carry")

    held = run_time_scripts(folder, scripts, loaded, programs)
    if held:
        if first_script is None:
            raise Fault("the page names scripts but runs none")
        holding = "".join(f'<script type="text/plain" id="{name}">{script_text(name, read(os.path.join(folder, name)))}'
                          f"</script>\n" for name in held)
        edits.append((first_script, first_script, holding))

    out, at = [], 0
    for start, end, replacement in sorted(edits, key=lambda e: (e[0], e[1])):
        out.append(text[at:start])
        out.append(replacement)
        at = end
    out.append(text[at:])
    return "".join(out)


def main(argv):
    if len(argv) != 3:
        raise SystemExit("usage: single_file.py FOLDER/PAGE.html OUT.html")
    page, out = argv[1], argv[2]
    try:
        made = single_file(page)
    except (Fault, OSError) as fault:
        raise SystemExit(f"single_file.py: {page}: {fault}")
    partial = out + ".part"
    with open(partial, "w", encoding="utf-8", newline="") as f:
        f.write(made)
    os.replace(partial, out)


if __name__ == "__main__":
    main(sys.argv)
