#!/usr/bin/env bash
# Vuna as a user adopts it, from outside the project, on a fresh temporary prefix:
#   1. install the build into the prefix;
#   2. a CMake consumer through find_package(vuna): built-in images, images copied beside it by
#      vuna_copy_images, and a plug-in (.so) that links the static library;
#   3. a plain g++ consumer through pkg-config, reading the installed images (imagedir);
#   4. a CMake consumer through add_subdirectory, with Vuna as a shared library, which installs
#      nothing of Vuna's.
# Every consumer defines checkSize, createTexture, screen and glutDisplay of its own, runs in
# the X server from a folder with no images in it, and checks its caption's pixels.
#
#   consumer_test.sh VUNA_BUILD_DIR VUNA_SOURCE_DIR WORK_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$3
failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { # step NAME COMMAND...: runs it with its output in a log, shown only on failure
  local name=$1; shift
  "$@" > "$work/$name.log" 2>&1
  local status=$?
  if [ $status -eq 0 ]; then pass "$name"; return 0; fi
  fail "$name (exit $status)"; tail -40 "$work/$name.log"; return 1
}
# Runs a consumer from an empty folder, where no image lies.
run_consumer() { # run_consumer NAME EXE ARGS...
  local name=$1 exe=$2; shift 2
  local empty="$work/empty-$name"
  mkdir -p "$empty"
  if (cd "$empty" && "$exe" "$@") > "$work/$name.log" 2>&1; then
    pass "$name runs: $(grep -c '^PASS' "$work/$name.log") checks"
  else
    fail "$name"; cat "$work/$name.log"
  fi
}

rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"

step install cmake --install "$build" --prefix "$prefix" || exit 1
for f in include/vuna/vuna.h include/vuna/widgets/VButton.h include/vuna/screen/host.h; do
  [ -f "$prefix/$f" ] && pass "installed $f" || fail "missing $f"
done
for f in include/vuna/draw/tga.h include/vuna/draw/DrawText.h include/vuna/widgets/VWindow_Handlers.h; do
  [ ! -e "$prefix/$f" ] && pass "internal $f not installed" || fail "internal $f installed"
done
[ -d "$prefix/include/core" ] && fail "core/ at the top of the include folder" || pass "no folder but vuna/ in include/"

# find_package
fp="$work/find_package"
if step find_package.configure cmake -S "$source/tests/consumer/find_package" -B "$fp" \
     -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release &&
   step find_package.build cmake --build "$fp" -j 2; then
  run_consumer find_package.builtin "$fp/consumer_builtin" builtin
  [ -f "$fp/font_arial.tga" ] && pass "vuna_copy_images put the images beside the program" ||
    fail "vuna_copy_images copied nothing"
  (cd "$fp" && ./consumer_copied workdir) > "$work/find_package.copied.log" 2>&1 &&
    pass "find_package.copied runs beside its copied images" ||
    { fail "find_package.copied"; cat "$work/find_package.copied.log"; }
  [ "$(cat "$fp/image_dir.txt")" = "$prefix/share/vuna" ] && pass "VUNA_IMAGE_DIR names share/vuna" ||
    fail "VUNA_IMAGE_DIR is '$(cat "$fp/image_dir.txt")'"
  [ -f "$fp/libconsumer_plugin.so" ] && pass "a plug-in links the static library" ||
    fail "no plug-in was built"
fi

# pkg-config
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig:$prefix/lib/$(gcc -dumpmachine)/pkgconfig"
imagedir=$(pkg-config --variable=imagedir vuna)
[ "$(cd "$imagedir" 2>/dev/null && pwd)" = "$(cd "$prefix/share/vuna" && pwd)" ] &&
  pass "pkg-config's imagedir is the installed image folder" || fail "imagedir is '$imagedir'"
# shellcheck disable=SC2046
if step pkg_config.build g++ -std=c++17 -o "$work/consumer_pc" "$source/tests/consumer/consumer.cpp" \
     $(pkg-config --cflags --libs vuna glut); then
  run_consumer pkg_config "$work/consumer_pc" folder "$imagedir"
fi

# The host adapters' pkg-config files name their own host library and nothing else's; a GLFW
# program builds and links without any GLUT header or library (-H lists every header read).
for host in glfw:glfw sdl2:SDL2; do
  libs=$(pkg-config --libs "vuna-${host%%:*}" 2>&1)
  [[ $libs == *"-lvuna_${host%%:*}"* && $libs == *"-l${host#*:}"* && $libs != *glut* ]] &&
    pass "vuna-${host%%:*}.pc links its adapter and ${host#*:}, no GLUT" ||
    fail "vuna-${host%%:*}.pc: $libs"
done
# shellcheck disable=SC2046
if step glfw_program.build g++ -std=c++17 -H -o "$work/glfw_program" \
     "$source/tests/consumer/glfw_program.cpp" $(pkg-config --cflags --libs vuna-glfw); then
  grep -qi "glut" "$work/glfw_program.build.log" && fail "the GLFW program read a GLUT header" ||
    pass "the GLFW program read no GLUT header and linked without libglut"
fi

# add_subdirectory, shared
sub="$work/add_subdirectory"
if step add_subdirectory.configure cmake -S "$source/tests/consumer/add_subdirectory" -B "$sub" \
     -DVUNA_SOURCE_DIR="$source" -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release \
     -DCMAKE_INSTALL_PREFIX="$work/sub-prefix" &&
   step add_subdirectory.build cmake --build "$sub" -j 2; then
  ls "$sub"/vuna/libvuna.so* > /dev/null 2>&1 && pass "BUILD_SHARED_LIBS=ON gives libvuna.so" ||
    fail "no shared library"
  needed=$(readelf -d "$sub"/vuna/libvuna.so 2>&1 | grep NEEDED)
  [[ $needed == *libGL* && $needed != *glut* ]] && pass "libvuna.so needs GL and no libglut" ||
    fail "libvuna.so needs: $needed"
  run_consumer add_subdirectory "$sub/consumer" builtin
  (cd "$sub" && ./consumer_copied workdir) > "$work/add_subdirectory.copied.log" 2>&1 &&
    pass "add_subdirectory.copied runs beside its copied images" ||
    { fail "add_subdirectory.copied"; cat "$work/add_subdirectory.copied.log"; }
  cmake --install "$sub" > "$work/sub-install.log" 2>&1
  [ ! -e "$work/sub-prefix/include/vuna" ] && pass "add_subdirectory installs nothing of Vuna's" ||
    fail "add_subdirectory installed Vuna's headers"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
