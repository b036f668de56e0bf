#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when an #include crosses a layer of the source tree. Run from anywhere; the argument is
# the repository root.
set -u
root=${1:-$(dirname "$0")/../..}
cd "$root" || exit 2

status=0
report() { # rule, then grep output
    [ -z "$2" ] && return
    echo "$1:"
    printf '%s\n' "$2" | sed 's/^/    /'
    status=1
}

sources() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null; }
grep_in() { # pattern, folders...
    local pattern=$1
    shift
    local files
    files=$(sources "$@")
    [ -n "$files" ] && printf '%s\n' "$files" | xargs grep -nE "$pattern" /dev/null
}

report "the platform layer includes nothing of the application" \
    "$(grep_in '#include "app/' platform)"
report "the helper and the shared code include nothing of the application" \
    "$(grep_in '#include "app/' helper shared)"
report "log, localisation and formatting stand on the platform layer only" \
    "$(grep_in '#include "app/(shell|sampling|analysis|process|comfort|settings|menubar|panel)/' app/base)"
report "readers and rules include no user interface and not the composition root" \
    "$(grep_in '#include "app/(menubar|panel|shell)/|#include <(QWidget|QtWidgets|QDialog|QPainter|QApplication)' \
        app/sampling app/analysis app/process app/comfort app/settings)"
report "the status item and the panel do not include the composition root" \
    "$(grep_in '#include "app/shell/' app/menubar app/panel)"
report "includes are written from the repository root" \
    "$(grep_in '#include "' app platform shared helper tests bench |
        grep -vE '#include "(app|platform|shared|helper|tests|bench)/|#include "[^"/]+\.moc"')"

[ $status -eq 0 ] && echo "include rules hold"
exit $status
