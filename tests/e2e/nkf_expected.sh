#!/bin/sh
# The files the save-with-code test compares with: one CP932 text (trail
# bytes 5C and 7C among its characters, CR LF line ends) turned by nkf into
# each code and line end the test chooses in the program's dialog.
set -eu
d="$1"
rm -rf "$d"
mkdir -p "$d"
# 日本語の表示 / ソポ|\x abc / 漢字
printf '\223\372\226\173\214\352\202\314\225\134\216\246\r\n\203\134\203\174|\\x abc\r\n\212\277\216\232\r\n' > "$d/source.txt"
conv() { nkf -x --ic=CP932 --oc="$1" "$2" "$d/source.txt" > "$d/$3"; }
conv UTF-8-BOM -Lu utf8_lf.txt
conv UTF-8 -Lw utf8n_crlf.txt
conv UTF-16LE-BOM -Lm unicode_cr.txt
conv EUC-JP -Lu euc_lf.txt
conv Shift_JIS -Lm sjis_cr.txt
