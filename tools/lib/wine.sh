# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Wine that runs the programs built for Windows, and this build's own prefix for it.
# Sourced after common.sh; sets $wine and exports what every Wine run of the build shares.

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64)"
export WINEPREFIX="$ORX_BUILD-wineprefix" WINEDEBUG=-all

# Wine would offer the programs this machine's fonts, Comic Neue among them, which Windows
# lacks: it is given DejaVu's alone, so that the window shows the face the program carries.
# The prefix is made with the same fonts, because Wine keeps the fonts it found then in the
# prefix's registry and offers them on every later run.
wine_fonts="$ORX_BUILD-wine-fonts.conf"
cat > "$wine_fonts" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>$ORX_BUILD-wine-fonts-cache</cachedir></fontconfig>
CONF
export FONTCONFIG_FILE="$wine_fonts"
# Qt's offscreen platform on Windows reads its fonts from a folder of its own, not from Wine:
# the same faces, through the drive Wine maps to the root. Wine passes no QT_ variable to the
# programs it runs, so the suite takes the folder under a name of its own.
export ORX_TEST_FONT_FOLDER=Z:/usr/share/fonts/truetype/dejavu
[ -d "$WINEPREFIX/dosdevices" ] || "$wine" wineboot -i > /dev/null 2>&1
