#!/usr/bin/env bash
# package.sh: builds the Debian package build-package/quill_<version>_<arch>.deb
# (release build, prefix /usr) in a build folder of its own. Install it with
# "sudo apt install ./build-package/quill_*.deb".
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-package
scripts/setup.sh
# Only the installed programs are built: the package needs no tests.
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$dir" --target quill quill-demo
rm -f "$dir"/quill_*.deb
(cd "$dir" && cpack -G DEB)
ls -l "$dir"/quill_*.deb
