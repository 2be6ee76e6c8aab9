#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the game need,
# plus any further packages named as arguments (the quality checks ask for
# valgrind and clang this way). Idempotent and quick: apt is touched only when
# a package is missing.
set -euo pipefail

paketit=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libsdl-mixer1.2-dev libmpg123-dev libpng-dev
  "$@"
)

puuttuvat=()
for p in "${paketit[@]}"; do
  tila=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$tila" == "install ok installed" ]] || puuttuvat+=("$p")
done
[[ ${#puuttuvat[@]} -eq 0 ]] && exit 0

echo "Asennetaan: ${puuttuvat[*]}"
sudo_=""
[[ $(id -u) -eq 0 ]] || sudo_="sudo"
$sudo_ apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y --no-install-recommends "${puuttuvat[@]}"
