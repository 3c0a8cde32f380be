#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The receiver service across the package's life, as dpkg runs the maintainer scripts of the
# given .deb: install, enable, upgrade, remove and purge. systemd's own helpers are stood in for
# by stubs that keep the unit's state (enabled, running) in files and behave as the real ones
# do: deb-systemd-invoke starts or restarts only an enabled unit. The scripts ask whether
# systemd runs by a folder of its own, here one of this check's.
#   tools/lib/service-life.sh PACKAGE.deb WORK-FOLDER
set -euo pipefail

deb="$1"
work="$2"
unit=orx-frekvenca.service
rm -rf "$work"
mkdir -p "$work/scripts" "$work/bin" "$work/run-systemd" "$work/state"
dpkg-deb -e "$deb" "$work/scripts"
for script in preinst postinst prerm postrm; do
  if [ -f "$work/scripts/$script" ]; then
    sed -i -e "s|/run/systemd/system|$work/run-systemd|g" \
      -e "s|/usr/bin/deb-systemd-helper|$work/bin/deb-systemd-helper|g" "$work/scripts/$script"
  else
    printf '#!/bin/sh\nexit 0\n' > "$work/scripts/$script"
  fi
  chmod +x "$work/scripts/$script"
done

state="$work/state"
cat > "$work/bin/deb-systemd-helper" << EOF
#!/bin/sh
[ "\$1" = --quiet ] && shift
case "\$1" in
  was-enabled|is-enabled) [ -e "$state/enabled" ] ;;
  enable) touch "$state/enabled" "$state/known" ;;
  disable) rm -f "$state/enabled" ;;
  debian-installed) [ -e "$state/known" ] ;;
  update-state) touch "$state/known" ;;
  purge) rm -f "$state/enabled" "$state/known" ;;
  unmask|mask) ;;
  *) echo "deb-systemd-helper: \$*" >&2; exit 2 ;;
esac
EOF
cat > "$work/bin/deb-systemd-invoke" << EOF
#!/bin/sh
case "\$1" in
  start|restart) [ -e "$state/enabled" ] && touch "$state/running" && echo "\$1" >> "$state/log" ;;
  stop) rm -f "$state/running"; echo stop >> "$state/log" ;;
esac
exit 0
EOF
cat > "$work/bin/systemctl" << EOF
#!/bin/sh
exit 0
EOF
chmod +x "$work/bin/"*
export PATH="$work/bin:$PATH" DPKG_MAINTSCRIPT_PACKAGE=orx-frekvenca DPKG_ROOT=
version="$(dpkg-deb -f "$deb" Version)"

fail() { echo "service life: $*" >&2; exit 1; }
running() { [ -e "$state/running" ]; }
run() { "$work/scripts/$1" "${@:2}" > /dev/null; }

# Installed: neither enabled nor started.
run preinst install
run postinst configure ""
running && fail "started on installation"
[ -e "$state/enabled" ] && fail "enabled on installation"
# The administrator enables it: systemctl enable --now.
touch "$state/enabled" "$state/known" "$state/running"
# Upgraded to this version again: it runs afterwards.
run prerm upgrade "$version"
run preinst upgrade "$version"
run postrm upgrade "$version"
run postinst configure "$version"
running || fail "an enabled service stays stopped after an upgrade ($(tr '\n' ' ' < "$state/log" 2> /dev/null))"
[ -e "$state/enabled" ] || fail "an upgrade disabled the service"
# Removed: the daemon is stopped, not left running from a deleted program.
run prerm remove
run postrm remove
running && fail "removal leaves the service running"
# Purged: nothing of its state is left.
run postrm purge
[ -e "$state/enabled" ] || [ -e "$state/known" ] && fail "purge leaves the unit's state behind"
echo "service life: installed not enabled, restarted after an upgrade, stopped on removal, purged"
