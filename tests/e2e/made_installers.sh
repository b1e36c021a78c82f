#!/usr/bin/env bash
# Makes, on the build machine, the installers that made_installer_e2e_test then runs under Wine,
# the way a release engineer makes them: a folder of files that is not the demo product (Chinese
# names, a sub-folder, a file over 8 MB, the product's updater), `vspack make-installer` with
# the stub, a test CA and a code-signing certificate from openssl, osslsigncode sign. On the way
# it checks what only the build machine sees, and fails when any of it does not hold:
# vspack refuses what is not the bare stub and an output that is the stub; osslsigncode verify
# passes for the signed installer and fails once one byte of its appended payload is changed.
#   made_installers.sh <vspack> <stub> <program with its payload linked in> <updater> <out dir>
# It leaves in <out dir>: folder/, stub.exe, setup.exe (made), signed.exe (made, then signed
# twice), tampered.exe (signed.exe with one byte of the payload changed).
set -euo pipefail
vspack=$1 stub=$2 linked=$3 updater=$4 out=$5

fail() {
    echo "made_installers: $*" >&2
    exit 1
}

rm -rf "$out"
folder=$out/folder
mkdir -p "$folder/数据" "$folder/插件 目录"
cp "$updater" "$folder/AutoUpdate.exe"
printf '新版本的说明\r\nRelease notes of the new version\r\n' >"$folder/产品说明.txt"
: >"$folder/空文件.dat"
printf 'plugin %.0s' $(seq 1000) >"$folder/插件 目录/图像 工具.dll"
# 9 MiB that do not compress, the same on every run: zeros through AES in counter mode.
head -c $((9 << 20)) /dev/zero |
    openssl enc -aes-128-ctr -nosalt -K 000102030405060708090a0b0c0d0e0f \
    -iv 00000000000000000000000000000000 >"$folder/数据/大文件.bin"

cp "$stub" "$out/stub.exe"
"$vspack" make-installer "$folder" --stub "$out/stub.exe" --out "$out/setup.exe" --quiet ||
    fail "vspack make-installer failed"

# A code-signing certificate issued by a CA made here.
cd "$out"
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 7 -subj "/CN=VantorSaelin Test CA" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout ca.key -out ca.crt 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=VantorSaelin Test Publisher" \
    -keyout signer.key -out signer.csr 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    extendedKeyUsage=codeSigning >signer.ext
openssl x509 -req -in signer.csr -CA ca.crt -CAkey ca.key -set_serial 2 -days 7 -sha256 \
    -extfile signer.ext -out signer.crt 2>/dev/null
sign() { # in, out, more options
    osslsigncode sign -certs signer.crt -key signer.key -n "VantorSaelin Setup" -in "$1" -out "$2" \
        "${@:3}" >/dev/null
}
verify() {
    osslsigncode verify -CAfile ca.crt -in "$1" >"$1.verify.txt" 2>&1
}

# Two signatures, as for old and new Windows: SHA-256, and a SHA-1 one nested in it.
sign setup.exe signed-once.exe -h sha256
sign signed-once.exe signed.exe -h sha1 -nest
verify signed.exe ||
    fail "osslsigncode verify rejects the signed installer: $(tail -n 5 signed.exe.verify.txt)"
# One byte inside the appended payload, which begins where the stub ends.
cp signed.exe tampered.exe
at=$(($(stat -c %s stub.exe) + 4096))
byte=$(od -An -tu1 -j "$at" -N1 tampered.exe | tr -d ' ')
printf "\\$(printf '%03o' $((byte ^ 0x5A)))" |
    dd of=tampered.exe bs=1 seek="$at" conv=notrunc status=none
! verify tampered.exe || fail "osslsigncode verify accepts the installer with a changed byte"

# vspack's refusals: each ends with an error and writes nothing.
sign stub.exe stub-signed.exe -h sha256
refused() { # what, arguments...
    local what=$1
    shift
    if "$vspack" make-installer "$folder" --quiet "$@" >refusal.txt 2>&1; then
        fail "vspack made an installer from $what"
    fi
    [ ! -e refused.exe ] || fail "vspack refused $what but wrote refused.exe"
}
refused "the program with its payload linked in" --stub "$linked" --out refused.exe
refused "an installer it made" --stub setup.exe --out refused.exe
refused "a signed stub" --stub stub-signed.exe --out refused.exe
refused "the stub as its own output" --stub stub.exe --out ./stub.exe
cmp -s "$stub" stub.exe || fail "vspack changed the stub it was asked to write over"
echo "made setup.exe, signed.exe (verified) and tampered.exe (rejected) in $out"
