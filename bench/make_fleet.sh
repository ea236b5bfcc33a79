#!/usr/bin/env bash
# Writes N varied machine profiles into DIR, in folders of a thousand:
#   bench/make_fleet.sh N DIR
# memory, processor, disk, screen, Windows version, plug-ins, zip
# application, Java and browsers drawn at random, the same for the same N.
set -euo pipefail
n=${1:?usage: make_fleet.sh N DIR}
dir=${2:?usage: make_fleet.sh N DIR}
awk -v n="$n" -v dir="$dir" 'BEGIN {
  srand(n)
  system("mkdir -p " dir)
  split("4 10 1|4 90 1|5 0 2|5 1 2|5 1 2|5 2 2|6 0 2|6 1 2|6 1 2|10 0 2", wins, "|")
  split("640 480|800 600|1024 768|1280 1024|1366 768|1920 1080|3840 2160", screens, "|")
  split("8|16|24|32|32", depths, "|")
  split("5.0|6.0|7.0|8.0|9.0|10.0|11.0", ies, "|")
  for (i = 0; i < n; ++i) {
    # Folders of a thousand, as a help desk would keep them.
    sub_dir = sprintf("%s/%03d", dir, int(i / 1000))
    if (i % 1000 == 0) system("mkdir -p " sub_dir)
    name = sprintf("%s/pc-%07d", sub_dir, i)
    split(wins[1 + int(rand() * 10)], w, " ")
    split(screens[1 + int(rand() * 7)], s, " ")
    machine = name ".machine"
    printf "[windows]\nplatform_id = %d\nmajor = %d\nminor = %d\nbuild = %d\n\n", w[3], w[1], w[2], 1000 + int(rand() * 9000) > machine
    printf "[screen]\nwidth = %d\nheight = %d\nbits_per_pixel = %d\n\n", s[1], s[2], depths[1 + int(rand() * 5)] > machine
    printf "[memory]\ntotal_physical = %.0f\n\n", 2 ^ (25 + int(rand() * 12)) > machine
    printf "[disk]\nc_free = %.0f\n\n", int(rand() * 2 ^ 38) > machine
    flash = rand() < 0.6
    if (flash) printf "[objects]\ncreatable = ShockwaveFlash.ShockwaveFlash.%d\n\n", 5 + int(rand() * 6) > machine
    printf "[registry]\nfile = pc-%07d.reg\n", i > machine
    close(machine)
    reg = name ".reg"
    printf "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n\"~MHz\"=dword:%08x\n\n", 100 + int(rand() * 3400) > reg
    if (rand() < 0.5) printf "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"AcroExch.Document\"\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader\\%d.0]\n\n", 5 + int(rand() * 6) > reg
    if (flash) printf "[HKEY_CLASSES_ROOT\\.swf]\n@=\"ShockwaveFlash.ShockwaveFlash\"\n\n" > reg
    if (rand() < 0.5) printf "[HKEY_CLASSES_ROOT\\.zip]\n@=\"%s\"\n\n", rand() < 0.5 ? "WinZip" : "CompressedFolder" > reg
    if (rand() < 0.3) printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\RealNetworks\\RealPlayer]\n\"version\"=\"%d.0.0.0\"\n\n", 6 + int(rand() * 6) > reg
    if (rand() < 0.6) printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment]\n\"CurrentVersion\"=\"1.%d\"\n\n", 3 + int(rand() * 6) > reg
    printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer]\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Version Vector]\n\"IE\"=\"%s000\"\n\n", ies[1 + int(rand() * 7)] > reg
    if (rand() < 0.4) printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Mozilla\\Mozilla Firefox]\n\"CurrentVersion\"=\"%d.0 (en-US)\"\n\n", 1 + int(rand() * 30) > reg
    close(reg)
  }
}'
