#!/usr/bin/env bash
# Installs the build into a prefix of its own and uses it as a program outside this tree
# would: the files and the SONAME, the dynamic symbols (the API only), each public header on
# its own, the example built with find_package (shared and static) and with pkg-config
# (shared and static), the prefix moved elsewhere, and the Python package `cmake --install`
# put there. Every example's picture must be the in-tree example's, byte for byte.
#   check_package.sh BUILD_DIR SOURCE_DIR WORK_DIR IN_TREE_EXAMPLE [PYTHON PYTHON_DIR]
set -euo pipefail
build=$1 source=$2 work=$3 in_tree_example=$4 python=${5:-} python_dir=${6:-}
example=$source/examples/library
failed=0
fail() { echo "package: $*"; failed=1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
lib=$(dirname "$(find "$prefix" -name 'libcorvane.so.1' | head -n 1)")
[ -d "$lib" ] || { echo "package: no libcorvane.so.1 installed"; exit 1; }
version=$(sed -n 's/^#define CORVANE_VERSION_STRING "\(.*\)"/\1/p' "$prefix/include/corvane/version.h")

for f in "$lib/libcorvane.so" "$lib/libcorvane.so.1" "$lib/libcorvane.so.$version" "$lib/libcorvane.a" \
    "$lib/pkgconfig/corvane.pc" "$lib/cmake/Corvane/CorvaneConfig.cmake" \
    "$lib/cmake/Corvane/CorvaneConfigVersion.cmake" "$lib/cmake/Corvane/CorvaneSharedTargets.cmake" \
    "$lib/cmake/Corvane/CorvaneStaticTargets.cmake" "$prefix/include/corvane/corvane.h"; do
  [ -e "$f" ] || fail "missing ${f#"$prefix"/}"
done
readelf -d "$lib/libcorvane.so.1" | grep -q 'SONAME.*\[libcorvane\.so\.1\]' || fail "SONAME is not libcorvane.so.1"

# Everything the library exports is the public API of namespace corvane.
others=$(nm -D --defined-only "$lib/libcorvane.so.1" | awk '{print $3}' | grep -v '^CORVANE_1$' |
  c++filt | grep -Ev '^((typeinfo|typeinfo name|vtable) for )?corvane::(Chart|Error|Dib|HResultName|HResultMeaning|LibraryVersion)\b' || true)
[ -z "$others" ] || fail "exports beyond the API: $(echo "$others" | head -5)"

# Each header compiles alone with nothing but the installed include directory.
for h in "$prefix"/include/corvane/*.h; do
  echo "#include <corvane/$(basename "$h")>" | c++ -std=c++17 -fsyntax-only -Wall -Wextra -Werror \
    -I"$prefix/include" -x c++ - || fail "$(basename "$h") does not stand alone"
done

"$in_tree_example" "$work/in-tree.png" >/dev/null
same_picture() {  # name, png
  cmp -s "$work/in-tree.png" "$2" || fail "$1: the picture differs from the in-tree example's"
}
cmake_example() {  # name, prefix, extra cmake args...
  local name=$1 at=$2; shift 2
  cmake -S "$example" -B "$work/$name" -G Ninja -DCMAKE_PREFIX_PATH="$at" "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name" >>"$work/$name.log" 2>&1 ||
    { fail "$name: the example does not build (log: $work/$name.log)"; return 0; }
  "$work/$name/library_chart" "$work/$name.png" >>"$work/$name.log" || { fail "$name: the example failed"; return 0; }
  same_picture "$name" "$work/$name.png"
}
cmake_example cmake-shared "$prefix"
readelf -d "$work/cmake-shared/library_chart" | grep -q 'NEEDED.*libcorvane\.so\.1' || fail "cmake-shared: not linked to libcorvane.so.1"
cmake_example cmake-static "$prefix" -DCORVANE_USE_STATIC_LIBS=ON
! readelf -d "$work/cmake-static/library_chart" | grep -q 'libcorvane' || fail "cmake-static: linked to the shared library"
grep -q 'Corvane_VERSION.*1\.[0-9]' "$work/cmake-shared/CMakeCache.txt" 2>/dev/null || true

export PKG_CONFIG_PATH=$lib/pkgconfig
[ "$(pkg-config --modversion corvane)" = "$version" ] || fail "pkg-config: version is not $version"
# shellcheck disable=SC2046
c++ -std=c++17 "$example/chart.cpp" -o "$work/pc-shared" $(pkg-config --cflags --libs corvane) &&
  LD_LIBRARY_PATH=$lib "$work/pc-shared" "$work/pc-shared.png" >/dev/null &&
  same_picture pkg-config-shared "$work/pc-shared.png" || fail "pkg-config: shared example"
# shellcheck disable=SC2046
c++ -std=c++17 "$example/chart.cpp" -o "$work/pc-static" $(pkg-config --cflags corvane) \
  $(pkg-config --static --libs corvane | sed 's/-lcorvane\b/-l:libcorvane.a/') &&
  "$work/pc-static" "$work/pc-static.png" >/dev/null &&
  same_picture pkg-config-static "$work/pc-static.png" || fail "pkg-config: static example"

# Nothing names the prefix it was installed to: the tree works wherever it is moved.
mv "$prefix" "$work/moved"
[ "$(PKG_CONFIG_PATH=${lib/#$prefix/$work/moved}/pkgconfig pkg-config --variable=includedir corvane)" \
  -ef "$work/moved/include" ] || fail "pkg-config: includedir does not follow the moved prefix"
cmake_example cmake-moved "$work/moved"
mv "$work/moved" "$prefix"

if [ -n "$python" ]; then
  PYTHONPATH=$prefix/$python_dir "$python" "$source/examples/python_chart.py" "$work/python.png" >/dev/null ||
    fail "python: the example does not run with the installed module"
  same_picture python "$work/python.png"
fi

[ $failed -eq 0 ] && echo "package: installed, found and linked every way; $version"
exit $failed
