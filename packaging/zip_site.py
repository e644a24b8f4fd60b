#!/usr/bin/python3
"""Packs the lesson's folder into a zip that is the same, byte for byte,
whenever it is made from the same files.

    zip_site.py FOLDER OUT.zip

The folder's files, with their paths inside it, are the archive's entries,
index.html at the top: sorted by path, each dated SOURCE_DATE_EPOCH (in UTC;
the time of the commit, for a release), with the mode 644, compressed with
deflate at its strongest, with none of the extra fields that carry the times,
owners and modes of the machine that packed them.
"""

import os
import sys
import time
import zipfile

# A zip's dates start in 1980; its times are even seconds.
ZIP_EPOCH = 315532800


def entries(folder):
    """The paths of the folder's files, relative to it, with '/', sorted."""
    found = []
    for top, dirs, files in os.walk(folder):
        dirs.sort()
        for name in files:
            path = os.path.join(top, name)
            if os.path.islink(path):
                raise SystemExit(f"zip_site.py: {path} is a link; the folder should hold files only")
            found.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    return sorted(found)


def main(argv):
    if len(argv) != 3:
        raise SystemExit("usage: zip_site.py FOLDER OUT.zip")
    folder, out = argv[1], argv[2]
    try:
        epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    except (KeyError, ValueError):
        raise SystemExit("zip_site.py: SOURCE_DATE_EPOCH must be set to a number of seconds")
    date_time = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    names = entries(folder)
    if "index.html" not in names:
        raise SystemExit(f"zip_site.py: {folder} has no index.html")

    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in names:
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 3  # Unix, so that the mode below is read
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, out)


if __name__ == "__main__":
    main(sys.argv)
