#!/bin/sh
# Stands in for the default browser: records the address it was asked to open.
printf '%s\n' "$1" >> "${DORVEX_E2E_RECORD:-/tmp/dorvex-opened.txt}"
