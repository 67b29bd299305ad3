# Shared set-up for the scripts: makes sure the Debian packages the build needs are present.
# Sourced, not run.

BRISKO_PACKAGES=(
    cmake g++ make pkg-config
    googletest libgtest-dev
    qt6-base-dev libgl-dev
    fonts-dejavu-core fonts-comic-neue
    clang libclang-rt-14-dev
    desktop-file-utils appstream shared-mime-info dpkg-dev file
)

brisko_missing_packages() {
    local pkg missing=()
    for pkg in "${BRISKO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    echo "${missing[@]}"
}

brisko_install_packages() {
    local missing
    missing=$(brisko_missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: $missing"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
    else
        echo "These packages are missing: $missing"
        echo "Install them with:"
        echo "  sudo apt-get update && sudo apt-get install -y $missing"
        exit 1
    fi
}

brisko_jobs() { nproc 2>/dev/null || echo 2; }

# Configures and builds the game and its tests into build/ with GCC; a warning stops the build.
brisko_build() {
    CC=gcc CXX=g++ cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISKO_BUILD_UI=ON \
        -DBUILD_TESTING=ON -DBRISKO_WARNINGS_AS_ERRORS=ON \
        -DENABLE_SANITIZER_ADDRESS=OFF -DENABLE_SANITIZER_UNDEFINED_BEHAVIOR=OFF
    cmake --build build -j"$(brisko_jobs)"
}
