#!/usr/bin/python3
"""Cuts the program's own face out of the system's Noto Sans CJK collection.

The collection holds 65,535 glyphs in one 19 MB file; loading a face of it
reads offsets for every glyph, and the pages touched around each drawn glyph
stay resident. The program's own face keeps the GB 2312 characters, the
characters of the program's own texts and the common punctuation: same
outlines, same metrics, an eighth of the glyphs. Characters outside it fall
back to the full collection, which the program names next.

Usage: subset_font.py COLLECTION FAMILY STYLE OUT_FILE SOURCE_DIR TEXT_DIR
"""
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

FAMILY = "Tesmara Sans"


def characters(source_dir, text_dir):
    chars = set()
    for first in range(0xA1, 0xF8):
        for second in range(0xA1, 0xFF):
            try:
                chars.add(bytes([first, second]).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    for low, high in ((0x20, 0x7F), (0xA0, 0x100), (0x2000, 0x2070), (0x2190, 0x2200),
                      (0x2460, 0x2500), (0x25A0, 0x2600), (0x3000, 0x3040), (0xFF00, 0xFFF0)):
        chars.update(chr(c) for c in range(low, high))
    # The captions and messages in the code, and the built-in texts.
    for folder, suffixes in ((source_dir, (".cpp", ".h")), (text_dir, (".txt",))):
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.is_file() and path.suffix in suffixes:
                text = path.read_bytes().decode("utf-8", errors="ignore")
                chars.update(c for c in text if ord(c) >= 0x80 and c.isprintable())
    return chars


def rename(font, style):
    names = font["name"]
    postscript = FAMILY.replace(" ", "") + "-" + style
    # The copyright, trademark and licence records stay; the names are ours.
    names.names = [n for n in names.names if n.nameID in (0, 7, 13, 14) and n.langID == 0x409]
    for name_id, value in ((1, FAMILY), (2, style), (3, postscript), (4, f"{FAMILY} {style}"), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
    cff = font["CFF "].cff
    cff.fontNames = [postscript]


def face_index(collection, family):
    count = len(TTCollection(collection).fonts)
    for index in range(count):
        if TTFont(collection, fontNumber=index)["name"].getDebugName(1) == family:
            return index
    sys.exit(f"{collection} holds no face named {family}")


def main():
    collection, family, style, out = sys.argv[1:5]
    font = TTFont(collection, fontNumber=face_index(collection, family), lazy=False, recalcTimestamp=False)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in characters(sys.argv[5], sys.argv[6])])
    subsetter.subset(font)
    rename(font, style)
    target = pathlib.Path(out)
    partial = target.with_suffix(".part")
    font.save(str(partial))
    partial.replace(target)


if __name__ == "__main__":
    main()
