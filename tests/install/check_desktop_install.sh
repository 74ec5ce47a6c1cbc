#!/bin/sh
# Installs the build into a scratch prefix and checks that the program and its desktop integration land
# where desktops look for them.
# Usage: check_desktop_install.sh <cmake> <build folder> <scratch prefix>
set -eu
cmake=$1
build=$2
prefix=$3
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
sh "$(dirname "$0")/check_installed_tree.sh" --mime-database "$prefix"
