# Installs the Debian packages the project needs when any is missing.
# Sourced by run.sh and test.sh.
ORVANE_PACKAGES=(
  cmake g++ make pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libssl-dev uuid-dev
  bc hyperfine python3
  qt6-base-dev qt6-base-dev-tools libgl-dev xvfb xauth
  # The web view: Qt WebEngine, its renderer process QtWebEngineProcess (a
  # separate package that nothing else pulls in) and a font with the CJK
  # characters of the built-in web-data pages; python3 serves the fixture
  # pages of bench/fetch_bar.sh.
  qt6-webengine-dev libqt6webenginecore6-bin fonts-wqy-microhei python3
  qt6-speech-dev qt6-speech-flite-plugin
  # The program's icon is drawn with Qt SVG; installing checks the desktop
  # entry, and cpack -G DEB needs dpkg-shlibdeps (dpkg-dev) and file.
  qt6-svg-dev desktop-file-utils dpkg-dev file
)

orvane_install_deps() {
  local missing=()
  for p in "${ORVANE_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
