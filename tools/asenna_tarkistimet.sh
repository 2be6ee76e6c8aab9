#!/usr/bin/env bash
# Installs the Debian packages of the quality checks (make valgrind, make fuzz)
# when missing: valgrind, and clang for the libFuzzer targets. Idempotent.
set -euo pipefail

paketit=("$@")
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
