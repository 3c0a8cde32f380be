# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by tools/check-package and tools/check-cross: the tree a package is built from, and how
# it is linted. Set `build` (a folder for logs) before calling lint.

fail() { echo "package check: $*" >&2; exit 1; }

# The committed tree and what is changed in it, without build folders, into $1.
copy_source() {
  (cd "$ORX_ROOT" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp --parents -t "$1" 2> /dev/null) ||
    (cd "$ORX_ROOT" && tar --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$1")
}

# Informational and pedantic tags that may stay, each with its reason:
#   package-supports-alternative-init-but-no-init.d-script
#       the receiver service is an optional systemd unit, not enabled, that relies on
#       systemd's own DynamicUser and sandboxing; without systemd, `orx-frekvenca --no-window`
#       runs under whatever starts services there
accepted_info=(package-supports-alternative-init-but-no-init.d-script)

# Whether every compilation of the package's build carried _FORTIFY_SOURCE, as dpkg-buildflags
# gives it. The checkers look for fortified calls in the program instead, and find none where
# the compiler proved every size it could check safe (the program's text goes out with fputs,
# and no printf is left): then the flags in the build's log are the evidence.
fortified_build() {
  local compiles
  compiles="$(grep -E ' -c [^ ]+\.(cpp|c)( |$)' "$build/dpkg-buildpackage.log" || true)"
  [ -n "$compiles" ] && ! grep -qv -- '-D_FORTIFY_SOURCE=[23]' <<< "$compiles"
}

# Lints what it is given (the binary package's .changes, the source package's .dsc): no error
# or warning, no hardening tag (but the one above, for a build shown fortified), and no other
# tag than those above.
lint() {
  local log="$build/lintian-$(basename "$1").log" problems tag accepted=("${accepted_info[@]}")
  lintian -I -E --pedantic --tag-display-limit 0 "$1" 2>&1 | grep -v 'root privileges' > "$log" ||
    true
  fortified_build && accepted+=(hardening-no-fortify-functions)
  problems="$(grep -E '^(E|W): ' "$log" || true)"
  problems+="$(grep -E 'hardening-' "$log" | grep -v 'hardening-no-fortify-functions' || true)"
  while read -r tag; do
    [ -z "$tag" ] && continue
    printf '%s\n' "${accepted[@]}" | grep -qx "$tag" || problems+=$'\n'"unexpected tag: $tag"
  done < <(grep -E '^[IPX]: ' "$log" | awk '{print $3}' | sort -u)
  [ -z "${problems//[$'\n']/}" ] || { cat "$log"; fail "lintian $(basename "$1"): $problems"; }
}
