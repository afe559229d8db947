# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages the project needs, installed when missing (root, or through sudo).
PAKIETY=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
         qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-pdf-dev libqpdf-dev qt6-svg-dev libgl-dev
         qt6-translations-l10n libjpeg-dev libgif-dev libpng-dev libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev
         xvfb xauth openbox imagemagick fonts-dejavu-core fonts-liberation
         desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base locales ccache
         libqt6sql6-sqlite libqt6sql6-psql postgresql-15
         libxlsxwriter-dev libreoffice-calc-nogui python3-openpyxl)

zainstaluj_pakiety() {
    local brak=()
    for p in "${PAKIETY[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || brak+=("$p")
    done
    [ ${#brak[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "installing: ${brak[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${brak[@]}" >/dev/null
}
