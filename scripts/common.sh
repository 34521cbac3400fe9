# Shared by the scripts: where things are, and which Windows this machine can run.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# MIRELO_BUILD lets several people build and test side by side in one checkout.
BUILD="${MIRELO_BUILD:-$ROOT/build}"
# Wine needs a UTF-8 locale to make files and folders with Japanese names, and MCI playback
# depends on it too; a bare environment (CI, env -i) has none, so the scripts set their own.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE

# Some kernels are built without 32-bit program support; 32-bit Wine cannot start there, so
# the tests then run a 64-bit build of the same code under 64-bit Wine. Mirelo.exe itself is
# always built as a 32-bit program.
can_run_32bit() {
    local dir
    dir="$(mktemp -d)"
    printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' > "$dir/p.s"
    if as --32 -o "$dir/p.o" "$dir/p.s" 2>/dev/null && ld -m elf_i386 -o "$dir/p" "$dir/p.o" 2>/dev/null \
        && "$dir/p" 2>/dev/null; then
        rm -rf "$dir"; return 0
    fi
    rm -rf "$dir"; return 1
}

if [ -z "${MIRELO_TEST_ARCH:-}" ]; then
    if can_run_32bit; then MIRELO_TEST_ARCH=win32; else MIRELO_TEST_ARCH=win64; fi
fi
export MIRELO_TEST_ARCH
