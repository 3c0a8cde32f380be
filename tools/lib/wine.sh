# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Wine that runs the programs built for Windows, and this build's own prefix for it.
# Sourced after common.sh; sets $wine and exports what every Wine run of the build shares.

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64)"
export WINEPREFIX="$ORX_BUILD-wineprefix" WINEDEBUG=-all

# Wine would offer the programs this machine's fonts, Comic Neue among them, which Windows
# lacks. It is given the faces Windows has in their place instead (tools/lib/stand_in_fonts.py),
# so that the window shows the faces the program picks and carries, not the ones it asks for
# by name. The prefix is made with the same fonts, because Wine keeps the fonts it found then
# in the prefix's registry and offers them on every later run.
wine_font_folder="$ORX_BUILD-wine-fonts"
if [ ! -f "$wine_font_folder/done" ] || [ "$ORX_ROOT/tools/lib/stand_in_fonts.py" -nt "$wine_font_folder/done" ]; then
  /usr/bin/python3 "$ORX_ROOT/tools/lib/stand_in_fonts.py" "$wine_font_folder"
  touch "$wine_font_folder/done"
fi
export ORX_WINE_FONTCONFIG="$ORX_BUILD-wine-fonts.conf"
cat > "$ORX_WINE_FONTCONFIG" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$wine_font_folder</dir><cachedir>$ORX_BUILD-wine-fonts-cache</cachedir></fontconfig>
CONF
export FONTCONFIG_FILE="$ORX_WINE_FONTCONFIG"
# Qt's offscreen platform on Windows reads its fonts from a folder of its own, not from Wine:
# the same faces, through the drive Wine maps to the root. Wine passes no QT_ variable to the
# programs it runs, so the suite takes the folder under a name of its own.
export ORX_TEST_FONT_FOLDER="Z:$wine_font_folder"
# Made to its end before any program runs: a prefix left half made is finished by the next
# program's start, which then takes long enough for Wine's desktop to be given up on.
if [ ! -d "$WINEPREFIX/dosdevices" ]; then
  "$wine" wineboot -i > /dev/null 2>&1
  "${wine%wine64}wineserver64" -w 2> /dev/null || true
fi
