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
# Lints what it is given (the binary package's .changes, the source package's .dsc): no error
# or warning, no hardening tag, and no other tag than those above.
lint() {
  local log="$build/lintian-$(basename "$1").log" problems tag
  lintian -I -E --pedantic --tag-display-limit 0 "$1" 2>&1 | grep -v 'root privileges' > "$log" ||
    true
  problems="$(grep -E '^(E|W): ' "$log" || true)"
  problems+="$(grep -E 'hardening-' "$log" || true)"
  while read -r tag; do
    [ -z "$tag" ] && continue
    printf '%s\n' "${accepted_info[@]}" | grep -qx "$tag" || problems+=$'\n'"unexpected tag: $tag"
  done < <(grep -E '^[IPX]: ' "$log" | awk '{print $3}' | sort -u)
  [ -z "${problems//[$'\n']/}" ] || { cat "$log"; fail "lintian $(basename "$1"): $problems"; }
}
