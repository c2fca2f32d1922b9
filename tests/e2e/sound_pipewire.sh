#!/usr/bin/env bash
# The show's sound in a private PipeWire session through SDL's pipewire backend: heard in line with
# the track, and back at the show's position after the sound server restarts. Argument: the
# build folder.
set -u
cd "${1:?build folder}"
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/sound_checks.bash"
sound_checks pipewire figures
finish
