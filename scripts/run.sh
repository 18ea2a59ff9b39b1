#!/usr/bin/env bash
# The main job: build, then play the scenario examples against the simulated Outlook
# with the real add-in and utility libraries loaded as Outlook loads them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${JOBS:-2}" --target quillet-sim
build/bin/quillet-sim tests/scenarios/*.scn
