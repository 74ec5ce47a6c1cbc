#!/bin/sh
# Builds the Debian package of the build, installs it into a scratch root and checks that it holds the
# program and its desktop integration and declares the libraries and the Qt plugins it needs.
# Usage: check_debian_package.sh <cpack> <build folder> <scratch folder>
set -eu
cpack=$1
build=$2
scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
set -- "$scratch"/qelt_*.deb
[ -f "$1" ] || { echo "FAIL: cpack made no qelt package"; cat "$scratch/cpack.log"; exit 1; }
package=$1

dpkg-deb -x "$package" "$scratch/root"
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
failures=0
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins; do
    case ",$depends" in
    *[,\ ]"$needed"[\ ,\(]* | *[,\ ]"$needed") ;;
    *)
        echo "FAIL: the package does not depend on $needed"
        failures=$((failures + 1))
        ;;
    esac
done
sh "$(dirname "$0")/check_installed_tree.sh" "$scratch/root/usr" || failures=$((failures + 1))
rm -rf "$scratch"
[ "$failures" -eq 0 ]
