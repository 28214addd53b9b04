#!/bin/sh
# A PDF into a folder the user may not write is a failure that names the file and the reason, and leaves
# nothing behind. Root writes anywhere, so as root the program runs as nobody.
# Usage: print_without_permission.sh KAKUTEI
kakutei=$1
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
mkdir -p "$dir/data/所得税/個人名" "$dir/locked"
# A whole registration of code 7: the code, 25 empty values and the twelve fillers, in CP932.
{
    printf '7\r\n'
    for n in 2 3 4 5 6 7; do printf '""\r\n'; done
    for n in 8 9 10; do printf '0\r\n'; done
    for n in 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26; do printf '""\r\n'; done
    for n in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '"予備%s"\r\n' "$n"; done
} | iconv -f UTF-8 -t CP932 >"$dir/data/所得税/個人名/7.txt"
chmod -R a+rwX "$dir/data"
chmod 555 "$dir/locked"
as=
if [ "$(id -u)" -eq 0 ]; then
    as="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
pdf="$dir/locked/第一表.pdf"
$as "$kakutei" --root "$dir/data" print 7 --page 1 --yes --pdf "$pdf" >"$dir/out" 2>"$dir/err"
status=$?
cat "$dir/err"
test "$status" -eq 1 || { echo "exit status $status, not 1"; exit 1; }
grep -qF "$pdf" "$dir/err" || { echo "the message does not name the file"; exit 1; }
grep -qF "アクセスが拒否されました。" "$dir/err" || { echo "the message does not say why"; exit 1; }
test ! -s "$dir/out" || { echo "listed as written:"; cat "$dir/out"; exit 1; }
test -z "$(ls -A "$dir/locked")" || { echo "left behind:"; ls -A "$dir/locked"; exit 1; }
