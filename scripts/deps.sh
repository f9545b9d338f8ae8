# Debian packages the build, the tests, the demo and the benchmarks need; sourced by the scripts.
KVA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev
  libsnmp-dev snmpd snmp
  libgtest-dev libgmock-dev
  tftp-hpa tftpd-hpa atftp curl
)

# Installs what is missing, through sudo when not root.
kva_install_deps() {
  local missing=() p
  for p in "${KVA_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  # The packaged daemons must not hold the ports the tests and the demo use.
  "${sudo[@]}" pkill -x snmpd 2>/dev/null || true
  "${sudo[@]}" pkill -x in.tftpd 2>/dev/null || true
}
