#!/usr/bin/env bash
# Cross-builds the module for 64-bit Windows with Debian's mingw-w64 into build/windows:
# libvexa_aws.dll, probe.exe and the unit and integration test executables.
#   scripts/build-windows.sh [cmake --build options, e.g. --target module_tests]
# Dependencies come from Debian only: pugixml from its source package (apt's source tooling, with a
# private list of the machine's own Debian sources), googletest from /usr/src/googletest, the
# header-only libraries from their -dev packages. Run scripts/setup.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build/windows"
deps="$out/deps"
prefix="$deps/prefix"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs="${VEXA_JOBS:-2}"
mkdir -p "$deps"

# Builds and installs one CMake project into the prefix, once per source version.
cross_install() {
    local name="$1" source="$2" version="$3"
    shift 3
    local stamp="$prefix/.$name-$version"
    [[ -f "$stamp" ]] && return 0
    cmake -S "$source" -B "$deps/build-$name" -G Ninja --toolchain "$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
    cmake --build "$deps/build-$name" -j "$jobs" >/dev/null
    cmake --install "$deps/build-$name" >/dev/null
    touch "$stamp"
}

# pugixml: the source of the very version whose headers libpugixml-dev installed.
pugixml_version="$(dpkg-query -W -f='${source:Version}' libpugixml-dev)"
pugixml_source="$deps/pugixml-${pugixml_version%-*}"
if [[ ! -d "$pugixml_source" ]]; then
    apt_dir="$deps/apt"
    mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    for list in /etc/apt/sources.list.d/*.sources; do
        [[ -f "$list" ]] && sed 's/^Types:.*/Types: deb-src/' "$list" >"$apt_dir/sources/$(basename "$list")"
    done
    if [[ -f /etc/apt/sources.list ]]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt_dir/sources/legacy.list"
    fi
    apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources"
        -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User="$(id -un)")
    apt-get "${apt_options[@]}" update -qq
    (cd "$deps" && apt-get "${apt_options[@]}" source -qq "pugixml=$pugixml_version" >/dev/null)
fi
cross_install pugixml "$pugixml_source" "$pugixml_version" -DBUILD_SHARED_LIBS=OFF

gtest_version="$(dpkg-query -W -f='${Version}' googletest)"
cross_install googletest /usr/src/googletest "$gtest_version" -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF

for headers in nlohmann date CLI; do
    if [[ ! -d "$prefix/include/$headers" ]]; then
        mkdir -p "$prefix/include"
        cp -r "/usr/include/$headers" "$prefix/include/"
    fi
done

# The Linux build whose AWS emulator, probe and wire tool the Windows tests run beside their own.
linux_build="${VEXA_LINUX_BUILD:-$root/build/release}"

cmake -S "$root" -B "$out" -G Ninja --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DVEXA_WARNINGS_AS_ERRORS=ON -DVEXA_WINDOWS_PREFIX="$prefix" \
    -DVEXA_AWSSDK=BUNDLED -DVEXA_BUILD_BENCHMARKS=OFF -DVEXA_LINUX_BUILD="$linux_build" \
    -DVEXA_AREAS="libs;awssdk;framework;host;aws;module/definition;module;tools/probe" >/dev/null
cmake --build "$out" -j "$jobs" "$@"
