#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the faces that Wine is given in place of Windows' own, in FOLDER:

    stand_in_fonts.py FOLDER

- DejaVu Sans, as it is: the sans serif the window falls back on, as on Linux;
- an "MS Sans Serif" without č, š and ž (DejaVu Sans cut to Latin-1), as the font of that
  name that Windows and Wine keep is for Western Europe, or a bitmap;
- a "Comic Sans MS" that is plainly not the Comic Neue the program carries (DejaVu Serif
  renamed), as Windows has a Comic Sans MS of its own.

So a window that asks for the designer's families by name, instead of the faces it picks or
carries, shows it under Wine as it would on Windows."""

import logging
import shutil
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

DEJAVU = Path("/usr/share/fonts/truetype/dejavu")
LATIN_1 = range(0x20, 0x100)


def stand_in(source, family, style, target, unicodes=None):
    font = TTFont(DEJAVU / source)
    if unicodes is not None:
        options = subset.Options()
        options.name_IDs = ["*"]
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=unicodes)
        subsetter.subset(font)
    full = family if style == "Regular" else f"{family} {style}"
    names = font["name"]
    names.names = [record for record in names.names if record.nameID not in (1, 2, 3, 4, 6, 16, 17)]
    for name_id, text in ((1, family), (2, style), (3, full), (4, full),
                          (6, full.replace(" ", "")), (16, family), (17, style)):
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    font.save(target)


def main():
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)  # tables it drops, as meant
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for source in ("DejaVuSans.ttf", "DejaVuSans-Bold.ttf"):
        shutil.copyfile(DEJAVU / source, folder / source)
    for source, style in (("DejaVuSans.ttf", "Regular"), ("DejaVuSans-Bold.ttf", "Bold")):
        stand_in(source, "MS Sans Serif", style, folder / f"MSSansSerif-{style}.ttf", LATIN_1)
    for source, style in (("DejaVuSerif.ttf", "Regular"), ("DejaVuSerif-Bold.ttf", "Bold")):
        stand_in(source, "Comic Sans MS", style, folder / f"ComicSansMS-{style}.ttf")


if __name__ == "__main__":
    main()
