# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the Debian packages a script needs. Sourced.

# install_missing package...: installs those not installed yet, without
# questions or the packages they only recommend, reading the package lists
# once a run. Another apt or dpkg at work (an unattended upgrade, another
# script) is waited for, up to 20 minutes, rather than failed on.
install_missing() {
    local package missing=() apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200)
    for package; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing ${missing[*]}"
    # Through env: sudo would not pass this shell's DEBIAN_FRONTEND on.
    [ "$(id -u)" -eq 0 ] || apt=(sudo "${apt[@]}")
    [ -n "${packages_listed:-}" ] || "${apt[@]}" update -qq
    packages_listed=1
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
