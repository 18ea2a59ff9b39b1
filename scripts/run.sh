#!/usr/bin/env bash
# The main job: build the desktop stand-in for Outlook and open it on a demo prefix.
# With a display it opens the window for a person to use. Without one (a server, CI) it
# runs the desktop under Xvfb, files a sample message through the real widgets, saves
# screenshots of the main window and the four forms, and says where everything is.
# The scenario runner stays a command of its own: build/bin/quillet-sim FILE.scn...
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${JOBS:-2}" --target quillet-desk

demo=build/desk-demo
shots=build/desk-screenshots
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/quillet-desk --demo "$demo"
fi
rm -rf "$demo" "$shots"
xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quillet-desk --demo "$demo" --file-sample "$shots" 2> >(grep -v "XDG_RUNTIME_DIR" >&2)
echo "the demo prefix is $demo (C: is $demo/drive_c, P: is $demo/drive_p); open it again with:"
echo "  build/bin/quillet-desk $demo"
