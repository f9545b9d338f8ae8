# Debian packages the build, the tests, the demo and the benchmarks need; sourced by the scripts.
KVA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev
  libsnmp-dev snmpd snmp
  libgtest-dev libgmock-dev
  tftp-hpa tftpd-hpa atftp curl
  man-db groff-base                   # the man page tests (man --warnings -l)
  dpkg-dev file libcap2-bin           # cpack -G DEB (dpkg-shlibdeps, file), setcap and getcap
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
  # The packaged daemons (snmpd, in.tftpd) must not start from the install: tests and the demo run
  # their own on free ports, and a daemon already running belongs to someone else and stays.
  local policy=/usr/sbin/policy-rc.d own_policy=""
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo[@]}" tee "$policy" >/dev/null
    "${sudo[@]}" chmod 755 "$policy"
    own_policy=1
  fi
  local rc=0
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" || rc=$?
  [ -z "$own_policy" ] || "${sudo[@]}" rm -f "$policy"
  return "$rc"
}
